#pragma once
// The tester's balance curve and its mouse read-out, in the paint box's
// pixels. The oldest step is at the left, the newest at the right; the
// curve ends at the left edge on the starting balance 0. Entry 1 (the final
// step, which in a replay only prepares the next bets) has its slot at the
// right edge and is not drawn.

#include <cstdint>
#include <vector>

namespace kv {

struct CurvePoint {
    int x = 0;
    int y = 0;
    bool operator==(const CurvePoint&) const = default;
};

struct BalanceCurve {
    int width = 0;
    int height = 0;
    int32_t stepCount = 0;
    int32_t min = 1000000;  // of RunBalances[1..stepCount]
    int32_t max = -1000000;
    double xScale = 1;  // width / stepCount (1 without steps)
    double yScale = 1;  // height / (max - min) (1 when max = min)
    // Move to the first point, then a line to each of the others. Empty
    // when nothing is drawn (N < 2 or fewer than 2 steps).
    std::vector<CurvePoint> points;
};

// balancesOldestFirst: the run's balances, oldest step first (RunBalances
// read backwards); requested: N of the run. withPoints false leaves the
// points out (the read-out needs only the scales).
BalanceCurve balanceCurve(const std::vector<int32_t>& balancesOldestFirst, int32_t requested, int width,
                          int height, bool withPoints = true);

// The read-out of the pointer at (x, y): "Step: " + step and
// "Balance: " + level + " $".
struct CurveReadOut {
    int64_t step = 0;
    int64_t level = 0;
};
CurveReadOut curveReadOut(const BalanceCurve& c, int x, int y);

}  // namespace kv
