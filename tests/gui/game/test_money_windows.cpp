// The small windows of the main menu: Properties, Balance, Random
// Properties and Generate Spins, driven with real clicks and keys. The money
// rules are tested in tests/core/test_money.cpp.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>
#include <memory>

#include "core/spin_store.h"
#include "gui/game/balance_window.h"
#include "gui/game/generate_spins_window.h"
#include "gui/game/properties_window.h"
#include "gui/game/random_properties_window.h"
#include "gui/gui_test_support.h"
#include "gui/table/main_window.h"
#include "gui/table/memo_edit.h"

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
        form = std::make_unique<kv::MainWindow>();
        form->setFramePace(0, 0);
        properties = std::make_unique<kv::PropertiesWindow>(*form);
        balance = std::make_unique<kv::BalanceWindow>(*form);
        random = std::make_unique<kv::RandomPropertiesWindow>(*form);
        generate = std::make_unique<kv::GenerateSpinsWindow>(*form);
        form->show();
        form->applyStoredModesOnce();
    }
    void TearDown() override {
        generate.reset();
        random.reset();
        balance.reset();
        properties.reset();
        form.reset();
    }
    kv::GameState& s() { return form->state(); }

    std::unique_ptr<kv::MainWindow> form;
    std::unique_ptr<kv::PropertiesWindow> properties;
    std::unique_ptr<kv::BalanceWindow> balance;
    std::unique_ptr<kv::RandomPropertiesWindow> random;
    std::unique_ptr<kv::GenerateSpinsWindow> generate;
};

}  // namespace

TEST_F(SmallWindowsTest, PropertiesAndRandomPropertiesStoreOnOkOnly) {
    form->action(MenuItem::GameProperties)->trigger();
    ASSERT_TRUE(properties->isVisible());
    setByKeys(properties->minBox(0), 10);
    setByKeys(properties->inputCreditsBox(), 900);
    QTest::mouseClick(properties->okButton(), Qt::LeftButton);
    EXPECT_FALSE(properties->isVisible());
    EXPECT_EQ(s().TableLimits.min(kv::PayoutClass::Even), 10);
    EXPECT_EQ(s().InputCredits, 900);

    form->action(MenuItem::GameProperties)->trigger();
    setByKeys(properties->minBox(1), 99);
    QTest::mouseClick(properties->cancelButton(), Qt::LeftButton);
    EXPECT_EQ(s().TableLimits.min(kv::PayoutClass::Dozen), 2);

    // A refused edit is told and keeps the window open.
    form->action(MenuItem::GameProperties)->trigger();
    QTest::mouseClick(properties->factoryButton(), Qt::LeftButton);
    setByKeys(properties->minBox(6), 30);  // 1/35: max 25
    kvtest::MessageBoxCatcher catcher;
    QTest::mouseClick(properties->okButton(), Qt::LeftButton);
    EXPECT_TRUE(catcher.text().contains(QStringLiteral("1/35"))) << catcher.text().toStdString();
    EXPECT_EQ(s().TableLimits.min(kv::PayoutClass::Even), 10) << "nothing changes";
    EXPECT_TRUE(properties->isVisible());
    properties->close();
    EXPECT_FALSE(form->PropertiesOpen);

    s().RandomDepth = 3;
    form->action(MenuItem::RandomProperties)->trigger();
    EXPECT_EQ(random->depthBox()->value(), 3);
    setByKeys(random->depthBox(), 17);
    QTest::mouseClick(random->okButton(), Qt::LeftButton);
    EXPECT_EQ(s().RandomDepth, 17);
}

TEST_F(SmallWindowsTest, BalanceMovesMoneyBetweenPocketAndTable) {
    s().Credit = 300;
    s().Balance = -300;
    s().CurrentBets.at(11, 8) = 40;
    form->action(MenuItem::Balance)->trigger();
    ASSERT_TRUE(balance->isVisible());
    EXPECT_EQ(balance->balanceValue()->text(), QStringLiteral("-300"));
    // Asking for more than is free takes everything not on the table.
    QTest::mouseClick(balance->getMoneyButton(), Qt::LeftButton);
    EXPECT_EQ(s().Credit, 40);
    EXPECT_EQ(s().Balance, -40);
    EXPECT_FALSE(balance->isVisible());

    form->action(MenuItem::Balance)->trigger();
    setByKeys(balance->amountBox(), 100);
    QTest::mouseClick(balance->putMoneyButton(), Qt::LeftButton);
    EXPECT_EQ(s().Credit, 140);
}

TEST_F(SmallWindowsTest, GenerateSpinsAddsSpinsWithoutMoneyAndRefusesTooMany) {
    form->action(MenuItem::GenerateSpins)->trigger();
    // More than the history holds, or than 32 bits: told, and nothing changes.
    for (const QString& text : {QString::number(kv::kMaxHistorySpins + 1), QStringLiteral("99999999999")}) {
        generate->edit()->setText(text);
        kvtest::MessageBoxCatcher catcher;
        QTest::mouseClick(generate->generateButton(), Qt::LeftButton);
        EXPECT_EQ(catcher.count(), 1) << text.toStdString();
        EXPECT_EQ(s().SpinCount, 0) << text.toStdString();
    }
    s().Credit = 100;
    generate->edit()->selectAll();
    QTest::keyClicks(generate->edit(), QStringLiteral("1,500"));
    QSignalSpy follow(form.get(), &kv::MainWindow::spinsChanged);  // open history views follow
    QTest::mouseClick(generate->generateButton(), Qt::LeftButton);
    EXPECT_EQ(follow.count(), 1);
    EXPECT_EQ(s().SpinCount, 1500);
    EXPECT_EQ(s().Credit, 100);
    EXPECT_EQ(form->memo()->lines().last(), QStringLiteral("Generate 1500 spins"));
    EXPECT_FALSE(generate->isVisible());
}
