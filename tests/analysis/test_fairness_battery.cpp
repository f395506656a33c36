#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>
#include <numeric>
#include <random>
#include <string>
#include <vector>

#include "analysis/fairness_battery.h"
#include "analysis/sector_null.h"

using namespace kv;

namespace {

SectorNullCache& memoryCache() {
    static SectorNullCache cache;
    return cache;
}

const FairnessTestResult& test(const FairnessReport& r, const std::string& name) {
    return *std::find_if(r.tests.begin(), r.tests.end(), [&](const auto& t) { return t.name == name; });
}

// `times` copies of each number 0..36, shuffled with a fixed seed.
std::vector<uint8_t> evenHistory(int times, unsigned seed) {
    std::vector<uint8_t> h;
    for (int k = 0; k < times; ++k)
        for (int n = 0; n < 37; ++n) h.push_back(static_cast<uint8_t>(n));
    std::shuffle(h.begin(), h.end(), std::mt19937(seed));
    return h;
}

// The numbers of `h` with `from` replaced by `to` in its first `count` places.
std::vector<uint8_t> moved(std::vector<uint8_t> h, int from, int to, int count) {
    for (auto& v : h)
        if (v == from && count > 0) v = static_cast<uint8_t>(to), --count;
    return h;
}

}  // namespace

TEST(FairnessBattery, ChiSquareStatisticsMatchHandComputedValues) {
    // 370 spins, ten of each number, then zero takes ten spins from 36 (zero
    // 20, number 36 none): numbers = (10^2 + 10^2) / 10 = 20 with 36 df.
    const std::vector<uint8_t> h = moved(evenHistory(10, 1), 36, 0, 10);
    const FairnessReport r = runFairnessBattery(h, 0.01, memoryCache());
    const FairnessTestResult& numbers = test(r, "numbers");
    EXPECT_DOUBLE_EQ(numbers.statistic, 20.0);
    EXPECT_EQ(numbers.df, 36);
    // For even df, P(chi2_2m > x) = P(Poisson(x / 2) < m): here P(Poisson(10) <= 17).
    double poisson = 0.0, term = std::exp(-10.0);
    for (int j = 0; j <= 17; ++j, term *= 10.0 / j) poisson += term;
    EXPECT_NEAR(numbers.pValue, poisson, 1e-12);

    // Colours: zero 20 (expected 10), red 170 and black 180 (180 each):
    // 100 / 10 + 100 / 180, and with 2 df p = exp(-statistic / 2).
    const FairnessTestResult& colours = test(r, "colours");
    EXPECT_NEAR(colours.statistic, 10.0 + 100.0 / 180.0, 1e-12);
    EXPECT_NEAR(colours.pValue, std::exp(-colours.statistic / 2.0), 1e-12);
    // Dozens: zero 20, the third dozen 110, the others 120 (expected 10, 120).
}

TEST(FairnessBattery, SequenceTestsMatchHandComputedValues) {
    EXPECT_EQ(wheelDistance(0, 32), 1);

    // expected with variance 2 * 100 * 180 / (400 * 19).
    std::vector<uint8_t> alternating;
    for (int i = 0; i < 20; ++i) alternating.push_back(i % 2 ? 2 : 1);
    const FairnessReport runs = runFairnessBattery(alternating, 0.01, memoryCache());
    EXPECT_NEAR(test(runs, "runs").statistic, (9.0 - 0.5) / std::sqrt(36000.0 / 7600.0), 1e-12);
    EXPECT_TRUE(test(runs, "runs").reject);

    // Exactly one repeat among 369 steps: p = P(at least one) = 1 - (36/37)^369.
    std::vector<uint8_t> once(370);
    for (size_t i = 0; i < once.size(); ++i) once[i] = static_cast<uint8_t>(i * 5 % 37);
    once[1] = once[0];
    const FairnessReport onceReport = runFairnessBattery(once, 0.01, memoryCache());
    const FairnessTestResult& repeats = test(onceReport, "repeats");
    EXPECT_EQ(repeats.statistic, 1.0);
    EXPECT_NEAR(repeats.pValue, 1.0 - std::pow(36.0 / 37.0, 369.0), 1e-12);

    // All 37 spins in one pocket: the arc of three holds 37 where 3 are
    // expected, the largest excess of all arcs.
    std::array<int32_t, 37> onePocket{};
    onePocket[5] = 37;
    EXPECT_NEAR(sectorMaxExcess(onePocket, 37), 34.0 / std::sqrt(37 * (3.0 / 37) * (34.0 / 37)), 1e-12);
}

TEST(FairnessBattery, HolmAdjustsInOrderOfTheSmallestP) {
    // Sorted 0.005, 0.01, 0.03, 0.04 times 4, 3, 2, 1; never smaller than
    // the adjusted value before, never above 1.
    const std::vector<double> adjusted = holmAdjust(std::vector<double>{0.01, 0.04, 0.03, 0.005});
    const std::vector<double> expected = {0.03, 0.06, 0.06, 0.02};
    for (size_t i = 0; i < expected.size(); ++i) EXPECT_NEAR(adjusted[i], expected[i], 1e-15);
    EXPECT_EQ(holmAdjust(std::vector<double>{0.6, 0.7})[0], 1.0);
}

TEST(FairnessBattery, TestsNeedingLongerHistoriesAreSkippedWithTheirLength) {
    const FairnessReport r = runFairnessBattery(evenHistory(3, 3), 0.01, memoryCache());  // 111 spins
    for (const char* name : {"numbers", "colours", "dozens", "columns", "distance", "repeats"}) {
        EXPECT_TRUE(test(r, name).skipped && !test(r, name).reject) << name;
    }
    EXPECT_EQ(test(r, "distance").spinsNeeded, 186);
    EXPECT_FALSE(test(r, "sectors").skipped || test(r, "runs").skipped);
    const std::vector<std::string> lines = fairnessReportLines(r);
    EXPECT_NE(std::find(lines.begin(), lines.end(), "  skipped: needs 185 spins (has 111)"), lines.end());

    // Below 62 spins even the smallest arc expects fewer than five.
    EXPECT_TRUE(
        test(runFairnessBattery(std::vector<uint8_t>(61, 7), 0.01, memoryCache()), "sectors").skipped);
    // A history too short for every test is no evidence either way.
    const FairnessReport none = runFairnessBattery(std::vector<uint8_t>(10, 7), 0.01, memoryCache());
    EXPECT_FALSE(none.tested || none.biased);
    EXPECT_EQ(none.verdict, "Too few spins for any test: the runs test needs 11");
}

TEST(FairnessBattery, BiasedWheelIsCalledBiasedAndEvenOneIsNot) {
    const FairnessReport even = runFairnessBattery(evenHistory(20, 4), 0.01, memoryCache());
    EXPECT_FALSE(even.biased);
    EXPECT_EQ(even.verdict, "No evidence of bias at 99 %");

    // Number 17 one spin in five.
    std::mt19937 rng(5);
    std::vector<uint8_t> loaded(1000);
    for (auto& v : loaded) v = static_cast<uint8_t>(rng() % 5 == 0 ? 17 : rng() % 37);
    const FairnessReport biased = runFairnessBattery(loaded, 0.001, memoryCache());
    EXPECT_TRUE(biased.biased);
    EXPECT_TRUE(test(biased, "sectors").reject);
    EXPECT_EQ(biased.verdict.rfind("Biased at 99.9 %: numbers, ", 0), 0u) << biased.verdict;
    // The plots: 17's pocket (WheelOrder[29]) stands out, the distances count every step.
    const auto& residuals = biased.wheelResiduals;
    EXPECT_EQ(std::max_element(residuals.begin(), residuals.end()) - residuals.begin(), 29);
}

// A damaged or truncated file is simulated again (the same values: the seed
// is fixed) and repaired; a sound one is read.
TEST(SectorNullCache, KeepsItsFileAndRebuildsADamagedOne) {
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "kv_sector_null_test";
    std::filesystem::remove_all(folder);
    const std::vector<float> simulated = *SectorNullCache(folder).distribution(100);
    EXPECT_TRUE(std::is_sorted(simulated.begin(), simulated.end()));
    const auto file = SectorNullCache(folder).fileFor(100);
    const std::function<void()> damages[] = {
        [] {},
        [&] { std::fstream(file, std::ios::in | std::ios::out | std::ios::binary).seekp(1000) << "damaged"; },
        [&] { std::filesystem::resize_file(file, 100); },
    };
    for (size_t i = 0; i < std::size(damages); ++i) {
        damages[i]();
        SectorNullCache cache(folder);
        EXPECT_EQ(*cache.distribution(100), simulated) << i;
        EXPECT_EQ(cache.lastSource(),
                  i == 0 ? SectorNullCache::Source::Disk : SectorNullCache::Source::Simulated)
            << i;
        SectorNullCache again(folder);
        again.distribution(100);
        EXPECT_EQ(again.lastSource(), SectorNullCache::Source::Disk) << i;
    }
    std::filesystem::remove_all(folder);
}
