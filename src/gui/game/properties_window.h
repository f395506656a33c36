#pragma once
// PropertiesWindow, "Game Properties": the seven table limits and InputCredits.

#include <QWidget>
#include <array>

class QSpinBox;
class QPushButton;
class QToolButton;

namespace kv {

class MainWindow;

class PropertiesWindow : public QWidget {
    Q_OBJECT
  public:
    explicit PropertiesWindow(MainWindow& main);

    // Copies the 14 limits and InputCredits from the game state into the
    // controls.
    void showCurrentValues();
    // Sets the controls to the factory values (they apply only with OK).
    void loadFactoryValues();

    // Min and max control of a payout class (0 = "1/1" .. 6 = "1/35").
    QSpinBox* minBox(int cls) const { return limits_[2 * cls]; }
    QSpinBox* maxBox(int cls) const { return limits_[2 * cls + 1]; }
    QSpinBox* inputCreditsBox() const { return inputCredits_; }
    QPushButton* okButton() const { return ok_; }
    QPushButton* cancelButton() const { return cancel_; }
    QToolButton* factoryButton() const { return factory_; }

    void accept();
    void cancel();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    MainWindow& main_;
    std::array<QSpinBox*, 14> limits_{};
    QSpinBox* inputCredits_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QToolButton* factory_ = nullptr;
};

}  // namespace kv
