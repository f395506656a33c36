// info.ini through the life of the program: a first start, a restart that
// continues the last game where it was left, a damaged file kept aside and
// reported once, and a failed write reported at exit.
#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QLineEdit>
#include <QTest>
#include <memory>

#include "core/table_geometry.h"
#include "files/files_test_util.h"
#include "files/game_file.h"
#include "files/settings.h"
#include "gui/files/cut_game_window.h"
#include "gui/gui_test_support.h"
#include "gui/table/main_window.h"
#include "gui/table/memo_edit.h"
#include "gui/table/table_paint_box.h"

namespace {

using kv::MenuItem;

class LastGameTest : public ::testing::Test {
  protected:
    void TearDown() override {
        cut.reset();
        form.reset();
    }
    // A program start in the test folder, as app/main.cpp makes it.
    void start() {
        form = std::make_unique<kv::MainWindow>();
        form->setFramePace(0, 0);
        cut = std::make_unique<kv::CutGameWindow>(*form);
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        form->applyStoredModesOnce();
        QTest::qWait(20);  // lets a pending start-up message appear
    }
    // File > Exit, then the program is gone.
    void exitProgram() {
        form->action(MenuItem::Exit)->trigger();
        ASSERT_FALSE(form->isVisible());
        cut.reset();
        form.reset();
    }
    kv::GameState& s() { return form->state(); }
    std::filesystem::path file(const char* name) const {
        return std::filesystem::path(folder.path().toStdString()) / name;
    }
    void playSpin(int chipOn) {
        const kv::TablePoint p = kv::numberPoint(chipOn);
        QTest::mouseClick(form->tableView(), Qt::LeftButton, Qt::NoModifier, QPoint(p.x, p.y));
        QTest::mouseClick(form->tableView(), Qt::LeftButton, Qt::NoModifier,
                          QPoint(kv::kWheelClick.x, kv::kWheelClick.y));
        while (s().ResultTicks > 0) form->timerTick();
    }

    kvtest::ProgramFolder folder;
    std::unique_ptr<kv::MainWindow> form;
    std::unique_ptr<kv::CutGameWindow> cut;
};

}  // namespace

TEST_F(LastGameTest, ARestartContinuesTheGameWithItsWindowsAndModes) {
    start();
    for (int n : {3, 14, 27, 35}) playSpin(n);
    // A chip left on the table is not part of the saved game.
    playSpin(8);
    const kv::TablePoint p = kv::numberPoint(22);
    QTest::mouseClick(form->tableView(), Qt::LeftButton, Qt::NoModifier, QPoint(p.x, p.y));
    form->action(MenuItem::OnlineGame)->trigger();
    form->action(MenuItem::QuickRotate)->trigger();
    form->action(MenuItem::Sound)->trigger();
    ASSERT_FALSE(form->isSoundOn());
    form->move(30, 40);
    form->setOuterSize(1000, 540);
    form->action(MenuItem::CutGame)->trigger();
    cut->move(500, 300);
    cut->resize(230, 110);
    QApplication::processEvents();

    const int32_t count = s().SpinCount;
    const int32_t credit = s().Credit;
    const kv::SpinRecord latest{s().SpinHistory(1), s().SpinBets(1), s().ResultHistory(1)};
    exitProgram();
    ASSERT_TRUE(std::filesystem::exists(file("info.ini")));

    start();
    ASSERT_EQ(s().SpinCount, count);
    EXPECT_EQ(s().Credit, credit);
    EXPECT_EQ((kv::SpinRecord{s().SpinHistory(1), s().SpinBets(1), s().ResultHistory(1)}), latest);
    EXPECT_TRUE(s().CurrentBets.empty());
    EXPECT_TRUE(form->isOnlineGame());
    EXPECT_EQ(s().RotateMode, kv::RotateModeKind::Quick);
    EXPECT_FALSE(form->isSoundOn());
    EXPECT_EQ(form->pos(), QPoint(30, 40));
    EXPECT_EQ(form->outerWidth(), 1000);
    EXPECT_TRUE(cut->isVisible()) << "open at the exit, open again";
    EXPECT_EQ(cut->pos(), QPoint(500, 300));
    EXPECT_EQ(cut->size(), QSize(230, 110));
}

TEST_F(LastGameTest, AnOpenedGameSurvivesARestartWithItsLatestSpin) {
    // A game whose latest spin is not where the ball lies (opened, cut or
    // imported) keeps that spin through a restart.
    start();
    s().NewGame();
    for (int n : {5, 6, 7}) s().RecordSpin(n);
    const int ball = s().ballNumber();
    const int latest = ball == 7 ? 8 : 7;
    s().setSpinHistory(1, latest);
    exitProgram();
    start();
    ASSERT_EQ(s().SpinCount, 3);
    EXPECT_EQ(s().SpinHistory(1), latest);
}

TEST_F(LastGameTest, ADamagedFileIsKeptAsideAndReportedOnce) {
    const std::string damaged = "5\r\n100\r\nnot a number\r\n";
    kvtest::writeAll(file("info.ini"), damaged);
    kvtest::MessageBoxCatcher catcher;
    start();
    EXPECT_EQ(catcher.count(), 1);
    EXPECT_TRUE(catcher.text().contains(QStringLiteral("info.damaged.ini"))) << catcher.text().toStdString();
    EXPECT_EQ(kvtest::readAll(file("info.damaged.ini")), damaged) << "the copy keeps every byte";
    playSpin(10);
    exitProgram();

    start();
    EXPECT_EQ(catcher.count(), 1) << "told once, not at every start";
    EXPECT_EQ(s().SpinCount, 1);
}

TEST_F(LastGameTest, AFailedWriteAtExitIsReported) {
    start();
    playSpin(2);
    // Something else took the name meanwhile: the new file cannot replace it.
    std::filesystem::create_directory(file("info.ini"));
    kvtest::MessageBoxCatcher catcher;
    exitProgram();
    EXPECT_EQ(catcher.count(), 1);
    EXPECT_TRUE(catcher.text().startsWith(QStringLiteral("I/O error"))) << catcher.text().toStdString();
    EXPECT_TRUE(std::filesystem::is_directory(file("info.ini")));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(file("")), {}), 1)
        << "no temporary file is left";
}
