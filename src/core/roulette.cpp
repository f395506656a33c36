#include "core/roulette.h"

#include <algorithm>
#include <limits>

namespace kv {

namespace {

// The number in street s (1..12) at grid row R (1 top, 3 middle, 5 bottom).
int numberAt(int s, int R) { return 3 * s - (R - 1) / 2; }

std::array<BetGrid, 37> buildWinningCells() {
    std::array<BetGrid, 37> out{};
    for (int n = 0; n <= 36; ++n) {
        for (const BetCell& cell : allBetCells()) {
            const auto nums = CellNumbers(cell.c, cell.r);
            if (std::find(nums.begin(), nums.end(), n) != nums.end()) {
                out[n].at(cell.c, cell.r) = 1;
            }
        }
    }
    return out;
}

}  // namespace

bool isBlack(int n) { return n >= 1 && n <= 36 && !isRed(n); }

uint32_t numberColor(int n) {
    if (n == 0) return 0x00FF00;
    return isRed(n) ? 0x0000FF : 0x000000;
}

int NumberAtWheelPosition(int p) { return WheelOrder[p - 1]; }

int32_t BetGrid::sum() const {
    int64_t s = 0;
    for (int32_t a : v) s += a;
    if (s > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
    if (s < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(s);
}

bool BetGrid::empty() const {
    return std::all_of(v.begin(), v.end(), [](int32_t a) { return a == 0; });
}

const char* payoutCaption(PayoutClass cls) {
    static const char* names[] = {"1/1", "1/2", "1/5", "1/8", "1/11", "1/17", "1/35"};
    return names[static_cast<int>(cls)];
}

int payoutMultiplier(PayoutClass cls) {
    static const int mult[] = {2, 3, 6, 9, 12, 18, 36};
    return mult[static_cast<int>(cls)];
}

std::optional<PayoutClass> cellClass(int c, int r) {
    if (c < 1 || c > kGridColumns || r < 1 || r > kGridRows) return std::nullopt;
    if (r == 8) {
        if (c >= 3 && c <= 23 && (c - 3) % 4 == 0) return PayoutClass::Even;
        return std::nullopt;
    }
    if (r == 7) {
        if (c == 3 || c == 11 || c == 19) return PayoutClass::Dozen;
        return std::nullopt;
    }
    if (c == 26) {
        if (r == 1 || r == 3 || r == 5) return PayoutClass::Dozen;
        return std::nullopt;
    }
    if (c == 1) {
        if (r == 1) return PayoutClass::Straight;
        return std::nullopt;
    }
    if (c == 2) {
        if (r == 1 || r == 3 || r == 5) return PayoutClass::Split;
        if (r == 2 || r == 4) return PayoutClass::Street;  // trios pay like streets
        return std::nullopt;
    }
    const bool oddCol = (c % 2) == 1;
    if (r == 6) return oddCol ? PayoutClass::Street : PayoutClass::SixLine;
    const bool oddRow = (r % 2) == 1;
    if (oddCol && oddRow) return PayoutClass::Straight;
    if (!oddCol && !oddRow) return PayoutClass::Corner;
    return PayoutClass::Split;
}

const std::vector<BetCell>& allBetCells() {
    static const std::vector<BetCell> cells = [] {
        std::vector<BetCell> out;
        for (int c = 1; c <= kGridColumns; ++c)
            for (int r = 1; r <= kGridRows; ++r)
                if (isBetCell(c, r)) out.push_back({c, r});
        return out;
    }();
    return cells;
}

std::vector<int> CellNumbers(int c, int r) {
    std::vector<int> out;
    if (!isBetCell(c, r)) return out;
    if (r == 8) {
        const int k = (c - 3) / 4;  // LOW, ODD, RED, BLACK, EVEN, HIGH
        for (int n = 1; n <= 36; ++n) {
            bool in = false;
            switch (k) {
                case 0:
                    in = n <= 18;
                    break;
                case 1:
                    in = n % 2 == 1;
                    break;
                case 2:
                    in = isRed(n);
                    break;
                case 3:
                    in = !isRed(n);
                    break;
                case 4:
                    in = n % 2 == 0;
                    break;
                case 5:
                    in = n >= 19;
                    break;
            }
            if (in) out.push_back(n);
        }
        return out;
    }
    if (r == 7) {
        const int first = c == 3 ? 1 : (c == 11 ? 13 : 25);
        for (int n = first; n < first + 12; ++n) out.push_back(n);
        return out;
    }
    if (c == 26) {
        const int first = r == 1 ? 3 : (r == 3 ? 2 : 1);
        for (int n = first; n <= 36; n += 3) out.push_back(n);
        return out;
    }
    if (c == 1) return {0};
    if (c == 2) {
        switch (r) {
            case 1:
                return {0, 3};
            case 2:
                return {0, 2, 3};
            case 3:
                return {0, 2};
            case 4:
                return {0, 1, 2};
            default:
                return {0, 1};
        }
    }
    if (c % 2 == 1) {
        const int s = (c - 1) / 2;
        if (r == 6) return {3 * s - 2, 3 * s - 1, 3 * s};
        if (r % 2 == 1) return {numberAt(s, r)};
        return {numberAt(s, r + 1), numberAt(s, r - 1)};  // split inside the street
    }
    const int s = c / 2 - 1;  // street on the left of the line
    if (r == 6) return {3 * s - 2, 3 * s - 1, 3 * s, 3 * s + 1, 3 * s + 2, 3 * s + 3};
    if (r % 2 == 1) return {numberAt(s, r), numberAt(s, r) + 3};
    std::vector<int> corner = {numberAt(s, r + 1), numberAt(s, r - 1), numberAt(s, r + 1) + 3,
                               numberAt(s, r - 1) + 3};
    std::sort(corner.begin(), corner.end());
    return corner;
}

const BetGrid& WinningCells(int n) {
    static const std::array<BetGrid, 37> table = buildWinningCells();
    return table[n];
}

const char* categoryName(Category c) {
    static const char* names[] = {"RED",  "BLACK", "ODD",  "EVEN", "LOW",  "HIGH",
                                  "DOZ1", "DOZ2",  "DOZ3", "COL1", "COL2", "COL3"};
    return names[static_cast<int>(c)];
}

bool inCategory(Category c, int n) {
    if (n < 1 || n > 36) return false;
    switch (c) {
        case Category::RED:
            return isRed(n);
        case Category::BLACK:
            return !isRed(n);
        case Category::ODD:
            return n % 2 == 1;
        case Category::EVEN:
            return n % 2 == 0;
        case Category::LOW:
            return n <= 18;
        case Category::HIGH:
            return n >= 19;
        case Category::DOZ1:
            return n <= 12;
        case Category::DOZ2:
            return n >= 13 && n <= 24;
        case Category::DOZ3:
            return n >= 25;
        case Category::COL1:
            return n % 3 == 1;
        case Category::COL2:
            return n % 3 == 2;
        case Category::COL3:
            return n % 3 == 0;
    }
    return false;
}

BetCell categoryCell(Category c) {
    switch (c) {
        case Category::LOW:
            return {3, 8};
        case Category::ODD:
            return {7, 8};
        case Category::RED:
            return {11, 8};
        case Category::BLACK:
            return {15, 8};
        case Category::EVEN:
            return {19, 8};
        case Category::HIGH:
            return {23, 8};
        case Category::DOZ1:
            return {3, 7};
        case Category::DOZ2:
            return {11, 7};
        case Category::DOZ3:
            return {19, 7};
        case Category::COL1:
            return {26, 5};
        case Category::COL2:
            return {26, 3};
        case Category::COL3:
            return {26, 1};
    }
    return {};
}

}  // namespace kv
