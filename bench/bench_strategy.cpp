// Strategy runs over random spins, as the tester's "Game on random sequence"
// does them (without the window's event processing). Compare the cost per
// step at 10,000 and at 1,000,000 steps: selections must not grow with the
// length of the run.

#include <benchmark/benchmark.h>

#include "core/game_state.h"
#include "strategy/interpreter.h"
#include "strategy/strategy_text.h"

namespace {

kv::Strategy parse(const std::vector<std::string>& lines) {
    kv::StrategyRead r = kv::readStrategyText(lines);
    if (!r.ok) throw std::runtime_error(r.error.text());
    return r.strategy;
}

// Martingale on red: one BET and two PARAMETER operators.
kv::Strategy martingale() {
    return parse({"",        "BET 5 v The sum of the bet", "BASE 5 v", "",           "ALWAYS",
                  "------",  "",                           "WIN",      "---",        "BET = BASE // 1 Back",
                  "",        "LOSE",                       "----",     "BET = BET * 2 // 2 Double",
                  "",        "DRAWN GAME",                 "----------", "",         "ALWAYS 2",
                  "--------", "BETS RED // 3 Red"});
}

// Five operators: an IF on the hotter colour of all spins so far choosing
// between red and the five coldest numbers of the last 37, and a
// progression of BET.
kv::Strategy selections() {
    return parse({"",
                  "BET 1 v The sum of the bet",
                  "",
                  "ALWAYS",
                  "------",
                  "IF HOT (0,RED) = 1 THEN // 1 Red is hot",
                  "{",
                  "      BETS RED // 2 Red",
                  "} ELSE",
                  "{",
                  "      BETS COLD (37,5) // 3 Five coldest",
                  "}",
                  "",
                  "WIN",
                  "---",
                  "BET = 1 // 5 Back",
                  "",
                  "LOSE",
                  "----",
                  "BET = BET + 1 // 4 Up",
                  "",
                  "DRAWN GAME",
                  "----------",
                  "",
                  "ALWAYS 2",
                  "--------"});
}

void runRandom(benchmark::State& state, kv::Strategy s) {
    const auto spins = static_cast<int32_t>(state.range(0));
    kv::GameState game;
    game.rng.setSeed(12345);
    kv::Interpreter run;
    for (auto _ : state) {
        const kv::RunResult r = run.Run(s, game, false, spins);
        if (r.end != kv::RunEnd::Finished) state.SkipWithError(r.message.c_str());
        benchmark::DoNotOptimize(run.balance());
    }
    const double steps = static_cast<double>(spins) + 1;
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * (steps)));
    state.counters["ns_per_step"] =
        benchmark::Counter(steps * static_cast<double>(state.iterations()),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.counters["bytes_per_step"] = static_cast<double>(run.memoryBytes()) / steps;
}

void BM_Martingale(benchmark::State& state) { runRandom(state, martingale()); }
void BM_FiveOperatorsTwoSelections(benchmark::State& state) { runRandom(state, selections()); }

BENCHMARK(BM_Martingale)->Arg(10'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FiveOperatorsTwoSelections)->Arg(10'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

}  // namespace
