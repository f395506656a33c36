#pragma once
// TForm9, "Cut Game": removes a range of spins, counted from the start of
// the game, from the history of the main window.

#include <QWidget>

class QLineEdit;
class QPushButton;

namespace kv {

class TForm1;

class TForm9 : public QWidget {
    Q_OBJECT
public:
    explicit TForm9(TForm1& main);

    // Each time the window becomes active: "1" and the current spin count.
    void FormActivate();
    // "OK": cuts, then closes the window.
    void Button1Click();
    // "Cancel".
    void Button2Click();

    QLineEdit* firstEdit() const { return first_; }
    QLineEdit* lastEdit() const { return last_; }
    QPushButton* okButton() const { return ok_; }
    QPushButton* cancelButton() const { return cancel_; }

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    TForm1& main_;
    QLineEdit* first_ = nullptr;
    QLineEdit* last_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
};

}  // namespace kv
