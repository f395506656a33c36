#pragma once
// TForm5, "Random Properties": how many draws RandNum makes (RandomDepth).

#include <QWidget>

class QPushButton;
class QSpinBox;

namespace kv {

class TForm1;

class TForm5 : public QWidget {
    Q_OBJECT
public:
    explicit TForm5(TForm1& main);

    // Shows RandomDepth (on every activation).
    void FormActivate();
    void OkClick();

    QSpinBox* depthBox() const { return depth_; }
    QPushButton* okButton() const { return ok_; }
    QPushButton* cancelButton() const { return cancel_; }

protected:
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    TForm1& main_;
    QSpinBox* depth_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
};

}  // namespace kv
