// Recording and settling spins through the engine. The cost of one spin must
// not depend on how long the game already is: compare the two game lengths.
#include <benchmark/benchmark.h>

#include "core/bets.h"
#include "core/game_state.h"

namespace {

void placeSomeBets(kv::GameState& s) {
    s.CurrentBets.at(11, 8) = 10;  // RED
    s.CurrentBets.at(26, 3) = 5;   // COL2
    s.CurrentBets.at(13, 3) = 1;   // 17
    s.CurrentBets.at(4, 2) = 2;    // corner 2-3-5-6
    s.Bet = s.CurrentBets.sum();
}

void recordAndSettle(kv::GameState& s, int n) {
    s.BallPocket = kv::WheelPosition(n);
    s.RecordSpin(n);
    kv::settleBets(s);
    s.Bet = s.CurrentBets.sum();
}

// Plays state.range(0) spins into a fresh game, then measures further spins.
void BM_RecordAndSettle(benchmark::State& state) {
    kv::GameState s;
    s.Credit = 1'000'000;
    placeSomeBets(s);
    kv::Generator g(7);
    const auto base = state.range(0);
    for (int64_t i = 0; i < base; ++i) recordAndSettle(s, g.Random(37));
    // Keep the length of the game near `base` so that the measurement is the
    // per-spin cost at that length.
    int64_t sinceReset = 0;
    for (auto _ : state) {
        recordAndSettle(s, g.Random(37));
        if (++sinceReset == 1000) {
            state.PauseTiming();
            s.addToSpinCount(-1000);
            sinceReset = 0;
            state.ResumeTiming();
        }
    }
    state.SetItemsProcessed(state.iterations());
    state.counters["spins_in_game"] = static_cast<double>(s.SpinCount);
    state.counters["history_capacity"] = static_cast<double>(s.HistoryCapacity());
}
BENCHMARK(BM_RecordAndSettle)->Arg(1'000)->Arg(100'000);

// A whole game of N spins from the start: total time over N shows the
// amortised cost including every growth of the history.
void BM_WholeGame(benchmark::State& state) {
    const auto n = state.range(0);
    for (auto _ : state) {
        kv::GameState s;
        s.Credit = 1'000'000;
        placeSomeBets(s);
        kv::Generator g(11);
        for (int64_t i = 0; i < n; ++i) recordAndSettle(s, g.Random(37));
        benchmark::DoNotOptimize(s.Credit);
    }
    state.SetItemsProcessed(state.iterations() * n);
    // Memory of one stored spin: its bets, its number and its result entry.
    state.counters["bytes_per_spin"] = static_cast<double>(sizeof(kv::BetGrid) + 2 * sizeof(int32_t));
}
BENCHMARK(BM_WholeGame)->Arg(1'000)->Arg(100'000)->Unit(benchmark::kMillisecond);

// "R" over a history of two long stretches of flat bets (N spins on red,
// then N on black): the third click walks the whole red stretch, each of
// whose sets a newer spin also had. Its cost must grow with N, not N^2.
void BM_RepeatOverTwoStretches(benchmark::State& state) {
    const auto n = state.range(0);
    kv::GameState s;
    s.Credit = 1'000;
    for (const int cell : {11, 15}) {
        kv::BetGrid g;
        g.at(cell, 8) = 5;
        for (int64_t i = 0; i < n; ++i) {
            s.CurrentBets = g;
            s.RecordSpin(static_cast<int>(i % 37));
        }
    }
    for (auto _ : state) {
        s.RepeatCursor = 0;
        for (int click = 0; click < 3; ++click) kv::RepeatBets(s);
        benchmark::DoNotOptimize(s.CurrentBets);
    }
    state.SetComplexityN(n);
}
BENCHMARK(BM_RepeatOverTwoStretches)->Arg(2'000)->Arg(20'000)->Unit(benchmark::kMillisecond)->Complexity();

}  // namespace
