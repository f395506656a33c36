#pragma once
// The curves of the Test Game window as plain data: the disorder curve of the
// first test, the bet result curve of the second, the smoothing and the
// interpolation they share, and where DrawTestCurve puts each stroke.

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

namespace kv {

// Called with the value the progress bar takes (0..100) at every step of a
// test: every window length of the first test, every spin of the second.
// The window decides how often it repaints or processes events.
using TestProgress = std::function<void(int percent)>;

enum class CurveMode : int32_t { None = -1, Disorder = 0, Bets = 1 };

struct TestCurve {
    CurveMode mode = CurveMode::None;
    std::vector<int32_t> values;  // D[1..P] as values[0..P-1]
};

// Round(num / den) for den > 0 and num >= 0, a half to the even neighbour,
// computed exactly.
int64_t roundRatio(int64_t num, int64_t den);

// The window length W of the disorder curve for N spins.
int32_t disorderWindow(int32_t N);
// The disorder curve of a history given newest first (element 0 is the
// latest spin), interpolated.
std::vector<int32_t> disorderCurve(std::span<const int32_t> newestFirst);

// Each inner value becomes the sum of itself and its two neighbours on
// either side (a sum of five, not an average); the two values at each end
// stay.
void smoothCurve(std::vector<int32_t>& d);
// While 1 < P < 1000: P values become 2P - 1, the rounded mean of each
// neighbouring pair placed between them.
void interpolateCurve(std::vector<int32_t>& d);

enum class StrokeColor { Red, Blue };

struct CurveStroke {
    int32_t x = 0;
    int32_t yFrom = 0;  // the base level
    int32_t yTo = 0;    // the value
    StrokeColor color = StrokeColor::Blue;
};

struct CurveLegend {
    int32_t x = 0;
    int32_t y = 0;
    std::string text;
    StrokeColor color = StrokeColor::Blue;
};

struct CurveLayout {
    // Vertical lines from yFrom to yTo at x, in curve order; empty with no
    // curve (the white frame is drawn in every case).
    std::vector<CurveStroke> strokes;
    std::vector<CurveLegend> legends;
};

// Where DrawTestCurve draws the curve in a paint box of width x height.
CurveLayout layoutTestCurve(const TestCurve& curve, int32_t width, int32_t height);

}  // namespace kv
