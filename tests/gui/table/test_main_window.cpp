// The main window's own wiring, driven like a player does: clicks on the
// table, keys in the memo, the menu, the timer and closing. The rules behind
// them are tested in tests/core.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QTest>
#include <memory>

#include "core/bets.h"
#include "core/table_geometry.h"
#include "gui/gui_test_support.h"
#include "gui/table/main_window.h"
#include "gui/table/memo_edit.h"
#include "gui/table/table_paint_box.h"

namespace {

using kv::MenuItem;

class MainWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        form = std::make_unique<kv::MainWindow>();
        form->setFramePace(0, 0);
        form->show();
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        form->applyStoredModesOnce();
        s().rng.setSeed(777);
        s().NewGame();
        form->redrawTable();
    }
    kv::GameState& s() { return form->state(); }
    QWidget* box() { return form->tableView(); }
    void click(kv::TablePoint p, Qt::MouseButton b = Qt::LeftButton) {
        QTest::mouseClick(box(), b, Qt::NoModifier, QPoint(p.x, p.y));
    }
    int32_t betOn(kv::TablePoint p) {
        const auto cell = kv::HitTest(p.x, p.y);
        return cell ? s().CurrentBets.at(cell->c, cell->r) : -1;
    }
    void typeInMemo(const QString& text) {
        form->memo()->setFocus();
        form->memo()->clear();
        QTest::keyClicks(form->memo(), text);
        QTest::keyClick(form->memo(), Qt::Key_Return);
    }

    std::unique_ptr<kv::MainWindow> form;
};

}  // namespace

TEST_F(MainWindowTest, ClicksPlaceChipsThatAreDrawnAndRightClickRemovesThem) {
    const kv::TablePoint seventeen = kv::numberPoint(17);
    click(seventeen);
    click(seventeen);
    EXPECT_EQ(betOn(seventeen), 2);
    const kv::TablePoint c = kv::chipCentre(*kv::HitTest(seventeen.x, seventeen.y));
    EXPECT_EQ(kvtest::pixelAt(form->renderer().TableBitmap(), c.x - 8, c.y + 2), 0xFFA0A0u);
    click(seventeen, Qt::RightButton);
    EXPECT_EQ(s().Bet, 0);
}

TEST_F(MainWindowTest, WheelClickCtrlWAndCtrlWInTheMemoSpinAndTellTheOtherWindows) {
    int spins = 0;
    QObject::connect(form.get(), &kv::MainWindow::spinsChanged, [&] { ++spins; });
    click(kv::categoryPoint(kv::Category::RED));
    const kv::BetGrid placed = s().CurrentBets;
    QTest::keyClick(form.get(), Qt::Key_W, Qt::ControlModifier);
    ASSERT_EQ(s().SpinCount, 1);
    EXPECT_EQ(s().SpinBets(1), placed);
    // The timer ends the result phase and opens the table again.
    while (s().ResultTicks > 0) form->timerTick();
    EXPECT_TRUE(s().CurrentBets.empty());

    click(kv::kWheelClick);
    EXPECT_EQ(s().SpinCount, 2);
    s().ResultTicks = 0;
    form->memo()->setFocus();
    QTest::keyClick(form->memo(), Qt::Key_W, Qt::ControlModifier);
    EXPECT_EQ(s().SpinCount, 3);
    EXPECT_EQ(spins, 3);
}

TEST_F(MainWindowTest, EnterPlaysTypedNumbersOnlyInOnlineModeAndReportsBadOnes) {
    typeInMemo(QStringLiteral("17"));
    EXPECT_EQ(s().SpinCount, 0) << "a local game only types";

    form->action(MenuItem::OnlineGame)->trigger();
    typeInMemo(QStringLiteral("12 5,36"));
    ASSERT_EQ(s().SpinCount, 3);
    EXPECT_EQ(s().SpinHistory(1), 36);

    // A number too long for 32 bits: the conversion error, nothing played.
    kvtest::MessageBoxCatcher catcher;
    typeInMemo(QStringLiteral("5 99999999999"));
    EXPECT_EQ(catcher.text(), QStringLiteral("'99999999999' is not a valid integer value"));
    EXPECT_EQ(s().SpinCount, 3);
    EXPECT_EQ(form->memo()->toPlainText(), QStringLiteral("5 99999999999"));
}

TEST_F(MainWindowTest, OnlineWheelClickPlaysOneQueuedNumber) {
    form->action(MenuItem::OnlineGame)->trigger();
    s().queuePush(7);
    s().queuePush(9);
    int queueSignals = 0;
    QObject::connect(form.get(), &kv::MainWindow::onlineQueueChanged, [&] { ++queueSignals; });
    click(kv::kWheelClick);
    EXPECT_EQ(s().SpinHistory(1), 7);
    EXPECT_EQ(s().OnlineQueue, (std::vector<uint8_t>{9}));
    EXPECT_EQ(queueSignals, 1);

    // With an empty queue Ctrl+W plays nothing and only clears the win.
    s().ResultTicks = 0;
    s().OnlineQueue.clear();
    s().Win = 40;
    QTest::keyClick(form.get(), Qt::Key_W, Qt::ControlModifier);
    EXPECT_EQ(s().SpinCount, 1);
    EXPECT_EQ(s().Win, 0);
}

TEST_F(MainWindowTest, GameModesSwitchPromptAndOnlineInputAndLaterItemsRegister) {
    QWidget pad;
    form->registerWindow(kv::WindowId::InputOnline, &pad, MenuItem::OnlineNumbersInput);
    EXPECT_FALSE(form->action(MenuItem::OnlineNumbersInput)->isEnabled()) << "only in Online Casino Game";
    form->action(MenuItem::OnlineGame)->trigger();
    form->action(MenuItem::OnlineNumbersInput)->trigger();
    EXPECT_TRUE(pad.isVisible());
    form->action(MenuItem::LocalGame)->trigger();
    EXPECT_FALSE(pad.isVisible());
    EXPECT_EQ(form->memo()->toPlainText(), QStringLiteral("Klick on wheel or press Ctrl+W to Play"));

    // A command that arrives later enables its item with one registration.
    EXPECT_FALSE(form->action(MenuItem::SaveGame)->isEnabled());
    int calls = 0;
    form->registerCommand(MenuItem::SaveGame, [&] { ++calls; });
    form->action(MenuItem::SaveGame)->trigger();
    EXPECT_EQ(calls, 1);
}
