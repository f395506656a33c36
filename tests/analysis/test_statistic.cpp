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

TEST(StatisticLayout, RowsAndScrollRangeFollowTheWindow) {
    StatisticLayout l = statisticLayout(584, 0);
    EXPECT_EQ(l.paintHeight, 519);
    EXPECT_EQ(l.rows, 17);
    EXPECT_EQ(l.scrollMin, 1);
    EXPECT_EQ(l.scrollMax, 1);  // no spins
    EXPECT_EQ(statisticLayout(584, 17).scrollMax, 1);
    EXPECT_EQ(statisticLayout(584, 100).scrollMax, 84);
    EXPECT_EQ(statisticLayout(95, 5).rows, 1);
    l = statisticLayout(94, 5);
    EXPECT_EQ(l.rows, 0);  // an empty page
    EXPECT_EQ(l.scrollMax, 6);
    EXPECT_EQ(statisticLayout(10, 5).rows, 0);
    EXPECT_EQ(statisticLayout(10, 5).paintHeight, 0);
}

TEST(StatisticLayout, RowsListSpinsInTheOrderOfPlay) {
    // N <= R: the first spin on top, the latest in row N.
    EXPECT_EQ(statisticOrdinal(1, 1, 5), 1);
    EXPECT_EQ(statisticOrdinal(1, 5, 5), 5);
    EXPECT_EQ(statisticOrdinal(1, 6, 5), 0);
    // N > R at the maximum: N - R + 1 .. N.
    EXPECT_EQ(statisticOrdinal(84, 1, 100), 84);
    EXPECT_EQ(statisticOrdinal(84, 17, 100), 100);
}

TEST(StatisticRow, OrdinalTextIsRightAligned) {
    EXPECT_EQ(statisticOrdinalText(1), "  1.");
    EXPECT_EQ(statisticOrdinalText(9), "  9.");
    EXPECT_EQ(statisticOrdinalText(10), " 10.");
    EXPECT_EQ(statisticOrdinalText(99), " 99.");
    EXPECT_EQ(statisticOrdinalText(100), "100.");
    EXPECT_EQ(statisticOrdinalText(123), "123.");
}

TEST(StatisticRow, ZeroShowsNumberAndZeroSpielOnly) {
    const Picture p = statisticRow(2, 7, 0, SectorBounds());
    const auto texts = only<ShapeText>(p);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].text, "  7.");
    EXPECT_EQ(texts[0].y, 40);
    EXPECT_EQ(texts[1].text, " 0 ");
    EXPECT_EQ(texts[1].background, winRgb(0, 255, 0));
    EXPECT_EQ(texts[1].color, winRgb(255, 255, 0));
    EXPECT_TRUE(only<ShapeRect>(p).empty());
    EXPECT_TRUE(only<ShapeLine>(p).empty());
    const auto pies = only<ShapePie>(p);
    ASSERT_EQ(pies.size(), 2u);  // red wedge with the green one inside
    EXPECT_EQ(pies[0].brush, winRgb(255, 0, 0));
    EXPECT_EQ(pies[1].brush, winRgb(96, 255, 96));
    EXPECT_EQ(pies[1].start, (PicturePoint{463, 38}));
}

TEST(StatisticRow, PictogramsOfARedLowOddNumber) {
    // 1: red, odd, low, dozen 1, column 1, street 1, Orphelins.
    const Picture p = statisticRow(1, 1, 1, SectorBounds());
    EXPECT_EQ(textAt(p, 56, 5)->text, " 1 ");
    EXPECT_EQ(textAt(p, 56, 5)->background, winRgb(255, 0, 0));
    EXPECT_EQ(textAt(p, 86, 5)->text, " ODD ");
    EXPECT_EQ(textAt(p, 146, 5)->text, " 1-18");
    EXPECT_EQ(textAt(p, 281, 7)->text, "1");
    EXPECT_TRUE(textAt(p, 281, 7)->bold);
    const auto rects = only<ShapeRect>(p);
    ASSERT_EQ(rects.size(), 4u + 12u);
    EXPECT_EQ(rects[3].box, (PictureRect{201, 10, 224, 23}));
    EXPECT_EQ(rects[3].brush, winRgb(0, 255, 255));
    EXPECT_EQ(rects[4].brush, winRgb(255, 0, 255));  // street 1
    for (size_t j = 5; j < rects.size(); ++j) EXPECT_EQ(rects[j].brush, winRgb(128, 255, 128));
    const auto lines = only<ShapeLine>(p);
    ASSERT_EQ(lines.size(), 5u);  // the column bar and the two dozen borders
    EXPECT_EQ(lines[0].width, 3);
    EXPECT_EQ(lines[1].from, (PicturePoint{356, 23}));
    EXPECT_EQ(lines[4].from, (PicturePoint{389, 23}));
    const auto pies = only<ShapePie>(p);
    ASSERT_EQ(pies.size(), 2u);
    EXPECT_EQ(pies[0].brush, winRgb(255, 160, 0));
}

TEST(StatisticRow, PictogramsOfABlackHighEvenNumber) {
    // 35: black, odd, high, dozen 3, column 2, street 12, 0-Spiel.
    const Picture p = statisticRow(3, 35, 35, SectorBounds());
    EXPECT_EQ(textAt(p, 56, 65)->text, "35");
    EXPECT_EQ(textAt(p, 56, 65)->background, winRgb(0, 0, 0));
    EXPECT_EQ(textAt(p, 146, 65)->text, "19-36");
    EXPECT_EQ(textAt(p, 291, 67)->text, "2");
    const auto rects = only<ShapeRect>(p);
    EXPECT_EQ(rects[3].box.x1, 249);
    EXPECT_EQ(rects[4 + 11].brush, winRgb(255, 0, 255));
    EXPECT_EQ(only<ShapePie>(p).size(), 2u);
    // 10: even, small series.
    const Picture q = statisticRow(1, 1, 10, SectorBounds());
    EXPECT_EQ(textAt(q, 86, 5)->text, "EVEN");
    EXPECT_EQ(textAt(q, 56, 5)->text, "10");
    const auto pies = only<ShapePie>(q);
    ASSERT_EQ(pies.size(), 1u);
    EXPECT_EQ(pies[0].brush, winRgb(255, 255, 0));
    EXPECT_EQ(pies[0].box, (PictureRect{434, -5, 479, 25}));
}

TEST(StatisticPage, EmptyGameDrawsBackgroundAndRulesOnly) {
    const GameState s;
    const Picture p = statisticPage(s, SectorBounds(), 489, 519, 1, 17);
    ASSERT_EQ(p.size(), 8u);
    EXPECT_EQ(std::get<ShapeRect>(p[0]).box, (PictureRect{0, 0, 488, 518}));
    EXPECT_EQ(std::get<ShapeLine>(p[7]).from, (PicturePoint{427, 1}));
    EXPECT_EQ(std::get<ShapeLine>(p[7]).to, (PicturePoint{427, 517}));
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
    ASSERT_EQ(pies.size(), 1u);  // Big Series
    ASSERT_TRUE(b.moveBoundaryAt(7));  // 7 joins 0-Spiel
    pies = only<ShapePie>(statisticPage(s, b, 489, 519, 1, 17));
    ASSERT_EQ(pies.size(), 2u);
    EXPECT_EQ(pies[1].brush, winRgb(96, 255, 96));
}

TEST(StatisticRedrawGate, MouseMovesDrawOnlyAfterAChange) {
    StatisticRedrawGate g;
    EXPECT_TRUE(g.needsDrawing(false, 5, 1, 1));
    g.remember(5, 1, 1);
    EXPECT_FALSE(g.needsDrawing(false, 5, 1, 1));
    EXPECT_TRUE(g.needsDrawing(true, 5, 1, 1));
    EXPECT_TRUE(g.needsDrawing(false, 6, 1, 1));
    EXPECT_TRUE(g.needsDrawing(false, 5, 2, 1));
    EXPECT_TRUE(g.needsDrawing(false, 5, 1, 2));
}

}  // namespace
}  // namespace kv
