// The strategy tester driven with clicks and keys: a strategy is added to the
// list, loaded, run over a known game and over random spins, stopped, and
// "RealTime Game" puts its next bets on the main table. The runs themselves
// are tested in tests/strategy.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <memory>

#include "core/table_geometry.h"
#include "gui/common/canvas.h"
#include "gui/common/image_box.h"
#include "gui/gui_test_support.h"
#include "gui/strategy/strategy_tester_window.h"
#include "gui/table/main_window.h"
#include "strategy/balance_curve.h"
#include "strategy/strategy_file.h"
#include "strategy/strategy_test_util.h"
#include "strategy/tester_grid.h"

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
        form = std::make_unique<kv::MainWindow>();
        form->setFramePace(0, 0);
        form->settings().StrategyList = {"broken.stg"};
        form->settings().TestStrategySpins = "0";
        tester = std::make_unique<kv::StrategyTesterWindow>(*form);
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
        click(tester->addButton());
        pick(tester->strategyBox(), "red");
    }

    kvtest::ProgramFolder folder;
    std::unique_ptr<kv::MainWindow> form;
    std::unique_ptr<kv::StrategyTesterWindow> tester;
};

TEST_F(TesterTest, TheListLivesInTheSettingsAndLoadsFromTheProgramFolder) {
    // The first entry was loaded at creation.
    EXPECT_EQ(tester->strategyBox()->currentText(), "broken");
    EXPECT_EQ(tester->description()->toPlainText(), "A test strategy");

    // Add stores the bare name and loads nothing.
    tester->chooseStrategyFile = [](QWidget*, const QString&) {
        return QStringLiteral("/elsewhere/Red.STG");
    };
    click(tester->addButton());
    EXPECT_EQ(form->settings().StrategyList, (std::vector<std::string>{"broken.stg", "Red.STG"}));
    // No such file in the program folder: choosing it leaves everything as it was.
    pick(tester->strategyBox(), "Red");
    EXPECT_EQ(tester->strategy().op(1).name, "Broken");

    // Delete removes the chosen entry and selects nothing.
    click(tester->deleteButton());
    EXPECT_EQ(form->settings().StrategyList, (std::vector<std::string>{"broken.stg"}));

    addRed();
    // Only the visible parameter is offered; what is typed becomes its value.
    ASSERT_EQ(tester->parameterBox()->count(), 1);
    typeInto(tester->parameterEdit(), "-15");
    EXPECT_EQ(tester->strategy().parameter(1).initiation, 15);
    typeInto(tester->spinsEdit(), "25");
    EXPECT_EQ(form->settings().TestStrategySpins, "25");
}

TEST_F(TesterTest, RunsOverTheGameDrawTheCurveAndReadItOut) {
    // An error of the strategy is reported; the curve stays empty.
    {
        kvtest::MessageBoxCatcher answer;
        for (int x : {1, 2}) game().RecordSpin(x);
        click(tester->replayButton());
        EXPECT_EQ(answer.text(), "Division by zero");
        EXPECT_TRUE(tester->curve().points.empty());
    }
    game().NewGame();
    addRed();
    typeInto(tester->parameterEdit(), "5");
    // Red, black, black, red, zero: +5, -5, -5, +5, -5.
    for (int x : {1, 2, 2, 1, 0}) game().RecordSpin(x);
    typeInto(tester->spinsEdit(), "0");
    click(tester->replayButton());
    const kv::Interpreter& run = tester->interpreter();
    EXPECT_EQ(run.balancesOldestFirst(), (std::vector<int32_t>{5, 0, -5, 0, -5, -5}));

    const QImage& img = tester->curveImage();
    const kv::BalanceCurve expected = kv::balanceCurve({5, 0, -5, 0, -5, -5}, 5, img.width(), img.height());
    // The segment from step 4 (balance 0) is drawn in blue.
    const kv::CurvePoint p = expected.points[2];
    EXPECT_EQ(kvtest::pixelAt(img, p.x, p.y), kv::clBlue);

    // The read-out follows the mouse over the curve.
    QTest::mouseMove(tester->curveView(), QPoint(p.x, p.y));
    EXPECT_EQ(tester->stepLabel()->text(), "Step: 5");
    EXPECT_EQ(tester->balanceLabel()->text(), "Balance: 0 $");

    // A spins count beyond the game replays the game; a random run takes N + 1 steps.
    typeInto(tester->spinsEdit(), "100");
    click(tester->replayButton());
    EXPECT_EQ(tester->interpreter().stepCount(), 6);
    click(tester->randomButton());
    EXPECT_EQ(tester->interpreter().stepCount(), 101);
}

TEST_F(TesterTest, StopEndsALongRunAtOnce) {
    addRed();
    typeInto(tester->spinsEdit(), "5000000");
    bool runningWhenClicked = false;
    QTimer::singleShot(30, [&] {
        runningWhenClicked = tester->isRunning();
        EXPECT_FALSE(tester->randomButton()->isEnabled()) << "no second run inside the first";
        QTest::mouseClick(tester->stopButton(), Qt::LeftButton);
    });
    const QImage before = tester->curveImage();
    click(tester->randomButton());
    EXPECT_TRUE(runningWhenClicked);
    EXPECT_FALSE(tester->isRunning());
    EXPECT_LT(tester->interpreter().stepCount(), 5000001);
    EXPECT_EQ(tester->curveImage(), before) << "a stopped run draws no curve";
    EXPECT_TRUE(tester->randomButton()->isEnabled());
}

TEST_F(TesterTest, RealTimeWaitsForTheResultPhaseAndPutsTheNextBetsOnTheTable) {
    addRed();
    typeInto(tester->parameterEdit(), "5");
    for (int x : {1, 2, 3}) game().RecordSpin(x);
    game().Credit = 100;
    game().CurrentBets.clear();
    // The main window is still showing a result: the bets wait for it to end.
    game().ResultTicks = 3;
    click(tester->realTimeButton());
    EXPECT_EQ(game().ResultTicks, 0);
    const kv::BetCell red = kv::tableCellOf(5, 4);
    EXPECT_EQ(game().CurrentBets.at(red.c, red.r), 5);
    EXPECT_EQ(game().Bet, 5) << "the click at (1, 1) made the table count them";

    // Not enough credit: nothing is transferred.
    game().CurrentBets.clear();
    game().Bet = 0;
    game().Credit = 4;
    click(tester->realTimeButton());
    EXPECT_EQ(game().CurrentBets.sum(), 0);
}

}  // namespace
