// The game-file commands of the File menu, driven through the menu with the
// file dialog answered by the test: what the files receive, what the game
// becomes, and which failures the player is told about.
#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "../ui/ui_test_support.h"
#include "core/table_geometry.h"
#include "files/file_commands_window.h"
#include "files/game_file.h"
#include "files_test_util.h"
#include "ui/main/main_window.h"
#include "ui/main/table_paint_box.h"

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
        ASSERT_TRUE(dir.isValid());
        oldDir = QDir::currentPath();
        QDir::setCurrent(dir.path());
        form = std::make_unique<kv::TForm1>();
        form->setFramePace(0, 0);
        commands = new kv::FileCommands(*form);
        commands->setFileChooser([this](const FileDialogRequest& r) {
            requests.push_back(r);
            return answer;
        });
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        form->FormActivate();
        s().rng.setSeed(4242);
        s().NewGame();
        form->redrawTable();
    }
    void TearDown() override {
        form.reset();
        QDir::setCurrent(oldDir);
    }

    kv::GameState& s() { return form->state(); }
    QString path(const QString& name) const { return dir.filePath(name); }
    std::filesystem::path fsPath(const QString& name) const { return path(name).toStdString(); }
    void click(kv::TablePoint p) { QTest::mouseClick(form->PaintBox1(), Qt::LeftButton, Qt::NoModifier, QPoint(p.x, p.y)); }
    // One spin played with the mouse: chips on a number and on red, then the
    // wheel; the result phase is run out so the next chips land.
    void playSpin(int number) {
        click(kv::numberPoint(number));
        click(kv::categoryPoint(kv::Category::RED));
        click(kv::kWheelClick);
        while (s().ResultTicks > 0) form->Timer1Timer();
    }
    void run(MenuItem item, const QString& chosen) {
        answer = chosen;
        form->action(item)->trigger();
    }
    // The black panel under the table: money and the latest numbers.
    QImage panel() const { return form->renderer().TableBitmap().copy(380, 355, 630, 140); }

    QTemporaryDir dir;
    QString oldDir;
    std::unique_ptr<kv::TForm1> form;
    kv::FileCommands* commands = nullptr;
    QString answer;
    std::vector<FileDialogRequest> requests;
};

}  // namespace

TEST_F(FileCommandsTest, SaveThenOpenBringsBackTheGameAndTheTableShowsIt) {
    for (int n : {17, 4, 30}) playSpin(n);
    ASSERT_EQ(s().SpinCount, 3);
    const GameSnapshot played = snapshot(s());
    form->redrawTable();
    const QImage playedPanel = panel();

    run(MenuItem::SaveGame, path(QStringLiteral("game")));
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].mode, FileDialogRequest::Mode::Save);
    EXPECT_EQ(requests[0].filter, QStringLiteral("gma (*.gma);;All (*.*)"));
    ASSERT_TRUE(QFile::exists(path(QStringLiteral("game.gma"))));

    QTest::keyClick(form.get(), Qt::Key_N, Qt::ControlModifier);  // New Game
    ASSERT_EQ(s().SpinCount, 0);
    ASSERT_NE(panel(), playedPanel);
    click(kv::numberPoint(8));
    const kv::BetGrid onTable = s().CurrentBets;

    QSignalSpy spins(form.get(), &kv::TForm1::spinsChanged);
    QSignalSpy money(form.get(), &kv::TForm1::moneyChanged);
    run(MenuItem::OpenGame, path(QStringLiteral("game.gma")));
    EXPECT_EQ(requests.back().mode, FileDialogRequest::Mode::Open);
    EXPECT_EQ(requests.back().filter, QStringLiteral("*.gma (*.gma);;All (*.*)"));
    EXPECT_EQ(snapshot(s()), played);
    EXPECT_EQ(s().CurrentBets, onTable) << "the chips on the table are not part of a game file";
    EXPECT_EQ(spins.count(), 1);
    EXPECT_GE(money.count(), 1);
    // Without the chip, money and the latest numbers are drawn as they were
    // when the game was saved.
    QTest::mouseClick(form->PaintBox1(), Qt::RightButton, Qt::NoModifier,
                      QPoint(kv::numberPoint(8).x, kv::numberPoint(8).y));
    ASSERT_TRUE(s().CurrentBets.empty());
    EXPECT_EQ(panel(), playedPanel);

    // A cancelled dialog writes and reads nothing.
    QTest::keyClick(form.get(), Qt::Key_N, Qt::ControlModifier);
    run(MenuItem::SaveGame, QString());
    run(MenuItem::OpenGame, QString());
    EXPECT_EQ(s().SpinCount, 0);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("game.gma")});
}

TEST_F(FileCommandsTest, SaveCompletesTheNameAndReportsAFileItCannotCreate) {
    playSpin(5);
    kvtest::MessageBoxCatcher catcher;
    run(MenuItem::SaveGame, path(QStringLiteral("game.txt")));
    run(MenuItem::SaveGame, path(QStringLiteral("UP.GMA")));
    EXPECT_TRUE(QFile::exists(path(QStringLiteral("game.txt.gma"))));
    EXPECT_TRUE(QFile::exists(path(QStringLiteral("UP.GMA"))));
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("UP.GMA.gma"))));

    // An existing file is replaced without asking.
    kvtest::writeAll(fsPath(QStringLiteral("old.gma")), "junk");
    run(MenuItem::SaveGame, path(QStringLiteral("old.gma")));
    kv::GameData data;
    ASSERT_TRUE(kv::readGameFile(fsPath(QStringLiteral("old.gma")), data).ok());
    EXPECT_EQ(data.SpinCount, 1);
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
    for (size_t i = 0; i < lines.size(); ++i) broken += (i == 3 + 3 * 4 ? std::string("x7") : lines[i]) + "\r\n";
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
    EXPECT_EQ(requests.back().filter, QStringLiteral("*.gma (*.gma);;All (*.*)"));
    EXPECT_EQ(snapshot(s()), current) << "the game in memory does not change";
    kv::GameData merged;
    ASSERT_TRUE(kv::readGameFile(fsPath(QStringLiteral("merge.gma")), merged).ok());
    EXPECT_EQ(merged.SpinCount, 7);
    EXPECT_EQ(merged.Balance, current.Balance);
    EXPECT_EQ(merged.records.size(), 10u);
    for (int k = 0; k < 3; ++k) EXPECT_EQ(merged.records[k], current.records[k]) << "record " << k + 1;
    for (int k = 0; k < 4; ++k) EXPECT_EQ(merged.records[3 + k], fileGame.records[k]) << "record " << k + 4;
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("merge.gma")})
        << "no temporary file is left beside it";

    // Add File to Game: the file's seven spins become older than two new ones.
    QTest::keyClick(form.get(), Qt::Key_N, Qt::ControlModifier);
    for (int n : {31, 32}) playSpin(n);
    const GameSnapshot two = snapshot(s());
    QSignalSpy spins(form.get(), &kv::TForm1::spinsChanged);
    run(MenuItem::AddFileToGame, path(QStringLiteral("merge.gma")));
    ASSERT_EQ(s().SpinCount, 9);
    EXPECT_EQ(s().Balance, two.Balance);
    EXPECT_EQ(s().Credit, two.Credit);
    for (int k = 1; k <= 2; ++k) EXPECT_EQ(s().SpinHistory(k), two.records[k - 1].number);
    for (int j = 1; j <= 7; ++j) {
        EXPECT_EQ(s().SpinHistory(2 + j), merged.records[j - 1].number);
        EXPECT_EQ(s().SpinBets(2 + j), merged.records[j - 1].bets);
        EXPECT_EQ(s().ResultHistory(2 + j), merged.records[j - 1].result);
    }
    EXPECT_EQ(spins.count(), 1);
}


TEST_F(FileCommandsTest, ExportThenImportGivesTheSameSpinsAndBets) {
    for (int n : {0, 36, 5}) playSpin(n);
    const GameSnapshot played = snapshot(s());

    run(MenuItem::ExportGame, path(QStringLiteral("spins")));
    EXPECT_EQ(requests.back().mode, FileDialogRequest::Mode::Save);
    EXPECT_TRUE(requests.back().filter.isEmpty());
    const std::string text = kvtest::readAll(fsPath(QStringLiteral("spins.txt")));
    const std::vector<std::string> lines = kvtest::crlfLines(text);
    ASSERT_GE(lines.size(), 3u);
    // Oldest first, each spin with its chip on a number and 5 on red.
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], std::to_string(played.records[2].number) + " 0-1 r-5");
    EXPECT_EQ(lines[1], std::to_string(played.records[1].number) + " r-5 36-1");
    EXPECT_EQ(lines[2], std::to_string(played.records[0].number) + " 5-1 r-5");

    QTest::keyClick(form.get(), Qt::Key_N, Qt::ControlModifier);
    const int32_t balance = s().Balance;
    const int32_t credit = s().Credit;
    QSignalSpy spins(form.get(), &kv::TForm1::spinsChanged);
    run(MenuItem::ImportGame, path(QStringLiteral("spins.txt")));
    EXPECT_TRUE(requests.back().filter.isEmpty());
    ASSERT_EQ(s().SpinCount, 3);
    for (int k = 1; k <= 3; ++k) {
        EXPECT_EQ(s().SpinHistory(k), played.records[k - 1].number);
        EXPECT_EQ(s().SpinBets(k), played.records[k - 1].bets);
    }
    EXPECT_EQ(s().Balance, balance) << "money is not part of the text";
    EXPECT_EQ(s().Credit, credit);
    EXPECT_EQ(spins.count(), 1);

    // "name.TXT" is kept; other names get ".txt".
    run(MenuItem::ExportGame, path(QStringLiteral("UP.TXT")));
    EXPECT_TRUE(QFile::exists(path(QStringLiteral("UP.TXT"))));
    run(MenuItem::ExportGame, path(QStringLiteral("x.gma")));
    EXPECT_TRUE(QFile::exists(path(QStringLiteral("x.gma.txt"))));
}

