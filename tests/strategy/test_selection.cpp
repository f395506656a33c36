#include <gtest/gtest.h>

#include <algorithm>
#include <random>
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
    EXPECT_EQ(h.SelectNumbers(kwNEW, 4, 0).value, 1);
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
    EXPECT_EQ(numbersOf(h.SelectNumbers(kwCOL1, 5, 40).numbers),
              (std::vector<int>{1, 4, 7, 10, 13, 16, 19, 22, 25, 28, 31, 34}));
}

// ------------------------------------------------- the rules, counted anew

struct Naive {
    std::vector<int> newestFirst;

    std::array<int, 37> counts(int n) const {
        std::array<int, 37> c{};
        if (n < 1 || n > static_cast<int>(newestFirst.size())) return c;
        for (int i = 0; i < n; ++i) ++c[newestFirst[i]];
        return c;
    }
    std::array<int, 37> ages(int n) const {
        std::array<int, 37> a;
        a.fill(-1);
        if (n < 1 || n > static_cast<int>(newestFirst.size())) return a;
        for (int i = n - 1; i >= 0; --i) a[newestFirst[i]] = i;
        return a;
    }
    static int cls(int c, int x) {
        if (c <= 1) return isRed(x) ? 1 : 2;
        if (c <= 3) return x % 2 == 1 ? 1 : 2;
        if (c <= 5) return x <= 18 ? 1 : 2;
        if (c <= 8) return (x - 1) / 12 + 1;
        return (x - 1) % 3 + 1;
    }

    Selection select(int kw, int n, int c) const {
        Selection s;
        s.hasValue = true;
        const auto cnt = counts(n);
        const auto age = ages(n);
        if (c >= 12) {
            const int keep = c - 11;
            std::vector<bool> removed(37, false);
            for (int round = 0; round < 37 - keep; ++round) {
                int pick = -1;
                if (kw == kwHOT) {
                    for (int x = 0; x <= 36; ++x)
                        if (!removed[x] && (pick < 0 || cnt[x] < cnt[pick])) pick = x;
                } else if (kw == kwCOLD) {
                    for (int x = 0; x <= 36; ++x)
                        if (!removed[x] && (pick < 0 || cnt[x] >= cnt[pick])) pick = x;
                } else if (kw == kwNEW) {
                    for (int x = 0; x <= 36; ++x)
                        if (!removed[x] && age[x] < 0) pick = x;
                    if (pick < 0)
                        for (int x = 0; x <= 36; ++x)
                            if (!removed[x] && (pick < 0 || age[x] > age[pick])) pick = x;
                    if (pick < 0) pick = 0;
                } else {
                    for (int x = 0; x <= 36; ++x)
                        if (!removed[x] && age[x] >= 0 && (pick < 0 || age[x] < age[pick])) pick = x;
                    if (pick < 0) pick = 0;
                }
                removed[pick] = true;
            }
            std::vector<int> left;
            for (int x = 0; x <= 36; ++x)
                if (!removed[x]) left.push_back(x);
            if (kw == kwOLD) {
                int low = 1 << 30;
                for (int x : left) low = std::min(low, age[x]);
                s.value = low;
                left.resize(keep);
            } else if (kw == kwHOT) {
                s.value = 1 << 30;
                for (int x : left) s.value = std::min(s.value, cnt[x]);
            } else if (kw == kwCOLD) {
                s.value = -1;
                for (int x : left) s.value = std::max(s.value, cnt[x]);
            } else {
                s.value = 0;
                for (int x : left) s.value = std::max(s.value, age[x]);
            }
            for (int x : left) s.numbers |= uint64_t{1} << x;
            return s;
        }
        int chosen;
        if (kw == kwHOT || kw == kwCOLD) {
            int sum[4] = {0, 0, 0, 0};
            for (int x = 1; x <= 36; ++x) sum[cls(c, x)] += cnt[x];
            if (c <= 5)
                chosen = kw == kwHOT ? (sum[1] > sum[2] ? 1 : 2) : (sum[1] > sum[2] ? 2 : 1);
            else if (kw == kwHOT)
                chosen = sum[1] >= sum[2] && sum[1] >= sum[3] ? 1 : (sum[2] >= sum[1] && sum[2] >= sum[3] ? 2 : 3);
            else
                chosen = sum[1] <= sum[2] && sum[1] <= sum[3] ? 1 : (sum[2] <= sum[1] && sum[2] <= sum[3] ? 2 : 3);
        } else {
            int m[4] = {0, 1000000, 1000000, 1000000};
            for (int x = 1; x <= 36; ++x)
                if (age[x] >= 0) m[cls(c, x)] = std::min(m[cls(c, x)], age[x]);
            if (c <= 5 && kw == kwOLD) m[3] = 1000000;
            if (kw == kwNEW) {
                chosen = m[1] <= m[2] && m[1] <= m[3] ? 1 : (m[2] <= m[1] && m[2] <= m[3] ? 2 : 3);
            } else {
                for (int j = 1; j <= 3; ++j)
                    if (m[j] == 1000000) m[j] = 0;
                chosen = m[1] >= m[2] && m[1] >= m[3] ? 1 : (m[2] >= m[1] && m[2] >= m[3] ? 2 : 3);
            }
        }
        s.value = chosen;
        for (int x = 1; x <= 36; ++x)
            if (cls(c, x) == chosen && !(c <= 5 && chosen == 3)) s.numbers |= uint64_t{1} << x;
        return s;
    }
};

TEST(SelectNumbers, RunningCountsAgreeWithCountingTheWindowAnew) {
    std::mt19937 rng(20240611);
    const int32_t windows[] = {1, 2, 5, 10, 37, 100};
    for (int run = 0; run < 6; ++run) {
        RunHistory fast;
        fast.reset(400);
        for (int32_t n : windows) fast.trackWindow(n);
        Naive slow;
        // Short runs favour few numbers, so that counts tie and numbers repeat.
        const int spread = run % 2 == 0 ? 37 : 6;
        for (int step = 0; step < 300; ++step) {
            for (int kw = kwOLD; kw <= kwHOT; ++kw) {
                const int c = static_cast<int>(rng() % 47);
                const int32_t pick = static_cast<int32_t>(rng() % 9);
                const int32_t n = pick < 6 ? windows[pick] : (pick == 6 ? fast.stepCount() : (pick == 7 ? 3 : 500));
                const Selection a = fast.SelectNumbers(kw, n, c);
                const Selection b = slow.select(kw, n, c);
                ASSERT_EQ(a.numbers, b.numbers) << operandKeywordText(kw) << " (" << n << "," << CategoryChoice(c)
                                                << ") at step " << step;
                ASSERT_EQ(a.value, b.value) << operandKeywordText(kw) << " (" << n << "," << CategoryChoice(c)
                                            << ") at step " << step;
            }
            const int x = static_cast<int>(rng() % spread);
            fast.push(x);
            slow.newestFirst.insert(slow.newestFirst.begin(), x);
        }
    }
}

}  // namespace
}  // namespace kv
