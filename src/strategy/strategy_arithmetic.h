#pragma once
// The arithmetic of the strategy language, shared by the interpreter and the
// compiled runner so that both compute the same values: parameters wrap at
// 32 bits, bets are clamped to the table's limits.

#include <cstdint>

#include "strategy/strategy_operator.h"

namespace kv {

inline int32_t wrapToInt32(uint32_t u) { return static_cast<int32_t>(u); }
int32_t clampBet(int32_t amount, int32_t min, int32_t max);
// v multiplied by itself w - 1 times, wrapping; v itself for w < 2.
int32_t wrappingPower(int32_t v, int32_t w);
// w - 1 square roots, each rounded; a negative value stays as it is.
int32_t repeatedSqrt(int32_t v, int32_t w);

// Both runners evaluate every step through these two, inline because they
// sit in the innermost loop of a simulation.
inline bool compareValues(Comparison c, int32_t l, int32_t r) {
    switch (c) {
        case Comparison::Equal:
            return l == r;
        case Comparison::GreaterOrEqual:
            return l >= r;
        case Comparison::LessOrEqual:
            return l <= r;
        case Comparison::Greater:
            return l > r;
        case Comparison::Less:
            return l < r;
        case Comparison::NotEqual:
            return l != r;
    }
    return false;
}

// v `operation` w into v; false for a division by zero (the run stops
// with "Division by zero").
inline bool applyOperation(Operation operation, int32_t& v, int32_t w) {
    const auto uv = static_cast<uint32_t>(v), uw = static_cast<uint32_t>(w);
    switch (operation) {
        case Operation::Add:
            v = wrapToInt32(uv + uw);
            break;
        case Operation::Subtract:
            v = wrapToInt32(uv - uw);
            break;
        case Operation::Multiply:
            v = wrapToInt32(uv * uw);
            break;
        case Operation::Divide:
            if (w == 0) return false;
            // The lowest value divided by -1 wraps to itself.
            v = w == -1 ? wrapToInt32(0u - uv) : v / w;
            break;
        case Operation::Mod:
            if (w == 0) return false;
            v = w == -1 ? 0 : v % w;
            break;
        case Operation::Power:
            v = wrappingPower(v, w);
            break;
        case Operation::Sqrt:
            v = repeatedSqrt(v, w);
            break;
        case Operation::None:
            break;
    }
    return true;
}

}  // namespace kv
