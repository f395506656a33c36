#pragma once
// The betting advisor's evaluations: which outcomes of a category came up
// too seldom (flag 1) or too often (flag 2) in a weighted window of the
// latest spins, how the last advices would have fared, and whether the
// advice is to be turned round.
//
// Recent spins weigh more: the spin at the window's start weighs 1 and every
// older spin the weight of the next newer one times the category's decay,
// f for the even chances, sqrt(f) for dozens and columns and the 16th root
// of f for single numbers (f is the "Downturn Factor"). An outcome is
// advised when its weighted count trails (the other side of an even chance,
// or the category's average) by at least Confidence x (1 + d + ...) (see
// each evaluation); "Bet Always" or the force flag drop that threshold.
//
// Sums are kept in extended precision (long double), as the advice is
// decided by comparisons that ties must settle the same way every time.

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "calculate/calculate_settings.h"
#include "core/game_state.h"

namespace kv {

// What one run reads from the settings.
struct AdvisorParams {
    int32_t errors = 2;                       // E
    int32_t statisticNumbers = 0;             // N; 0 or more than the history means all spins
    long double downturn = 0.75L;             // f, never negative
    std::array<long double, 7> confidence{};  // k = 1..6
    std::array<bool, 7> betAlways{};          // k = 1..6
    std::array<bool, 7> enabled{};            // k = 1..6: the category takes part
};

// Reads E and N (ParseFieldReal, rounded), f (ParseFieldReal) and the
// category settings from the record.
AdvisorParams advisorParams(const CalculateSettings& s);

// SpinHistory(1..SpinCount) of a game, newest first (element 0 = position 1).
std::vector<int32_t> spinHistoryOf(const GameState& s);

// Outcome class (1..3) of number x in category k = 1..5; 0 for zero and for
// anything outside 0..36. Numbers (k = 6) are their own outcomes.
int outcomeClass(int k, int x);

class Advisor {
  public:
    // history: SpinHistory newest first (element 0 is position 1); a value
    // outside 0..36 counts as a spin of no outcome.
    Advisor(const AdvisorParams& params, std::span<const int32_t> history);

    int32_t SpinCount() const { return static_cast<int32_t>(history_.size()); }
    // N after the rule "0, or more than SpinCount, means SpinCount".
    int32_t windowLength() const { return window_; }
    const AdvisorParams& params() const { return params_; }

    // Category k = 1..3 over the window from position start: the class to
    // bet on (the one that came up less), or 0 for none.
    int EvenChanceAdvice(int k, int32_t start, bool force);
    // Category k = 4 or 5: sets the flags of classes 1..3 (outcome 0 cleared).
    void ThirdsAdvice(int k, int32_t start, bool force);
    // Sets the flags and weighted sums of numbers 0..36 and M1, M2.
    void NumberAdvice(int32_t start, bool force);

    // How many of the last E advices of category k would have lost, each
    // evaluated with force just before the spin it is compared with. Only
    // spins that have an older spin before them are tested, so a short
    // history tests fewer than E. The windows of the tested advices slide
    // along the history, so this costs about N + min(E, SpinCount) steps
    // (and a fresh window for an advice that rounding could tip).
    int32_t missCount(int k);
    // The category's placement is inverted when every tested advice missed
    // (always so with E = 0).
    bool turnedRound(int32_t misses) const { return misses == params_.errors; }

    // The last evaluation's results.
    int lastEvenAdvice() const { return evenAdvice_; }
    // Advice flags of outcomes 0..36: 0 none, 1 too seldom, 2 too often.
    // Shared by ThirdsAdvice and NumberAdvice: each overwrites the other.
    const std::array<int, 37>& flags() const { return flags_; }
    // Weighted sums W[x] of the last NumberAdvice.
    const std::array<long double, 37>& weights() const { return weights_; }
    long double M1() const { return m1_; }
    long double M2() const { return m2_; }
    // The class sums S1..S3 of the last EvenChanceAdvice or ThirdsAdvice.
    const std::array<long double, 4>& classSums() const { return classSums_; }

  private:
    // Outcome of each number 0..36 in one category.
    using ClassTable = std::array<int8_t, 37>;

    // Sums the window from start into sums[outcome], with the given decay,
    // where outcome = table[x] (a table entry < 0 counts for nothing).
    template <typename Sums>
    void sumWindow(int32_t start, long double decay, const ClassTable& table, Sums& sums) const;
    // How many spins of each outcome a window holds.
    template <size_t Outcomes>
    using Members = std::array<int32_t, Outcomes>;
    // Calls judge(i, sums, total, members) for every tested advice i =
    // 1..tested with the window from start i + 1: its sums and their total,
    // up to a positive factor per window, and its spins per outcome.
    template <typename Sums, typename Judge>
    void slideTestedWindows(int32_t tested, long double decay, const ClassTable& table, Judge&& judge) const;

    AdvisorParams params_;
    std::vector<int8_t> history_;  // -1 for a value outside 0..36
    int32_t window_ = 0;
    long double rootF2_ = 0;   // sqrt(f)
    long double rootF16_ = 0;  // f^(1/16)

    int evenAdvice_ = 0;
    std::array<int, 37> flags_{};
    std::array<long double, 37> weights_{};
    std::array<long double, 4> classSums_{};
    long double m1_ = 1.0L;
    long double m2_ = 1.0L;
};

}  // namespace kv
