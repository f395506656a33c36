// The statistics windows with 100,000 spins in the history: what one redraw
// of the FOREST page, of the CHART page with every group on, and of a
// Statistic page computes (the drawing records the window then paints), and
// what a redraw after one new spin costs.

#include <benchmark/benchmark.h>

#include <memory>

#include "analysis/chart_picture.h"
#include "analysis/chart_style.h"
#include "analysis/chart_tally.h"
#include "analysis/forest_picture.h"
#include "analysis/sectors_bounds.h"
#include "analysis/statistic_table.h"
#include "core/game_state.h"

namespace {

constexpr int kSpins = 100000;

kv::GameState& bigGame() {
    static std::unique_ptr<kv::GameState> s = [] {
        auto g = std::make_unique<kv::GameState>();
        kv::Generator rng(2024);
        for (int i = 0; i < kSpins; ++i) g->RecordSpin(rng.Random(37));
        return g;
    }();
    return *s;
}

kv::ChartStyle allGroups() {
    kv::ChartStyle s = kv::defaultChartStyle();
    s.groups.fill(true);
    return s;
}

void BM_TallyFirstRead(benchmark::State& st) {
    const kv::GameState& g = bigGame();
    for (auto _ : st) {
        kv::SpinTally t;
        t.sync(g);
        benchmark::DoNotOptimize(t.spinCount());
    }
}
BENCHMARK(BM_TallyFirstRead)->Unit(benchmark::kMillisecond);

void BM_ForestRedraw(benchmark::State& st) {
    const kv::GameState& g = bigGame();
    kv::SpinTally t;
    t.sync(g);
    const auto mode = static_cast<kv::ForestMode>(st.range(0));
    const int32_t amount = static_cast<int32_t>(st.range(1));
    for (auto _ : st) {
        t.sync(g);
        kv::ForestPicture f = kv::drawForest(t, {amount, mode, 1, 553, 325});
        benchmark::DoNotOptimize(f.shapes.data());
    }
}
BENCHMARK(BM_ForestRedraw)
    ->Args({1, kSpins})
    ->Args({1, 60000})
    ->Args({1, 500})
    ->Args({2, kSpins})
    ->Args({3, kSpins})
    ->Args({4, kSpins})
    ->Unit(benchmark::kMillisecond);

void BM_ForestAfterOneSpin(benchmark::State& st) {
    kv::GameState& g = bigGame();
    kv::SpinTally t;
    t.sync(g);
    kv::Generator rng(7);
    for (auto _ : st) {
        g.RecordSpin(rng.Random(37));
        t.sync(g);
        kv::ForestPicture f = kv::drawForest(t, {t.spinCount(), kv::ForestMode::Numbers, 1, 553, 325});
        benchmark::DoNotOptimize(f.shapes.data());
    }
}
BENCHMARK(BM_ForestAfterOneSpin)->Unit(benchmark::kMillisecond);

void BM_ChartAllGroups(benchmark::State& st) {
    const kv::GameState& g = bigGame();
    kv::SpinTally t;
    t.sync(g);
    const kv::ChartStyle style = allGroups();
    const int32_t zoom = static_cast<int32_t>(st.range(0));
    size_t points = 0;
    for (auto _ : st) {
        t.sync(g);
        kv::ChartPicture p = kv::drawChart(t, style, {t.spinCount(), zoom, 100, 100, 517, 312});
        points = 0;
        for (size_t i = 1; i < p.shapes.size(); ++i)
            points += std::get<kv::ShapePolyline>(p.shapes[i]).points.size();
        benchmark::DoNotOptimize(p.shapes.data());
    }
    st.counters["points"] = static_cast<double>(points);
}
BENCHMARK(BM_ChartAllGroups)->Arg(kSpins)->Arg(5000)->Arg(100)->Unit(benchmark::kMillisecond);

void BM_StatisticPage(benchmark::State& st) {
    const kv::GameState& g = bigGame();
    const kv::SectorBounds b;
    const kv::StatisticLayout l = kv::statisticLayout(584, g.SpinCount);
    for (auto _ : st) {
        kv::Picture p = kv::statisticPage(g, b, 489, l.paintHeight, l.scrollMax, l.rows);
        benchmark::DoNotOptimize(p.data());
    }
}
BENCHMARK(BM_StatisticPage)->Unit(benchmark::kMicrosecond);

}  // namespace
