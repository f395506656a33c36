#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "analysis/analysis_test_util.h"
#include "analysis/rndtest_table.h"
#include "analysis/test_game_bets.h"
#include "analysis/test_game_concentration.h"

using namespace kv;

namespace {

using test::betOn;
using test::gameOf;

const BetCell kStraight17{13, 3};

}  // namespace

// The verdict of the test with bets and the report's words agree: a game
// whose every bet lost is judged like any other, and an honest game is
// called possible, with the figure a fair wheel gives beside its own.
TEST(HonestyVerdict, ReportAgreesWithTheVerdictForEveryGame) {
    std::vector<std::pair<int, BetGrid>> neverHit;  // 300 straight bets on 17, never a 17
    for (int i = 0; i < 300; ++i) neverHit.push_back({i % 2 == 0 ? 5 : 8, betOn(kStraight17, 1)});
    std::vector<std::pair<int, BetGrid>> honestRed;  // every number once: exactly a fair wheel
    for (int n = 0; n <= 36; ++n) honestRed.push_back({n, betOn(categoryCell(Category::RED), 5)});
    const struct {
        std::vector<std::pair<int, BetGrid>> game;
        bool warns;
        std::vector<std::string> tail;  // the lines after the amounts and the rule
    } cases[] = {
        {neverHit, true, {"WARNING ! ! !", "Full WIN 0", "Fair wheel 97.22"}},
        {honestRed, false, {"Full WIN 94.74", "Fair wheel 94.74", "This Random is possible"}},
        // Three straight losses: far from significant.
        {{{1, betOn(kStraight17, 3)}, {2, betOn(kStraight17, 3)}, {4, betOn(kStraight17, 3)}},
         false,
         {"Full WIN 0", "Fair wheel 97.22", "This Random is possible"}},
    };
    for (const auto& c : cases) {
        const BetsTestResult r = BetsTest(gameOf(c.game));
        ASSERT_GE(r.lines.size(), c.tail.size() + 3);
        // The header states what a fair wheel gives, never a limit the
        // verdict does not use.
        EXPECT_EQ(r.lines.front(), "BET    WIN (fair 94.74 to 97.22)");
        const auto tail = r.lines.end() - static_cast<std::ptrdiff_t>(c.tail.size());
        EXPECT_EQ(*(tail - 1), "--------------------------------------");
        EXPECT_EQ(std::vector<std::string>(tail, r.lines.end()), c.tail);
        EXPECT_EQ(r.shortfall > kBetsTestWarningDeviations, c.warns) << r.shortfall;
    }
    // 300 straight losses lie 2.89 standard deviations below a fair wheel.
    EXPECT_NEAR(BetsTest(gameOf(neverHit)).shortfall, 2.89, 0.005);
}

// The first test looks at windows of up to 10,000 spins: a history longer
// than that is not judged by its longer windows.
TEST(HonestyVerdict, ConcentrationLooksAtWindowsUpToTenThousandSpins) {
    std::vector<int32_t> history(10002);
    for (size_t i = 0; i < history.size(); ++i) history[i] = static_cast<int32_t>(i % 37);
    // The one length whose every window fails, and the verdict.
    for (const auto& [failingLength, passed] : {std::pair(10000, false), std::pair(10001, true)}) {
        std::vector<double> limits;
        for (int L = kRndTestFirstLength; L <= kRndTestLastLength; ++L)
            limits.push_back(L == failingLength ? -1.0 : 2.0);  // below any range, above every range
        const ConcentrationResult r = ConcentrationTest(history, RndTestTable::fromLimits(limits));
        ASSERT_TRUE(r.ran);
        EXPECT_EQ(r.passed, passed) << failingLength;
    }
}
