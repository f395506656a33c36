// kelvora-cli backtest: runs a strategy as the Test Strategy window does,
// over the spins of a game ("Game on current sequence") or over random spins
// of the program's generator ("Game on random sequence").
#include <CLI/CLI.hpp>
#include <algorithm>
#include <cstdio>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

#include "cli/cli_common.h"
#include "cli/commands.h"
#include "core/game_state.h"
#include "files/file_status.h"
#include "strategy/interpreter.h"

namespace kv::cli {

namespace {

struct BacktestOptions {
    std::string strategy;
    std::string game;
    std::string format = "auto";
    std::optional<int32_t> random;
    std::optional<uint32_t> seed;
    std::string limits;
    std::string curve;
    bool json = false;
};

struct Totals {
    int64_t steps = 0;
    int32_t finalBalance = 0;
    int32_t minBalance = 0;
    int32_t maxBalance = 0;
    int64_t wins = 0;
    int64_t losses = 0;
    int64_t drawn = 0;
    int64_t staked = 0;
};

// The interpreter keeps only the balances; the bets of a step are still
// readable as NextBets until the next step has run its operators, which is
// when the progress callback comes. Curve rows go straight to the file.
class StepRecorder {
  public:
    explicit StepRecorder(const std::string& curvePath) {
        if (curvePath.empty()) return;
        curve_.emplace(curvePath);
        curve_->piece() += "step,number,stake,winnings,balance\r\n";
    }

    void record(const Interpreter& run) {
        const int32_t number = run.RunSpins(1);  // -1: the final step of a replay, not settled
        const TesterGrid& bets = run.NextBets();
        const int64_t stake = bets.sum();
        if (number >= 0) staked_ += stake;
        if (!curve_) return;
        std::string& p = curve_->piece();
        appendInt(p, ++steps_);
        p += ',';
        if (number >= 0) appendInt(p, number);
        p += ',';
        appendInt(p, stake);
        p += ',';
        if (number >= 0) appendInt(p, bets.winnings(number));
        p += ',';
        appendInt(p, run.balance());
        p += "\r\n";
        curve_->maybeFlush();
    }

    int64_t staked() const { return staked_; }
    void commit() {
        if (curve_) curve_->commit();
    }

  private:
    std::optional<PieceWriter> curve_;
    int64_t staked_ = 0;
    int64_t steps_ = 0;
};

GameState gameOf(const std::vector<uint8_t>& numbers) {
    GameState game;
    const auto n = static_cast<int32_t>(numbers.size());
    game.addToSpinCount(n);
    // SpinHistory is newest first: the file's last spin is position 1.
    for (int32_t pos = 1; pos <= n; ++pos) game.setSpinHistory(pos, numbers[static_cast<size_t>(n - pos)]);
    return game;
}

void addOutcomes(const Interpreter& run, bool replay, Totals& t) {
    const auto& balances = run.balancesOldestFirst();
    t.steps = run.stepCount();
    t.finalBalance = run.balance();
    if (!balances.empty()) {
        const auto [lo, hi] = std::minmax_element(balances.begin(), balances.end());
        t.minBalance = *lo;
        t.maxBalance = *hi;
    }
    // A step's outcome is the sign of what it added to the balance; the
    // final step of a replay is not settled.
    const size_t settled = replay && !balances.empty() ? balances.size() - 1 : balances.size();
    int32_t previous = 0;
    for (size_t i = 0; i < settled; ++i) {
        if (balances[i] > previous)
            ++t.wins;
        else if (balances[i] < previous)
            ++t.losses;
        else
            ++t.drawn;
        previous = balances[i];
    }
}

std::string totalsText(const Totals& t, const BacktestOptions& opt, uint32_t seed) {
    if (opt.json) {
        nlohmann::ordered_json j;
        j["steps"] = t.steps;
        j["final_balance"] = t.finalBalance;
        j["min_balance"] = t.minBalance;
        j["max_balance"] = t.maxBalance;
        j["wins"] = t.wins;
        j["losses"] = t.losses;
        j["drawn"] = t.drawn;
        j["total_staked"] = t.staked;
        if (opt.random) j["seed"] = seed;
        return j.dump(2) + "\n";
    }
    std::string out;
    char line[128];
    auto add = [&](const char* label, long long v) {
        std::snprintf(line, sizeof line, "%-16s %lld\n", label, v);
        out += line;
    };
    add("Steps", t.steps);
    add("Final balance", t.finalBalance);
    add("Lowest balance", t.minBalance);
    add("Highest balance", t.maxBalance);
    add("Wins", t.wins);
    add("Losses", t.losses);
    add("Drawn games", t.drawn);
    add("Total staked", t.staked);
    if (opt.random) add("Seed", seed);
    return out;
}

void runBacktest(const BacktestOptions& opt) {
    Strategy strategy = readStrategy(opt.strategy);
    const bool replay = !opt.random.has_value();
    GameState game = replay ? gameOf(readSpinNumbers(opt.game, opt.format)) : GameState();
    if (!opt.limits.empty()) game.TableLimits = parseLimits(opt.limits);
    uint32_t seed = 0;
    if (!replay) {
        if (opt.seed)
            game.rng.setSeed(*opt.seed);
        else
            game.rng.Randomize();
        seed = game.rng.seed();
    }
    const int32_t requested = replay ? game.SpinCount : *opt.random;

    Interpreter run;
    StepRecorder recorder(opt.curve);
    RunOptions options;
    options.progressInterval = 1;
    options.progress = [&](const RunProgress& p) {
        if (p.step > 1) recorder.record(run);
        return false;
    };
    const RunResult result = run.Run(strategy, game, replay, requested, options);
    if (result.end != RunEnd::Finished) throw InputError(opt.strategy, result.message);
    recorder.record(run);

    Totals totals;
    totals.staked = recorder.staked();
    addOutcomes(run, replay, totals);
    recorder.commit();
    printResult(totalsText(totals, opt, seed));
}

}  // namespace

void addBacktestCommand(CLI::App& app) {
    auto opt = std::make_shared<BacktestOptions>();
    CLI::App* cmd = app.add_subcommand("backtest", "Run a strategy over a game's spins or over random spins");
    cmd->add_option("STRATEGY", opt->strategy, "Strategy file (.stg)")->required();
    auto* game = cmd->add_option("--game", opt->game,
                                 "Replay the spins of this game file, text export or number list");
    cmd->add_option("--format", opt->format, "Format of the --game file")
        ->check(CLI::IsMember(formatNames()))
        ->capture_default_str();
    auto* random = cmd->add_option("--random", opt->random, "Run over N random spins (N + 1 steps)")
                       ->check(CLI::Range(0, static_cast<int>(kMaxRunSpins)));
    cmd->add_option("--seed", opt->seed, "Seed of the generator (default: from the clock)")->needs(random);
    game->excludes(random);
    addLimitsOption(*cmd, opt->limits);
    cmd->add_option("--curve", opt->curve, "Write step,number,stake,winnings,balance to this CSV file");
    cmd->add_flag("--json", opt->json, "Print one JSON object instead of the table");
    cmd->callback([opt, game, random] {
        if (game->count() == 0 && random->count() == 0)
            throw CLI::ValidationError("a run needs --game IN or --random N");
        runBacktest(*opt);
    });
}

}  // namespace kv::cli
