#pragma once
// The fairness battery: eight tests that each look for one way a wheel can be
// biased (numbers, colours, dozens, columns, loaded sectors, jumps along the
// wheel, repeats, runs of colours), each with an exact p-value, judged
// together with Holm's method so that a fair wheel is called biased at most
// as often as the chosen family-wise level.
//
// A test whose expected counts would fall below 5 is skipped and says how
// many spins it needs: below that the chi-square and normal approximations
// stop being trustworthy.

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "analysis/sector_null.h"

namespace kv {

// The family-wise levels the settings offer; 0.01 is the default.
inline constexpr std::array<double, 3> kFairnessLevels = {0.05, 0.01, 0.001};
inline constexpr double kDefaultFairnessLevel = 0.01;
// A test runs when its smallest expected count is at least this.
inline constexpr double kMinimumExpectedCount = 5.0;

struct FairnessTestResult {
    std::string name;   // "numbers", "colours", ...: stable, for files and scripts
    std::string title;  // what the player reads
    double statistic = 0.0;
    int32_t df = 0;  // degrees of freedom; 0 for the tests that have none
    double pValue = 1.0;
    double adjustedP = 1.0;  // Holm-adjusted; 1 when skipped
    bool reject = false;
    bool skipped = false;
    int32_t spinsNeeded = 0;  // the shortest history the test runs on
    std::string skipReason;   // "needs 185 spins (has 120)" when skipped
};

struct FairnessReport {
    int32_t spins = 0;
    double level = kDefaultFairnessLevel;
    bool biased = false;
    bool tested = false;  // at least one test ran: too short a history says nothing
    // "No evidence of bias at 99 %", "Biased at 99 %: numbers, runs" or
    // "Too few spins for any test: the runs test needs 11"
    std::string verdict;
    std::vector<FairnessTestResult> tests;  // always the eight, in battery order
    // For the plots: (count - expected) / standard deviation of each number,
    // in wheel order (element 0 is zero's pocket), and the histogram of the
    // distances from each spin to the next, clockwise in pockets 0..36.
    std::array<double, 37> wheelResiduals{};
    std::array<int32_t, 37> distanceObserved{};
    std::array<double, 37> distanceExpected{};
};

// Runs the battery over the spins oldest first (numbers outside 0..36 are
// left out). The sector test takes its null distribution from `sectorNull`.
FairnessReport runFairnessBattery(std::span<const uint8_t> oldestFirst, double level,
                                  SectorNullCache& sectorNull);
// Judges the report's tests anew at another family-wise level: adjusted p,
// rejections and verdict. The tests themselves need not run again.
void judgeFairness(FairnessReport& report, double level);

// The history as the battery takes it, from SpinHistory's newest-first order.
std::vector<uint8_t> oldestFirstSpins(std::span<const int32_t> newestFirst);

// Holm's step-down adjustment: element i is the adjusted p of pValues[i].
std::vector<double> holmAdjust(std::span<const double> pValues);

// Clockwise distance in pockets from number a to number b (0..36).
int32_t wheelDistance(int a, int b);

// "99 %", "95 %", "99.9 %": the confidence that goes with a level.
std::string confidenceText(double level);

// The report as text lines, for the window's memo and the command line.
std::vector<std::string> fairnessReportLines(const FairnessReport& report);

}  // namespace kv
