#include "analysis/test_game_curve.h"

#include <algorithm>
#include <cmath>

namespace kv {

int64_t roundRatio(int64_t num, int64_t den) {
    const int64_t q = num / den;
    const int64_t twice = 2 * (num % den);
    if (twice > den || (twice == den && q % 2 != 0)) return q + 1;
    return q;
}

int32_t disorderWindow(int32_t N) {
    if (N >= 1000) return 100;
    const int32_t d = N >= 200 ? 10 : N >= 100 ? 5 : N >= 30 ? 3 : 2;
    return static_cast<int32_t>(roundRatio(N, d));
}

std::vector<int32_t> disorderCurve(std::span<const int32_t> newestFirst) {
    const int64_t N = static_cast<int64_t>(newestFirst.size());
    const int32_t W = disorderWindow(static_cast<int32_t>(std::min<int64_t>(N, 1000)));
    const int32_t P = 1000 - W;
    const int32_t avg = static_cast<int32_t>(roundRatio(W, 37));
    std::vector<int32_t> d(static_cast<size_t>(P), 0);
    for (int32_t i = 0; i < P; ++i) {
        // Start positions spread evenly over the history, rounded exactly.
        const int64_t start = roundRatio(N * i, 1000);
        int32_t counts[37] = {};
        for (int64_t pos = start + 1; pos <= start + W && pos <= N; ++pos) {
            const int32_t n = newestFirst[static_cast<size_t>(pos - 1)];
            if (n >= 0 && n <= 36) ++counts[n];
        }
        int32_t excess = 0;
        for (int32_t c : counts)
            if (c > avg) excess += c - avg;
        d[static_cast<size_t>(i)] = excess;
    }
    interpolateCurve(d);
    return d;
}

void smoothCurve(std::vector<int32_t>& d) {
    const size_t P = d.size();
    if (P < 5) return;
    const std::vector<int32_t> before = d;
    for (size_t k = 2; k + 2 < P; ++k)
        d[k] = before[k - 2] + before[k - 1] + before[k] + before[k + 1] + before[k + 2];
}

void interpolateCurve(std::vector<int32_t>& d) {
    while (d.size() > 1 && d.size() < 1000) {
        std::vector<int32_t> out(2 * d.size() - 1);
        for (size_t k = 0; k < d.size(); ++k) {
            out[2 * k] = d[k];
            if (k + 1 < d.size())
                out[2 * k + 1] =
                    static_cast<int32_t>(std::nearbyint((static_cast<double>(d[k]) + d[k + 1]) / 2));
        }
        d = std::move(out);
    }
}

CurveLayout layoutTestCurve(const TestCurve& curve, int32_t width, int32_t height) {
    CurveLayout out;
    if (curve.mode == CurveMode::None) return out;
    const bool disorder = curve.mode == CurveMode::Disorder;
    int64_t hi = disorder ? 0 : -1000000;
    int64_t lo = 1000000;
    for (int32_t v : curve.values) {
        hi = std::max<int64_t>(hi, v);
        lo = std::min<int64_t>(lo, v);
    }
    hi += 1;
    lo -= 1;
    const double ys = static_cast<double>(height - 10) / static_cast<double>(hi - lo);
    const size_t P = curve.values.size();
    const double xs = P == 0 ? 1.0 : static_cast<double>(width) / static_cast<double>(P);
    const int64_t base =
        disorder ? static_cast<int64_t>(std::nearbyint(static_cast<double>(hi + lo) / 2)) : 0;
    const int32_t yBase = height - static_cast<int32_t>(std::nearbyint(static_cast<double>(base - lo) * ys));
    out.strokes.reserve(P);
    for (size_t k = 1; k <= P; ++k) {
        const int32_t v = curve.values[k - 1];
        CurveStroke s;
        s.x = static_cast<int32_t>(std::nearbyint(static_cast<double>(k) * xs));
        s.yFrom = yBase;
        s.yTo = height - static_cast<int32_t>(std::nearbyint(static_cast<double>(v - lo) * ys));
        s.color = v < base ? StrokeColor::Red : StrokeColor::Blue;
        out.strokes.push_back(s);
    }
    out.legends.push_back(
        {1, 1, disorder ? "Blue - disorder of numbers" : "Blue - win bets", StrokeColor::Blue});
    out.legends.push_back(
        {1, height - 14, disorder ? "Red - concentration of numbers" : "Red - lose bets", StrokeColor::Red});
    return out;
}

}  // namespace kv
