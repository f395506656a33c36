#pragma once
// The About box: the program's name, its version and an OK button.

#include <QWidget>

class QPushButton;

namespace kv {

class TForm1;

inline constexpr const char* kProgramVersion = "0.1.0";

class TAboutBox : public QWidget {
    Q_OBJECT
public:
    explicit TAboutBox(TForm1& main);

    QPushButton* okButton() const { return ok_; }

private:
    QPushButton* ok_ = nullptr;
};

}  // namespace kv
