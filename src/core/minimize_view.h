#pragma once
// What the two compact table windows show: their reduced table scale, where
// a bet marker goes, and where a press on the reduced picture lands on the
// main table.

#include <cstdint>
#include <functional>

#include "core/roulette.h"
#include "core/table_geometry.h"

namespace kv {

// The row of the last ten numbers: the latest one's text box starts at
// `first`, each older one a step further right, in bold type of `fontSize`
// points.
struct NumberRow {
    TablePoint first;
    int step = 0;
    int fontSize = 0;
};

// d = 3 for "Minimize", 2 for "Minimize 2".
struct MinimizeScale {
    int d = 3;
    TablePoint zeroMarker;  // marker point of the zero column
    NumberRow numbers;
};
inline constexpr MinimizeScale kMinimize1{3, {6, 34}, {{129, 138}, 18, 11}};
inline constexpr MinimizeScale kMinimize2{2, {11, 68}, {{197, 209}, 27, 15}};

// The font size the row's numbers are written in: the row's own size when
// the widest number text (widthAt(size) pixels wide) leaves a pixel between
// neighbours, otherwise the largest smaller size that does (1 at least).
// The row was laid out for narrow type; wider type shrinks instead of
// running the numbers into each other.
int numberRowFontSize(const NumberRow& row, const std::function<int(int size)>& widthAt);
// Left edge of the text of number k (1 = the latest) when it is textWidth
// pixels wide: centred in its step, never left of the step's start.
int numberRowTextLeft(const NumberRow& row, int k, int textWidth);

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
