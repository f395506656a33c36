#pragma once
// The upward digit font of the FOREST bars: digits 10 pixels wide, drawn a
// quarter turn counter-clockwise so that a number reads from bottom to top.

#include <cstdint>
#include <vector>

#include "analysis/chart_shapes.h"

namespace kv {

// The pixels of `value` (>= 0) in decimal, first digit lowest: row 1 of a
// digit lies at `y`, each further row one pixel higher; a column c (1..10)
// set in a row is the pixel (x + c - 1, row y). One empty row follows each
// digit before the next one begins.
std::vector<PicturePoint> upwardNumberPixels(int32_t value, int x, int y);

}  // namespace kv
