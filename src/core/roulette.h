#pragma once
// The vocabulary of single-zero roulette: numbers and their colours, the
// order of the pockets round the wheel, the betting table as a 26 x 8 grid
// of bet spots, the payout classes and the table limits.

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace kv {

inline constexpr int kNumberCount = 37;  // 0..36

inline constexpr std::array<int, 18> kRedNumbers = {1,  3,  5,  7,  9,  12, 14, 16, 18,
                                                    19, 21, 23, 25, 27, 30, 32, 34, 36};
constexpr bool isRed(int n) {
    for (int r : kRedNumbers)
        if (r == n) return true;
    return false;
}
bool isBlack(int n);
// Windows colour value ($BBGGRR) with which the table paints number n.
uint32_t numberColor(int n);

// The 37 pockets counter-clockwise from zero, as the wheel picture shows them.
inline constexpr std::array<int, 37> WheelOrder = {0,  26, 3,  35, 12, 28, 7,  29, 18, 22, 9,  31, 14,
                                                   20, 1,  33, 16, 24, 5,  10, 23, 8,  30, 11, 36, 13,
                                                   27, 6,  34, 17, 25, 2,  21, 4,  19, 15, 32};
inline constexpr std::array<int, 37> kWheelPositions = [] {
    std::array<int, 37> p{};
    for (int i = 0; i < 37; ++i) p[static_cast<size_t>(WheelOrder[static_cast<size_t>(i)])] = i + 1;
    return p;
}();
// 1-based place of number n (0..36) in WheelOrder.
constexpr int WheelPosition(int n) { return kWheelPositions[static_cast<size_t>(n)]; }
// Inverse of WheelPosition for p = 1..37.
int NumberAtWheelPosition(int p);

inline constexpr int kGridColumns = 26;
inline constexpr int kGridRows = 8;
inline constexpr int kGridCells = kGridColumns * kGridRows;

// Bet amounts by grid column c = 1..26 and grid row r = 1..8, stored
// column-major (column 1 rows 1..8, then column 2, ...).
struct BetGrid {
    std::array<int32_t, kGridCells> v{};

    static constexpr int index(int c, int r) { return (c - 1) * kGridRows + (r - 1); }
    int32_t& at(int c, int r) { return v[index(c, r)]; }
    int32_t at(int c, int r) const { return v[index(c, r)]; }
    // Sum of all amounts, computed in 64 bits and clamped to the int32 range.
    int32_t sum() const;
    bool empty() const;
    void clear() { v.fill(0); }
    bool operator==(const BetGrid&) const = default;
};

struct BetCell {
    int c = 0;  // grid column 1..26
    int r = 0;  // grid row 1..8
    bool operator==(const BetCell&) const = default;
};

// The seven payout classes in the order of the Properties window.
enum class PayoutClass { Even = 0, Dozen, SixLine, Corner, Street, Split, Straight };
inline constexpr int kPayoutClassCount = 7;
// Captions of the classes: "1/1", "1/2", "1/5", "1/8", "1/11", "1/17", "1/35".
const char* payoutCaption(PayoutClass cls);
// Gross multiplier, stake included (2, 3, 6, 9, 12, 18, 36).
int payoutMultiplier(PayoutClass cls);
// The class of a cell, or nothing for a grid position that is no bet spot.
std::optional<PayoutClass> cellClass(int c, int r);
inline bool isBetCell(int c, int r) { return cellClass(c, r).has_value(); }
// Every bet spot of the table, in column-major order.
const std::vector<BetCell>& allBetCells();

// Numbers covered by a cell (sorted ascending); empty for a position that is
// no bet spot.
std::vector<int> CellNumbers(int c, int r);
// 1 in every cell that wins when n comes, 0 elsewhere.
const BetGrid& WinningCells(int n);

// The twelve categories of the outside bets, named by their strategy keywords.
enum class Category { RED = 0, BLACK, ODD, EVEN, LOW, HIGH, DOZ1, DOZ2, DOZ3, COL1, COL2, COL3 };
inline constexpr int kCategoryCount = 12;
const char* categoryName(Category c);
bool inCategory(Category c, int n);
BetCell categoryCell(Category c);

// One (min, max) pair per payout class, in class order.
struct TableLimits {
    std::array<int32_t, 14> v{5, 300, 2, 250, 1, 150, 1, 100, 1, 75, 1, 50, 1, 25};
    int32_t min(PayoutClass c) const { return v[2 * static_cast<int>(c)]; }
    int32_t max(PayoutClass c) const { return v[2 * static_cast<int>(c) + 1]; }
    int32_t& min(PayoutClass c) { return v[2 * static_cast<int>(c)]; }
    int32_t& max(PayoutClass c) { return v[2 * static_cast<int>(c) + 1]; }
    bool operator==(const TableLimits&) const = default;
};
inline constexpr int32_t kLimitMin = 1;
inline constexpr int32_t kLimitMax = 10000;
inline constexpr int32_t kDefaultInputCredits = 500;
inline constexpr int32_t kInputCreditsMax = 32000;

// Non-negative remainder, for angles counted in pockets.
inline int mod37(int64_t a) {
    int64_t m = a % 37;
    return static_cast<int>(m < 0 ? m + 37 : m);
}

}  // namespace kv
