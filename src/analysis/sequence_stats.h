#pragma once
// Counts over a sequence of spins, oldest first, taken one block at a time
// so that a list of any length is counted without being held: how often
// each number and each outside bet came, the longest run of each even
// chance, and how long each number has been sleeping.

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace kv {

// The six even chances in the order the results list them.
enum class EvenChance { Red = 0, Black, Odd, Even, Low, High };
inline constexpr int kEvenChanceCount = 6;
const char* evenChanceName(EvenChance c);  // "red", "black", ...

class SequenceStats {
  public:
    SequenceStats();

    void add(int number);  // 0..36
    void add(std::span<const uint8_t> numbers);

    int64_t spins() const { return spins_; }
    int64_t count(int number) const { return counts_[static_cast<size_t>(number)]; }
    int64_t red() const { return chance(EvenChance::Red); }
    int64_t black() const { return chance(EvenChance::Black); }
    int64_t zero() const { return counts_[0]; }
    int64_t chance(EvenChance c) const;
    // Dozen and column d = 1..3 (column 1 holds 1, 4, ..., 34).
    int64_t dozen(int d) const;
    int64_t column(int d) const;
    // The longest unbroken run of the chance; a zero breaks every run.
    int64_t longestRun(EvenChance c) const { return longest_[static_cast<size_t>(c)]; }
    // Spins played after the latest appearance of the number (0 when it
    // was the latest spin); all spins when it never came.
    int64_t sinceLast(int number) const;
    // The numbers that came most and least often, ascending.
    std::vector<int> hottest() const;
    std::vector<int> coldest() const;

  private:
    std::array<int64_t, 37> counts_{};
    std::array<int64_t, 37> lastSeen_{};  // 1-based spin of the latest appearance, 0 = never
    std::array<int64_t, kEvenChanceCount> run_{};
    std::array<int64_t, kEvenChanceCount> longest_{};
    int64_t spins_ = 0;
};

}  // namespace kv
