#pragma once
// The spin amount box shared by both pages of the Graphics window: how many
// of the latest spins the statistics take into account.

#include <cstdint>
#include <string_view>

namespace kv {

// Keeps only the digits of `text` ("12a3" reads 123); no digits read as 0.
// 0, or more than `spinCount`, means all spins: the result is `spinCount`.
// Digits worth more than any spin count (beyond 32 bits included) mean all
// spins too, never an error or a wrapped value.
int32_t parseSpinAmount(std::string_view text, int32_t spinCount);

}  // namespace kv
