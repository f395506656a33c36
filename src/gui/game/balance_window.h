#pragma once
// BalanceWindow, "Balance": shows Balance and Credit, moves money between the
// pocket and the table, and charts Balance + Credit over the game.

#include <QWidget>

class QLabel;
class QPushButton;
class QSpinBox;

namespace kv {

class MainWindow;

class BalanceWindow : public QWidget {
    Q_OBJECT
  public:
    explicit BalanceWindow(MainWindow& main);

    // Refreshes the two values and the amount (on every activation).
    void refresh();
    void takeMoney();
    void putMoney();

    QLabel* balanceValue() const { return balanceValue_; }
    QLabel* creditValue() const { return creditValue_; }
    QSpinBox* amountBox() const { return amount_; }
    QPushButton* getMoneyButton() const { return getMoney_; }
    QPushButton* putMoneyButton() const { return putMoney_; }
    QPushButton* cancelButton() const { return cancel_; }
    QWidget* chart() const { return chart_; }

  protected:
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    MainWindow& main_;
    QWidget* chart_ = nullptr;
    QLabel* balanceValue_ = nullptr;
    QLabel* creditValue_ = nullptr;
    QSpinBox* amount_ = nullptr;
    QPushButton* getMoney_ = nullptr;
    QPushButton* putMoney_ = nullptr;
    QPushButton* cancel_ = nullptr;
};

}  // namespace kv
