// The small windows of the main menu: Properties, Balance, Random
// Properties, Generate Spins and About, driven with real clicks and keys.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>
#include <memory>

#include "core/table_geometry.h"
#include "ui/main/about_window.h"
#include "ui/main/balance_chart.h"
#include "ui/main/balance_window.h"
#include "ui/main/generate_spins_window.h"
#include "ui/main/main_window.h"
#include "ui/main/memo_edit.h"
#include "ui/main/properties_window.h"
#include "ui/main/random_properties_window.h"
#include "ui_test_support.h"

namespace {

using kv::MenuItem;

void setByKeys(QSpinBox* box, int value) {
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, QString::number(value));
    box->interpretText();
}

class SmallWindowsTest : public ::testing::Test {
protected:
    void SetUp() override {
        form = std::make_unique<kv::TForm1>();
        form->setFramePace(0, 0);
        properties = std::make_unique<kv::TForm2>(*form);
        balance = std::make_unique<kv::TForm3>(*form);
        random = std::make_unique<kv::TForm5>(*form);
        generate = std::make_unique<kv::TForm7>(*form);
        about = std::make_unique<kv::TAboutBox>(*form);
        form->show();
        form->FormActivate();
    }
    void TearDown() override {
        about.reset();
        generate.reset();
        random.reset();
        balance.reset();
        properties.reset();
        form.reset();
    }
    kv::GameState& s() { return form->state(); }

    std::unique_ptr<kv::TForm1> form;
    std::unique_ptr<kv::TForm2> properties;
    std::unique_ptr<kv::TForm3> balance;
    std::unique_ptr<kv::TForm5> random;
    std::unique_ptr<kv::TForm7> generate;
    std::unique_ptr<kv::TAboutBox> about;
};

}  // namespace

TEST_F(SmallWindowsTest, WindowsStartHiddenAndTheirMenuItemsWork) {
    for (QWidget* w : std::initializer_list<QWidget*>{properties.get(), balance.get(), random.get(), generate.get(),
                                                      about.get()}) {
        EXPECT_FALSE(w->isVisible()) << w->objectName().toStdString();
    }
    for (MenuItem item : {MenuItem::GameProperties, MenuItem::Balance, MenuItem::RandomProperties,
                          MenuItem::GenerateSpins, MenuItem::About}) {
        EXPECT_TRUE(form->action(item)->isEnabled());
    }
    form->action(MenuItem::About)->trigger();
    EXPECT_TRUE(about->isVisible());
    QTest::mouseClick(about->okButton(), Qt::LeftButton);
    EXPECT_FALSE(about->isVisible()) << "closing only hides";
    form->action(MenuItem::About)->trigger();
    EXPECT_TRUE(about->isVisible());
}

TEST_F(SmallWindowsTest, PropertiesOkStoresTheLimitsAndCancelForgetsEdits) {
    form->action(MenuItem::GameProperties)->trigger();
    ASSERT_TRUE(properties->isVisible());
    EXPECT_TRUE(form->PropertiesOpen);
    EXPECT_EQ(properties->minBox(0)->value(), 5);
    EXPECT_EQ(properties->maxBox(6)->value(), 25);
    setByKeys(properties->minBox(0), 10);
    setByKeys(properties->maxBox(6), 40);
    setByKeys(properties->inputCreditsBox(), 900);
    QTest::mouseClick(properties->okButton(), Qt::LeftButton);
    EXPECT_FALSE(properties->isVisible());
    EXPECT_FALSE(form->PropertiesOpen);
    EXPECT_EQ(s().TableLimits.min(kv::PayoutClass::Even), 10);
    EXPECT_EQ(s().TableLimits.max(kv::PayoutClass::Straight), 40);
    EXPECT_EQ(s().InputCredits, 900);

    // The new minimum applies to the next click on the table.
    s().Credit = 500;
    const kv::TablePoint red = kv::categoryPoint(kv::Category::RED);
    form->PaintBox1MouseDown(kv::MouseButton::Left, red.x, red.y);
    EXPECT_EQ(s().CurrentBets.at(11, 8), 10);

    form->action(MenuItem::GameProperties)->trigger();
    setByKeys(properties->minBox(1), 99);
    QTest::mouseClick(properties->cancelButton(), Qt::LeftButton);
    EXPECT_EQ(s().TableLimits.min(kv::PayoutClass::Dozen), 2);
    form->action(MenuItem::GameProperties)->trigger();
    EXPECT_EQ(properties->minBox(1)->value(), 2) << "shows the stored value again";

    // The factory button restores the factory values, for OK to store.
    QTest::mouseClick(properties->factoryButton(), Qt::LeftButton);
    EXPECT_EQ(properties->minBox(0)->value(), 5);
    EXPECT_EQ(s().TableLimits.min(kv::PayoutClass::Even), 10);
    QTest::mouseClick(properties->okButton(), Qt::LeftButton);
    EXPECT_EQ(s().TableLimits, kv::TableLimits{});
    EXPECT_EQ(s().InputCredits, 500);
}

TEST_F(SmallWindowsTest, PropertiesRefusesAMinimumAboveItsMaximum) {
    form->action(MenuItem::GameProperties)->trigger();
    setByKeys(properties->minBox(6), 30);  // 1/35: max 25
    setByKeys(properties->minBox(0), 7);
    kvtest::MessageBoxCatcher catcher;
    QTest::mouseClick(properties->okButton(), Qt::LeftButton);
    EXPECT_EQ(catcher.count(), 1);
    EXPECT_TRUE(catcher.text().contains(QStringLiteral("1/35"))) << catcher.text().toStdString();
    EXPECT_EQ(s().TableLimits, kv::TableLimits{}) << "nothing changes";
    EXPECT_TRUE(properties->isVisible());
    EXPECT_TRUE(form->PropertiesOpen);
}

TEST_F(SmallWindowsTest, PropertiesOpensOnlyOnceUntilClosed) {
    form->action(MenuItem::GameProperties)->trigger();
    properties->hide();  // hidden by other means than its buttons or close
    form->action(MenuItem::GameProperties)->trigger();
    EXPECT_FALSE(properties->isVisible()) << "the second command does nothing";
    properties->show();
    properties->close();
    EXPECT_FALSE(form->PropertiesOpen);
    form->action(MenuItem::GameProperties)->trigger();
    EXPECT_TRUE(properties->isVisible());
}

TEST_F(SmallWindowsTest, BalanceMovesMoneyBetweenPocketAndTable) {
    s().Credit = 300;
    s().Balance = -300;
    s().CurrentBets.at(11, 8) = 40;
    s().InputCredits = 500;
    form->action(MenuItem::Balance)->trigger();
    ASSERT_TRUE(balance->isVisible());
    EXPECT_EQ(balance->balanceValue()->text(), QStringLiteral("-300"));
    EXPECT_EQ(balance->creditValue()->text(), QStringLiteral("300"));
    EXPECT_EQ(balance->amountBox()->value(), 500);
    // Asking for more than is free takes everything not on the table.
    QTest::mouseClick(balance->getMoneyButton(), Qt::LeftButton);
    EXPECT_EQ(s().Credit, 40);
    EXPECT_EQ(s().Balance, -40);
    EXPECT_FALSE(balance->isVisible());

    form->action(MenuItem::Balance)->trigger();
    setByKeys(balance->amountBox(), 100);
    QTest::mouseClick(balance->putMoneyButton(), Qt::LeftButton);
    EXPECT_EQ(s().Credit, 140);
    EXPECT_EQ(s().Balance, -140);

    form->action(MenuItem::Balance)->trigger();
    setByKeys(balance->amountBox(), 30);
    QTest::mouseClick(balance->getMoneyButton(), Qt::LeftButton);
    EXPECT_EQ(s().Credit, 110);
    EXPECT_EQ(s().Balance, -110);
}

TEST_F(SmallWindowsTest, BalanceChartFillsTheWindowButTheStrip) {
    balance->show();
    balance->resize(590, 270);  // outer 600 x 300
    QApplication::processEvents();
    EXPECT_EQ(balance->chart()->size(), QSize(600 - 266, 300 - 48));
}

TEST_F(SmallWindowsTest, BalanceChartWithoutSpinsPutsZeroInTheMiddle) {
    QImage img(200, 100, QImage::Format_RGB32);
    s().insertukazhis(-s().SpinCount);
    kv::drawBalanceChart(img, s());
    EXPECT_EQ(kvtest::pixelAt(img, 100, 50), kv::clBlack) << "zero line";
    EXPECT_EQ(kvtest::pixelAt(img, 100, 30), kv::clWhite);
    EXPECT_EQ(kvtest::pixelAt(img, 0, 0), kv::clBlack) << "outline";

    // A rising game: the blue line starts low on the left.
    for (int k = 1; k <= 4; ++k) {
        s().RecordSpin(1);
        s().setResultHistory(k, k * 100);
    }
    kv::drawBalanceChart(img, s());
    int blue = 0;
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 200; ++x) blue += kvtest::pixelAt(img, x, y) == kv::clBlue;
    EXPECT_GT(blue, 100);
}

TEST_F(SmallWindowsTest, RandomPropertiesShowsAndStoresTheDepth) {
    s().RandomDepth = 3;
    form->action(MenuItem::RandomProperties)->trigger();
    EXPECT_EQ(random->depthBox()->value(), 3);
    setByKeys(random->depthBox(), 17);
    QTest::mouseClick(random->okButton(), Qt::LeftButton);
    EXPECT_EQ(s().RandomDepth, 17);
    form->action(MenuItem::RandomProperties)->trigger();
    setByKeys(random->depthBox(), 9);
    QTest::mouseClick(random->cancelButton(), Qt::LeftButton);
    EXPECT_EQ(s().RandomDepth, 17);
}

TEST_F(SmallWindowsTest, GenerateSpinsAddsSpinsWithoutBetsAndMoney) {
    // One played spin with a bet, to see it move up.
    s().Credit = 100;
    const kv::TablePoint red = kv::categoryPoint(kv::Category::RED);
    form->PaintBox1MouseDown(kv::MouseButton::Left, red.x, red.y);
    form->action(MenuItem::OnlineGame)->trigger();
    form->enterMemoLine(QStringLiteral("14"));
    ASSERT_EQ(s().SpinCount, 1);
    const int32_t credit = s().Credit;

    form->action(MenuItem::GenerateSpins)->trigger();
    generate->edit()->selectAll();
    QTest::keyClicks(generate->edit(), QStringLiteral("1,500"));
    QTest::mouseClick(generate->generateButton(), Qt::LeftButton);
    EXPECT_EQ(s().SpinCount, 1501);
    EXPECT_EQ(s().SpinHistory(1501), 14);
    EXPECT_EQ(s().SpinBets(1501).at(11, 8), 5);
    for (int k : {1, 2, 750, 1500}) {
        EXPECT_TRUE(s().SpinBets(k).empty()) << k;
        EXPECT_GE(s().SpinHistory(k), 0);
        EXPECT_LE(s().SpinHistory(k), 36);
    }
    EXPECT_EQ(s().Credit, credit);
    EXPECT_EQ(form->Memo1()->lines().last(), QStringLiteral("Generate 1500 spins"));
    EXPECT_FALSE(generate->isVisible());

    form->action(MenuItem::GenerateSpins)->trigger();
    generate->edit()->setText(QStringLiteral("0"));
    QTest::mouseClick(generate->generateButton(), Qt::LeftButton);
    EXPECT_EQ(s().SpinCount, 1501);
    EXPECT_EQ(form->Memo1()->lines().last(), QStringLiteral("Generate 0 spins"));
}

TEST_F(SmallWindowsTest, GenerateSpinsRefusesCountsBeyondItsRange) {
    form->action(MenuItem::GenerateSpins)->trigger();
    for (const char* text : {"30001", "99999999999"}) {
        generate->edit()->setText(QString::fromLatin1(text));
        kvtest::MessageBoxCatcher catcher;
        QTest::mouseClick(generate->generateButton(), Qt::LeftButton);
        EXPECT_EQ(catcher.count(), 1) << text;
        EXPECT_EQ(s().SpinCount, 0) << text;
    }
    EXPECT_TRUE(generate->isVisible());
    generate->edit()->setText(QStringLiteral("none"));
    QTest::mouseClick(generate->generateButton(), Qt::LeftButton);
    EXPECT_EQ(s().SpinCount, 0) << "no digits: nothing happens";
    // The up-down writes thousands separators, which Generate ignores.
    generate->edit()->setText(QStringLiteral("999"));
    generate->stepUpDown(1);
    EXPECT_EQ(generate->edit()->text(), QStringLiteral("1,000"));
}
