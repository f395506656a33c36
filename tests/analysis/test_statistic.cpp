#include <gtest/gtest.h>

#include "analysis/sectors_bounds.h"
#include "analysis/statistic_table.h"
#include "core/game_state.h"

namespace kv {
namespace {

template <class T>
std::vector<T> only(const Picture& p) {
    std::vector<T> out;
    for (const Shape& s : p)
        if (const T* t = std::get_if<T>(&s)) out.push_back(*t);
    return out;
}

const ShapeText* textAt(const Picture& p, int x, int y) {
    for (const Shape& s : p)
        if (const auto* t = std::get_if<ShapeText>(&s); t && t->x == x && t->y == y) return t;
    return nullptr;
}

GameState gameOf(const std::vector<int>& oldestFirst) {
    GameState s;
    for (int n : oldestFirst) s.RecordSpin(n);
    return s;
}

TEST(StatisticRow, PictogramsOfARedLowOddNumber) {
    // 1: red, odd, low, dozen 1, column 1, street 1, Orphelins.
    const Picture p = statisticRow(1, 1, 1, SectorBounds());
    EXPECT_EQ(textAt(p, 56, 5)->text, " 1 ");
    EXPECT_EQ(textAt(p, 86, 5)->text, " ODD ");
    EXPECT_EQ(textAt(p, 146, 5)->text, " 1-18");
    const auto rects = only<ShapeRect>(p);
    ASSERT_EQ(rects.size(), 4u + 12u);
    EXPECT_EQ(rects[4].brush, winRgb(255, 0, 255));  // street 1
    const auto pies = only<ShapePie>(p);
    ASSERT_EQ(pies.size(), 2u);
    EXPECT_EQ(pies[0].brush, winRgb(255, 160, 0));
}

TEST(StatisticPage, LastPageEndsWithTheLatestSpin) {
    std::vector<int> spins;
    for (int i = 0; i < 40; ++i) spins.push_back((i * 7 + 3) % 37);
    const GameState s = gameOf(spins);
    const StatisticLayout l = statisticLayout(584, s.SpinCount);
    ASSERT_EQ(l.scrollMax, 24);
    const Picture p = statisticPage(s, SectorBounds(), 489, l.paintHeight, l.scrollMax, l.rows);
    EXPECT_EQ(textAt(p, 5, 10)->text, " 24.");
    EXPECT_EQ(textAt(p, 5, 16 * 30 + 10)->text, " 40.");
    const auto latest = std::to_string(spins.back());
    EXPECT_EQ(textAt(p, 56, 16 * 30 + 5)->text, spins.back() <= 9 ? " " + latest + " " : latest);
    // Position 1 shows the first spin of the game on top.
    const Picture first = statisticPage(s, SectorBounds(), 489, l.paintHeight, 1, l.rows);
    EXPECT_EQ(textAt(first, 5, 10)->text, "  1.");
    EXPECT_EQ(textAt(first, 56, 5)->text, " 3 ");
    EXPECT_EQ(textAt(first, 5, 17 * 30 + 10), nullptr);
}

TEST(StatisticPage, SectorColumnFollowsTheBoundaries) {
    const GameState s = gameOf({7});
    SectorBounds b;
    auto pies = only<ShapePie>(statisticPage(s, b, 489, 519, 1, 17));
    ASSERT_EQ(pies.size(), 1u);        // Big Series
    ASSERT_TRUE(b.moveBoundaryAt(7));  // 7 joins 0-Spiel
    pies = only<ShapePie>(statisticPage(s, b, 489, 519, 1, 17));
    ASSERT_EQ(pies.size(), 2u);
    EXPECT_EQ(pies[1].brush, winRgb(96, 255, 96));
}

}  // namespace
}  // namespace kv
