#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "analysis/analysis_test_util.h"
#include "analysis/rndtest_table.h"
#include "analysis/test_game_bets.h"
#include "analysis/test_game_concentration.h"
#include "analysis/test_game_curve.h"
#include "analysis/test_game_parity.h"

using namespace kv;

namespace {

// A table whose limit for L fails exactly the ranges above count(L), each
// limit half-way between two counts like the shipped file's.
template <class F>
RndTestTable tableFromCounts(F count) {
    std::vector<double> limits;
    for (int L = kRndTestFirstLength; L <= kRndTestLastLength; ++L) limits.push_back((count(L) + 0.5) / L);
    return RndTestTable::fromLimits(limits);
}

// Only windows of length 6 whose range is 6 (six equal numbers) fail.
const RndTestTable& sixInARowTable() {
    static const RndTestTable t = tableFromCounts([](int L) { return L == 6 ? 5 : L; });
    return t;
}

// A background in which every window has a range of at most 1.
std::vector<int32_t> evenBackground(int n, int offset = 0) {
    std::vector<int32_t> h(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) h[static_cast<size_t>(i)] = (i + offset) % 37;
    return h;
}

// History given oldest first, as it was played; the tests take it newest first.
std::vector<int32_t> newestFirst(std::vector<int32_t> played) {
    std::reverse(played.begin(), played.end());
    return played;
}

using test::betOn;
using test::gameOf;

const BetCell kStraight17{13, 3};  // street 6: 18 on top, 17 in the middle
const BetCell kStraightZero{1, 1};

}  // namespace

TEST(ConcentrationTest, StretchOfOneNumberIsMarkedAndReportedInOneLine) {
    std::vector<int32_t> played = evenBackground(40);
    std::fill(played.begin() + 20, played.begin() + 26, 9);  // spins 21..26 of the game
    const ConcentrationResult r = ConcentrationTest(newestFirst(played), sixInARowTable());
    EXPECT_TRUE(r.ran);
    EXPECT_FALSE(r.passed);
    ASSERT_EQ(r.runs.size(), 1u);
    EXPECT_EQ(r.runs[0], (ShadyRun{21, 6}));
    EXPECT_EQ(r.lines,
              (std::vector<std::string>{"From 21 position 6 shady Numbers",
                                        "---------------------------------------", "WARNING ! ! !"}));
    EXPECT_EQ(r.curve.mode, CurveMode::Disorder);

    const ConcentrationResult fair = ConcentrationTest(newestFirst(evenBackground(40)), sixInARowTable());
    EXPECT_TRUE(fair.passed);
    EXPECT_EQ(fair.lines, std::vector<std::string>{"This Random is possible"});
}

TEST(ConcentrationTest, TouchingFailingWindowsMakeOneRunSeparateRunsStayApart) {
    std::vector<int32_t> played = evenBackground(80);
    std::fill(played.begin() + 10, played.begin() + 22, 4);  // twelve 4s: two windows of six, side by side
    std::fill(played.begin() + 50, played.begin() + 56, 30);
    const ConcentrationResult r = ConcentrationTest(newestFirst(played), sixInARowTable());
    EXPECT_EQ(r.runs, (std::vector<ShadyRun>{{11, 12}, {51, 6}}));
}

TEST(ConcentrationTest, OldestSpinIsOnlyInTheWindowOfTheWholeHistory) {
    // Six 7s as the first six spins of a ten-spin game: the windows of six
    // start at the latest spin and end one spin short of the first one.
    std::vector<int32_t> played = {7, 7, 7, 7, 7, 7, 1, 2, 3, 4};
    EXPECT_TRUE(ConcentrationTest(newestFirst(played), sixInARowTable()).passed);
    // One spin later in the game they lie inside a window.
    played.insert(played.begin(), 5);
    const ConcentrationResult r = ConcentrationTest(newestFirst(played), sixInARowTable());
    EXPECT_EQ(r.runs, (std::vector<ShadyRun>{{2, 6}}));
    // With exactly six spins the one window is the whole game.
    EXPECT_FALSE(ConcentrationTest(std::vector<int32_t>(6, 7), sixInARowTable()).passed);
}

TEST(ConcentrationTest, MissingTableSaysSoAndDoesNotRun) {
    int calls = 0;
    const ConcentrationResult r = ConcentrationTest(
        std::vector<int32_t>(50, 3), RndTestTable::read("/nonexistent/rndtest.dat"), [&](int) { ++calls; });
    EXPECT_FALSE(r.ran);
    EXPECT_EQ(calls, 0);
    ASSERT_FALSE(r.lines.empty());
    EXPECT_EQ(r.lines.front(), "The limits table is missing:");
    EXPECT_EQ(std::count(r.lines.begin(), r.lines.end(), "This Random is possible"), 0);
    EXPECT_EQ(std::count(r.lines.begin(), r.lines.end(), "WARNING ! ! !"), 0);
}

TEST(ConcentrationTest, LengthWithTheSameLimitAsTheOneBeforeIsSkipped) {
    // Lengths 5 and 6 share a limit: the six equal numbers at length 6 are
    // not looked at.
    std::vector<double> limits;
    for (int L = 4; L <= kRndTestLastLength; ++L)
        limits.push_back(L == 4 ? 2.0 : L <= 6 ? 0.95 : 2.0 + L * 1e-6);
    std::vector<int32_t> played = evenBackground(30);
    std::fill(played.begin() + 10, played.begin() + 16, 9);
    // Length 5 has the 0.95 limit too: five of six equal give 1.0 > 0.95.
    const ConcentrationResult r = ConcentrationTest(newestFirst(played), RndTestTable::fromLimits(limits));
    EXPECT_EQ(r.runs, (std::vector<ShadyRun>{{12, 5}}));
    limits[1] = 2.0;  // L = 5 no longer fails and L = 6 now differs from it
    EXPECT_EQ(ConcentrationTest(newestFirst(played), RndTestTable::fromLimits(limits)).runs,
              (std::vector<ShadyRun>{{11, 6}}));
}

TEST(ConcentrationTest, ProgressCoversEveryLengthAndDamagedSpinsCountForNoNumber) {
    // Six spins of 9 but one damaged: five equal numbers pass the length-6 limit.
    const std::vector<int32_t> played = {1, 9, 9, 99, 9, 9, 9};
    std::vector<int> progress;
    const ConcentrationResult r =
        ConcentrationTest(newestFirst(played), sixInARowTable(), [&](int p) { progress.push_back(p); });
    EXPECT_TRUE(r.passed);
    EXPECT_EQ(progress, (std::vector<int>{25, 50, 75, 100}));
}

TEST(DisorderCurve, WindowAndValues) {
    EXPECT_EQ(disorderWindow(25), 12);  // Round(12.5) to even
    EXPECT_EQ(disorderWindow(100), 20);
    EXPECT_EQ(disorderWindow(999), 100);

    // 1000 spins of one number: every window of 100 holds it 100 times, the
    // mean count is Round(100 / 37) = 3, so each value is 97.
    const std::vector<int32_t> same = disorderCurve(std::vector<int32_t>(1000, 5));
    EXPECT_EQ(same.size(), 2u * 900 - 1);
    EXPECT_TRUE(std::all_of(same.begin(), same.end(), [](int32_t v) { return v == 97; }));
    // No spins: 1000 zero values, no interpolation.
    const std::vector<int32_t> none = disorderCurve({});
    EXPECT_EQ(none.size(), 1000u);
    EXPECT_EQ(std::count(none.begin(), none.end(), 0), 1000);
}

TEST(TestCurve, SmoothingSumsFiveAndInterpolationRoundsHalvesToEven) {
    std::vector<int32_t> d = {1, 2, 3, 4, 5, 6};
    smoothCurve(d);
    EXPECT_EQ(d, (std::vector<int32_t>{1, 2, 15, 20, 5, 6}));
    std::vector<int32_t> tiny = {1, 2, 3, 4};
    smoothCurve(tiny);
    EXPECT_EQ(tiny, (std::vector<int32_t>{1, 2, 3, 4}));

    std::vector<int32_t> two = {0, 1};
    interpolateCurve(two);
    EXPECT_EQ(two.size(), 1025u);  // 2, 3, 5, 9, ..., 513, 1025
    EXPECT_EQ(two.back(), 1);
    // The first midpoint of a pair ends up in the middle of the result.
    const auto middle = [](int32_t a, int32_t b) {
        std::vector<int32_t> pair = {a, b};
        interpolateCurve(pair);
        return pair[pair.size() / 2];
    };
    EXPECT_EQ(middle(1, 2), 2);    // 1.5 -> 2
    EXPECT_EQ(middle(-3, 0), -2);  // -1.5 -> -2
    std::vector<int32_t> one = {7};
    interpolateCurve(one);
    EXPECT_EQ(one, std::vector<int32_t>{7});
}

TEST(BetsTest, PerAmountRatioTotalWarningAndZeroLosesEvenChances) {
    const BetCell red = categoryCell(Category::RED);
    const BetCell even = categoryCell(Category::EVEN);
    // Amount 10 on red: wins 18, 18 (on 1 and 3), loses 18 (on 0); amount 2
    // on even: loses 18 on 0 although zero counts as even for parity.
    const BetsTestResult r =
        BetsTest(gameOf({{1, betOn(red, 10)}, {3, betOn(red, 10)}, {0, betOn(red, 10)}, {0, betOn(even, 2)}}),
                 {}, ',');
    EXPECT_EQ(r.lines, (std::vector<std::string>{
                           "BET    WIN (fair 94,74 to 97,22)", "--------------------------------------",
                           "2:        0/18", "10:        200", "--------------------------------------",
                           "Full WIN 100", "Fair wheel 94,74", "This Random is possible"}));

    // One win in 37 spins on a straight: 35 won against 36 lost, exactly
    // what a fair wheel gives, so no warning although 97.22 < 97.3.
    std::vector<std::pair<int, BetGrid>> game;
    for (int i = 0; i < 36; ++i) game.push_back({5, betOn(kStraight17, 1)});
    game.push_back({17, betOn(kStraight17, 1)});
    const BetsTestResult w = BetsTest(gameOf(game));
    EXPECT_EQ(w.lines, (std::vector<std::string>{"BET    WIN (fair 94.74 to 97.22)",
                                                 "--------------------------------------", "1:        97.22",
                                                 "--------------------------------------", "Full WIN 97.22",
                                                 "Fair wheel 97.22", "This Random is possible"}));
    EXPECT_NEAR(w.fairWin, -1.0, 1e-9);
    EXPECT_NEAR(w.shortfall, 0.0, 1e-9);
}

TEST(BetsTest, WarnsOnlyWhenTheBetsDidSignificantlyWorseThanAFairWheel) {
    const BetCell red = categoryCell(Category::RED);
    // An honest wheel: red every spin over 3,700 fair spins. The ratio stays
    // near 18/19 (94.7), below 97.3, and that is no reason to warn.
    Generator g(2024);
    std::vector<std::pair<int, BetGrid>> fair;
    for (int i = 0; i < 3700; ++i) fair.push_back({g.Random(37), betOn(red, 5)});
    const BetsTestResult honest = BetsTest(gameOf(fair));
    EXPECT_LT(honest.total, 97.3);
    EXPECT_EQ(std::count(honest.lines.begin(), honest.lines.end(), "WARNING ! ! !"), 0);

    // A wheel that avoids the player's colour: red lost 70 times of 100.
    std::vector<std::pair<int, BetGrid>> rigged;
    for (int i = 0; i < 100; ++i) rigged.push_back({i % 10 < 7 ? 2 : 1, betOn(red, 5)});
    const BetsTestResult cheat = BetsTest(gameOf(rigged));
    EXPECT_GT(cheat.shortfall, kBetsTestWarningDeviations);
    EXPECT_EQ(std::count(cheat.lines.begin(), cheat.lines.end(), "WARNING ! ! !"), 1);

    // Red and black together net nothing on every number but zero, where
    // both lose: 37 spins with one zero are exactly what a fair wheel gives.
    const BetCell black = categoryCell(Category::BLACK);
    BetGrid both = betOn(red, 5);
    both.at(black.c, black.r) = 5;
    std::vector<std::pair<int, BetGrid>> hedge;
    for (int i = 0; i < 36; ++i) hedge.push_back({1 + i, both});
    hedge.push_back({0, both});
    EXPECT_NEAR(BetsTest(gameOf(hedge)).shortfall, 0.0, 1e-9);
}

TEST(BetsTest, AmountsBeyondTheTablesAreLeftOutInOneLine) {
    BetGrid g = betOn(kStraight17, 100000);
    g.at(kStraightZero.c, kStraightZero.r) = 2147483647;
    g.at(3, 1) = 99001;  // straight 3
    g.at(5, 1) = -4;     // straight 6: play never makes it, a file might
    g.at(7, 1) = 99000;  // straight 9: the largest amount reported
    const BetsTestResult r = BetsTest(gameOf({{17, g}}));
    EXPECT_EQ(r.leftOut, 4);
    EXPECT_EQ(r.lines, (std::vector<std::string>{"BET    WIN (fair 94.74 to 97.22)",
                                                 "--------------------------------------",
                                                 "99000:        0/1", "Bets outside 1..99000 not counted: 4",
                                                 "--------------------------------------", "Full WIN 0",
                                                 "Fair wheel 97.22", "This Random is possible"}));
}

TEST(BetsTest, CurveKeepsTheTenThousandOldestBettingSpins) {
    std::vector<std::pair<int, BetGrid>> game;
    // The five oldest spins win a straight (+35), the rest lose one (-1).
    for (int i = 0; i < 10005; ++i) game.push_back({i < 5 ? 17 : 4, betOn(kStraight17, 1)});
    const BetsTestResult r = BetsTest(gameOf(game));
    ASSERT_EQ(r.curve.values.size(), 10000u);
    EXPECT_EQ(r.curve.values.front(), -1);  // two ends stay unsmoothed
    EXPECT_EQ(r.curve.values.back(), 35);
    EXPECT_EQ(r.curve.values[9997], 5 * 35);  // a sum of five
    EXPECT_EQ(r.curve.values[9994], -3 + 2 * 35);
}

TEST(ParityTest, ZeroCountsAsEvenAndTheRatioIsWrittenInFullOrNotAtAll) {
    EXPECT_EQ(ParityTest(std::vector<int32_t>{0, 1, 2, 3, 4, 36}).lines,
              (std::vector<std::string>{"Check on parity", "---------------", "Even 4", "Odd  2",
                                        "Must be -> 1", "2"}));
    EXPECT_EQ(ParityTest(std::vector<int32_t>{0, 1, 1}, ',').lines.back(), "0,5");
    // No odd number: a plain line instead of a division.
    EXPECT_EQ(ParityTest(std::vector<int32_t>{0, 2, 0}).lines.back(), "No odd Numbers");
    EXPECT_EQ(ParityTest(gameOf({{7, {}}, {8, {}}})).lines[2], "Even 1");
}
