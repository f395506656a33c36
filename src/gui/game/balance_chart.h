#pragma once
// The chart of the Balance window: Balance + Credit after every spin of the
// game, with the zero line and the extremes written at the edges.

#include <QImage>

#include "core/game_state.h"

namespace kv {

// Draws the chart over the whole image.
void drawBalanceChart(QImage& image, const GameState& s);

}  // namespace kv
