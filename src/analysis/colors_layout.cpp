#include "analysis/colors_layout.h"

#include "analysis/chart_entries.h"

namespace kv {

ColorsPlace colorsBoxPlace(int k) {
    if (k == kEntryNumber0) return {16, 16, "0"};
    if (k >= 2 && k <= 37) {
        const int n = k - 1;
        return {48 + 32 * ((n - 1) / 3), 64 - 24 * ((n - 1) % 3), std::to_string(n)};
    }
    if (k >= kEntryStreet1 && k <= 49) {
        const int s = k - kEntryStreet1 + 1;
        const int x = s <= 9 ? 48 + 32 * (s - 1) : 336 + 40 * (s - 10);
        return {x, 96, "s" + std::to_string(s)};
    }
    if (k >= kEntryColumn1 && k <= 52) {
        const int c = k - kEntryColumn1;
        return {48 + 32 * c, 128, "c" + std::to_string(c + 1)};
    }
    if (k >= kEntryDozen1 && k <= 55) {
        const int d = k - kEntryDozen1;
        return {216 + 32 * d, 128, "d" + std::to_string(d + 1)};
    }
    static const int kChanceX[] = {48, 96, 176, 224, 304, 352};
    static const char* const kChance[] = {"Red", "Black", "Odd", "Even", "Low", "Hight"};
    if (k >= kEntryRed && k <= kEntryHigh) return {kChanceX[k - kEntryRed], 160, kChance[k - kEntryRed]};
    return {};
}

ColorsPlace colorsLabelPlace(int i) {
    switch (i) {
        case 1:
            return {8, 0, "Numbers"};
        case 2:
            return {8, 96, "Streets"};
        case 3:
            return {8, 128, "Col."};
        case 4:
            return {168, 128, "Dozens"};
    }
    return {};
}

ColorsPlace colorsButtonPlace(int i) {
    static const char* const kCaption[] = {"OK", "Cancel", "Random", "Check All"};
    if (i < 1 || i > 4) return {};
    return {48 + 88 * (i - 1), 200, kCaption[i - 1]};
}

}  // namespace kv
