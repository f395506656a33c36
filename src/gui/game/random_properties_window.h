#pragma once
// RandomPropertiesWindow, "Random Properties": how many draws RandNum makes (RandomDepth).

#include <QWidget>

class QPushButton;
class QSpinBox;

namespace kv {

class MainWindow;

class RandomPropertiesWindow : public QWidget {
    Q_OBJECT
  public:
    explicit RandomPropertiesWindow(MainWindow& main);

    // Shows RandomDepth (on every activation).
    void refresh();
    void accept();

    QSpinBox* depthBox() const { return depth_; }
    QPushButton* okButton() const { return ok_; }
    QPushButton* cancelButton() const { return cancel_; }

  protected:
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    MainWindow& main_;
    QSpinBox* depth_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
};

}  // namespace kv
