// Cost of one "CALC" over a long game: the advice of all six categories
// with their miss counts, and the click list that places the chips. The
// miss count slides its windows along the history, so the cost grows with
// N + E per category; every setting must answer within 20 ms at 100,000
// spins (BM_CalculateCorners).

#include <benchmark/benchmark.h>

#include <iterator>
#include <string>
#include <vector>

#include "calculate/calculate_plan.h"
#include "core/generator.h"

namespace {

std::vector<int32_t> randomHistory(int32_t spins) {
    kv::Generator g(20240601);
    std::vector<int32_t> h(static_cast<size_t>(spins));
    for (auto& x : h) x = kv::RandNum(g, 1);
    return h;
}

kv::AdvisorParams allCategories(int32_t errors, int32_t window, long double f) {
    kv::CalculateSettings s;
    kv::restoreDefaults(s);
    s.category[kv::kNumbers] = true;
    s.errors = std::to_string(errors);
    s.statisticNumbers = std::to_string(window);
    kv::AdvisorParams p = kv::advisorParams(s);
    p.downturn = f;
    return p;
}

void runPlan(benchmark::State& state, const kv::AdvisorParams& p, const std::vector<int32_t>& h) {
    for (auto _ : state) {
        kv::CalculatePlan plan = kv::planCalculate(p, h);
        benchmark::DoNotOptimize(plan.clicks.data());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(h.size()));
}

// The defaults (E = 2, all spins, f = 0.75) over games of growing length.
void BM_CalculateDefaults(benchmark::State& state) {
    const auto h = randomHistory(static_cast<int32_t>(state.range(0)));
    runPlan(state, allCategories(2, 0, 0.75L), h);
}
BENCHMARK(BM_CalculateDefaults)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// "Random Play" at its most demanding: E = 10, every spin weighing the same.
void BM_CalculateEqualWeights(benchmark::State& state) {
    const auto h = randomHistory(static_cast<int32_t>(state.range(0)));
    runPlan(state, allCategories(10, 0, 1.0L), h);
}
BENCHMARK(BM_CalculateEqualWeights)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// The "Errors" up-down at its top (32000) over a 100-spin window.
void BM_CalculateManyErrors(benchmark::State& state) {
    const auto h = randomHistory(static_cast<int32_t>(state.range(0)));
    runPlan(state, allCategories(32000, 100, 0.75L), h);
}
BENCHMARK(BM_CalculateManyErrors)->Arg(100000)->Unit(benchmark::kMillisecond);

// The corners of the settings at 100,000 spins: "Errors" 0, 2 and its top
// (32000), "Statistic Numbers" 1, 100 and all spins, "Downturn Factor" 0,
// 0.75, 1 (every spin the same), 1.01 (the top of "Random Play": older
// spins weigh more) and 50 (typed in).
struct Corner {
    int32_t errors;
    int32_t window;
    long double f;
};
constexpr Corner kCorners[] = {
    {32000, 0, 0.75L}, {32000, 0, 1.0L},   {32000, 0, 1.01L}, {32000, 0, 0.0L}, {32000, 0, 50.0L},
    {32000, 1, 0.75L}, {32000, 100, 1.0L}, {2, 0, 1.01L},     {0, 0, 0.75L},    {32000, 99999, 0.5L},
};

void BM_CalculateCorners(benchmark::State& state) {
    const Corner& c = kCorners[state.range(0)];
    const auto h = randomHistory(100000);
    std::string label = "E=";
    label += std::to_string(c.errors);
    label += " N=";
    label += std::to_string(c.window);
    label += " f=";
    label += std::to_string(static_cast<double>(c.f));
    state.SetLabel(label);
    runPlan(state, allCategories(c.errors, c.window, c.f), h);
}
BENCHMARK(BM_CalculateCorners)->DenseRange(0, std::size(kCorners) - 1)->Unit(benchmark::kMillisecond);

}  // namespace
