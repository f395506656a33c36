#pragma once
// NumberPadWindow "Input Online Casino Numbers": a number pad in the shape of the
// table. In "Future" mode the pressed numbers wait in the online queue,
// which the main window plays one per wheel click; in "Real time" each
// number is played at once. A list can be loaded from a text file.

#include <QImage>
#include <QString>
#include <QWidget>

#include "core/online_pad.h"

class QCheckBox;
class QPushButton;
class QScrollBar;

namespace kv {

class MainWindow;
class ImageBox;

class NumberPadWindow : public QWidget {
    Q_OBJECT
  public:
    explicit NumberPadWindow(MainWindow& main);

    // The pad press at (x, y) on the visible pad picture.
    void padMouseDown(int x, int y);
    // Queues (Future) or plays (Real time) one number.
    void padNumber(int n);
    // Reads numbers from a file, one per line, and treats each as a press.
    // Returns the error text ("" when the whole file was read).
    QString loadNumbersFrom(const QString& path);
    // Draws the queue display.
    void drawQueue();

    void toggleOrientation();  // orientation
    void clearQueue();         // "Clr"
    void dropLastNumber();     // "<<"
    void loadNumbers();        // "Load"

    PadOrientation orientation() const { return orientation_; }
    bool future() const;
    QCheckBox* futureBox() const { return future_; }
    QPushButton* orientationButton() const { return orientationButton_; }
    QPushButton* clearButton() const { return clear_; }
    QPushButton* backButton() const { return back_; }
    QPushButton* loadButton() const { return load_; }
    QScrollBar* queueScroll() const { return queueScroll_; }
    ImageBox* pad() const;
    ImageBox* queueView() const { return queueView_; }
    // A short status shown in the title (queue full, a bad line).
    const QString& status() const { return status_; }

  private:
    void applyLayout();
    void modeChanged();
    void setStatus(const QString& s);

    MainWindow& main_;
    PadOrientation orientation_ = PadOrientation::Horizontal;
    QImage horizontalPadPicture_;
    QImage verticalPadPicture_;
    ImageBox* verticalPad_ = nullptr;
    ImageBox* horizontalPad_ = nullptr;
    ImageBox* queueView_ = nullptr;
    QScrollBar* queueScroll_ = nullptr;
    QPushButton* orientationButton_ = nullptr;
    QCheckBox* future_ = nullptr;
    QPushButton* clear_ = nullptr;
    QPushButton* back_ = nullptr;
    QPushButton* load_ = nullptr;
    QString status_;
};

// The pad pictures: fields laid out exactly as the pad hit test reads them.
QImage buildHorizontalPad();
QImage buildVerticalPad();

}  // namespace kv
