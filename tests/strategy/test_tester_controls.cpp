#include <gtest/gtest.h>

#include <cstdlib>
#include <limits>

#include "strategy/balance_curve.h"
#include "strategy/tester_controls.h"

namespace kv {
namespace {

TEST(TesterControls, ListNamesDropFolderAndExtension) {
    EXPECT_EQ(bareFileName("/home/p/strategies/red.stg"), "red.stg");
    EXPECT_EQ(strategyDisplayName("red.stg"), "red");
    EXPECT_EQ(strategyDisplayName("C:\\kv\\Red.STG"), "Red");
    EXPECT_EQ(strategyDisplayName("red.stg.txt"), "red.stg.txt");
    EXPECT_EQ(strategyDisplayName(".stg"), "");
}

TEST(TesterControls, SpinsBoxButtonsAndRunLengths) {
    EXPECT_EQ(doubledSpins(""), "1");
    EXPECT_EQ(doubledSpins("25"), "50");
    EXPECT_EQ(doubledSpins("-3"), "-6");  // a leading minus counts for the buttons
    EXPECT_EQ(doubledSpins("2000000000"), "2147483647");
    EXPECT_EQ(halvedSpins("1"), "0");
    EXPECT_EQ(halvedSpins("-7"), "-3");
    EXPECT_EQ(halvedSpins("-1"), "0");

    // A run reads the digits only: "-15" is 15.
    EXPECT_EQ(digitsValue("-15"), 15);
    EXPECT_EQ(digitsValue("1 0x"), 10);
    EXPECT_EQ(digitsValue("99999999999"), std::numeric_limits<int32_t>::max());

    EXPECT_EQ(replaySpins("0", 40), 40);
    EXPECT_EQ(replaySpins("100", 40), 40);
    EXPECT_EQ(randomSpins("0", 40), 40);
    EXPECT_EQ(randomSpins("100", 40), 100);
}

TEST(TesterControls, OnlyVisibleParametersAreOffered) {
    Strategy s;
    s.parameters.push_back({"HIDDEN", "", 0, false, 0});
    s.parameters.push_back({"STEP", "", 0, true, 0});
    EXPECT_EQ(visibleParameters(s), (std::vector<int32_t>{1, 3}));
}

TEST(BalanceCurveTest, RunsFromTheLeftEdgeAtZeroToTheNewestStep) {
    // Oldest first: 10, 20, -10, then the final replay step keeps -10.
    const BalanceCurve c = balanceCurve({10, 20, -10, -10}, 3, 400, 300);
    EXPECT_EQ(c.min, -10);
    EXPECT_EQ(c.max, 20);
    // RunBalances[2] = -10 at x = 300; then RunBalances[2..4] at 300, 200, 100;
    // the start (balance 0) at x = 0.
    const std::vector<CurvePoint> expected = {{300, 300}, {300, 300}, {200, 0}, {100, 100}, {0, 200}};
    EXPECT_EQ(c.points, expected);

    // The read-out over the newest drawn point.
    const CurveReadOut r = curveReadOut(c, 300, 300);
    EXPECT_EQ(r.step, 4);
    EXPECT_EQ(r.level, -10);
    EXPECT_EQ(curveReadOut(c, 0, 0).level, 20);
    EXPECT_EQ(curveReadOut(c, 55, 151).level, 5);  // 14.9 - 10, rounded
}

TEST(BalanceCurveTest, NothingIsDrawnForShortRunsAndFlatRunsStayOnTheBottom) {
    EXPECT_TRUE(balanceCurve({5}, 5, 100, 100).points.empty());
    EXPECT_TRUE(balanceCurve({5, 6, 7}, 1, 100, 100).points.empty());
    const BalanceCurve flat = balanceCurve({0, 0, 0}, 2, 90, 60);
    ASSERT_FALSE(flat.points.empty());
    for (const CurvePoint& p : flat.points) EXPECT_EQ(p.y, 60);
    // No steps at all: the read-out still answers.
    const BalanceCurve none = balanceCurve({}, 10, 90, 60);
    EXPECT_EQ(curveReadOut(none, 90, 60).step, 1);
    // Balances at the ends of the 32-bit range give coordinates the canvas can take.
    const BalanceCurve wide =
        balanceCurve({std::numeric_limits<int32_t>::max(), std::numeric_limits<int32_t>::max()}, 2, 90, 60);
    for (const CurvePoint& p : wide.points) EXPECT_LE(std::abs(p.y), 1000000);
}

}  // namespace
}  // namespace kv
