// The main window driven like a player does: clicks on the table, keys in
// the memo, the menu, the timer and the resize layout.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMenuBar>
#include <QTest>
#include <memory>

#include "core/bets.h"
#include "core/table_geometry.h"
#include "ui/main/main_window.h"
#include "ui/main/memo_edit.h"
#include "ui/main/table_paint_box.h"
#include "ui_test_support.h"

namespace {

using kv::MenuItem;

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        form = std::make_unique<kv::TForm1>();
        form->setFramePace(0, 0);
        form->show();
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        form->FormActivate();
        s().rng.setSeed(777);
        s().NewGame();
        form->redrawTable();
    }
    kv::GameState& s() { return form->state(); }
    QWidget* box() { return form->PaintBox1(); }
    void click(QPoint p, Qt::MouseButton b = Qt::LeftButton) { QTest::mouseClick(box(), b, Qt::NoModifier, p); }
    void click(kv::TablePoint p, Qt::MouseButton b = Qt::LeftButton) { click(QPoint(p.x, p.y), b); }
    int32_t betOn(kv::TablePoint p) {
        const auto cell = kv::HitTest(p.x, p.y);
        return cell ? s().CurrentBets.at(cell->c, cell->r) : -1;
    }
    void typeInMemo(const QString& text) {
        form->Memo1()->setFocus();
        form->Memo1()->clear();
        QTest::keyClicks(form->Memo1(), text);
        QTest::keyClick(form->Memo1(), Qt::Key_Return);
    }

    std::unique_ptr<kv::TForm1> form;
};

}  // namespace

TEST_F(MainWindowTest, ClicksPlaceChipsRightClickRemovesThem) {
    const kv::TablePoint seventeen = kv::numberPoint(17);
    click(seventeen);
    click(seventeen);
    EXPECT_EQ(betOn(seventeen), 2);
    click(kv::categoryPoint(kv::Category::RED));
    EXPECT_EQ(betOn(kv::categoryPoint(kv::Category::RED)), 5) << "raised to the minimum of 1/1";
    EXPECT_EQ(s().Bet, 7);
    // The chip is drawn where the chip centre of its cell is.
    const kv::TablePoint c = kv::chipCentre(*kv::HitTest(seventeen.x, seventeen.y));
    EXPECT_EQ(kvtest::pixelAt(form->renderer().TableBitmap(), c.x - 8, c.y + 2), 0xFFA0A0u);
    click(seventeen, Qt::RightButton);
    EXPECT_EQ(betOn(seventeen), 0);
    EXPECT_EQ(s().Bet, 5);
    click(seventeen, Qt::MiddleButton);
    EXPECT_EQ(betOn(seventeen), 0);
    // The chip selector steps up; "X" clears.
    click(QPoint(360, 306));
    EXPECT_EQ(s().ChipValue, 5);
    click(QPoint(352, 371));
    EXPECT_EQ(s().Bet, 0);
    EXPECT_TRUE(s().CurrentBets.empty());
}

TEST_F(MainWindowTest, CtrlWSpinsSettlesAndTheResultPhaseBlocksBets) {
    s().Credit = 500;
    s().Balance = -500;
    click(kv::categoryPoint(kv::Category::RED));
    ASSERT_EQ(s().Bet, 5);
    QTest::keyClick(form.get(), Qt::Key_W, Qt::ControlModifier);
    ASSERT_EQ(s().SpinCount, 1);
    const int n = s().SpinHistory(1);
    EXPECT_EQ(n, s().ballNumber());
    EXPECT_EQ(s().ResultTicks, 50);
    EXPECT_EQ(s().Credit, 495 + (kv::isRed(n) ? 10 : 0));
    EXPECT_EQ(s().ResultHistory(1), s().Balance + s().Credit);
    EXPECT_EQ(s().SpinBets(1).at(11, 8), 5) << "the bets went with the spin into the history";

    // A click during the result phase only shortens it.
    const kv::BetGrid before = s().CurrentBets;
    click(kv::numberPoint(4));
    EXPECT_EQ(s().ResultTicks, 2);
    EXPECT_EQ(s().CurrentBets, before);
    // Two ticks later the table is cleared and open again.
    form->Timer1Timer();
    form->Timer1Timer();
    EXPECT_EQ(s().ResultTicks, 0);
    EXPECT_TRUE(s().CurrentBets.empty());
    EXPECT_EQ(s().Win, 0);
    click(kv::numberPoint(4));
    EXPECT_EQ(betOn(kv::numberPoint(4)), 1);
}

TEST_F(MainWindowTest, WheelClickAndCtrlWInTheMemoSpin) {
    click(kv::kWheelClick);
    EXPECT_EQ(s().SpinCount, 1);
    form->Timer1Timer();
    s().ResultTicks = 0;
    form->Memo1()->setFocus();
    QTest::keyClick(form->Memo1(), Qt::Key_W, Qt::ControlModifier);
    EXPECT_EQ(s().SpinCount, 2);
    EXPECT_EQ(s().SpinHistory(1), s().ballNumber());
}

TEST_F(MainWindowTest, SpinEmitsHistoryAndMoneySignals) {
    int spins = 0;
    int money = 0;
    QObject::connect(form.get(), &kv::TForm1::spinsChanged, [&] { ++spins; });
    QObject::connect(form.get(), &kv::TForm1::moneyChanged, [&] { ++money; });
    click(kv::kWheelClick);
    EXPECT_EQ(spins, 1);
    EXPECT_GE(money, 1);
}

TEST_F(MainWindowTest, EnterInOnlineModePlaysTypedNumbersInOrder) {
    form->action(MenuItem::OnlineGame)->trigger();
    EXPECT_EQ(form->Memo1()->toPlainText(), QStringLiteral("Input here few Numbers"));
    typeInMemo(QStringLiteral("12 5,36"));
    ASSERT_EQ(s().SpinCount, 3);
    EXPECT_EQ(s().SpinHistory(1), 36);
    EXPECT_EQ(s().SpinHistory(2), 5);
    EXPECT_EQ(s().SpinHistory(3), 12);
    EXPECT_EQ(s().ballNumber(), 36);
    EXPECT_EQ(s().ResultTicks, 50);
    EXPECT_TRUE(form->Memo1()->toPlainText().isEmpty());

    // Text without digits plays nothing and empties the memo.
    typeInMemo(QStringLiteral("red black"));
    EXPECT_EQ(s().SpinCount, 3);
    EXPECT_TRUE(form->Memo1()->toPlainText().isEmpty());
}

TEST_F(MainWindowTest, TypedNumbersSettleAgainstTheSameBets) {
    form->action(MenuItem::OnlineGame)->trigger();
    s().Credit = 10;
    click(kv::categoryPoint(kv::Category::RED));
    s().CurrentBets.at(11, 8) = 10;
    s().Bet = 10;
    typeInMemo(QStringLiteral("2 4"));  // two black numbers
    EXPECT_EQ(s().Credit, -10);
    EXPECT_EQ(s().CurrentBets.at(11, 8), 10) << "cleared only when the result phase ends";
}

TEST_F(MainWindowTest, TooLongNumberShowsTheConversionErrorAndPlaysNothing) {
    form->action(MenuItem::OnlineGame)->trigger();
    kvtest::MessageBoxCatcher catcher;
    typeInMemo(QStringLiteral("5 99999999999"));
    EXPECT_EQ(catcher.count(), 1);
    EXPECT_EQ(catcher.text(), QStringLiteral("'99999999999' is not a valid integer value"));
    EXPECT_EQ(s().SpinCount, 0);
    EXPECT_EQ(form->Memo1()->toPlainText(), QStringLiteral("5 99999999999"));
}

TEST_F(MainWindowTest, EnterInLocalModeOnlyTypes) {
    ASSERT_FALSE(form->isOnlineGame());
    typeInMemo(QStringLiteral("17"));
    EXPECT_EQ(s().SpinCount, 0);
    EXPECT_TRUE(form->Memo1()->toPlainText().contains(QStringLiteral("17")));
}

TEST_F(MainWindowTest, OnlineWheelClickPlaysOneQueuedNumber) {
    form->action(MenuItem::OnlineGame)->trigger();
    s().queuePush(7);
    s().queuePush(9);
    int queueSignals = 0;
    QObject::connect(form.get(), &kv::TForm1::onlineQueueChanged, [&] { ++queueSignals; });
    click(kv::kWheelClick);
    EXPECT_EQ(s().SpinCount, 1);
    EXPECT_EQ(s().SpinHistory(1), 7);
    ASSERT_EQ(s().OnlineQueue.size(), 1u);
    EXPECT_EQ(s().OnlineQueue.front(), 9);
    EXPECT_EQ(queueSignals, 1);

    // With an empty queue Ctrl+W plays nothing and only clears the win.
    s().ResultTicks = 0;
    s().OnlineQueue.clear();
    s().Win = 40;
    QTest::keyClick(form.get(), Qt::Key_W, Qt::ControlModifier);
    EXPECT_EQ(s().SpinCount, 1);
    EXPECT_EQ(s().Win, 0);
}

TEST_F(MainWindowTest, GameModesSwitchPromptAndOnlineInput) {
    EXPECT_FALSE(form->action(MenuItem::OnlineNumbersInput)->isEnabled());
    QWidget pad;
    form->registerWindow(kv::WindowId::InputOnline, &pad, MenuItem::OnlineNumbersInput);
    EXPECT_FALSE(form->action(MenuItem::OnlineNumbersInput)->isEnabled()) << "only in Online Casino Game";
    form->action(MenuItem::OnlineGame)->trigger();
    EXPECT_TRUE(form->action(MenuItem::OnlineNumbersInput)->isEnabled());
    form->action(MenuItem::OnlineNumbersInput)->trigger();
    EXPECT_TRUE(pad.isVisible());
    form->action(MenuItem::LocalGame)->trigger();
    EXPECT_FALSE(pad.isVisible());
    EXPECT_TRUE(form->action(MenuItem::LocalGame)->isChecked());
    EXPECT_EQ(form->Memo1()->toPlainText(), QStringLiteral("Klick on wheel or press Ctrl+W to Play"));
    form->action(MenuItem::OnlineGame)->trigger();
    EXPECT_FALSE(pad.isVisible()) << "switching back does not reopen it";
}

TEST_F(MainWindowTest, MenuHasEveryItemAndLaterWindowsStartDisabled) {
    QStringList captions;
    for (QAction* top : form->menuBar()->actions()) {
        captions << top->text();
        for (QAction* a : top->menu()->actions()) {
            if (!a->isSeparator()) captions << a->text();
        }
    }
    for (const char* c : {"File", "New Game", "Save Game", "Open Game", "Cut Game", "Add Game to File",
                          "Add File to Game", "Import Game", "Export Game", "Get Money / -", "Put Money / +",
                          "Balance", "Exit", "Settings", "Local Game", "Online Casino Game", "Sound",
                          "Normal Rotate Spin", "Quick Rotate Spin", "Don't Rotate Spin", "Game Properties",
                          "Random Properties", "Hide", "Minimize", "Minimize 2", "Online Numbers Input", "Game",
                          "Wheel Sectors", "Statistic", "Graphics", "Test Game", "Calculate", "Generate Spins",
                          "Strategy", "Test Strategy", "Constructor of Strategics", "Help", "Kelvora Help",
                          "About"}) {
        EXPECT_TRUE(captions.contains(QString::fromLatin1(c))) << c;
    }
    EXPECT_EQ(form->action(MenuItem::NewGame)->shortcut(), QKeySequence(QStringLiteral("Ctrl+N")));
    EXPECT_EQ(form->action(MenuItem::Exit)->shortcut(), QKeySequence(QStringLiteral("Ctrl+E")));
    EXPECT_EQ(form->action(MenuItem::Calculate)->shortcut(), QKeySequence(QStringLiteral("Ctrl+C")));
    EXPECT_EQ(form->action(MenuItem::Help)->shortcut(), QKeySequence(QStringLiteral("F1")));
    EXPECT_EQ(form->action(MenuItem::TestGame)->toolTip(), QStringLiteral("Test your Online Casino on honesty"));
    EXPECT_TRUE(form->action(MenuItem::NormalRotate)->isChecked());
    EXPECT_TRUE(form->action(MenuItem::Sound)->isCheckable());
    for (MenuItem later : {MenuItem::SaveGame, MenuItem::Statistic, MenuItem::WheelSectors, MenuItem::Calculate,
                           MenuItem::TestStrategy, MenuItem::Constructor, MenuItem::CutGame}) {
        EXPECT_FALSE(form->action(later)->isEnabled()) << static_cast<int>(later);
    }
    EXPECT_TRUE(form->action(MenuItem::NewGame)->isEnabled());

    // A window that arrives later enables its item with one registration.
    QWidget statistic;
    form->registerWindow(kv::WindowId::Statistic, &statistic, MenuItem::Statistic);
    EXPECT_TRUE(form->action(MenuItem::Statistic)->isEnabled());
    form->action(MenuItem::Statistic)->trigger();
    EXPECT_TRUE(statistic.isVisible());
    int calls = 0;
    form->registerCommand(MenuItem::SaveGame, [&] { ++calls; });
    form->action(MenuItem::SaveGame)->trigger();
    EXPECT_EQ(calls, 1);
}

TEST_F(MainWindowTest, RotateModeMenuAndDontRotateEndsTheResultPhaseAfterTwoTicks) {
    form->action(MenuItem::DontRotate)->trigger();
    EXPECT_EQ(s().RotateMode, kv::RotateModeKind::DontRotate);
    form->action(MenuItem::OnlineGame)->trigger();
    click(kv::numberPoint(20));
    typeInMemo(QStringLiteral("20"));
    ASSERT_EQ(s().ResultTicks, 50);
    const int pocket = s().BallPocket;
    form->Timer1Timer();
    EXPECT_FALSE(s().CurrentBets.empty());
    form->Timer1Timer();
    EXPECT_TRUE(s().CurrentBets.empty()) << "cleared on the second tick";
    EXPECT_EQ(s().BallPocket, pocket) << "the ball turns with the wheel";
    EXPECT_EQ(s().DriftTicks, 0);
    // The timer blinks the winning number on the table while it runs.
    s().ResultTicks = 50;
    s().DriftTicks = 20;
    form->Timer1Timer();
    const int x = kv::kTableLeft + kv::kCellWidth * 7 + 9;  // 20: street 7, middle row
    const int y = kv::kTableTop + kv::kCellHeight * 1 + 70;
    // A dark tile plus the full green of an even tick.
    EXPECT_EQ(kvtest::pixelAt(form->renderer().TableBitmap(), x, y),
              (kvtest::pixelAt(form->renderer().picture(), x, y) & 0xFF00FFu) | 0x00FF00u);
}

TEST_F(MainWindowTest, ResizeLayoutMovesPictureAndMemo) {
    auto check = [&](int w, int h, QPoint picture, QRect memo) {
        form->setOuterSize(w, h);
        QApplication::processEvents();
        EXPECT_EQ(form->outerWidth(), w);
        EXPECT_EQ(form->outerHeight(), h);
        EXPECT_EQ(form->PaintBox1()->pos(), picture) << w << "x" << h;
        EXPECT_EQ(form->Memo1()->geometry(), memo) << w << "x" << h;
    };
    check(900, 520, QPoint(-127, -27), QRect(18, 325, 169, 129));
    check(1100, 600, QPoint(0, 0), QRect(18, 352, 296, 129));
    check(1030, 557, QPoint(0, 0), QRect(18, 352, 296, 129));
    check(650, 480, QPoint(-377, -47), QRect(-359, 305, 296, 129));
    check(1027, 547, QPoint(0, 0), QRect(18, 352, 296, 129));
}

TEST_F(MainWindowTest, MoneyMenuCommandsKeepTheSum) {
    s().Credit = 100;
    s().Balance = 0;
    s().InputCredits = 500;
    click(kv::categoryPoint(kv::Category::RED));
    s().CurrentBets.at(11, 8) = 30;
    form->action(MenuItem::GetMoney)->trigger();
    EXPECT_EQ(s().Balance, 70);
    EXPECT_EQ(s().Credit, 30);
    s().CurrentBets.clear();
    s().Credit = 1000;
    s().Balance = 0;
    form->action(MenuItem::GetMoney)->trigger();
    EXPECT_EQ(s().Balance, 500);
    EXPECT_EQ(s().Credit, 500);
    EXPECT_EQ(s().ResultHistory(s().SpinCount), 1000);
    form->action(MenuItem::PutMoney)->trigger();
    EXPECT_EQ(s().Balance, 0);
    EXPECT_EQ(s().Credit, 1000);
}

TEST_F(MainWindowTest, NewGameGivesFreshMoneyAndEmptyHistory) {
    click(kv::kWheelClick);
    s().InputCredits = 700;
    form->action(MenuItem::NewGame)->trigger();
    EXPECT_EQ(s().SpinCount, 0);
    EXPECT_EQ(s().Credit, 700);
    EXPECT_EQ(s().Balance + s().Credit, 0);
    EXPECT_EQ(s().ResultTicks, 0);
}

TEST_F(MainWindowTest, ClosingSavesWindowGeometryIntoTheSettings) {
    QWidget other;
    form->registerWindow(kv::WindowId::Balance, &other);
    other.move(40, 50);
    other.resize(300, 200);
    other.show();
    form->setOuterSize(1000, 540);
    QApplication::processEvents();
    bool closed = false;
    QObject::connect(form.get(), &kv::TForm1::closed, [&] { closed = true; });
    form->close();
    EXPECT_TRUE(closed);
    const kv::WindowGeometry& g = form->settings().window(kv::WindowId::Balance);
    EXPECT_EQ(g.width, 310);
    EXPECT_EQ(g.height, 230);
    EXPECT_TRUE(g.shown);
    EXPECT_EQ(form->settings().MainWindow.width, 1000);
    EXPECT_EQ(form->settings().MainWindow.height, 540);
}
