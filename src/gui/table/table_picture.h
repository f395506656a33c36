#pragma once
// The table picture of the main window (1017 x 497): the wheel on the left,
// the betting table on the right, the control circles and the black panels.
// It is painted in code at start, so the program needs no image file; every
// hit test, tint and chip position is computed from the same geometry.

#include <QImage>

namespace kv {

// Builds the picture. The number ring of the wheel (radii 93..127 round
// (172, 183)) shows the pockets of WheelOrder counter-clockwise from zero at
// the top, pocket p (0-based) between p and p + 1 pocket widths from the top.
QImage buildTablePicture();

}  // namespace kv
