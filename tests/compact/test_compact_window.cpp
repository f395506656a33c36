// The compact windows driven like a player does beside a casino's window:
// the stand-ins for the hidden main window and the number pad.
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "core/minimize_view.h"
#include "core/table_geometry.h"
#include "ui/compact/compact_table_window.h"
#include "ui/compact/hide_window.h"
#include "ui/canvas.h"
#include "ui/compact/online_input_window.h"
#include "ui/image_box.h"
#include "ui/main/main_window.h"
#include "ui/main/memo_edit.h"

namespace {

using kv::MenuItem;

class CompactTest : public ::testing::Test {
protected:
    void SetUp() override {
        form = std::make_unique<kv::TForm1>();
        form->setFramePace(0, 0);
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        form->FormActivate();
        hide = std::make_unique<kv::TForm15>(*form);
        mini = std::make_unique<kv::TForm16>(*form);
        pad = std::make_unique<kv::TForm20>(*form);
        mini2 = std::make_unique<kv::TForm21>(*form);
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

    std::unique_ptr<kv::TForm1> form;
    std::unique_ptr<kv::TForm15> hide;
    std::unique_ptr<kv::TForm16> mini;
    std::unique_ptr<kv::TForm20> pad;
    std::unique_ptr<kv::TForm21> mini2;
};

}  // namespace

TEST_F(CompactTest, HideStandsInAndVisibleBringsTheMainWindowBack) {
    QSignalSpy closed(form.get(), &kv::TForm1::closed);
    form->action(MenuItem::Hide)->trigger();
    EXPECT_TRUE(hide->isVisible());
    EXPECT_FALSE(form->isVisible());
    QTest::mouseClick(hide->Button1(), Qt::LeftButton);
    EXPECT_TRUE(form->isVisible());
    EXPECT_FALSE(hide->isVisible());
    EXPECT_EQ(closed.count(), 0);

    // The close box of the stand-in ends the program.
    form->action(MenuItem::Hide)->trigger();
    hide->close();
    EXPECT_EQ(closed.count(), 1);
    EXPECT_FALSE(hide->isVisible());
}

TEST_F(CompactTest, MinimizeForwardsPressesAndShowsMarkers) {
    form->action(MenuItem::Minimize)->trigger();
    ASSERT_TRUE(mini->isVisible());
    EXPECT_FALSE(form->isVisible());
    s().Credit = 100;
    const kv::BetCell straight17 = *kv::HitTest(kv::numberPoint(17).x, kv::numberPoint(17).y);
    const QPoint p = reducedPoint(kv::kMinimize1, kv::chipCentre(straight17));
    QTest::mouseClick(mini->PaintBox2(), Qt::LeftButton, Qt::NoModifier, p);
    QTest::mouseClick(mini->PaintBox2(), Qt::LeftButton, Qt::NoModifier, p);
    EXPECT_EQ(s().CurrentBets.at(straight17.c, straight17.r), 2);
    // The marker: a light blue circle at the cell's marker point.
    const kv::TablePoint m = kv::minimizeMarkerPoint(kv::kMinimize1, straight17);
    EXPECT_EQ(kv::rgbToWin(mini->shown().pixel(m.x + 114, m.y + 4)), 0xFFA0A0u);
    QTest::mouseClick(mini->PaintBox2(), Qt::RightButton, Qt::NoModifier, p);
    EXPECT_EQ(s().CurrentBets.at(straight17.c, straight17.r), 0);
    EXPECT_NE(kv::rgbToWin(mini->shown().pixel(m.x + 114, m.y + 4)), 0xFFA0A0u);

    // Ctrl+W in the window's memo spins the main wheel.
    const int before = s().SpinCount;
    mini->Memo1()->setFocus();
    QTest::keyClick(mini->Memo1(), Qt::Key_W, Qt::ControlModifier);
    EXPECT_EQ(s().SpinCount, before + 1);

    QTest::mouseClick(mini->SpeedButton1(), Qt::LeftButton);
    EXPECT_TRUE(form->isVisible());
    EXPECT_FALSE(mini->isVisible());
}

TEST_F(CompactTest, MinimizeTwoForwardsPressesAtHalfSize) {
    form->action(MenuItem::Minimize2)->trigger();
    ASSERT_TRUE(mini2->isVisible());
    s().Credit = 100;
    const kv::BetCell dozen2 = kv::categoryCell(kv::Category::DOZ2);
    const QPoint p = reducedPoint(kv::kMinimize2, kv::categoryPoint(kv::Category::DOZ2));
    QTest::mouseClick(mini2->PaintBox2(), Qt::LeftButton, Qt::NoModifier, p);
    EXPECT_EQ(s().CurrentBets.at(dozen2.c, dozen2.r), 2) << "raised to the minimum of the dozens";
    const kv::TablePoint m = kv::minimizeMarkerPoint(kv::kMinimize2, dozen2);
    EXPECT_EQ(kv::rgbToWin(mini2->shown().pixel(m.x + 174, m.y + 8)), 0xFFA0A0u);
}

TEST_F(CompactTest, TypedNumbersInTheCompactMemoArePlayedOnline) {
    goOnline();
    form->action(MenuItem::Minimize2)->trigger();
    ASSERT_TRUE(mini2->isVisible());
    mini2->Memo1()->setFocus();
    QTest::keyClicks(mini2->Memo1(), "12 5");
    EXPECT_EQ(form->Memo1()->toPlainText(), QStringLiteral("12 5")) << "the main memo mirrors what is typed";
    QTest::keyClick(mini2->Memo1(), Qt::Key_Return);
    EXPECT_EQ(s().SpinCount, 2);
    EXPECT_EQ(s().SpinHistory(1), 5);
    EXPECT_EQ(s().SpinHistory(2), 12);
    EXPECT_TRUE(mini2->Memo1()->toPlainText().isEmpty());
    // The latest number is ringed in yellow on the half-size picture.
    const kv::TablePoint c = kv::minimize2LatestCentre(5);
    EXPECT_EQ(kv::rgbToWin(mini2->shown().pixel(c.x - 10, c.y)), 0x00FFFFu);
}

TEST_F(CompactTest, EnterInLocalModeDoesNotPlay) {
    form->action(MenuItem::LocalGame)->trigger();
    mini->show();
    mini->Memo1()->setFocus();
    QTest::keyClicks(mini->Memo1(), "7");
    QTest::keyClick(mini->Memo1(), Qt::Key_Return);
    EXPECT_EQ(s().SpinCount, 0);
    EXPECT_TRUE(mini->Memo1()->toPlainText().startsWith("7"));
}

TEST_F(CompactTest, PadQueuesInFutureAndPlaysInRealTime) {
    goOnline();
    form->action(MenuItem::OnlineNumbersInput)->trigger();
    ASSERT_TRUE(pad->isVisible());
    ASSERT_TRUE(pad->future());
    // Horizontal pad: column 12, top row is 36; column 0 is zero.
    QTest::mouseClick(pad->pad(), Qt::LeftButton, Qt::NoModifier, QPoint(3 + 12 * 23 + 5, 10));
    QTest::mouseClick(pad->pad(), Qt::LeftButton, Qt::NoModifier, QPoint(10, 60));
    QTest::mouseClick(pad->pad(), Qt::LeftButton, Qt::NoModifier, QPoint(3 + 13 * 23 + 1, 10));  // beyond: ignored
    ASSERT_EQ(s().OnlineQueue.size(), 2u);
    EXPECT_EQ(s().OnlineQueue[0], 36);
    EXPECT_EQ(s().OnlineQueue[1], 0);
    EXPECT_EQ(s().SpinCount, 0);

    // A wheel click plays the first queued number.
    form->PaintBox1MouseDown(kv::MouseButton::Left, kv::kWheelClick.x, kv::kWheelClick.y);
    EXPECT_EQ(s().SpinCount, 1);
    EXPECT_EQ(s().SpinHistory(1), 36);
    ASSERT_EQ(s().OnlineQueue.size(), 1u);

    QTest::mouseClick(pad->Button2(), Qt::LeftButton);  // "<<"
    EXPECT_TRUE(s().OnlineQueue.empty());
    QTest::mouseClick(pad->Button2(), Qt::LeftButton);  // on an empty queue: nothing
    EXPECT_TRUE(s().OnlineQueue.empty());

    pad->CheckBox1()->click();
    EXPECT_FALSE(pad->future());
    EXPECT_EQ(pad->CheckBox1()->text(), QStringLiteral("Real time"));
    EXPECT_FALSE(pad->Button1()->isEnabled());
    EXPECT_EQ(form->settings().PadMode, 0);
    QTest::mouseClick(pad->pad(), Qt::LeftButton, Qt::NoModifier, QPoint(3 + 23 + 5, 90));  // 1
    EXPECT_EQ(s().SpinCount, 2);
    EXPECT_EQ(s().SpinHistory(1), 1);
    EXPECT_TRUE(s().OnlineQueue.empty());

    // Switching to Local Game hides the pad.
    form->action(MenuItem::LocalGame)->trigger();
    EXPECT_FALSE(pad->isVisible());
}

TEST_F(CompactTest, PadOrientationLoadAndAFullQueue) {
    QTest::mouseClick(pad->SpeedButton1(), Qt::LeftButton);
    EXPECT_EQ(pad->orientation(), kv::PadOrientation::Vertical);
    EXPECT_EQ(pad->SpeedButton1()->text(), QStringLiteral("Hor"));
    EXPECT_EQ(form->settings().PadOrientation, 1);
    EXPECT_EQ(pad->Image3()->height(), 305);
    QTest::mouseClick(pad->pad(), Qt::LeftButton, Qt::NoModifier, QPoint(100, 3 + 23 + 5));
    ASSERT_EQ(s().OnlineQueue.size(), 1u);
    EXPECT_EQ(s().OnlineQueue[0], 3);

    QTemporaryDir dir;
    const QString path = dir.filePath("numbers.txt");
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("5\r\n300\r\nseven\r\n9\r\n");
    }
    const QString error = pad->loadNumbers(path);
    EXPECT_TRUE(error.contains("Line 3")) << error.toStdString();
    ASSERT_EQ(s().OnlineQueue.size(), 3u) << "numbers before the bad line stay queued";
    EXPECT_EQ(s().OnlineQueue[1], 5);
    EXPECT_EQ(s().OnlineQueue[2], 44);

    QTest::mouseClick(pad->Button1(), Qt::LeftButton);  // "Clr"
    EXPECT_TRUE(s().OnlineQueue.empty());
    s().OnlineQueue.assign(kv::kOnlineQueueMax, 7);
    pad->padNumber(8);
    EXPECT_EQ(static_cast<int>(s().OnlineQueue.size()), kv::kOnlineQueueMax);
    EXPECT_EQ(s().OnlineQueue.back(), 7);
    EXPECT_FALSE(pad->status().isEmpty());
    EXPECT_TRUE(pad->windowTitle().contains("full"));
}
