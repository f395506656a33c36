#pragma once
// Geometry of the table picture (1017 x 497 pixels): which bet spot lies
// under a point, where the controls and the wheel are, where chips are drawn,
// and the reference points through which other windows click on the table.

#include <optional>

#include "core/roulette.h"

namespace kv {

inline constexpr int kTableWidth = 1017;
inline constexpr int kTableHeight = 497;
inline constexpr int kTableLeft = 342;
inline constexpr int kTableTop = 13;
inline constexpr int kCellWidth = 46;
inline constexpr int kCellHeight = 84;

struct TablePoint {
    int x = 0;
    int y = 0;
    bool operator==(const TablePoint&) const = default;
};

// Control circles; a point belongs to one at distance <= 28 from its centre.
inline constexpr TablePoint kChipSelector{352, 306};
inline constexpr TablePoint kClearControl{352, 371};
inline constexpr TablePoint kRepeatControl{975, 307};
inline constexpr TablePoint kDoubleControl{975, 373};
inline constexpr int kControlRadius = 28;
// The wheel: distance <= 160 from its centre.
inline constexpr TablePoint kWheelCentre{172, 183};
inline constexpr int kWheelRadius = 160;
// A point inside the wheel circle that other windows click to spin.
inline constexpr TablePoint kWheelClick{174, 182};

bool withinCircle(int x, int y, TablePoint centre, int radius);
inline bool inChipSelector(int x, int y) { return withinCircle(x, y, kChipSelector, kControlRadius); }
inline bool inClearControl(int x, int y) { return withinCircle(x, y, kClearControl, kControlRadius); }
inline bool inRepeatControl(int x, int y) { return withinCircle(x, y, kRepeatControl, kControlRadius); }
inline bool inDoubleControl(int x, int y) { return withinCircle(x, y, kDoubleControl, kControlRadius); }
inline bool inWheel(int x, int y) { return withinCircle(x, y, kWheelCentre, kWheelRadius); }

// The bet spot under a table point, if any.
std::optional<BetCell> HitTest(int x, int y);

// Reference points inside the spots they name.
TablePoint categoryPoint(Category c);
inline constexpr TablePoint kZeroPoint{363, 132};
// Straight number n (1..36); zero gives kZeroPoint.
TablePoint numberPoint(int n);

// Where the chip of a cell is drawn.
TablePoint chipCentre(BetCell cell);

}  // namespace kv
