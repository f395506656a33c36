#include "strategy/run_history.h"

#include <algorithm>

#include "strategy/number_families.h"
#include "strategy/strategy_words.h"

namespace kv {

uint64_t categoryNumbers(Category c) {
    uint64_t m = 0;
    for (int x = 1; x <= 36; ++x)
        if (inCategory(c, x)) m |= numberBit(x);
    return m;
}

void RunHistory::reset(int32_t capacity) {
    spins_.clear();
    spins_.shrink_to_fit();
    spins_.reserve(static_cast<size_t>(std::max(capacity, 0)));
    all_.fill(0);
    lastSeen_.fill(0);
    tracked_.clear();
}

void RunHistory::trackWindow(int32_t n) {
    if (n < 1) return;
    auto it = std::lower_bound(tracked_.begin(), tracked_.end(), n,
                               [](const Tracked& t, int32_t v) { return t.n < v; });
    if (it != tracked_.end() && it->n == n) return;
    Tracked t{n, {}};
    std::array<int32_t, 37> scratch{};
    if (stepCount() >= 1) t.counts = countsFor(std::min(n, stepCount()), scratch);
    tracked_.insert(it, t);
}

void RunHistory::push(int x) {
    spins_.push_back(static_cast<uint8_t>(x));
    const int32_t count = stepCount();
    ++all_[x];
    lastSeen_[x] = count;
    for (Tracked& t : tracked_) {
        ++t.counts[x];
        if (count > t.n) {
            const uint8_t leaving = spins_[count - t.n - 1];
            if (leaving != kNone) --t.counts[leaving];
        }
    }
}

void RunHistory::pushNone() { spins_.push_back(kNone); }

int32_t RunHistory::RunSpins(int32_t pos) const {
    if (pos < 1 || pos > stepCount()) return -1;
    const uint8_t x = spins_[stepCount() - pos];
    return x == kNone ? -1 : x;
}

const std::array<int32_t, 37>& RunHistory::countsFor(int32_t n, std::array<int32_t, 37>& scratch) const {
    if (n == stepCount()) return all_;
    auto it = std::lower_bound(tracked_.begin(), tracked_.end(), n,
                               [](const Tracked& t, int32_t v) { return t.n < v; });
    if (it != tracked_.end() && it->n == n) return it->counts;
    scratch.fill(0);
    for (int32_t i = stepCount() - n; i < stepCount(); ++i)
        if (spins_[i] != kNone) ++scratch[spins_[i]];
    return scratch;
}

Selection RunHistory::SelectNumbers(int keyword, int32_t n, int32_t c) const {
    Selection sel;
    if (keyword >= kwRED && keyword <= kwCOL3) {
        sel.numbers = categoryNumbers(static_cast<Category>(keyword - kwRED));
        return sel;
    }
    if (!isSelectionCode(keyword) || c < 0 || c >= kCategoryChoiceCount) return sel;
    sel.hasValue = true;

    // The window: the n newest spins; nothing at all when n is out of range.
    const bool active = n >= 1 && n <= stepCount();
    static const std::array<int32_t, 37> kZero{};
    std::array<int32_t, 37> scratch;
    const std::array<int32_t, 37>& count = active ? countsFor(n, scratch) : kZero;
    std::array<int64_t, 37> age;  // 0 = the newest spin, -1 unseen
    for (int x = 0; x <= 36; ++x) {
        const int32_t a = stepCount() - lastSeen_[x];
        age[x] = active && lastSeen_[x] > 0 && a < n ? a : -1;
    }

    if (c >= kFirstCountChoice) {
        const int keep = c - 11;  // numbers in the result
        std::array<uint64_t, 37> key;
        switch (keyword) {
            case kwHOT:  // the `keep` largest (count, number)
                for (int x = 0; x <= 36; ++x) key[x] = (uint64_t{0xFFFFFFFFu} - count[x]) << 6 | (63 - x);
                break;
            case kwCOLD:  // the `keep` smallest (count, number)
                for (int x = 0; x <= 36; ++x) key[x] = static_cast<uint64_t>(count[x]) << 6 | x;
                break;
            default:  // NEW and OLD
                sel.numbers = numbersByAge(keyword, keep, age, sel.value);
                return sel;
        }
        // Keep the `keep` smallest keys.
        std::array<uint64_t, 37> sorted = key;
        std::nth_element(sorted.begin(), sorted.begin() + (keep - 1), sorted.end());
        const uint64_t last = sorted[keep - 1];
        int32_t low = INT32_MAX, high = INT32_MIN;
        for (int x = 0; x <= 36; ++x)
            if (key[x] <= last) {
                sel.numbers |= numberBit(x);
                low = std::min(low, count[x]);
                high = std::max(high, count[x]);
            }
        sel.value = keyword == kwHOT ? low : high;
        return sel;
    }

    const int f = familyOf(c);
    const NumberFamilies& fam = kNumberFamilies;
    int chosen = 1;
    if (keyword == kwHOT || keyword == kwCOLD) {
        std::array<int64_t, 4> s{};
        for (int x = 1; x <= 36; ++x) s[fam.cls[f][x]] += count[x];
        chosen = classByCount(keyword, c, s[1], s[2], s[3]);
    } else {
        std::array<int64_t, 4> m = {kNeverSeenAge, kNeverSeenAge, kNeverSeenAge, kNeverSeenAge};
        for (int x = 1; x <= 36; ++x)
            if (age[x] >= 0) m[fam.cls[f][x]] = std::min(m[fam.cls[f][x]], age[x]);
        chosen = classByAge(keyword, m);
    }
    sel.numbers = fam.mask[f][chosen];
    sel.value = chosen;
    return sel;
}

}  // namespace kv
