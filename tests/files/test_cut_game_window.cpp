// The Cut Game window: its fields, their digit filter, and the cut as the
// player types it.
#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "files/cut_game_window.h"
#include "ui/main/main_window.h"

namespace {

using kv::MenuItem;

class CutGameTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        oldDir = QDir::currentPath();
        QDir::setCurrent(dir.path());
        form = std::make_unique<kv::TForm1>();
        cut = std::make_unique<kv::TForm9>(*form);
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        // Spins 1..10 of the game are the numbers 11..20 (spin 10 is the
        // latest, position 1); result s is 100 * s.
        s().NewGame();
        for (int n = 11; n <= 20; ++n) s().RecordSpin(n);
        for (int k = 1; k <= 10; ++k) {
            kv::BetGrid g;
            g.at(11, 8) = 30 - k;  // position k: 20 + (10 - k) on red
            s().setSpinBets(k, g);
            s().setResultHistory(k, 100 * k);
        }
    }
    void TearDown() override {
        cut.reset();
        form.reset();
        QDir::setCurrent(oldDir);
    }
    kv::GameState& s() { return form->state(); }
    void open() {
        form->action(MenuItem::CutGame)->trigger();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(cut.get()));
    }
    static void type(QLineEdit* edit, const QString& text) {
        edit->setFocus();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClicks(edit, text);
    }

    QTemporaryDir dir;
    QString oldDir;
    std::unique_ptr<kv::TForm1> form;
    std::unique_ptr<kv::TForm9> cut;
};

}  // namespace

TEST_F(CutGameTest, OpensWithTheWholeGameAndKeepsOnlyDigits) {
    EXPECT_FALSE(cut->isVisible());
    EXPECT_EQ(cut->windowTitle(), QStringLiteral("Cut Game"));
    open();
    EXPECT_EQ(cut->firstEdit()->text(), QStringLiteral("1"));
    EXPECT_EQ(cut->lastEdit()->text(), QStringLiteral("10"));

    type(cut->firstEdit(), QStringLiteral("1a2"));
    EXPECT_EQ(cut->firstEdit()->text(), QStringLiteral("12"));
    // A letter typed in the middle leaves the cursor where it was.
    cut->lastEdit()->setFocus();
    cut->lastEdit()->setCursorPosition(1);
    QTest::keyClick(cut->lastEdit(), Qt::Key_X);
    QTest::keyClick(cut->lastEdit(), Qt::Key_5);
    EXPECT_EQ(cut->lastEdit()->text(), QStringLiteral("150"));

    // Shown again, it starts over from the game as it is now.
    QTest::mouseClick(cut->cancelButton(), Qt::LeftButton);
    EXPECT_FALSE(cut->isVisible());
    EXPECT_EQ(s().SpinCount, 10) << "Cancel cuts nothing";
    s().RecordSpin(7);
    open();
    EXPECT_EQ(cut->firstEdit()->text(), QStringLiteral("1"));
    EXPECT_EQ(cut->lastEdit()->text(), QStringLiteral("11"));
}

TEST_F(CutGameTest, CuttingThreeToFiveClosesTheGap) {
    open();
    type(cut->firstEdit(), QStringLiteral("3"));
    type(cut->lastEdit(), QStringLiteral("5"));
    QSignalSpy spins(form.get(), &kv::TForm1::spinsChanged);
    QTest::mouseClick(cut->okButton(), Qt::LeftButton);
    EXPECT_FALSE(cut->isVisible());
    ASSERT_EQ(s().SpinCount, 7);
    // The five newest spins (20..16) keep positions 1..5; spins 2 and 1
    // (numbers 12 and 11) move to positions 6 and 7 with their bets.
    const int expected[] = {20, 19, 18, 17, 16, 12, 11};
    for (int p = 1; p <= 7; ++p) EXPECT_EQ(s().SpinHistory(p), expected[p - 1]) << "position " << p;
    EXPECT_EQ(s().SpinBets(6).at(11, 8), 30 - 9);
    EXPECT_EQ(s().SpinBets(7).at(11, 8), 30 - 10);
    // Results: entries 1, 2, then the old 6..10.
    const int results[] = {100, 200, 600, 700, 800, 900, 1000};
    for (int k = 1; k <= 7; ++k) EXPECT_EQ(s().ResultHistory(k), results[k - 1]) << "result " << k;
    EXPECT_EQ(spins.count(), 1);
}

TEST_F(CutGameTest, DefaultsEmptyTheHistoryWithTheEnterKey) {
    open();
    cut->lastEdit()->setFocus();
    QTest::keyClick(cut->lastEdit(), Qt::Key_Return);
    EXPECT_EQ(s().SpinCount, 0);
    EXPECT_FALSE(cut->isVisible());
}

