// The help window, opened with F1 and read like a player does (a link, Back,
// the search box), and File > Import Numbers driven through the menu with
// the file dialog answered by the test.
#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTextBrowser>
#include <memory>

#include "gui/common/help_window.h"
#include "gui/files/file_commands.h"
#include "gui/gui_test_support.h"
#include "gui/table/main_window.h"

namespace {

using kv::MenuItem;

class HelpAndImportTest : public ::testing::Test {
  protected:
    void SetUp() override {
        // The program folder is the test's own current folder.
        ASSERT_TRUE(
            QFile::copy(QStringLiteral(KV_SOURCE_DIR "/data/kvhelp.html"), QStringLiteral("kvhelp.html")));
        form = std::make_unique<kv::MainWindow>();
        form->setFramePace(0, 0);
        commands = new kv::FileCommands(*form);
        commands->setFileChooser([this](const kv::FileDialogRequest&) { return answer; });
        form->show();
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        form->applyStoredModesOnce();
        s().rng.setSeed(31);
        s().NewGame();
    }
    kv::GameState& s() { return form->state(); }
    void writeFile(const QString& name, const QByteArray& bytes) {
        QFile f(name);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

    std::unique_ptr<kv::MainWindow> form;
    kv::FileCommands* commands = nullptr;
    QString answer;
};

// Clicks the first place of text in the help page.
void clickText(QTextBrowser* browser, const QString& text) {
    QTextCursor at = browser->document()->find(text);
    ASSERT_FALSE(at.isNull()) << text.toStdString();
    at.setPosition(at.selectionStart() + 2);
    browser->setTextCursor(at);
    browser->ensureCursorVisible();
    const QPoint p = browser->cursorRect(at).center();
    QTest::mouseClick(browser->viewport(), Qt::LeftButton, Qt::NoModifier, p);
}

TEST_F(HelpAndImportTest, F1ShowsTheHelpWhoseLinksBackAndSearchWork) {
    QTest::keyClick(form.get(), Qt::Key_F1);
    auto* help = form->findChild<kv::HelpWindow*>();
    ASSERT_NE(help, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(help));
    QTextBrowser* text = help->browser();
    EXPECT_TRUE(text->toPlainText().startsWith(QStringLiteral("Kelvora Help")));

    // A link of the contents moves to its section; Back returns to the top.
    auto* back = help->findChild<QPushButton*>(QStringLiteral("HelpBack"));
    ASSERT_NE(back, nullptr);
    clickText(text, QStringLiteral("Keyboard shortcuts"));
    EXPECT_EQ(text->source().fragment(), QStringLiteral("keys"));
    QTest::mouseClick(back, Qt::LeftButton);
    EXPECT_EQ(text->verticalScrollBar()->value(), 0);

    // Enter finds the next place of a word, Shift+Enter the one before.
    QTest::keyClicks(help->searchBox(), QStringLiteral("roulette"));
    const QTextCursor first = text->textCursor();
    EXPECT_EQ(first.selectedText().toLower(), QStringLiteral("roulette"));
    QTest::keyClick(help->searchBox(), Qt::Key_Return);
    EXPECT_GT(text->textCursor().selectionStart(), first.selectionStart());
    QTest::keyClick(help->searchBox(), Qt::Key_Return, Qt::ShiftModifier);
    EXPECT_EQ(text->textCursor().selectionStart(), first.selectionStart());

    // Back in the main window, F1 brings the same window up again.
    help->close();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    QTest::keyClick(form.get(), Qt::Key_F1);
    EXPECT_TRUE(help->isVisible());
    EXPECT_EQ(form->findChildren<kv::HelpWindow*>().size(), 1);
}

TEST_F(HelpAndImportTest, ImportNumbersAppendsSpinsKeepingTheMoneyOrRefusesABadFileWhole) {
    s().Credit = 460;
    s().Balance = -500;
    const int32_t spinsBefore = s().SpinCount;
    QSignalSpy spinsChanged(form.get(), &kv::MainWindow::spinsChanged);

    writeFile(QStringLiteral("board.txt"), "# table 4\r\n32 15 19\r\n4, 21, 2\r\n0\r\n");
    answer = QDir::current().filePath(QStringLiteral("board.txt"));
    form->action(MenuItem::ImportNumbers)->trigger();
    ASSERT_EQ(s().SpinCount, spinsBefore + 7);
    EXPECT_EQ(s().SpinHistory(1), 0);
    EXPECT_EQ(s().Credit, 460);
    EXPECT_EQ(spinsChanged.count(), 1);

    kvtest::MessageBoxCatcher boxes;
    writeFile(QStringLiteral("bad.txt"), "1 2 3\n17 3?\n5\n");
    answer = QDir::current().filePath(QStringLiteral("bad.txt"));
    form->action(MenuItem::ImportNumbers)->trigger();
    EXPECT_EQ(boxes.text(), QStringLiteral("Line 2: '3?' is not a number from 0 to 36"));
    EXPECT_EQ(s().SpinCount, spinsBefore + 7);
    EXPECT_EQ(s().SpinHistory(1), 0);
    EXPECT_EQ(spinsChanged.count(), 1);
}

}  // namespace
