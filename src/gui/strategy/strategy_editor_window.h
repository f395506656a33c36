#pragma once
// StrategyEditorWindow, "Constructor of Strategics": edits a Strategy without typing its
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

class MainWindow;

class StrategyEditorWindow : public QWidget {
    Q_OBJECT
  public:
    explicit StrategyEditorWindow(MainWindow& main);

    // --- Handlers -------------------------------------------------------
    void save();             // Save
    void load();             // Load
    void clear();            // Clear
    void addParameter();     // Add parameter
    void deleteParameter();  // Delete parameter
    void addOperator();      // Add operator
    void deleteOperator();   // Delete operator
    // Reads a strategy file into the model and the controls. False when
    // the file could not be read (a refused text is reported).
    bool loadFile(const QString& path);
    // Refresh of page MOTION: lists, visibility by kind, text.
    void refreshMotion();

    // Ask for the file of Save and Load; an empty string cancels. Replaced by
    // tests; the defaults are the file dialogs in the player's folder.
    std::function<QString(QWidget* parent, const QString& folder)> chooseSaveFile;
    std::function<QString(QWidget* parent, const QString& folder)> chooseOpenFile;

    const Strategy& strategy() const { return model_; }
    bool assignMode() const { return assignMode_; }

    // --- Controls -------------------------------------------------------
    QPushButton* saveButton() const { return save_; }
    QPushButton* exitButton() const { return exit_; }
    QPushButton* loadButton() const { return load_; }
    QPushButton* clearButton() const { return clear_; }
    QTabWidget* pages() const { return pages_; }
    QPlainTextEdit* strategyText() const { return text_; }
    // BEGIN
    QComboBox* parameterName() const { return parameterName_; }
    QLineEdit* initiation() const { return initiation_; }
    QLineEdit* comment() const { return comment_; }
    QCheckBox* visibility() const { return visibility_; }
    QPushButton* addParameterButton() const { return addParameter_; }
    QPushButton* deleteParameterButton() const { return deleteParameter_; }
    QPlainTextEdit* description() const { return description_; }
    // MOTION
    QComboBox* operatorName() const { return operatorName_; }
    QComboBox* section() const { return section_; }
    QCheckBox* independent() const { return independent_; }
    QComboBox* kind() const { return kind_; }
    QComboBox* left() const { return left_; }
    QSpinBox* leftWindow() const { return leftWindow_; }
    QComboBox* leftCategory() const { return leftCategory_; }
    QComboBox* comparison() const { return comparison_; }
    QComboBox* right() const { return right_; }
    QSpinBox* rightWindow() const { return rightWindow_; }
    QComboBox* rightCategory() const { return rightCategory_; }
    QComboBox* thenTarget() const { return thenTarget_; }
    QComboBox* thenSlot() const { return thenSlot_; }
    QComboBox* elseTarget() const { return elseTarget_; }
    QComboBox* elseSlot() const { return elseSlot_; }
    QComboBox* betTarget() const { return target_; }
    QSpinBox* betWindow() const { return betWindow_; }
    QComboBox* betCategory() const { return betCategory_; }
    QLabel* equalsLabel() const { return equals_; }
    QComboBox* operand1() const { return operand1_; }
    QComboBox* operation() const { return operation_; }
    QComboBox* operand2() const { return operand2_; }
    QPushButton* addOperatorButton() const { return addOperator_; }
    QPushButton* deleteOperatorButton() const { return deleteOperator_; }

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

    MainWindow& main_;
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
