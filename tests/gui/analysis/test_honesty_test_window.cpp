// The Test Game window over a real main window: the three buttons pressed
// with the mouse over typed and generated histories, the report in the memo,
// the curves in the paint box and the missing limits table. The tests
// themselves are checked in tests/analysis.
#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "core/table_geometry.h"
#include "gui/analysis/honesty_test_window.h"
#include "gui/common/canvas.h"
#include "gui/common/image_box.h"
#include "gui/gui_test_support.h"
#include "gui/table/main_window.h"
#include "gui/table/memo_edit.h"
#include "gui/table/table_paint_box.h"

namespace {

using Lines = std::vector<std::string>;

enum class Table { Shipped, Missing };

// Every test starts the program in a folder of its own, so the window reads
// exactly the rndtest.dat the test put there (and no info.ini).
class TestGameWindowTest : public ::testing::Test {
  protected:
    void start(Table table) {
        const QString target = folder.file(QStringLiteral("rndtest.dat"));
        if (table == Table::Shipped) {
            ASSERT_TRUE(QFile::copy(QStringLiteral(KV_SOURCE_DIR "/data/rndtest.dat"), target));
        }
        form = std::make_unique<kv::MainWindow>();
        form->setFramePace(0, 0);
        form->state().NewGame();
        test = std::make_unique<kv::HonestyTestWindow>(*form);
        test->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(test.get()));
    }
    void TearDown() override {
        test.reset();
        form.reset();
    }

    kv::GameState& s() { return form->state(); }
    // Records spins in the order of play.
    void play(const std::vector<int>& numbers) {
        for (int n : numbers) s().RecordSpin(n);
    }
    // Types numbers into the main window's memo as a player of an online
    // casino does; they settle against the chips on the table.
    void typeSpins(const QString& text) {
        form->memo()->setFocus();
        form->memo()->clear();
        QTest::keyClicks(form->memo(), text);
        QTest::keyClick(form->memo(), Qt::Key_Return);
    }
    void clickTable(kv::TablePoint p) {
        QTest::mouseClick(form->tableView(), Qt::LeftButton, Qt::NoModifier, QPoint(p.x, p.y));
    }
    void press(QToolButton* b) { QTest::mouseClick(b, Qt::LeftButton, Qt::NoModifier, b->rect().center()); }
    Lines memo() const { return test->memoLines(); }

    // Counts pixels of a colour inside the paint box, away from the frame
    // and from the two legend lines.
    int curvePixels(uint32_t colour) const {
        const QImage& img = test->curveView()->image();
        int n = 0;
        for (int y = 18; y < img.height() - 18; ++y)
            for (int x = 1; x < img.width() - 1; ++x) n += kv::rgbToWin(img.pixel(x, y)) == colour;
        return n;
    }
    // A fair history of n spins in the order of play.
    static std::vector<int> fairSpins(int n, unsigned seed) {
        std::mt19937 gen(seed);
        std::uniform_int_distribution<int> spin(0, 36);
        std::vector<int> out;
        for (int i = 0; i < n; ++i) out.push_back(spin(gen));
        return out;
    }

    kvtest::ProgramFolder folder;
    std::unique_ptr<kv::MainWindow> form;
    std::unique_ptr<kv::HonestyTestWindow> test;
};

}  // namespace

TEST_F(TestGameWindowTest, RandomAndParityButtonsReportInTheMemoAndDrawOrBlankTheCurve) {
    start(Table::Shipped);
    test->hide();
    form->action(kv::MenuItem::TestGame)->trigger();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(test.get()));
    // Fair spins with six 17s in a row (a range of 6 in a window of 6, which
    // the shipped table fails) are reported once.
    std::vector<int> spins = fairSpins(300, 11);
    for (int& n : spins) n = n == 17 ? 18 : n;
    spins.insert(spins.begin() + 150, 6, 17);
    play(spins);
    press(test->randomOnlyButton());
    EXPECT_EQ(memo().front(), "From 151 position 6 shady Numbers");
    EXPECT_GT(curvePixels(kv::clBlue), 0);

    // Parity blanks the picture but keeps the curve: the next resize draws it again.
    press(test->parityButton());
    EXPECT_EQ(memo().front(), "Check on parity");
    EXPECT_EQ(curvePixels(kv::clBlue), 0);
    test->resize(test->width() + 20, test->height());
    EXPECT_GT(curvePixels(kv::clBlue), 0);
}

TEST_F(TestGameWindowTest, SecondButtonSettlesTheTypedBetsAgainPerAmount) {
    start(Table::Shipped);
    // A player of an online casino: a chip on red (raised to the table's
    // minimum of 5) and one on 17, then four results typed in.
    form->action(kv::MenuItem::OnlineGame)->trigger();
    s().Credit = 100;
    clickTable(kv::categoryPoint(kv::Category::RED));
    clickTable(kv::numberPoint(17));
    typeSpins(QStringLiteral("2 17 1 3"));
    ASSERT_EQ(s().SpinCount, 4);
    press(test->withBetsButton());
    // Both amounts settled again: 1 on 17 and 5 on red.
    ASSERT_EQ(memo().size(), 8u);
    // Three winning spins and one losing one: both colours of the curve.
    EXPECT_GT(curvePixels(kv::clBlue), 0);
    EXPECT_GT(curvePixels(kv::clRed), 0);
}

TEST_F(TestGameWindowTest, MissingOrShortTableIsReportedAndTheOtherTestsStillRun) {
    start(Table::Missing);
    EXPECT_FALSE(test->limits().present());
    play(fairSpins(100, 3));
    press(test->randomOnlyButton());
    EXPECT_EQ(memo().front(), "The limits table is missing:");
    press(test->parityButton());
    EXPECT_EQ(memo().front(), "Check on parity");
}

TEST_F(TestGameWindowTest, LongTestHandlesEventsWithItsButtonsDisabled) {
    start(Table::Shipped);
    play(fairSpins(4000, 21));
    // A timer stands for the rest of the program: it must get its turn
    // while the test runs, and must find the buttons unusable then.
    int firedWhileRunning = 0;
    bool buttonsEnabled = false;
    QTimer other;
    other.setInterval(1);
    QObject::connect(&other, &QTimer::timeout, [&] {
        if (!test->isRunning()) return;
        ++firedWhileRunning;
        buttonsEnabled = buttonsEnabled || test->parityButton()->isEnabled();
    });
    other.start();
    press(test->randomOnlyButton());
    other.stop();
    EXPECT_GT(firedWhileRunning, 0);
    EXPECT_FALSE(buttonsEnabled);
    EXPECT_TRUE(test->randomOnlyButton()->isEnabled());
}
