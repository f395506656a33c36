#include "strategy/number_families.h"

#include <algorithm>
#include <climits>

#include "strategy/strategy_words.h"

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

int classByCount(int keyword, int32_t choice, int64_t s1, int64_t s2, int64_t s3) {
    if (choice <= 5) return (s1 > s2) == (keyword == kwHOT) ? 1 : 2;
    return keyword == kwHOT ? firstLargest(s1, s2, s3) : firstSmallest(s1, s2, s3);
}

int classByAge(int keyword, std::array<int64_t, 4> youngest) {
    if (keyword == kwNEW) return firstSmallest(youngest[1], youngest[2], youngest[3]);
    for (int j = 1; j <= 3; ++j)
        if (youngest[j] == kNeverSeenAge) youngest[j] = 0;
    return firstLargest(youngest[1], youngest[2], youngest[3]);
}

uint64_t numbersByAge(int keyword, int keep, const std::array<int64_t, 37>& age, int32_t& value) {
    std::array<uint64_t, 37> key;
    uint64_t numbers = 0;
    if (keyword == kwNEW) {
        // The most recent first; then the unseen from the lowest number.
        for (int x = 0; x <= 36; ++x)
            key[x] = age[x] >= 0 ? static_cast<uint64_t>(age[x]) << 6 : (uint64_t{1} << 40) | x;
        std::array<uint64_t, 37> sorted = key;
        std::nth_element(sorted.begin(), sorted.begin() + (keep - 1), sorted.end());
        int64_t high = INT64_MIN;
        for (int x = 0; x <= 36; ++x)
            if (key[x] <= sorted[keep - 1]) {
                numbers |= numberBit(x);
                high = std::max(high, age[x]);
            }
        value = static_cast<int32_t>(std::max<int64_t>(high, 0));
        return numbers;
    }
    // OLD: the 37 - keep newest go. When fewer were seen, every seen number
    // goes, then zero; the lowest `keep` of the unseen rest remain.
    int seen = 0;
    for (int x = 0; x <= 36; ++x) seen += age[x] >= 0;
    const int remove = 37 - keep;
    if (seen < remove) {
        int taken = 0;
        for (int x = 1; x <= 36 && taken < keep; ++x)
            if (age[x] < 0) {
                numbers |= numberBit(x);
                ++taken;
            }
        value = -1;
        return numbers;
    }
    for (int x = 0; x <= 36; ++x)
        key[x] = age[x] >= 0 ? static_cast<uint64_t>(age[x]) << 6 | x : (uint64_t{1} << 40) | x;
    std::array<uint64_t, 37> sorted = key;
    std::nth_element(sorted.begin(), sorted.begin() + (remove - 1), sorted.end());
    int64_t low = INT64_MAX;
    for (int x = 0; x <= 36; ++x)
        if (key[x] > sorted[remove - 1]) {
            numbers |= numberBit(x);
            low = std::min(low, age[x]);
        }
    value = static_cast<int32_t>(low);
    return numbers;
}

}  // namespace kv
