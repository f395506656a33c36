#pragma once
// TForm13, "Constructor of Strategics": edits a Strategy without typing its
// text. Page BEGIN edits the parameters and the description, page MOTION
// the operators; every change goes into the model at once and the model is
// rendered again into the read-only text box, which therefore always shows
// what "Save" writes. "Load" reads a strategy file back into the model.
//
// Three switches follow the editing: textUpdates (off while a file is read,
// so the description memo does not render half a strategy), storeEnabled
// (off while the MOTION controls are filled from an operator, so filling
// them does not write them back) and assignMode (on after a THEN or ELSE
// target was chosen, off after a slot was chosen: it decides whether a
// change stores the targets into the slots or shows what the slots hold).

#include <QString>
#include <QWidget>
#include <functional>

#include "strategy/strategy.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
class QTabWidget;

namespace kv {

class TForm1;

class TForm13 : public QWidget {
    Q_OBJECT
public:
    explicit TForm13(TForm1& main);

    // --- Handlers -------------------------------------------------------
    void Button1Click();  // Save
    void Button3Click();  // Load
    void Button4Click();  // Clear
    void Button6Click();  // Add parameter
    void Button5Click();  // Delete parameter
    void Button7Click();  // Add operator
    void Button8Click();  // Delete operator
    // Reads a strategy file into the model and the controls. False when
    // the file could not be read (a refused text is reported).
    bool loadFile(const QString& path);
    // Refresh of page MOTION: lists, visibility by kind, text.
    void refreshMotion();

    // Ask for the file of Save and Load; an empty string cancels. Replaced by
    // tests; the defaults are the file dialogs in the program folder.
    std::function<QString(QWidget* parent, const QString& folder)> chooseSaveFile;
    std::function<QString(QWidget* parent, const QString& folder)> chooseOpenFile;

    const Strategy& strategy() const { return model_; }
    bool assignMode() const { return assignMode_; }

    // --- Controls -------------------------------------------------------
    QPushButton* Button1() const { return save_; }
    QPushButton* Button2() const { return exit_; }
    QPushButton* Button3() const { return load_; }
    QPushButton* Button4() const { return clear_; }
    QTabWidget* PageControl1() const { return pages_; }
    QPlainTextEdit* Memo2() const { return text_; }
    // BEGIN
    QComboBox* ComboBox1() const { return parameterName_; }
    QLineEdit* Edit2() const { return initiation_; }
    QLineEdit* Edit1() const { return comment_; }
    QCheckBox* CheckBox1() const { return visibility_; }
    QPushButton* Button6() const { return addParameter_; }
    QPushButton* Button5() const { return deleteParameter_; }
    QPlainTextEdit* Memo1() const { return description_; }
    // MOTION
    QComboBox* ComboBox3() const { return operatorName_; }
    QComboBox* ComboBox13() const { return section_; }
    QCheckBox* CheckBox2() const { return independent_; }
    QComboBox* ComboBox2() const { return kind_; }
    QComboBox* ComboBox4() const { return left_; }
    QSpinBox* Edit4() const { return leftWindow_; }
    QComboBox* ComboBox15() const { return leftCategory_; }
    QComboBox* ComboBox5() const { return comparison_; }
    QComboBox* ComboBox6() const { return right_; }
    QSpinBox* Edit5() const { return rightWindow_; }
    QComboBox* ComboBox16() const { return rightCategory_; }
    QComboBox* ComboBox7() const { return thenTarget_; }
    QComboBox* ComboBox17() const { return thenSlot_; }
    QComboBox* ComboBox8() const { return elseTarget_; }
    QComboBox* ComboBox18() const { return elseSlot_; }
    QComboBox* ComboBox9() const { return target_; }
    QSpinBox* Edit3() const { return betWindow_; }
    QComboBox* ComboBox14() const { return betCategory_; }
    QLabel* Label9() const { return equals_; }
    QComboBox* ComboBox10() const { return operand1_; }
    QComboBox* ComboBox11() const { return operation_; }
    QComboBox* ComboBox12() const { return operand2_; }
    QPushButton* Button7() const { return addOperator_; }
    QPushButton* Button8() const { return deleteOperator_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildControls();
    void buildBeginPage(QWidget* page);
    void buildMotionPage(QWidget* page);
    void layoutForOuterSize(int wf, int hf);
    void render();

    // BEGIN
    int32_t namedParameter() const;
    void parameterChosen();
    void fillParameterNames(int select);
    void descriptionChanged();

    // MOTION
    int32_t editedOperator() const;
    void operatorChosen();
    void fillFromOperator(int32_t k);
    void motionChanged(QObject* source);
    StrategyOperator controlsOperator() const;
    void fillLists(bool keepTargetText);
    void applyVisibility();
    void showSlots(int32_t k);
    void refuse(const std::string& why);

    TForm1& main_;
    QString folder_;
    Strategy model_;
    bool textUpdates_ = true;
    bool storeEnabled_ = true;
    bool assignMode_ = false;
    // Set while controls are filled by the program: their change signals
    // are not the user's.
    int filling_ = 0;

    QPushButton* save_ = nullptr;
    QPushButton* load_ = nullptr;
    QPushButton* clear_ = nullptr;
    QPushButton* exit_ = nullptr;
    QTabWidget* pages_ = nullptr;
    QPlainTextEdit* text_ = nullptr;

    QComboBox* parameterName_ = nullptr;
    QLineEdit* initiation_ = nullptr;
    QLineEdit* comment_ = nullptr;
    QCheckBox* visibility_ = nullptr;
    QPushButton* addParameter_ = nullptr;
    QPushButton* deleteParameter_ = nullptr;
    QPlainTextEdit* description_ = nullptr;

    QComboBox* operatorName_ = nullptr;
    QComboBox* section_ = nullptr;
    QCheckBox* independent_ = nullptr;
    QComboBox* kind_ = nullptr;
    QComboBox* left_ = nullptr;
    QSpinBox* leftWindow_ = nullptr;
    QComboBox* leftCategory_ = nullptr;
    QComboBox* comparison_ = nullptr;
    QComboBox* right_ = nullptr;
    QSpinBox* rightWindow_ = nullptr;
    QComboBox* rightCategory_ = nullptr;
    QLabel* thenLabel_ = nullptr;
    QComboBox* thenTarget_ = nullptr;
    QComboBox* thenSlot_ = nullptr;
    QLabel* elseLabel_ = nullptr;
    QComboBox* elseTarget_ = nullptr;
    QComboBox* elseSlot_ = nullptr;
    QComboBox* target_ = nullptr;
    QSpinBox* betWindow_ = nullptr;
    QComboBox* betCategory_ = nullptr;
    QLabel* equals_ = nullptr;
    QComboBox* operand1_ = nullptr;
    QComboBox* operation_ = nullptr;
    QComboBox* operand2_ = nullptr;
    QPushButton* addOperator_ = nullptr;
    QPushButton* deleteOperator_ = nullptr;
};

}  // namespace kv
