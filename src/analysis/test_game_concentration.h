#pragma once
// The first honesty test ("Test Random Only"): looks for stretches of the
// history in which some numbers came too often for a fair wheel, by the
// limits of rndtest.dat, and reports every such stretch.
//
// For every window length L = 4 .. min(N, 10000) and every window of L
// consecutive spins (starts 1 .. N - L, newest first, so the oldest spin
// only lies in the window of L = N), the range hi - lo of the 37 counts is
// compared with the limit: E[L] < (hi - lo) / L marks every spin of the
// window. A window that holds a marked spin is not looked at. Lengths whose
// limit equals the previous length's are skipped.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "analysis/rndtest_table.h"
#include "analysis/test_game_curve.h"
#include "core/game_state.h"

namespace kv {

inline constexpr int32_t kConcentrationMaxLength = 10000;

// A run of consecutive marked spins, counted in order of play: the first
// spin of the game has ordinal 1.
struct ShadyRun {
    int32_t firstOrdinal = 0;
    int32_t length = 0;
    bool operator==(const ShadyRun&) const = default;
};

struct ConcentrationResult {
    bool ran = false;                // false when the limits table is missing
    bool passed = true;              // no window exceeded its limit
    std::vector<ShadyRun> runs;      // in order of play
    std::vector<std::string> lines;  // the memo, verdict lines included
    TestCurve curve;                 // the disorder curve (mode None when not ran)
};

// The whole first test over a history given newest first (element 0 is the
// latest spin, SpinHistory[1]).
ConcentrationResult ConcentrationTest(std::span<const int32_t> newestFirst, const RndTestTable& table,
                                      const TestProgress& progress = {});
ConcentrationResult ConcentrationTest(const GameState& state, const RndTestTable& table,
                                      const TestProgress& progress = {});

// The marks the scan leaves, element i - 1 for SpinHistory[i]; every element
// is 0 or 1. The same marks as recounting every window, but the windows
// slide: a range can grow by at most 2 per spin, so after each look at hi
// and lo the windows that cannot reach the limit are passed with count
// updates only. Each length costs O(N) plus O(L) per marked stretch.
std::vector<uint8_t> concentrationMarks(std::span<const int32_t> newestFirst, const RndTestTable& table,
                                        const TestProgress& progress = {});
// The largest range hi - lo that does not fail the window of length L under
// limit E (E < r / L fails); -1 when every range fails, L when none does.
int32_t concentrationThreshold(double E, int32_t L);
// The runs of marked spins in order of play (from the oldest spin on).
std::vector<ShadyRun> shadyRuns(std::span<const uint8_t> marks);
// "From 12 position 6 shady Numbers".
std::string shadyLine(const ShadyRun& run);

// The numbers SpinHistory[1 .. SpinCount], newest first.
std::vector<int32_t> spinNumbers(const GameState& state);

}  // namespace kv
