#pragma once
// What the two compact table windows show: their reduced table scale, where
// a bet marker goes, and where a press on the reduced picture lands on the
// main table.

#include <cstdint>

#include "core/roulette.h"
#include "core/table_geometry.h"

namespace kv {

// d = 3 for "Minimize", 2 for "Minimize 2".
struct MinimizeScale {
    int d = 3;
    TablePoint zeroMarker;  // marker point of the zero column
};
inline constexpr MinimizeScale kMinimize1{3, {6, 34}};
inline constexpr MinimizeScale kMinimize2{2, {11, 68}};

// Marker point of a bet cell on the reduced picture (before the window's
// own offset is added).
TablePoint minimizeMarkerPoint(const MinimizeScale& scale, BetCell cell);
// The main-table point that a press at (x, y) on the reduced picture means.
TablePoint minimizeToTable(const MinimizeScale& scale, int x, int y);
// "Minimize 2" writes a bet's amount into its marker at the marker point's
// x plus this offset, so that one, two and three digits sit in the middle.
int minimize2AmountOffset(int32_t amount);
// Centre of the ring round the latest number on the "Minimize 2" picture.
TablePoint minimize2LatestCentre(int n);

}  // namespace kv
