#include <gtest/gtest.h>

#include <vector>

#include "core/bets.h"
#include "core/game_state.h"

using namespace kv;

namespace {

// The history exactly as the shifting rule describes it: arrays of the full
// capacity, every spin moving positions 1..cap-2 up by one.
struct ShiftingModel {
    int32_t cap = 1501;
    int32_t count = 0;
    std::vector<int32_t> numbers = std::vector<int32_t>(1501, 0);
    std::vector<int32_t> marks = std::vector<int32_t>(1501, 0);  // one bet cell stands for the grid

    void resize(int32_t c) {
        cap = c;
        numbers.resize(c, 0);
        marks.resize(c, 0);
    }
    void insert(int32_t n) {
        count += n;
        while (count > cap - 10) resize(cap + 1000);
        while (count < cap - 2000) resize(cap - 1000);
    }
    void record(int32_t n, int32_t mark) {
        for (int32_t i = cap - 2; i >= 1; --i) {
            numbers[i + 1] = numbers[i];
            marks[i + 1] = marks[i];
        }
        numbers[1] = n;
        marks[1] = mark;
        insert(1);
    }
};

}  // namespace

TEST(GameState, CapacityGrowsAndShrinksByThousands) {
    GameState s;
    EXPECT_EQ(s.HistoryCapacity(), 1501);
    s.insertukazhis(1491);
    EXPECT_EQ(s.HistoryCapacity(), 1501);
    s.insertukazhis(1);
    EXPECT_EQ(s.HistoryCapacity(), 2501);
    s.insertukazhis(400 - s.SpinCount);
    EXPECT_EQ(s.SpinCount, 400);
    s.insertukazhis(0);
    EXPECT_EQ(s.HistoryCapacity(), 1501);
    s.insertukazhis(-400);
    EXPECT_EQ(s.HistoryCapacity(), 1501);
    s.insertukazhis(-5);  // never below zero spins
    EXPECT_EQ(s.SpinCount, 0);
}

TEST(GameState, RecordingMatchesTheShiftingRuleAcrossCapacityChanges) {
    GameState s;
    ShiftingModel m;
    Generator g(99);
    int recorded = 0;
    for (int round = 0; round < 4; ++round) {
        const int spins = round == 1 ? 2600 : 1700;  // crosses growth at 1492 and 2492
        for (int i = 0; i < spins; ++i) {
            const int n = g.Random(37);
            s.CurrentBets.clear();
            s.CurrentBets.at(3, 1) = i % 7;
            s.RecordSpin(n);
            m.record(n, i % 7);
            ++recorded;
        }
        ASSERT_EQ(s.HistoryCapacity(), m.cap);
        ASSERT_EQ(s.SpinCount, m.count);
        for (int32_t p = 1; p < m.cap; ++p) {
            ASSERT_EQ(s.SpinHistory(p), m.numbers[p]) << "round " << round << " pos " << p;
            ASSERT_EQ(s.SpinBets(p).at(3, 1), m.marks[p]) << "round " << round << " pos " << p;
        }
        // New Game writes positions 2..15 beyond the new count, then shrinks.
        s.NewGame();
        for (int32_t k = 15; k >= 1; --k) m.numbers[k] = s.SpinHistory(k);
        m.insert(-m.count);
        ASSERT_EQ(s.HistoryCapacity(), m.cap);
        for (int32_t p = 1; p < m.cap; ++p) {
            ASSERT_EQ(s.SpinHistory(p), m.numbers[p]) << "after new game, pos " << p;
            ASSERT_EQ(s.SpinBets(p).at(3, 1), m.marks[p]);
        }
    }
    EXPECT_GT(recorded, 7000);
}

TEST(GameState, NewGameStartsFreshMoneyAndWheel) {
    GameState s;
    s.InputCredits = 700;
    s.Credit = 12;
    s.ChipValue = 50;
    s.CurrentBets.at(11, 8) = 10;
    for (int i = 0; i < 30; ++i) s.RecordSpin(i % 37);
    s.NewGame();
    EXPECT_EQ(s.SpinCount, 0);
    EXPECT_EQ(s.Credit, 700);
    EXPECT_EQ(s.Balance + s.Credit, 0);
    EXPECT_EQ(s.ChipValue, 1);
    EXPECT_TRUE(s.CurrentBets.empty());
    EXPECT_EQ(s.BallPocket, mod37(s.WheelAngle + s.BallAngle) + 1);
    EXPECT_EQ(s.SpinHistory(1), NumberAtWheelPosition(s.BallPocket));
    EXPECT_EQ(s.ResultHistory(1), 0);
    for (int k = 2; k <= 15; ++k) {
        EXPECT_GE(s.SpinHistory(k), 0);
        EXPECT_LE(s.SpinHistory(k), 36);
    }
}

TEST(GameState, OnlineQueueRefusesBeyondItsLimit) {
    GameState s;
    for (int i = 0; i < kOnlineQueueMax; ++i) ASSERT_TRUE(s.queuePush(i % 37));
    EXPECT_FALSE(s.queuePush(5));
    EXPECT_FALSE(s.queuePush(256));
    EXPECT_EQ(static_cast<int>(s.OnlineQueue.size()), kOnlineQueueMax);
    EXPECT_EQ(s.queuePop(), 0);
    EXPECT_EQ(s.queuePop(), 1);
    GameState e;
    EXPECT_EQ(e.queuePop(), -1);
}
