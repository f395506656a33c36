// The Graphics window and its Colors window driven with real clicks and
// keys: FOREST modes and baffles, the shared spin amount box, the page
// switch, CHART groups, zoom and scrolling, the refresh after spins, and the
// colour chooser, "Random", "Check All", "OK" and "Cancel". The pictures and
// the colour choice themselves are tested in tests/analysis.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
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
#include <QTimer>
#include <QToolButton>
#include <memory>
#include <optional>
#include <vector>

#include "gui/analysis/colors_window.h"
#include "gui/analysis/graphics_window.h"
#include "gui/common/canvas.h"
#include "gui/common/image_box.h"
#include "gui/gui_test_support.h"
#include "gui/table/main_window.h"

namespace {

constexpr uint32_t kBlue = 0xFF0000;
constexpr uint32_t kRed = 0x0000FF;

// Answers the colour chooser as soon as it appears: picks `colour`, or
// cancels when none is given.
class ColourChooserAnswer {
  public:
    explicit ColourChooserAnswer(std::optional<QColor> colour) : colour_(colour) {
        timer_.setInterval(5);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            if (auto* d = qobject_cast<QColorDialog*>(QApplication::activeModalWidget())) {
                ++opened_;
                if (colour_) {
                    d->setCurrentColor(*colour_);
                    d->accept();
                } else {
                    d->reject();
                }
            }
        });
        timer_.start();
    }
    int opened() const { return opened_; }

  private:
    QTimer timer_;
    std::optional<QColor> colour_;
    int opened_ = 0;
};

class GraphicsWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        form = std::make_unique<kv::MainWindow>();
        form->setFramePace(0, 0);
        form->state().NewGame();
        graphics = std::make_unique<kv::GraphicsWindow>(*form);
        colors = std::make_unique<kv::ColorsWindow>(*form, *graphics);
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
    // The colour of the bar of forest category i, in the middle of its foot.
    uint32_t barColour(int i) {
        const kv::ForestBar& b = graphics->forest().bars[static_cast<size_t>(i)];
        return kv::rgbToWin(graphics->forestView()->image().pixel(b.left + 3, 325 - 42));
    }
    void openColors() {
        colors->openFromGraphics();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(colors.get()));
    }
    // The colour a box of the Colors window shows: its top-right pixel, beyond the caption.
    uint32_t boxColour(int k) {
        QCheckBox* b = colors->tickBox(k);
        return kv::rgbToWin(b->grab().toImage().pixel(b->width() - 1, 1));
    }
    void clickButton(int i) { clickWidget(colors->button(i)); }
    int countPixels(const QImage& img, uint32_t colour) {
        int n = 0;
        for (int y = 0; y < img.height(); ++y) {
            for (int x = 0; x < img.width(); ++x) n += kv::rgbToWin(img.pixel(x, y)) == colour;
        }
        return n;
    }

    std::unique_ptr<kv::MainWindow> form;
    std::unique_ptr<kv::GraphicsWindow> graphics;
    std::unique_ptr<kv::ColorsWindow> colors;
};

}  // namespace

TEST_F(GraphicsWindowTest, ForestFollowsTheSpinsAndTheBaffleSlider) {
    open();
    // Oldest first: 5 three times, 8 and 12 twice, 30 once.
    play({5, 12, 5, 30, 5, 8, 8, 12});
    EXPECT_EQ(barColour(5), kBlue) << "the most frequent number is hot";
    EXPECT_EQ(barColour(8), kRed);
    EXPECT_EQ(graphics->hotList()->toPlainText(), QStringLiteral("5"));
    // Baffle 3 with the keyboard: the three largest counts (3, 2, 2) are hot.
    graphics->baffleSlider()->setFocus();
    QTest::keyClick(graphics->baffleSlider(), Qt::Key_Right);
    QTest::keyClick(graphics->baffleSlider(), Qt::Key_Right);
    EXPECT_EQ(graphics->baffleValue()->text(), QStringLiteral("3"));
    EXPECT_EQ(form->settings().NumbersBaffle, 3);
    EXPECT_EQ(barColour(8), kBlue);
    EXPECT_EQ(barColour(30), kRed);
    // Each mode keeps its own baffle.
    kvtest::clickBox(graphics->forestModeButton(4));  // Streets
    EXPECT_EQ(form->settings().ForestMode, 2);
    kvtest::clickBox(graphics->forestModeButton(1));
    EXPECT_EQ(graphics->baffleSlider()->value(), 3);

    // The spin amount boxes of both pages mirror each other.
    kvtest::typeInto(graphics->forestSpinsEdit(), QStringLiteral("4a"));
    EXPECT_EQ(graphics->chartSpinsEdit()->text(), QStringLiteral("4a"));
    EXPECT_EQ(graphics->forest().bars[8].count, 2) << "8 twice among the latest four spins";
}

TEST_F(GraphicsWindowTest, ChartPageGroupsZoomAndScrolling) {
    open();
    std::vector<int> game;
    for (int i = 0; i < 64; ++i) game.push_back(i % 37);
    play(game);
    kvtest::clickTab(graphics->pages(), 1);
    EXPECT_EQ(form->settings().GraphicsPage, 1);
    const QImage& img = graphics->chartView()->image();
    // Factory groups: Red/Black only. Its lines are drawn in their colours.
    EXPECT_GT(countPixels(img, graphics->chartStyle().colour[kv::kEntryBlack]), 50);
    clickWidget(graphics->chartGroupBox(4));  // Dozens
    EXPECT_EQ(form->settings().ChartChecks[3], 1);

    // The zoom buttons, then scrolling, redraw the chart.
    clickWidget(graphics->zoomButton(2));
    EXPECT_LT(graphics->zoom(), 64);
    const int before = graphics->drawCount();
    graphics->chartScroll()->setFocus();
    QTest::keyClick(graphics->chartScroll(), Qt::Key_End);
    EXPECT_EQ(graphics->chartScroll()->value(), 100);
    EXPECT_EQ(graphics->drawCount(), before + 1);

    // A new spin resets the span to all spins.
    play({7});
    EXPECT_EQ(graphics->zoom(), 65);
    clickWidget(graphics->zoomButton(3));
    EXPECT_TRUE(colors->isVisible());
    clickWidget(graphics->chartCloseButton());
    EXPECT_FALSE(graphics->isVisible());
}

TEST_F(GraphicsWindowTest, ColorsTickingAsksForAColourAndOkHandsTheChoiceToTheChart) {
    openColors();
    ColourChooserAnswer answer(QColor(10, 20, 30));
    EXPECT_EQ(boxColour(5), graphics->chartStyle().colour[5]) << "the boxes show the chart's colours";
    kvtest::clickBox(colors->tickBox(18));  // number 17: clear it
    kvtest::clickBox(colors->tickBox(18));  // tick it again: the chooser opens
    EXPECT_EQ(answer.opened(), 1);
    EXPECT_EQ(boxColour(18), kv::winRgb(10, 20, 30));
    kvtest::clickBox(colors->tickBox(20));
    // Not handed to the chart before "OK".
    EXPECT_NE(graphics->chartStyle().colour[18], kv::winRgb(10, 20, 30));
    clickButton(1);
    EXPECT_FALSE(colors->isVisible());
    EXPECT_EQ(graphics->chartStyle().colour[18], kv::winRgb(10, 20, 30));
    EXPECT_EQ(form->settings().ChartColors[17], static_cast<int32_t>(kv::winRgb(10, 20, 30)));
    EXPECT_FALSE(graphics->chartStyle().shown[20]);
}
