// The strategy constructor driven with clicks and keys: a strategy is built
// without typing its text, saved, loaded back, and the edits that would make
// it endless or unreadable are refused with a message. The editing rules are
// tested in tests/strategy/test_constructor_model.cpp.
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

#include "gui/gui_test_support.h"
#include "gui/strategy/strategy_editor_window.h"
#include "gui/table/main_window.h"
#include "strategy/strategy_text.h"

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
        form = std::make_unique<kv::MainWindow>();
        ctor = std::make_unique<kv::StrategyEditorWindow>(*form);
        ctor->show();
    }
    void TearDown() override {
        ctor.reset();
        form.reset();
    }
    // The text box always shows what Save writes.
    void expectTextShowsModel() {
        EXPECT_EQ(ctor->strategyText()->toPlainText(), joined(kv::StrategyText(ctor->strategy())));
    }
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
        typeInto(ctor->operatorName(), name);
        pick(ctor->kind(), kind);
        setUp();
        click(ctor->addOperatorButton());
    }

    kvtest::ProgramFolder folder;
    std::unique_ptr<kv::MainWindow> form;
    std::unique_ptr<kv::StrategyEditorWindow> ctor;
};

TEST_F(ConstructorTest, BuildsSavesAndLoadsAStrategyWithoutTypingItsText) {
    kvtest::clickTab(ctor->pages(), 1);

    // 1: BETS RED, at the top of ALWAYS.
    addOperator("Operator 1", "BET", [&] {
        pick(ctor->betTarget(), "RED");
        check(ctor->independent(), true);
    });

    // 2: double the bet after a loss.
    addOperator("Double", "PARAMETER", [&] {
        pick(ctor->section(), "LOSE");
        check(ctor->independent(), true);
        typeInto(ctor->operand1(), "BET");
        pick(ctor->operation(), "*");
        typeInto(ctor->operand2(), "2");
    });
    // 3: back to one, run only from an IF.
    addOperator("Reset", "PARAMETER", [&] {
        pick(ctor->section(), "ALWAYS");
        check(ctor->independent(), false);
        typeInto(ctor->operand1(), "1");
        pick(ctor->operation(), " ");
    });
    // 4: the cap, in LOSE after the doubling.
    addOperator("Cap", "IF", [&] {
        pick(ctor->section(), "LOSE");
        check(ctor->independent(), true);
        typeInto(ctor->left(), "BET");
        pick(ctor->comparison(), ">");
        typeInto(ctor->right(), "8");
    });
    ASSERT_EQ(ctor->strategy().operatorCount(), 4);
    // THEN slot 1 of Cap gets Reset: a target chosen is stored into the slot.
    pick(ctor->thenTarget(), "Reset");

    // The operators in their sections, Reset inside Cap's THEN block.
    const std::vector<std::string> expected = lines();
    for (const char* line : {"BETS RED // 1 Operator 1", "BET = BET * 2 // 2 Double",
                             "IF BET > 8 THEN // 4 Cap", "      BET = 1 // 3 Reset"})
        EXPECT_TRUE(hasLine(line)) << line;
    expectTextShowsModel();

    // Save writes the text box; the name gets ".stg".
    ctor->chooseSaveFile = [&](QWidget*, const QString& dir) {
        EXPECT_EQ(dir, folder.path());
        return folder.file("martingale");
    };
    click(ctor->saveButton());
    QFile saved(folder.file("martingale.stg"));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    QByteArray want;
    for (const std::string& l : expected) want += QByteArray::fromStdString(l) + "\r\n";
    EXPECT_EQ(saved.readAll(), want);
    saved.close();
    {
        // The same name again: the file it would replace is asked about
        // (the catcher answers no), though the name typed had no ".stg".
        kvtest::MessageBoxCatcher answer;
        click(ctor->clearButton());
        click(ctor->saveButton());
        EXPECT_EQ(answer.count(), 1);
        EXPECT_TRUE(answer.text().contains("martingale.stg already exists")) << answer.text().toStdString();
    }
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readAll(), want);

    // Clear, then Load: the same strategy and the controls of its last operator.
    click(ctor->clearButton());
    EXPECT_EQ(ctor->operatorName()->count(), 0);
    ctor->chooseOpenFile = [&](QWidget*, const QString&) { return folder.file("martingale.stg"); };
    click(ctor->loadButton());
    EXPECT_EQ(lines(), expected);
    EXPECT_EQ(ctor->right()->currentText(), "8") << "the controls show the last operator";
}

TEST_F(ConstructorTest, RefusedEditsAreReportedAndChangeNothing) {
    kvtest::MessageBoxCatcher answer;
    kvtest::clickTab(ctor->pages(), 1);
    addOperator("A", "IF", [&] { check(ctor->independent(), true); });
    addOperator("B", "IF", [] {});
    addOperator("C", "BET", [] {});

    // A lists B, B lists C.
    pick(ctor->operatorName(), "A");
    pick(ctor->thenTarget(), "B");
    pick(ctor->operatorName(), "B");
    pick(ctor->elseTarget(), "C");
    EXPECT_EQ(ctor->strategy().op(1).thenList[1], 2);
    EXPECT_EQ(ctor->strategy().op(2).elseList[1], 3);
    EXPECT_EQ(answer.count(), 0);

    // B listing A would make A reach itself: refused with a message.
    pick(ctor->thenTarget(), "A", false);
    EXPECT_EQ(answer.count(), 1);
    EXPECT_TRUE(answer.text().contains("endless cycle")) << answer.text().toStdString();
    EXPECT_EQ(ctor->thenTarget()->currentText(), " ") << "the box shows what the slot keeps";
    // A later change on the page does not try again.
    pick(ctor->comparison(), "<>");
    EXPECT_EQ(answer.count(), 1);
}

}  // namespace
