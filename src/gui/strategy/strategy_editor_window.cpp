#include "gui/strategy/strategy_editor_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QResizeEvent>
#include <QSpinBox>
#include <QTabWidget>
#include <algorithm>

#include "gui/common/local_text.h"
#include "gui/common/save_target.h"
#include "gui/common/window_geometry.h"
#include "gui/table/main_window.h"
#include "strategy/constructor_model.h"
#include "strategy/strategy_file.h"
#include "strategy/strategy_text.h"
#include "strategy/strategy_words.h"

namespace kv {

namespace {

const QString kTitle = QStringLiteral("Kelvora");

// Client coordinates; the pages and the text box share their left edge.
constexpr int kLeft = 15;
constexpr int kPagesTop = 8;
constexpr int kPagesHeight = 272;
constexpr int kTextTop = 288;
constexpr int kRow = 24;

QStringList items(const QComboBox* box) {
    QStringList out;
    for (int i = 0; i < box->count(); ++i) out << box->itemText(i);
    return out;
}

QStringList wordList(const char* (*text)(int), int count) {
    QStringList out;
    for (int i = 0; i < count; ++i) out << QString::fromLatin1(text(i));
    return out;
}

QComboBox* combo(QWidget* parent, const char* name, int x, int y, int w, bool editable) {
    auto* box = new QComboBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setGeometry(x, y, w, kRow);
    box->setEditable(editable);
    if (editable) {
        // A typed name is a name, not a new list item, and no completion
        // jumps to another operator while it is typed.
        box->setInsertPolicy(QComboBox::NoInsert);
        box->setCompleter(nullptr);
    }
    box->setMaxVisibleItems(20);
    return box;
}

QSpinBox* spin(QWidget* parent, const char* name, int x, int y, int w, int max) {
    auto* box = new QSpinBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setGeometry(x, y, w, kRow);
    box->setRange(0, max);
    return box;
}

QLabel* label(QWidget* parent, const char* name, const QString& text, int x, int y, int w) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setGeometry(x, y, w, kRow);
    return l;
}

QPushButton* button(QWidget* parent, const char* name, const QString& text, int x, int y, int w) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setGeometry(x, y, w, 25);
    return b;
}

}  // namespace

StrategyEditorWindow::StrategyEditorWindow(MainWindow& main) : QWidget(nullptr), main_(main) {
    setObjectName(QStringLiteral("StrategyEditorWindow"));
    setWindowTitle(QStringLiteral("Constructor of Strategics"));
    folder_ = main_.folders().userDir();
    chooseSaveFile = [](QWidget* parent, const QString& folder) {
        return QFileDialog::getSaveFileName(parent, QStringLiteral("Save Strategy"), folder,
                                            QStringLiteral("*.stg"));
    };
    chooseOpenFile = [](QWidget* parent, const QString& folder) {
        return QFileDialog::getOpenFileName(parent, QStringLiteral("Load Strategy"), folder,
                                            QStringLiteral("*.stg"));
    };
    buildControls();

    // A new strategy: BET alone, no operators, no description.
    fillParameterNames(0);
    {
        ++filling_;
        operatorName_->setEditText(QStringLiteral("Operator 1"));
        --filling_;
    }
    refreshMotion();

    main_.registerWindow(WindowId::Constructor, this, MenuItem::Constructor);
    layoutForOuterSize(width() + kFrameWidth, height() + kFrameHeightNoMenu);
}

void StrategyEditorWindow::buildControls() {
    pages_ = new QTabWidget(this);
    pages_->setObjectName(QStringLiteral("pages"));
    pages_->move(kLeft, kPagesTop);
    auto* begin = new QWidget;
    begin->setObjectName(QStringLiteral("beginPage"));
    auto* motion = new QWidget;
    motion->setObjectName(QStringLiteral("motionPage"));
    pages_->addTab(begin, QStringLiteral("     BEGIN     "));
    pages_->addTab(motion, QStringLiteral("   MOTION   "));
    buildBeginPage(begin);
    buildMotionPage(motion);

    text_ = new QPlainTextEdit(this);
    text_->setObjectName(QStringLiteral("strategyText"));
    text_->setReadOnly(true);
    text_->setLineWrapMode(QPlainTextEdit::NoWrap);
    QFont mono(QStringLiteral("Monospace"));
    mono.setStyleHint(QFont::TypeWriter);
    text_->setFont(mono);
    text_->move(kLeft, kTextTop);

    save_ = button(this, "saveButton", QStringLiteral("Save"), kLeft, 0, 80);
    load_ = button(this, "loadButton", QStringLiteral("Load"), kLeft + 90, 0, 80);
    clear_ = button(this, "clearButton", QStringLiteral("Clear"), kLeft + 180, 0, 80);
    exit_ = button(this, "exitButton", QStringLiteral("Exit"), kLeft + 270, 0, 80);

    connect(save_, &QPushButton::clicked, this, &StrategyEditorWindow::save);
    connect(load_, &QPushButton::clicked, this, &StrategyEditorWindow::load);
    connect(clear_, &QPushButton::clicked, this, &StrategyEditorWindow::clear);
    connect(exit_, &QPushButton::clicked, this, &QWidget::close);
    connect(pages_, &QTabWidget::currentChanged, this, [this] { refreshMotion(); });
}

void StrategyEditorWindow::buildBeginPage(QWidget* page) {
    label(page, "parameterLabel", QStringLiteral("Parameter"), 8, 4, 150);
    parameterName_ = combo(page, "parameterName", 8, 26, 150, true);
    label(page, "initiationLabel", QStringLiteral("Initiation"), 166, 4, 80);
    initiation_ = new QLineEdit(page);
    initiation_->setObjectName(QStringLiteral("initiation"));
    initiation_->setGeometry(166, 26, 80, kRow);
    label(page, "commentLabel", QStringLiteral("Comment"), 254, 4, 200);
    comment_ = new QLineEdit(page);
    comment_->setObjectName(QStringLiteral("comment"));
    comment_->setGeometry(254, 26, 280, kRow);
    visibility_ = new QCheckBox(QStringLiteral("Visibility"), page);
    visibility_->setObjectName(QStringLiteral("visibility"));
    visibility_->setGeometry(8, 56, 150, kRow);
    visibility_->setChecked(true);
    addParameter_ = button(page, "addParameterButton", QStringLiteral("Add"), 166, 56, 80);
    deleteParameter_ = button(page, "deleteParameterButton", QStringLiteral("Delete"), 254, 56, 80);
    label(page, "descriptionLabel", QStringLiteral("The general information"), 8, 88, 300);
    description_ = new QPlainTextEdit(page);
    description_->setObjectName(QStringLiteral("description"));
    description_->setGeometry(8, 110, 500, 120);

    connect(parameterName_, &QComboBox::currentTextChanged, this, [this] {
        if (!filling_) parameterChosen();
    });
    connect(initiation_, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (const int32_t p = namedParameter()) {
            StrategyParameter& par = model_.parameter(p);
            par.initiation = initiationFromText(local(text));
            par.current = par.initiation;
        }
        render();
    });
    connect(visibility_, &QCheckBox::toggled, this, [this](bool on) {
        if (filling_) return;
        if (const int32_t p = namedParameter()) model_.parameter(p).visible = on;
        render();
    });
    connect(comment_, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (const int32_t p = namedParameter()) model_.parameter(p).comment = local(text);
        // Rendered at once, so that Save never writes an older comment.
        render();
    });
    connect(addParameter_, &QPushButton::clicked, this, &StrategyEditorWindow::addParameter);
    connect(deleteParameter_, &QPushButton::clicked, this, &StrategyEditorWindow::deleteParameter);
    connect(description_, &QPlainTextEdit::textChanged, this, &StrategyEditorWindow::descriptionChanged);
}

void StrategyEditorWindow::buildMotionPage(QWidget* page) {
    label(page, "operatorLabel", QStringLiteral("Operator #"), 8, 8, 70);
    operatorName_ = combo(page, "operatorName", 80, 8, 180, true);
    addOperator_ = button(page, "addOperatorButton", QStringLiteral("Add"), 268, 8, 70);
    deleteOperator_ = button(page, "deleteOperatorButton", QStringLiteral("Delete"), 342, 8, 70);

    section_ = combo(page, "section", 8, 42, 110, false);
    section_->addItems(wordList(sectionHeading, kSectionCount));
    independent_ = new QCheckBox(QStringLiteral("Independent"), page);
    independent_->setObjectName(QStringLiteral("independent"));
    independent_->setGeometry(126, 42, 100, kRow);
    kind_ = combo(page, "kind", 234, 42, 110, false);
    kind_->addItems(wordList(operatorKindText, kOperatorKindCount));

    // One row for the operands: IF's two sides, or PARAMETER's assignment, or
    // BET's keyword. Only one of them is shown at a time.
    const int y = 80;
    const QStringList choices = wordList(CategoryChoice, kCategoryChoiceCount);
    left_ = combo(page, "left", 8, y, 90, true);
    leftWindow_ = spin(page, "leftWindow", 100, y, 66, 32000);
    leftCategory_ = combo(page, "leftCategory", 168, y, 62, false);
    leftCategory_->addItems(choices);
    comparison_ = combo(page, "comparison", 234, y, 50, false);
    comparison_->addItems(wordList(comparisonText, kComparisonCount));
    right_ = combo(page, "right", 288, y, 90, true);
    rightWindow_ = spin(page, "rightWindow", 380, y, 56, 100);
    rightCategory_ = combo(page, "rightCategory", 438, y, 62, false);
    rightCategory_->addItems(choices);

    target_ = combo(page, "betTarget", 8, y, 90, true);
    betWindow_ = spin(page, "betWindow", 100, y, 66, 32000);
    betCategory_ = combo(page, "betCategory", 168, y, 62, false);
    betCategory_->addItems(choices);
    equals_ = label(page, "equalsLabel", QStringLiteral("="), 104, y, 12);
    operand1_ = combo(page, "operand1", 118, y, 90, true);
    operation_ = combo(page, "operation", 212, y, 58, false);
    operation_->addItems(wordList(operationText, kOperationCount));
    operand2_ = combo(page, "operand2", 274, y, 90, true);

    QStringList slotNumbers;
    for (int i = 1; i <= kListSlots; ++i) slotNumbers << QString::number(i);
    thenLabel_ = label(page, "thenLabel", QStringLiteral("THEN"), 8, 118, 40);
    thenTarget_ = combo(page, "thenTarget", 50, 118, 180, false);
    thenSlot_ = combo(page, "thenSlot", 234, 118, 50, false);
    thenSlot_->addItems(slotNumbers);
    elseLabel_ = label(page, "elseLabel", QStringLiteral("ELSE"), 8, 150, 40);
    elseTarget_ = combo(page, "elseTarget", 50, 150, 180, false);
    elseSlot_ = combo(page, "elseSlot", 234, 150, 50, false);
    elseSlot_->addItems(slotNumbers);

    connect(operatorName_, &QComboBox::currentTextChanged, this, [this] {
        if (!filling_) operatorChosen();
    });
    connect(addOperator_, &QPushButton::clicked, this, &StrategyEditorWindow::addOperator);
    connect(deleteOperator_, &QPushButton::clicked, this, &StrategyEditorWindow::deleteOperator);
    for (QComboBox* box : {section_, kind_, left_, leftCategory_, comparison_, right_, rightCategory_,
                           target_, betCategory_, operand1_, operation_, operand2_}) {
        connect(box, &QComboBox::currentTextChanged, this, [this, box] { motionChanged(box); });
    }
    // Choosing a target or a slot counts even when it picks the same entry again.
    for (QComboBox* box : {thenTarget_, thenSlot_, elseTarget_, elseSlot_}) {
        connect(box, &QComboBox::activated, this, [this, box] { motionChanged(box); });
    }
    for (QSpinBox* box : {leftWindow_, rightWindow_, betWindow_}) {
        connect(box, &QSpinBox::valueChanged, this, [this, box] { motionChanged(box); });
    }
    connect(independent_, &QCheckBox::toggled, this, [this] { motionChanged(independent_); });
}

void StrategyEditorWindow::layoutForOuterSize(int wf, int hf) {
    for (QPushButton* b : {save_, load_, clear_, exit_}) b->move(b->x(), hf - 60);
    text_->resize(std::max(1, wf - 41), std::max(1, hf - 360));
    pages_->resize(std::max(1, wf - 41), kPagesHeight);
    description_->resize(std::max(1, wf - 65), description_->height());
}

void StrategyEditorWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layoutForOuterSize(width() + kFrameWidth, height() + kFrameHeightNoMenu);
}

void StrategyEditorWindow::render() {
    QStringList lines;
    for (const std::string& line : StrategyText(model_)) lines << local(line);
    const QString text = lines.join(QLatin1Char('\n'));
    if (text_->toPlainText() != text) text_->setPlainText(text);
}

void StrategyEditorWindow::refuse(const std::string& why) { QMessageBox::warning(this, kTitle, local(why)); }

// ------------------------------------------------------------- BEGIN

int32_t StrategyEditorWindow::namedParameter() const {
    return model_.findParameter(local(parameterName_->currentText()));
}

void StrategyEditorWindow::parameterChosen() {
    if (const int32_t p = namedParameter()) {
        const StrategyParameter& par = model_.parameter(p);
        ++filling_;
        comment_->setText(local(par.comment));
        initiation_->setText(QString::number(par.initiation));
        visibility_->setChecked(par.visible);
        --filling_;
    }
    render();
}

void StrategyEditorWindow::fillParameterNames(int select) {
    ++filling_;
    parameterName_->clear();
    for (const StrategyParameter& p : model_.parameters) parameterName_->addItem(local(p.name));
    parameterName_->setCurrentIndex(std::min(select, parameterName_->count() - 1));
    --filling_;
    parameterChosen();
}

void StrategyEditorWindow::descriptionChanged() {
    if (filling_) return;
    const QString text = description_->toPlainText();
    model_.description.clear();
    if (!text.isEmpty()) {
        for (const QString& line : text.split(QLatin1Char('\n'))) model_.description.push_back(local(line));
    }
    if (textUpdates_) render();
}

void StrategyEditorWindow::addParameter() {
    const std::string name = filterParameterName(local(parameterName_->currentText()));
    if (model_.parameterCount() >= kMaxParameters) {
        refuse("A strategy has at most " + std::to_string(kMaxParameters) + " parameters");
        return;
    }
    // A refused name (empty, a word of the language, or taken) changes nothing.
    if (!canAddParameter(model_, name)) return;
    StrategyParameter p;
    p.name = name;
    p.comment = local(comment_->text());
    p.initiation = initiationFromText(local(initiation_->text()));
    p.current = p.initiation;
    p.visible = visibility_->isChecked();
    model_.parameters.push_back(p);
    fillParameterNames(model_.parameterCount() - 1);
}

void StrategyEditorWindow::deleteParameter() {
    const int32_t p = namedParameter();
    if (p <= 1) return;  // BET stays
    kv::deleteParameter(model_, p);
    fillParameterNames(0);
}

// ------------------------------------------------------------ MOTION

int32_t StrategyEditorWindow::editedOperator() const {
    const QString text = operatorName_->currentText();
    const int index = operatorName_->currentIndex();
    // Two operators of a hand-written file may share a name: the chosen
    // entry tells them apart.
    if (index >= 0 && index < model_.operatorCount() && operatorName_->itemText(index) == text)
        return index + 1;
    return model_.findOperator(local(text));
}

void StrategyEditorWindow::operatorChosen() {
    const int32_t k = editedOperator();
    if (k == 0) return;
    fillFromOperator(k);
    refreshMotion();
}

void StrategyEditorWindow::fillFromOperator(int32_t k) {
    const StrategyOperator& op = model_.op(k);
    storeEnabled_ = false;
    ++filling_;
    independent_->setChecked(op.independent);
    section_->setCurrentIndex(static_cast<int>(op.section));
    kind_->setCurrentIndex(static_cast<int>(op.kind));
    fillLists(false);
    left_->setEditText(local(op.left));
    leftWindow_->setValue(op.leftWindow);
    leftCategory_->setCurrentIndex(op.leftCategory);
    comparison_->setCurrentIndex(static_cast<int>(op.comparison));
    right_->setEditText(local(op.right));
    rightWindow_->setValue(op.rightWindow);
    rightCategory_->setCurrentIndex(op.rightCategory);
    if (target_->isEditable()) {
        target_->setEditText(local(op.target));
    } else {
        target_->setCurrentIndex(std::max(0, target_->findText(local(op.target))));
    }
    betWindow_->setValue(op.betWindow);
    betCategory_->setCurrentIndex(op.betCategory);
    operand1_->setEditText(local(op.operand1));
    operation_->setCurrentIndex(static_cast<int>(op.operation));
    operand2_->setEditText(local(op.operand2));
    showSlots(k);
    --filling_;
    storeEnabled_ = true;
}

void StrategyEditorWindow::showSlots(int32_t k) {
    if (k < 1 || k > model_.operatorCount()) return;
    const StrategyOperator& op = model_.op(k);
    auto show = [this](QComboBox* box, int32_t t) {
        const int index = t >= 1 && t <= model_.operatorCount() ? t : 0;  // item 0 is " "
        ++filling_;
        box->setCurrentIndex(index < box->count() ? index : 0);
        --filling_;
    };
    show(thenTarget_, op.thenList[thenSlot_->currentIndex() + 1]);
    show(elseTarget_, op.elseList[elseSlot_->currentIndex() + 1]);
}

StrategyOperator StrategyEditorWindow::controlsOperator() const {
    StrategyOperator op;
    op.independent = independent_->isChecked();
    op.section = static_cast<StrategySection>(std::max(0, section_->currentIndex()));
    op.kind = static_cast<OperatorKind>(std::max(0, kind_->currentIndex()));
    op.comparison = static_cast<Comparison>(std::max(0, comparison_->currentIndex()));
    op.leftCategory = std::max(0, leftCategory_->currentIndex());
    op.rightCategory = std::max(0, rightCategory_->currentIndex());
    op.operation = static_cast<Operation>(std::max(0, operation_->currentIndex()));
    op.betCategory = std::max(0, betCategory_->currentIndex());
    const std::string target = local(target_->currentText());
    if (op.kind == OperatorKind::Bet) {
        // BETS takes one of the 16 keywords, or the file could not be read.
        op.target = operandKeywordCode(target) ? target : std::string(operandKeywordText(kwOLD));
    } else {
        op.target = operandToken(target);
    }
    op.left = operandToken(local(left_->currentText()));
    op.right = operandToken(local(right_->currentText()));
    op.operand1 = operandToken(local(operand1_->currentText()));
    op.operand2 = operandToken(local(operand2_->currentText()));
    op.betWindow = betWindow_->value();
    op.leftWindow = leftWindow_->value();
    op.rightWindow = rightWindow_->value();
    return op;
}

void StrategyEditorWindow::motionChanged(QObject* source) {
    if (filling_) return;
    if (source == thenTarget_ || source == elseTarget_) {
        assignMode_ = true;
    } else if (source == thenSlot_ || source == elseSlot_) {
        assignMode_ = false;
    }
    const int32_t k = editedOperator();
    const bool store = k > 0 && storeEnabled_;
    if (store) {
        const std::string why = storeOperatorFields(model_, k, controlsOperator());
        if (!why.empty()) {
            refuse(why);
            fillFromOperator(k);
            refreshMotion();
            return;
        }
        if (assignMode_) {
            auto target = [this](QComboBox* box) { return model_.findOperator(local(box->currentText())); };
            const struct {
                QComboBox* targetBox;
                QComboBox* slotBox;
                ListKind list;
            } sides[] = {{thenTarget_, thenSlot_, ListKind::Then}, {elseTarget_, elseSlot_, ListKind::Else}};
            for (const auto& side : sides) {
                const std::string refused = assignListSlot(
                    model_, k, side.list, side.slotBox->currentIndex() + 1, target(side.targetBox));
                if (!refused.empty()) {
                    refuse(refused);
                    // The box shows what the slot keeps, so the next change does not try again.
                    showSlots(k);
                }
            }
        } else {
            showSlots(k);
        }
    }
    refreshMotion();
    if (store) {
        // The lists may have been refilled under the controls (a new kind):
        // the operator holds what they show now.
        storeOperatorFields(model_, k, controlsOperator());
        render();
    }
}

void StrategyEditorWindow::fillLists(bool keepTargetText) {
    ++filling_;
    const int kind = kind_->currentIndex();
    QStringList params;
    for (const StrategyParameter& p : model_.parameters) params << local(p.name);
    // Refills a list that differs from what it should hold, with its first
    // item chosen. keepText: keep the text when the new list has it (an
    // editable box keeps any text it holds; an empty one, as at the start,
    // gets the first item too).
    auto setItems = [](QComboBox* box, const QStringList& want, bool keepText, bool force = false) {
        if (!force && items(box) == want) return;
        const QString text = box->currentText();
        box->clear();
        box->addItems(want);
        if (keepText && box->isEditable() && !text.isEmpty()) {
            box->setEditText(text);
        } else if (keepText && want.contains(text)) {
            box->setCurrentIndex(box->findText(text));
        } else {
            box->setCurrentIndex(0);
        }
    };
    if (kind == static_cast<int>(OperatorKind::Bet)) {
        target_->setEditable(false);
        setItems(target_, wordList(operandKeywordText, kOperandKeywordCount), false);
    } else {
        const QStringList keywords = {QStringLiteral("OLD"), QStringLiteral("NEW"), QStringLiteral("COLD"),
                                      QStringLiteral("HOT")};
        if (!target_->isEditable()) {
            // Coming from BET: the keywords give way to the parameters, the first chosen.
            target_->setEditable(true);
            target_->setInsertPolicy(QComboBox::NoInsert);
            target_->setCompleter(nullptr);
            setItems(target_, params, false, true);
        } else {
            setItems(target_, params, keepTargetText);
        }
        setItems(operand1_, params, true);
        setItems(operand2_, params, true);
        setItems(left_, keywords + params, true);
        setItems(right_, keywords + params, true);
        QStringList targets{QStringLiteral(" ")};
        for (const StrategyOperator& op : model_.operators) targets << local(op.name);
        // An IF cannot pick itself as a target.
        const int32_t k = editedOperator();
        const QString self = k > 0 ? local(model_.op(k).name) : QString();
        for (QComboBox* box : {thenTarget_, elseTarget_}) {
            const bool isSelf = k > 0 && box->currentText() == self;
            setItems(box, targets, !isSelf, isSelf);
        }
    }
    --filling_;
}

void StrategyEditorWindow::applyVisibility() {
    const int kind = kind_->currentIndex();
    const bool isIf = kind == static_cast<int>(OperatorKind::If);
    const bool isParameter = kind == static_cast<int>(OperatorKind::Parameter);
    const bool isBet = kind == static_cast<int>(OperatorKind::Bet);
    for (QWidget* w : std::initializer_list<QWidget*>{left_, comparison_, right_, thenLabel_, thenTarget_,
                                                      thenSlot_, elseLabel_, elseTarget_, elseSlot_})
        w->setVisible(isIf);
    const bool leftSelect = isIf && isSelectionKeyword(local(left_->currentText()));
    leftWindow_->setVisible(leftSelect);
    leftCategory_->setVisible(leftSelect);
    const bool rightSelect = isIf && isSelectionKeyword(local(right_->currentText()));
    rightWindow_->setVisible(rightSelect);
    rightCategory_->setVisible(rightSelect);
    for (QWidget* w : std::initializer_list<QWidget*>{equals_, operand1_, operation_})
        w->setVisible(isParameter);
    operand2_->setVisible(isParameter && operation_->currentIndex() > 0);
    target_->setVisible(isParameter || isBet);
    const bool betSelect = isBet && isSelectionKeyword(local(target_->currentText()));
    betWindow_->setVisible(betSelect);
    betCategory_->setVisible(betSelect);
}

void StrategyEditorWindow::refreshMotion() {
    // 1. The operator names; when they change, the last operator is chosen.
    QStringList names;
    for (const StrategyOperator& op : model_.operators) names << local(op.name);
    if (items(operatorName_) != names) {
        ++filling_;
        operatorName_->clear();
        operatorName_->addItems(names);
        operatorName_->setCurrentIndex(static_cast<int>(names.size()) - 1);
        --filling_;
        if (!names.isEmpty()) fillFromOperator(model_.operatorCount());
    }
    // 2., 3. The lists, then what is shown for the kind.
    fillLists(true);
    applyVisibility();
    // 4.
    render();
}

void StrategyEditorWindow::addOperator() {
    if (model_.operatorCount() >= kMaxOperators) {
        refuse("A strategy has at most " + std::to_string(kMaxOperators) + " operators");
        return;
    }
    const std::string name = newOperatorName(model_, local(operatorName_->currentText()));
    if (!isWritableOperatorName(name)) {
        refuse("An operator name may not contain \"/\": the strategy could not be read back");
        return;
    }
    StrategyOperator op = controlsOperator();
    op.name = name;
    op.thenList[thenSlot_->currentIndex() + 1] = model_.findOperator(local(thenTarget_->currentText()));
    op.elseList[elseSlot_->currentIndex() + 1] = model_.findOperator(local(elseTarget_->currentText()));
    model_.operators.push_back(op);
    if (const std::string why = strategyRefusal(model_); !why.empty()) {
        model_.operators.pop_back();
        refuse(why);
        return;
    }
    refreshMotion();
}

void StrategyEditorWindow::deleteOperator() {
    const int32_t k = editedOperator();
    if (k == 0) return;
    kv::deleteOperator(model_, k);
    refreshMotion();
}

// ------------------------------------------------------ whole strategy

void StrategyEditorWindow::clear() {
    clearOperatorsAndParameters(model_);
    fillParameterNames(0);
    refreshMotion();
}

void StrategyEditorWindow::save() {
    const QString path = chooseSaveFile ? chooseSaveFile(this, folder_) : QString();
    if (path.isEmpty()) return;
    const std::string target = strategyFileName(QFile::encodeName(path).toStdString());
    if (!mayReplaceAddedName(this, path, QFile::decodeName(target.c_str()), QStringLiteral("Save Strategy")))
        return;
    render();
    const StrategyFileResult r = saveStrategyLines(target, StrategyText(model_));
    if (r.status == StrategyFileStatus::Failed) refuse(r.message);
}

void StrategyEditorWindow::load() {
    const QString path = chooseOpenFile ? chooseOpenFile(this, folder_) : QString();
    if (path.isEmpty()) return;
    loadFile(path);
}

bool StrategyEditorWindow::loadFile(const QString& path) {
    const StrategyFileResult file =
        loadStrategyLines(std::filesystem::path(QFile::encodeName(path).toStdString()));
    if (file.status == StrategyFileStatus::CannotOpen) return false;
    if (file.status == StrategyFileStatus::Failed) {
        refuse(file.message);
        return false;
    }
    QStringList shown;
    for (const std::string& line : file.lines) shown << local(line);
    text_->setPlainText(shown.join(QLatin1Char('\n')));
    textUpdates_ = false;
    StrategyRead read = readStrategyText(file.lines);
    if (!read.ok) {
        textUpdates_ = true;
        refuse(read.error.text());
        render();  // the text box shows the strategy still being edited
        return false;
    }
    model_ = std::move(read.strategy);
    QStringList description;
    for (const std::string& line : model_.description) description << local(line);
    ++filling_;
    description_->setPlainText(description.join(QLatin1Char('\n')));
    // Emptied so that the refresh fills the controls from the new operators
    // even when their names are the old ones.
    operatorName_->clear();
    --filling_;
    fillParameterNames(0);
    textUpdates_ = true;
    refreshMotion();
    return true;
}

}  // namespace kv
