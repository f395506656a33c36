#pragma once
// TForm20 "Input Online Casino Numbers": a number pad in the shape of the
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

class TForm1;
class ImageBox;

class TForm20 : public QWidget {
    Q_OBJECT
public:
    explicit TForm20(TForm1& main);

    // The pad press at (x, y) on the visible pad picture.
    void padMouseDown(int x, int y);
    // Queues (Future) or plays (Real time) one number.
    void padNumber(int n);
    // Reads numbers from a file, one per line, and treats each as a press.
    // Returns the error text ("" when the whole file was read).
    QString loadNumbers(const QString& path);
    // Draws the queue display.
    void mypaint();

    void SpeedButton1Click();  // orientation
    void Button1Click();       // "Clr"
    void Button2Click();       // "<<"
    void Button3Click();       // "Load"

    PadOrientation orientation() const { return orientation_; }
    bool future() const;
    QCheckBox* CheckBox1() const { return checkBox1_; }
    QPushButton* SpeedButton1() const { return speedButton1_; }
    QPushButton* Button1() const { return button1_; }
    QPushButton* Button2() const { return button2_; }
    QPushButton* Button3() const { return button3_; }
    QScrollBar* ScrollBar1() const { return scrollBar1_; }
    ImageBox* pad() const;
    ImageBox* Image3() const { return image3_; }
    // A short status shown in the title (queue full, a bad line).
    const QString& status() const { return status_; }

private:
    void applyLayout();
    void modeChanged();
    void setStatus(const QString& s);

    TForm1& main_;
    PadOrientation orientation_ = PadOrientation::Horizontal;
    QImage horizontalPad_;
    QImage verticalPad_;
    ImageBox* image1_ = nullptr;  // vertical pad
    ImageBox* image2_ = nullptr;  // horizontal pad
    ImageBox* image3_ = nullptr;  // queue display
    QScrollBar* scrollBar1_ = nullptr;
    QPushButton* speedButton1_ = nullptr;
    QCheckBox* checkBox1_ = nullptr;
    QPushButton* button1_ = nullptr;
    QPushButton* button2_ = nullptr;
    QPushButton* button3_ = nullptr;
    QString status_;
};

// The pad pictures: fields laid out exactly as the pad hit test reads them.
QImage buildHorizontalPad();
QImage buildVerticalPad();

}  // namespace kv
