#pragma once
// The About box: the program's name, its version and an OK button.

#include <QWidget>

class QPushButton;

namespace kv {

class MainWindow;

// The version of project() in the top-level CMakeLists.txt.
inline constexpr const char* kProgramVersion = KV_VERSION;

class AboutWindow : public QWidget {
    Q_OBJECT
  public:
    explicit AboutWindow(MainWindow& main);

    QPushButton* okButton() const { return ok_; }

  private:
    QPushButton* ok_ = nullptr;
};

}  // namespace kv
