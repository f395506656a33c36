#include "analysis/chart_tally.h"

#include <algorithm>

#include "core/game_state.h"

namespace kv {

void SpinTally::clear() {
    oldestFirst_.clear();
    totals_.fill(0);
    latestIndex_.fill(-1);
}

void SpinTally::append(int value) {
    const uint8_t v = (value >= 0 && value <= 36) ? static_cast<uint8_t>(value) : kNoNumber;
    const int64_t index = static_cast<int64_t>(oldestFirst_.size());
    oldestFirst_.push_back(v);
    for (uint8_t e : chartEntriesOf(v)) {
        ++totals_[e];
        latestIndex_[e] = index;
    }
}

void SpinTally::sync(const GameState& s) {
    const int32_t n = std::max<int32_t>(s.SpinCount, 0);
    const uint64_t stamp = s.HistoryNumberStamp();
    const uint64_t shifts = s.HistoryShifts();
    if (synced_ && stamp == stamp_ && shifts >= shifts_) {
        const uint64_t k = shifts - shifts_;
        if (static_cast<uint64_t>(n) == oldestFirst_.size() + k) {
            for (int64_t pos = static_cast<int64_t>(k); pos >= 1; --pos)
                append(s.SpinHistory(static_cast<int32_t>(pos)));
            numbersRead_ += k;
            shifts_ = shifts;
            return;
        }
    }
    clear();
    oldestFirst_.reserve(static_cast<size_t>(n));
    for (int32_t pos = n; pos >= 1; --pos) append(s.SpinHistory(pos));
    numbersRead_ += static_cast<uint64_t>(n);
    synced_ = true;
    stamp_ = stamp;
    shifts_ = shifts;
}

void SpinTally::assignNewestFirst(const std::vector<int>& numbers) {
    clear();
    oldestFirst_.reserve(numbers.size());
    for (auto it = numbers.rbegin(); it != numbers.rend(); ++it) append(*it);
    synced_ = false;  // not tied to any game
}

EntryCounts SpinTally::countPositions(int32_t newest, int32_t oldest) const {
    EntryCounts c{};
    const int32_t n = spinCount();
    newest = std::max(newest, 1);
    oldest = std::min(oldest, n);
    if (newest > oldest) return c;
    // Positions newest..oldest are elements n - oldest .. n - newest.
    const uint8_t* p = oldestFirst_.data();
    for (int64_t i = n - oldest; i <= n - newest; ++i)
        for (uint8_t e : chartEntriesOf(p[i])) ++c[e];
    return c;
}

EntryCounts SpinTally::countLatest(int32_t m) const {
    const int32_t n = spinCount();
    m = std::clamp(m, 0, n);
    if (m == n) return totals_;
    // Count whichever part is shorter: the m latest, or the older rest to
    // take off the totals.
    if (m <= n - m) return countPositions(1, m);
    EntryCounts older = countPositions(m + 1, n);
    EntryCounts c = totals_;
    for (int e = 1; e <= kChartEntryCount; ++e) c[e] -= older[e];
    return c;
}

EntryCounts SpinTally::lastLatest(int32_t m) const {
    const int64_t n = spinCount();
    m = std::clamp<int32_t>(m, 0, static_cast<int32_t>(n));
    EntryCounts last{};
    last[0] = -1;
    // The latest hit overall is the latest among the m latest spins when it
    // lies among them at all.
    for (int e = 1; e <= kChartEntryCount; ++e) {
        const int64_t i = latestIndex_[e];
        last[e] = (i >= 0 && i >= n - m) ? static_cast<int32_t>(n - 1 - i) : -1;
    }
    return last;
}

}  // namespace kv
