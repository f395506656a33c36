#include "analysis/chart_picture.h"

#include <algorithm>
#include <cmath>

namespace kv {

namespace {

int roundHalfEven(double v) { return static_cast<int>(std::nearbyint(v)); }

int sign(int v) { return (v > 0) - (v < 0); }

// Appends a point to a line, dropping a point equal to the last and merging a
// point that carries a horizontal or vertical run on in the same direction:
// with the end point of each segment left out, the shorter list draws
// exactly the same pixels.
void appendMerged(std::vector<PicturePoint>& pts, PicturePoint p) {
    if (!pts.empty() && pts.back() == p) return;
    if (pts.size() >= 2) {
        const PicturePoint a = pts[pts.size() - 2];
        const PicturePoint b = pts.back();
        const bool vertical = a.x == b.x && b.x == p.x && sign(b.y - a.y) == sign(p.y - b.y);
        const bool horizontal = a.y == b.y && b.y == p.y && sign(b.x - a.x) == sign(p.x - b.x);
        if (vertical || horizontal) {
            pts.back() = p;
            return;
        }
    }
    pts.push_back(p);
}

}  // namespace

ChartLayout chartLayout(int windowWidth, int windowHeight) {
    return {windowWidth - 168,  windowHeight - 116, windowWidth - 168,
            windowHeight - 101, windowHeight - 116, windowWidth - 49};
}

int32_t zoomOut(int32_t z, int32_t spinCount) {
    return static_cast<int32_t>(std::min<int64_t>(2 * static_cast<int64_t>(z), spinCount));
}

int32_t zoomIn(int32_t z) { return z > 1 ? z / 2 : z; }

ChartPicture drawChart(const SpinTally& tally, const ChartStyle& style, const ChartRequest& rq) {
    ChartPicture out;
    const int wd = rq.width;
    const int h = rq.height;
    out.shapes.push_back(ShapeRect{{0, 0, wd, h}, winRgb(255, 255, 255), winRgb(0, 0, 0)});

    const int32_t m = std::clamp(rq.amount, 0, tally.spinCount());
    if (m <= 0) return out;
    // A span of 0 (the window was activated before the first spin) would
    // divide by zero; draw the nearest possible span instead.
    const int32_t z = std::clamp(rq.zoom, 1, m);
    const int p1 = std::clamp(rq.scroll1, 0, 100);
    const int p2 = std::clamp(rq.scroll2, 0, 100);
    const int32_t s0 = std::min(m, m - roundHalfEven(static_cast<double>(p1) * (m - z) / 100.0));
    const double ax = static_cast<double>(wd) / z;
    const double bx = static_cast<double>(wd) / m;

    // Top count over all m spins, of any category of a switched-on group.
    const EntryCounts all = tally.countLatest(m);
    int32_t top = 1;
    for (int g = 0; g < kChartGroupCount; ++g) {
        if (!style.groups[g]) continue;
        const EntryRange r = chartGroupEntries(static_cast<ChartGroup>(g));
        for (int e = r.first; e <= r.last; ++e) top = std::max(top, all[e]);
    }
    const double off = (p2 - 100.0) * top * ax * h / ((top + 10.0) * 100.0 * bx);
    out.view = {m, z, s0, top, ax, bx, off};

    // Which entries are drawn, and where each one's line sits in the output.
    std::array<int, kChartEntryCount + 1> slot;
    slot.fill(-1);
    std::vector<std::vector<PicturePoint>> lines;
    for (int g = 0; g < kChartGroupCount; ++g) {
        if (!style.groups[g]) continue;
        const EntryRange r = chartGroupEntries(static_cast<ChartGroup>(g));
        for (int e = r.first; e <= r.last; ++e) {
            if (!style.shown[e]) continue;
            slot[e] = static_cast<int>(lines.size());
            out.entries.push_back(e);
            lines.emplace_back();
        }
    }
    if (lines.empty()) return out;

    const double yScale = h * (ax / bx) / (top + 10.0);
    auto yOf = [&](int32_t count) { return roundHalfEven(h - count * yScale - off); };
    auto xOf = [&](int32_t step) { return roundHalfEven(step * ax); };

    // Hits before the picture: positions m down to s0 + 1.
    EntryCounts count = tally.countPositions(s0 + 1, m);

    for (auto& pts : lines) pts.push_back({0, h});
    const int32_t n = tally.spinCount();
    const uint8_t* spins = tally.oldestFirst().data();
    // Step j is history position s0 - j, drawn at x = Round(j * ax). A line
    // only needs a point where its count changes (the end of the flat run
    // before it and the new height) and at the end.
    for (int32_t j = 0; j <= z; ++j) {
        const int32_t idx = s0 - j;
        const int x = xOf(j);
        if (idx >= 1 && idx <= m) {
            for (uint8_t e : chartEntriesOf(spins[n - idx])) {
                const int k = slot[e];
                const int32_t before = count[e]++;
                if (k < 0) continue;
                auto& pts = lines[static_cast<size_t>(k)];
                if (j > 0) appendMerged(pts, {xOf(j - 1), yOf(before)});
                appendMerged(pts, {x, yOf(count[e])});
            }
        }
        if (j == 0) {
            for (int e = 1; e <= kChartEntryCount; ++e)
                if (slot[e] >= 0) appendMerged(lines[static_cast<size_t>(slot[e])], {0, yOf(count[e])});
        }
    }
    const int xEnd = xOf(z);
    for (size_t i = 0; i < lines.size(); ++i) {
        const int e = out.entries[i];
        appendMerged(lines[i], {xEnd, yOf(count[e])});
        out.shapes.push_back(ShapePolyline{std::move(lines[i]), style.colour[e]});
    }
    return out;
}

}  // namespace kv
