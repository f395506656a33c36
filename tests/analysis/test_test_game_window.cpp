// The Test Game window over a real main window: the three buttons pressed
// with the mouse over typed and generated histories, the report in the memo,
// the curves in the paint box, the missing limits table and the resize
// layout.
#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "analysis/test_game_window.h"
#include "core/table_geometry.h"
#include "ui/canvas.h"
#include "ui/image_box.h"
#include "ui/main/main_window.h"
#include "ui/main/memo_edit.h"
#include "ui/main/table_paint_box.h"

namespace {

using Lines = std::vector<std::string>;

enum class Table { Shipped, Missing, Short };

// Every test starts the program in a folder of its own, so the window reads
// exactly the rndtest.dat the test put there (and no info.ini).
class TestGameWindowTest : public ::testing::Test {
protected:
    void start(Table table) {
        ASSERT_TRUE(dir.isValid());
        const QString target = dir.filePath(QStringLiteral("rndtest.dat"));
        if (table == Table::Shipped) {
            ASSERT_TRUE(QFile::copy(QStringLiteral(KV_SOURCE_DIR "/data/rndtest.dat"), target));
        } else if (table == Table::Short) {
            QFile f(target);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            for (int i = 0; i < 10; ++i) f.write("0.5\r\n");
        }
        oldDir = QDir::currentPath();
        QDir::setCurrent(dir.path());
        form = std::make_unique<kv::TForm1>();
        form->setFramePace(0, 0);
        form->state().NewGame();
        test = std::make_unique<kv::TForm6>(*form);
        test->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(test.get()));
    }
    void TearDown() override {
        test.reset();
        form.reset();
        if (!oldDir.isEmpty()) QDir::setCurrent(oldDir);
    }

    kv::GameState& s() { return form->state(); }
    // Records spins in the order of play.
    void play(const std::vector<int>& numbers) {
        for (int n : numbers) s().RecordSpin(n);
    }
    // Types numbers into the main window's memo as a player of an online
    // casino does; they settle against the chips on the table.
    void typeSpins(const QString& text) {
        form->Memo1()->setFocus();
        form->Memo1()->clear();
        QTest::keyClicks(form->Memo1(), text);
        QTest::keyClick(form->Memo1(), Qt::Key_Return);
    }
    void clickTable(kv::TablePoint p) { QTest::mouseClick(form->PaintBox1(), Qt::LeftButton, Qt::NoModifier, QPoint(p.x, p.y)); }
    void press(QToolButton* b) { QTest::mouseClick(b, Qt::LeftButton, Qt::NoModifier, b->rect().center()); }
    Lines memo() const { return test->memoLines(); }

    // Counts pixels of a colour inside the paint box, away from the frame
    // and from the two legend lines.
    int curvePixels(uint32_t colour) const {
        const QImage& img = test->PaintBox1()->image();
        int n = 0;
        for (int y = 18; y < img.height() - 18; ++y)
            for (int x = 1; x < img.width() - 1; ++x) n += kv::rgbToWin(img.pixel(x, y)) == colour;
        return n;
    }
    int pixelsOf(uint32_t colour) const {
        const QImage& img = test->PaintBox1()->image();
        int n = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x) n += kv::rgbToWin(img.pixel(x, y)) == colour;
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

    QTemporaryDir dir;
    QString oldDir;
    std::unique_ptr<kv::TForm1> form;
    std::unique_ptr<kv::TForm6> test;
};

}  // namespace

TEST_F(TestGameWindowTest, OpensFromTheGameMenuWithItsControlsInPlace) {
    start(Table::Shipped);
    test->hide();
    QAction* item = form->action(kv::MenuItem::TestGame);
    ASSERT_TRUE(item->isEnabled());
    EXPECT_EQ(item->text(), QStringLiteral("Test Game"));
    EXPECT_EQ(item->toolTip(), QStringLiteral("Test your Online Casino on honesty"));
    item->trigger();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(test.get()));
    EXPECT_EQ(test->windowTitle(), QStringLiteral("Test Game"));
    // The stored outer size 614 x 301 of a window without menu.
    EXPECT_EQ(test->size(), QSize(604, 271));
    EXPECT_EQ(test->SpeedButton1()->geometry(), QRect(8, 8, 121, 41));
    EXPECT_EQ(test->SpeedButton2()->geometry(), QRect(8, 56, 121, 41));
    EXPECT_EQ(test->SpeedButton3()->geometry(), QRect(8, 104, 121, 41));
    EXPECT_EQ(test->SpeedButton1()->toolTip(), QStringLiteral("Test your Online Casino on honesty"));
    EXPECT_EQ(test->SpeedButton2()->toolTip(), QStringLiteral("Test your Online Casino on honesty"));
    EXPECT_FALSE(test->SpeedButton1()->icon().isNull());
    EXPECT_EQ(test->ProgressBar1()->geometry(), QRect(8, 152, 121, 16));
    EXPECT_EQ(test->Label1()->text(), QStringLiteral("Collecting more"));
    EXPECT_EQ(test->Label2()->text(), QStringLiteral("Statistic"));
    EXPECT_EQ(test->Button3()->text(), QStringLiteral("Close"));
    EXPECT_EQ(test->Memo1()->pos(), QPoint(136, 8));
    EXPECT_EQ(test->PaintBox1()->pos(), QPoint(360, 8));
    EXPECT_TRUE(test->limits().present());
    // No test yet: a white box with its black frame and nothing else.
    EXPECT_EQ(test->curve().mode, kv::CurveMode::None);
    const QImage& img = test->PaintBox1()->image();
    ASSERT_EQ(img.size(), test->PaintBox1()->size());
    EXPECT_EQ(kv::rgbToWin(img.pixel(0, 0)), kv::clBlack);
    EXPECT_EQ(kv::rgbToWin(img.pixel(img.width() / 2, img.height() / 2)), kv::clWhite);
    EXPECT_EQ(pixelsOf(kv::clRed) + pixelsOf(kv::clBlue), 0);

    QTest::mouseClick(test->Button3(), Qt::LeftButton);
    EXPECT_FALSE(test->isVisible());
}

TEST_F(TestGameWindowTest, FirstButtonReportsOneShadyStretchAndDrawsTheDisorderCurve) {
    start(Table::Shipped);
    // 300 fair spins pass; the same spins with six 17s in a row (a range of
    // 6 in a window of 6, which the shipped table fails) are reported once.
    std::vector<int> spins = fairSpins(300, 11);
    for (int& n : spins) n = n == 17 ? 18 : n;
    play(spins);
    press(test->SpeedButton1());
    EXPECT_EQ(memo(), (Lines{"This Random is possible"}));
    EXPECT_EQ(test->ProgressBar1()->value(), 100);
    EXPECT_EQ(test->curve().mode, kv::CurveMode::Disorder);
    EXPECT_GT(curvePixels(kv::clBlue), 0);
    EXPECT_GT(curvePixels(kv::clRed), 0);

    s().NewGame();
    std::vector<int> shady(spins.begin(), spins.begin() + 150);
    shady.insert(shady.end(), 6, 17);
    shady.insert(shady.end(), spins.begin() + 150, spins.end());
    play(shady);
    press(test->SpeedButton1());
    EXPECT_EQ(memo(), (Lines{"From 151 position 6 shady Numbers", "---------------------------------------",
                             "WARNING ! ! !"}));
    EXPECT_GT(curvePixels(kv::clBlue), 0);
    EXPECT_GT(curvePixels(kv::clRed), 0);
    // The legend of the disorder curve: blue text at the top, red at the
    // bottom (smoothed glyphs: counted by their dominant colour).
    const QImage& img = test->PaintBox1()->image();
    int blueTop = 0, redBottom = 0;
    for (int x = 1; x < 150; ++x) {
        for (int y = 1; y < 10; ++y) {
            const QColor c = img.pixelColor(x, y);
            blueTop += c.blue() > c.red() + 100 && c.blue() > c.green() + 100;
        }
        for (int y = img.height() - 14; y < img.height() - 1; ++y) {
            const QColor c = img.pixelColor(x, y);
            redBottom += c.red() > c.blue() + 100 && c.red() > c.green() + 100;
        }
    }
    EXPECT_GT(blueTop, 0);
    EXPECT_GT(redBottom, 0);
}

TEST_F(TestGameWindowTest, SecondButtonSettlesTheTypedBetsAgainPerAmount) {
    start(Table::Shipped);
    // No bets at all: only the two header lines, no total, no curve strokes.
    play({5, 8, 13});
    press(test->SpeedButton2());
    EXPECT_EQ(memo(), (Lines{"BET    WIN (must be >=97.3)", "--------------------------------------"}));
    EXPECT_EQ(test->curve().mode, kv::CurveMode::Bets);

    // A player of an online casino: a chip on red (raised to the table's
    // minimum of 5) and one on 17, then four results typed in.
    s().NewGame();
    form->action(kv::MenuItem::OnlineGame)->trigger();
    s().Credit = 100;
    clickTable(kv::categoryPoint(kv::Category::RED));
    clickTable(kv::numberPoint(17));
    ASSERT_EQ(s().CurrentBets.at(kv::HitTest(kv::numberPoint(17).x, kv::numberPoint(17).y)->c,
                                 kv::HitTest(kv::numberPoint(17).x, kv::numberPoint(17).y)->r),
              1);
    typeSpins(QStringLiteral("2 17 1 3"));
    ASSERT_EQ(s().SpinCount, 4);
    press(test->SpeedButton2());
    // Amount 1 (17 straight): won 35 once, lost 1 three times. Amount 5
    // (red): lost 18 on 2 and on the black 17, won 18 on 1 and 3.
    EXPECT_EQ(memo(), (Lines{"BET    WIN (must be >=97.3)", "--------------------------------------", "1:        1166.67",
                             "5:        100", "--------------------------------------", "Full WIN 182.05"}));
    EXPECT_EQ(test->ProgressBar1()->value(), 100);
    // Three winning spins and one losing one: both colours of the curve.
    EXPECT_GT(curvePixels(kv::clBlue), 0);
    EXPECT_GT(curvePixels(kv::clRed), 0);

    // Losing only on one amount: its totals as "win/lose" and the warning.
    s().NewGame();
    kv::BetGrid grid;
    const auto cell = kv::HitTest(kv::numberPoint(7).x, kv::numberPoint(7).y);
    ASSERT_TRUE(cell.has_value());
    grid.at(cell->c, cell->r) = 3;
    for (int n : {1, 2, 4}) {
        s().CurrentBets = grid;
        s().RecordSpin(n);
    }
    press(test->SpeedButton2());
    EXPECT_EQ(memo(), (Lines{"BET    WIN (must be >=97.3)", "--------------------------------------", "3:        0/3"}));
}

TEST_F(TestGameWindowTest, ThirdButtonCountsZeroAsEvenAndBlanksThePictureOnly) {
    start(Table::Shipped);
    play(fairSpins(200, 5));
    press(test->SpeedButton1());
    ASSERT_GT(curvePixels(kv::clBlue), 0);

    s().NewGame();
    form->action(kv::MenuItem::OnlineGame)->trigger();
    typeSpins(QStringLiteral("0 2 3 14 0 7"));
    ASSERT_EQ(s().SpinCount, 6);
    press(test->SpeedButton3());
    EXPECT_EQ(memo(), (Lines{"Check on parity", "---------------", "Even 4", "Odd  2", "Must be -> 1", "2"}));
    EXPECT_EQ(pixelsOf(kv::clWhite), test->PaintBox1()->width() * test->PaintBox1()->height());
    // The curve is kept: the next resize draws it again.
    EXPECT_EQ(test->curve().mode, kv::CurveMode::Disorder);
    test->resize(test->width() + 20, test->height());
    EXPECT_GT(curvePixels(kv::clBlue), 0);

    s().NewGame();
    play({0, 2, 4});
    press(test->SpeedButton3());
    EXPECT_EQ(memo(), (Lines{"Check on parity", "---------------", "Even 3", "Odd  0", "Must be -> 1", "No odd Numbers"}));
}

TEST_F(TestGameWindowTest, MissingOrShortTableIsReportedAndTheOtherTestsStillRun) {
    start(Table::Missing);
    EXPECT_FALSE(test->limits().present());
    play(fairSpins(100, 3));
    press(test->SpeedButton1());
    EXPECT_EQ(memo(), (Lines{"The limits table is missing:", "rndtest.dat cannot be opened", "The test did not run"}));
    EXPECT_EQ(pixelsOf(kv::clRed) + pixelsOf(kv::clBlue), 0);
    press(test->SpeedButton3());
    EXPECT_EQ(memo().front(), "Check on parity");
}


TEST_F(TestGameWindowTest, ResizeMovesThePaintBoxMemoAndCloseButton) {
    start(Table::Shipped);
    play(fairSpins(120, 9));
    press(test->SpeedButton1());
    // Outer 800 x 400.
    test->resize(790, 370);
    EXPECT_EQ(test->PaintBox1()->geometry(), QRect(360, 8, 421, 351));
    EXPECT_EQ(test->Memo1()->geometry(), QRect(136, 8, 217, 351));
    EXPECT_EQ(test->Button3()->pos(), QPoint(8, 326));
    // The picture follows the box, with the curve drawn again at its size.
    EXPECT_EQ(test->PaintBox1()->image().size(), QSize(421, 351));
    EXPECT_GT(curvePixels(kv::clBlue), 0);
    EXPECT_EQ(kv::rgbToWin(test->PaintBox1()->image().pixel(420, 350)), kv::clBlack);
    // Outer height 260: below 261 the Close button stays at 192.
    test->resize(604, 230);
    EXPECT_EQ(test->PaintBox1()->size(), QSize(235, 211));
    EXPECT_EQ(test->Memo1()->height(), 211);
    EXPECT_EQ(test->Button3()->pos(), QPoint(8, 192));
    // Outer height 261: from there on it follows the bottom.
    test->resize(604, 231);
    EXPECT_EQ(test->Button3()->pos(), QPoint(8, 187));
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
        buttonsEnabled = buttonsEnabled || test->SpeedButton1()->isEnabled() || test->SpeedButton2()->isEnabled() ||
                         test->SpeedButton3()->isEnabled();
    });
    other.start();
    press(test->SpeedButton1());
    other.stop();
    EXPECT_GT(firedWhileRunning, 0);
    EXPECT_FALSE(buttonsEnabled);
    EXPECT_FALSE(test->isRunning());
    EXPECT_TRUE(test->SpeedButton1()->isEnabled());
    EXPECT_EQ(test->ProgressBar1()->value(), 100);
    EXPECT_EQ(memo().back(), "This Random is possible");
}
