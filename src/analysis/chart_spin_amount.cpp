#include "analysis/chart_spin_amount.h"

namespace kv {

int32_t parseSpinAmount(std::string_view text, int32_t spinCount) {
    if (spinCount < 0) spinCount = 0;
    // Saturate just above any spin count, so a long row of digits cannot wrap.
    constexpr int64_t kCap = int64_t{1} << 40;
    int64_t v = 0;
    for (char ch : text) {
        if (ch < '0' || ch > '9') continue;
        v = v * 10 + (ch - '0');
        if (v > kCap) v = kCap;
    }
    if (v == 0 || v > spinCount) return spinCount;
    return static_cast<int32_t>(v);
}

}  // namespace kv
