#pragma once
// The Statistic window's table (StatisticWindow): one 30-pixel row per spin in the
// order of play, with the number and pictograms of its even chances, dozen,
// column, street and wheel sector, one page at a time.
//
// A page costs only its own rows, however long the game.

#include <cstdint>
#include <string>

#include "analysis/chart_shapes.h"
#include "analysis/sectors_bounds.h"

namespace kv {

class GameState;

inline constexpr int kStatisticRowHeight = 30;
inline constexpr int kStatisticRowsAtStart = 17;

// Sizes that follow the window's (outer) height, and the scroll range.
struct StatisticLayout {
    int paintHeight = 0;  // the picture and its scroll bar: window height - 65
    int rows = 0;         // R: whole rows on the page (0 below a height of 95)
    int32_t scrollMin = 1;
    int32_t scrollMax = 1;  // N - R + 1, at least 1: the page ending with the latest spin
};
StatisticLayout statisticLayout(int windowHeight, int32_t spinCount);

// The spin shown in row r (1 at the top) at scroll position `position`: its
// ordinal in the game (1 = first spin), or 0 for an empty row.
int32_t statisticOrdinal(int32_t position, int row, int32_t spinCount);

// The "#" text: k and a point, right-aligned by leading spaces ("  7.",
// " 42.", "123.").
std::string statisticOrdinalText(int32_t k);

// The records of row `row` (1 at the top) for the spin of ordinal k with
// number n.
Picture statisticRow(int row, int32_t k, int n, const SectorBounds& bounds);
// The wedge pictogram of a sector, for a row starting at y0.
Picture sectorPictogram(Sector s, int y0);

// The whole page: background, column rules, then the rows of the spins
// position .. position + rows - 1 that exist.
Picture statisticPage(const GameState& s, const SectorBounds& bounds, int paintWidth, int paintHeight,
                      int32_t position, int rows);

// The mouse-move economy: a drawing that is not forced is skipped while the
// spin count, scroll position and scroll maximum are those of the last one.
class StatisticRedrawGate {
  public:
    bool needsDrawing(bool force, int32_t spinCount, int32_t position, int32_t maximum) const {
        return force || !drawn_ || spinCount != count_ || position != position_ || maximum != maximum_;
    }
    void remember(int32_t spinCount, int32_t position, int32_t maximum) {
        drawn_ = true;
        count_ = spinCount;
        position_ = position;
        maximum_ = maximum;
    }

  private:
    // Before any drawing the remembered values are all 0, as after start-up.
    bool drawn_ = true;
    int32_t count_ = 0;
    int32_t position_ = 0;
    int32_t maximum_ = 0;
};

}  // namespace kv
