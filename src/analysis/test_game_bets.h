#pragma once
// The second honesty test ("Test Random with Bets"): settles every bet of the
// game again, totals wins and losses per bet amount and compares the result
// with what a fair single-zero wheel gives the same bets: the warning comes
// when the bets did significantly worse, whatever the ratio's size.
//
// A bet on k numbers that wins adds 36 - k to the table of its amount, one
// that loses adds k to the lose table: the amount only picks the table entry.

#include <cstdint>
#include <string>
#include <vector>

#include "analysis/test_game_curve.h"
#include "core/game_state.h"

namespace kv {

// The largest amount the per-amount tables report; larger amounts (and
// amounts below 1, which play never makes) are left out and counted.
inline constexpr int32_t kBetsTestMaxAmount = 99000;
// The curve keeps the last this many betting spins it met (the oldest ones).
inline constexpr int32_t kBetsCurveMaxPoints = 10000;

struct BetsTestResult {
    std::vector<std::string> lines;
    TestCurve curve;        // smoothed and interpolated
    int64_t totalWin = 0;   // sum of the win table
    int64_t totalLose = 0;  // sum of the lose table
    double total = 0;       // totalWin / totalLose * 100, 0 without losses
    int32_t leftOut = 0;    // bets whose amount lies outside 1 .. 99000
    double fairWin = 0;     // net units (won - lost) a fair wheel gives on average for these bets
    double shortfall = 0;   // how many standard deviations the bets did worse than that
    double fairTotal = 0;   // the total a fair wheel gives these bets on average, in the units of total
    bool warning = false;   // shortfall above kBetsTestWarningDeviations
};

// The warning comes when the bets did worse than a fair wheel by more than
// this many standard deviations: an honest casino sees it about once in a
// hundred tests.
inline constexpr double kBetsTestWarningDeviations = 2.326;

BetsTestResult BetsTest(const GameState& state, const TestProgress& progress = {},
                        char decimalSeparator = '.');

}  // namespace kv
