#pragma once
// CalculateWindow, "Calculate": the settings of the betting advisor, a small chart
// of the weight each of the latest spins gets, and "CALC", which puts the
// advised chips on the main table through the table's own click handler.
//
// The window keeps its values in a CalculateSettings and mirrors them into
// the main window's settings record as they change, so the record always
// holds what the controls show; the closing group is written only when the
// window closes (and the "Errors" text also on every click of its up-down).

#include <QImage>
#include <QWidget>
#include <array>

#include "calculate/calculate_settings.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;
class QToolButton;

namespace kv {

class MainWindow;

class CalculateWindow : public QWidget {
    Q_OBJECT
  public:
    explicit CalculateWindow(MainWindow& main);

    // Redraws the weight chart (on activation and when shown).
    void redrawWeightChart();
    // "CALC": Random Play when asked, then every enabled category's chips.
    void calculate();
    // The defaults button.
    void restoreDefaults();
    // Game > "Calculate": shows the window when hidden, calculates when shown.
    void showOrCalculate();

    // The values the controls hold now.
    const CalculateSettings& calculateSettings() const { return calc_; }

    // Controls, k = 1..6.
    QCheckBox* categoryBox(int k) const { return category_[k]; }
    QCheckBox* betAlwaysBox(int k) const { return betAlways_[k]; }
    QSlider* slider(int k) const { return slider_[k]; }
    QLabel* valueLabel(int k) const { return valueLabel_[k]; }
    QLineEdit* statisticNumbersEdit() const { return statisticNumbers_; }
    QLineEdit* downturnEdit() const { return downturn_; }
    QLineEdit* errorsEdit() const { return errors_; }
    QToolButton* downturnUp() const { return downturnUp_; }
    QToolButton* downturnDown() const { return downturnDown_; }
    QToolButton* errorsUp() const { return errorsUp_; }
    QToolButton* errorsDown() const { return errorsDown_; }
    int downturnPosition() const { return downturnPosition_; }
    int errorsPosition() const { return errorsPosition_; }
    QCheckBox* randomPlayBox() const { return randomPlay_; }
    QToolButton* defaultsButton() const { return defaults_; }
    QPushButton* calcButton() const { return calcButton_; }
    QWidget* chartBox() const { return chart_; }
    // The chart as last drawn.
    const QImage& chartImage() const { return chartImage_; }

  protected:
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void buildControls();
    void loadFromRecord();
    void showValues();
    void storeLive();
    void applyEnableRule();
    void checkBoxClicked();
    void sliderChanged(int k, int position);
    void digitFieldChanged(QLineEdit* field, std::string& value);
    void downturnChanged();
    void downturnUpDownClick(int step);
    void errorsUpDownClick(int step);
    void redrawChart();

    MainWindow& main_;
    CalculateSettings calc_;
    // The enable rule waits while several check boxes are set at once.
    bool holdEnableRule_ = false;
    // The "Downturn Factor" up-down is not tied to its field; the "Errors"
    // one is, and starts from the field's text when clicked.
    int downturnPosition_ = kDownturnUpDownDefault;
    int errorsPosition_ = kErrorsUpDownDefault;

    std::array<QCheckBox*, 7> category_{};
    std::array<QCheckBox*, 7> betAlways_{};
    std::array<QSlider*, 7> slider_{};
    std::array<QLabel*, 7> valueLabel_{};
    QLineEdit* statisticNumbers_ = nullptr;
    QLineEdit* downturn_ = nullptr;
    QLineEdit* errors_ = nullptr;
    QToolButton* downturnUp_ = nullptr;
    QToolButton* downturnDown_ = nullptr;
    QToolButton* errorsUp_ = nullptr;
    QToolButton* errorsDown_ = nullptr;
    QCheckBox* randomPlay_ = nullptr;
    QToolButton* defaults_ = nullptr;
    QPushButton* calcButton_ = nullptr;
    QWidget* chart_ = nullptr;
    QImage chartImage_;
};

}  // namespace kv
