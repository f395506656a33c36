#include <gtest/gtest.h>

#include "analysis/chart_style.h"
#include "analysis/colors_choice.h"

namespace kv {
namespace {

ChartStyle someStyle() {
    ChartStyle s = defaultChartStyle();
    for (int k = 1; k <= kChartEntryCount; ++k) s.shown[k] = k % 3 == 0;
    return s;
}

TEST(ColorsChoice, TickingAsksForAColourClearingNever) {
    ColorsChoice c;
    const ChartStyle g = someStyle();
    c.loadFrom(g);
    EXPECT_FALSE(c.setTicked(3, false));
    EXPECT_FALSE(c.shown(3));
    EXPECT_TRUE(c.setTicked(4, true));
    EXPECT_TRUE(c.shown(4));
    c.colourChosen(4, 0x00ABCDEF);
    EXPECT_EQ(c.colour(4), 0x00ABCDEFu);
    // The chooser cancelled: old colour, box still ticked.
    EXPECT_TRUE(c.setTicked(5, true));
    EXPECT_TRUE(c.shown(5));
    EXPECT_EQ(c.colour(5), g.colour[5]);
    EXPECT_FALSE(c.setTicked(62, true));
}

TEST(ColorsChoice, RandomChangesAllColoursAndNoTick) {
    ColorsChoice c;
    c.loadFrom(someStyle());
    Generator g(12345);
    c.randomColours(g);
    Generator same(12345);
    for (int k = 1; k <= kChartEntryCount; ++k) {
        EXPECT_EQ(c.colour(k), static_cast<WinColor>(same.Random(16777104)));
        EXPECT_EQ(c.shown(k), k % 3 == 0);
    }
    Generator clock;
    c.randomize(clock);  // seeded from the clock: the colours still stay in range
    for (int k = 1; k <= kChartEntryCount; ++k) EXPECT_LT(c.colour(k), 16777104u);
}

TEST(ColorsChoice, CheckAllTicksEveryBoxWithoutAsking) {
    ColorsChoice c;
    const ChartStyle g = someStyle();
    c.loadFrom(g);
    c.tickAll();
    for (int k = 1; k <= kChartEntryCount; ++k) {
        EXPECT_TRUE(c.shown(k));
        EXPECT_EQ(c.colour(k), g.colour[k]);
    }
}

TEST(ColorsChoice, OnlyOkHandsTheChoiceOverAndActivationReloadsTicks) {
    ColorsChoice c;
    const ChartStyle g = someStyle();
    c.loadFrom(g);
    c.setTicked(1, true);
    c.colourChosen(1, 0x112233);
    // "OK" hands colours and ticks over and keeps the groups.
    ChartStyle graphics = g;
    graphics.groups.fill(true);
    const ChartStyle ok = c.acceptedStyle(graphics);
    EXPECT_EQ(ok.colour[1], 0x112233u);
    EXPECT_TRUE(ok.shown[1]);
    EXPECT_EQ(ok.groups, graphics.groups);
    // After a Cancel the next activation shows the Graphics window's ticks
    // but the colours chosen before.
    c.setTicked(2, true);
    c.colourChosen(2, 0x445566);
    c.reloadTicks(g);
    EXPECT_EQ(c.shown(1), g.shown[1]);
    EXPECT_EQ(c.colour(2), 0x445566u);
    EXPECT_EQ(c.colour(1), 0x112233u);
}

}  // namespace
}  // namespace kv
