#include "analysis/chart_style.h"

#include <cmath>

namespace kv {

namespace {

// A saturated colour of hue h (0..360) at value v (0..1), dark enough for
// a thin line on white.
WinColor hue(double h, double v) {
    const double c = v;
    const double hp = std::fmod(h, 360.0) / 60.0;
    const double x = c * (1.0 - std::fabs(std::fmod(hp, 2.0) - 1.0));
    double r = 0, g = 0, b = 0;
    if (hp < 1)
        r = c, g = x;
    else if (hp < 2)
        r = x, g = c;
    else if (hp < 3)
        g = c, b = x;
    else if (hp < 4)
        g = x, b = c;
    else if (hp < 5)
        r = x, b = c;
    else
        r = c, b = x;
    auto byte = [](double u) { return static_cast<int>(std::nearbyint(u * 255.0)); };
    return winRgb(byte(r), byte(g), byte(b));
}

}  // namespace

ChartStyle defaultChartStyle() {
    ChartStyle s;
    s.colour[kEntryNumber0] = winRgb(0, 160, 0);
    for (int n = 1; n <= 36; ++n) s.colour[kEntryNumber0 + n] = hue(10.0 * (n - 1), n % 2 ? 0.85 : 0.6);
    for (int st = 1; st <= 12; ++st) s.colour[kEntryStreet1 + st - 1] = hue(30.0 * (st - 1), 0.8);
    s.colour[kEntryColumn1] = winRgb(200, 0, 0);
    s.colour[kEntryColumn1 + 1] = winRgb(0, 140, 0);
    s.colour[kEntryColumn1 + 2] = winRgb(0, 0, 200);
    s.colour[kEntryDozen1] = winRgb(230, 120, 0);
    s.colour[kEntryDozen1 + 1] = winRgb(128, 0, 128);
    s.colour[kEntryDozen1 + 2] = winRgb(0, 128, 128);
    s.colour[kEntryRed] = winRgb(255, 0, 0);
    s.colour[kEntryBlack] = winRgb(0, 0, 0);
    s.colour[kEntryOdd] = winRgb(0, 0, 160);
    s.colour[kEntryEven] = winRgb(160, 160, 0);
    s.colour[kEntryLow] = winRgb(160, 0, 0);
    s.colour[kEntryHigh] = winRgb(0, 160, 0);
    s.shown.fill(true);
    s.shown[0] = false;
    s.groups[static_cast<int>(ChartGroup::Dozens)] = true;
    s.groups[static_cast<int>(ChartGroup::RedBlack)] = true;
    return s;
}

}  // namespace kv
