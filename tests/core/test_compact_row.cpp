// The row of the last ten numbers in the compact windows: whatever the type,
// every number stays inside its own step, so neighbours never run together.
#include <gtest/gtest.h>

#include "core/minimize_view.h"

using namespace kv;

TEST(CompactNumberRow, WideTypeShrinksUntilEveryNumberKeepsItsStep) {
    // Type whose widest number text is `perPoint` pixels per point wide.
    struct Case {
        MinimizeScale scale;
        int perPoint;
        int size;
    } cases[] = {
        {kMinimize1, 1, 11},   // narrow type keeps the row's size
        {kMinimize1, 2, 8},    // 2 x 8 = 16 leaves a pixel of the 18-pixel step
        {kMinimize2, 1, 15},   // the half-size row alike
        {kMinimize2, 2, 13},   // 26 of 27
        {kMinimize1, 100, 1},  // nothing fits: the smallest size
    };
    for (const Case& c : cases) {
        const int size = numberRowFontSize(c.scale.numbers, [&](int points) { return points * c.perPoint; });
        EXPECT_EQ(size, c.size) << c.scale.d << " " << c.perPoint;
    }
}

TEST(CompactNumberRow, NumbersSitCentredInTheirStepsAtTheRowsPlace) {
    const NumberRow& third = kMinimize1.numbers;
    const NumberRow& half = kMinimize2.numbers;
    EXPECT_EQ(numberRowTextLeft(third, 1, 18), 129) << "a full step starts at the row's place";
    EXPECT_EQ(numberRowTextLeft(third, 10, 14), 129 + 9 * 18 + 2);
    EXPECT_EQ(numberRowTextLeft(half, 2, 20), 197 + 27 + 3);
    // A pixel stays free between a number and the next one.
    for (int k = 1; k <= 9; ++k) {
        EXPECT_LT(numberRowTextLeft(half, k, 26) + 26, numberRowTextLeft(half, k + 1, 26)) << k;
    }
}
