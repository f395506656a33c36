// A player's day with the whole program, through the windows' own handlers:
// a first start, a local game with chips, repeat and the blink, Online Casino
// Game by the memo, the pad and the compact windows, the advisor, the
// statistics windows, a strategy run, the file commands, and a restart that
// brings everything back.
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <filesystem>
#include <memory>

#include "core/bets.h"
#include "core/table_geometry.h"
#include "gui/analysis/graphics_window.h"
#include "gui/analysis/honesty_test_window.h"
#include "gui/analysis/statistic_window.h"
#include "gui/calculate/calculate_window.h"
#include "gui/compact/compact_table_window.h"
#include "gui/compact/hide_window.h"
#include "gui/compact/number_pad_window.h"
#include "gui/files/cut_game_window.h"
#include "gui/files/file_commands.h"
#include "gui/program.h"
#include "gui/strategy/strategy_tester_window.h"
#include "gui/table/main_window.h"
#include "gui/table/memo_edit.h"
#include "gui/table/table_paint_box.h"

namespace {

namespace fs = std::filesystem;
using kv::MenuItem;

std::unique_ptr<kv::KelvoraProgram> startProgram() {
    auto p = std::make_unique<kv::KelvoraProgram>();
    p->main().setFramePace(0, 0);
    p->main().show();
    p->main().applyStoredModesOnce();
    return p;
}

void clickTable(kv::MainWindow& f, kv::TablePoint p) {
    QTest::mouseClick(f.tableView(), Qt::LeftButton, Qt::NoModifier, QPoint(p.x, p.y));
}

void endResultPhase(kv::MainWindow& f) {
    for (int i = 0; i < 60 && (f.state().ResultTicks > 0 || f.state().DriftTicks > 0); ++i) f.timerTick();
}

void typeAndEnter(kv::MainWindow& f, const QString& text) {
    f.memo()->setFocus();
    f.memo()->clear();
    QTest::keyClicks(f.memo(), text);
    QTest::keyClick(f.memo(), Qt::Key_Return);
}

}  // namespace

TEST(PlayersDay, EveryWindowTogetherAndARestart) {
    // The program folder: the shipped strategies beside the executable.
    for (const auto& e : fs::directory_iterator(fs::path(KV_SOURCE_DIR) / "data" / "strategies"))
        fs::copy_file(e.path(), fs::current_path() / e.path().filename());
    fs::copy_file(fs::path(KV_SOURCE_DIR) / "data" / "rndtest.dat", fs::current_path() / "rndtest.dat");

    auto program = startProgram();
    kv::MainWindow& f = program->main();
    kv::GameState& s = f.state();

    // A first start, with the statistics windows open.
    EXPECT_FALSE(QFileInfo::exists("info.ini"));
    f.action(MenuItem::Statistic)->trigger();
    f.action(MenuItem::Graphics)->trigger();
    EXPECT_TRUE(program->statisticWindow->isVisible());
    EXPECT_TRUE(program->graphicsWindow->isVisible());

    // Local game: chips, a spin, the blink, repeat and double.
    clickTable(f, kv::categoryPoint(kv::Category::RED));
    clickTable(f, kv::numberPoint(17));
    const kv::BetGrid placed = s.CurrentBets;
    clickTable(f, kv::kWheelClick);
    ASSERT_EQ(s.SpinCount, 1);
    EXPECT_EQ(s.SpinBets(1), placed);
    endResultPhase(f);
    clickTable(f, kv::kRepeatControl);
    clickTable(f, kv::kDoubleControl);
    EXPECT_EQ(s.Bet, 12);
    clickTable(f, kv::kWheelClick);
    EXPECT_EQ(s.SpinCount, 2);
    endResultPhase(f);

    // New Game, then an online casino: numbers by the memo.
    f.action(MenuItem::NewGame)->trigger();
    EXPECT_EQ(s.SpinCount, 0);
    f.action(MenuItem::OnlineGame)->trigger();
    ASSERT_TRUE(f.isOnlineGame());
    clickTable(f, kv::categoryPoint(kv::Category::BLACK));
    typeAndEnter(f, "12 5,36 17");
    ASSERT_EQ(s.SpinCount, 4);
    EXPECT_EQ(s.SpinHistory(1), 17);
    EXPECT_EQ(s.ResultHistory(4) - s.ResultHistory(3), 5) << "17 is black: 10 back for 5";

    // The pad: three numbers queued, each wheel click plays one.
    f.action(MenuItem::OnlineNumbersInput)->trigger();
    ASSERT_TRUE(program->numberPadWindow->isVisible());
    program->numberPadWindow->padNumber(0);
    program->numberPadWindow->padNumber(32);
    program->numberPadWindow->padNumber(15);
    endResultPhase(f);
    clickTable(f, kv::kWheelClick);
    EXPECT_EQ(s.SpinHistory(1), 0);

    // The compact windows stand in for the main window and forward to it.
    f.action(MenuItem::Minimize)->trigger();
    EXPECT_FALSE(f.isVisible());
    program->minimizeWindow->memo()->setFocus();
    QTest::keyClicks(program->minimizeWindow->memo(), "9");
    QTest::keyClick(program->minimizeWindow->memo(), Qt::Key_Return);
    EXPECT_EQ(s.SpinHistory(1), 9);
    program->minimizeWindow->restoreMainWindow();
    f.action(MenuItem::Hide)->trigger();
    program->hideWindow->showMainWindow();
    EXPECT_TRUE(f.isVisible());
    for (int i = 0; i < 2; ++i) {
        endResultPhase(f);
        clickTable(f, kv::kWheelClick);
    }
    EXPECT_TRUE(s.OnlineQueue.empty());
    endResultPhase(f);

    // The advisor places its chips through the table rules.
    f.action(MenuItem::Calculate)->trigger();
    ASSERT_TRUE(program->calculateWindow->isVisible());
    program->calculateWindow->calculate();
    EXPECT_LE(s.Bet, s.Credit);

    // The honesty tests over what was typed.
    typeAndEnter(f, "1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20 21 22 23 24 25 26 27 28 29 30");
    f.action(MenuItem::TestGame)->trigger();
    ASSERT_TRUE(program->honestyTestWindow->isVisible());
    program->honestyTestWindow->testRandomOnly();
    EXPECT_FALSE(program->honestyTestWindow->report()->toPlainText().contains("missing"))
        << "rndtest.dat was read";
    program->honestyTestWindow->testWithBets();
    program->honestyTestWindow->testParity();
    endResultPhase(f);

    // A strategy from the list runs over the game.
    f.action(MenuItem::TestStrategy)->trigger();
    ASSERT_GT(program->strategyTesterWindow->strategyBox()->count(), 0);
    program->strategyTesterWindow->strategyChosen(0);
    program->strategyTesterWindow->runOnGame();
    EXPECT_TRUE(program->strategyTesterWindow->hasRun());

    // Files: save, export, cut, import back, open the saved game.
    const int32_t spins = s.SpinCount;
    const int32_t credit = s.Credit;
    program->fileCommands->saveGame(QDir::current().filePath("day.gma"));
    program->fileCommands->exportGame(QDir::current().filePath("day.txt"));
    f.action(MenuItem::CutGame)->trigger();
    program->cutGameWindow->firstEdit()->setText("1");
    program->cutGameWindow->lastEdit()->setText("2");
    program->cutGameWindow->cut();
    EXPECT_EQ(s.SpinCount, spins - 2);
    program->fileCommands->importGame(QDir::current().filePath("day.txt"));
    program->fileCommands->openGame(QDir::current().filePath("day.gma"));
    EXPECT_EQ(s.SpinCount, spins);
    const int32_t latest = s.SpinHistory(1);

    // Exit, and start again: everything is where it was.
    f.move(40, 30);
    f.close();
    ASSERT_TRUE(QFileInfo::exists("info.ini"));
    program.reset();

    program = startProgram();
    kv::MainWindow& g = program->main();
    EXPECT_TRUE(g.isOnlineGame());
    EXPECT_EQ(g.state().SpinCount, spins);
    EXPECT_EQ(g.state().SpinHistory(1), latest);
    EXPECT_EQ(g.state().Credit, credit);
    EXPECT_TRUE(program->statisticWindow->isVisible()) << "Statistic was open at exit";
}
