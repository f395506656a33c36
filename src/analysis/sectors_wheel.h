#pragma once
// What the Wheel Sectors window (WheelSectorsWindow) decides, without drawing: the
// current SectorBounds, the hover labels and the meaning of a click on the
// wheel picture (pocket bet, sector bet, boundary move, reset).
//
// Bets go onto the main table: the window sends each point of
// WheelClick::tableClicks, in order, to the main window's pressTable
// with the clicked mouse button, and calls its PaintBox1Paint after each.

#include <array>
#include <cstdint>
#include <vector>

#include "analysis/chart_shapes.h"
#include "analysis/sectors_bounds.h"
#include "analysis/sectors_geometry.h"

namespace kv {

struct WheelClick {
    WheelZone zone = WheelZone::Outside;
    // Main table points to click, in betting order (pocket and pie clicks).
    std::vector<TablePoint> tableClicks;
    // The wheel positions those points bet on, in the same order.
    std::vector<int> positions;
    bool boundsChanged = false;
    // Centre disc and boundary ring clicks: the Statistic window, when
    // visible, is activated so that its Sector column follows.
    bool refreshStatistic = false;
    // Every click redraws the pie (picture()) and repaints the visible
    // Minimize windows.
};

class WheelSectors {
  public:
    // Default boundaries.
    WheelSectors() = default;
    // The boundaries saved in the settings (invalid ones give the defaults).
    explicit WheelSectors(const std::array<int32_t, 6>& savedNumbers);

    const SectorBounds& bounds() const { return bounds_; }
    void setBounds(const SectorBounds& b) { bounds_ = b; }

    // On a pointer move: lights the label of the sector under the pointer (inside
    // the pie, outside the centre disc). True when the lit labels differ from
    // the drawn ones: the window then redraws picture().
    bool mouseMove(int x, int y);
    // A press at (x, y); applies boundary moves and the reset.
    WheelClick mouseDown(int x, int y);

    // The pie with the labels lit at the last redraw.
    Picture picture() const { return sectorPiePicture(bounds_, drawn_); }
    const std::array<bool, kSectorCount>& litLabels() const { return drawn_; }

  private:
    SectorBounds bounds_;
    std::array<bool, kSectorCount> hover_{};
    std::array<bool, kSectorCount> drawn_{};
};

}  // namespace kv
