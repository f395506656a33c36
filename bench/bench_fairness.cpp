// The fairness battery over long histories. With the sector test's null
// distribution already cached, the whole battery over 10,000 spins must stay
// under 1 ms and over 1,000,000 spins under 50 ms; simulating a null
// distribution the first time must stay under half a second.
#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "analysis/fairness_battery.h"
#include "analysis/sector_null.h"

namespace {

std::vector<uint8_t> fairSpins(int64_t n) {
    std::mt19937 rng(5);
    std::uniform_int_distribution<int> spin(0, 36);
    std::vector<uint8_t> h(static_cast<size_t>(n));
    for (auto& v : h) v = static_cast<uint8_t>(spin(rng));
    return h;
}

void BM_FairnessBattery(benchmark::State& state) {
    const std::vector<uint8_t> h = fairSpins(state.range(0));
    kv::SectorNullCache cache;
    kv::runFairnessBattery(h, kv::kDefaultFairnessLevel, cache);  // fills the cache
    for (auto _ : state) {
        const kv::FairnessReport r = kv::runFairnessBattery(h, kv::kDefaultFairnessLevel, cache);
        benchmark::DoNotOptimize(r.tests.data());
    }
}
BENCHMARK(BM_FairnessBattery)->Arg(10000)->Arg(1000000)->Unit(benchmark::kMillisecond);

void BM_SectorNullFirstTime(benchmark::State& state) {
    for (auto _ : state) {
        const std::vector<float> v =
            kv::simulateSectorNull(static_cast<int32_t>(state.range(0)), kv::SectorNullCache::kReplicates,
                                   kv::SectorNullCache::kSeed);
        benchmark::DoNotOptimize(v.data());
    }
}
BENCHMARK(BM_SectorNullFirstTime)->Arg(100)->Arg(10000)->Arg(1000000)->Unit(benchmark::kMillisecond);

}  // namespace
