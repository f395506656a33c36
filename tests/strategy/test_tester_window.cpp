// The strategy tester driven with clicks and keys: a strategy is added to the
// list, loaded, run over a known game and over random spins, stopped, and
// "RealTime Game" puts its next bets on the main table.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <cmath>
#include <memory>

#include "core/table_geometry.h"
#include "strategy/balance_curve.h"
#include "strategy/strategy_file.h"
#include "strategy/test_strategy_window.h"
#include "strategy/tester_grid.h"
#include "strategy_test_util.h"
#include "strategy_window_support.h"
#include "ui/canvas.h"
#include "ui/image_box.h"
#include "ui/main/main_window.h"

namespace {

using kvtest::pick;
using kvtest::typeInto;

class TesterTest : public ::testing::Test {
protected:
    void SetUp() override {
        // BETS RED with the amount BET, and a hidden parameter the tester does not offer.
        writeStrategy("red.stg", kv::test::strategyLines({"BET 1 v The sum of the bet", "HIDDEN 3 n kept"},
                                                         {"BETS RED // 1 Red"}));
        std::vector<std::string> text = kv::test::strategyLines({"BET 1 v"}, {"X = 1 \\ 0 // 1 Broken"});
        writeStrategy("broken.stg", text);
        form = std::make_unique<kv::TForm1>();
        form->setFramePace(0, 0);
        form->settings().StrategyList = {"broken.stg"};
        form->settings().TestStrategySpins = "0";
        tester = std::make_unique<kv::TForm14>(*form);
        tester->show();
    }
    void TearDown() override {
        tester.reset();
        form.reset();
    }
    void writeStrategy(const char* name, std::vector<std::string> lines) {
        lines.insert(lines.begin(), "' A test strategy");
        ASSERT_EQ(kv::saveStrategyLines(folder.file(QString::fromLatin1(name)).toStdString(), lines).status,
                  kv::StrategyFileStatus::Ok);
    }
    kv::GameState& game() { return form->state(); }
    void click(QAbstractButton* b) { QTest::mouseClick(b, Qt::LeftButton); }
    void addRed() {
        tester->chooseStrategyFile = [this](QWidget*, const QString&) { return folder.file("red.stg"); };
        click(tester->Button1());
        pick(tester->ComboBox1(), "red");
    }

    kvtest::ProgramFolder folder;
    std::unique_ptr<kv::TForm1> form;
    std::unique_ptr<kv::TForm14> tester;
};

TEST_F(TesterTest, TheListLivesInTheSettingsAndLoadsFromTheProgramFolder) {
    // The first entry was loaded at creation.
    EXPECT_EQ(tester->ComboBox1()->currentText(), "broken");
    EXPECT_EQ(tester->Memo1()->toPlainText(), "A test strategy");

    // Add stores the bare name and loads nothing.
    tester->chooseStrategyFile = [](QWidget*, const QString&) { return QStringLiteral("/elsewhere/Red.STG"); };
    click(tester->Button1());
    EXPECT_EQ(form->settings().StrategyList, (std::vector<std::string>{"broken.stg", "Red.STG"}));
    EXPECT_EQ(tester->ComboBox1()->itemText(1), "Red");
    EXPECT_EQ(tester->ComboBox1()->currentText(), "broken");
    // No such file in the program folder: choosing it leaves everything as it was.
    pick(tester->ComboBox1(), "Red");
    EXPECT_EQ(tester->Memo1()->toPlainText(), "A test strategy");
    EXPECT_EQ(tester->strategy().op(1).name, "Broken");

    // Delete removes the chosen entry and selects nothing.
    click(tester->Button5());
    EXPECT_EQ(form->settings().StrategyList, (std::vector<std::string>{"broken.stg"}));
    EXPECT_EQ(tester->ComboBox1()->currentIndex(), -1);
    // With nothing chosen a run does nothing.
    click(tester->SpeedButton2());
    EXPECT_FALSE(tester->hasRun());

    addRed();
    EXPECT_EQ(tester->strategy().op(1).name, "Red");
    // Only the visible parameter is offered, with its comment as hint.
    ASSERT_EQ(tester->ComboBox2()->count(), 1);
    EXPECT_EQ(tester->ComboBox2()->currentText(), "BET");
    EXPECT_EQ(tester->Edit2()->text(), "1");
    EXPECT_EQ(tester->Edit2()->toolTip(), "The sum of the bet");
    typeInto(tester->Edit2(), "-15");
    EXPECT_EQ(tester->strategy().parameter(1).initiation, 15);
    EXPECT_EQ(tester->strategy().parameter(1).current, 15);

    // The spins box buttons, and its text in the settings.
    typeInto(tester->Edit1(), "");
    click(tester->Button6());
    EXPECT_EQ(tester->Edit1()->text(), "1");
    click(tester->Button7());
    EXPECT_EQ(tester->Edit1()->text(), "0");
    typeInto(tester->Edit1(), "25");
    click(tester->Button6());
    EXPECT_EQ(tester->Edit1()->text(), "50");
    EXPECT_EQ(form->settings().TestStrategySpins, "50");

    // The four speed buttons carry their pictures and hints.
    EXPECT_EQ(tester->SpeedButton2()->toolTip(), "Game on current sequence");
    EXPECT_EQ(tester->SpeedButton3()->toolTip(), "Game on random sequence");
    EXPECT_EQ(tester->SpeedButton4()->toolTip(), "RealTime Game");
    for (QToolButton* b : {tester->SpeedButton1(), tester->SpeedButton2(), tester->SpeedButton3(), tester->SpeedButton4()})
        EXPECT_FALSE(b->icon().isNull());
}

TEST_F(TesterTest, RunsOverTheGameDrawTheCurveAndReadItOut) {
    // An error of the strategy is reported; the curve stays empty.
    {
        kvtest::MessageAnswer answer;
        for (int x : {1, 2}) game().RecordSpin(x);
        click(tester->SpeedButton2());
        EXPECT_EQ(answer.text(), "Division by zero");
        EXPECT_TRUE(tester->curve().points.empty());
    }
    game().NewGame();
    addRed();
    typeInto(tester->Edit2(), "5");
    // Red, black, black, red, zero: +5, -5, -5, +5, -5.
    for (int x : {1, 2, 2, 1, 0}) game().RecordSpin(x);
    typeInto(tester->Edit1(), "0");
    click(tester->SpeedButton2());
    const kv::Interpreter& run = tester->interpreter();
    ASSERT_EQ(run.stepCount(), 6) << "every spin of the game and the step for the next spin";
    EXPECT_EQ(run.balancesOldestFirst(), (std::vector<int32_t>{5, 0, -5, 0, -5, -5}));
    EXPECT_EQ(run.NextBets().at(5, 4), 5) << "red for the next spin";
    EXPECT_EQ(tester->Gauge1()->value(), 100);

    const QImage& img = tester->curveImage();
    const int w = tester->PaintBox1()->width();
    const int h = tester->PaintBox1()->height();
    ASSERT_EQ(img.size(), QSize(w, h));
    const kv::BalanceCurve expected = kv::balanceCurve({5, 0, -5, 0, -5, -5}, 5, w, h);
    EXPECT_EQ(tester->curve().points, expected.points);
    // The curve ends on the left edge at the start balance 0, half way up.
    EXPECT_EQ(expected.points.back(), (kv::CurvePoint{0, h - static_cast<int>(std::nearbyint(5 * (h / 10.0)))}));
    // The segment from step 4 (balance 0) is drawn in blue; the frame is black.
    const kv::CurvePoint p = expected.points[2];
    EXPECT_EQ(kvtest::pixelAt(img, p.x, p.y), kv::clBlue);
    EXPECT_EQ(kvtest::pixelAt(img, 0, 0), kv::clBlack);

    // The read-out follows the mouse over the curve.
    QTest::mouseMove(tester->PaintBox1(), QPoint(p.x, p.y));
    const kv::CurveReadOut r = kv::curveReadOut(expected, p.x, p.y);
    EXPECT_EQ(r.step, 5);
    EXPECT_EQ(r.level, 0);
    EXPECT_EQ(tester->Label8()->text(), "Step: 5");
    EXPECT_EQ(tester->Label9()->text(), "Balance: 0 $");

    // A spins count beyond the game replays the game; a random run takes N + 1 steps.
    typeInto(tester->Edit1(), "100");
    click(tester->SpeedButton2());
    EXPECT_EQ(tester->interpreter().stepCount(), 6);
    click(tester->SpeedButton3());
    EXPECT_EQ(tester->interpreter().stepCount(), 101);
    EXPECT_EQ(tester->curve().points.size(), 102u);

    // Resizing lays the window out again and redraws the curve to the new size.
    tester->resize(800 - 10, 600 - 30);
    EXPECT_EQ(tester->PaintBox1()->width(), 594);
    EXPECT_EQ(tester->PaintBox1()->height(), 549);
    EXPECT_EQ(tester->curveImage().size(), QSize(594, 549));
    EXPECT_EQ(tester->SpeedButton4()->y(), 531);
    EXPECT_EQ(tester->Gauge1()->y(), 419);
    EXPECT_EQ(tester->Label9()->pos(), QPoint(680, 540));
}

TEST_F(TesterTest, StopEndsALongRunAtOnce) {
    addRed();
    typeInto(tester->Edit1(), "5000000");
    bool runningWhenClicked = false;
    QTimer::singleShot(30, [&] {
        runningWhenClicked = tester->isRunning();
        EXPECT_FALSE(tester->SpeedButton3()->isEnabled()) << "no second run inside the first";
        QTest::mouseClick(tester->SpeedButton1(), Qt::LeftButton);
    });
    const QImage before = tester->curveImage();
    click(tester->SpeedButton3());
    EXPECT_TRUE(runningWhenClicked);
    EXPECT_FALSE(tester->isRunning());
    EXPECT_LT(tester->interpreter().stepCount(), 5000001);
    EXPECT_LT(tester->Gauge1()->value(), 100);
    EXPECT_EQ(tester->curveImage(), before) << "a stopped run draws no curve";
    EXPECT_TRUE(tester->SpeedButton3()->isEnabled());
}

TEST_F(TesterTest, RealTimeWaitsForTheResultPhaseAndPutsTheNextBetsOnTheTable) {
    addRed();
    typeInto(tester->Edit2(), "5");
    for (int x : {1, 2, 3}) game().RecordSpin(x);
    game().Credit = 100;
    game().CurrentBets.clear();
    // The main window is still showing a result: the bets wait for it to end.
    game().ResultTicks = 3;
    click(tester->SpeedButton4());
    EXPECT_EQ(game().ResultTicks, 0);
    const kv::BetCell red = kv::tableCellOf(5, 4);
    EXPECT_EQ(game().CurrentBets.at(red.c, red.r), 5);
    EXPECT_EQ(game().CurrentBets.sum(), 5);
    EXPECT_EQ(game().Bet, 5) << "the click at (1, 1) made the table count them";
    EXPECT_EQ(tester->interpreter().stepCount(), 4);

    // Not enough credit: nothing is transferred.
    game().CurrentBets.clear();
    game().Bet = 0;
    game().Credit = 4;
    click(tester->SpeedButton4());
    EXPECT_EQ(game().CurrentBets.sum(), 0);
}

}  // namespace
