#include <gtest/gtest.h>

#include "core/bets.h"
#include "core/number_entry.h"

using namespace kv;

namespace {
std::vector<int> parse(std::string_view t) {
    auto r = parseTypedNumbers(t);
    EXPECT_TRUE(r.ok()) << r.error;
    return r.numbers;
}
}  // namespace

TEST(NumberEntry, DigitRunsAreNumbersAndEverythingElseSeparates) {
    EXPECT_EQ(parse("12 5,36"), (std::vector<int>{12, 5, 36}));
    EXPECT_EQ(parse("-7"), std::vector<int>{7});
    EXPECT_EQ(parse("37 0"), std::vector<int>{0});
    EXPECT_TRUE(parse("370").empty());
    EXPECT_TRUE(parse("red black").empty());
    EXPECT_EQ(parse("1\r\n2\n3\r4"), (std::vector<int>{1, 2, 3, 4}));
    EXPECT_EQ(parse("12\n34"), (std::vector<int>{12, 34})) << "a line end ends the run";
}

TEST(NumberEntry, TooLongRunFailsTheWholeText) {
    const auto r = parseTypedNumbers("5 12345678901234 7");
    EXPECT_FALSE(r.ok());
    EXPECT_EQ(r.error, "'12345678901234' is not a valid integer value");
    EXPECT_TRUE(r.numbers.empty());
    EXPECT_FALSE(parseTypedNumbers("2147483648").ok());
}

TEST(NumberEntry, TypedNumbersAreRecordedAndSettledInOrder) {
    GameState s;
    s.Credit = 10;
    s.Balance = -10;
    s.WheelAngle = 11;
    s.CurrentBets.at(11, 8) = 10;  // RED
    s.Bet = 10;
    for (int n : parse("12 5,36")) playTypedNumber(s, n);
    EXPECT_EQ(s.SpinCount, 3);
    EXPECT_EQ(s.SpinHistory(1), 36);
    EXPECT_EQ(s.SpinHistory(3), 12);
    EXPECT_EQ(s.ResultTicks, 50);
    EXPECT_EQ(s.WinCell.col, 13);
    // Three reds at 10 each: -10 + 20 three times.
    EXPECT_EQ(s.Credit, 40);
    EXPECT_EQ(s.Bet, 10) << "the bets stay on the table until the result phase ends";
    EXPECT_EQ(s.SpinBets(3).at(11, 8), 10);
}
