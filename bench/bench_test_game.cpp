// The honesty tests over long histories. The first test over 10,000 spins
// must stay well under half a second: it slides every window by one spin
// instead of recounting it.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>
#include <vector>

#include "analysis/rndtest_table.h"
#include "analysis/test_game_bets.h"
#include "analysis/test_game_concentration.h"

namespace {

const kv::RndTestTable& shippedTable() {
    static const kv::RndTestTable t = kv::RndTestTable::read(
        std::filesystem::path(__FILE__).parent_path().parent_path() / "data" / "rndtest.dat");
    return t;
}

std::vector<int32_t> fairSpins(int n, unsigned seed) {
    std::mt19937 rng(seed);
    std::uniform_int_distribution<int> spin(0, 36);
    std::vector<int32_t> h(static_cast<size_t>(n));
    for (auto& v : h) v = spin(rng);
    return h;
}

// A crooked wheel: every 400 spins a stretch of 40 in which number 17 comes
// one time in three, so that windows fail and the scan must jump marks.
std::vector<int32_t> crookedSpins(int n, unsigned seed) {
    std::vector<int32_t> h = fairSpins(n, seed);
    for (int i = 0; i < n; ++i)
        if (i % 400 < 40 && i % 3 == 0) h[static_cast<size_t>(i)] = 17;
    return h;
}

void BM_ConcentrationTestFair(benchmark::State& state) {
    if (!shippedTable().present()) {
        state.SkipWithError("data/rndtest.dat is missing");
        return;
    }
    const std::vector<int32_t> h = fairSpins(static_cast<int>(state.range(0)), 1);
    int calls = 0;
    for (auto _ : state) {
        const kv::ConcentrationResult r = kv::ConcentrationTest(h, shippedTable(), [&](int) { ++calls; });
        benchmark::DoNotOptimize(r.lines.data());
    }
    state.counters["progress_calls"] = calls / static_cast<double>(state.iterations());
}
BENCHMARK(BM_ConcentrationTestFair)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_ConcentrationTestCrooked(benchmark::State& state) {
    if (!shippedTable().present()) {
        state.SkipWithError("data/rndtest.dat is missing");
        return;
    }
    const std::vector<int32_t> h = crookedSpins(static_cast<int>(state.range(0)), 2);
    size_t runs = 0;
    for (auto _ : state) {
        const kv::ConcentrationResult r = kv::ConcentrationTest(h, shippedTable());
        runs = r.runs.size();
    }
    state.counters["shady_runs"] = static_cast<double>(runs);
}
BENCHMARK(BM_ConcentrationTestCrooked)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_BetsTest(benchmark::State& state) {
    kv::GameState game;
    const std::vector<int32_t> h = fairSpins(static_cast<int>(state.range(0)), 3);
    for (size_t i = 0; i < h.size(); ++i) {
        game.CurrentBets.clear();
        game.CurrentBets.at(11, 8) = 5;                                  // red
        game.CurrentBets.at(2 * (static_cast<int>(i) % 12) + 3, 1) = 1;  // a straight
        game.RecordSpin(h[i]);
    }
    for (auto _ : state) {
        const kv::BetsTestResult r = kv::BetsTest(game);
        benchmark::DoNotOptimize(r.lines.data());
    }
}
BENCHMARK(BM_BetsTest)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace
