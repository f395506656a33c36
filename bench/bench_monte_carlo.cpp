// Monte Carlo sessions of the shipped strategies. Steps per second are
// settled steps (spins) of all sessions over the wall time of the run.
//   martingale_red: at least 40 M steps/s on one thread, 1.8 times that on two;
//   hot_five: at least 10 M steps/s on one thread;
//   100,000 sessions of 1,000 spins of martingale_red, bankroll 1,000: at most
//   1.0 s on two threads.

#include <benchmark/benchmark.h>

#include <ctime>
#include <filesystem>
#include <stdexcept>
#include <string>

#include "strategy/monte_carlo.h"
#include "strategy/strategy_file.h"

namespace {

kv::Strategy shipped(const std::string& name) {
    const auto path = std::filesystem::path(KV_SOURCE_DIR) / "data" / "strategies" / (name + ".stg");
    kv::StrategyFileRead r = kv::loadStrategyFile(path);
    if (r.status != kv::StrategyFileStatus::Ok) throw std::runtime_error(path.string() + ": " + r.message);
    return r.strategy;
}

// Sessions that are never ruined, so that every one runs its full length.
void runShipped(benchmark::State& state, const std::string& name, int64_t sessions, int64_t bankroll) {
    const kv::Strategy strategy = shipped(name);
    kv::MonteCarloSettings s;
    s.sessions = sessions;
    s.spins = 1000;
    s.bankroll = bankroll;
    s.seed = 1;
    s.threads = static_cast<int>(state.range(0));
    int64_t steps = 0;
    double seconds = 0;
    const std::clock_t cpuStart = std::clock();
    for (auto _ : state) {
        const kv::MonteCarloResult r = kv::runMonteCarlo(strategy, s);
        steps += r.steps;
        seconds += r.seconds;
        benchmark::DoNotOptimize(r.meanFinal);
    }
    state.counters["Msteps_per_s"] = seconds > 0 ? steps / seconds / 1e6 : 0;
    // Per second of processor time of all threads: the figure to read on a
    // machine shared with other work.
    const double cpu = static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC;
    state.counters["Msteps_per_cpu_s"] = cpu > 0 ? steps / cpu / 1e6 : 0;
}

void BM_MartingaleSteps(benchmark::State& state) {
    runShipped(state, "martingale_red", 20'000, 1'000'000'000);
}
BENCHMARK(BM_MartingaleSteps)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_HotFiveSteps(benchmark::State& state) { runShipped(state, "hot_five", 10'000, 1'000'000'000); }
BENCHMARK(BM_HotFiveSteps)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_HotDozenSteps(benchmark::State& state) { runShipped(state, "hot_dozen", 10'000, 1'000'000'000); }
BENCHMARK(BM_HotDozenSteps)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

// The survival question as asked: 100,000 sessions, bankroll 1,000.
void BM_Martingale100kSessions(benchmark::State& state) {
    runShipped(state, "martingale_red", 100'000, 1'000);
}
BENCHMARK(BM_Martingale100kSessions)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
