#pragma once
// The numbers of a strategy run (RunSpins) and the selections over them:
// SelectNumbers for OLD, NEW, COLD, HOT and the twelve bet categories.
//
// A selection looks at a window of the N newest spins. Counting that window
// again for every selection would make a run cost steps x steps, so the
// history keeps running counts: over all spins, and over each fixed window
// registered with trackWindow (updated in O(1) per spin), plus the position
// where each number was last seen. A selection then costs the same whatever
// the window length. Windows that were not registered are counted on demand.

#include <array>
#include <cstdint>
#include <vector>

#include "core/roulette.h"

namespace kv {

// A set of numbers 0..36 as bits, and the value the selection leaves.
struct Selection {
    uint64_t numbers = 0;
    int32_t value = 0;
    bool hasValue = false;  // false for the twelve categories: SelectionValue stays as it was
};

// The numbers of category c (RED .. COL3) as bits.
uint64_t categoryNumbers(Category c);

class RunHistory {
  public:
    // Forgets every spin and every tracked window; reserves room for
    // `capacity` entries.
    void reset(int32_t capacity);
    // Keeps running counts for windows of exactly n spins (n >= 1).
    void trackWindow(int32_t n);

    // A new newest spin x (0..36).
    void push(int x);
    // The final step of a replay, which has no number: it is counted as a
    // step but never read.
    void pushNone();

    int32_t stepCount() const { return static_cast<int32_t>(spins_.size()); }
    // RunSpins(pos): pos 1 is the newest; -1 for the entry without a number.
    int32_t RunSpins(int32_t pos) const;

    // SelectNumbers(keyword, N, c): keyword is an operand keyword code
    // (kwOLD .. kwCOL3), N the window already resolved (a window of 0 means
    // stepCount to the caller), c the CategoryChoice index 0..46.
    Selection SelectNumbers(int keyword, int32_t n, int32_t c) const;

    // Bytes held for the spins and the tracked windows.
    size_t memoryBytes() const { return spins_.capacity() + tracked_.capacity() * sizeof(Tracked); }

  private:
    static constexpr uint8_t kNone = 255;
    struct Tracked {
        int32_t n;
        std::array<int32_t, 37> counts;
    };
    // Counts of the window of the n newest spins (n within 1..stepCount).
    const std::array<int32_t, 37>& countsFor(int32_t n, std::array<int32_t, 37>& scratch) const;

    std::vector<uint8_t> spins_;  // oldest first
    std::array<int32_t, 37> all_{};
    std::array<int32_t, 37> lastSeen_{};  // 1-based index into spins_, 0 = never
    std::vector<Tracked> tracked_;        // sorted by n
};

}  // namespace kv
