#pragma once
// Draws the statistics computations' drawing lists (Picture) onto a Canvas,
// one drawing-layer call per record, in order. The windows of the analysis
// use this and nothing else to turn a Picture into pixels.

#include <QFont>

#include "analysis/chart_shapes.h"

class QImage;

namespace kv {

class Canvas;

void paintPicture(Canvas& c, const Picture& picture);
// Convenience: a Canvas over `image` for the duration of the call.
void paintPicture(QImage& image, const Picture& picture);

// The font of these windows' controls: the drawing layer's default face at
// 8 points, the size that pictures use for texts without a size of their
// own, so labels fit the places the layouts give them.
QFont classicFont();

}  // namespace kv
