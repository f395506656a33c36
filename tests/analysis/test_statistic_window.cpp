// The Statistic window over a real main window: paging with the scroll bar,
// the mouse-move economy, refresh after spins and after sector changes.
#include <gtest/gtest.h>

#include <QScrollBar>
#include <QTest>
#include <memory>
#include <vector>

#include "analysis/sectors_geometry.h"
#include "analysis/sectors_window.h"
#include "analysis/statistic_window.h"
#include "core/roulette.h"
#include "ui/canvas.h"
#include "ui/image_box.h"
#include "ui/main/main_window.h"

namespace {

constexpr uint32_t kTableGreen = 0x80FF80;  // RGB (128,255,128)
constexpr uint32_t kCyan = 0xFFFF00;        // RGB (0,255,255)
constexpr uint32_t kInnerGreen = 0x60FF60;  // RGB (96,255,96)

class StatisticWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        form = std::make_unique<kv::TForm1>();
        form->setFramePace(0, 0);
        form->state().NewGame();
        statistic = std::make_unique<kv::TForm4>(*form);
        sectors = std::make_unique<kv::TForm8>(*form);
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
    uint32_t pixel(int x, int y) const { return kv::rgbToWin(statistic->PaintBox1()->image().pixel(x, y)); }
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
    void showStatistic() {
        statistic->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(statistic.get()));
    }

    std::unique_ptr<kv::TForm1> form;
    std::unique_ptr<kv::TForm4> statistic;
    std::unique_ptr<kv::TForm8> sectors;
};

}  // namespace

TEST_F(StatisticWindowTest, EmptyGameShowsBackgroundAndRulesAndTheMenuOpensIt) {
    EXPECT_FALSE(statistic->isVisible());
    ASSERT_TRUE(form->action(kv::MenuItem::Statistic)->isEnabled());
    form->action(kv::MenuItem::Statistic)->trigger();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(statistic.get()));
    EXPECT_EQ(statistic->windowTitle(), QStringLiteral("Statistic"));
    EXPECT_EQ(statistic->ScrollBar1()->minimum(), 1);
    EXPECT_EQ(statistic->ScrollBar1()->maximum(), 1);
    // 543 x 584 outer: 17 rows on a 519-pixel page.
    EXPECT_EQ(statistic->rows(), 17);
    EXPECT_EQ(statistic->PaintBox1()->height(), 519);
    EXPECT_EQ(pixel(100, 100), kTableGreen);
    EXPECT_EQ(pixel(53, 100), 0x505050u);
    EXPECT_EQ(pixel(427, 300), 0x505050u);
    EXPECT_EQ(dozenShown(1), 0);
}

TEST_F(StatisticWindowTest, FewSpinsAreListedInTheOrderOfPlayFromTheTop) {
    showStatistic();
    play({5, 17, 30, 0});
    EXPECT_EQ(statistic->ScrollBar1()->maximum(), 1);
    EXPECT_EQ(dozenShown(1), 1);
    EXPECT_EQ(streetShown(1), 2);
    EXPECT_EQ(dozenShown(2), 2);
    EXPECT_EQ(streetShown(2), 6);
    EXPECT_EQ(dozenShown(3), 3);
    // The zero: its number cell and the 0-Spiel pictogram, nothing else.
    EXPECT_EQ(dozenShown(4), 0);
    EXPECT_EQ(streetShown(4), 0);
    EXPECT_EQ(pixel(57, 3 * 30 + 12), 0x00FF00u) << "green number cell";
    EXPECT_EQ(pixel(456, 3 * 30 + 10), kInnerGreen);
    EXPECT_EQ(pixel(445, 3 * 30 + 12), 0x0000FFu) << "red 0-Spiel wedge";
    EXPECT_EQ(dozenShown(5), 0) << "no fifth spin";
}

TEST_F(StatisticWindowTest, LongGamesPageWithTheScrollBarAndFollowEverySpin) {
    showStatistic();
    std::vector<int> game;
    for (int i = 0; i < 40; ++i) game.push_back(1 + (i % 36));  // streets 1,1,1,2,2,2,...
    play(game);
    // 40 spins on 17 rows: the last page shows spins 24..40.
    EXPECT_EQ(statistic->ScrollBar1()->maximum(), 24);
    EXPECT_EQ(statistic->ScrollBar1()->value(), 24);
    EXPECT_EQ(streetShown(17), (((40 - 1) % 36) / 3) + 1) << "latest spin in the bottom row";
    EXPECT_EQ(streetShown(1), (((24 - 1) % 36) / 3) + 1);

    // The user takes the thumb to the top: the first spins of the game.
    statistic->ScrollBar1()->setFocus();
    QTest::keyClick(statistic->ScrollBar1(), Qt::Key_Home);
    EXPECT_EQ(statistic->ScrollBar1()->value(), 1);
    EXPECT_EQ(streetShown(1), 1);
    EXPECT_EQ(streetShown(4), 2);
    QTest::keyClick(statistic->ScrollBar1(), Qt::Key_Down);
    EXPECT_EQ(streetShown(1), 1) << "spin 2";
    EXPECT_EQ(streetShown(3), 2) << "spin 4";

    // A new spin takes the page back to the end.
    play({36});
    EXPECT_EQ(statistic->ScrollBar1()->maximum(), 25);
    EXPECT_EQ(statistic->ScrollBar1()->value(), 25);
    EXPECT_EQ(streetShown(17), 12);
}

TEST_F(StatisticWindowTest, MouseMovesRedrawOnlyAfterAChange) {
    showStatistic();
    play({1, 2, 3});
    const int drawn = statistic->drawCount();
    QTest::mouseMove(statistic->PaintBox1(), QPoint(100, 40));
    QTest::mouseMove(statistic->PaintBox1(), QPoint(120, 60));
    EXPECT_EQ(statistic->drawCount(), drawn);
    // A spin recorded while nothing refreshed the window: the next move draws.
    form->state().RecordSpin(20);
    QTest::mouseMove(statistic->PaintBox1(), QPoint(130, 70));
    EXPECT_EQ(statistic->drawCount(), drawn + 1);
    EXPECT_EQ(dozenShown(4), 2);
}

TEST_F(StatisticWindowTest, ResizingChangesTheRowsAndTinyWindowsShowNone) {
    showStatistic();
    std::vector<int> game(30, 7);
    play(game);
    statistic->resize(statistic->width(), 300 - 30);  // outer height 300
    EXPECT_EQ(statistic->rows(), 7);                  // (300 - 65) div 30
    EXPECT_EQ(statistic->ScrollBar1()->maximum(), 24);
    EXPECT_EQ(statistic->ScrollBar1()->value(), 24);
    statistic->resize(statistic->width(), 94 - 30);
    EXPECT_EQ(statistic->rows(), 0);
    EXPECT_EQ(statistic->ScrollBar1()->maximum(), 31);
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
    QTest::mouseClick(sectors->Image1(), Qt::LeftButton, Qt::NoModifier, QPoint(p.x, p.y));
    EXPECT_EQ(sectors->bounds().B(2), 29);
    EXPECT_EQ(pixel(456, 10), kInnerGreen) << "7 is now drawn as 0-Spiel";
    // The centre disc restores the defaults, and the column follows.
    QTest::mouseClick(sectors->Image1(), Qt::LeftButton, Qt::NoModifier, QPoint(125, 125));
    EXPECT_EQ(sectors->bounds().B(2), 7);
    EXPECT_NE(pixel(456, 10), kInnerGreen);
}
