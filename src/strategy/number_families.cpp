#include "strategy/number_families.h"

namespace kv {

int familyOf(int32_t c) {
    if (c <= 1) return 0;
    if (c <= 3) return 1;
    if (c <= 5) return 2;
    if (c <= 8) return 3;
    return 4;
}

int firstLargest(int64_t a, int64_t b, int64_t c) {
    if (a >= b && a >= c) return 1;
    if (b >= a && b >= c) return 2;
    return 3;
}

int firstSmallest(int64_t a, int64_t b, int64_t c) {
    if (a <= b && a <= c) return 1;
    if (b <= a && b <= c) return 2;
    return 3;
}

}  // namespace kv
