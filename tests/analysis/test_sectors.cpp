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

// Each arc keeps a pocket, arcs stay in wheel order, 37 and 1 stay 0-Spiel.
void expectSound(const SectorBounds& b) {
    EXPECT_TRUE(SectorBounds::validNumbers(b.numbers()));
    for (int k = 1; k <= 6; ++k) EXPECT_EQ(b.P(k), WheelPosition(b.B(k)) - 1);
    EXPECT_EQ(b.sectorOfPosition(37), Sector::ZeroSpiel);
    EXPECT_EQ(b.sectorOfPosition(1), Sector::ZeroSpiel);
    EXPECT_EQ(b.sectorOfNumber(0), Sector::ZeroSpiel);
}

TEST(SectorBounds, SavedNumbersThatCannotFormSixArcsGiveTheDefaults) {
    const SectorBounds def;
    EXPECT_EQ(SectorBounds::fromNumbers({32, 7, 9, 33, 6, 40}), def);  // not a number
    EXPECT_EQ(SectorBounds::fromNumbers({32, 7, 9, 33, 25, 6}), def);  // arcs out of order
    EXPECT_EQ(SectorBounds::fromNumbers({32, 7, 7, 33, 6, 25}), def);  // an empty arc
    EXPECT_EQ(SectorBounds::fromNumbers({0, 7, 9, 33, 6, 25}), def);   // 32 leaves 0-Spiel
    EXPECT_EQ(SectorBounds::fromNumbers({32, 0, 9, 33, 6, 25}), def);  // 0 leaves 0-Spiel
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

    SectorBounds tight = SectorBounds::fromNumbers({32, 26, 9, 33, 6, 25});
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

TEST(WheelGeometry, EveryPocketBetHitsTheStraightSpotOfItsNumber) {
    for (int q = 1; q <= 37; ++q) {
        const int n = NumberAtWheelPosition(q);
        const TablePoint p = BetOnWheelPositionPoint(q);
        const auto cell = HitTest(p.x, p.y);
        ASSERT_TRUE(cell.has_value()) << n;
        EXPECT_EQ(CellNumbers(cell->c, cell->r), std::vector<int>{n}) << n;
    }
}

TEST(WheelSectors, ClicksByZone) {
    WheelSectors w;
    // Beyond radius 125: nothing.
    WheelClick c = w.mouseDown(0, 0);
    EXPECT_EQ(c.zone, WheelZone::Outside);
    // Pocket ring, either half of the zero pocket.
    c = w.mouseDown(130, 15);
    EXPECT_EQ(c.zone, WheelZone::Pockets);
    EXPECT_EQ(c.positions, std::vector<int>{37});
    c = w.mouseDown(120, 15);
    EXPECT_EQ(c.positions, std::vector<int>{1});
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
    // Boundary ring: first pocket of arc 2 moves boundary 2; the Statistic
    // window follows even when nothing moved.
    const PicturePoint ring7 = wheelPoint(pocketAngle(7) + 4, 80);
    ASSERT_EQ(PointToWheelPosition(ring7.x, ring7.y), 7);
    c = w.mouseDown(ring7.x, ring7.y);
    EXPECT_EQ(c.zone, WheelZone::BoundaryRing);
    EXPECT_TRUE(c.boundsChanged);
    EXPECT_TRUE(c.refreshStatistic);
    EXPECT_EQ(w.bounds().B(2), 29);
    const PicturePoint ring20 = wheelPoint(pocketAngle(20) + 4, 80);
    c = w.mouseDown(ring20.x, ring20.y);
    EXPECT_FALSE(c.boundsChanged);
    EXPECT_TRUE(c.refreshStatistic);
    // Centre disc: the defaults come back.
    c = w.mouseDown(125, 125);
    EXPECT_EQ(c.zone, WheelZone::CentreDisc);
    EXPECT_TRUE(c.refreshStatistic);
    EXPECT_EQ(w.bounds(), SectorBounds());
}

TEST(WheelSectors, SavedBoundariesAreTakenWhenSound) {
    EXPECT_EQ(WheelSectors({15, 29, 9, 33, 6, 25}).bounds().B(1), 15);
    EXPECT_EQ(WheelSectors({-1, 29, 9, 33, 6, 25}).bounds(), SectorBounds());
}

}  // namespace
}  // namespace kv
