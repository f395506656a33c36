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
#include "strategy/compiled_strategy.h"
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

// One row of the curve per step and the totals as the steps go by. A step
// with no number is the final step of a replay: its bets are for the next,
// unknown spin and are not settled.
class StepRecorder {
  public:
    explicit StepRecorder(const std::string& curvePath) {
        if (curvePath.empty()) return;
        curve_.emplace(curvePath);
        curve_->piece() += "step,number,stake,winnings,balance\r\n";
    }

    void settled(int number, int64_t stake, int64_t winnings, int32_t balance) {
        ++t_.steps;
        t_.staked += stake;
        // A step's outcome is the sign of what it added to the balance.
        if (balance > t_.finalBalance)
            ++t_.wins;
        else if (balance < t_.finalBalance)
            ++t_.losses;
        else
            ++t_.drawn;
        t_.finalBalance = balance;
        // The lowest and highest of the steps' balances, as the curve shows them.
        t_.minBalance = t_.steps == 1 ? balance : std::min(t_.minBalance, balance);
        t_.maxBalance = t_.steps == 1 ? balance : std::max(t_.maxBalance, balance);
        if (curve_) row(number, stake, winnings);
    }

    void unsettled(int64_t stake) {
        ++t_.steps;
        if (curve_) row(-1, stake, 0);
    }

    const Totals& totals() const { return t_; }
    void commit() {
        if (curve_) curve_->commit();
    }

  private:
    void row(int number, int64_t stake, int64_t winnings) {
        std::string& p = curve_->piece();
        appendInt(p, t_.steps);
        p += ',';
        if (number >= 0) appendInt(p, number);
        p += ',';
        appendInt(p, stake);
        p += ',';
        if (number >= 0) appendInt(p, winnings);
        p += ',';
        appendInt(p, t_.finalBalance);
        p += "\r\n";
        curve_->maybeFlush();
    }

    std::optional<PieceWriter> curve_;
    Totals t_;
};

// Each total once: its JSON key, its label in the table, its value.
std::string totalsText(const Totals& t, const BacktestOptions& opt, uint32_t seed) {
    struct Row {
        const char* key;
        const char* label;
        long long value;
    };
    std::vector<Row> rows = {
        {"steps", "Steps", t.steps},
        {"final_balance", "Final balance", t.finalBalance},
        {"min_balance", "Lowest balance", t.minBalance},
        {"max_balance", "Highest balance", t.maxBalance},
        {"wins", "Wins", t.wins},
        {"losses", "Losses", t.losses},
        {"drawn", "Drawn games", t.drawn},
        {"total_staked", "Total staked", t.staked},
    };
    if (opt.random) rows.push_back({"seed", "Seed", seed});
    if (opt.json) {
        nlohmann::ordered_json j;
        for (const Row& r : rows) j[r.key] = r.value;
        return j.dump(2) + "\n";
    }
    std::string out;
    char line[128];
    for (const Row& r : rows) {
        std::snprintf(line, sizeof line, "%-16s %lld\n", r.label, r.value);
        out += line;
    }
    return out;
}

// The tester's run on the compiled runner, which follows the interpreter
// step for step without keeping a list per step: N random spins take N + 1
// settled steps, each drawing its number as the tester does; a replay
// settles one step per spin, oldest first, and ends with a step that only
// places the bets for the next spin.
void runBacktest(const BacktestOptions& opt) {
    const Strategy strategy = readStrategy(opt.strategy);
    const bool replay = !opt.random.has_value();
    const std::vector<uint8_t> numbers =
        replay ? readSpinNumbers(opt.game, opt.format) : std::vector<uint8_t>();
    if (numbers.size() > static_cast<size_t>(kMaxRunSpins))
        throw InputError(opt.game, "A run takes at most " + std::to_string(kMaxRunSpins) + " spins");
    GameState game;  // the table limits and the generator of a new game
    if (!opt.limits.empty()) game.TableLimits = parseLimits(opt.limits);
    uint32_t seed = 0;
    if (!replay) {
        if (opt.seed)
            game.rng.setSeed(*opt.seed);
        else
            game.rng.Randomize();
        seed = game.rng.seed();
    }
    const int64_t settledSteps = replay ? static_cast<int64_t>(numbers.size()) : int64_t{*opt.random} + 1;

    std::string error;
    std::optional<CompiledStrategy> run =
        CompiledStrategy::compile(strategy, game.TableLimits, settledSteps + 1, error);
    if (!run) throw InputError(opt.strategy, error);
    run->reset();
    StepRecorder recorder(opt.curve);
    try {
        for (int64_t i = 0; i < settledSteps; ++i) {
            const int64_t stake = run->placeBets();
            const int x = replay ? numbers[static_cast<size_t>(i)] : game.RandNum();
            run->settle(x);
            recorder.settled(x, stake, run->winnings(), run->balance());
        }
        if (replay) recorder.unsettled(run->placeBets());
    } catch (const StrategyRunError& e) {
        throw InputError(opt.strategy, e.what());
    }
    recorder.commit();
    printResult(totalsText(recorder.totals(), opt, seed));
}

}  // namespace

void addBacktestCommand(CLI::App& app) {
    auto opt = std::make_shared<BacktestOptions>();
    CLI::App* cmd = app.add_subcommand("backtest", "Run a strategy over a game's spins or over random spins");
    cmd->add_option("STRATEGY", opt->strategy, "Strategy file (.stg)")->required();
    auto* game = cmd->add_option("--game", opt->game,
                                 "Replay the spins of this game file, text export or number list");
    addFormatOption(*cmd, opt->format, "the --game file");
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
