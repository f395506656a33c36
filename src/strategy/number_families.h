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

}  // namespace kv
