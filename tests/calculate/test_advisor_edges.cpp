// The advisor at the edges of its rules: a history shorter than E, a lead
// exactly at the threshold, the order of the zero splits, and miss counts
// that must not depend on how they are summed.

#include <gtest/gtest.h>

#include <array>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "calculate/calculate_plan.h"
#include "calculate/number_groups.h"

namespace kv {
namespace {

TEST(AdvisorEdges, ShortHistoriesAndLeadsAtTheThreshold) {
    // With f = 1 every spin weighs 1 and, with the slider at 50, the
    // thresholds are whole numbers: 0.5 x 4 = 2 for the even chances,
    // 0.5 x 2 = 1 for dozens and columns.
    const struct {
        std::vector<int32_t> history;  // newest first
        int category;
        int32_t errors;
        long double f;
        int32_t confidence;  // slider position: 50 is exactly 0.5
        bool betAlways;
        std::vector<Category> chips;
    } cases[] = {
        // Two spins of 1, E = 2: one advice tested, so no turning round.
        {{1, 1}, kDozens, 2, 0.75L, 30, true, {Category::DOZ2, Category::DOZ3}},
        {{1, 3}, kRedBlack, 2, 1.0L, 50, false, {Category::BLACK}},   // red leads by exactly 2
        {{1, 2, 3}, kRedBlack, 2, 1.0L, 50, false, {}},               // a lead of 1 is below the threshold
        {{1, 2, 13}, kDozens, 2, 1.0L, 50, false, {Category::DOZ3}},  // dozen 3 trails the mean by 1
        {{1, 2, 13}, kDozens, 0, 1.0L, 50, false, {Category::DOZ1}},  // turned round: dozen 1 leads by 1
    };
    for (const auto& c : cases) {
        AdvisorParams p;
        p.errors = c.errors;
        p.downturn = c.f;
        const auto k = static_cast<size_t>(c.category);
        p.enabled[k] = true;
        p.confidence[k] = c.confidence / 100.0L;
        p.betAlways[k] = c.betAlways;
        std::vector<TablePoint> expected;
        for (const Category cat : c.chips) expected.push_back(categoryPoint(cat));
        EXPECT_EQ(planCalculate(p, c.history).categories[k].points, expected) << c.history.size() << " " << k;
    }
}

TEST(AdvisorEdges, ZeroSplitsAreTakenInTableOrder) {
    // Every weight 1 and M1 = 0: no group is colder than M1, so no extra chips.
    std::array<long double, 37> weights{};
    weights.fill(1.0L);
    const struct {
        std::set<int> marked;
        std::vector<TablePoint> clicks;
    } cases[] = {
        // Zero joins one split only: 0-1 comes before 0-3.
        {{0, 1, 3}, {{385, 218}, numberPoint(3)}},
        {{0, 3}, {{385, 52}}},
        {{0, 2}, {{385, 135}}},
        {{0, 2, 3}, {{385, 87}, {385, 87}}},  // the trio 0, 2, 3 before any split
    };
    for (const auto& c : cases) {
        std::array<bool, 37> marked{};
        for (const int x : c.marked) marked[static_cast<size_t>(x)] = true;
        EXPECT_EQ(PlaceNumberGroups(marked, weights, 0.0L, 0.0L, false), c.clicks) << c.marked.size();
    }
}

// A miss is an advice given, with force, from the window just older than
// the spin it is compared with: the count must be the one those advices
// make, whatever the factor (falling, flat, rising weights; whole or
// irrational sums) and the window.
TEST(AdvisorEdges, MissCountsAreThoseOfTheAdvicesGivenBeforeEachSpin) {
    std::mt19937 g(5);
    std::vector<int32_t> history(300);
    for (int32_t& x : history) x = static_cast<int32_t>(g() % 37);
    // Ties: a run of zeros, and repeats that make whole and halved sums equal.
    for (int i = 40; i < 46; ++i) history[static_cast<size_t>(i)] = 0;
    for (int i = 100; i < 160; ++i) history[static_cast<size_t>(i)] = i % 2 == 0 ? 1 : 25;
    const struct {
        long double f;
        int32_t window;
    } settings[] = {{0.75L, 0}, {0.5L, 4}, {1.0L, 9}, {0.0L, 3}, {1.01L, 0}, {50.0L, 5}};
    for (const auto& set : settings) {
        AdvisorParams p;
        p.downturn = set.f;
        p.statisticNumbers = set.window;
        p.errors = 280;
        Advisor fast(p, history), fresh(p, history);
        for (int k = kRedBlack; k <= kNumbers; ++k) {
            int32_t misses = 0;
            for (int32_t i = 1; i <= p.errors && i < fresh.SpinCount(); ++i) {
                const int x = history[static_cast<size_t>(i - 1)];
                if (k <= kLowHigh) {
                    const int advice = fresh.EvenChanceAdvice(k, i + 1, true);
                    misses += advice != 0 && outcomeClass(k, x) != advice;
                } else if (k <= kColumns) {
                    fresh.ThirdsAdvice(k, i + 1, true);
                    misses += fresh.flags()[static_cast<size_t>(outcomeClass(k, x))] == 2;
                } else {
                    fresh.NumberAdvice(i + 1, true);
                    misses += fresh.flags()[static_cast<size_t>(x)] == 2;
                }
            }
            EXPECT_EQ(fast.missCount(k), misses)
                << "f " << static_cast<double>(set.f) << " N " << set.window << " category " << k;
        }
    }
}

}  // namespace
}  // namespace kv
