#pragma once
// Geometry of the Wheel Sectors picture (250 x 250, wheel centre (125, 125),
// y downwards): which pocket or pie part a point hits, where the boundary
// rays and the pockets lie, the pie as drawing records, and the point of the
// main table that bets on a pocket's number.
//
// Angles are degrees counter-clockwise from straight up. Position q covers
// (q - 1) * 360/37 .. q * 360/37; pocket q is centred on the ray
// (q - 1) * 360/37, so the zero sits at the top and the numbers run
// clockwise 0, 32, 15, 19, ...

#include "analysis/chart_shapes.h"
#include "analysis/sectors_bounds.h"
#include "core/table_geometry.h"

namespace kv {

inline constexpr int kWheelPictureSize = 250;
inline constexpr int kWheelPictureCentre = 125;
inline constexpr int kPocketInnerRadius = 92;  // pocket ring 92..125
inline constexpr int kPocketOuterRadius = 125;
inline constexpr int kPieRadius = 74;  // pie clicks inside 15..74
inline constexpr int kCentreDiscRadius = 15;

// Which part of the picture a squared distance d2 from the centre falls in,
// by the click rules: the centre disc (d2 <= 225), the pie (225 < d2 < 5476),
// the boundary ring (5476 <= d2 < 8464), the pocket ring (8464 <= d2 <=
// 15625) or outside (beyond radius 125).
enum class WheelZone { Outside, Pockets, BoundaryRing, Pie, CentreDisc };
WheelZone wheelZone(int x, int y);
// (x - 125)^2 + (125 - y)^2.
int wheelDistance2(int x, int y);

// Position 1..37 of a picture point, or -1 beyond radius 125.
int PointToWheelPosition(int x, int y);

// A point on the ray of boundary number b at radius 85.
PicturePoint BoundaryPoint(int b);

// The picture point at angle `degrees` (counter-clockwise from up) and
// `radius` from the centre, rounded half to even.
PicturePoint wheelPoint(double degrees, double radius);
// The angle of the centre ray of pocket q.
double pocketAngle(int q);

// The pie over the picture as `sectorPiePicture` draws it: six wedges, the centre
// disc, then the label of every lit sector (indexed by Sector).
Picture sectorPiePicture(const SectorBounds& bounds, const std::array<bool, kSectorCount>& lit);

// The main table point whose click bets on the number at position q: the
// centre line of its Straight spot, (365, 54) for the zero.
TablePoint BetOnWheelPositionPoint(int q);

}  // namespace kv
