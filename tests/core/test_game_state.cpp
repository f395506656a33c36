#include <gtest/gtest.h>

#include <vector>

#include "core/bets.h"
#include "core/game_state.h"

using namespace kv;

TEST(GameState, SpinCountNeverDropsBelowZero) {
    GameState s;
    s.addToSpinCount(3);
    s.addToSpinCount(-5);
    EXPECT_EQ(s.SpinCount, 0);
}

TEST(GameState, RecordingShiftsTheHistoryAndKeepsItAcrossGrowth) {
    GameState s;
    for (int i = 0; i < 1492; ++i) {
        s.CurrentBets.clear();
        s.CurrentBets.at(3, 1) = i % 7 + 1;
        s.RecordSpin(i % 37);
    }
    // Newest first: spin 1492 (1491 % 37 = 11) at position 1, the first spin last.
    EXPECT_EQ(s.HistoryCapacity(), 2501);
    EXPECT_EQ(s.SpinHistory(1), 11);
    EXPECT_EQ(s.SpinBets(1).at(3, 1), 1491 % 7 + 1);
    EXPECT_EQ(s.SpinHistory(1492), 0);
    EXPECT_EQ(s.SpinBets(1492).at(3, 1), 1);
    EXPECT_EQ(s.SpinHistory(1491), 1);
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
