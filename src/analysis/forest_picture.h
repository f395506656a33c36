#pragma once
// The FOREST page of the Graphics window: bars of how often each number or
// group of numbers came among the latest spins, each hot (blue) or cold
// (red), the "Last falling out" row of how many spins ago each came, and in
// Numbers mode the two lists of numbers whose frequency and recent absence
// disagree.

#include <cstdint>
#include <string>
#include <vector>

#include "analysis/chart_shapes.h"
#include "analysis/chart_tally.h"

namespace kv {

// The radio buttons, numbered as the settings store them.
enum class ForestMode : int32_t { Numbers = 1, Streets = 2, Chances = 3, DozensColumns = 4 };

// Categories of a mode: 37 numbers, 12 streets, 6 even chances (Red, Black,
// Odd, Even, Low, High), 6 dozens and columns (Doz 1..3, Col 1..3).
int forestCategoryCount(ForestMode mode);
// The chart entry counted for category i (0-based, in the mode's order).
int forestEntry(ForestMode mode, int i);
// Track bar range of the baffle: 0..36 for Numbers, 0..11 for Streets; the
// other modes have no baffle (0).
int forestBaffleMax(ForestMode mode);

// Hot threshold T: the K-th largest count (equal counts counted separately);
// the largest count when K is 0 or 1.
int32_t hotThreshold(const std::vector<int32_t>& counts, int baffle);
// Last threshold T2: the (K + 1)-th smallest last value (-1, "not seen",
// being the smallest of all). Last values below T2 go on pink.
int32_t lastThreshold(const std::vector<int32_t>& lasts, int baffle);

struct ForestRequest {
    int32_t amount = 0;  // M: spins taken into account (parseSpinAmount)
    ForestMode mode = ForestMode::Numbers;
    int baffle = 1;   // K of the mode; clamped to its track bar range
    int width = 553;  // the picture
    int height = 325;
};

struct ForestBar {
    int entry = 0;  // chart entry of the category
    int left = 0;   // bar from x = left to right
    int right = 0;
    int top = 0;              // bar from y = top down to height - 40
    int32_t count = 0;        // hits among the M latest spins
    int32_t last = -1;        // spins since it last came, -1 when not among them
    bool hot = false;         // blue bar; red when false
    bool lastOnPink = false;  // else cyan
};

struct ForestPicture {
    std::vector<ForestBar> bars;  // in the mode's category order
    int32_t hotThreshold = 0;     // T (Numbers and Streets modes)
    int32_t lastThreshold = 0;    // T2 (Numbers and Streets modes)
    double scale = 1;             // pixels per hit
    std::string memo1;            // hot numbers absent for a while
    std::string memo2;            // cold numbers that came recently
    // Background, bars with their upward counts, the threshold line, the
    // labels and the "Last falling out" row, in drawing order.
    Picture shapes;
};

// Nothing to draw (an empty picture, empty memos) when the tally has no
// spins: the page then keeps its last picture.
ForestPicture drawForest(const SpinTally& tally, const ForestRequest& request);

}  // namespace kv
