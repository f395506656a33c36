#include <gtest/gtest.h>

#include "core/bets.h"
#include "core/minimize_view.h"
#include "core/online_pad.h"

using namespace kv;

TEST(OnlinePad, HorizontalAndVerticalPadsMapToTheirNumbers) {
    const auto H = PadOrientation::Horizontal;
    const auto V = PadOrientation::Vertical;
    // Column 0 is zero in every row, the bottom strip repeats the top row.
    for (int y : {5, 50, 100, 129}) EXPECT_EQ(padNumberAt(H, 10, y), 0) << y;
    EXPECT_EQ(padNumberAt(H, 3 + 23 + 5, 10), 3);
    EXPECT_EQ(padNumberAt(H, 3 + 23 + 5, 90), 1);
    EXPECT_EQ(padNumberAt(H, 3 + 23 + 5, 129), 3);
    EXPECT_EQ(padNumberAt(H, 3 + 12 * 23 + 5, 10), 36);
    EXPECT_FALSE(padNumberAt(H, 3 + 13 * 23 + 1, 10).has_value()) << "beyond the last column";

    EXPECT_EQ(padNumberAt(V, 10, 10), 0);
    EXPECT_EQ(padNumberAt(V, 10, 3 + 23 + 5), 1);
    EXPECT_EQ(padNumberAt(V, 50, 3 + 23 + 5), 2);
    EXPECT_EQ(padNumberAt(V, 10, 3 + 12 * 23 + 5), 34);
    EXPECT_FALSE(padNumberAt(V, 10, 3 + 13 * 23 + 1).has_value());
}

TEST(OnlinePad, QueueDisplayPagesWithTheScrollBar) {
    // 20 numbers, vertical layout (height 305): 14 visible lines.
    QueueView top = queueView(20, 305, 0);
    EXPECT_EQ(top.first, 1);
    EXPECT_EQ(top.last, 15);
    QueueView bottom = queueView(20, 305, kQueueScrollMax);
    EXPECT_EQ(bottom.first, 6);
    EXPECT_EQ(bottom.last, 20);
    QueueView few = queueView(3, 129, kQueueScrollMax);
    EXPECT_EQ(few.first, 1);
    EXPECT_EQ(few.last, 3);
    QueueView none = queueView(0, 129, 0);
    EXPECT_GT(none.first, none.last);
    EXPECT_EQ(padNumberText(7), " 7 ");
    EXPECT_EQ(padNumberText(17), "17");
}

TEST(OnlinePad, NumberListKeepsWhatWasReadBeforeABadLine) {
    auto r = readNumberList("5\r\n300\n\n 17 \r-1\r\nx9\r\n4\r\n");
    EXPECT_EQ(r.values, (std::vector<int>{5, 44, 17, 255}));
    EXPECT_EQ(r.error, "Line 6: 'x9' is not a valid integer value");
    EXPECT_TRUE(readNumberList("1\n2\n3").error.empty());
}

TEST(MinimizeView, MarkersAndForwardedPresses) {
    // Zero and the splits of the zero column share one marker.
    EXPECT_EQ(minimizeMarkerPoint(kMinimize1, {1, 1}), (TablePoint{6, 34}));
    EXPECT_EQ(minimizeMarkerPoint(kMinimize2, {1, 1}), (TablePoint{11, 68}));
    // Straight 3 (cell 3,1): (46 + 23, 52) / 3 = (23, 17.33) -> (23, 17).
    EXPECT_EQ(minimizeMarkerPoint(kMinimize1, {3, 1}), (TablePoint{23, 17}));
    // Column bet COL3 at d = 2: (13 * 46 + 23, 52) / 2 = (310.5, 26) -> (310, 26), half to even.
    EXPECT_EQ(minimizeMarkerPoint(kMinimize2, {26, 1}), (TablePoint{310, 26}));
    // A press on the reduced picture lands on the same spot of the main table.
    for (int n = 1; n <= 36; ++n) {
        const TablePoint full = chipCentre(HitTest(numberPoint(n).x, numberPoint(n).y).value());
        const TablePoint p = minimizeToTable(kMinimize2, full.x / 2 - 2, full.y / 2);
        const auto cell = HitTest(p.x, p.y);
        ASSERT_TRUE(cell.has_value()) << n;
        EXPECT_EQ(CellNumbers(cell->c, cell->r), std::vector<int>{n});
    }
}
