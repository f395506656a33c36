#pragma once
// CutGameWindow, "Cut Game": removes a range of spins, counted from the start of
// the game, from the history of the main window.

#include <QWidget>

class QLineEdit;
class QPushButton;

namespace kv {

class MainWindow;

class CutGameWindow : public QWidget {
    Q_OBJECT
  public:
    explicit CutGameWindow(MainWindow& main);

    // Each time the window becomes active: "1" and the current spin count.
    void fillWholeRange();
    // "OK": cuts, then closes the window.
    void cut();
    // "Cancel".
    void cancel();

    QLineEdit* firstEdit() const { return first_; }
    QLineEdit* lastEdit() const { return last_; }
    QPushButton* okButton() const { return ok_; }
    QPushButton* cancelButton() const { return cancel_; }

  protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    MainWindow& main_;
    QLineEdit* first_ = nullptr;
    QLineEdit* last_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
};

}  // namespace kv
