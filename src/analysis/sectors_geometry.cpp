#include "analysis/sectors_geometry.h"

#include <cmath>
#include <numbers>

#include "core/roulette.h"

namespace kv {

namespace {
constexpr double kPocketDegrees = 360.0 / 37.0;
constexpr double kRadPerDegree = std::numbers::pi / 180.0;
int roundHalfEven(double v) { return static_cast<int>(std::nearbyint(v)); }
}  // namespace

int wheelDistance2(int x, int y) {
    const int dx = x - kWheelPictureCentre;
    const int dy = kWheelPictureCentre - y;
    // Far-away points (a mouse outside the picture) must not overflow.
    const int64_t d2 = static_cast<int64_t>(dx) * dx + static_cast<int64_t>(dy) * dy;
    return d2 > 1000000 ? 1000000 : static_cast<int>(d2);
}

WheelZone wheelZone(int x, int y) {
    const int d2 = wheelDistance2(x, y);
    if (d2 > 15625) return WheelZone::Outside;
    if (d2 >= 8464) return WheelZone::Pockets;
    if (d2 >= 5476) return WheelZone::BoundaryRing;
    if (d2 > 225) return WheelZone::Pie;
    return WheelZone::CentreDisc;
}

int PointToWheelPosition(int x, int y) {
    if (wheelDistance2(x, y) > 15625) return -1;
    const int dx = x - kWheelPictureCentre;
    const int dy = kWheelPictureCentre - y;
    double theta;
    if (dx == 0) {
        theta = dy >= 0 ? 0.0 : 180.0;
    } else {
        theta = std::atan(static_cast<double>(dy) / dx) / kRadPerDegree + 90.0;
        if (dx > 0) theta += 180.0;
        if (theta >= 360.0) theta -= 360.0;
    }
    const int q = static_cast<int>(theta / kPocketDegrees) + 1;
    return q > 37 ? 37 : q;
}

PicturePoint wheelPoint(double degrees, double radius) {
    const double a = (degrees + 90.0) * kRadPerDegree;
    return {roundHalfEven(kWheelPictureCentre + radius * std::cos(a)),
            roundHalfEven(kWheelPictureCentre - radius * std::sin(a))};
}

double pocketAngle(int q) { return (q - 1) * kPocketDegrees; }

PicturePoint BoundaryPoint(int b) {
    int a = roundHalfEven((WheelPosition(b) - 1) * kPocketDegrees + 90.0);
    if (a > 359) a -= 360;
    const double r = a * kRadPerDegree;
    return {roundHalfEven(125 + 85 * std::cos(r)), roundHalfEven(125 - 85 * std::sin(r))};
}

Picture sectorPiePicture(const SectorBounds& bounds, const std::array<bool, kSectorCount>& lit) {
    static constexpr WinColor kArc[6] = {winRgb(80, 255, 80), winRgb(255, 0, 0),   winRgb(255, 160, 0),
                                         winRgb(255, 255, 0), winRgb(255, 160, 0), winRgb(255, 0, 0)};
    constexpr WinColor kBlack = winRgb(0, 0, 0);
    Picture p;
    for (int k = 1; k <= 6; ++k) {
        const int next = k == 6 ? 1 : k + 1;
        p.push_back(ShapePie{{39, 39, 211, 211},
                             BoundaryPoint(bounds.B(k)),
                             BoundaryPoint(bounds.B(next)),
                             kArc[k - 1],
                             kBlack});
    }
    p.push_back(ShapeEllipse{{110, 110, 140, 140}, winRgb(0, 255, 255), kBlack});
    auto label = [&p](int x, int y, const char* text, WinColor bg) {
        p.push_back(ShapeText{x, y, text, kBlack, bg, 12, true});
    };
    if (lit[static_cast<size_t>(Sector::ZeroSpiel)]) label(76, 67, "0-Spiel", winRgb(80, 255, 80));
    if (lit[static_cast<size_t>(Sector::BigSeries)]) label(70, 88, "Big Series", winRgb(255, 0, 0));
    if (lit[static_cast<size_t>(Sector::Orphelins)]) {
        label(45, 134, "Orphelins", winRgb(255, 160, 0));
        label(132, 110, "Orphelins", winRgb(255, 160, 0));
    }
    if (lit[static_cast<size_t>(Sector::SmallSeries)]) label(95, 152, "Small Series", winRgb(255, 255, 0));
    return p;
}

TablePoint BetOnWheelPositionPoint(int q) {
    const int n = NumberAtWheelPosition(q);
    int c = 1, r = 1;
    if (n > 0) {
        const int s = (n - 1) / 3 + 1;
        c = 2 * s + 1;
        r = n == 3 * s ? 1 : (n == 3 * s - 1 ? 3 : 5);
    }
    return {365 + 45 * ((c - 1) / 2), 54 + 83 * ((r - 1) / 2)};
}

}  // namespace kv
