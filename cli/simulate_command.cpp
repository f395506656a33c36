// kelvora-cli simulate: Monte Carlo sessions of a strategy against a
// bankroll ("will this strategy survive?"), with the bankroll needed for a
// target risk of ruin on request.
#include <CLI/CLI.hpp>
#include <cstdio>
#include <limits>
#include <nlohmann/json.hpp>
#include <optional>
#include <random>
#include <string>

#include "cli/cli_common.h"
#include "cli/commands.h"
#include "strategy/monte_carlo.h"
#include "strategy/monte_carlo_report.h"

namespace kv::cli {

namespace {

struct SimulateOptions {
    std::string strategy;
    int64_t sessions = 0;
    int32_t spins = 0;
    int64_t bankroll = 0;
    std::optional<int64_t> stopLoss;
    std::optional<int64_t> takeProfit;
    std::optional<uint64_t> seed;
    int threads = 0;
    std::string limits;
    std::optional<double> targetRuin;
    bool json = false;
    std::string sessionsCsv;
};

nlohmann::ordered_json asJson(const MonteCarloResult& r, const MonteCarloSettings& s,
                              const std::optional<BankrollSearch>& search) {
    nlohmann::ordered_json j;
    j["sessions"] = r.sessionsDone;
    j["spins"] = s.spins;
    j["bankroll"] = s.bankroll;
    j["seed"] = s.seed;
    j["ruined"] = r.ruined;
    j["stop_loss"] = r.stopLoss;
    j["take_profit"] = r.takeProfit;
    j["completed"] = r.completed;
    j["ruin_probability"] = r.ruinProbability;
    j["ruin_ci95"] = {r.ruinCi95.low, r.ruinCi95.high};
    j["mean_final"] = r.meanFinal;
    j["mean_final_ci95"] = {r.meanFinalCi95.low, r.meanFinalCi95.high};
    j["sd_final"] = r.sdFinal;
    j["ev_per_unit_staked"] = r.evPerUnitStaked;
    const BalancePercentiles& p = r.finalBalance;
    j["percentiles"] = {{"p1", p.p1},   {"p5", p.p5},   {"p25", p.p25}, {"p50", p.p50},
                        {"p75", p.p75}, {"p95", p.p95}, {"p99", p.p99}};
    j["mean_length"] = r.meanLength;
    j["median_length"] = r.medianLength;
    j["max_drawdown_p50"] = r.maxDrawdownP50;
    j["max_drawdown_p95"] = r.maxDrawdownP95;
    nlohmann::ordered_json fan = nlohmann::ordered_json::array();
    for (const FanPoint& f : r.fan)
        fan.push_back(
            {{"spin", f.spin}, {"p5", f.p5}, {"p25", f.p25}, {"p50", f.p50}, {"p75", f.p75}, {"p95", f.p95}});
    j["fan"] = std::move(fan);
    if (search) j["bankroll_for_target"] = search->bankroll;
    j["steps_per_second"] = r.stepsPerSecond;
    return j;
}

std::string asText(const MonteCarloResult& r, const MonteCarloSettings& s,
                   const std::optional<BankrollSearch>& search, double target) {
    std::string out;
    char line[200];
    auto add = [&](const char* format, auto... values) {
        std::snprintf(line, sizeof line, format, values...);
        out += line;
    };
    add("%-22s %lld of %d spins, bankroll %lld, seed %llu\n", "Sessions",
        static_cast<long long>(r.sessionsDone), s.spins, static_cast<long long>(s.bankroll),
        static_cast<unsigned long long>(s.seed));
    add("%-22s %lld ruined, %lld stop-loss, %lld take-profit, %lld completed\n", "Endings",
        static_cast<long long>(r.ruined), static_cast<long long>(r.stopLoss),
        static_cast<long long>(r.takeProfit), static_cast<long long>(r.completed));
    add("%-22s %.4f (95%% %.4f .. %.4f)\n", "Risk of ruin", r.ruinProbability, r.ruinCi95.low,
        r.ruinCi95.high);
    add("%-22s %.2f (95%% %.2f .. %.2f), sd %.2f\n", "Mean final balance", r.meanFinal, r.meanFinalCi95.low,
        r.meanFinalCi95.high, r.sdFinal);
    add("%-22s %.5f\n", "Result per unit staked", r.evPerUnitStaked);
    const BalancePercentiles& p = r.finalBalance;
    add("%-22s 1%%: %d  5%%: %d  25%%: %d  50%%: %d  75%%: %d  95%%: %d  99%%: %d\n", "Final balance", p.p1,
        p.p5, p.p25, p.p50, p.p75, p.p95, p.p99);
    add("%-22s mean %.1f, median %lld spins\n", "Session length", r.meanLength,
        static_cast<long long>(r.medianLength));
    add("%-22s median %lld, 95%% %lld\n", "Largest drawdown", static_cast<long long>(r.maxDrawdownP50),
        static_cast<long long>(r.maxDrawdownP95));
    if (search)
        add("%-22s %lld (risk %.4f at most %.4f)\n", "Bankroll for target",
            static_cast<long long>(search->bankroll), search->risk, target);
    add("%-22s %.0f\n", "Steps per second", r.stepsPerSecond);
    return out;
}

void runSimulate(const SimulateOptions& opt) {
    const Strategy strategy = readStrategy(opt.strategy);
    MonteCarloSettings s;
    s.sessions = opt.sessions;
    s.spins = opt.spins;
    s.bankroll = opt.bankroll;
    s.stopLoss = opt.stopLoss;
    s.takeProfit = opt.takeProfit;
    s.seed = opt.seed ? *opt.seed : (uint64_t{std::random_device{}()} << 32 | std::random_device{}());
    s.threads = opt.threads;
    s.keepSessions = !opt.sessionsCsv.empty();
    if (!opt.limits.empty()) s.limits = parseLimits(opt.limits);

    const MonteCarloResult r = runMonteCarlo(strategy, s);
    if (r.end != MonteCarloEnd::Finished) throw InputError(opt.strategy, r.message);
    std::optional<BankrollSearch> search;
    if (opt.targetRuin) {
        search = bankrollForRisk(strategy, s, *opt.targetRuin);
        if (search->end != MonteCarloEnd::Finished) throw InputError(opt.strategy, search->message);
    }
    if (!opt.sessionsCsv.empty()) writeFileAtomically(opt.sessionsCsv, monteCarloSessionsCsv(r.sessionRows));
    printResult(opt.json ? asJson(r, s, search).dump(2) + "\n"
                         : asText(r, s, search, opt.targetRuin.value_or(0)));
}

}  // namespace

void addSimulateCommand(CLI::App& app) {
    auto opt = std::make_shared<SimulateOptions>();
    CLI::App* cmd = app.add_subcommand("simulate", "Monte Carlo sessions of a strategy against a bankroll");
    cmd->add_option("STRATEGY", opt->strategy, "Strategy file (.stg)")->required();
    cmd->add_option("--sessions", opt->sessions, "Number of sessions")
        ->required()
        ->check(CLI::Range(int64_t{1}, std::numeric_limits<int64_t>::max()));
    cmd->add_option("--spins", opt->spins, "Spins of a session that is not stopped")
        ->required()
        ->check(CLI::NonNegativeNumber);
    cmd->add_option("--bankroll", opt->bankroll,
                    "Money behind the balance: a stake above bankroll + balance ruins")
        ->required()
        ->check(CLI::NonNegativeNumber);
    cmd->add_option("--stop-loss", opt->stopLoss, "End a session once its balance is at or below -L")
        ->check(CLI::PositiveNumber);
    cmd->add_option("--take-profit", opt->takeProfit, "End a session once its balance is at or above P")
        ->check(CLI::PositiveNumber);
    cmd->add_option("--seed", opt->seed, "Seed of the sessions' streams (default: random, printed)");
    cmd->add_option("--threads", opt->threads, "Threads (default: one per hardware thread)")
        ->check(CLI::NonNegativeNumber);
    addLimitsOption(*cmd, opt->limits);
    cmd->add_option("--target-ruin", opt->targetRuin,
                    "Also find the smallest bankroll with at most this risk of ruin")
        ->check(CLI::Range(0.0, 0.999999));
    cmd->add_flag("--json", opt->json, "Print one JSON object instead of the table");
    cmd->add_option("--sessions-csv", opt->sessionsCsv,
                    "Write session,end,final_balance,length,staked,max_drawdown to this CSV file");
    cmd->callback([opt] { runSimulate(*opt); });
}

}  // namespace kv::cli
