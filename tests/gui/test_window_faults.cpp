// What the player sees of the windows beside the table: compact windows that
// are up to date and readable, a table that does not keep a stale highlight,
// labels inside their circles, controls that look like what they are, and
// tool windows that a click on the table does not bury.
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QStyleOptionButton>
#include <QTabWidget>
#include <QTest>
#include <QWindow>
#include <cmath>
#include <memory>

#include "analysis/sectors_geometry.h"
#include "core/minimize_view.h"
#include "core/roulette.h"
#include "core/spin_store.h"
#include "core/table_geometry.h"
#include "gui/analysis/statistic_window.h"
#include "gui/analysis/wheel_sectors_window.h"
#include "gui/common/image_box.h"
#include "gui/compact/compact_table_window.h"
#include "gui/compact/hide_window.h"
#include "gui/compact/number_pad_window.h"
#include "gui/game/balance_window.h"
#include "gui/game/generate_spins_window.h"
#include "gui/gui_test_support.h"
#include "gui/strategy/strategy_editor_window.h"
#include "gui/table/main_window.h"
#include "gui/table/table_renderer.h"

namespace {

using kv::MenuItem;

class WindowFaultsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        form = std::make_unique<kv::MainWindow>();
        form->setFramePace(0, 0);
        form->show();
        form->applyStoredModesOnce();
    }
    void TearDown() override { form->blockSignals(true); }
    kv::GameState& s() { return form->state(); }
    void play(std::initializer_list<int> numbers) {
        if (!form->isOnlineGame()) form->action(MenuItem::OnlineGame)->trigger();
        for (int n : numbers) form->enterMemoLine(QString::number(n));
    }

    std::unique_ptr<kv::MainWindow> form;
};

bool isYellowInk(QRgb p) { return qRed(p) > 150 && qGreen(p) > 150 && qBlue(p) < 100; }

}  // namespace

TEST_F(WindowFaultsTest, CompactWindowsShowTheCurrentGameTheMomentTheyAppear) {
    for (auto [kind, item] : {std::pair{kv::CompactTableWindow::Kind::Third, MenuItem::Minimize},
                              std::pair{kv::CompactTableWindow::Kind::Half, MenuItem::Minimize2}}) {
        kv::CompactTableWindow window(*form, kind);
        form->show();
        const kv::TablePoint red = kv::categoryPoint(kv::Category::RED);
        form->pressTable(kv::MouseButton::Left, red.x, red.y);
        play({8});
        ASSERT_GT(s().ResultTicks, 0) << "the table still blinks: it has told nobody";

        form->action(item)->trigger();
        ASSERT_TRUE(window.isVisible());
        const QImage appeared = window.shown();
        window.copyTablePicture();
        EXPECT_EQ(appeared, window.shown()) << "the window appeared with an old game";
        window.restoreMainWindow();
    }
}

TEST_F(WindowFaultsTest, CompactWindowsKeepEveryOneOfTheLastNumbersInItsOwnStep) {
    play({30, 12, 16, 18, 14, 33, 27, 36, 22, 10});
    for (auto kind : {kv::CompactTableWindow::Kind::Third, kv::CompactTableWindow::Kind::Half}) {
        kv::CompactTableWindow window(*form, kind);
        window.show();
        const QImage& shown = window.shown();
        const QImage& picture = window.picture();
        const kv::NumberRow& row =
            (kind == kv::CompactTableWindow::Kind::Third ? kv::kMinimize1 : kv::kMinimize2).numbers;
        // The last column of every step but the tenth stays free of the digits.
        for (int k = 1; k <= 9; ++k) {
            const int x = row.first.x + k * row.step - 1;
            int ink = 0;
            for (int y = row.first.y; y < row.first.y + 2 * row.step && y < shown.height(); ++y) {
                if (isYellowInk(shown.pixel(x, y)) && shown.pixel(x, y) != picture.pixel(x, y)) ++ink;
            }
            EXPECT_EQ(ink, 0) << "numbers " << k << " and " << k + 1 << " run together, d = " << row.step;
        }
    }
}

TEST_F(WindowFaultsTest, WheelSectorsBetsLeaveNoHighlightOnTheTable) {
    kv::WheelSectorsWindow sectors(*form);
    sectors.show();
    s().Credit = 100;
    // Position q runs from the centre ray of pocket q half a pocket onwards.
    const int q = kv::WheelPosition(17);
    const kv::PicturePoint p = kv::wheelPoint(kv::pocketAngle(q) + 180.0 / 37, 110);
    QTest::mouseClick(sectors.wheelView(), Qt::LeftButton, Qt::NoModifier, QPoint(p.x, p.y));
    const kv::BetCell straight17 = *kv::HitTest(kv::numberPoint(17).x, kv::numberPoint(17).y);
    ASSERT_GT(s().CurrentBets.at(straight17.c, straight17.r), 0);

    const QImage afterBet = form->renderer().TableBitmap().copy();
    form->redrawTable();
    EXPECT_EQ(afterBet, form->renderer().TableBitmap()) << "the spot of 17 is still lit";
}

TEST_F(WindowFaultsTest, ChipLabelStaysInsideItsCircle) {
    kv::TableRenderer renderer;
    kv::GameState state;
    for (int32_t chip : {1, 50, 100, 300}) {  // 300 is the table's maximum: "Full"
        state.ChipValue = chip;
        renderer.freshCopy();
        renderer.drawBetsAndPanel(state);
        const QImage& shown = renderer.TableBitmap();
        const QImage& picture = renderer.picture();
        int outside = 0;
        for (int y = kv::kChipSelector.y - 30; y <= kv::kChipSelector.y + 30; ++y) {
            for (int x = kv::kChipSelector.x - 40; x <= kv::kChipSelector.x + 50; ++x) {
                if (std::hypot(x - kv::kChipSelector.x, y - kv::kChipSelector.y) <= 29.0) continue;
                if (shown.pixel(x, y) != picture.pixel(x, y)) ++outside;
            }
        }
        EXPECT_EQ(outside, 0) << "the label of chip " << chip << " sticks out of the circle";
    }
}

TEST_F(WindowFaultsTest, TickedFutureBoxLooksEnabled) {
    kv::NumberPadWindow pad(*form);
    pad.show();
    QCheckBox* box = pad.futureBox();
    box->setChecked(true);
    QStyleOptionButton option;
    option.initFrom(box);
    const QRect indicator = box->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, box);
    // An enabled tick is drawn in the dark text colour, a disabled one in grey.
    auto darkPixels = [&] {
        const QImage img = box->grab().toImage();
        int dark = 0;
        for (int y = indicator.top(); y <= indicator.bottom(); ++y)
            for (int x = indicator.left(); x <= indicator.right(); ++x) dark += qGray(img.pixel(x, y)) < 64;
        return dark;
    };
    const int enabled = darkPixels();
    box->setEnabled(false);
    EXPECT_GT(enabled, darkPixels()) << "the ticked box looks disabled";
}

TEST_F(WindowFaultsTest, ConstructorIfOperandsStartWithOld) {
    kv::StrategyEditorWindow editor(*form);
    editor.show();
    editor.pages()->setCurrentIndex(1);
    ASSERT_EQ(editor.kind()->currentText(), QStringLiteral("IF"));
    EXPECT_EQ(editor.left()->currentText(), QStringLiteral("OLD"));
    EXPECT_EQ(editor.right()->currentText(), QStringLiteral("OLD"));
}

TEST_F(WindowFaultsTest, ToolWindowsStayAboveTheMainWindowWhereTheyWereStored) {
    form->settings().window(kv::WindowId::Balance) = {120, 140, 300, 200, false};
    kv::BalanceWindow balance(*form);
    kv::StatisticWindow statistic(*form);
    kv::NumberPadWindow pad(*form);
    kv::HideWindow hide(*form);
    kv::CompactTableWindow minimize(*form, kv::CompactTableWindow::Kind::Third);
    for (QWidget* tool : std::initializer_list<QWidget*>{&balance, &statistic, &pad}) {
        tool->show();
        ASSERT_NE(tool->windowHandle(), nullptr);
        // X11 window managers learn of the transient parent of tool windows only.
        EXPECT_EQ(tool->windowType(), Qt::Tool);
        EXPECT_EQ(tool->windowHandle()->transientParent(), form->windowHandle())
            << tool->objectName().toStdString();
    }
    EXPECT_EQ(balance.pos(), QPoint(120, 140)) << "the stored place is kept";

    // The stand-ins replace the hidden main window: nothing above them.
    for (QWidget* standIn : std::initializer_list<QWidget*>{&hide, &minimize}) {
        standIn->show();
        EXPECT_EQ(standIn->windowHandle()->transientParent(), nullptr) << standIn->objectName().toStdString();
        standIn->hide();
    }
}

TEST_F(WindowFaultsTest, GenerateSpinsTakesCountsBeyondThirtyThousand) {
    kv::GenerateSpinsWindow generate(*form);
    kvtest::MessageBoxCatcher catcher;
    form->action(MenuItem::GenerateSpins)->trigger();
    generate.edit()->setText(QStringLiteral("30,001"));
    QTest::mouseClick(generate.generateButton(), Qt::LeftButton);
    EXPECT_EQ(catcher.count(), 0) << catcher.text().toStdString();
    EXPECT_EQ(s().SpinCount, 30001);

    form->action(MenuItem::GenerateSpins)->trigger();
    generate.edit()->setText(QString::number(kv::kMaxSpinsAddedAtOnce + 1));
    QTest::mouseClick(generate.generateButton(), Qt::LeftButton);
    EXPECT_EQ(catcher.count(), 1);
    EXPECT_TRUE(catcher.text().contains(QStringLiteral("at most 100,000"))) << catcher.text().toStdString();
    EXPECT_EQ(s().SpinCount, 30001) << "beyond one command's limit: nothing changes";
}
