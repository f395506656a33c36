// The engine's rules at their edges: the pixel where one spot gives way to
// the next, the last chip of the credit, the steps of the chip selector, the
// history's capacity, the drift of the wheel. One off-by-one in any of them
// changes what a player's click does.
#include <gtest/gtest.h>

#include "core/bets.h"
#include "core/wheel.h"

using namespace kv;

namespace {

// A point of the table by grid square (i, j) and the offset (u, v) inside it.
TablePoint at(int i, int j, int u, int v) {
    return {kTableLeft + kCellWidth * i + u, kTableTop + kCellHeight * j + v};
}

GameState game(int32_t credit) {
    GameState s;
    s.Credit = credit;
    return s;
}

void click(GameState& s, TablePoint p, MouseButton b = MouseButton::Left) { tableMouseDown(s, b, p.x, p.y); }

void play(GameState& s, int n) {
    s.BallPocket = WheelPosition(n);
    s.Bet = s.CurrentBets.sum();
    s.RecordSpin(n);
    settleBets(s);
}

}  // namespace

TEST(EngineBoundaries, HitTestEdgesBetweenSpots) {
    struct Case {
        int i, j, u, v;
        int c, r;
        const char* what;
    };
    const Case cases[] = {
        {0, 1, 35, 40, 1, 1, "last pixel of zero"},
        {0, 1, 36, 40, 2, 3, "first pixel of the zero line"},
        {0, 0, 40, 70, 2, 1, "zero line down to v 70 in the top row"},
        {0, 0, 40, 71, 2, 2, "trio 0-2-3 below it"},
        {5, 2, 20, 69, 11, 5, "number just above the street line"},
        {5, 2, 20, 70, 11, 6, "street line from v 70 in the bottom row"},
        {5, 0, 20, 70, 11, 1, "number down to v 70"},
        {5, 0, 20, 71, 11, 2, "split with the number below from v 71"},
        {3, 0, 20, 5, 7, 1, "no split above the top row"},
        {2, 3, 20, 42, 3, 7, "dozen down to v 42"},
        {2, 3, 20, 43, 3, 8, "even chance from v 43"},
        {1, 3, 5, 5, 3, 6, "left edge of the first street is still the street"},
        {1, 3, 40, 5, 4, 6, "right edge of the first street: six-line"},
        {2, 3, 5, 5, 4, 6, "left edge of the second street: six-line"},
        {12, 3, 40, 5, 25, 6, "right edge of the last street is still the street"},
        {12, 1, 40, 40, 25, 3, "no split to the right of the last street"},
    };
    for (const Case& k : cases) {
        const TablePoint p = at(k.i, k.j, k.u, k.v);
        const auto cell = HitTest(p.x, p.y);
        ASSERT_TRUE(cell.has_value()) << k.what;
        EXPECT_EQ(cell->c, k.c) << k.what;
        EXPECT_EQ(cell->r, k.r) << k.what;
    }
    EXPECT_FALSE(HitTest(kTableLeft - 1, 100).has_value());
    EXPECT_FALSE(HitTest(400, kTableTop - 1).has_value());
}

TEST(EngineBoundaries, ChipsAndTheCredit) {
    // The last chip takes what the bets already on the table leave free.
    GameState s = game(12);
    s.CurrentBets.at(11, 8) = 10;
    s.ChipValue = 5;
    click(s, numberPoint(17));
    EXPECT_EQ(s.CurrentBets.at(13, 3), 2);

    // A left click anywhere clears the shown win, a right click does not.
    GameState w = game(100);
    w.Win = 30;
    click(w, {700, 490}, MouseButton::Right);
    EXPECT_EQ(w.Win, 30);
    click(w, {700, 490});
    EXPECT_EQ(w.Win, 0);

    // The selector steps down through every value and wraps to the full stake.
    GameState d = game(100);
    const int32_t full = d.TableLimits.max(PayoutClass::Even);
    d.ChipValue = full;
    for (int32_t expected : {100, 50, 10, 5, 1, full}) {
        SelectChip(d, kChipSelector.x - 5);
        EXPECT_EQ(d.ChipValue, expected);
    }

    // Settlement takes Bet, not the sum of the chips lying on the table.
    GameState m = game(100);
    m.CurrentBets.at(11, 8) = 10;  // red
    m.BallPocket = WheelPosition(1);
    m.RecordSpin(1);
    m.Bet = 5;
    settleBets(m);
    EXPECT_EQ(m.Credit, 100 - 5 + 20);
    EXPECT_EQ(m.ResultHistory(1), m.Balance + m.Credit);
}

TEST(EngineBoundaries, RepeatChecksWhatTheCreditAffords) {
    // The newest spin's bets cost more than the credit: repeat leaves the table.
    GameState a = game(1000);
    a.CurrentBets.at(11, 8) = 50;
    play(a, 17);
    a.CurrentBets.clear();
    a.Credit = 30;
    a.CurrentBets.at(15, 8) = 5;
    click(a, kRepeatControl);
    EXPECT_EQ(a.CurrentBets.at(15, 8), 5);
    EXPECT_EQ(a.CurrentBets.at(11, 8), 0);

    // The oldest spin with bets is beyond the credit, so repeat is not
    // selective and takes the newest spin, although it carried no bets.
    GameState b = game(1000);
    b.CurrentBets.at(11, 8) = 50;
    play(b, 17);
    b.CurrentBets.clear();
    play(b, 3);
    b.Credit = 30;
    b.CurrentBets.at(15, 8) = 5;
    click(b, kRepeatControl);
    EXPECT_TRUE(b.CurrentBets.empty());
}

TEST(EngineBoundaries, HistoryCapacityGrowsAndShrinksAtItsMargins) {
    GameState s;
    const int32_t start = s.HistoryCapacity();
    s.addToSpinCount(start - 10);
    EXPECT_EQ(s.HistoryCapacity(), start) << "ten positions to spare are enough";
    s.addToSpinCount(1);
    EXPECT_EQ(s.HistoryCapacity(), start + 1000);
    s.addToSpinCount(start + 1000 - 2000 - s.SpinCount);
    EXPECT_EQ(s.HistoryCapacity(), start + 1000) << "exactly 2000 spare positions stay";
    s.addToSpinCount(-1);
    EXPECT_EQ(s.HistoryCapacity(), start);
}

TEST(EngineBoundaries, DriftMovesEveryTickFromFifteenThenEveryOther) {
    for (const auto& [ticks, moves] : {std::pair{16, true}, {15, true}, {14, true}, {13, false}}) {
        GameState s;
        s.WheelAngle = 10;
        s.BallAngle = 10;
        s.DriftTicks = ticks;
        TimerTick(s);
        EXPECT_EQ(s.WheelAngle, moves ? 11 : 10) << ticks;
        EXPECT_EQ(s.BallAngle, moves ? 9 : 10) << ticks;
    }
}
