#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "core/roulette.h"

using namespace kv;

namespace {
std::set<std::pair<int, int>> winningSet(int n) {
    std::set<std::pair<int, int>> out;
    for (int c = 1; c <= kGridColumns; ++c)
        for (int r = 1; r <= kGridRows; ++r)
            if (WinningCells(n).at(c, r) != 0) out.insert({c, r});
    return out;
}
}  // namespace

TEST(Roulette, ColoursAndWheelOrder) {
    int reds = 0;
    for (int n = 1; n <= 36; ++n) reds += isRed(n) ? 1 : 0;
    EXPECT_EQ(reds, 18);
    EXPECT_FALSE(isRed(0));
    EXPECT_FALSE(isBlack(0));
    EXPECT_EQ(numberColor(0), 0x00FF00u);
    EXPECT_EQ(numberColor(32), 0x0000FFu);
    EXPECT_EQ(numberColor(26), 0x000000u);

    EXPECT_EQ(WheelPosition(0), 1);
    EXPECT_EQ(WheelPosition(26), 2);
    EXPECT_EQ(WheelPosition(32), 37);
    for (int n = 0; n <= 36; ++n) EXPECT_EQ(NumberAtWheelPosition(WheelPosition(n)), n);
    // Neighbours on a real single-zero wheel alternate colours.
    for (int p = 2; p <= 36; ++p)
        EXPECT_NE(isRed(NumberAtWheelPosition(p)), isRed(NumberAtWheelPosition(p + 1))) << p;
}

TEST(Roulette, WinningCellsOfZeroThreeAndThirtySix) {
    const std::set<std::pair<int, int>> zero = {{1, 1}, {2, 1}, {2, 2}, {2, 3}, {2, 4}, {2, 5}};
    EXPECT_EQ(winningSet(0), zero);

    const std::set<std::pair<int, int>> three = {{2, 1}, {2, 2},  {3, 1}, {3, 2}, {4, 1}, {4, 2}, {3, 6},
                                                 {4, 6}, {26, 1}, {3, 7}, {3, 8}, {7, 8}, {11, 8}};
    EXPECT_EQ(winningSet(3), three);

    const std::set<std::pair<int, int>> last = {{24, 1}, {24, 2}, {25, 1}, {25, 2}, {24, 6}, {25, 6},
                                                {26, 1}, {19, 7}, {19, 8}, {23, 8}, {11, 8}};
    EXPECT_EQ(winningSet(36), last);
}

TEST(Roulette, EveryCellCoversTheNumbersItsClassPays) {
    // A fair table: a cell covering k numbers pays 36/k for every class.
    int cells = 0;
    for (const BetCell& cell : allBetCells()) {
        ++cells;
        const auto nums = CellNumbers(cell.c, cell.r);
        ASSERT_FALSE(nums.empty());
        const int mult = payoutMultiplier(*cellClass(cell.c, cell.r));
        EXPECT_EQ(static_cast<int>(nums.size()) * mult, 36) << cell.c << "," << cell.r;
        for (int n : nums) EXPECT_EQ(WinningCells(n).at(cell.c, cell.r), 1);
    }
    EXPECT_EQ(cells, 156);
    EXPECT_FALSE(isBetCell(2, 6));   // no six-line left of the first street
    EXPECT_FALSE(isBetCell(26, 2));  // nothing between the column bets
}

TEST(Roulette, CategoriesMatchTheirCells) {
    for (int k = 0; k < kCategoryCount; ++k) {
        const auto cat = static_cast<Category>(k);
        const BetCell cell = categoryCell(cat);
        const auto nums = CellNumbers(cell.c, cell.r);
        for (int n = 0; n <= 36; ++n) {
            const bool covered = std::find(nums.begin(), nums.end(), n) != nums.end();
            EXPECT_EQ(inCategory(cat, n), covered) << categoryName(cat) << " " << n;
        }
    }
}

TEST(Roulette, BetGridIsColumnMajorAndSumsWithoutOverflow) {
    BetGrid g;
    g.at(1, 2) = 7;
    EXPECT_EQ(g.v[1], 7);
    g.at(2, 1) = 3;
    EXPECT_EQ(g.v[8], 3);
    EXPECT_EQ(g.sum(), 10);
    g.at(3, 1) = 2'000'000'000;
    g.at(5, 1) = 2'000'000'000;
    EXPECT_EQ(g.sum(), 2147483647);
    EXPECT_EQ(mod37(-1), 36);
}
