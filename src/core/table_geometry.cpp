#include "core/table_geometry.h"

namespace kv {

bool withinCircle(int x, int y, TablePoint centre, int radius) {
    const long dx = x - centre.x;
    const long dy = y - centre.y;
    return dx * dx + dy * dy <= static_cast<long>(radius) * radius;
}

std::optional<BetCell> HitTest(int x, int y) {
    if (x < kTableLeft || y < kTableTop) return std::nullopt;
    const int i = (x - kTableLeft) / kCellWidth;
    const int j = (y - kTableTop) / kCellHeight;
    if (i > 13 || j > 3) return std::nullopt;
    if (j == 3 && (i == 0 || i == 13)) return std::nullopt;
    const int u = (x - kTableLeft) - kCellWidth * i;
    const int v = (y - kTableTop) - kCellHeight * j;

    // Zero and the lines round it.
    if (j <= 2 && (i == 0 || (i == 1 && u < 11))) {
        if (i == 0 && u <= 35) return BetCell{1, 1};
        if ((v >= 14 && v <= 70) || (j == 0 && v <= 70) || (j == 2 && v >= 14)) return BetCell{2, 2 * j + 1};
        if ((v < 14 && j == 1) || (v > 70 && j == 0)) return BetCell{2, 2};
        if ((v < 14 && j == 2) || (v > 70 && j == 1)) return BetCell{2, 4};
        return std::nullopt;
    }
    // Numbers, splits and corners.
    if (i >= 1 && i <= 12 && j <= 2 && !(j == 2 && v >= 70)) {
        int h = u < 11 ? -1 : (u > 35 ? 1 : 0);
        if (u > 35 && i == 12) h = 0;
        int w = v < 14 ? -1 : (v > 70 ? 1 : 0);
        if (v < 14 && j == 0) w = 0;
        return BetCell{2 * i + 1 + h, 2 * j + 1 + w};
    }
    if (i == 13 && j <= 2) return BetCell{26, 2 * j + 1};
    if (j == 3 && v >= 14 && v <= 42) {
        if (i <= 4) return BetCell{3, 7};
        if (i <= 8) return BetCell{11, 7};
        return BetCell{19, 7};
    }
    if (j == 3 && v > 42) {
        static const int cols[] = {3, 7, 11, 15, 19, 23};
        return BetCell{cols[(i - 1) / 2], 8};
    }
    // Street line.
    if ((j == 3 && v < 14) || (j == 2 && v >= 70)) {
        if (i < 1 || i > 12) return std::nullopt;
        if ((u >= 11 && u <= 35) || (i == 12 && u >= 11) || (i == 1 && u <= 35)) return BetCell{2 * i + 1, 6};
        if (u < 11) return BetCell{2 * i, 6};
        return BetCell{2 * i + 2, 6};
    }
    return std::nullopt;
}

TablePoint categoryPoint(Category c) {
    switch (c) {
        case Category::LOW:
            return {432, 328};
        case Category::ODD:
            return {526, 328};
        case Category::RED:
            return {618, 328};
        case Category::BLACK:
            return {709, 328};
        case Category::EVEN:
            return {806, 328};
        case Category::HIGH:
            return {891, 328};
        case Category::DOZ1:
            return {479, 294};
        case Category::DOZ2:
            return {664, 294};
        case Category::DOZ3:
            return {848, 294};
        case Category::COL3:
            return {963, 56};
        case Category::COL2:
            return {963, 141};
        case Category::COL1:
            return {963, 224};
    }
    return {};
}

TablePoint numberPoint(int n) {
    if (n <= 0) return kZeroPoint;
    return {410 + 45 * ((n - 1) / 3), 218 - 83 * ((n - 1) % 3)};
}

TablePoint chipCentre(BetCell cell) {
    const int c = cell.c;
    const int r = cell.r;
    if (c == 1) return {365, 149};
    if (r == 7) return {kTableLeft + kCellWidth * ((c - 1) / 2 + 2), 293};
    if (r == 8) return {kTableLeft + kCellWidth * ((c - 1) / 2 + 1), 328};
    if (c == 26) return {963, kTableTop + kCellHeight * ((r - 1) / 2) + 52};
    const int x =
        (c % 2 == 1) ? kTableLeft + kCellWidth * ((c - 1) / 2) + 23 : kTableLeft + kCellWidth * (c / 2);
    const int y =
        (r % 2 == 1) ? kTableTop + kCellHeight * ((r - 1) / 2) + 52 : kTableTop + kCellHeight * (r / 2);
    return {x, y};
}

}  // namespace kv
