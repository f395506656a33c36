#include "strategy/strategy_arithmetic.h"

#include <cmath>

namespace kv {

int32_t clampBet(int32_t amount, int32_t min, int32_t max) {
    if (amount < min) amount = min;
    if (amount > max) amount = max;
    return amount;
}

int32_t wrappingPower(int32_t v, int32_t w) {
    if (w < 2) return v;
    // By squaring: w - 1 multiplications would take seconds for a large w.
    uint32_t base = static_cast<uint32_t>(v), result = 1;
    for (uint32_t e = static_cast<uint32_t>(w); e != 0; e >>= 1) {
        if (e & 1u) result *= base;
        base *= base;
    }
    return wrapToInt32(result);
}

int32_t repeatedSqrt(int32_t v, int32_t w) {
    // Once the value stops changing the remaining roots change nothing.
    for (int32_t i = 1; i < w; ++i) {
        if (v < 0) break;
        const auto r = static_cast<int32_t>(std::nearbyint(std::sqrt(static_cast<double>(v))));
        if (r == v) break;
        v = r;
    }
    return v;
}

}  // namespace kv
