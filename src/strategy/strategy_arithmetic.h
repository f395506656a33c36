#pragma once
// The arithmetic of the strategy language, shared by the interpreter and the
// compiled runner so that both compute the same values: parameters wrap at
// 32 bits, bets are clamped to the table's limits.

#include <cstdint>

namespace kv {

int32_t wrapToInt32(uint32_t u);
int32_t clampBet(int32_t amount, int32_t min, int32_t max);
// v multiplied by itself w - 1 times, wrapping; v itself for w < 2.
int32_t wrappingPower(int32_t v, int32_t w);
// w - 1 square roots, each rounded; a negative value stays as it is.
int32_t repeatedSqrt(int32_t v, int32_t w);

}  // namespace kv
