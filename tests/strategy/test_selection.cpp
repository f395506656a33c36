#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "strategy/run_history.h"
#include "strategy/strategy_words.h"

namespace kv {
namespace {

std::vector<int> numbersOf(uint64_t mask) {
    std::vector<int> out;
    for (int x = 0; x <= 36; ++x)
        if (mask >> x & 1) out.push_back(x);
    return out;
}

// Spins given newest first, as the rules read them.
RunHistory historyOf(std::vector<int> newestFirst) {
    RunHistory h;
    h.reset(static_cast<int32_t>(newestFirst.size()));
    for (auto it = newestFirst.rbegin(); it != newestFirst.rend(); ++it) h.push(*it);
    return h;
}

std::vector<int> range(int from, int to) {
    std::vector<int> v;
    for (int x = from; x <= to; ++x) v.push_back(x);
    return v;
}

TEST(SelectNumbers, HotFiveOfTenPrefersTheHighestAmongEqualCounts) {
    const RunHistory h = historyOf({7, 7, 7, 12, 12, 3, 3, 0, 1, 2});
    const Selection s = h.SelectNumbers(kwHOT, 10, 16);  // "5"
    EXPECT_EQ(numbersOf(s.numbers), (std::vector<int>{1, 2, 3, 7, 12}));
    EXPECT_EQ(s.value, 1);
}

TEST(SelectNumbers, HotRedAndHotBlackAreTheHotterColour) {
    const RunHistory h = historyOf({2, 4, 1, 6});  // three black, one red
    for (int c : {0, 1}) {
        const Selection s = h.SelectNumbers(kwHOT, 4, c);
        EXPECT_EQ(s.value, 2);
        EXPECT_EQ(s.numbers, categoryNumbers(Category::BLACK));
        const Selection cold = h.SelectNumbers(kwCOLD, 4, c);
        EXPECT_EQ(cold.value, 1);
        EXPECT_EQ(cold.numbers, categoryNumbers(Category::RED));
    }
    // A tie between the colours: HOT takes class 2, COLD class 1.
    const RunHistory tie = historyOf({1, 2});
    EXPECT_EQ(tie.SelectNumbers(kwHOT, 2, 0).value, 2);
    EXPECT_EQ(tie.SelectNumbers(kwCOLD, 2, 0).value, 1);
}

TEST(SelectNumbers, OldDozenCountsAnUnseenDozenAsAgeZero) {
    // Dozen 1 is the latest spin, dozen 2 came three spins ago, dozen 3 not at all.
    const RunHistory h = historyOf({5, 0, 14, 0});
    const Selection s = h.SelectNumbers(kwOLD, 4, 6);
    EXPECT_EQ(s.value, 2);
    EXPECT_EQ(s.numbers, categoryNumbers(Category::DOZ2));
    // NEW takes the freshest dozen.
    EXPECT_EQ(h.SelectNumbers(kwNEW, 4, 6).value, 1);
}

TEST(SelectNumbers, AWindowLongerThanTheRunSeesNothing) {
    const RunHistory h = historyOf({1, 1, 3});
    const Selection hot = h.SelectNumbers(kwHOT, 4, 0);
    EXPECT_EQ(hot.numbers, categoryNumbers(Category::BLACK));
    EXPECT_EQ(numbersOf(h.SelectNumbers(kwHOT, 4, 16).numbers), range(32, 36));
    EXPECT_EQ(numbersOf(h.SelectNumbers(kwHOT, 0, 16).numbers), range(32, 36));
    EXPECT_EQ(numbersOf(h.SelectNumbers(kwHOT, -3, 16).numbers), range(32, 36));
    // Within the run the same selection sees the spins.
    EXPECT_EQ(h.SelectNumbers(kwHOT, 3, 0).value, 1);
}

TEST(SelectNumbers, CategoryKeywordsLeaveTheValueAlone) {
    const RunHistory h = historyOf({});
    const Selection s = h.SelectNumbers(kwDOZ2, 0, 0);
    EXPECT_FALSE(s.hasValue);
    EXPECT_EQ(numbersOf(s.numbers), range(13, 24));
}

TEST(SelectNumbers, TrackedWindowsSlideOverTheRun) {
    // Played 7 7 7 5 9 5: the window of three no longer sees the 7s.
    RunHistory h;
    h.reset(10);
    h.trackWindow(3);
    h.trackWindow(6);
    for (int x : {7, 7, 7, 5, 9, 5}) h.push(x);
    struct Case {
        int kw, n, c;
        std::vector<int> numbers;
        int value;
    };
    const Case cases[] = {
        {kwHOT, 3, 12, {5}, 2},  {kwHOT, 6, 12, {7}, 3},    {kwHOT, 3, 13, {5, 9}, 1},
        {kwCOLD, 3, 12, {0}, 0}, {kwNEW, 3, 13, {5, 9}, 1}, {kwNEW, 6, 12, {5}, 0},
    };
    for (const Case& k : cases) {
        const Selection s = h.SelectNumbers(k.kw, k.n, k.c);
        EXPECT_EQ(numbersOf(s.numbers), k.numbers) << operandKeywordText(k.kw) << " " << k.n << " " << k.c;
        EXPECT_EQ(s.value, k.value) << operandKeywordText(k.kw) << " " << k.n << " " << k.c;
    }
    // Unseen numbers are the oldest; the lowest of them comes first.
    EXPECT_EQ(numbersOf(h.SelectNumbers(kwOLD, 3, 12).numbers), std::vector<int>{1});
}

}  // namespace
}  // namespace kv
