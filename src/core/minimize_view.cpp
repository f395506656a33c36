#include "core/minimize_view.h"

#include <algorithm>
#include <cmath>

namespace kv {

TablePoint minimizeMarkerPoint(const MinimizeScale& scale, BetCell cell) {
    const int c = cell.c;
    const int r = cell.r;
    if (c == 1) return scale.zeroMarker;
    int x0 = 0;
    int y0 = 0;
    if (c == 26) {
        x0 = ((c - 1) / 2 + 1) * 46 + 23;
        y0 = ((r - 1) / 2) * 84 + 52;
    } else if (r <= 6) {
        x0 = c % 2 == 1 ? ((c - 1) / 2) * 46 + 23 : ((c - 1) / 2 + 1) * 46;
        y0 = r % 2 == 1 ? ((r - 1) / 2) * 84 + 52 : ((r - 1) / 2 + 1) * 84;
    } else if (r == 7) {
        x0 = ((c - 1) / 2 + 2) * 46;
        y0 = 280;
    } else {
        x0 = ((c - 1) / 2 + 1) * 46;
        y0 = 315;
    }
    const double d = scale.d;
    return {static_cast<int>(std::nearbyint(x0 / d)), static_cast<int>(std::nearbyint(y0 / d))};
}

TablePoint minimizeToTable(const MinimizeScale& scale, int x, int y) {
    return {(x + 2) * scale.d, y * scale.d};
}

int minimize2AmountOffset(int32_t amount) {
    if (amount >= 100) return 162;
    return amount >= 10 ? 165 : 168;
}

int numberRowFontSize(const NumberRow& row, const std::function<int(int size)>& widthAt) {
    const int room = row.step - 1;
    int size = row.fontSize;
    while (size > 1 && widthAt(size) > room) --size;
    return size;
}

int numberRowTextLeft(const NumberRow& row, int k, int textWidth) {
    return row.first.x + (k - 1) * row.step + std::max(0, (row.step - textWidth) / 2);
}

TablePoint minimize2LatestCentre(int n) {
    if (n <= 0) return {183, 69};
    return {((n - 1) / 3) * 23 + 206, (2 - (n - 1) % 3) * 42 + 28};
}

}  // namespace kv
