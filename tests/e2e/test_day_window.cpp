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

#include "analysis/graphics_window.h"
#include "analysis/statistic_window.h"
#include "analysis/test_game_window.h"
#include "calculate/calculate_window.h"
#include "core/bets.h"
#include "core/table_geometry.h"
#include "files/cut_game_window.h"
#include "files/file_commands_window.h"
#include "strategy/test_strategy_window.h"
#include "ui/compact/compact_table_window.h"
#include "ui/compact/hide_window.h"
#include "ui/compact/online_input_window.h"
#include "ui/main/main_window.h"
#include "ui/main/memo_edit.h"
#include "ui/main/table_paint_box.h"
#include "ui/program.h"

namespace {

namespace fs = std::filesystem;
using kv::MenuItem;

std::unique_ptr<kv::KelvoraProgram> startProgram() {
    auto p = std::make_unique<kv::KelvoraProgram>();
    p->main().setFramePace(0, 0);
    p->main().show();
    p->main().FormActivate();
    return p;
}

void clickTable(kv::TForm1& f, kv::TablePoint p) {
    QTest::mouseClick(f.PaintBox1(), Qt::LeftButton, Qt::NoModifier, QPoint(p.x, p.y));
}

void endResultPhase(kv::TForm1& f) {
    for (int i = 0; i < 60 && (f.state().ResultTicks > 0 || f.state().DriftTicks > 0); ++i) f.Timer1Timer();
}

void typeAndEnter(kv::TForm1& f, const QString& text) {
    f.Memo1()->setFocus();
    f.Memo1()->clear();
    QTest::keyClicks(f.Memo1(), text);
    QTest::keyClick(f.Memo1(), Qt::Key_Return);
}

// Every chip on the table respects its class's limits.
void expectChipsWithinLimits(const kv::GameState& s) {
    for (const kv::BetCell& cell : kv::allBetCells()) {
        const int32_t a = s.CurrentBets.at(cell.c, cell.r);
        if (a == 0) continue;
        EXPECT_GE(a, kv::cellMin(s, cell)) << cell.c << "," << cell.r;
        EXPECT_LE(a, kv::cellMax(s, cell)) << cell.c << "," << cell.r;
    }
}

}  // namespace

TEST(PlayersDay, EveryWindowTogetherAndARestart) {
    // The program folder: the shipped strategies beside the executable.
    for (const auto& e : fs::directory_iterator(fs::path(KV_SOURCE_DIR) / "data" / "strategies"))
        fs::copy_file(e.path(), fs::current_path() / e.path().filename());
    fs::copy_file(fs::path(KV_SOURCE_DIR) / "data" / "rndtest.dat", fs::current_path() / "rndtest.dat");

    auto program = startProgram();
    kv::TForm1& f = program->main();
    kv::GameState& s = f.state();

    // A first start: no info.ini, factory values, a local game.
    EXPECT_FALSE(QFileInfo::exists("info.ini"));
    EXPECT_FALSE(f.isOnlineGame());
    EXPECT_EQ(s.SpinCount, 0);
    EXPECT_EQ(s.Credit, 500);
    f.action(MenuItem::Statistic)->trigger();
    f.action(MenuItem::Graphics)->trigger();
    EXPECT_TRUE(program->form4->isVisible());
    EXPECT_TRUE(program->form11->isVisible());

    // Local game: chips, a spin, the blink, repeat and double.
    clickTable(f, kv::categoryPoint(kv::Category::RED));
    clickTable(f, kv::numberPoint(17));
    EXPECT_EQ(s.Bet, 6);
    const kv::BetGrid placed = s.CurrentBets;
    clickTable(f, kv::kWheelClick);
    ASSERT_EQ(s.SpinCount, 1);
    EXPECT_EQ(s.SpinBets(1), placed);
    EXPECT_EQ(s.ResultTicks, 50);
    EXPECT_EQ(s.ResultHistory(1), s.Balance + s.Credit);
    endResultPhase(f);
    EXPECT_TRUE(s.CurrentBets.empty());
    clickTable(f, kv::kRepeatControl);
    EXPECT_EQ(s.CurrentBets, placed);
    clickTable(f, kv::kDoubleControl);
    EXPECT_EQ(s.Bet, 12);
    clickTable(f, kv::kWheelClick);
    EXPECT_EQ(s.SpinCount, 2);
    endResultPhase(f);

    // New Game, then an online casino: numbers by the memo.
    f.action(MenuItem::NewGame)->trigger();
    EXPECT_EQ(s.SpinCount, 0);
    EXPECT_EQ(s.Balance + s.Credit, 0);
    f.action(MenuItem::OnlineGame)->trigger();
    ASSERT_TRUE(f.isOnlineGame());
    clickTable(f, kv::categoryPoint(kv::Category::BLACK));
    typeAndEnter(f, "12 5,36 17");
    ASSERT_EQ(s.SpinCount, 4);
    EXPECT_EQ(s.SpinHistory(1), 17);
    EXPECT_EQ(s.SpinHistory(4), 12);
    EXPECT_EQ(s.ResultHistory(4) - s.ResultHistory(3), 5) << "17 is black: 10 back for 5";

    // The pad: three numbers queued, each wheel click plays one.
    f.action(MenuItem::OnlineNumbersInput)->trigger();
    ASSERT_TRUE(program->form20->isVisible());
    program->form20->padNumber(0);
    program->form20->padNumber(32);
    program->form20->padNumber(15);
    endResultPhase(f);
    clickTable(f, kv::kWheelClick);
    EXPECT_EQ(s.SpinHistory(1), 0);
    EXPECT_EQ(s.OnlineQueue.size(), 2u);

    // The compact windows stand in for the main window and forward to it.
    f.action(MenuItem::Minimize)->trigger();
    EXPECT_FALSE(f.isVisible());
    program->form16->Memo1()->setFocus();
    QTest::keyClicks(program->form16->Memo1(), "9");
    QTest::keyClick(program->form16->Memo1(), Qt::Key_Return);
    EXPECT_EQ(s.SpinHistory(1), 9);
    program->form16->SpeedButton1Click();
    EXPECT_TRUE(f.isVisible());
    f.action(MenuItem::Hide)->trigger();
    EXPECT_FALSE(f.isVisible());
    program->form15->Button1Click();
    EXPECT_TRUE(f.isVisible());
    const int32_t beforeQueue = s.SpinCount;
    endResultPhase(f);
    clickTable(f, kv::kWheelClick);
    clickTable(f, kv::kWheelClick);
    EXPECT_EQ(s.SpinCount, beforeQueue + 1) << "the second click falls in the result phase";
    endResultPhase(f);
    clickTable(f, kv::kWheelClick);
    EXPECT_EQ(s.SpinCount, beforeQueue + 2);
    EXPECT_TRUE(s.OnlineQueue.empty());
    endResultPhase(f);

    // The advisor places its chips through the table rules.
    f.action(MenuItem::Calculate)->trigger();
    ASSERT_TRUE(program->form10->isVisible());
    program->form10->Button2Click();
    expectChipsWithinLimits(s);
    EXPECT_LE(s.Bet, s.Credit);

    // The honesty tests over what was typed.
    typeAndEnter(f, "1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20 21 22 23 24 25 26 27 28 29 30");
    f.action(MenuItem::TestGame)->trigger();
    ASSERT_TRUE(program->form6->isVisible());
    program->form6->SpeedButton1Click();
    EXPECT_FALSE(program->form6->Memo1()->toPlainText().contains("missing")) << "rndtest.dat was read";
    EXPECT_FALSE(program->form6->Memo1()->toPlainText().isEmpty());
    program->form6->SpeedButton2Click();
    program->form6->SpeedButton3Click();
    EXPECT_TRUE(program->form6->Memo1()->toPlainText().contains("Even")) << program->form6->Memo1()->toPlainText().toStdString();
    endResultPhase(f);

    // A strategy from the list runs over the game.
    f.action(MenuItem::TestStrategy)->trigger();
    ASSERT_GT(program->form14->ComboBox1()->count(), 0);
    program->form14->ComboBox1Select(0);
    program->form14->SpeedButton2Click();
    EXPECT_TRUE(program->form14->hasRun());

    // Files: save, export, cut, import back, open the saved game.
    const int32_t spins = s.SpinCount;
    const int32_t credit = s.Credit;
    program->fileCommands->SaveGame2Click(QDir::current().filePath("day.gma"));
    program->fileCommands->ExportGame1Click(QDir::current().filePath("day.txt"));
    ASSERT_TRUE(QFileInfo::exists("day.gma"));
    ASSERT_TRUE(QFileInfo::exists("day.txt"));
    f.action(MenuItem::CutGame)->trigger();
    program->form9->firstEdit()->setText("1");
    program->form9->lastEdit()->setText("2");
    program->form9->Button1Click();
    EXPECT_EQ(s.SpinCount, spins - 2);
    program->fileCommands->ImportGame1Click(QDir::current().filePath("day.txt"));
    EXPECT_EQ(s.SpinCount, spins);
    program->fileCommands->LoadGame2Click(QDir::current().filePath("day.gma"));
    EXPECT_EQ(s.SpinCount, spins);
    const int32_t latest = s.SpinHistory(1);

    // Exit, and start again: everything is where it was.
    f.move(40, 30);
    f.close();
    ASSERT_TRUE(QFileInfo::exists("info.ini"));
    program.reset();

    program = startProgram();
    kv::TForm1& g = program->main();
    EXPECT_TRUE(g.isOnlineGame());
    EXPECT_EQ(g.state().SpinCount, spins);
    EXPECT_EQ(g.state().SpinHistory(1), latest);
    EXPECT_EQ(g.state().Credit, credit);
    EXPECT_TRUE(program->form4->isVisible()) << "Statistic was open at exit";
    EXPECT_GT(program->form14->ComboBox1()->count(), 0);
}
