#include "analysis/sectors_wheel.h"

namespace kv {

WheelSectors::WheelSectors(const std::array<int32_t, 6>& savedNumbers)
    : bounds_(SectorBounds::fromNumbers(savedNumbers)) {}

bool WheelSectors::mouseMove(int x, int y) {
    hover_.fill(false);
    const int q = PointToWheelPosition(x, y);
    if (q != -1 && wheelZone(x, y) == WheelZone::Pie)
        hover_[static_cast<size_t>(bounds_.sectorOfPosition(q))] = true;
    if (hover_ == drawn_) return false;
    drawn_ = hover_;
    return true;
}

WheelClick WheelSectors::mouseDown(int x, int y) {
    WheelClick click;
    click.zone = wheelZone(x, y);
    const int q = PointToWheelPosition(x, y);
    switch (click.zone) {
        case WheelZone::Outside:
            break;
        case WheelZone::Pockets:
            click.positions.push_back(q);
            break;
        case WheelZone::Pie:
            click.positions = bounds_.betPositions(bounds_.sectorOfPosition(q));
            break;
        case WheelZone::CentreDisc: {
            const SectorBounds before = bounds_;
            bounds_.reset();
            hover_.fill(false);
            drawn_.fill(false);
            click.boundsChanged = !(before == bounds_);
            click.refreshStatistic = true;
            break;
        }
        case WheelZone::BoundaryRing:
            click.boundsChanged = bounds_.moveBoundaryAt(q);
            click.refreshStatistic = true;
            break;
    }
    for (int p : click.positions) click.tableClicks.push_back(BetOnWheelPositionPoint(p));
    return click;
}

}  // namespace kv
