// The Colors window driven with real clicks: the boxes in their places, the
// colour chooser opening only when the user ticks a box, "Random",
// "Check All", "OK" and "Cancel".
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <memory>

#include "analysis/colors_layout.h"
#include "analysis/colors_window.h"
#include "analysis/graphics_window.h"
#include "ui/canvas.h"
#include "ui/main/main_window.h"

namespace {

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

class ColorsWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        form = std::make_unique<kv::TForm1>();
        form->state().NewGame();
        graphics = std::make_unique<kv::TForm11>(*form);
        colors = std::make_unique<kv::TForm12>(*form, *graphics);
        colors->openFromGraphics();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(colors.get()));
    }
    void TearDown() override {
        colors.reset();
        graphics.reset();
        form.reset();
    }
    void clickBox(int k) {
        QCheckBox* b = colors->CheckBox(k);
        QTest::mouseClick(b, Qt::LeftButton, Qt::NoModifier, QPoint(7, b->height() / 2));
    }
    // The colour the box shows: its top-right pixel, beyond the caption.
    uint32_t boxColour(int k) {
        QCheckBox* b = colors->CheckBox(k);
        return kv::rgbToWin(b->grab().toImage().pixel(b->width() - 1, 1));
    }
    void clickButton(int i) {
        QPushButton* b = colors->Button(i);
        QTest::mouseClick(b, Qt::LeftButton, Qt::NoModifier, b->rect().center());
    }

    std::unique_ptr<kv::TForm1> form;
    std::unique_ptr<kv::TForm11> graphics;
    std::unique_ptr<kv::TForm12> colors;
};

}  // namespace

TEST_F(ColorsWindowTest, BoxesSitInTheirPlacesWithTheChartColours) {
    EXPECT_EQ(colors->windowTitle(), QStringLiteral("Colors"));
    for (int k = 1; k <= kv::kChartEntryCount; ++k) {
        const kv::ColorsPlace p = kv::colorsBoxPlace(k);
        QCheckBox* b = colors->CheckBox(k);
        EXPECT_EQ(b->pos(), QPoint(p.x, p.y)) << k;
        EXPECT_EQ(b->text().toStdString(), p.caption);
        EXPECT_TRUE(b->isChecked()) << "factory settings show every entry";
        EXPECT_EQ(boxColour(k), graphics->chartStyle().colour[static_cast<size_t>(k)]) << k;
    }
    EXPECT_EQ(colors->CheckBox(37)->pos(), QPoint(400, 16)) << "36 in the top row";
    EXPECT_EQ(colors->Button(4)->text(), QStringLiteral("Check All"));
}

TEST_F(ColorsWindowTest, TickingAsksForAColourClearingNever) {
    ColourChooserAnswer answer(QColor(10, 20, 30));
    clickBox(18);  // number 17: clear it
    EXPECT_FALSE(colors->CheckBox(18)->isChecked());
    EXPECT_EQ(answer.opened(), 0);
    clickBox(18);  // tick it again: the chooser opens
    EXPECT_TRUE(colors->CheckBox(18)->isChecked());
    EXPECT_EQ(answer.opened(), 1);
    EXPECT_EQ(boxColour(18), kv::winRgb(10, 20, 30));
    EXPECT_EQ(colors->choice().colour(18), kv::winRgb(10, 20, 30));
    // Not handed to the chart before "OK".
    EXPECT_NE(graphics->chartStyle().colour[18], kv::winRgb(10, 20, 30));
    clickButton(1);
    EXPECT_FALSE(colors->isVisible());
    EXPECT_EQ(graphics->chartStyle().colour[18], kv::winRgb(10, 20, 30));
    EXPECT_EQ(form->settings().ChartColors[17], static_cast<int32_t>(kv::winRgb(10, 20, 30)));
}

TEST_F(ColorsWindowTest, CancelledChooserKeepsTheColourButTheTick) {
    ColourChooserAnswer answer(std::nullopt);
    const uint32_t old = boxColour(40);
    clickBox(40);
    clickBox(40);
    EXPECT_EQ(answer.opened(), 1);
    EXPECT_TRUE(colors->CheckBox(40)->isChecked());
    EXPECT_EQ(boxColour(40), old);
}

TEST_F(ColorsWindowTest, RandomAndCheckAllAndCancel) {
    ColourChooserAnswer answer(QColor(1, 2, 3));
    const kv::ChartStyle before = graphics->chartStyle();
    clickBox(1);
    clickBox(56);
    clickButton(3);  // Random: all colours change, the ticks stay
    int changed = 0;
    for (int k = 1; k <= kv::kChartEntryCount; ++k)
        changed += boxColour(k) != before.colour[static_cast<size_t>(k)];
    EXPECT_GE(changed, 59);
    EXPECT_FALSE(colors->CheckBox(1)->isChecked());
    EXPECT_FALSE(colors->CheckBox(56)->isChecked());
    const uint32_t randomColour = boxColour(5);

    clickButton(4);  // Check All: no chooser
    EXPECT_TRUE(colors->CheckBox(1)->isChecked());
    EXPECT_TRUE(colors->CheckBox(56)->isChecked());
    EXPECT_EQ(answer.opened(), 0);

    clickBox(3);
    clickButton(2);  // Cancel: the chart keeps its choice
    EXPECT_FALSE(colors->isVisible());
    EXPECT_EQ(graphics->chartStyle(), before);
    // Reopened: ticks from the chart again, working colours as left.
    colors->openFromGraphics();
    EXPECT_TRUE(colors->CheckBox(3)->isChecked());
    EXPECT_EQ(boxColour(5), randomColour);
}

TEST_F(ColorsWindowTest, OkHandsTheTicksToTheChart) {
    clickBox(20);
    clickBox(57);
    clickButton(1);
    EXPECT_FALSE(graphics->chartStyle().shown[20]);
    EXPECT_FALSE(graphics->chartStyle().shown[57]);
    EXPECT_TRUE(graphics->chartStyle().shown[21]);
    EXPECT_FALSE(form->settings().ChartShown[19]);
}
