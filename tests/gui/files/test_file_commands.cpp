// The game-file commands of the File menu, driven through the menu with the
// file dialog answered by the test: what the files receive, what the game
// becomes, and which failures the player is told about; and the Cut Game
// window with its digit-only fields. The file formats and the cut itself
// are tested in tests/files.
#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <memory>

#include "core/table_geometry.h"
#include "files/files_test_util.h"
#include "files/game_file.h"
#include "gui/files/cut_game_window.h"
#include "gui/files/file_commands.h"
#include "gui/gui_test_support.h"
#include "gui/table/main_window.h"
#include "gui/table/table_paint_box.h"

namespace {

using kv::FileDialogRequest;
using kv::MenuItem;

// Everything a game file carries, to compare games before and after.
struct GameSnapshot {
    int32_t Balance = 0;
    int32_t Credit = 0;
    std::vector<kv::SpinRecord> records;
    bool operator==(const GameSnapshot&) const = default;
};

GameSnapshot snapshot(const kv::GameState& s) {
    GameSnapshot g{s.Balance, s.Credit, {}};
    for (int32_t k = 1; k <= s.SpinCount; ++k) {
        g.records.push_back({s.SpinHistory(k), s.SpinBets(k), s.ResultHistory(k)});
    }
    return g;
}

class FileCommandsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        form = std::make_unique<kv::MainWindow>();
        form->setFramePace(0, 0);
        commands = new kv::FileCommands(*form);
        cut = std::make_unique<kv::CutGameWindow>(*form);
        commands->setFileChooser([this](const FileDialogRequest&) { return answer; });
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        form->applyStoredModesOnce();
        s().rng.setSeed(4242);
        s().NewGame();
        form->redrawTable();
    }
    void TearDown() override {
        cut.reset();
        form.reset();
    }

    kv::GameState& s() { return form->state(); }
    QString path(const QString& name) const { return folder.file(name); }
    std::filesystem::path fsPath(const QString& name) const { return path(name).toStdString(); }
    void click(kv::TablePoint p) {
        QTest::mouseClick(form->tableView(), Qt::LeftButton, Qt::NoModifier, QPoint(p.x, p.y));
    }
    // One spin played with the mouse: chips on a number and on red, then the
    // wheel; the result phase is run out so the next chips land.
    void playSpin(int number) {
        click(kv::numberPoint(number));
        click(kv::categoryPoint(kv::Category::RED));
        click(kv::kWheelClick);
        while (s().ResultTicks > 0) form->timerTick();
    }
    void run(MenuItem item, const QString& chosen) {
        answer = chosen;
        form->action(item)->trigger();
    }
    // Spins 1..10 of the game are the numbers 11..20 (spin 10 is the latest,
    // position 1); position k carries a bet of 30 - k on red.
    void numberedGame() {
        s().NewGame();
        for (int n = 11; n <= 20; ++n) s().RecordSpin(n);
        for (int k = 1; k <= 10; ++k) {
            kv::BetGrid g;
            g.at(11, 8) = 30 - k;
            s().setSpinBets(k, g);
        }
        form->action(MenuItem::CutGame)->trigger();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(cut.get()));
    }
    // The black panel under the table: money and the latest numbers.
    QImage panel() const { return form->renderer().TableBitmap().copy(380, 355, 630, 140); }

    kvtest::ProgramFolder folder;
    std::unique_ptr<kv::MainWindow> form;
    kv::FileCommands* commands = nullptr;
    std::unique_ptr<kv::CutGameWindow> cut;
    QString answer;
};

}  // namespace

TEST_F(FileCommandsTest, SaveThenOpenBringsBackTheGameAndTheTableShowsIt) {
    for (int n : {17, 4, 30}) playSpin(n);
    ASSERT_EQ(s().SpinCount, 3);
    const GameSnapshot played = snapshot(s());
    form->redrawTable();
    const QImage playedPanel = panel();

    run(MenuItem::SaveGame, path(QStringLiteral("game")));
    ASSERT_TRUE(QFile::exists(path(QStringLiteral("game.gma")))) << "the name is completed";

    QTest::keyClick(form.get(), Qt::Key_N, Qt::ControlModifier);  // New Game
    ASSERT_EQ(s().SpinCount, 0);
    ASSERT_NE(panel(), playedPanel);
    click(kv::numberPoint(8));
    const kv::BetGrid onTable = s().CurrentBets;

    QSignalSpy spins(form.get(), &kv::MainWindow::spinsChanged);
    run(MenuItem::OpenGame, path(QStringLiteral("game.gma")));
    EXPECT_EQ(snapshot(s()), played);
    EXPECT_EQ(s().CurrentBets, onTable) << "the chips on the table are not part of a game file";
    EXPECT_EQ(spins.count(), 1);
    // Without the chip, money and the latest numbers are drawn as they were
    // when the game was saved.
    QTest::mouseClick(form->tableView(), Qt::RightButton, Qt::NoModifier,
                      QPoint(kv::numberPoint(8).x, kv::numberPoint(8).y));
    ASSERT_TRUE(s().CurrentBets.empty());
    EXPECT_EQ(panel(), playedPanel);

    // A cancelled dialog writes and reads nothing.
    QTest::keyClick(form.get(), Qt::Key_N, Qt::ControlModifier);
    run(MenuItem::SaveGame, QString());
    run(MenuItem::OpenGame, QString());
    EXPECT_EQ(s().SpinCount, 0);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{QStringLiteral("game.gma")});
}

TEST_F(FileCommandsTest, SaveReplacesAFileAndReportsOneItCannotCreate) {
    playSpin(5);
    kvtest::MessageBoxCatcher catcher;
    // An existing file is replaced without asking.
    kvtest::writeAll(fsPath(QStringLiteral("old.gma")), "junk");
    run(MenuItem::SaveGame, path(QStringLiteral("old.gma")));
    EXPECT_EQ(catcher.count(), 0);

    // A folder that does not exist: the player learns the game was not saved.
    run(MenuItem::SaveGame, path(QStringLiteral("missing/game")));
    QTest::qWait(50);
    EXPECT_EQ(catcher.count(), 1);
    EXPECT_FALSE(catcher.text().isEmpty());
}

TEST_F(FileCommandsTest, OpenChangesNothingOnAMissingOrDamagedFile) {
    for (int n : {1, 2}) playSpin(n);
    const GameSnapshot before = snapshot(s());
    kvtest::MessageBoxCatcher catcher;

    run(MenuItem::OpenGame, path(QStringLiteral("nowhere.gma")));
    QTest::qWait(30);
    EXPECT_EQ(catcher.count(), 0) << "a file that cannot be opened ends the command silently";

    // A file broken in its fifth record: nothing of it is taken.
    run(MenuItem::SaveGame, path(QStringLiteral("good")));
    std::string text = kvtest::readAll(fsPath(QStringLiteral("good.gma")));
    const std::vector<std::string> lines = kvtest::crlfLines(text);
    std::string broken;
    for (size_t i = 0; i < lines.size(); ++i)
        broken += (i == 3 + 3 * 4 ? std::string("x7") : lines[i]) + "\r\n";
    kvtest::writeAll(fsPath(QStringLiteral("broken.gma")), broken);
    QTest::keyClick(form.get(), Qt::Key_N, Qt::ControlModifier);
    const GameSnapshot fresh = snapshot(s());
    run(MenuItem::OpenGame, path(QStringLiteral("broken.gma")));
    QTest::qWait(30);
    EXPECT_EQ(catcher.count(), 1);
    EXPECT_EQ(catcher.text(), QStringLiteral("'x7' is not a valid integer value"));
    EXPECT_EQ(snapshot(s()), fresh);

    run(MenuItem::OpenGame, path(QStringLiteral("good.gma")));
    EXPECT_EQ(snapshot(s()), before);
}

TEST_F(FileCommandsTest, AddGameToFileAndAddFileToGameMerge) {
    // A file of 4 spins.
    for (int n : {11, 12, 13, 14}) playSpin(n);
    const GameSnapshot fileGame = snapshot(s());
    run(MenuItem::SaveGame, path(QStringLiteral("merge")));

    // Three current spins go in front of the file's four.
    QTest::keyClick(form.get(), Qt::Key_N, Qt::ControlModifier);
    for (int n : {21, 22, 23}) playSpin(n);
    const GameSnapshot current = snapshot(s());
    run(MenuItem::AddGameToFile, path(QStringLiteral("merge.gma")));
    EXPECT_EQ(snapshot(s()), current) << "the game in memory does not change";
    kv::GameData merged;
    ASSERT_TRUE(kv::readGameFile(fsPath(QStringLiteral("merge.gma")), merged).ok());
    EXPECT_EQ(merged.SpinCount, 7);
    EXPECT_EQ(merged.records[3], fileGame.records[0]);

    // Add File to Game: the file's seven spins become older than two new ones.
    QTest::keyClick(form.get(), Qt::Key_N, Qt::ControlModifier);
    for (int n : {31, 32}) playSpin(n);
    QSignalSpy spins(form.get(), &kv::MainWindow::spinsChanged);
    run(MenuItem::AddFileToGame, path(QStringLiteral("merge.gma")));
    ASSERT_EQ(s().SpinCount, 9);
    EXPECT_EQ(s().SpinBets(3), merged.records[0].bets);
    EXPECT_EQ(spins.count(), 1);
}

TEST_F(FileCommandsTest, CutGameTakesDigitsOnlyCancelsOrClosesTheGap) {
    numberedGame();
    QTest::mouseClick(cut->cancelButton(), Qt::LeftButton);
    EXPECT_FALSE(cut->isVisible());
    EXPECT_EQ(s().SpinCount, 10) << "Cancel cuts nothing";

    form->action(MenuItem::CutGame)->trigger();
    kvtest::typeInto(cut->firstEdit(), QStringLiteral("3"));
    kvtest::typeInto(cut->lastEdit(), QStringLiteral("5"));
    QSignalSpy spins(form.get(), &kv::MainWindow::spinsChanged);
    QTest::mouseClick(cut->okButton(), Qt::LeftButton);
    EXPECT_FALSE(cut->isVisible());
    ASSERT_EQ(s().SpinCount, 7);
    // Spin 1 (number 11) moves to position 7 with its bet.
    EXPECT_EQ(s().SpinBets(7).at(11, 8), 30 - 10);
    EXPECT_EQ(spins.count(), 1);

    // Shown again, the fields start over from the game as it is now and cut all of it.
    form->action(MenuItem::CutGame)->trigger();
    EXPECT_EQ(cut->lastEdit()->text(), QStringLiteral("7"));
    cut->lastEdit()->setFocus();
    QTest::keyClick(cut->lastEdit(), Qt::Key_Return);
    EXPECT_EQ(s().SpinCount, 0);
}
