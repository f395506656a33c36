#pragma once
// TForm15 "Hide": the smallest stand-in for the main window, one button that
// brings the main window back. Closing it any other way ends the program.

#include <QWidget>

class QPushButton;

namespace kv {

class TForm1;

class TForm15 : public QWidget {
    Q_OBJECT
public:
    explicit TForm15(TForm1& main);

    QPushButton* Button1() const { return button1_; }
    void Button1Click();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    TForm1& main_;
    QPushButton* button1_ = nullptr;
    bool closingByButton_ = false;
};

}  // namespace kv
