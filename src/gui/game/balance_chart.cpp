#include "gui/game/balance_chart.h"

#include <algorithm>
#include <cmath>

#include "gui/common/canvas.h"

namespace kv {

namespace {

int nearest(double v) {
    // Out-of-range values (a chart of a few pixels over huge sums) are held
    // at the edge of what a coordinate can be.
    return static_cast<int>(std::clamp(std::nearbyint(v), -1.0e6, 1.0e6));
}

}  // namespace

void drawBalanceChart(QImage& image, const GameState& s) {
    Canvas c(image);
    const int w = c.width();
    const int h = c.height();
    c.pen = {clBlack, 1, false};
    c.brush = {clWhite, false};
    c.Rectangle(0, 0, w, h);

    const int32_t k = s.SpinCount;
    int64_t lo = 1000000;
    int64_t hi = -1000000;
    for (int32_t i = 1; i <= k; ++i) {
        lo = std::min<int64_t>(lo, s.ResultHistory(i));
        hi = std::max<int64_t>(hi, s.ResultHistory(i));
    }
    const double xs = k == 0 ? 1.0 : static_cast<double>(w) / k;
    const double ys = hi == lo ? 1.0 : static_cast<double>(h) / static_cast<double>(hi - lo);
    const int y0 = h - nearest(-static_cast<double>(lo) * ys);
    c.MoveTo(1, y0);
    c.LineTo(w, y0);

    c.pen.color = clBlue;
    c.MoveTo(0, h - nearest((static_cast<double>(s.ResultHistory(1)) - lo) * ys));
    for (int32_t i = 1; i <= k; ++i) {
        c.LineTo(nearest((i - 1) * xs), h - nearest((static_cast<double>(s.ResultHistory(i)) - lo) * ys));
    }

    c.font.size = 8;
    c.font.color = clBlack;
    c.TextOut(2, h - 14, QString::number(lo));
    c.TextOut(2, 3, QString::number(hi));
    c.TextOut(w - 30, y0 + 2, QString::number(k));
}

}  // namespace kv
