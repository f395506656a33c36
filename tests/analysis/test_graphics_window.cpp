// The Graphics window driven with real clicks and keys: FOREST modes and
// baffles, the shared spin amount box, the page switch, CHART groups, zoom
// and scrolling, and the refresh after spins.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSlider>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <memory>
#include <vector>

#include "analysis/colors_window.h"
#include "analysis/graphics_window.h"
#include "ui/canvas.h"
#include "ui/image_box.h"
#include "ui/main/main_window.h"

namespace {

constexpr uint32_t kBlue = 0xFF0000;
constexpr uint32_t kRed = 0x0000FF;

class GraphicsWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        form = std::make_unique<kv::TForm1>();
        form->setFramePace(0, 0);
        form->state().NewGame();
        graphics = std::make_unique<kv::TForm11>(*form);
        colors = std::make_unique<kv::TForm12>(*form, *graphics);
    }
    void TearDown() override {
        colors.reset();
        graphics.reset();
        form.reset();
    }
    void play(const std::vector<int>& numbers) {
        for (int n : numbers) form->state().RecordSpin(n);
        emit form->spinsChanged();
    }
    void open() {
        form->action(kv::MenuItem::Graphics)->trigger();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(graphics.get()));
        graphics->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(graphics.get()));
    }
    void clickWidget(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, w->rect().center()); }
    void clickRadio(int i) {
        QRadioButton* b = graphics->RadioButton(i);
        QTest::mouseClick(b, Qt::LeftButton, Qt::NoModifier, QPoint(6, b->height() / 2));
    }
    void clickTab(int i) {
        QTabBar* bar = graphics->PageControl1()->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, bar->tabRect(i).center());
    }
    void typeSpins(QLineEdit* e, const QString& text) {
        e->setFocus();
        e->selectAll();
        QTest::keyClick(e, Qt::Key_Delete);
        QTest::keyClicks(e, text);
    }
    // The colour of the bar of forest category i, in the middle of its foot.
    uint32_t barColour(int i) {
        const kv::ForestBar& b = graphics->forest().bars[static_cast<size_t>(i)];
        return kv::rgbToWin(graphics->PaintBox1()->image().pixel(b.left + 3, 325 - 42));
    }
    int countPixels(const QImage& img, uint32_t colour) {
        int n = 0;
        for (int y = 0; y < img.height(); ++y) {
            for (int x = 0; x < img.width(); ++x) n += kv::rgbToWin(img.pixel(x, y)) == colour;
        }
        return n;
    }

    std::unique_ptr<kv::TForm1> form;
    std::unique_ptr<kv::TForm11> graphics;
    std::unique_ptr<kv::TForm12> colors;
};

}  // namespace

TEST_F(GraphicsWindowTest, ForestNumbersShowsHotAndColdBarsAndTheLists) {
    open();
    EXPECT_EQ(graphics->windowTitle(), QStringLiteral("Graphics"));
    EXPECT_EQ(graphics->PageControl1()->tabText(0), QStringLiteral("  FOREST  "));
    // Oldest first: 5 three times, 8 and 12 twice, 30 once.
    play({5, 12, 5, 30, 5, 8, 8, 12});
    EXPECT_EQ(graphics->forestMode(), kv::ForestMode::Numbers);
    EXPECT_EQ(graphics->TrackBar1()->maximum(), 36);
    EXPECT_EQ(graphics->TrackBar1()->value(), 1);
    EXPECT_EQ(barColour(5), kBlue) << "the most frequent number is hot";
    EXPECT_EQ(barColour(8), kRed);
    EXPECT_EQ(barColour(12), kRed);
    // 5 is hot and has been away three spins, longer than the unseen numbers.
    EXPECT_EQ(graphics->Memo1()->toPlainText(), QStringLiteral("5"));
    EXPECT_TRUE(graphics->Memo2()->toPlainText().isEmpty());
    // Baffle 3 with the keyboard: the three largest counts (3, 2, 2) are hot.
    graphics->TrackBar1()->setFocus();
    QTest::keyClick(graphics->TrackBar1(), Qt::Key_Right);
    QTest::keyClick(graphics->TrackBar1(), Qt::Key_Right);
    EXPECT_EQ(graphics->Label7()->text(), QStringLiteral("3"));
    EXPECT_EQ(form->settings().NumbersBaffle, 3);
    EXPECT_EQ(barColour(8), kBlue);
    EXPECT_EQ(barColour(12), kBlue);
    EXPECT_EQ(barColour(30), kRed);
    // Baffle 0: every last value on cyan, so the second list stays empty.
    QTest::keyClick(graphics->TrackBar1(), Qt::Key_Home);
    EXPECT_EQ(form->settings().NumbersBaffle, 0);
    EXPECT_TRUE(graphics->Memo2()->toPlainText().isEmpty());
    EXPECT_EQ(barColour(5), kBlue);
}

TEST_F(GraphicsWindowTest, ModesKeepTheirOwnBaffles) {
    open();
    play({1, 2, 3, 4, 5, 6});
    graphics->TrackBar1()->setFocus();
    QTest::keyClick(graphics->TrackBar1(), Qt::Key_End);
    EXPECT_EQ(form->settings().NumbersBaffle, 36);
    clickRadio(4);  // Streets
    EXPECT_EQ(graphics->forestMode(), kv::ForestMode::Streets);
    EXPECT_EQ(form->settings().ForestMode, 2);
    EXPECT_EQ(graphics->TrackBar1()->maximum(), 11);
    EXPECT_EQ(graphics->TrackBar1()->value(), 1);
    EXPECT_EQ(form->settings().NumbersBaffle, 36) << "the narrower range does not clamp the other baffle";
    EXPECT_EQ(graphics->forest().bars.size(), 12u);
    clickRadio(2);  // R/B O/E L/H
    EXPECT_FALSE(graphics->TrackBar1()->isVisible());
    EXPECT_EQ(graphics->forest().bars.size(), 6u);
    clickRadio(1);
    EXPECT_TRUE(graphics->TrackBar1()->isVisible());
    EXPECT_EQ(graphics->TrackBar1()->value(), 36);
}

TEST_F(GraphicsWindowTest, SpinAmountBoxesMirrorEachOther) {
    open();
    play({1, 1, 1, 2, 2, 3, 3, 3, 3, 3});
    typeSpins(graphics->Edit1(), QStringLiteral("4a"));
    EXPECT_EQ(graphics->Edit2()->text(), QStringLiteral("4a"));
    EXPECT_EQ(form->settings().GraphicsSpins, "4a");
    // The latest four spins are all 3.
    EXPECT_EQ(graphics->forest().bars[3].count, 4);
    EXPECT_EQ(graphics->forest().bars[1].count, 0);
    EXPECT_EQ(graphics->forest().bars[1].last, -1) << "shown as X";
    typeSpins(graphics->Edit2(), QStringLiteral("99999999999999"));
    EXPECT_EQ(graphics->Edit1()->text(), QStringLiteral("99999999999999"));
    EXPECT_EQ(graphics->forest().bars[1].count, 3) << "beyond 32 bits means all spins";
}

TEST_F(GraphicsWindowTest, ChartPageGroupsZoomAndScrolling) {
    open();
    std::vector<int> game;
    for (int i = 0; i < 64; ++i) game.push_back(i % 37);
    play(game);
    clickTab(1);
    EXPECT_EQ(form->settings().GraphicsPage, 1);
    EXPECT_EQ(graphics->zoom(), 64);
    const QImage& img = graphics->PaintBox2()->image();
    EXPECT_EQ(img.width(), 685 - 168);
    EXPECT_EQ(img.height(), 428 - 116);
    // Factory groups: Red/Black only. Its lines are drawn in their colours.
    const kv::ChartStyle& style = graphics->chartStyle();
    EXPECT_GT(countPixels(img, style.colour[kv::kEntryBlack]), 50);

    // All groups off: only the white background.
    for (int g = 1; g <= 7; ++g) {
        if (graphics->CheckBox(g)->isChecked()) clickWidget(graphics->CheckBox(g));
    }
    EXPECT_EQ(form->settings().ChartChecks, (std::array<int32_t, 7>{}));
    EXPECT_EQ(countPixels(graphics->PaintBox2()->image(), kv::clWhite),
              img.width() * img.height() - 2 * (img.width() + img.height()) + 4);
    clickWidget(graphics->CheckBox(4));  // Dozens
    EXPECT_EQ(form->settings().ChartChecks[3], 1);

    // Zoom in to a single spin and no further; out to all spins and no further.
    for (int i = 0; i < 10; ++i) clickWidget(graphics->SpeedButton(2));
    EXPECT_EQ(graphics->zoom(), 1);
    for (int i = 0; i < 10; ++i) clickWidget(graphics->SpeedButton(1));
    EXPECT_EQ(graphics->zoom(), 64);

    // Scrolling redraws the chart.
    clickWidget(graphics->SpeedButton(2));
    const int before = graphics->drawCount();
    graphics->ScrollBar1()->setFocus();
    QTest::keyClick(graphics->ScrollBar1(), Qt::Key_End);
    EXPECT_EQ(graphics->ScrollBar1()->value(), 100);
    EXPECT_EQ(graphics->drawCount(), before + 1);

    // A new spin resets the span to all spins.
    play({7});
    EXPECT_EQ(graphics->zoom(), 65);
}

TEST_F(GraphicsWindowTest, ColorsButtonOpensTheColorsWindowAndCloseHides) {
    open();
    clickTab(1);
    clickWidget(graphics->SpeedButton(3));
    EXPECT_TRUE(colors->isVisible());
    clickWidget(graphics->Button2());
    EXPECT_FALSE(graphics->isVisible());
}
