#pragma once
// Storage of the per-spin history: the spin numbers and the bets of every
// spin, newest first (position 1 is the latest spin).
//
// The history reads exactly as if every new spin shifted positions
// 1..capacity-2 up by one (the last position falling off), yet recording is
// O(1): the records are kept oldest first in a deque and position i is read
// from the back. Positions that were never written read as 0 / no bets.

#include <cstdint>
#include <deque>

#include "core/roulette.h"

namespace kv {

class SpinStore {
public:
    explicit SpinStore(int32_t capacity = 1501);

    // HistoryCapacity: positions 1..capacity-1 are addressable.
    int32_t capacity() const { return capacity_; }
    // Changes the capacity; positions that become new read as 0 / no bets.
    void setCapacity(int32_t capacity);

    int32_t number(int32_t pos) const;
    const BetGrid& bets(int32_t pos) const;
    void setNumber(int32_t pos, int32_t n);
    void setBets(int32_t pos, const BetGrid& grid);
    // Mutable access to the bets of one position (made real if needed).
    BetGrid& betsRef(int32_t pos);

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
    struct Record {
        BetGrid bets;
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
