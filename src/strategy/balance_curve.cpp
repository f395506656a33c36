#include "strategy/balance_curve.h"

#include <algorithm>
#include <cmath>

namespace kv {

namespace {

// Far outside any paint box, but safe to hand to the drawing layer.
int pixel(double v) { return static_cast<int>(std::clamp(std::nearbyint(v), -1.0e6, 1.0e6)); }

}  // namespace

BalanceCurve balanceCurve(const std::vector<int32_t>& oldest, int32_t requested, int width, int height,
                          bool withPoints) {
    BalanceCurve c;
    c.width = width;
    c.height = height;
    c.stepCount = static_cast<int32_t>(oldest.size());
    const int32_t n = c.stepCount;
    for (int32_t b : oldest) {
        c.max = std::max(c.max, b);
        c.min = std::min(c.min, b);
    }
    const double range = static_cast<double>(c.max) - static_cast<double>(c.min);
    c.yScale = range == 0 ? 1.0 : height / range;
    c.xScale = n == 0 ? 1.0 : static_cast<double>(width) / n;
    if (!withPoints || requested < 2 || n < 2) return c;

    // RunBalances[i], newest first.
    auto balance = [&](int32_t i) { return static_cast<double>(oldest[static_cast<size_t>(n - i)]); };
    const double w = width;
    const double h = height;
    c.points.reserve(static_cast<size_t>(n) + 1);
    c.points.push_back(
        {pixel(w - std::nearbyint(c.xScale)), pixel(h - std::nearbyint((balance(2) - c.min) * c.yScale))});
    for (int32_t i = 2; i <= n; ++i) {
        c.points.push_back({pixel(w - std::nearbyint((i - 1) * c.xScale)),
                            pixel(h - std::nearbyint((balance(i) - c.min) * c.yScale))});
    }
    c.points.push_back(
        {pixel(w - std::nearbyint(n * c.xScale)), pixel(h - std::nearbyint((0.0 - c.min) * c.yScale))});
    return c;
}

CurveReadOut curveReadOut(const BalanceCurve& c, int x, int y) {
    CurveReadOut r;
    const double step = std::nearbyint(c.stepCount - (c.width - x) / c.xScale) + 1;
    const double level = std::nearbyint((c.height - y) / c.yScale + c.min);
    r.step = static_cast<int64_t>(std::clamp(step, -9.0e15, 9.0e15));
    r.level = static_cast<int64_t>(std::clamp(level, -9.0e15, 9.0e15));
    return r;
}

}  // namespace kv
