#pragma once
// TForm8, "Wheel Sectors": a wheel picture with the four sectors as a pie.
// Clicks bet on a pocket or a whole sector through the main table, move a
// sector boundary by one pocket, or restore the default boundaries.

#include <QImage>
#include <QWidget>

#include "analysis/sectors_wheel.h"

namespace kv {

class ImageBox;
class TForm1;

class TForm8 : public QWidget {
    Q_OBJECT
  public:
    explicit TForm8(TForm1& main);

    // Redraws the pie, the centre disc and the lit label over the wheel.
    void pieimage();
    void Image1MouseMove(int x, int y);
    void Image1MouseDown(Qt::MouseButton button, int x, int y);

    const SectorBounds& bounds() const { return sectors_.bounds(); }
    const std::array<bool, kSectorCount>& litLabels() const { return sectors_.litLabels(); }
    ImageBox* Image1() const { return image1_; }
    // How many times the pie was redrawn (hover economy).
    int pieCount() const { return pieCount_; }

    // The wheel with its 37 pockets and numbers, without the pie.
    static QImage wheelPicture();

  private:
    TForm1& main_;
    WheelSectors sectors_;
    QImage wheel_;
    QImage shown_;
    ImageBox* image1_ = nullptr;
    int pieCount_ = 0;
};

}  // namespace kv
