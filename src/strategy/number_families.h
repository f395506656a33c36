#pragma once
// The five families behind the selections' category choices 0..11 (colour,
// parity, half, dozen, column): the class 1..3 of every number 1..36 (0 for
// zero) and each class's numbers as bits. The run history and the compiled
// runner choose from the same tables, so they cannot disagree.

#include <array>
#include <cstdint>

#include "core/roulette.h"

namespace kv {

constexpr uint64_t numberBit(int x) { return uint64_t{1} << x; }

struct NumberFamilies {
    std::array<std::array<uint8_t, 37>, 5> cls{};
    std::array<std::array<uint64_t, 4>, 5> mask{};
};

// Built at compile time: the compiled runner reads it in its inner loop.
inline constexpr NumberFamilies kNumberFamilies = [] {
    NumberFamilies out;
    for (int x = 1; x <= 36; ++x) {
        out.cls[0][x] = isRed(x) ? 1 : 2;
        out.cls[1][x] = x % 2 == 1 ? 1 : 2;
        out.cls[2][x] = x <= 18 ? 1 : 2;
        out.cls[3][x] = static_cast<uint8_t>((x - 1) / 12 + 1);
        out.cls[4][x] = static_cast<uint8_t>((x - 1) % 3 + 1);
        for (int f = 0; f < 5; ++f) out.mask[f][out.cls[f][x]] |= numberBit(x);
    }
    return out;
}();

// The family (0..4) of category choice c (0..11).
int familyOf(int32_t c);

// The three-way choices of HOT/COLD/OLD/NEW: the first class whose sum is
// the largest (or smallest) of the three.
int firstLargest(int64_t a, int64_t b, int64_t c);
int firstSmallest(int64_t a, int64_t b, int64_t c);

// The age of a class none of whose numbers came in the window.
inline constexpr int64_t kNeverSeenAge = 1000000;

// The class (1..3) of a family that HOT (the most spins) or COLD (the
// fewest) chooses from the classes' counts; two-class families are choices
// 0..5.
int classByCount(int keyword, int32_t choice, int64_t s1, int64_t s2, int64_t s3);
// The class that NEW (seen last) or OLD (not seen longest, a class never
// seen counting as age 0) chooses from the youngest age of each class
// (kNeverSeenAge when none came); youngest[0] is unused.
int classByAge(int keyword, std::array<int64_t, 4> youngest);
// NEW or OLD over single numbers: the `keep` numbers chosen from each
// number's age in the window (0 for the newest spin, -1 when it did not
// come), and the selection's value.
uint64_t numbersByAge(int keyword, int keep, const std::array<int64_t, 37>& age, int32_t& value);

}  // namespace kv
