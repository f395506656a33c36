#include "core/spin_store.h"

#include <atomic>
#include <cassert>

namespace kv {

namespace {
const BetGrid kNoBets{};

uint64_t freshStamp() {
    static std::atomic<uint64_t> last{0};
    return ++last;
}
}  // namespace

SpinStore::SpinStore(int32_t capacity) : capacity_(capacity), numberStamp_(freshStamp()) {}

void SpinStore::clear() {
    records_.clear();
    numberStamp_ = freshStamp();
}

void SpinStore::setCapacity(int32_t capacity) {
    capacity_ = capacity;
    const int32_t limit = capacity_ > 1 ? capacity_ - 1 : 0;
    while (stored() > limit) records_.pop_front();
}

int32_t SpinStore::number(int32_t pos) const {
    if (pos < 1 || pos > stored()) return 0;
    return records_[records_.size() - pos].number;
}

const BetGrid& SpinStore::bets(int32_t pos) const {
    if (pos < 1 || pos > stored()) return kNoBets;
    return records_[records_.size() - pos].bets;
}

SpinStore::Record& SpinStore::materialize(int32_t pos) {
    assert(pos >= 1 && pos < capacity_);
    while (stored() < pos) records_.emplace_front();
    return records_[records_.size() - pos];
}

void SpinStore::setNumber(int32_t pos, int32_t n) {
    if (pos < 1 || pos >= capacity_) return;
    numberStamp_ = freshStamp();
    if (n == 0 && pos > stored()) return;  // already reads 0
    materialize(pos).number = n;
}

void SpinStore::setBets(int32_t pos, const BetGrid& grid) {
    if (pos < 1 || pos >= capacity_) return;
    if (pos > stored() && grid.empty()) return;
    materialize(pos).bets = grid;
}

BetGrid& SpinStore::betsRef(int32_t pos) { return materialize(pos).bets; }

void SpinStore::shiftIn(int32_t n, const BetGrid& bets) {
    if (capacity_ < 2) return;
    ++shifts_;
    records_.push_back(Record{bets, n});
    if (stored() > capacity_ - 1) records_.pop_front();
}

}  // namespace kv
