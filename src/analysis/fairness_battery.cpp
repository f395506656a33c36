#include "analysis/fairness_battery.h"

#include <algorithm>
#include <boost/math/distributions/binomial.hpp>
#include <boost/math/distributions/chi_squared.hpp>
#include <boost/math/distributions/normal.hpp>
#include <cmath>
#include <cstdio>
#include <numeric>

#include "core/roulette.h"

namespace kv {

namespace {

enum Colour { kZero = 0, kRed = 1, kBlack = 2 };

constexpr std::array<uint8_t, 37> kColour = [] {
    std::array<uint8_t, 37> c{};
    for (int n = 1; n < 37; ++n) c[static_cast<size_t>(n)] = isRed(n) ? kRed : kBlack;
    return c;
}();

// Everything the tests need, gathered in one pass over the history.
struct Tally {
    int32_t spins = 0;
    std::array<int32_t, 37> numbers{};
    std::array<int32_t, 37> distances{};
    int32_t colourSpins = 0;  // red or black
    int32_t reds = 0;
    int32_t colourRuns = 0;
};

Tally tally(std::span<const uint8_t> spins) {
    Tally t;
    int previous = -1;
    int previousColour = kZero;
    for (const uint8_t n : spins) {
        if (n > 36) continue;
        ++t.spins;
        ++t.numbers[n];
        if (previous >= 0) ++t.distances[static_cast<size_t>(wheelDistance(previous, n))];
        previous = n;
        const int colour = kColour[n];
        if (colour == kZero) continue;
        ++t.colourSpins;
        if (colour == kRed) ++t.reds;
        if (colour != previousColour) ++t.colourRuns;
        previousColour = colour;
    }
    return t;
}

double chiSquareP(double statistic, int32_t df) {
    return boost::math::cdf(boost::math::complement(boost::math::chi_squared(df), statistic));
}

// Pearson's statistic of observed counts against expected counts.
double pearson(std::span<const int32_t> observed, std::span<const double> expected) {
    double sum = 0.0;
    for (size_t i = 0; i < observed.size(); ++i) {
        const double d = observed[i] - expected[i];
        sum += d * d / expected[i];
    }
    return sum;
}

// The shortest history whose smallest expected count, share * (spins -
// lost) with share = pockets / 37, reaches kMinimumExpectedCount.
int32_t spinsFor(int32_t pockets, int32_t lost = 0) {
    const int32_t needed = static_cast<int32_t>(kMinimumExpectedCount) * 37;
    return (needed + pockets - 1) / pockets + lost;
}

FairnessTestResult makeTest(const char* name, const char* title, int32_t spinsNeeded, int32_t spins) {
    FairnessTestResult r;
    r.name = name;
    r.title = title;
    r.spinsNeeded = spinsNeeded;
    if (spins < spinsNeeded) {
        r.skipped = true;
        r.skipReason = "needs " + std::to_string(spinsNeeded) + " spins (has " + std::to_string(spins) + ")";
    }
    return r;
}

// A chi-square test of counts grouped by `group` (number -> group index)
// against groups of the given numbers of pockets.
template <size_t G>
void groupedChiSquare(FairnessTestResult& r, const Tally& t, const std::array<int32_t, G>& pockets,
                      int (*group)(int)) {
    if (r.skipped) return;
    std::array<int32_t, G> observed{};
    std::array<double, G> expected{};
    for (int n = 0; n < 37; ++n) observed[static_cast<size_t>(group(n))] += t.numbers[static_cast<size_t>(n)];
    for (size_t g = 0; g < G; ++g) expected[g] = t.spins * pockets[g] / 37.0;
    r.statistic = pearson(observed, expected);
    r.df = static_cast<int32_t>(G) - 1;
    r.pValue = chiSquareP(r.statistic, r.df);
}

int colourGroup(int n) { return kColour[static_cast<size_t>(n)]; }
int dozenGroup(int n) { return n == 0 ? 0 : (n - 1) / 12 + 1; }
int columnGroup(int n) { return n == 0 ? 0 : (n - 1) % 3 + 1; }

// Wald-Wolfowitz over the red/black sequence, two-sided, normal
// approximation with the half-run continuity correction.
void runsTest(FairnessTestResult& r, const Tally& t) {
    if (r.skipped) return;
    const double reds = t.reds;
    const double blacks = t.colourSpins - reds;
    const double n = t.colourSpins;
    if (reds == 0 || blacks == 0) return;  // one run whatever happens: nothing to judge
    const double mean = 2.0 * reds * blacks / n + 1.0;
    const double variance = 2.0 * reds * blacks * (2.0 * reds * blacks - n) / (n * n * (n - 1.0));
    if (variance <= 0.0) return;
    const double gap = t.colourRuns - mean;
    r.statistic = std::copysign(std::max(0.0, std::abs(gap) - 0.5), gap) / std::sqrt(variance);
    r.pValue = 2.0 * boost::math::cdf(boost::math::complement(boost::math::normal(), std::abs(r.statistic)));
    r.pValue = std::min(1.0, r.pValue);
}

std::string formatNumber(const char* format, double value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, format, value);
    return buffer;
}

std::string pText(double p) { return p < 0.0001 ? "< 0.0001" : formatNumber("%.4f", p); }

std::string statisticText(const FairnessTestResult& r, int32_t spins) {
    if (r.df > 0)
        return "chi-square " + formatNumber("%.2f", r.statistic) + ", " + std::to_string(r.df) + " df";
    if (r.name == "sectors") return "most loaded arc " + formatNumber("%+.2f", r.statistic) + " sd";
    if (r.name == "repeats")
        return std::to_string(static_cast<int64_t>(r.statistic)) + " repeats, " +
               formatNumber("%.1f", (spins - 1) / 37.0) + " expected";
    return "z " + formatNumber("%+.2f", r.statistic);
}

}  // namespace

int32_t wheelDistance(int a, int b) {
    // WheelOrder runs counter-clockwise, so clockwise steps go down the list.
    return mod37(WheelPosition(a) - WheelPosition(b));
}

std::vector<uint8_t> oldestFirstSpins(std::span<const int32_t> newestFirst) {
    std::vector<uint8_t> out;
    out.reserve(newestFirst.size());
    for (auto it = newestFirst.rbegin(); it != newestFirst.rend(); ++it)
        if (*it >= 0 && *it <= 36) out.push_back(static_cast<uint8_t>(*it));
    return out;
}

std::vector<double> holmAdjust(std::span<const double> pValues) {
    const size_t m = pValues.size();
    std::vector<size_t> order(m);
    std::iota(order.begin(), order.end(), size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return pValues[a] < pValues[b]; });
    std::vector<double> adjusted(m);
    double running = 0.0;  // adjusted values never decrease down the order
    for (size_t k = 0; k < m; ++k) {
        running = std::max(running, std::min(1.0, static_cast<double>(m - k) * pValues[order[k]]));
        adjusted[order[k]] = running;
    }
    return adjusted;
}

std::string confidenceText(double level) { return formatNumber("%.6g", 100.0 * (1.0 - level)) + " %"; }

FairnessReport runFairnessBattery(std::span<const uint8_t> oldestFirst, double level,
                                  SectorNullCache& sectorNull) {
    const Tally t = tally(oldestFirst);
    const int32_t N = t.spins;
    FairnessReport report;
    report.spins = N;
    report.level = level;

    const double share = 1.0 / 37.0;
    const double numberDeviation = std::sqrt(N * share * (1.0 - share));
    std::array<int32_t, 37> wheelCounts{};
    for (int i = 0; i < 37; ++i) {
        const int32_t count = t.numbers[static_cast<size_t>(WheelOrder[static_cast<size_t>(i)])];
        wheelCounts[static_cast<size_t>(i)] = count;
        report.wheelResiduals[static_cast<size_t>(i)] = N > 0 ? (count - N * share) / numberDeviation : 0.0;
    }
    report.distanceObserved = t.distances;
    report.distanceExpected.fill(N > 1 ? (N - 1) * share : 0.0);

    auto& tests = report.tests;
    tests.push_back(makeTest("numbers", "Every number equally often", spinsFor(1), N));
    if (!tests.back().skipped) {
        const std::array<double, 37> expected = [&] {
            std::array<double, 37> e{};
            e.fill(N * share);
            return e;
        }();
        tests.back().statistic = pearson(t.numbers, expected);
        tests.back().df = 36;
        tests.back().pValue = chiSquareP(tests.back().statistic, 36);
    }

    tests.push_back(makeTest("colours", "Red, black and zero in their shares", spinsFor(1), N));
    groupedChiSquare<3>(tests.back(), t, {1, 18, 18}, colourGroup);
    tests.push_back(makeTest("dozens", "Dozens and zero in their shares", spinsFor(1), N));
    groupedChiSquare<4>(tests.back(), t, {1, 12, 12, 12}, dozenGroup);
    tests.push_back(makeTest("columns", "Columns and zero in their shares", spinsFor(1), N));
    groupedChiSquare<4>(tests.back(), t, {1, 12, 12, 12}, columnGroup);

    tests.push_back(makeTest("sectors", "No sector of the wheel loaded", spinsFor(kSectorArcLengths[0]), N));
    if (!tests.back().skipped) {
        tests.back().statistic = sectorMaxExcess(wheelCounts, N);
        tests.back().pValue = sectorNull.pValue(N, tests.back().statistic);
    }

    tests.push_back(makeTest("distance", "Jumps along the wheel from spin to spin", spinsFor(1, 1), N));
    if (!tests.back().skipped) {
        tests.back().statistic = pearson(report.distanceObserved, report.distanceExpected);
        tests.back().df = 36;
        tests.back().pValue = chiSquareP(tests.back().statistic, 36);
    }

    tests.push_back(makeTest("repeats", "A number following itself", spinsFor(1, 1), N));
    if (!tests.back().skipped) {
        const int32_t repeats = t.distances[0];
        tests.back().statistic = repeats;
        tests.back().pValue =
            repeats == 0
                ? 1.0
                : boost::math::cdf(boost::math::complement(boost::math::binomial(N - 1, share), repeats - 1));
    }

    tests.push_back(makeTest("runs", "Runs of red and black", spinsFor(18), N));
    runsTest(tests.back(), t);

    judgeFairness(report, level);
    return report;
}

void judgeFairness(FairnessReport& report, double level) {
    // Holm over the tests that ran; a skipped test keeps adjusted p = 1.
    report.level = level;
    report.biased = false;
    std::vector<double> pValues;
    for (const FairnessTestResult& r : report.tests)
        if (!r.skipped) pValues.push_back(r.pValue);
    const std::vector<double> adjusted = holmAdjust(pValues);
    std::string rejected;
    size_t k = 0;
    for (FairnessTestResult& r : report.tests) {
        if (r.skipped) continue;
        r.adjustedP = adjusted[k++];
        r.reject = r.adjustedP <= level;
        if (!r.reject) continue;
        report.biased = true;
        rejected += (rejected.empty() ? "" : ", ") + r.name;
    }
    report.tested = !pValues.empty();
    report.verdict = report.biased ? "Biased at " + confidenceText(level) + ": " + rejected
                                   : "No evidence of bias at " + confidenceText(level);
    if (!report.tested && !report.tests.empty()) {
        const auto shortest = std::min_element(report.tests.begin(), report.tests.end(),
                                               [](const FairnessTestResult& a, const FairnessTestResult& b) {
                                                   return a.spinsNeeded < b.spinsNeeded;
                                               });
        report.verdict = "Too few spins for any test: the " + shortest->name + " test needs " +
                         std::to_string(shortest->spinsNeeded);
    }
}

std::vector<std::string> fairnessReportLines(const FairnessReport& report) {
    std::vector<std::string> lines;
    lines.push_back("Fairness battery over " + std::to_string(report.spins) + " spins");
    lines.push_back("Family-wise level " + formatNumber("%.6g", 100.0 * report.level) + " % (Holm)");
    lines.push_back("---------------------------------------");
    for (const FairnessTestResult& r : report.tests) {
        lines.push_back(r.title + " (" + r.name + ")");
        if (r.skipped) {
            lines.push_back("  skipped: " + r.skipReason);
            continue;
        }
        lines.push_back("  " + statisticText(r, report.spins));
        lines.push_back("  p " + pText(r.pValue) + ", Holm p " + pText(r.adjustedP) +
                        (r.reject ? "  BIASED" : ""));
    }
    lines.push_back("---------------------------------------");
    lines.push_back(report.verdict);
    return lines;
}

}  // namespace kv
