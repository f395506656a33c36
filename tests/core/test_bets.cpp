#include <gtest/gtest.h>

#include <vector>

#include "core/bets.h"

using namespace kv;

namespace {

GameState freshGame(int32_t credit) {
    GameState s;
    s.Credit = credit;
    s.Balance = -credit;
    return s;
}

// Plays result n with the current bets, as a spin does: record, then settle.
void play(GameState& s, int n) {
    s.BallPocket = WheelPosition(n);
    s.Bet = s.CurrentBets.sum();
    s.RecordSpin(n);
    settleBets(s);
}

void click(GameState& s, TablePoint p, MouseButton b = MouseButton::Left) { tableMouseDown(s, b, p.x, p.y); }

}  // namespace

TEST(Bets, ChipsRespectMinimumMaximumAndFreeCredit) {
    GameState s = freshGame(100);
    click(s, categoryPoint(Category::RED));
    EXPECT_EQ(s.CurrentBets.at(11, 8), 5) << "raised to the class minimum";
    EXPECT_EQ(s.Bet, 5);

    GameState t = freshGame(3);
    t.ChipValue = 5;
    click(t, numberPoint(17));
    EXPECT_EQ(t.CurrentBets.at(13, 3), 3) << "the last chip takes what is left";

    GameState u = freshGame(3);
    click(u, categoryPoint(Category::RED));
    EXPECT_EQ(u.CurrentBets.at(11, 8), 0) << "a spot that cannot reach the minimum stays empty";

    GameState v = freshGame(1000);
    v.CurrentBets.at(3, 1) = 25;
    click(v, numberPoint(3));
    EXPECT_EQ(v.CurrentBets.at(3, 1), 25);

    click(v, numberPoint(3), MouseButton::Right);
    EXPECT_EQ(v.CurrentBets.at(3, 1), 0);
}

TEST(Bets, ChipSelectorStepsThroughTheValues) {
    GameState s = freshGame(100);
    const int up = kChipSelector.x + 5, y = kChipSelector.y;
    const int32_t full = s.TableLimits.max(PayoutClass::Even);
    std::vector<int32_t> seen;
    for (int i = 0; i < 6; ++i) {
        tableMouseDown(s, MouseButton::Left, up, y);
        seen.push_back(s.ChipValue);
    }
    EXPECT_EQ(seen, (std::vector<int32_t>{5, 10, 50, 100, full, 1}));
}

TEST(Bets, DoubleNeedsCreditForTwiceTheTotalAndCutsAtTheMaximum) {
    GameState s = freshGame(100);
    s.CurrentBets.at(11, 8) = 40;  // RED
    s.CurrentBets.at(3, 1) = 20;   // straight 3, max 25
    click(s, kDoubleControl);
    EXPECT_EQ(s.CurrentBets.at(11, 8), 40) << "total 60 needs credit 120";
    s.Credit = 120;
    click(s, kDoubleControl);
    EXPECT_EQ(s.CurrentBets.at(11, 8), 80);
    EXPECT_EQ(s.CurrentBets.at(3, 1), 25);
    EXPECT_EQ(s.Bet, 105);

    click(s, kClearControl);
    EXPECT_TRUE(s.CurrentBets.empty());
}

TEST(Bets, SettlementPaysTheRightClasses) {
    GameState s = freshGame(100);
    s.CurrentBets.at(11, 8) = 10;  // RED
    s.CurrentBets.at(2, 1) = 10;   // split 0-3
    play(s, 0);
    EXPECT_EQ(s.Win, 180) << "even chances lose on zero, the split pays 18x";
    EXPECT_EQ(s.Credit, 100 - 20 + 180);
    EXPECT_EQ(s.ResultHistory(1), s.Balance + s.Credit);

    GameState t = freshGame(100);
    t.CurrentBets.at(2, 4) = 10;  // trio 0-1-2
    play(t, 2);
    EXPECT_EQ(t.Win, 120);

    GameState u = freshGame(100);
    u.CurrentBets.at(15, 8) = 10;  // BLACK
    u.CurrentBets.at(26, 3) = 10;  // COL2
    u.CurrentBets.at(12, 6) = 10;  // six-line 13-18
    play(u, 17);
    EXPECT_EQ(u.Win, 110);
}

TEST(Bets, RepeatStepsBackThroughDistinctAffordableSets) {
    GameState s = freshGame(1000);
    // Oldest to newest: A, nothing, B, A.
    BetGrid a, b;
    a.at(11, 8) = 10;
    b.at(3, 1) = 5;
    BetGrid none;
    for (const BetGrid* g : {&a, &none, &b, &a}) {
        s.CurrentBets = *g;
        play(s, 5);
    }
    s.CurrentBets.clear();
    click(s, kRepeatControl);
    EXPECT_EQ(s.CurrentBets, a) << "latest spin first";
    click(s, kRepeatControl);
    EXPECT_EQ(s.CurrentBets, b);
    click(s, kRepeatControl);
    // The empty spin is skipped, and so is the old A (a newer spin holds the
    // same set): the cursor wraps to the latest spin.
    EXPECT_EQ(s.CurrentBets, a);
    EXPECT_EQ(s.RepeatCursor, 1);
    click(s, categoryPoint(Category::LOW));  // any other click restarts at the latest spin
    EXPECT_EQ(s.RepeatCursor, 0);
}

TEST(Bets, RepeatEndsAfterOneLapWhenNothingQualifies) {
    GameState s = freshGame(1000);
    BetGrid a;
    a.at(11, 8) = 300;
    for (int i = 0; i < 3; ++i) {
        s.CurrentBets = a;
        play(s, 7);
    }
    // Every set is equal to a newer one except the latest; make that one unaffordable.
    s.Credit = 50;
    s.CurrentBets.clear();
    click(s, kRepeatControl);
    EXPECT_TRUE(s.CurrentBets.empty());

    GameState empty = freshGame(10);
    click(empty, kRepeatControl);
    EXPECT_TRUE(empty.CurrentBets.empty());
}

TEST(Bets, ClickDuringResultPhaseOnlyShortensIt) {
    GameState s = freshGame(100);
    s.ResultTicks = 40;
    s.DriftTicks = 30;
    const auto r =
        tableMouseDown(s, MouseButton::Left, categoryPoint(Category::RED).x, categoryPoint(Category::RED).y);
    EXPECT_FALSE(r.handled);
    EXPECT_EQ(s.ResultTicks, 2);
    EXPECT_EQ(s.DriftTicks, 2);
    EXPECT_TRUE(s.CurrentBets.empty());

    GameState t = freshGame(100);
    t.DriftTicks = 30;
    const auto w = tableMouseDown(t, MouseButton::Left, kWheelClick.x, kWheelClick.y);
    EXPECT_TRUE(w.wheelHit);
    EXPECT_EQ(t.DriftTicks, 2);
}
