#pragma once
// Storage of the per-spin history: the spin numbers and the bets of every
// spin, newest first (position 1 is the latest spin).
//
// The history reads exactly as if every new spin shifted positions
// 1..capacity-2 up by one (the last position falling off), yet recording is
// O(1): the records are kept oldest first in a deque and position i is read
// from the back. Positions that were never written read as 0 / no bets.
//
// A spin keeps only its non-zero bets, so the memory follows what was played
// (or read from a file), not 208 cells per spin: a spin without bets costs
// a few bytes.

#include <cstdint>
#include <deque>
#include <memory>

#include "core/roulette.h"

namespace kv {

// The most spins a history holds. Files that promise more are refused
// before anything is allocated for them.
inline constexpr int32_t kMaxHistorySpins = 10'000'000;

// The most spins one command adds at once (Generate Spins, Import Numbers).
// The last game is saved in info.ini at every exit with each spin's full bet
// line, about 840 bytes a spin: 100,000 spins already make an 84 MB file.
inline constexpr int32_t kMaxSpinsAddedAtOnce = 100'000;

class SpinStore {
  public:
    explicit SpinStore(int32_t capacity = 1501);

    // HistoryCapacity: positions 1..capacity-1 are addressable.
    int32_t capacity() const { return capacity_; }
    // Changes the capacity; positions that become new read as 0 / no bets.
    void setCapacity(int32_t capacity);

    int32_t number(int32_t pos) const;
    // The bets of one position, unpacked.
    BetGrid bets(int32_t pos) const;
    void setNumber(int32_t pos, int32_t n);
    void setBets(int32_t pos, const BetGrid& grid);

    // Shifts every position up by one and stores (n, bets) at position 1.
    void shiftIn(int32_t n, const BetGrid& bets);
    // Forgets everything: all positions read 0 / no bets.
    void clear();

    // For caches of the numbers: shifts() counts shiftIn; numberStamp() is a
    // program-wide unique stamp taken at construction and at every other
    // write that may change a number. A cache that saw the same stamp and k
    // fewer shifts knows that exactly the k newest positions are new.
    uint64_t shifts() const { return shifts_; }
    uint64_t numberStamp() const { return numberStamp_; }

  private:
    // The non-zero cells of one grid: a count, then (cell index, amount)
    // pairs; no allocation at all for a spin without bets.
    class PackedBets {
      public:
        PackedBets() = default;
        explicit PackedBets(const BetGrid& grid);
        PackedBets(const PackedBets& other);
        PackedBets& operator=(const PackedBets& other);
        PackedBets(PackedBets&&) noexcept = default;
        PackedBets& operator=(PackedBets&&) noexcept = default;

        bool empty() const { return !data_; }
        BetGrid grid() const;

      private:
        std::unique_ptr<int32_t[]> data_;
    };
    struct Record {
        PackedBets bets;
        int32_t number = 0;
    };
    Record& materialize(int32_t pos);
    int32_t stored() const { return static_cast<int32_t>(records_.size()); }

    int32_t capacity_;
    std::deque<Record> records_;  // oldest first; back() is position 1
    uint64_t shifts_ = 0;
    uint64_t numberStamp_;
};

}  // namespace kv
