#include "core/spin_store.h"

#include <algorithm>
#include <atomic>
#include <cassert>

namespace kv {

namespace {

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

BetGrid SpinStore::bets(int32_t pos) const {
    if (pos < 1 || pos > stored()) return {};
    return records_[records_.size() - pos].bets.grid();
}

SpinStore::PackedBets::PackedBets(const BetGrid& grid) {
    int32_t count = 0;
    for (const int32_t a : grid.v) count += a != 0 ? 1 : 0;
    if (count == 0) return;
    data_ = std::make_unique<int32_t[]>(static_cast<size_t>(1 + 2 * count));
    data_[0] = count;
    int32_t* out = data_.get() + 1;
    for (size_t i = 0; i < grid.v.size(); ++i) {
        if (grid.v[i] == 0) continue;
        *out++ = static_cast<int32_t>(i);
        *out++ = grid.v[i];
    }
}

SpinStore::PackedBets::PackedBets(const PackedBets& other) {
    if (!other.data_) return;
    const auto n = static_cast<size_t>(1 + 2 * other.data_[0]);
    data_ = std::make_unique<int32_t[]>(n);
    std::copy(other.data_.get(), other.data_.get() + n, data_.get());
}

SpinStore::PackedBets& SpinStore::PackedBets::operator=(const PackedBets& other) {
    if (this != &other) *this = PackedBets(other);
    return *this;
}

BetGrid SpinStore::PackedBets::grid() const {
    BetGrid g;
    if (!data_) return g;
    const int32_t* p = data_.get() + 1;
    for (int32_t k = 0; k < data_[0]; ++k, p += 2) g.v[static_cast<size_t>(p[0])] = p[1];
    return g;
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
    materialize(pos).bets = PackedBets(grid);
}

void SpinStore::shiftIn(int32_t n, const BetGrid& bets) {
    if (capacity_ < 2) return;
    ++shifts_;
    records_.push_back(Record{PackedBets(bets), n});
    if (stored() > capacity_ - 1) records_.pop_front();
}

}  // namespace kv
