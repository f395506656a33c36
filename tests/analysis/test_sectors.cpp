#include <gtest/gtest.h>

#include <random>

#include "analysis/sectors_bounds.h"
#include "analysis/sectors_geometry.h"
#include "analysis/sectors_wheel.h"
#include "core/roulette.h"
#include "core/table_geometry.h"

namespace kv {
namespace {

std::vector<int> numbersOf(const std::vector<int>& positions) {
    std::vector<int> out;
    for (int q : positions) out.push_back(NumberAtWheelPosition(q));
    return out;
}

std::vector<int> sectorNumbers(const SectorBounds& b, Sector s) {
    std::vector<int> out;
    for (int q = 1; q <= 37; ++q)
        if (b.sectorOfPosition(q) == s) out.push_back(NumberAtWheelPosition(q));
    return out;
}

// Each arc keeps a pocket, arcs stay in wheel order, 37 and 1 stay 0-Spiel.
void expectSound(const SectorBounds& b) {
    EXPECT_TRUE(SectorBounds::validNumbers(b.numbers()));
    for (int k = 1; k <= 6; ++k) EXPECT_EQ(b.P(k), WheelPosition(b.B(k)) - 1);
    EXPECT_EQ(b.sectorOfPosition(37), Sector::ZeroSpiel);
    EXPECT_EQ(b.sectorOfPosition(1), Sector::ZeroSpiel);
    EXPECT_EQ(b.sectorOfNumber(0), Sector::ZeroSpiel);
}

TEST(SectorBounds, DefaultsGiveTheFourClassicSectors) {
    const SectorBounds b;
    EXPECT_EQ(b.numbers(), (std::array<int32_t, 6>{32, 7, 9, 33, 6, 25}));
    for (int k = 1; k <= 6; ++k) EXPECT_EQ(b.P(k), (std::array<int, 6>{36, 6, 10, 15, 27, 30})[k - 1]);
    EXPECT_EQ(sectorNumbers(b, Sector::ZeroSpiel), (std::vector<int>{0, 26, 3, 35, 12, 28, 32}));
    EXPECT_EQ(sectorNumbers(b, Sector::BigSeries), (std::vector<int>{7, 29, 18, 22, 25, 2, 21, 4, 19, 15}));
    EXPECT_EQ(sectorNumbers(b, Sector::Orphelins), (std::vector<int>{9, 31, 14, 20, 1, 6, 34, 17}));
    EXPECT_EQ(sectorNumbers(b, Sector::SmallSeries),
              (std::vector<int>{33, 16, 24, 5, 10, 23, 8, 30, 11, 36, 13, 27}));
}

TEST(SectorBounds, SavedNumbersThatCannotFormSixArcsGiveTheDefaults) {
    const SectorBounds def;
    EXPECT_EQ(SectorBounds::fromNumbers({32, 7, 9, 33, 6, 40}), def);   // not a number
    EXPECT_EQ(SectorBounds::fromNumbers({32, 7, 9, 33, 25, 6}), def);   // arcs out of order
    EXPECT_EQ(SectorBounds::fromNumbers({32, 7, 7, 33, 6, 25}), def);   // an empty arc
    EXPECT_EQ(SectorBounds::fromNumbers({0, 7, 9, 33, 6, 25}), def);    // 32 leaves 0-Spiel
    EXPECT_EQ(SectorBounds::fromNumbers({32, 0, 9, 33, 6, 25}), def);   // 0 leaves 0-Spiel
    const SectorBounds moved = SectorBounds::fromNumbers({15, 29, 9, 33, 6, 25});
    EXPECT_EQ(moved.B(1), 15);
    EXPECT_EQ(moved.P(1), 35);
    EXPECT_EQ(moved.B(2), 29);
    expectSound(moved);
}

TEST(SectorBounds, PieBetsFollowTheirExactOrders) {
    const SectorBounds b;
    EXPECT_EQ(numbersOf(b.betPositions(Sector::ZeroSpiel)), (std::vector<int>{32, 0, 26, 3, 35, 12, 28}));
    // Big Series bets all 17 numbers from B6 round to B3, the 0-Spiel included,
    // starting at position 1.
    EXPECT_EQ(numbersOf(b.betPositions(Sector::BigSeries)),
              (std::vector<int>{0, 26, 3, 35, 12, 28, 7, 29, 18, 22, 25, 2, 21, 4, 19, 15, 32}));
    EXPECT_EQ(numbersOf(b.betPositions(Sector::Orphelins)), (std::vector<int>{9, 31, 14, 20, 1, 6, 34, 17}));
    EXPECT_EQ(numbersOf(b.betPositions(Sector::SmallSeries)),
              (std::vector<int>{33, 16, 24, 5, 10, 23, 8, 30, 11, 36, 13, 27}));
}

TEST(SectorBounds, BoundaryMovesHandPocketsBetweenNeighbouringArcs) {
    SectorBounds b;
    // First pocket of arc 2 (number 7) goes to arc 1.
    EXPECT_TRUE(b.moveBoundaryAt(7));
    EXPECT_EQ(b.P(2), 7);
    EXPECT_EQ(b.B(2), 29);
    EXPECT_EQ(b.sectorOfNumber(7), Sector::ZeroSpiel);
    // Last pocket before boundary 2 (number 7 again, now at P2) comes back.
    EXPECT_TRUE(b.moveBoundaryAt(7));
    EXPECT_EQ(b, SectorBounds());
    // Last pocket of arc 1 before boundary 2 (number 28) goes to arc 2.
    EXPECT_TRUE(b.moveBoundaryAt(6));
    EXPECT_EQ(b.B(2), 28);
    EXPECT_EQ(b.sectorOfNumber(28), Sector::BigSeries);
    // A pocket in the middle of an arc moves nothing.
    SectorBounds c;
    EXPECT_FALSE(c.moveBoundaryAt(20));
    EXPECT_EQ(c, SectorBounds());
    // Boundary 1 forward: 32 leaves nothing, position 37 stays 0-Spiel.
    SectorBounds d;
    EXPECT_FALSE(d.moveBoundaryAt(37));
    EXPECT_TRUE(d.moveBoundaryAt(36));  // q = P1: 15 joins 0-Spiel
    EXPECT_EQ(d.B(1), 15);
    EXPECT_EQ(d.sectorOfNumber(15), Sector::ZeroSpiel);
}

TEST(SectorBounds, OnePocketArcsAreNeverEmptied) {
    // Arc 2 = position 7 alone, arc 3 = 8..10, and arc 1 = 37 and 1 alone.
    SectorBounds b = SectorBounds::fromNumbers({32, 7, 29, 33, 6, 25});
    ASSERT_EQ(b.P(2), 6);
    ASSERT_EQ(b.P(3), 7);
    EXPECT_FALSE(b.moveBoundaryAt(7));  // the single pocket of arc 2
    EXPECT_EQ(b.P(2), 6);
    EXPECT_EQ(b.P(3), 7);

    SectorBounds tight = SectorBounds::fromNumbers({32, 0, 9, 33, 6, 25});
    EXPECT_EQ(tight, SectorBounds());  // 0 can never start arc 2 (P2 would be 0)
    tight = SectorBounds::fromNumbers({32, 26, 9, 33, 6, 25});
    ASSERT_EQ(tight.P(2), 1);
    EXPECT_FALSE(tight.moveBoundaryAt(1));  // 0 stays in 0-Spiel
    EXPECT_TRUE(tight.moveBoundaryAt(2));   // 26, first of arc 2, goes to arc 1
    EXPECT_EQ(tight.P(2), 2);

    // Thousands of random ring clicks: every arc always keeps a pocket.
    std::mt19937 rng(7);
    SectorBounds r;
    for (int i = 0; i < 5000; ++i) {
        r.moveBoundaryAt(static_cast<int>(rng() % 37) + 1);
        expectSound(r);
        for (int k = 1; k <= 6; ++k) {
            const int next = k == 6 ? 1 : k + 1;
            const int size = k == 1 ? (37 - r.P(1)) + r.P(2) : r.P(next) - r.P(k);
            EXPECT_GE(size, 1);
        }
    }
    // The reset always works.
    r.reset();
    EXPECT_EQ(r, SectorBounds());
}

TEST(WheelGeometry, PointsFindTheirPositions) {
    EXPECT_EQ(PointToWheelPosition(125, 125 - 126), -1);
    EXPECT_EQ(PointToWheelPosition(0, 0), -1);
    EXPECT_EQ(PointToWheelPosition(125, 10), 1);     // straight up
    EXPECT_EQ(PointToWheelPosition(125, 240), 19);   // straight down: 180 degrees
    EXPECT_EQ(PointToWheelPosition(10, 125), 10);    // left: 90 degrees
    EXPECT_EQ(PointToWheelPosition(240, 125), 28);   // right: 270 degrees
    EXPECT_EQ(PointToWheelPosition(125, 0), 1);      // radius exactly 125 is inside
    // Every position is reached on its own angular range.
    for (int q = 1; q <= 37; ++q) {
        const PicturePoint p = wheelPoint(pocketAngle(q) + 360.0 / 74.0, 110);
        EXPECT_EQ(PointToWheelPosition(p.x, p.y), q) << q;
    }
}

TEST(WheelGeometry, BoundaryPointsLieOnTheBoundaryRays) {
    EXPECT_EQ(BoundaryPoint(0), (PicturePoint{125, 40}));
    // 32 is at position 37: a = Round(36 * 360/37 + 90) - 360 = 80 degrees.
    EXPECT_EQ(BoundaryPoint(32), (PicturePoint{140, 41}));
    // 15 at position 36: a = Round(35 * 360/37 + 90) = 431 - 360 = 71.
    EXPECT_EQ(BoundaryPoint(15), (PicturePoint{153, 45}));
    const Picture pie = pieimage(SectorBounds(), {});
    ASSERT_EQ(pie.size(), 7u);
    const auto& first = std::get<ShapePie>(pie[0]);
    EXPECT_EQ(first.start, BoundaryPoint(32));
    EXPECT_EQ(first.end, BoundaryPoint(7));
    EXPECT_EQ(first.brush, winRgb(80, 255, 80));
    EXPECT_EQ(std::get<ShapePie>(pie[5]).end, BoundaryPoint(32));
    EXPECT_EQ(std::get<ShapeEllipse>(pie[6]).box, (PictureRect{110, 110, 140, 140}));
    // Lit Orphelins shows its label on both orange arcs.
    const Picture lit = pieimage(SectorBounds(), {false, false, true, false});
    ASSERT_EQ(lit.size(), 9u);
    EXPECT_EQ(std::get<ShapeText>(lit[7]).text, "Orphelins");
    EXPECT_EQ(std::get<ShapeText>(lit[8]).x, 132);
}

TEST(WheelGeometry, EveryPocketBetHitsTheStraightSpotOfItsNumber) {
    EXPECT_EQ(BetOnWheelPositionPoint(1), (TablePoint{365, 54}));
    for (int q = 1; q <= 37; ++q) {
        const int n = NumberAtWheelPosition(q);
        const TablePoint p = BetOnWheelPositionPoint(q);
        const auto cell = HitTest(p.x, p.y);
        ASSERT_TRUE(cell.has_value()) << n;
        EXPECT_EQ(CellNumbers(cell->c, cell->r), std::vector<int>{n}) << n;
    }
    EXPECT_EQ(BetOnWheelPositionPoint(WheelPosition(1)), (TablePoint{410, 220}));
    EXPECT_EQ(BetOnWheelPositionPoint(WheelPosition(36)), (TablePoint{905, 54}));
}

TEST(WheelSectors, ClicksByZone) {
    WheelSectors w;
    // Beyond radius 125: nothing.
    WheelClick c = w.mouseDown(0, 0);
    EXPECT_EQ(c.zone, WheelZone::Outside);
    EXPECT_TRUE(c.tableClicks.empty());
    EXPECT_FALSE(c.refreshStatistic);
    // Pocket ring, either half of the zero pocket.
    c = w.mouseDown(130, 15);
    EXPECT_EQ(c.zone, WheelZone::Pockets);
    EXPECT_EQ(c.positions, std::vector<int>{37});
    EXPECT_EQ(c.tableClicks, std::vector<TablePoint>{BetOnWheelPositionPoint(37)});
    c = w.mouseDown(120, 15);
    EXPECT_EQ(c.positions, std::vector<int>{1});
    EXPECT_EQ(c.tableClicks, std::vector<TablePoint>{(TablePoint{365, 54})});
    // Pie: either red arc bets the same 17 numbers.
    const PicturePoint arc2 = wheelPoint(pocketAngle(9), 50);
    const PicturePoint arc6 = wheelPoint(pocketAngle(34), 50);
    const WheelClick a = w.mouseDown(arc2.x, arc2.y);
    const WheelClick b = w.mouseDown(arc6.x, arc6.y);
    EXPECT_EQ(a.zone, WheelZone::Pie);
    EXPECT_EQ(a.tableClicks.size(), 17u);
    EXPECT_EQ(a.tableClicks, b.tableClicks);
    // Either orange arc bets both.
    const PicturePoint arc3 = wheelPoint(pocketAngle(13), 50);
    const PicturePoint arc5 = wheelPoint(pocketAngle(29), 50);
    EXPECT_EQ(w.mouseDown(arc3.x, arc3.y).positions, w.mouseDown(arc5.x, arc5.y).positions);
    EXPECT_EQ(w.mouseDown(arc3.x, arc3.y).positions.size(), 8u);
    // Boundary ring: first pocket of arc 2 moves boundary 2; the Statistic
    // window follows even when nothing moved.
    const PicturePoint ring7 = wheelPoint(pocketAngle(7) + 4, 80);
    ASSERT_EQ(PointToWheelPosition(ring7.x, ring7.y), 7);
    c = w.mouseDown(ring7.x, ring7.y);
    EXPECT_EQ(c.zone, WheelZone::BoundaryRing);
    EXPECT_TRUE(c.boundsChanged);
    EXPECT_TRUE(c.refreshStatistic);
    EXPECT_TRUE(c.tableClicks.empty());
    EXPECT_EQ(w.bounds().B(2), 29);
    const PicturePoint ring20 = wheelPoint(pocketAngle(20) + 4, 80);
    c = w.mouseDown(ring20.x, ring20.y);
    EXPECT_FALSE(c.boundsChanged);
    EXPECT_TRUE(c.refreshStatistic);
    // Centre disc: the defaults come back.
    c = w.mouseDown(125, 125);
    EXPECT_EQ(c.zone, WheelZone::CentreDisc);
    EXPECT_TRUE(c.boundsChanged);
    EXPECT_TRUE(c.refreshStatistic);
    EXPECT_EQ(w.bounds(), SectorBounds());
}

TEST(WheelSectors, HoverRedrawsOnlyWhenTheLitLabelChanges) {
    WheelSectors w;
    const PicturePoint small1 = wheelPoint(pocketAngle(18) + 4, 50);
    const PicturePoint small2 = wheelPoint(pocketAngle(24) + 4, 60);
    EXPECT_TRUE(w.mouseMove(small1.x, small1.y));
    EXPECT_TRUE(w.litLabels()[static_cast<size_t>(Sector::SmallSeries)]);
    EXPECT_FALSE(w.mouseMove(small2.x, small2.y));  // same sector
    EXPECT_TRUE(w.mouseMove(125, 125));             // centre disc: nothing lit
    EXPECT_EQ(w.litLabels(), (std::array<bool, 4>{}));
    EXPECT_FALSE(w.mouseMove(126, 126));
    const PicturePoint pocket = wheelPoint(pocketAngle(18), 110);
    EXPECT_FALSE(w.mouseMove(pocket.x, pocket.y));  // ring lights nothing either
    EXPECT_TRUE(w.mouseMove(small1.x, small1.y));
    EXPECT_EQ(w.picture().size(), 8u);              // the lit label is drawn
    w.mouseDown(125, 125);                          // reset clears the labels
    EXPECT_EQ(w.picture().size(), 7u);
}

TEST(WheelSectors, SavedBoundariesAreTakenWhenSound) {
    EXPECT_EQ(WheelSectors({15, 29, 9, 33, 6, 25}).bounds().B(1), 15);
    EXPECT_EQ(WheelSectors({-1, 29, 9, 33, 6, 25}).bounds(), SectorBounds());
}

}  // namespace
}  // namespace kv
