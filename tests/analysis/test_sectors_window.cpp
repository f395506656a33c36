// The Wheel Sectors window driven with real clicks on its wheel picture:
// pocket and sector bets land on the main table, the boundary ring moves
// boundaries, the centre resets them, and hovering lights the labels.
#include <gtest/gtest.h>

#include <QTest>
#include <algorithm>
#include <memory>
#include <set>

#include "analysis/sectors_geometry.h"
#include "analysis/sectors_window.h"
#include "core/roulette.h"
#include "core/table_geometry.h"
#include "ui/canvas.h"
#include "ui/image_box.h"
#include "ui/main/main_window.h"

namespace {

constexpr double kPocket = 360.0 / 37.0;

class SectorsWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        form = std::make_unique<kv::TForm1>();
        form->setFramePace(0, 0);
        form->state().NewGame();
        form->state().Credit = 1000;
        sectors = std::make_unique<kv::TForm8>(*form);
        sectors->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(sectors.get()));
    }
    void TearDown() override {
        sectors.reset();
        form.reset();
    }
    void clickAt(double degrees, double radius, Qt::MouseButton b = Qt::LeftButton) {
        const kv::PicturePoint p = kv::wheelPoint(degrees, radius);
        QTest::mouseClick(sectors->Image1(), b, Qt::NoModifier, QPoint(p.x, p.y));
    }
    // Inside the range of wheel position q, on the pocket of its number.
    void clickPocket(int q, Qt::MouseButton b = Qt::LeftButton) { clickAt((q - 1 + 0.25) * kPocket, 108, b); }
    void clickRing(int q) { clickAt((q - 0.5) * kPocket, 83); }
    void clickPie(int q) { clickAt((q - 0.5) * kPocket, 50); }
    int32_t betOnNumber(int n) {
        const kv::TablePoint p = kv::numberPoint(n);
        const auto cell = kv::HitTest(p.x, p.y);
        return cell ? form->state().CurrentBets.at(cell->c, cell->r) : -1;
    }
    std::set<int> numbersBetOn() {
        std::set<int> out;
        for (int n = 0; n <= 36; ++n) {
            if (betOnNumber(n) > 0) out.insert(n);
        }
        return out;
    }
    uint32_t picturePixel(int x, int y) { return kv::rgbToWin(sectors->Image1()->image().pixel(x, y)); }

    std::unique_ptr<kv::TForm1> form;
    std::unique_ptr<kv::TForm8> sectors;
};

}  // namespace

TEST_F(SectorsWindowTest, PocketClicksBetOnTheirNumbersThroughTheTable) {
    EXPECT_EQ(sectors->windowTitle(), QStringLiteral("Wheel Sectors"));
    EXPECT_TRUE(form->action(kv::MenuItem::WheelSectors)->isEnabled());
    clickPocket(kv::WheelPosition(17));
    clickPocket(kv::WheelPosition(17));
    EXPECT_EQ(betOnNumber(17), 2);
    EXPECT_EQ(form->state().Bet, 2);
    // The zero pocket: its counter-clockwise half is 0, its clockwise half 32.
    clickAt(2.0, 110);
    EXPECT_EQ(betOnNumber(0), 1);
    clickAt(358.0, 110);
    EXPECT_EQ(betOnNumber(32), 1);
    // A right click takes the bets of that spot off, as on the table.
    clickPocket(kv::WheelPosition(17), Qt::RightButton);
    EXPECT_EQ(betOnNumber(17), 0);
    EXPECT_EQ(numbersBetOn(), (std::set<int>{0, 32}));
    // Beyond the wheel nothing happens.
    QTest::mouseClick(sectors->Image1(), Qt::LeftButton, Qt::NoModifier, QPoint(2, 2));
    EXPECT_EQ(form->state().Bet, 2);
}

TEST_F(SectorsWindowTest, PieClicksBetOnWholeSectorsInTheirOrder) {
    // Either red arc: the Big Series with the 0-Spiel, 17 numbers.
    clickPie(kv::WheelPosition(29));
    EXPECT_EQ(numbersBetOn(), (std::set<int>{0, 26, 3, 35, 12, 28, 7, 29, 18, 22, 25, 2, 21, 4, 19, 15, 32}));
    form->state().CurrentBets = kv::BetGrid();
    form->state().Bet = 0;
    clickPie(kv::WheelPosition(4));
    EXPECT_EQ(numbersBetOn().size(), 17u);

    // Either orange arc bets on both.
    form->state().CurrentBets = kv::BetGrid();
    form->state().Bet = 0;
    clickPie(kv::WheelPosition(34));
    EXPECT_EQ(numbersBetOn(), (std::set<int>{9, 31, 14, 20, 1, 6, 34, 17}));

    // With credit for five chips, the first five of the order get them.
    form->state().CurrentBets = kv::BetGrid();
    form->state().Bet = 0;
    form->state().Credit = 5;
    clickPie(kv::WheelPosition(18));
    EXPECT_EQ(numbersBetOn(), (std::set<int>{0, 26, 3, 35, 12}));
}

TEST_F(SectorsWindowTest, BoundaryRingMovesOnePocketAndTheCentreResets) {
    // The first pocket of the Orphelins (9) goes to the Big Series.
    clickRing(kv::WheelPosition(9));
    EXPECT_EQ(sectors->bounds().B(3), 31);
    EXPECT_EQ(form->settings().SectorBounds[2], 31) << "kept for the settings file";
    EXPECT_EQ(form->state().Bet, 0) << "the ring never bets";
    // Shrink the arc to its last pocket; a further click changes nothing.
    for (int i = 0; i < 10; ++i) clickRing(sectors->bounds().P(3) + 1);
    EXPECT_EQ(sectors->bounds().P(4) - sectors->bounds().P(3), 1);
    EXPECT_EQ(sectors->bounds().B(3), 1);
    // A pocket in the middle of an arc moves nothing.
    const kv::SectorBounds before = sectors->bounds();
    clickRing(kv::WheelPosition(24));
    EXPECT_EQ(sectors->bounds(), before);

    // The pie follows: the first pocket's wedge is now red.
    QTest::mouseClick(sectors->Image1(), Qt::LeftButton, Qt::NoModifier, QPoint(125, 125));
    EXPECT_EQ(sectors->bounds(), kv::SectorBounds());
    EXPECT_EQ(form->settings().SectorBounds, kv::SectorBounds::kDefaultNumbers);
}

TEST_F(SectorsWindowTest, PictureShowsThePieOverTheWheel) {
    // Centre disc cyan, pockets between radius 92 and 125, the zero on top.
    EXPECT_EQ(picturePixel(125, 125), 0xFFFF00u);
    const kv::PicturePoint zero = kv::wheelPoint(0, 100);
    EXPECT_NE(picturePixel(zero.x, zero.y), 0x008000u);
    // Default pie: the 0-Spiel wedge (light green) round the top.
    const kv::PicturePoint top = kv::wheelPoint(0, 50);
    EXPECT_EQ(picturePixel(top.x, top.y), 0x50FF50u);
    const kv::PicturePoint orphelins = kv::wheelPoint((kv::WheelPosition(20) - 0.5) * kPocket, 50);
    EXPECT_EQ(picturePixel(orphelins.x, orphelins.y), 0x00A0FFu);
}

TEST_F(SectorsWindowTest, HoverLightsALabelOncePerSector) {
    const int before = sectors->pieCount();
    auto moveTo = [this](double degrees, double radius) {
        const kv::PicturePoint p = kv::wheelPoint(degrees, radius);
        QTest::mouseMove(sectors->Image1(), QPoint(p.x, p.y));
    };
    const double small = (kv::WheelPosition(24) - 0.5) * kPocket;
    moveTo(small, 50);
    EXPECT_TRUE(sectors->litLabels()[static_cast<int>(kv::Sector::SmallSeries)]);
    EXPECT_EQ(sectors->pieCount(), before + 1);
    moveTo(small, 40);
    moveTo(small + 2, 45);
    EXPECT_EQ(sectors->pieCount(), before + 1) << "within one sector nothing is redrawn";
    moveTo(0, 50);
    EXPECT_TRUE(sectors->litLabels()[static_cast<int>(kv::Sector::ZeroSpiel)]);
    EXPECT_EQ(sectors->pieCount(), before + 2);
    moveTo(0, 100);  // the pocket ring lights nothing
    EXPECT_EQ(std::count(sectors->litLabels().begin(), sectors->litLabels().end(), true), 0);
    EXPECT_EQ(sectors->pieCount(), before + 3);
}
