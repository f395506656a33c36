// The Calculate window driven like a player does: check boxes, sliders,
// fields and up-downs, the defaults button, "CALC" and Ctrl+C, with the
// chips landing on the main window's table.
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
#include "calculate/calculate_window.h"
#include "calculate/field_real.h"
#include "core/bets.h"
#include "core/table_geometry.h"
#include "files/settings_file.h"
#include "ui/canvas.h"
#include "ui/main/main_window.h"
#include "ui/main/memo_edit.h"

namespace {

using kv::Category;

constexpr uint32_t kChartBackground = 0xFFE0E0;
constexpr uint32_t kChartLine = 0xFF0000;

char sep() { return QLocale::system().decimalPoint() == QStringLiteral(",") ? ',' : '.'; }
QString real(double v) { return QString::fromStdString(kv::FormatFieldReal(v, sep())); }

class CalculateWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        form = std::make_unique<kv::TForm1>();
        form->setFramePace(0, 0);
        form->show();
        activateMain();
        form->FormActivate();
        s().NewGame();
        form->redrawTable();
    }
    void TearDown() override {
        calc.reset();
        form.reset();
    }

    void makeWindow() { calc = std::make_unique<kv::TForm10>(*form); }
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
    static void clickBox(QCheckBox* box) { QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2)); }
    static void type(QLineEdit* field, const QString& text) {
        field->setFocus();
        field->selectAll();
        QTest::keyClicks(field, text);
    }
    uint32_t chartPixel(int x, int y) const { return kv::rgbToWin(calc->chartImage().pixel(x, y)); }

    std::unique_ptr<kv::TForm1> form;
    std::unique_ptr<kv::TForm10> calc;
};

TEST_F(CalculateWindowTest, FirstStartShowsTheWindowAsBuilt) {
    makeWindow();
    EXPECT_EQ(calc->windowTitle(), "Calculate");
    EXPECT_EQ(calc->statisticNumbersEdit()->text(), "0");
    EXPECT_EQ(calc->downturnEdit()->text(), "0,75");
    EXPECT_EQ(calc->errorsEdit()->text(), "2");
    EXPECT_FALSE(calc->randomPlayBox()->isChecked());
    for (int k = 1; k <= kv::kAdviceCategories; ++k) {
        EXPECT_FALSE(calc->categoryBox(k)->isChecked()) << k;
        EXPECT_FALSE(calc->betAlwaysBox(k)->isChecked()) << k;
        EXPECT_EQ(calc->slider(k)->value(), 1) << k;
        EXPECT_EQ(calc->valueLabel(k)->text(), "0.01") << k;
        // Every category is off, so all of its controls wait.
        EXPECT_FALSE(calc->betAlwaysBox(k)->isEnabled()) << k;
        EXPECT_FALSE(calc->slider(k)->isEnabled()) << k;
    }
    EXPECT_EQ(calc->chartBox()->size(), QSize(192, 161));
    EXPECT_FALSE(calc->isVisible()) << "created hidden";
}

TEST_F(CalculateWindowTest, CalcPutsTheAdvisedChipsOnTheTableUnderItsRules) {
    // The latest spins black (4), black (2), red (1), all in the first dozen.
    play({1, 2, 4});
    makeWindow();
    showWindow();
    clickBox(calc->categoryBox(kv::kRedBlack));
    clickBox(calc->betAlwaysBox(kv::kRedBlack));
    clickBox(calc->categoryBox(kv::kDozens));
    clickBox(calc->betAlwaysBox(kv::kDozens));
    type(calc->statisticNumbersEdit(), "3");
    type(calc->errorsEdit(), "5");  // out of reach of three spins: never turned round

    QTest::mouseClick(calc->calcButton(), Qt::LeftButton);
    // Red came less (0.5625 against 1.75): one chip there, raised to the
    // even-chance minimum; the two cold dozens get one chip each, raised to
    // their minimum; the hot first dozen nothing.
    EXPECT_EQ(betOn(kv::categoryPoint(Category::RED)), 5);
    EXPECT_EQ(betOn(kv::categoryPoint(Category::BLACK)), 0);
    EXPECT_EQ(betOn(kv::categoryPoint(Category::DOZ1)), 0);
    EXPECT_EQ(betOn(kv::categoryPoint(Category::DOZ2)), 2);
    EXPECT_EQ(betOn(kv::categoryPoint(Category::DOZ3)), 2);
    EXPECT_EQ(s().CurrentBets.sum(), 9);
    EXPECT_EQ(s().Bet, 9);

    // With only 6 of free credit the table refuses what no longer fits.
    s().CurrentBets.clear();
    s().Bet = 0;
    s().Credit = 6;
    QTest::mouseClick(calc->calcButton(), Qt::LeftButton);
    EXPECT_EQ(betOn(kv::categoryPoint(Category::RED)), 5);
    EXPECT_EQ(s().CurrentBets.sum(), 5);
    EXPECT_EQ(s().Bet, 5);

    // While the table shows a result, clicks only shorten that phase.
    s().CurrentBets.clear();
    s().Bet = 0;
    s().Credit = 500;
    s().ResultTicks = 50;
    QTest::mouseClick(calc->calcButton(), Qt::LeftButton);
    EXPECT_EQ(s().CurrentBets.sum(), 0);
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
    EXPECT_TRUE(calc->isVisible());

    // Also while the memo has the focus, where a text box would copy.
    s().CurrentBets.clear();
    activateMain();
    form->Memo1()->setFocus();
    QTest::keyClick(form->Memo1(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(s().CurrentBets.sum(), 5);
}



TEST_F(CalculateWindowTest, FieldsSlidersAndUpDowns) {
    makeWindow();
    showWindow();
    type(calc->statisticNumbersEdit(), "12a");
    EXPECT_EQ(calc->statisticNumbersEdit()->text(), "12");
    EXPECT_EQ(record().CalcStatisticNumbers, "12");

    // "Errors" keeps digits only; its up-down starts from what was typed
    // and also writes the closing group.
    type(calc->errorsEdit(), "x7");
    EXPECT_EQ(calc->errorsEdit()->text(), "7");
    EXPECT_EQ(record().CalcClosingErrors, "2") << "typing alone does not reach the closing group";
    QTest::mouseClick(calc->errorsUp(), Qt::LeftButton);
    EXPECT_EQ(calc->errorsEdit()->text(), "8");
    EXPECT_EQ(record().CalcErrors, "8");
    EXPECT_EQ(record().CalcClosingErrors, "8");
    type(calc->errorsEdit(), "0");
    QTest::mouseClick(calc->errorsDown(), Qt::LeftButton);
    EXPECT_EQ(calc->errorsEdit()->text(), "0") << "the up-down stops at 0";

    // The "Downturn Factor" up-down writes the system's notation, which
    // reads back as the same number.
    QTest::mouseClick(calc->downturnDown(), Qt::LeftButton);
    EXPECT_EQ(calc->downturnEdit()->text(), real(0.74));
    EXPECT_DOUBLE_EQ(kv::ParseFieldReal(record().CalcDownturnFactor), 0.74);

    // Sliders only move while their category is on and not "Bet Always".
    clickBox(calc->categoryBox(kv::kOddEven));
    calc->slider(kv::kOddEven)->setFocus();
    QTest::keyClick(calc->slider(kv::kOddEven), Qt::Key_End);
    EXPECT_EQ(calc->valueLabel(kv::kOddEven)->text(), real(0.99));
    EXPECT_EQ(record().CalcSliders[1], 99);
    EXPECT_EQ(record().CalcSliderLabels[1], real(0.99).toStdString());
    QTest::keyClick(calc->slider(kv::kOddEven), Qt::Key_Home);
    EXPECT_EQ(calc->valueLabel(kv::kOddEven)->text(), "0.01");
    EXPECT_DOUBLE_EQ(kv::Confidence(calc->calculateSettings(), kv::kOddEven), 0.01);
}


TEST_F(CalculateWindowTest, RandomPlayRandomisesTheSettingsBeforeTheRun) {
    play({1, 2, 4});
    makeWindow();
    showWindow();
    clickBox(calc->categoryBox(kv::kLowHigh));
    clickBox(calc->randomPlayBox());
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
    EXPECT_EQ(calc->errorsEdit()->text().toStdString(), expected.errors);
    EXPECT_EQ(calc->downturnEdit()->text().toStdString(), expected.downturnFactor);
    for (int k = 1; k <= kv::kAdviceCategories; ++k) {
        EXPECT_EQ(calc->slider(k)->value(), expected.confidencePosition[k]) << k;
        EXPECT_EQ(calc->valueLabel(k)->text().toStdString(), expected.confidenceText[k]) << k;
    }
    EXPECT_EQ(record().CalcErrors, expected.errors);
    EXPECT_EQ(record().CalcDownturnFactor, expected.downturnFactor);
    EXPECT_EQ(s().CurrentBets, copy.CurrentBets) << "the run used the new values";
}

TEST_F(CalculateWindowTest, SettingsSurviveARestart) {
    makeWindow();
    showWindow();
    clickBox(calc->categoryBox(kv::kRedBlack));
    clickBox(calc->categoryBox(kv::kLowHigh));
    clickBox(calc->betAlwaysBox(kv::kLowHigh));
    clickBox(calc->categoryBox(kv::kNumbers));
    calc->slider(kv::kNumbers)->setFocus();
    QTest::keyClick(calc->slider(kv::kNumbers), Qt::Key_PageUp);  // 1 + 10
    type(calc->statisticNumbersEdit(), "25");
    QTest::mouseClick(calc->downturnUp(), Qt::LeftButton);
    type(calc->errorsEdit(), "4");
    clickBox(calc->randomPlayBox());
    EXPECT_EQ(record().CalcClosingStatisticNumbers, "0") << "the closing group waits for the window to close";
    calc->close();
    EXPECT_EQ(record().CalcClosingCategories, (std::array<bool, 6>{true, false, true, false, false, true}));
    EXPECT_EQ(record().CalcClosingStatisticNumbers, "25");
    EXPECT_EQ(record().CalcClosingErrors, "4");
    const kv::CalculateSettings before = calc->calculateSettings();

    // Through the settings file into a fresh program.
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::filesystem::path file = dir.filePath(QStringLiteral("info.ini")).toStdString();
    ASSERT_TRUE(kv::SaveSettings(file, s(), record()).ok());
    calc.reset();
    form.reset();
    form = std::make_unique<kv::TForm1>();
    kv::GameState game;
    kv::Settings loaded;
    ASSERT_EQ(kv::LoadSettings(file, game, loaded).outcome, kv::LastGameLoad::Outcome::Loaded);
    form->settings() = loaded;
    makeWindow();

    EXPECT_EQ(calc->calculateSettings(), before);
    EXPECT_EQ(calc->statisticNumbersEdit()->text(), "25");
    EXPECT_EQ(calc->downturnEdit()->text(), real(0.76));
    EXPECT_EQ(calc->errorsEdit()->text(), "4");
    EXPECT_EQ(calc->errorsPosition(), 4) << "from the closing group";
    EXPECT_TRUE(calc->randomPlayBox()->isChecked());
    EXPECT_TRUE(calc->categoryBox(kv::kRedBlack)->isChecked());
    EXPECT_TRUE(calc->betAlwaysBox(kv::kLowHigh)->isChecked());
    EXPECT_FALSE(calc->slider(kv::kLowHigh)->isEnabled());
    EXPECT_TRUE(calc->slider(kv::kNumbers)->isEnabled());
    EXPECT_EQ(calc->slider(kv::kNumbers)->value(), 11);
    EXPECT_EQ(calc->valueLabel(kv::kNumbers)->text(), real(0.11));
    EXPECT_FALSE(calc->betAlwaysBox(kv::kDozens)->isEnabled());
}

}  // namespace
