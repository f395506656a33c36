#pragma once
// A compact copy of the game's spin numbers with running totals per chart
// entry, shared by the FOREST and CHART computations.
//
// sync() reads only what changed: after k new spins (the history shifted k
// times and nothing else was written) it reads the k newest numbers; any
// other change of the history (a game opened, cut, generated, a new game)
// makes it read the whole history once. Totals and the latest occurrence of
// every entry follow each appended spin, so counts over all spins and the
// "last falling out" values cost no pass over the history at all.

#include <array>
#include <cstdint>
#include <vector>

#include "analysis/chart_entries.h"

namespace kv {

class GameState;

// Index 1..61 by chart entry; index 0 unused.
using EntryCounts = std::array<int32_t, kChartEntryCount + 1>;

class SpinTally {
  public:
    // Marks a spin value outside 0..36 (it counts for no entry).
    static constexpr uint8_t kNoNumber = 255;

    SpinTally() { clear(); }

    void sync(const GameState& s);

    int32_t spinCount() const { return static_cast<int32_t>(oldestFirst_.size()); }
    // The number at history position pos (1 = latest .. spinCount()), or
    // kNoNumber.
    uint8_t number(int32_t pos) const { return oldestFirst_[oldestFirst_.size() - pos]; }
    // The numbers oldest first: position pos is element spinCount() - pos.
    const std::vector<uint8_t>& oldestFirst() const { return oldestFirst_; }

    // Hits of every entry among the m latest spins (m is clamped to
    // 0..spinCount()).
    EntryCounts countLatest(int32_t m) const;
    // For every entry: how many spins ago it last came among the m latest
    // spins (0 = in the latest spin), -1 when it did not come among them.
    EntryCounts lastLatest(int32_t m) const;
    // Hits of every entry among history positions newest..oldest
    // (1 <= newest, oldest <= spinCount(); empty when newest > oldest).
    EntryCounts countPositions(int32_t newest, int32_t oldest) const;

    // Numbers read from the game so far, for tests and benchmarks of the
    // incremental reading.
    uint64_t numbersRead() const { return numbersRead_; }

    // Builds the tally from a plain list, newest first (position 1 first).
    void assignNewestFirst(const std::vector<int>& numbers);

  private:
    void clear();
    void append(int value);

    std::vector<uint8_t> oldestFirst_;
    EntryCounts totals_{};
    // Element index in oldestFirst_ of the latest hit of each entry, or -1.
    std::array<int64_t, kChartEntryCount + 1> latestIndex_{};
    bool synced_ = false;
    uint64_t stamp_ = 0;
    uint64_t shifts_ = 0;
    uint64_t numbersRead_ = 0;
};

}  // namespace kv
