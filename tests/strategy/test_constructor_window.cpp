// The strategy constructor driven with clicks and keys: a strategy is built
// without typing its text, saved, loaded back, and the edits that would make
// it endless or unreadable are refused.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <algorithm>
#include <functional>
#include <memory>

#include "strategy/constructor_window.h"
#include "strategy/strategy_text.h"
#include "strategy_window_support.h"
#include "ui/main/main_window.h"

namespace {

using kvtest::pick;
using kvtest::typeInto;

QString joined(const std::vector<std::string>& lines) {
    QStringList out;
    for (const std::string& l : lines) out << QString::fromStdString(l);
    return out.join(QLatin1Char('\n'));
}

class ConstructorTest : public ::testing::Test {
protected:
    void SetUp() override {
        form = std::make_unique<kv::TForm1>();
        ctor = std::make_unique<kv::TForm13>(*form);
        ctor->show();
    }
    void TearDown() override {
        ctor.reset();
        form.reset();
    }
    // The text box always shows what Save writes.
    void expectTextShowsModel() { EXPECT_EQ(ctor->Memo2()->toPlainText(), joined(kv::StrategyText(ctor->strategy()))); }
    std::vector<std::string> lines() { return kv::StrategyText(ctor->strategy()); }
    bool hasLine(const std::string& line) {
        const auto l = lines();
        return std::find(l.begin(), l.end(), line) != l.end();
    }
    void click(QAbstractButton* b) { QTest::mouseClick(b, Qt::LeftButton); }
    // The boxes keep the values of the operator edited last: click only to change.
    void check(QCheckBox* box, bool on) {
        if (box->isChecked() != on) kvtest::clickBox(box);
    }

    // Makes an operator with the controls of page MOTION and "Add".
    void addOperator(const QString& name, const QString& kind, const std::function<void()>& setUp) {
        typeInto(ctor->ComboBox3(), name);
        pick(ctor->ComboBox2(), kind);
        setUp();
        click(ctor->Button7());
    }

    kvtest::ProgramFolder folder;
    std::unique_ptr<kv::TForm1> form;
    std::unique_ptr<kv::TForm13> ctor;
};

TEST_F(ConstructorTest, StartsWithBetAloneAndAddsParametersByTheNameRules) {
    EXPECT_EQ(ctor->strategy(), kv::Strategy());
    EXPECT_EQ(ctor->ComboBox1()->currentText(), "BET");
    EXPECT_EQ(ctor->Edit2()->text(), "1");
    EXPECT_EQ(ctor->Edit1()->text(), "The sum of the bet");
    EXPECT_TRUE(ctor->CheckBox1()->isChecked());
    expectTextShowsModel();

    typeInto(ctor->ComboBox1(), "step 2");
    typeInto(ctor->Edit2(), "2,5");
    typeInto(ctor->Edit1(), "First bet");
    kvtest::clickBox(ctor->CheckBox1());
    click(ctor->Button6());
    ASSERT_EQ(ctor->strategy().parameterCount(), 2);
    EXPECT_EQ(ctor->strategy().parameter(2).name, "STEP2");
    EXPECT_EQ(ctor->strategy().parameter(2).initiation, 2);  // half to even
    EXPECT_FALSE(ctor->strategy().parameter(2).visible);
    EXPECT_EQ(ctor->ComboBox1()->currentText(), "STEP2");
    EXPECT_TRUE(hasLine("STEP2 2 n First bet"));

    // Keywords in any case, existing names and names that filter to nothing change nothing.
    for (const char* refused : {"hot", "Step2", "+-", "Bet"}) {
        typeInto(ctor->ComboBox1(), refused);
        click(ctor->Button6());
        EXPECT_EQ(ctor->strategy().parameterCount(), 2) << refused;
    }

    // Editing a parameter shows at once in the text, the comment included.
    pick(ctor->ComboBox1(), "STEP2");
    typeInto(ctor->Edit2(), "-7");
    typeInto(ctor->Edit1(), "Renamed");
    EXPECT_TRUE(hasLine("STEP2 -7 n Renamed"));
    expectTextShowsModel();

    // BET is never deleted; STEP2 is.
    pick(ctor->ComboBox1(), "BET");
    click(ctor->Button5());
    EXPECT_EQ(ctor->strategy().parameterCount(), 2);
    pick(ctor->ComboBox1(), "STEP2");
    click(ctor->Button5());
    EXPECT_EQ(ctor->strategy().parameterCount(), 1);
    EXPECT_EQ(ctor->ComboBox1()->currentText(), "BET");

    // The description.
    ctor->Memo1()->setFocus();
    QTest::keyClicks(ctor->Memo1(), "Red, doubled");
    EXPECT_EQ(lines().front(), "' Red, doubled");
    expectTextShowsModel();
}

TEST_F(ConstructorTest, BuildsSavesAndLoadsAStrategyWithoutTypingItsText) {
    kvtest::clickTab(ctor->PageControl1(), 1);
    ASSERT_EQ(ctor->PageControl1()->currentIndex(), 1);

    // 1: BETS RED, at the top of ALWAYS.
    addOperator("Operator 1", "BET", [&] {
        pick(ctor->ComboBox9(), "RED");
        check(ctor->CheckBox2(), true);
    });
    // Only the keyword is shown for a category; OLD .. HOT show window and choice.
    EXPECT_FALSE(ctor->Edit3()->isVisibleTo(ctor->PageControl1()));
    EXPECT_TRUE(ctor->ComboBox4()->isHidden());

    // 2: double the bet after a loss.
    addOperator("Double", "PARAMETER", [&] {
        EXPECT_EQ(ctor->ComboBox9()->currentText(), "BET") << "the keywords gave way to the parameters";
        pick(ctor->ComboBox13(), "LOSE");
        check(ctor->CheckBox2(), true);
        typeInto(ctor->ComboBox10(), "BET");
        EXPECT_TRUE(ctor->ComboBox12()->isHidden()) << "no second operand without an operation";
        pick(ctor->ComboBox11(), "*");
        EXPECT_FALSE(ctor->ComboBox12()->isHidden());
        typeInto(ctor->ComboBox12(), "2");
    });
    // 3: back to one, run only from an IF.
    addOperator("Reset", "PARAMETER", [&] {
        pick(ctor->ComboBox13(), "ALWAYS");
        check(ctor->CheckBox2(), false);
        typeInto(ctor->ComboBox10(), "1");
        pick(ctor->ComboBox11(), " ");
    });
    // 4: the cap, in LOSE after the doubling.
    addOperator("Cap", "IF", [&] {
        pick(ctor->ComboBox13(), "LOSE");
        check(ctor->CheckBox2(), true);
        typeInto(ctor->ComboBox4(), "BET");
        pick(ctor->ComboBox5(), ">");
        typeInto(ctor->ComboBox6(), "8");
    });
    ASSERT_EQ(ctor->strategy().operatorCount(), 4);
    EXPECT_EQ(ctor->ComboBox3()->currentText(), "Cap") << "the new operator is the one edited";
    // THEN slot 1 of Cap gets Reset: a target chosen is stored into the slot.
    pick(ctor->ComboBox7(), "Reset");
    EXPECT_TRUE(ctor->assignMode());
    EXPECT_EQ(ctor->strategy().op(4).thenList[1], 3);

    const std::vector<std::string> expected = {
        "",
        "BET 1 v The sum of the bet",
        "",
        "ALWAYS",
        "------",
        "BETS RED // 1 Operator 1",
        "",
        "WIN",
        "---",
        "",
        "LOSE",
        "----",
        "BET = BET * 2 // 2 Double",
        "IF BET > 8 THEN // 4 Cap",
        "{",
        "      BET = 1 // 3 Reset",
        "} ELSE",
        "{",
        "}",
        "",
        "DRAWN GAME",
        "----------",
        "",
        "ALWAYS 2",
        "--------",
    };
    EXPECT_EQ(lines(), expected);
    expectTextShowsModel();

    // Choosing a slot shows what it holds; choosing Cap itself stores nothing.
    pick(ctor->ComboBox17(), "2");
    EXPECT_FALSE(ctor->assignMode());
    EXPECT_EQ(ctor->ComboBox7()->currentText(), " ");
    pick(ctor->ComboBox7(), "Cap", false);
    EXPECT_EQ(ctor->strategy().op(4).thenList[2], 0);
    EXPECT_EQ(ctor->ComboBox7()->currentText(), " ");
    EXPECT_EQ(lines(), expected);

    // Save writes the text box; the name gets ".stg".
    ctor->chooseSaveFile = [&](QWidget*, const QString& dir) {
        EXPECT_EQ(dir, folder.path());
        return folder.file("martingale");
    };
    click(ctor->Button1());
    QFile saved(folder.file("martingale.stg"));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    QByteArray want;
    for (const std::string& l : expected) want += QByteArray::fromStdString(l) + "\r\n";
    EXPECT_EQ(saved.readAll(), want);

    // Switching the kind from BET to PARAMETER and back goes through the lists.
    pick(ctor->ComboBox3(), "Operator 1");
    EXPECT_EQ(ctor->ComboBox2()->currentText(), "BET");
    EXPECT_EQ(ctor->ComboBox9()->currentText(), "RED");

    // Clear, then Load: the same strategy and the controls of its last operator.
    click(ctor->Button4());
    EXPECT_EQ(ctor->strategy().operatorCount(), 0);
    EXPECT_EQ(ctor->ComboBox3()->count(), 0);
    ctor->chooseOpenFile = [&](QWidget*, const QString&) { return folder.file("martingale.stg"); };
    click(ctor->Button3());
    EXPECT_EQ(lines(), expected);
    expectTextShowsModel();
    EXPECT_EQ(ctor->ComboBox3()->currentText(), "Cap");
    EXPECT_EQ(ctor->ComboBox4()->currentText(), "BET");
    EXPECT_EQ(ctor->ComboBox5()->currentText(), ">");
    EXPECT_EQ(ctor->ComboBox6()->currentText(), "8");
    EXPECT_EQ(ctor->ComboBox13()->currentText(), "LOSE");
    EXPECT_TRUE(ctor->CheckBox2()->isChecked());
}

TEST_F(ConstructorTest, RefusesCyclesAndUnreadableNamesAndRenumbersOnDelete) {
    kvtest::MessageAnswer answer;
    kvtest::clickTab(ctor->PageControl1(), 1);
    addOperator("A", "IF", [&] { check(ctor->CheckBox2(), true); });
    addOperator("B", "IF", [] {});
    addOperator("C", "BET", [&] { pick(ctor->ComboBox9(), "HOT"); });
    EXPECT_FALSE(ctor->Edit3()->isHidden()) << "HOT takes a window";
    ctor->Edit3()->setFocus();
    ctor->Edit3()->selectAll();
    QTest::keyClicks(ctor->Edit3(), "10");
    pick(ctor->ComboBox14(), "5");
    EXPECT_EQ(ctor->strategy().op(3).betWindow, 10);
    EXPECT_EQ(ctor->strategy().op(3).betCategory, 16);

    // A lists B, B lists C.
    pick(ctor->ComboBox3(), "A");
    pick(ctor->ComboBox7(), "B");
    pick(ctor->ComboBox3(), "B");
    pick(ctor->ComboBox8(), "C");
    EXPECT_EQ(ctor->strategy().op(1).thenList[1], 2);
    EXPECT_EQ(ctor->strategy().op(2).elseList[1], 3);
    EXPECT_EQ(answer.count(), 0);

    // B listing A would make A reach itself: refused with a message.
    pick(ctor->ComboBox7(), "A", false);
    EXPECT_EQ(answer.count(), 1);
    EXPECT_TRUE(answer.text().contains("endless cycle")) << answer.text().toStdString();
    EXPECT_EQ(ctor->strategy().op(2).thenList[1], 0);
    EXPECT_EQ(ctor->ComboBox7()->currentText(), " ") << "the box shows what the slot keeps";
    // A later change on the page does not try again.
    pick(ctor->ComboBox5(), "<>");
    EXPECT_EQ(answer.count(), 1);
    EXPECT_EQ(ctor->strategy().op(2).comparison, kv::Comparison::NotEqual);

    // A name with "/" is refused; a name already taken becomes the smallest free number.
    addOperator("up/down", "BET", [] {});
    EXPECT_EQ(answer.count(), 2);
    EXPECT_EQ(ctor->strategy().operatorCount(), 3);
    addOperator("A", "IF", [] {});
    ASSERT_EQ(ctor->strategy().operatorCount(), 4);
    EXPECT_EQ(ctor->strategy().op(4).name, "Operator 1");

    // Deleting B: A's entry for B is emptied, C (now 2) stays where it was listed.
    pick(ctor->ComboBox3(), "A");
    pick(ctor->ComboBox17(), "2");
    pick(ctor->ComboBox7(), "C");
    EXPECT_EQ(ctor->strategy().op(1).thenList[2], 3);
    pick(ctor->ComboBox3(), "B");
    QTest::mouseClick(ctor->Button8(), Qt::LeftButton);
    ASSERT_EQ(ctor->strategy().operatorCount(), 3);
    EXPECT_EQ(ctor->strategy().op(1).thenList[1], 0);
    EXPECT_EQ(ctor->strategy().op(1).thenList[2], 2);
    EXPECT_EQ(ctor->strategy().op(2).name, "C");
    EXPECT_EQ(ctor->ComboBox3()->currentText(), "Operator 1") << "the last operator is chosen";
    const kv::StrategyRead back = kv::readStrategyText(lines());
    ASSERT_TRUE(back.ok) << back.error.text();
    EXPECT_EQ(kv::StrategyText(back.strategy), lines());
    expectTextShowsModel();
}

TEST_F(ConstructorTest, ResizeKeepsTheLayoutRules) {
    ctor->resize(700 - 10, 600 - 30);  // outer 700 x 600
    EXPECT_EQ(ctor->Button1()->y(), 540);
    EXPECT_EQ(ctor->Button4()->y(), 540);
    EXPECT_EQ(ctor->Memo2()->width(), 659);
    EXPECT_EQ(ctor->Memo2()->height(), 240);
    EXPECT_EQ(ctor->PageControl1()->width(), 659);
    EXPECT_EQ(ctor->Memo1()->width(), 635);
    QTest::mouseClick(ctor->Button2(), Qt::LeftButton);
    EXPECT_FALSE(ctor->isVisible());
}

}  // namespace
