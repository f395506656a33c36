// The Statistic and Wheel Sectors windows over a real main window: paging
// with the scroll bar, refresh after spins and after
// sector changes; pocket and sector bets landing on the main table, the
// boundary ring and the centre, and hovering lighting the labels. The
// pictures and which click does what are tested in tests/analysis.
#include <gtest/gtest.h>

#include <QScrollBar>
#include <QTest>
#include <algorithm>
#include <memory>
#include <set>
#include <vector>

#include "analysis/sectors_geometry.h"
#include "core/roulette.h"
#include "core/table_geometry.h"
#include "gui/analysis/statistic_window.h"
#include "gui/analysis/wheel_sectors_window.h"
#include "gui/common/canvas.h"
#include "gui/common/image_box.h"
#include "gui/table/main_window.h"

namespace {

constexpr uint32_t kCyan = 0xFFFF00;        // RGB (0,255,255)
constexpr uint32_t kInnerGreen = 0x60FF60;  // RGB (96,255,96)
constexpr double kPocket = 360.0 / 37.0;

class StatisticWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        form = std::make_unique<kv::MainWindow>();
        form->setFramePace(0, 0);
        form->state().NewGame();
        statistic = std::make_unique<kv::StatisticWindow>(*form);
        sectors = std::make_unique<kv::WheelSectorsWindow>(*form);
    }
    void TearDown() override {
        sectors.reset();
        statistic.reset();
        form.reset();
    }
    // Records spins in the order of play, as the spin cycle does, and tells
    // the windows.
    void play(const std::vector<int>& numbers) {
        for (int n : numbers) form->state().RecordSpin(n);
        emit form->spinsChanged();
    }
    uint32_t pixel(int x, int y) const { return kv::rgbToWin(statistic->tableView()->image().pixel(x, y)); }
    // The cyan box of the Dozens column in row r (1 at the top), or 0.
    int dozenShown(int row) const {
        const int y = (row - 1) * 30 + 15;
        for (int d = 0; d < 3; ++d) {
            if (pixel(210 + 24 * d, y) == kCyan) return d + 1;
        }
        return 0;
    }
    // The street box filled magenta in row r, 1..12, or 0.
    int streetShown(int row) const {
        const int y = (row - 1) * 30 + 16;
        for (int j = 0; j < 12; ++j) {
            if (pixel(329 + 8 * j, y) == 0xFF00FF) return j + 1;
        }
        return 0;
    }
    void showSectors() {
        form->state().Credit = 1000;
        sectors->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(sectors.get()));
    }
    void clickAt(double degrees, double radius, Qt::MouseButton b = Qt::LeftButton) {
        const kv::PicturePoint p = kv::wheelPoint(degrees, radius);
        QTest::mouseClick(sectors->wheelView(), b, Qt::NoModifier, QPoint(p.x, p.y));
    }
    // Inside the range of wheel position q, on the pocket of its number.
    void clickPocket(int q, Qt::MouseButton b = Qt::LeftButton) { clickAt((q - 1 + 0.25) * kPocket, 108, b); }
    void clickPie(int q) { clickAt((q - 0.5) * kPocket, 50); }
    std::set<int> numbersBetOn() {
        std::set<int> out;
        for (int n = 0; n <= 36; ++n) {
            const kv::TablePoint p = kv::numberPoint(n);
            const auto cell = kv::HitTest(p.x, p.y);
            if (cell && form->state().CurrentBets.at(cell->c, cell->r) > 0) out.insert(n);
        }
        return out;
    }
    void showStatistic() {
        statistic->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(statistic.get()));
    }

    std::unique_ptr<kv::MainWindow> form;
    std::unique_ptr<kv::StatisticWindow> statistic;
    std::unique_ptr<kv::WheelSectorsWindow> sectors;
};

}  // namespace

TEST_F(StatisticWindowTest, TheMenuOpensItAndSpinsAreListedInTheOrderOfPlay) {
    form->action(kv::MenuItem::Statistic)->trigger();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(statistic.get()));
    EXPECT_EQ(dozenShown(1), 0);
    play({5, 17, 30, 0});
    EXPECT_EQ(dozenShown(1), 1);
    EXPECT_EQ(streetShown(1), 2);
    // The zero: its green number cell and no dozen.
    EXPECT_EQ(dozenShown(4), 0);
    EXPECT_EQ(pixel(57, 3 * 30 + 12), 0x00FF00u);
}

TEST_F(StatisticWindowTest, LongGamesPageWithTheScrollBarAndFollowEverySpin) {
    showStatistic();
    std::vector<int> game;
    for (int i = 0; i < 40; ++i) game.push_back(1 + (i % 36));  // streets 1,1,1,2,2,2,...
    play(game);
    // 40 spins on 17 rows: the last page shows spins 24..40.
    EXPECT_EQ(statistic->scrollBar()->value(), 24);
    EXPECT_EQ(streetShown(17), (((40 - 1) % 36) / 3) + 1) << "latest spin in the bottom row";

    // The user takes the thumb to the top: the first spins of the game.
    statistic->scrollBar()->setFocus();
    QTest::keyClick(statistic->scrollBar(), Qt::Key_Home);
    EXPECT_EQ(streetShown(4), 2);

    // A new spin takes the page back to the end.
    play({36});
    EXPECT_EQ(streetShown(17), 12);
}

TEST_F(StatisticWindowTest, SectorChangesRedrawTheSectorColumnAtOnce) {
    showStatistic();
    sectors->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(sectors.get()));
    play({7});  // first number of the Big Series arc with the default boundaries
    EXPECT_NE(pixel(456, 10), kInnerGreen);
    EXPECT_EQ(pixel(445, 12), 0x0000FFu);
    // A click on the boundary ring beside 7 hands its pocket to the 0-Spiel.
    const int q = kv::WheelPosition(7);
    const kv::PicturePoint p = kv::wheelPoint((q - 0.5) * 360.0 / 37.0, 80);
    QTest::mouseClick(sectors->wheelView(), Qt::LeftButton, Qt::NoModifier, QPoint(p.x, p.y));
    EXPECT_EQ(sectors->bounds().B(2), 29);
    EXPECT_EQ(form->settings().SectorBounds[1], 29) << "kept for the settings file";
    EXPECT_EQ(form->state().Bet, 0) << "the ring never bets";
    EXPECT_EQ(pixel(456, 10), kInnerGreen) << "7 is now drawn as 0-Spiel";
    // The centre disc restores the defaults, and the column follows.
    QTest::mouseClick(sectors->wheelView(), Qt::LeftButton, Qt::NoModifier, QPoint(125, 125));
    EXPECT_EQ(form->settings().SectorBounds, kv::SectorBounds::kDefaultNumbers);
    EXPECT_NE(pixel(456, 10), kInnerGreen);
}

TEST_F(StatisticWindowTest, SectorsPocketAndPieClicksBetThroughTheMainTable) {
    clickPocket(kv::WheelPosition(17));
    clickPocket(kv::WheelPosition(17));
    EXPECT_EQ(numbersBetOn(), (std::set<int>{17}));
    // A right click takes the bets of that spot off, as on the table.
    clickPocket(kv::WheelPosition(17), Qt::RightButton);
    EXPECT_TRUE(numbersBetOn().empty());

    // With credit for five chips, the first five of the Big Series get them.
    form->state().Credit = 5;
    clickPie(kv::WheelPosition(18));
    EXPECT_EQ(numbersBetOn(), (std::set<int>{0, 26, 3, 35, 12}));
}

TEST_F(StatisticWindowTest, SectorsHoverLightsTheLabelOfTheSectorUnderTheMouse) {
    showSectors();
    auto moveTo = [this](double degrees, double radius) {
        const kv::PicturePoint p = kv::wheelPoint(degrees, radius);
        QTest::mouseMove(sectors->wheelView(), QPoint(p.x, p.y));
    };
    const double small = (kv::WheelPosition(24) - 0.5) * kPocket;
    moveTo(small, 50);
    EXPECT_TRUE(sectors->litLabels()[static_cast<int>(kv::Sector::SmallSeries)]);
    moveTo(0, 100);  // the pocket ring lights nothing
    EXPECT_EQ(std::count(sectors->litLabels().begin(), sectors->litLabels().end(), true), 0);
}
