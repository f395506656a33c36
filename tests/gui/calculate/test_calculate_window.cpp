// The Calculate window driven like a player does: check boxes, sliders,
// fields and up-downs, "CALC" and Ctrl+C, with the chips landing on the main
// window's table. The advice itself is tested in tests/calculate.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <filesystem>
#include <initializer_list>
#include <memory>

#include "calculate/calculate_plan.h"
#include "calculate/field_real.h"
#include "core/bets.h"
#include "core/table_geometry.h"
#include "files/settings_file.h"
#include "gui/calculate/calculate_window.h"
#include "gui/common/canvas.h"
#include "gui/gui_test_support.h"
#include "gui/table/main_window.h"
#include "gui/table/memo_edit.h"

namespace {

using kv::Category;

char sep() { return QLocale::system().decimalPoint() == QStringLiteral(",") ? ',' : '.'; }

class CalculateWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        form = std::make_unique<kv::MainWindow>();
        form->setFramePace(0, 0);
        form->show();
        activateMain();
        form->applyStoredModesOnce();
        s().NewGame();
        form->redrawTable();
    }
    void TearDown() override {
        calc.reset();
        form.reset();
    }

    void makeWindow() { calc = std::make_unique<kv::CalculateWindow>(*form); }
    void activateMain() {
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }
    void showWindow() {
        calc->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(calc.get()));
    }
    kv::GameState& s() { return form->state(); }
    kv::Settings& record() { return form->settings(); }
    // Spins played oldest first, as the table records them.
    void play(std::initializer_list<int> oldestFirst) {
        for (const int n : oldestFirst) s().RecordSpin(n);
    }
    int32_t betOn(kv::TablePoint p) {
        const auto cell = kv::HitTest(p.x, p.y);
        return cell ? s().CurrentBets.at(cell->c, cell->r) : -1;
    }

    std::unique_ptr<kv::MainWindow> form;
    std::unique_ptr<kv::CalculateWindow> calc;
};

TEST_F(CalculateWindowTest, CalcPutsTheAdvisedChipsOnTheTable) {
    // The latest spins black (4), black (2), red (1), all in the first dozen.
    play({1, 2, 4});
    makeWindow();
    showWindow();
    kvtest::clickBox(calc->categoryBox(kv::kRedBlack));
    kvtest::clickBox(calc->betAlwaysBox(kv::kRedBlack));
    kvtest::clickBox(calc->categoryBox(kv::kDozens));
    kvtest::clickBox(calc->betAlwaysBox(kv::kDozens));
    kvtest::typeInto(calc->statisticNumbersEdit(), "3");
    kvtest::typeInto(calc->errorsEdit(), "5");  // out of reach of three spins: never turned round

    QTest::mouseClick(calc->calcButton(), Qt::LeftButton);
    // Red came less (0.5625 against 1.75): one chip there, raised to the
    // even-chance minimum; the two cold dozens get one chip each, raised to
    // their minimum; the hot first dozen nothing.
    EXPECT_EQ(betOn(kv::categoryPoint(Category::RED)), 5);
    EXPECT_EQ(betOn(kv::categoryPoint(Category::DOZ2)), 2);
    EXPECT_EQ(s().Bet, 9);
}

TEST_F(CalculateWindowTest, CtrlCShowsTheWindowThenCalculates) {
    play({1, 2, 4});
    record().CalcCategories = {1, 0, 0, 0, 0, 0};
    record().CalcBetAlways = {1, 0, 0, 0, 0, 0};
    record().CalcErrors = "5";
    makeWindow();
    ASSERT_TRUE(form->action(kv::MenuItem::Calculate)->isEnabled());

    QTest::keyClick(form.get(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_TRUE(calc->isVisible());
    EXPECT_EQ(s().CurrentBets.sum(), 0) << "the first Ctrl+C only shows the window";

    activateMain();
    QTest::keyClick(form.get(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(betOn(kv::categoryPoint(Category::RED)), 5);
    EXPECT_EQ(s().CurrentBets.sum(), 5);

    // Also while the memo has the focus, where a text box would copy.
    s().CurrentBets.clear();
    activateMain();
    form->memo()->setFocus();
    QTest::keyClick(form->memo(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(s().CurrentBets.sum(), 5);
}

TEST_F(CalculateWindowTest, RandomPlayRandomisesTheSettingsBeforeTheRun) {
    play({1, 2, 4});
    makeWindow();
    showWindow();
    kvtest::clickBox(calc->categoryBox(kv::kLowHigh));
    kvtest::clickBox(calc->randomPlayBox());
    s().rng.setSeed(4242);
    kv::CalculateSettings expected = calc->calculateSettings();
    kv::Generator rng = s().rng;
    kv::RandomPlay(expected, rng, sep());
    // The same run over a copy of the game, through the table's rules.
    kv::GameState copy = s();
    for (const kv::TableClick& c : kv::planCalculate(expected, copy).clicks)
        kv::tableMouseDown(copy, c.button, c.point.x, c.point.y);

    QTest::mouseClick(calc->calcButton(), Qt::LeftButton);
    EXPECT_EQ(calc->calculateSettings(), expected);
    EXPECT_EQ(record().CalcErrors, expected.errors);
    EXPECT_EQ(s().CurrentBets, copy.CurrentBets) << "the run used the new values";
}

}  // namespace
