#include <gtest/gtest.h>

#include <set>

#include "analysis/chart_style.h"
#include "analysis/colors_choice.h"
#include "analysis/colors_layout.h"

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
    c.FormCreate(g);
    for (int k = 1; k <= kChartEntryCount; ++k) {
        EXPECT_EQ(c.shown(k), g.shown[k]);
        EXPECT_EQ(c.colour(k), g.colour[k]);
    }
    EXPECT_FALSE(c.CheckBoxClick(3, false));
    EXPECT_FALSE(c.shown(3));
    EXPECT_TRUE(c.CheckBoxClick(4, true));
    EXPECT_TRUE(c.shown(4));
    c.colourChosen(4, 0x00ABCDEF);
    EXPECT_EQ(c.colour(4), 0x00ABCDEFu);
    // The chooser cancelled: old colour, box still ticked.
    EXPECT_TRUE(c.CheckBoxClick(5, true));
    EXPECT_TRUE(c.shown(5));
    EXPECT_EQ(c.colour(5), g.colour[5]);
    EXPECT_FALSE(c.CheckBoxClick(0, true));
    EXPECT_FALSE(c.CheckBoxClick(62, true));
}

TEST(ColorsChoice, RandomChangesAllColoursAndNoTick) {
    ColorsChoice c;
    c.FormCreate(someStyle());
    Generator g(12345);
    c.randomColours(g);
    Generator same(12345);
    std::set<WinColor> seen;
    for (int k = 1; k <= kChartEntryCount; ++k) {
        EXPECT_EQ(c.colour(k), static_cast<WinColor>(same.Random(16777104)));
        EXPECT_LT(c.colour(k), 16777104u);
        EXPECT_EQ(c.shown(k), k % 3 == 0);
        seen.insert(c.colour(k));
    }
    EXPECT_GT(seen.size(), 55u);
    Generator clock;
    c.Button3Click(clock);  // seeded from the clock: the colours still stay in range
    for (int k = 1; k <= kChartEntryCount; ++k) EXPECT_LT(c.colour(k), 16777104u);
}

TEST(ColorsChoice, CheckAllTicksEveryBoxWithoutAsking) {
    ColorsChoice c;
    const ChartStyle g = someStyle();
    c.FormCreate(g);
    c.Button4Click();
    for (int k = 1; k <= kChartEntryCount; ++k) {
        EXPECT_TRUE(c.shown(k));
        EXPECT_EQ(c.colour(k), g.colour[k]);
    }
}

TEST(ColorsChoice, OnlyOkHandsTheChoiceOverAndActivationReloadsTicks) {
    ColorsChoice c;
    const ChartStyle g = someStyle();
    c.FormCreate(g);
    c.CheckBoxClick(1, true);
    c.colourChosen(1, 0x112233);
    // "OK" hands colours and ticks over and keeps the groups.
    ChartStyle graphics = g;
    graphics.groups.fill(true);
    const ChartStyle ok = c.Button1Click(graphics);
    EXPECT_EQ(ok.colour[1], 0x112233u);
    EXPECT_TRUE(ok.shown[1]);
    EXPECT_EQ(ok.groups, graphics.groups);
    // After a Cancel the next activation shows the Graphics window's ticks
    // but the colours chosen before.
    c.CheckBoxClick(2, true);
    c.colourChosen(2, 0x445566);
    c.FormActivate(g);
    EXPECT_EQ(c.shown(1), g.shown[1]);
    EXPECT_EQ(c.shown(2), g.shown[2]);
    EXPECT_EQ(c.colour(2), 0x445566u);
    EXPECT_EQ(c.colour(1), 0x112233u);
}

TEST(ColorsLayout, BoxesSitInTheirPlaces) {
    EXPECT_EQ(colorsBoxPlace(1).caption, "0");
    EXPECT_EQ(colorsBoxPlace(1).x, 16);
    // 3, 6, ... 36 form the top row, 1, 4, ... the bottom one.
    EXPECT_EQ(colorsBoxPlace(4).y, 16);
    EXPECT_EQ(colorsBoxPlace(4).caption, "3");
    EXPECT_EQ(colorsBoxPlace(2).y, 64);
    EXPECT_EQ(colorsBoxPlace(37).x, 48 + 32 * 11);
    EXPECT_EQ(colorsBoxPlace(37).y, 16);
    EXPECT_EQ(colorsBoxPlace(46).x, 304);   // s9
    EXPECT_EQ(colorsBoxPlace(47).x, 336);   // s10
    EXPECT_EQ(colorsBoxPlace(49).x, 416);
    EXPECT_EQ(colorsBoxPlace(49).caption, "s12");
    EXPECT_EQ(colorsBoxPlace(52).caption, "c3");
    EXPECT_EQ(colorsBoxPlace(53).x, 216);
    EXPECT_EQ(colorsBoxPlace(61).caption, "Hight");
    EXPECT_EQ(colorsBoxPlace(61).x, 352);
    std::set<std::pair<int, int>> places;
    for (int k = 1; k <= kChartEntryCount; ++k) {
        const ColorsPlace p = colorsBoxPlace(k);
        EXPECT_FALSE(p.caption.empty()) << k;
        EXPECT_LT(p.x, 464 - 20);
        EXPECT_LT(p.y, 200);
        places.insert({p.x, p.y});
    }
    EXPECT_EQ(places.size(), 61u);
    EXPECT_EQ(colorsButtonPlace(4).caption, "Check All");
    EXPECT_EQ(colorsButtonPlace(4).x, 312);
    EXPECT_EQ(colorsLabelPlace(4).x, 168);
}

}  // namespace
}  // namespace kv
