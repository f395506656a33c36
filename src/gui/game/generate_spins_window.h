#pragma once
// GenerateSpinsWindow, "Generate Spins": appends random spins to the history without
// playing them (no bets, no money).

#include <QWidget>

class QLineEdit;
class QPushButton;
class QToolButton;

namespace kv {

class MainWindow;

class GenerateSpinsWindow : public QWidget {
    Q_OBJECT
  public:
    explicit GenerateSpinsWindow(MainWindow& main);

    void generate();
    // The up-down beside the edit: steps the number and writes it back with
    // a thousands separator.
    void stepUpDown(int delta);

    QLineEdit* edit() const { return edit_; }
    QPushButton* generateButton() const { return generate_; }
    QPushButton* cancelButton() const { return cancel_; }

  private:
    MainWindow& main_;
    QLineEdit* edit_ = nullptr;
    QToolButton* up_ = nullptr;
    QToolButton* down_ = nullptr;
    QPushButton* generate_ = nullptr;
    QPushButton* cancel_ = nullptr;
};

}  // namespace kv
