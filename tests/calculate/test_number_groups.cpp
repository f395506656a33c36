#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "calculate/number_groups.h"
#include "core/roulette.h"

namespace kv {
namespace {

std::array<bool, 37> marks(std::initializer_list<int> numbers) {
    std::array<bool, 37> m{};
    for (const int n : numbers) m[static_cast<size_t>(n)] = true;
    return m;
}

const std::array<long double, 37> kNoWeights{};

// The numbers of the spot under a point.
std::vector<int> numbersAt(TablePoint p) {
    const auto cell = HitTest(p.x, p.y);
    if (!cell) return {};
    return CellNumbers(cell->c, cell->r);
}

TEST(PlaceNumberGroups, GroupsBeyondTheMeansEarnAnExtraChip) {
    auto clicks = PlaceNumberGroups(marks({1, 2, 3, 4, 5, 6}), kNoWeights, 0.0L, 0.0L, false);
    ASSERT_EQ(clicks.size(), 3u);
    // Colder than M1: one chip more.
    std::array<long double, 37> w{};
    for (int n = 1; n <= 6; ++n) w[static_cast<size_t>(n)] = 0.5L;
    clicks = PlaceNumberGroups(marks({1, 2, 3, 4, 5, 6}), w, 0.6L, 0.0L, false);
    EXPECT_EQ(clicks.size(), 4u);
    // Exactly at M1 is not colder.
    clicks = PlaceNumberGroups(marks({1, 2, 3, 4, 5, 6}), w, 0.5L, 0.0L, false);
    EXPECT_EQ(clicks.size(), 3u);
    // Turned round, hotter than M2 earns the extra chip.
    clicks = PlaceNumberGroups(marks({1, 2, 3, 4, 5, 6}), w, 9.0L, 0.4L, true);
    EXPECT_EQ(clicks.size(), 4u);
    clicks = PlaceNumberGroups(marks({1, 2, 3, 4, 5, 6}), w, 9.0L, 0.5L, true);
    EXPECT_EQ(clicks.size(), 3u);
}

TEST(PlaceNumberGroups, LargestGroupsFirstAndEachNumberOnce) {
    // 1..9: the six-line 1-6, then 7-9 as a street (the six-line 4-9 would
    // cover 4-6 twice).
    auto clicks = PlaceNumberGroups(marks({1, 2, 3, 4, 5, 6, 7, 8, 9}), kNoWeights, 0.0L, 0.0L, false);
    EXPECT_EQ(clicks, (std::vector<TablePoint>{{435, 266}, {435, 266}, {435, 266}, {500, 266}, {500, 266}}));
    // 0..3: the trio 0-1-2 takes zero, 3 is left alone.
    clicks = PlaceNumberGroups(marks({0, 1, 2, 3}), kNoWeights, 0.0L, 0.0L, false);
    EXPECT_EQ(clicks, (std::vector<TablePoint>{{385, 170}, {385, 170}, {410, 52}}));
    // Corners before streets: 2, 3, 5, 6 and 1 make a corner and a straight.
    clicks = PlaceNumberGroups(marks({1, 2, 3, 5, 6}), kNoWeights, 0.0L, 0.0L, false);
    EXPECT_EQ(clicks, (std::vector<TablePoint>{{435, 100}, {435, 100}, {410, 218}}));
    // Straights never get the extra chip.
    std::array<long double, 37> w{};
    clicks = PlaceNumberGroups(marks({0, 17}), w, 5.0L, 0.0L, false);
    EXPECT_EQ(clicks, (std::vector<TablePoint>{{363, 132}, {635, 135}}));
}

// Every group, marked on its own, lands on the spot that covers exactly its
// numbers with its base number of chips.
TEST(PlaceNumberGroups, EveryGroupHitsItsOwnSpot) {
    struct Group {
        std::vector<int> numbers;
        size_t chips;
    };
    std::vector<Group> groups;
    for (int k = 1; k <= 11; ++k) {
        groups.push_back({{3 * k - 2, 3 * k - 1, 3 * k, 3 * k + 1, 3 * k + 2, 3 * k + 3}, 3});
        groups.push_back({{3 * k - 1, 3 * k, 3 * k + 2, 3 * k + 3}, 2});
        groups.push_back({{3 * k - 2, 3 * k - 1, 3 * k + 1, 3 * k + 2}, 2});
        groups.push_back({{3 * k, 3 * k + 3}, 1});
        groups.push_back({{3 * k - 1, 3 * k + 2}, 1});
        groups.push_back({{3 * k - 2, 3 * k + 1}, 1});
    }
    for (int k = 1; k <= 12; ++k) {
        groups.push_back({{3 * k - 2, 3 * k - 1, 3 * k}, 2});
        groups.push_back({{3 * k - 1, 3 * k}, 1});
        groups.push_back({{3 * k - 2, 3 * k - 1}, 1});
    }
    groups.push_back({{0, 1, 2}, 2});
    groups.push_back({{0, 2, 3}, 2});
    for (const int n : {1, 2, 3}) groups.push_back({{0, n}, 1});
    for (int n = 0; n <= 36; ++n) groups.push_back({{n}, 1});

    for (const Group& g : groups) {
        std::array<bool, 37> m{};
        for (const int n : g.numbers) m[static_cast<size_t>(n)] = true;
        const auto clicks = PlaceNumberGroups(m, kNoWeights, 0.0L, 0.0L, false);
        std::string name;
        for (const int n : g.numbers) name += std::to_string(n) + " ";
        ASSERT_EQ(clicks.size(), g.chips) << name;
        for (const TablePoint& p : clicks) {
            EXPECT_EQ(p, clicks[0]) << name;
            EXPECT_EQ(numbersAt(p), g.numbers) << name << "at " << p.x << "," << p.y;
        }
    }
}

}  // namespace
}  // namespace kv
