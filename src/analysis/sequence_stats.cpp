#include "analysis/sequence_stats.h"

#include <algorithm>

#include "core/roulette.h"

namespace kv {

namespace {

// Bit c set when the number belongs to even chance c; zero belongs to none.
std::array<uint8_t, 37> makeChanceBits() {
    std::array<uint8_t, 37> bits{};
    for (int n = 1; n <= 36; ++n) {
        const bool flags[kEvenChanceCount] = {isRed(n), isBlack(n), n % 2 == 1, n % 2 == 0, n <= 18, n > 18};
        for (int c = 0; c < kEvenChanceCount; ++c)
            if (flags[c]) bits[static_cast<size_t>(n)] |= static_cast<uint8_t>(1u << c);
    }
    return bits;
}

const std::array<uint8_t, 37>& chanceBits() {
    static const std::array<uint8_t, 37> bits = makeChanceBits();
    return bits;
}

}  // namespace

const char* evenChanceName(EvenChance c) {
    static constexpr const char* kNames[kEvenChanceCount] = {"red", "black", "odd", "even", "low", "high"};
    return kNames[static_cast<int>(c)];
}

SequenceStats::SequenceStats() = default;

void SequenceStats::add(int number) {
    const uint8_t n = static_cast<uint8_t>(number);
    add(std::span<const uint8_t>(&n, 1));
}

void SequenceStats::add(std::span<const uint8_t> numbers) {
    // Locals, so that the counters of a long list stay in registers.
    const std::array<uint8_t, 37> bits = chanceBits();
    std::array<int64_t, kEvenChanceCount> run = run_;
    std::array<int64_t, kEvenChanceCount> longest = longest_;
    int64_t spins = spins_;
    for (const uint8_t n : numbers) {
        ++spins;
        ++counts_[n];
        lastSeen_[n] = spins;
        const uint8_t b = bits[n];
        for (size_t c = 0; c < kEvenChanceCount; ++c) {
            // A run grows while the chance comes and drops to 0 otherwise.
            run[c] = (run[c] + 1) & -static_cast<int64_t>((b >> c) & 1u);
            longest[c] = std::max(longest[c], run[c]);
        }
    }
    spins_ = spins;
    run_ = run;
    longest_ = longest;
}

int64_t SequenceStats::chance(EvenChance c) const {
    const uint8_t bit = static_cast<uint8_t>(1u << static_cast<int>(c));
    int64_t sum = 0;
    for (size_t n = 1; n <= 36; ++n)
        if (chanceBits()[n] & bit) sum += counts_[n];
    return sum;
}

int64_t SequenceStats::dozen(int d) const {
    int64_t sum = 0;
    for (int n = 12 * (d - 1) + 1; n <= 12 * d; ++n) sum += counts_[static_cast<size_t>(n)];
    return sum;
}

int64_t SequenceStats::column(int d) const {
    int64_t sum = 0;
    for (int n = d; n <= 36; n += 3) sum += counts_[static_cast<size_t>(n)];
    return sum;
}

int64_t SequenceStats::sinceLast(int number) const { return spins_ - lastSeen_[static_cast<size_t>(number)]; }

std::vector<int> SequenceStats::hottest() const {
    std::vector<int> out;
    if (spins_ == 0) return out;
    const int64_t top = *std::max_element(counts_.begin(), counts_.end());
    for (int n = 0; n <= 36; ++n)
        if (counts_[static_cast<size_t>(n)] == top) out.push_back(n);
    return out;
}

std::vector<int> SequenceStats::coldest() const {
    std::vector<int> out;
    if (spins_ == 0) return out;
    const int64_t low = *std::min_element(counts_.begin(), counts_.end());
    for (int n = 0; n <= 36; ++n)
        if (counts_[static_cast<size_t>(n)] == low) out.push_back(n);
    return out;
}

}  // namespace kv
