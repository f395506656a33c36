// Cost of one "CALC" over a long game: the advice of all six categories
// with their miss counts, and the click list that places the chips. Each
// miss count re-evaluates the window once per tested advice, so the cost
// grows with E x N per category.

#include <benchmark/benchmark.h>

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

}  // namespace
