#include <gtest/gtest.h>

#include "core/table_geometry.h"

using namespace kv;

namespace {
BetCell hit(int x, int y) {
    auto c = HitTest(x, y);
    EXPECT_TRUE(c.has_value()) << x << "," << y;
    return c.value_or(BetCell{});
}
}  // namespace

TEST(TableGeometry, NumbersSplitsCornersStreets) {
    EXPECT_EQ(hit(411, 55), (BetCell{3, 1}));
    EXPECT_EQ(hit(434, 100), (BetCell{4, 2}));
    EXPECT_EQ(hit(934, 55), (BetCell{25, 1}));
    EXPECT_EQ(hit(411, 270), (BetCell{3, 6}));
    EXPECT_FALSE(HitTest(970, 300).has_value());
    EXPECT_FALSE(HitTest(1016, 496).has_value());
}

TEST(TableGeometry, ReferencePointsHitWhatTheyName) {
    for (int k = 0; k < kCategoryCount; ++k) {
        const auto cat = static_cast<Category>(k);
        const TablePoint p = categoryPoint(cat);
        EXPECT_EQ(hit(p.x, p.y), categoryCell(cat)) << categoryName(cat);
    }
    EXPECT_EQ(hit(kZeroPoint.x, kZeroPoint.y), (BetCell{1, 1}));
    for (int n = 1; n <= 36; ++n) {
        const TablePoint p = numberPoint(n);
        const BetCell c = hit(p.x, p.y);
        EXPECT_EQ(CellNumbers(c.c, c.r), std::vector<int>{n}) << n;
    }
    EXPECT_TRUE(inWheel(kWheelClick.x, kWheelClick.y));
    EXPECT_TRUE(inChipSelector(352 + 28, 306));
    EXPECT_FALSE(inChipSelector(352 + 29, 306));
}

TEST(TableGeometry, ChipCentresLieOnTheirSpots) {
    // Every chip centre maps back to its own cell, except where the picture
    // puts a chip on a shared line (zero's lines, the street line).
    int checked = 0;
    for (const BetCell& cell : allBetCells()) {
        const TablePoint p = chipCentre(cell);
        if (cell.c >= 3 && cell.c <= 25 && cell.r <= 5 && cell.c % 2 == 1 && cell.r % 2 == 1) {
            EXPECT_EQ(hit(p.x, p.y), cell);
            ++checked;
        }
    }
    EXPECT_EQ(checked, 36);
    EXPECT_EQ(chipCentre({1, 1}), (TablePoint{365, 149}));
    EXPECT_EQ(chipCentre({11, 8}), (TablePoint{342 + 46 * 6, 328}));
    EXPECT_EQ(chipCentre({19, 7}), (TablePoint{342 + 46 * 11, 293}));
}
