// The compact windows driven like a player does beside a casino's window:
// the stand-ins for the hidden main window and the number pad. Their
// geometry is tested in tests/core/test_compact.cpp.
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <memory>

#include "core/minimize_view.h"
#include "core/table_geometry.h"
#include "gui/common/canvas.h"
#include "gui/common/image_box.h"
#include "gui/compact/compact_table_window.h"
#include "gui/compact/hide_window.h"
#include "gui/compact/number_pad_window.h"
#include "gui/gui_test_support.h"
#include "gui/table/main_window.h"
#include "gui/table/memo_edit.h"

namespace {

using kv::MenuItem;

class CompactTest : public ::testing::Test {
  protected:
    void SetUp() override {
        form = std::make_unique<kv::MainWindow>();
        form->setFramePace(0, 0);
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        form->applyStoredModesOnce();
        hide = std::make_unique<kv::HideWindow>(*form);
        mini = std::make_unique<kv::CompactTableWindow>(*form, kv::CompactTableWindow::Kind::Third);
        pad = std::make_unique<kv::NumberPadWindow>(*form);
        mini2 = std::make_unique<kv::CompactTableWindow>(*form, kv::CompactTableWindow::Kind::Half);
        s().rng.setSeed(4242);
        s().NewGame();
        s().OnlineQueue.clear();
        form->redrawTable();
    }
    void TearDown() override {
        // Keep the program folder of the tests free of a saved game.
        form->blockSignals(true);
    }
    kv::GameState& s() { return form->state(); }
    void goOnline() {
        form->action(MenuItem::OnlineGame)->trigger();
        ASSERT_TRUE(form->isOnlineGame());
    }
    // A press on the reduced picture over the chip centre of a main table spot.
    QPoint reducedPoint(const kv::MinimizeScale& sc, kv::TablePoint full) {
        return QPoint(full.x / sc.d - 2, full.y / sc.d);
    }

    std::unique_ptr<kv::MainWindow> form;
    std::unique_ptr<kv::HideWindow> hide;
    std::unique_ptr<kv::CompactTableWindow> mini;
    std::unique_ptr<kv::NumberPadWindow> pad;
    std::unique_ptr<kv::CompactTableWindow> mini2;
};

}  // namespace

TEST_F(CompactTest, HideStandsInAndVisibleBringsTheMainWindowBack) {
    QSignalSpy closed(form.get(), &kv::MainWindow::closed);
    form->action(MenuItem::Hide)->trigger();
    EXPECT_TRUE(hide->isVisible());
    EXPECT_FALSE(form->isVisible());
    QTest::mouseClick(hide->visibleButton(), Qt::LeftButton);
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(closed.count(), 0);

    // The close box of the stand-in ends the program.
    form->action(MenuItem::Hide)->trigger();
    hide->close();
    EXPECT_EQ(closed.count(), 1);
}

TEST_F(CompactTest, MinimizeForwardsPressesAndShowsMarkers) {
    form->action(MenuItem::Minimize)->trigger();
    ASSERT_TRUE(mini->isVisible());
    EXPECT_FALSE(form->isVisible());
    s().Credit = 100;
    const kv::BetCell straight17 = *kv::HitTest(kv::numberPoint(17).x, kv::numberPoint(17).y);
    const QPoint p = reducedPoint(kv::kMinimize1, kv::chipCentre(straight17));
    QTest::mouseClick(mini->tableView(), Qt::LeftButton, Qt::NoModifier, p);
    QTest::mouseClick(mini->tableView(), Qt::LeftButton, Qt::NoModifier, p);
    EXPECT_EQ(s().CurrentBets.at(straight17.c, straight17.r), 2);
    // The marker: a light blue circle at the cell's marker point.
    const kv::TablePoint m = kv::minimizeMarkerPoint(kv::kMinimize1, straight17);
    EXPECT_EQ(kv::rgbToWin(mini->shown().pixel(m.x + 114, m.y + 4)), 0xFFA0A0u);

    // Ctrl+W in the window's memo spins the main wheel.
    const int before = s().SpinCount;
    mini->memo()->setFocus();
    QTest::keyClick(mini->memo(), Qt::Key_W, Qt::ControlModifier);
    EXPECT_EQ(s().SpinCount, before + 1);

    QTest::mouseClick(mini->maxButton(), Qt::LeftButton);
    EXPECT_TRUE(form->isVisible());

    // The half-size window forwards at its own scale.
    while (s().ResultTicks > 0) form->timerTick();
    form->action(MenuItem::Minimize2)->trigger();
    ASSERT_TRUE(mini2->isVisible());
    const kv::BetCell dozen2 = kv::categoryCell(kv::Category::DOZ2);
    QTest::mouseClick(mini2->tableView(), Qt::LeftButton, Qt::NoModifier,
                      reducedPoint(kv::kMinimize2, kv::categoryPoint(kv::Category::DOZ2)));
    EXPECT_EQ(s().CurrentBets.at(dozen2.c, dozen2.r), 2) << "raised to the minimum of the dozens";
}

TEST_F(CompactTest, TypedNumbersInTheCompactMemoArePlayedOnlyOnline) {
    goOnline();
    form->action(MenuItem::Minimize2)->trigger();
    ASSERT_TRUE(mini2->isVisible());
    mini2->memo()->setFocus();
    QTest::keyClicks(mini2->memo(), "12 5");
    EXPECT_EQ(form->memo()->toPlainText(), QStringLiteral("12 5")) << "the main memo mirrors what is typed";
    QTest::keyClick(mini2->memo(), Qt::Key_Return);
    EXPECT_EQ(s().SpinCount, 2);
    EXPECT_EQ(s().SpinHistory(1), 5);
    // The latest number is ringed in yellow on the half-size picture.
    const kv::TablePoint c = kv::minimize2LatestCentre(5);
    EXPECT_EQ(kv::rgbToWin(mini2->shown().pixel(c.x - 10, c.y)), 0x00FFFFu);
    EXPECT_TRUE(mini2->memo()->toPlainText().isEmpty()) << "played: the box is emptied";

    // A refused entry plays nothing and stays in the box to be mended.
    kvtest::MessageBoxCatcher answer;
    QTest::keyClicks(mini2->memo(), "7 99999999999");
    QTest::keyClick(mini2->memo(), Qt::Key_Return);
    EXPECT_EQ(answer.count(), 1);
    EXPECT_EQ(s().SpinCount, 2);
    EXPECT_EQ(mini2->memo()->toPlainText(), QStringLiteral("7 99999999999"));
}

TEST_F(CompactTest, PadQueuesInFuturePlaysInRealTimeAndTurns) {
    goOnline();
    form->action(MenuItem::OnlineNumbersInput)->trigger();
    ASSERT_TRUE(pad->isVisible());
    ASSERT_TRUE(pad->future());
    // Horizontal pad: column 12, top row is 36; column 0 is zero.
    QTest::mouseClick(pad->pad(), Qt::LeftButton, Qt::NoModifier, QPoint(3 + 12 * 23 + 5, 10));
    QTest::mouseClick(pad->pad(), Qt::LeftButton, Qt::NoModifier, QPoint(10, 60));
    EXPECT_EQ(s().OnlineQueue, (std::vector<uint8_t>{36, 0}));
    EXPECT_EQ(s().SpinCount, 0);

    // A wheel click plays the first queued number.
    form->pressTable(kv::MouseButton::Left, kv::kWheelClick.x, kv::kWheelClick.y);
    EXPECT_EQ(s().SpinCount, 1);
    EXPECT_EQ(s().SpinHistory(1), 36);
    QTest::mouseClick(pad->backButton(), Qt::LeftButton);  // "<<"
    EXPECT_TRUE(s().OnlineQueue.empty());

    pad->futureBox()->click();
    EXPECT_FALSE(pad->future());
    EXPECT_EQ(form->settings().PadMode, 0);
    QTest::mouseClick(pad->pad(), Qt::LeftButton, Qt::NoModifier, QPoint(3 + 23 + 5, 90));  // 1
    EXPECT_EQ(s().SpinHistory(1), 1);

    // The vertical pad queues again once the future box is back on; a full
    // queue takes no more and says so.
    pad->futureBox()->click();
    QTest::mouseClick(pad->orientationButton(), Qt::LeftButton);
    EXPECT_EQ(form->settings().PadOrientation, 1);
    QTest::mouseClick(pad->pad(), Qt::LeftButton, Qt::NoModifier, QPoint(100, 3 + 23 + 5));
    EXPECT_EQ(s().OnlineQueue, (std::vector<uint8_t>{3}));
    QTest::mouseClick(pad->clearButton(), Qt::LeftButton);  // "Clr"
    EXPECT_TRUE(s().OnlineQueue.empty());
    s().OnlineQueue.assign(kv::kOnlineQueueMax, 7);
    pad->padNumber(8);
    EXPECT_EQ(s().OnlineQueue.back(), 7);
    EXPECT_TRUE(pad->windowTitle().contains("full"));

    // Switching to Local Game hides the pad.
    form->action(MenuItem::LocalGame)->trigger();
    EXPECT_FALSE(pad->isVisible());
}
