#pragma once
// The CHART page of the Graphics window: for every drawn entry a line that
// climbs one step each time the entry comes, over the spins taken into
// account, with zoom and two scroll bars.
//
// Cost: one pass over the spins older than the picture and one pass over the
// spins in it, touching only the (at most seven) entries each spin counts
// for. Each line comes back with the points that merely continue a straight
// horizontal or vertical run dropped, so a line has at most about two points
// per pixel column and row of the picture however many spins it spans, and
// draws the same pixels as the full line would.

#include <cstdint>

#include "analysis/chart_shapes.h"
#include "analysis/chart_style.h"
#include "analysis/chart_tally.h"

namespace kv {

// Sizes that follow the window (outer size) on every drawing.
struct ChartLayout {
    int paintWidth = 0;  // the chart picture
    int paintHeight = 0;
    int scroll1Width = 0;  // the horizontal scroll bar
    int scroll1Top = 0;
    int scroll2Height = 0;  // the vertical scroll bar
    int scroll2Left = 0;
};
ChartLayout chartLayout(int windowWidth, int windowHeight);

// "Reduce a picture": twice the span, at most the spin count.
int32_t zoomOut(int32_t z, int32_t spinCount);
// "Increase a picture": half the span, never below 1.
int32_t zoomIn(int32_t z);

struct ChartRequest {
    int32_t amount = 0;  // M: spins taken into account (parseSpinAmount)
    int32_t zoom = 0;    // Z: the window's zoom span
    int scroll1 = 0;     // horizontal scroll position 0..100
    int scroll2 = 100;   // vertical scroll position 0..100
    int width = 0;       // paint box
    int height = 0;
};

// The numbers the drawing used, for a window's own labels and for tests.
struct ChartView {
    int32_t spinsCounted = 0;     // spins taken into account
    int32_t span = 0;             // spins actually drawn (1..spinsCounted)
    int32_t firstPosition = 0;    // history position of the first spin of the picture
    int32_t top = 1;              // most hits of a category of a switched-on group
    double pixelsPerSpin = 0;     // in the picture
    double pixelsPerSpinAll = 0;  // over all counted spins
    double shift = 0;             // vertical shift from the second scroll bar
};

struct ChartPicture {
    ChartView view;
    // The white background, then one polyline per drawn entry in group and
    // entry order (each starts at the bottom-left corner).
    Picture shapes;
    // The entry of each polyline, in the same order (shapes[i + 1]).
    std::vector<int> entries;
};

// Draws with the tally's spins; amount 0 or a tally without spins gives the
// background alone. A zoom span outside 1..spinsCounted is taken as the nearest of them.
ChartPicture drawChart(const SpinTally& tally, const ChartStyle& style, const ChartRequest& request);

}  // namespace kv
