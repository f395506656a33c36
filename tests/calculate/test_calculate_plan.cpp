#include <gtest/gtest.h>

#include <vector>

#include "calculate/calculate_plan.h"
#include "calculate/field_real.h"
#include "core/bets.h"
#include "core/roulette.h"

namespace kv {
namespace {

CalculateSettings allCategories(const char* errors, bool betAlways) {
    CalculateSettings s;
    s.errors = errors;
    for (int k = 1; k <= kAdviceCategories; ++k) {
        s.category[k] = true;
        s.betAlways[k] = betAlways;
    }
    return s;
}

std::vector<TablePoint> points(const CalculatePlan& plan) {
    std::vector<TablePoint> out;
    for (const TableClick& c : plan.clicks) {
        EXPECT_EQ(c.button, MouseButton::Left);
        out.push_back(c.point);
    }
    return out;
}

// Plays the games' spins oldest first, as the table records them.
GameState gameWith(std::initializer_list<int> oldestFirst, int32_t credit) {
    GameState s;
    for (const int n : oldestFirst) s.RecordSpin(n);
    s.Credit = credit;
    return s;
}

// What the window does with a plan: every click through the table handler.
void replay(GameState& s, const CalculatePlan& plan) {
    for (const TableClick& c : plan.clicks) tableMouseDown(s, c.button, c.point.x, c.point.y);
}

// Every chip on the table respects its class limits, and the whole stake
// the credit.
void expectWithinRules(const GameState& s) {
    for (const BetCell& cell : allBetCells()) {
        const int32_t a = s.CurrentBets.at(cell.c, cell.r);
        if (a == 0) continue;
        EXPECT_GE(a, cellMin(s, cell)) << cell.c << "," << cell.r;
        EXPECT_LE(a, cellMax(s, cell)) << cell.c << "," << cell.r;
    }
    EXPECT_LE(s.CurrentBets.sum(), s.Credit);
    EXPECT_EQ(s.Bet, s.CurrentBets.sum());
}

TEST(PlanCalculate, ZeroErrorsTurnsASingleRedRound) {
    // One red spin, Bet Always: the advice is black, turned round it bets red.
    const GameState s = gameWith({1}, 500);
    CalculateSettings cs;
    cs.errors = "0";
    cs.category[kRedBlack] = true;
    cs.betAlways[kRedBlack] = true;
    const CalculatePlan plan = planCalculate(cs, s);
    EXPECT_EQ(plan.categories[kRedBlack].advice, 2);
    EXPECT_TRUE(plan.categories[kRedBlack].inverted);
    EXPECT_EQ(points(plan), (std::vector<TablePoint>{{618, 328}, kCalculateFinalClick}));
    // With E = 1 the single spin tests no advice: black, as advised.
    cs.errors = "1";
    EXPECT_EQ(points(planCalculate(cs, s)), (std::vector<TablePoint>{{709, 328}, kCalculateFinalClick}));
}

TEST(PlanCalculate, EvenChancePointsBothWays) {
    // Three blacks, all even and low: with E = 5 (not reached) each even
    // chance bets the other side.
    const GameState s = gameWith({2, 4, 6}, 500);
    CalculateSettings cs = allCategories("5", true);
    cs.category[kDozens] = cs.category[kColumns] = cs.category[kNumbers] = false;
    EXPECT_EQ(points(planCalculate(cs, s)),
              (std::vector<TablePoint>{{618, 328}, {526, 328}, {891, 328}, kCalculateFinalClick}));
    // With E = 2 both tested advices missed: every category follows the trend.
    cs.errors = "2";
    const CalculatePlan plan = planCalculate(cs, s);
    EXPECT_EQ(points(plan),
              (std::vector<TablePoint>{{709, 328}, {806, 328}, {432, 328}, kCalculateFinalClick}));
}

// A known game pressed through the table: the advised chips land where the
// advice says, at the table's minimums.
TEST(PlanCalculate, ReplayOnTheTable) {
    // Latest first: 1 (red, dozen 1), then 2, 2, 2.
    GameState s = gameWith({2, 2, 2, 1}, 500);
    CalculateSettings cs;
    cs.errors = "1";
    cs.downturnFactor = "1";
    for (const int k : {kRedBlack, kDozens, kNumbers}) {
        cs.category[k] = true;
        cs.betAlways[k] = true;
    }
    const CalculatePlan plan = planCalculate(cs, s);
    // Red/Black: the tested advice (red) won, so red again.
    replay(s, plan);
    expectWithinRules(s);

    BetGrid expected;
    expected.at(11, 8) = 5;  // red, raised to the even-chance minimum
    expected.at(3, 7) = 2;   // dozen 1, raised to its minimum
    // Numbers: everything but 1 and 2 is cold; six-lines 4-9, 10-15, 16-21,
    // 22-27, 28-33 take three chips each, the street 34-36 two, the split 0-3 one.
    for (const int s6 : {2, 4, 6, 8, 10}) expected.at(2 * s6 + 2, 6) = 3;
    expected.at(25, 6) = 2;
    expected.at(2, 1) = 1;
    EXPECT_EQ(s.CurrentBets, expected);
    EXPECT_EQ(s.Bet, 25);
}

TEST(PlanCalculate, ReplayRespectsLimitsAndCredit) {
    const CalculateSettings cs = allCategories("2", true);
    // Low credit: chips stop where the credit ends.
    GameState poor = gameWith({2, 2, 2, 1, 17, 33, 0, 36, 8}, 9);
    replay(poor, planCalculate(cs, poor));
    expectWithinRules(poor);
    EXPECT_GT(poor.Bet, 0);

    // Low maximums: six-lines of three chips of 5 are held at 6.
    GameState capped = gameWith({2, 2, 2, 1}, 1000);
    capped.ChipValue = 5;
    capped.TableLimits.max(PayoutClass::SixLine) = 6;
    capped.TableLimits.max(PayoutClass::Even) = 7;
    CalculateSettings ns = allCategories("1", true);
    ns.downturnFactor = "1";
    replay(capped, planCalculate(ns, capped));
    expectWithinRules(capped);
    EXPECT_EQ(capped.CurrentBets.at(6, 6), 6);

    // During the result phase the table takes no chip.
    GameState busy = gameWith({2, 2, 2, 1}, 500);
    busy.ResultTicks = 30;
    replay(busy, planCalculate(ns, busy));
    EXPECT_TRUE(busy.CurrentBets.empty());
}

TEST(RandomPlay, DrawsErrorsSlidersAndFactor) {
    Generator g(777);
    CalculateSettings cs;
    for (int run = 0; run < 300; ++run) {
        RandomPlay(cs, g, run % 2 ? ',' : '.');
        const int32_t e = FieldInteger(cs.errors);
        EXPECT_GE(e, 0);
        EXPECT_LE(e, 10);
        for (int k = 1; k <= kAdviceCategories; ++k) {
            EXPECT_GE(cs.confidencePosition[k], 1);
            EXPECT_LE(cs.confidencePosition[k], 99);
            EXPECT_EQ(ParseFieldReal(cs.confidenceText[k]), Confidence(cs, k));
        }
        const double f = ParseFieldReal(cs.downturnFactor);
        EXPECT_GE(f, 0.01);
        EXPECT_LT(f, 1.0100000000001);
    }
    // The draws come in a fixed order from the program's generator.
    Generator a(42);
    Generator b(42);
    CalculateSettings x;
    RandomPlay(x, a);
    EXPECT_EQ(x.errors, std::to_string(b.Random(11)));
    for (int k = 1; k <= kAdviceCategories; ++k)
        EXPECT_EQ(x.confidencePosition[k], std::min(b.Random(100) + 1, 99));
    EXPECT_EQ(x.downturnFactor, FormatFieldReal(b.RandomFloat() + 0.01));
}

}  // namespace
}  // namespace kv
