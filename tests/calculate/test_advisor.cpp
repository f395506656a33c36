#include <gtest/gtest.h>

#include <vector>

#include "calculate/advisor.h"

namespace kv {
namespace {

// Numbers by what the tests need of them.
constexpr int kRed = 1;     // red, odd, low, dozen 1, column 1
constexpr int kBlack = 2;   // black, even, low, dozen 1, column 2
constexpr int kBlack2 = 4;  // another black

AdvisorParams params(long double f, int32_t n = 0, int32_t errors = 2, bool betAlways = true,
                     long double conf = 0.01L) {
    AdvisorParams p;
    p.downturn = f;
    p.statisticNumbers = n;
    p.errors = errors;
    for (int k = 1; k <= kAdviceCategories; ++k) {
        p.confidence[k] = conf;
        p.betAlways[k] = betAlways;
        p.enabled[k] = true;
    }
    return p;
}

TEST(OutcomeClass, FollowsTheTable) {
    EXPECT_EQ(outcomeClass(kRedBlack, 19), 1);
    EXPECT_EQ(outcomeClass(kRedBlack, 20), 2);
    EXPECT_EQ(outcomeClass(kLowHigh, 19), 2);
    EXPECT_EQ(outcomeClass(kDozens, 13), 2);
    EXPECT_EQ(outcomeClass(kColumns, 34), 1);
    EXPECT_EQ(outcomeClass(kColumns, 36), 3);
    for (int k = kRedBlack; k <= kColumns; ++k) EXPECT_EQ(outcomeClass(k, 0), 0);
}

TEST(EvenChanceAdvice, BlackBlackRedWithFactorThreeQuarters) {
    // Latest first: black, black, red, then older reds beyond the window.
    const std::vector<int32_t> h{kBlack, kBlack2, kRed, kRed, kRed, kRed};
    Advisor a(params(0.75L, 3), h);
    EXPECT_EQ(a.windowLength(), 3);
    EXPECT_EQ(a.EvenChanceAdvice(kRedBlack, 1, false), 1);  // bet red
    EXPECT_EQ(a.classSums()[2], 1.75L);
    EXPECT_EQ(a.classSums()[1], 0.5625L);
}

TEST(EvenChanceAdvice, DownturnFactorZeroAndOne) {
    // Latest red, then three blacks.
    const std::vector<int32_t> h{kRed, kBlack, kBlack, kBlack};
    // 0: only the latest spin counts, so red came too often.
    Advisor zero(params(0.0L), h);
    EXPECT_EQ(zero.EvenChanceAdvice(kRedBlack, 1, false), 2);
    // 1: every spin weighs the same, so red came too seldom.
    Advisor one(params(1.0L), h);
    EXPECT_EQ(one.EvenChanceAdvice(kRedBlack, 1, false), 1);
}

TEST(EvenChanceAdvice, ConfidenceThreshold) {
    // Bet Always off, confidence 0.99, f = 0.75: the lead must reach
    // 0.99 x 2.734375 = 2.70703125.
    const AdvisorParams p = params(0.75L, 0, 2, false, 0.99L);
    const std::vector<int32_t> four{kBlack, kBlack, kBlack, kBlack};  // lead 2.734375
    EXPECT_EQ(Advisor(p, four).EvenChanceAdvice(kRedBlack, 1, false), 1);
    const std::vector<int32_t> three{kBlack, kBlack, kBlack};  // lead 2.3125
    EXPECT_EQ(Advisor(p, three).EvenChanceAdvice(kRedBlack, 1, false), 0);
    // More blacks, but the red in fourth place holds the lead at 2.4443359375.
    const std::vector<int32_t> broken{kBlack, kBlack, kBlack, kRed, kBlack, kBlack};
    EXPECT_EQ(Advisor(p, broken).EvenChanceAdvice(kRedBlack, 1, false), 0);
    // Force takes any lead.
    EXPECT_EQ(Advisor(p, three).EvenChanceAdvice(kRedBlack, 1, true), 1);
}

TEST(EvenChanceAdvice, ZeroDecaysButCountsForNoSide) {
    // f = 0.5, confidence 0.4: threshold 0.4 x 1.875 = 0.75. The black
    // behind the zero weighs 0.5, short of it; were the zero skipped
    // without decaying, the black would weigh 1.
    const AdvisorParams p = params(0.5L, 0, 2, false, 0.4L);
    const std::vector<int32_t> h{0, kBlack};
    Advisor a(p, h);
    EXPECT_EQ(a.EvenChanceAdvice(kRedBlack, 1, false), 0);
    EXPECT_EQ(a.classSums()[2], 0.5L);
    // Zero alone: a tie, even with Bet Always.
    const std::vector<int32_t> z{0};
    EXPECT_EQ(Advisor(params(0.5L), z).EvenChanceAdvice(kOddEven, 1, false), 0);
}

TEST(EvenChanceAdvice, WindowStartsWhereAsked) {
    // Start 2 skips the latest spin; N = 2 counts two spins from there.
    const std::vector<int32_t> h{kRed, kRed, kBlack, kRed, kRed};
    Advisor a(params(1.0L, 2), h);
    EXPECT_EQ(a.EvenChanceAdvice(kRedBlack, 2, false), 0);  // red, black: a tie
    EXPECT_EQ(a.EvenChanceAdvice(kRedBlack, 4, false), 2);  // red, red
    EXPECT_EQ(a.classSums()[1], 2.0L);
    // Past the end of the history the window is empty.
    EXPECT_EQ(a.EvenChanceAdvice(kRedBlack, 6, false), 0);
    EXPECT_EQ(a.classSums()[1] + a.classSums()[2], 0.0L);
}

TEST(ThirdsAdvice, FlagsAgainstTheAverage) {
    // Dozens: 5 and 17 once each, f = 1: S = (1, 1, 0), A = 2/3.
    const std::vector<int32_t> h{5, 17};
    Advisor a(params(1.0L), h);
    a.ThirdsAdvice(kDozens, 1, false);
    EXPECT_EQ(a.flags()[0], 0);
    EXPECT_EQ(a.flags()[1], 2);
    EXPECT_EQ(a.flags()[2], 2);
    EXPECT_EQ(a.flags()[3], 1);
    // Without Bet Always: the threshold 0.5 x (1 + 1) = 1 keeps 1/3 and 2/3
    // leads from flagging.
    Advisor b(params(1.0L, 0, 2, false, 0.5L), h);
    b.ThirdsAdvice(kDozens, 1, false);
    EXPECT_EQ(b.flags()[3], 0);
    // Three spins of column 3 against none: S = (0, 0, 3), A = 1; column 3
    // leads by 2, the others trail by 1.
    const std::vector<int32_t> c{3, 6, 9};
    Advisor d(params(1.0L, 0, 2, false, 0.5L), c);
    d.ThirdsAdvice(kColumns, 1, false);
    EXPECT_EQ(d.flags()[1], 1);
    EXPECT_EQ(d.flags()[2], 1);
    EXPECT_EQ(d.flags()[3], 2);
}

TEST(ThirdsAdvice, DecaysWithTheSquareRoot) {
    // f = 0.25: the older spin weighs 0.5.
    const std::vector<int32_t> h{30, 5};
    Advisor a(params(0.25L), h);
    a.ThirdsAdvice(kDozens, 1, false);
    EXPECT_EQ(a.classSums()[3], 1.0L);
    EXPECT_EQ(a.classSums()[1], 0.5L);
}

TEST(NumberAdvice, SixteenthRootAndMeans) {
    // f = 2^-16: each older spin weighs half the newer one.
    const long double f = 1.0L / 65536.0L;
    const std::vector<int32_t> h{7, 7, 0};
    Advisor a(params(f), h);
    a.NumberAdvice(1, false);
    EXPECT_EQ(a.weights()[7], 1.5L);
    EXPECT_EQ(a.weights()[0], 0.25L);
    EXPECT_EQ(a.flags()[7], 2);
    EXPECT_EQ(a.flags()[0], 2);
    EXPECT_EQ(a.M2(), 0.875L);
    EXPECT_EQ(a.M1(), 0.0L);
    // Without Bet Always and a high threshold nothing is flagged: both means 1.
    Advisor b(params(f, 0, 2, false, 0.99L), h);
    b.NumberAdvice(1, false);
    EXPECT_EQ(b.M1(), 1.0L);
    EXPECT_EQ(b.M2(), 1.0L);
}

TEST(MissCount, EvenChances) {
    // Every earlier advice said red, and black came each time.
    const std::vector<int32_t> blacks{kBlack, kBlack, kBlack, kBlack};
    Advisor a(params(1.0L, 0, 2), blacks);
    EXPECT_EQ(a.missCount(kRedBlack), 2);
    EXPECT_TRUE(a.turnedRound(2));
    // The latest spin went the advised way: one hit, one miss.
    const std::vector<int32_t> mixed{kRed, kBlack, kBlack, kBlack};
    Advisor b(params(1.0L, 0, 2), mixed);
    EXPECT_EQ(b.missCount(kRedBlack), 1);
    EXPECT_FALSE(b.turnedRound(1));
    // A zero after an advice is a miss; no advice (a tie) is never one.
    const std::vector<int32_t> zero{0, kBlack};
    EXPECT_EQ(Advisor(params(1.0L, 0, 1), zero).missCount(kRedBlack), 1);
    const std::vector<int32_t> tie{kBlack, kRed, kBlack};
    EXPECT_EQ(Advisor(params(1.0L, 0, 1), tie).missCount(kRedBlack), 0);
}

TEST(MissCount, ThirdsAndNumbers) {
    // Dozens: the earlier window (5, 6) flags dozen 1 as too often; 7 came.
    const std::vector<int32_t> h{7, 5, 6};
    EXPECT_EQ(Advisor(params(1.0L, 0, 1), h).missCount(kDozens), 1);
    // A zero is never a miss for dozens or columns.
    const std::vector<int32_t> z{0, 5, 6};
    EXPECT_EQ(Advisor(params(1.0L, 0, 1), z).missCount(kDozens), 0);
    // Numbers: a miss when the number that came was flagged 2.
    const std::vector<int32_t> n{5, 5};
    EXPECT_EQ(Advisor(params(1.0L, 0, 1), n).missCount(kNumbers), 1);
    const std::vector<int32_t> m{6, 5};
    EXPECT_EQ(Advisor(params(1.0L, 0, 1), m).missCount(kNumbers), 0);
}

TEST(MissCount, ShortHistoryAndZeroErrors) {
    // One spin: no advice can be tested, so E = 1 is not reached.
    const std::vector<int32_t> one{kBlack};
    Advisor a(params(1.0L, 0, 1), one);
    EXPECT_EQ(a.missCount(kRedBlack), 0);
    EXPECT_FALSE(a.turnedRound(0));
    // Three spins test two advices at most, however large E is.
    const std::vector<int32_t> three{kBlack, kBlack, kBlack};
    Advisor b(params(1.0L, 0, 1000000), three);
    EXPECT_EQ(b.missCount(kRedBlack), 2);
    EXPECT_FALSE(b.turnedRound(2));
    // E = 0: nothing is tested and every category runs turned round.
    Advisor c(params(1.0L, 0, 0), three);
    EXPECT_EQ(c.missCount(kRedBlack), 0);
    EXPECT_TRUE(c.turnedRound(0));
}

TEST(Advisor, ParamsFromTheSettings) {
    CalculateSettings s;
    s.errors = "2,5";
    s.statisticNumbers = "12a";
    s.downturnFactor = "0,5";
    s.category[kColumns] = true;
    s.betAlways[kNumbers] = true;
    s.confidencePosition[kDozens] = 40;
    const AdvisorParams p = advisorParams(s);
    EXPECT_EQ(p.errors, 2);
    EXPECT_EQ(p.statisticNumbers, 12);
    EXPECT_EQ(p.downturn, 0.5L);
    EXPECT_TRUE(p.enabled[kColumns]);
    EXPECT_TRUE(p.betAlways[kNumbers]);
    EXPECT_EQ(p.confidence[kDozens], 0.4L);
    // N above the history counts all spins.
    const std::vector<int32_t> h{1, 2, 3};
    EXPECT_EQ(Advisor(p, h).windowLength(), 3);
}

}  // namespace
}  // namespace kv
