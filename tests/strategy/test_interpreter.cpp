#include <gtest/gtest.h>

#include <limits>

#include "core/game_state.h"
#include "strategy/interpreter.h"
#include "strategy/strategy_test_util.h"

namespace kv {
namespace {

using test::Lines;
using test::parsed;
using test::strategyLines;

GameState gameWith(const std::vector<int>& oldestFirst) {
    GameState g;
    for (int x : oldestFirst) g.RecordSpin(x);
    return g;
}

// Runs the strategy and returns the final value of parameter `name`.
struct Ran {
    Interpreter run;
    RunResult result;
    Strategy s;
    int32_t param(const std::string& name) const { return s.parameter(s.findParameter(name)).current; }
};

void runReplay(Ran& r, const Lines& text, std::vector<int> spins) {
    r.s = parsed(text);
    GameState g = gameWith(spins);
    r.result = r.run.Run(r.s, g, true, static_cast<int32_t>(spins.size()));
}

int32_t compute(const std::string& a, const std::string& op, const std::string& b,
                RunResult* result = nullptr) {
    Ran r;
    runReplay(r, strategyLines({"BET 1 v", "X 0 v"}, {"X = " + a + " " + op + " " + b + " // 1 calc"}), {});
    if (result) *result = r.result;
    return r.param("X");
}

TEST(Interpreter, ArithmeticWrapsAndPowersAndRootsAreExact) {
    EXPECT_EQ(compute("2147483647", "+", "1"), std::numeric_limits<int32_t>::min());
    EXPECT_EQ(compute("-2147483648", "-", "1"), std::numeric_limits<int32_t>::max());
    EXPECT_EQ(compute("65536", "*", "65537"), 65536);
    EXPECT_EQ(compute("-7", "\\", "2"), -3);
    EXPECT_EQ(compute("-7", "mod", "2"), -1);
    EXPECT_EQ(compute("-2147483648", "\\", "-1"), std::numeric_limits<int32_t>::min());
    EXPECT_EQ(compute("-2147483648", "mod", "-1"), 0);
    EXPECT_EQ(compute("5", "^", "0"), 5);
    EXPECT_EQ(compute("-3", "^", "3"), -27);
    EXPECT_EQ(compute("3", "^", "40"), static_cast<int32_t>(3486784401u * 3486784401u));
    // Two billion multiplications as written; by squaring at once.
    EXPECT_EQ(compute("1", "^", "2147483647"), 1);
    EXPECT_EQ(compute("-1", "^", "2147483647"), -1);
    EXPECT_EQ(compute("2", "^", "2147483647"), 0);
    EXPECT_EQ(compute("16", "sqrt", "3"), 2);
    EXPECT_EQ(compute("-16", "sqrt", "5"), -16);
    EXPECT_EQ(compute("6", "sqrt", "2"), 2);  // 2.449
    EXPECT_EQ(compute("2147483647", "sqrt", "2147483647"), 1);
}

TEST(Interpreter, DivisionByZeroAndBadOperandsStopTheRunWhereTheyHappen) {
    RunResult result;
    compute("1", "\\", "0", &result);
    EXPECT_EQ(result.end, RunEnd::Failed);
    EXPECT_EQ(result.message, "Division by zero");
    compute("1", "+", "Y", &result);
    EXPECT_EQ(result.message, "'Y' is not a valid integer value");

    // A bad operand in a branch never taken costs nothing; once taken, the
    // run stops with the steps done so far in the lists.
    Ran r;
    runReplay(r,
              strategyLines({"BET 1 v", "N 0 v"}, {"N = N + 1 // 1 count", "IF N > 2 THEN // 2 late", "{",
                                                   "      N = oops // 3 bad", "} ELSE", "{", "}"}),
              {1, 2, 3, 4, 5});
    EXPECT_EQ(r.result.end, RunEnd::Failed);
    EXPECT_EQ(r.result.message, "'oops' is not a valid integer value");
    EXPECT_EQ(r.run.stepCount(), 2);
    EXPECT_EQ(r.param("N"), 3);
}

TEST(Interpreter, ReplayFollowsTheGameAndTheFinalStepOnlyPreparesBets) {
    // A martingale on red: WIN and LOSE adjust BET, then ALWAYS 2 bets it.
    Ran r;
    runReplay(r,
              strategyLines({"BET 5 v"}, {}, {"BET = 5 // 2 Back"}, {"BET = BET * 2 // 3 Double"}, {},
                            {"BETS RED // 1 Red"}),
              {1, 2, 4, 3});  // oldest first: red wins, black loses, black loses, red wins
    ASSERT_EQ(r.result.end, RunEnd::Finished);
    ASSERT_EQ(r.run.stepCount(), 5);
    EXPECT_EQ(r.run.RunSpins(5), 1);
    EXPECT_EQ(r.run.RunSpins(2), 3);
    // Balances newest first: +5, 0 (lost 5), -10 (lost 10), +10 (won 20), and
    // the final step keeps the balance.
    EXPECT_EQ(r.run.RunBalances(5), 5);
    EXPECT_EQ(r.run.RunBalances(2), 10);
    EXPECT_EQ(r.run.RunBalances(1), 10);
    EXPECT_EQ(r.run.outcome(), Outcome::Win);
    EXPECT_EQ(r.run.NextBets().at(5, 4), 5);  // back to 5 after the win
    EXPECT_EQ(r.run.NextBets().sum(), 5);

    // Over an empty game one step runs: no balance, the bets for the first spin.
    Ran empty;
    runReplay(empty, strategyLines({"BET 7 v"}, {"BETS DOZ2 // 1 d"}), {});
    EXPECT_EQ(empty.run.stepCount(), 1);
    EXPECT_EQ(empty.run.NextBets().at(5, 3), 7);
    EXPECT_EQ(empty.run.RunBalances(1), 0);
}

TEST(Interpreter, OutcomesPickTheSectionsOfTheNextStep) {
    // A bet on red and on black returns its stake on any number but zero: a
    // drawn game; no bets at all is a drawn game too. Count the sections run.
    Ran r;
    runReplay(
        r,
        strategyLines({"BET 5 v", "W 0 v", "L 0 v", "D 0 v", "A 0 v"},
                      {"BETS RED // 1 r", "BETS BLACK // 2 b", "A = A + 1 // 3 a"}, {"W = W + 1 // 4 w"},
                      {"L = L + 1 // 5 l"}, {"D = D + 1 // 6 d"}, {"A = A + 10 // 7 a2"}),
        {14, 0, 31});
    ASSERT_EQ(r.result.end, RunEnd::Finished);
    EXPECT_EQ(r.param("A"), 4 * 11);
    EXPECT_EQ(r.param("D"), 3);  // step 1 (start), step 2 (after 14), step 4 (after 31)
    EXPECT_EQ(r.param("L"), 1);  // after zero
    EXPECT_EQ(r.param("W"), 0);
    EXPECT_EQ(r.run.balance(), -10);

    Ran none;
    runReplay(none, strategyLines({"BET 5 v"}, {}), {1, 2, 3});
    EXPECT_EQ(none.run.stepCount(), 4);
    EXPECT_EQ(none.run.balance(), 0);
    EXPECT_EQ(none.run.outcome(), Outcome::Drawn);
}

TEST(Interpreter, BetsAreClampedAndSetNotAdded) {
    GameState g;
    g.TableLimits.min(PayoutClass::Even) = 5;
    g.TableLimits.max(PayoutClass::Dozen) = 40;
    g.TableLimits.min(PayoutClass::Straight) = 2;
    g.TableLimits.max(PayoutClass::Straight) = 9;
    Strategy s = parsed(strategyLines(
        {"BET 0 v"}, {"BETS RED // 1 r", "BETS HOT (0,3) // 2 h", "BET = 100 // 3 x", "BETS COL1 // 4 c",
                      "BETS COL1 // 5 c", "BET = 3 // 6 y", "BETS COL1 // 7 c", "BETS COLD (0,3) // 8 n",
                      "BET = 50 // 9 z", "BETS NEW (0,DOZ3) // 10 d"}));
    Interpreter run;
    ASSERT_EQ(run.Run(s, g, true, 0).end, RunEnd::Finished);
    const TesterGrid& b = run.NextBets();
    EXPECT_EQ(b.at(5, 4), 5);   // BET 0 bets the 1/1 minimum
    EXPECT_EQ(b.at(12, 0), 2);  // HOT "3" with nothing played: 34, 35, 36 at the 1/35 minimum
    EXPECT_EQ(b.at(13, 2), 3);  // COL1: 100 clamped to 40, again 40, then set (not added) to 3
    EXPECT_EQ(b.at(0, 0), 3);   // COLD "3": 0, 1 and 2
    EXPECT_EQ(b.at(1, 3), 40);  // NEW DOZ3 with nothing seen chooses class 1: DOZ1, 50 clamped to 40
    EXPECT_EQ(b.sum(), 5 + 3 * 2 + 3 + 3 * 3 + 40);
}

TEST(Interpreter, RandomRunsDrawFromTheGameGeneratorAndHonourStop) {
    Strategy s = parsed(strategyLines({"BET 1 v"}, {"BETS HOT (0,1) // 1 x"}));
    GameState g = gameWith({1, 2});
    g.rng.setSeed(42);
    GameState copy = g;
    Interpreter run;
    ASSERT_EQ(run.Run(s, g, false, 10).end, RunEnd::Finished);
    EXPECT_EQ(run.stepCount(), 11);
    for (int32_t pos = 11; pos >= 1; --pos) EXPECT_EQ(run.RunSpins(pos), copy.RandNum());

    RunOptions opt;
    opt.progressInterval = 4;
    std::vector<int> percents;
    opt.progress = [&](const RunProgress& p) {
        percents.push_back(p.percent());
        return p.step >= 9;
    };
    const RunResult stopped = run.Run(s, g, false, 19, opt);
    EXPECT_EQ(stopped.end, RunEnd::Stopped);
    EXPECT_EQ(run.stepCount(), 8);
    EXPECT_EQ(percents, (std::vector<int>{5, 26, 47}));  // steps 1, 5, 9 of N = 19

    // requestStop() from inside the callback (the stop button) works the same.
    opt.progress = [&](const RunProgress& p) {
        if (p.step == 5) run.requestStop();
        return false;
    };
    EXPECT_EQ(run.Run(s, g, false, 100, opt).end, RunEnd::Stopped);
    EXPECT_EQ(run.stepCount(), 4);
}

TEST(Interpreter, UnsafeRunsAreRefusedBeforeAnythingChanges) {
    Strategy s = parsed(strategyLines({"BET 1 v"}, {"BETS RED // 1 x"}));
    GameState g = gameWith({1, 2, 3});
    Interpreter run;
    ASSERT_EQ(run.Run(s, g, true, 3).end, RunEnd::Finished);
    const int32_t before = run.balance();

    RunResult r = run.Run(s, g, false, kMaxRunSpins + 1);
    EXPECT_EQ(r.end, RunEnd::Refused);
    EXPECT_NE(r.message.find("50000000"), std::string::npos);

    // A cycle built in memory, as the constructor might.
    StrategyOperator a;
    a.kind = OperatorKind::If;
    a.left = "1";
    a.right = "1";
    a.independent = true;
    a.thenList[1] = 2;
    StrategyOperator b = a;
    b.independent = false;
    b.thenList[1] = 1;
    s.operators = {a, b};
    r = run.Run(s, g, true, 3);
    EXPECT_EQ(r.end, RunEnd::Refused);
    EXPECT_NE(r.message.find("cycle"), std::string::npos);
    s.operators[1].thenList[1] = 7;
    EXPECT_EQ(run.Run(s, g, true, 3).end, RunEnd::Refused);

    EXPECT_EQ(run.stepCount(), 4);
    EXPECT_EQ(run.balance(), before);
}

TEST(Interpreter, NextBetsGoToTheMainTableWhenCreditCoversThem) {
    TesterGrid b;
    b.at(0, 0) = 2;   // zero
    b.at(12, 2) = 3;  // 34
    b.at(5, 3) = 4;   // DOZ2
    b.at(11, 4) = 5;  // HIGH
    b.at(13, 0) = 6;  // COL3: not transferred
    GameState g;
    g.Credit = 19;
    g.CurrentBets.at(1, 1) = 9;
    EXPECT_FALSE(transferToTable(b, g));
    EXPECT_EQ(g.CurrentBets.at(1, 1), 9);
    g.Credit = 20;
    ASSERT_TRUE(transferToTable(b, g));
    EXPECT_EQ(g.CurrentBets.at(1, 1), 2);
    EXPECT_EQ(g.CurrentBets.at(25, 5), 3);
    EXPECT_EQ(g.CurrentBets.at(11, 7), 4);
    EXPECT_EQ(g.CurrentBets.at(23, 8), 5);
    EXPECT_EQ(g.CurrentBets.sum(), 14);
}

}  // namespace
}  // namespace kv
