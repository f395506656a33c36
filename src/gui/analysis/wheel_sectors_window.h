#pragma once
// WheelSectorsWindow, "Wheel Sectors": a wheel picture with the four sectors as a pie.
// Clicks bet on a pocket or a whole sector through the main table, move a
// sector boundary by one pocket, or restore the default boundaries.

#include <QImage>
#include <QWidget>

#include "analysis/sectors_wheel.h"

namespace kv {

class ImageBox;
class MainWindow;

class WheelSectorsWindow : public QWidget {
    Q_OBJECT
  public:
    explicit WheelSectorsWindow(MainWindow& main);

    // Redraws the pie, the centre disc and the lit label over the wheel.
    void drawSectorPie();
    void hoverWheel(int x, int y);
    void pressWheel(Qt::MouseButton button, int x, int y);

    const SectorBounds& bounds() const { return sectors_.bounds(); }
    const std::array<bool, kSectorCount>& litLabels() const { return sectors_.litLabels(); }
    ImageBox* wheelView() const { return wheelView_; }
    // How many times the pie was redrawn (hover economy).
    int pieCount() const { return pieCount_; }

    // The wheel with its 37 pockets and numbers, without the pie.
    static QImage wheelPicture();

  private:
    MainWindow& main_;
    WheelSectors sectors_;
    QImage wheel_;
    QImage shown_;
    ImageBox* wheelView_ = nullptr;
    int pieCount_ = 0;
};

}  // namespace kv
