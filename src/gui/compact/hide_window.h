#pragma once
// HideWindow "Hide": the smallest stand-in for the main window, one button that
// brings the main window back. Closing it any other way ends the program.

#include <QWidget>

class QPushButton;

namespace kv {

class MainWindow;

class HideWindow : public QWidget {
    Q_OBJECT
  public:
    explicit HideWindow(MainWindow& main);

    QPushButton* visibleButton() const { return visible_; }
    void showMainWindow();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    MainWindow& main_;
    QPushButton* visible_ = nullptr;
    bool closingByButton_ = false;
};

}  // namespace kv
