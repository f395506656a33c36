#include <gtest/gtest.h>

#include "core/money.h"

using namespace kv;

TEST(Money, GetMoneyTakesInputCreditsOrWhatIsNotBet) {
    GameState s;
    s.InputCredits = 500;
    s.Credit = 100;
    s.Balance = -100;
    s.CurrentBets.at(11, 8) = 30;
    takeInputCredits(s);
    EXPECT_EQ(s.Credit, 30);
    EXPECT_EQ(s.Balance, -30);
    EXPECT_EQ(s.ResultHistory(s.SpinCount), 0);

    GameState t;
    t.InputCredits = 500;
    t.Credit = 1000;
    t.Balance = -1000;
    t.addToSpinCount(3);
    takeInputCredits(t);
    EXPECT_EQ(t.Credit, 500);
    EXPECT_EQ(t.Balance, -500);
    EXPECT_EQ(t.ResultHistory(3), 0) << "Balance + Credit is recorded for the current spin";

    putInputCredits(t);
    EXPECT_EQ(t.Credit, 1000);
    EXPECT_EQ(t.Balance, -1000);
}

TEST(Money, BalanceWindowTransfersKeepTheTotal) {
    GameState s;
    s.Credit = 200;
    s.Balance = -150;
    s.CurrentBets.at(3, 1) = 20;
    balanceGetMoney(s, 1000);
    EXPECT_EQ(s.Credit, 20);
    EXPECT_EQ(s.Balance + s.Credit, 50);
    balancePutMoney(s, 80);
    EXPECT_EQ(s.Credit, 100);
    EXPECT_EQ(s.Balance + s.Credit, 50);
    // Near the top of the 32-bit range the total still holds.
    s.Credit = 2'147'483'000;
    s.Balance = -2'147'483'000;
    balancePutMoney(s, 32000);
    EXPECT_EQ(static_cast<int64_t>(s.Balance) + s.Credit, 0);
}
