#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "analysis/chart_entries.h"
#include "analysis/chart_picture.h"
#include "analysis/chart_spin_amount.h"
#include "analysis/chart_style.h"
#include "analysis/chart_tally.h"
#include "core/game_state.h"

namespace kv {
namespace {

SpinTally tallyOf(const std::vector<int>& newestFirst) {
    SpinTally t;
    t.assignNewestFirst(newestFirst);
    return t;
}

std::vector<int> randomSpins(int count, unsigned seed) {
    std::mt19937 rng(seed);
    std::vector<int> v;
    for (int i = 0; i < count; ++i) v.push_back(static_cast<int>(rng() % 37));
    return v;
}

ChartStyle styleWith(std::initializer_list<ChartGroup> groups) {
    ChartStyle s = defaultChartStyle();
    s.groups.fill(false);
    for (ChartGroup g : groups) s.groups[static_cast<int>(g)] = true;
    return s;
}

// The line of one entry point by point, counted afresh at every spin.
std::vector<PicturePoint> referenceLine(const std::vector<int>& newestFirst, int entry, const ChartView& v, int h) {
    auto counts = [&](int idx) {
        for (uint8_t e : chartEntriesOf(newestFirst[static_cast<size_t>(idx - 1)]))
            if (e == entry) return 1;
        return 0;
    };
    int32_t c = 0;
    for (int idx = v.m; idx > v.s0; --idx) c += counts(idx);
    std::vector<PicturePoint> pts{{0, h}};
    for (int idx = v.s0; idx >= v.s0 - v.z; --idx) {
        if (idx >= 1 && idx <= v.m) c += counts(idx);
        const int x = static_cast<int>(std::nearbyint((v.s0 - idx) * v.ax));
        const int y = static_cast<int>(std::nearbyint(h - c * h * (v.ax / v.bx) / (v.top + 10) - v.off));
        pts.push_back({x, y});
    }
    return pts;
}

// The short line must draw what the full one draws: same ends, and every
// point it leaves out lies on a horizontal or vertical piece between the
// kept points around it, walked in one direction.
void expectSameDrawing(const std::vector<PicturePoint>& full, const std::vector<PicturePoint>& shortLine) {
    ASSERT_GE(shortLine.size(), 2u);
    EXPECT_EQ(shortLine.front(), full.front());
    EXPECT_EQ(shortLine.back(), full.back());
    size_t i = 0;
    for (size_t k = 0; k + 1 < shortLine.size(); ++k) {
        while (i < full.size() && !(full[i] == shortLine[k])) ++i;
        ASSERT_LT(i, full.size()) << "kept point not on the full line";
        const PicturePoint a = shortLine[k], b = shortLine[k + 1];
        size_t j = i + 1;
        while (j < full.size() && !(full[j] == b)) {
            const PicturePoint p = full[j];
            // A repeat of the point before is a line of no length: it draws nothing.
            const bool onAxis = p == full[j - 1] || (a.x == b.x && p.x == a.x && std::min(a.y, b.y) <= p.y && p.y <= std::max(a.y, b.y)) ||
                                (a.y == b.y && p.y == a.y && std::min(a.x, b.x) <= p.x && p.x <= std::max(a.x, b.x));
            ASSERT_TRUE(onAxis) << "dropped point (" << p.x << "," << p.y << ") off the piece";
            ++j;
        }
        ASSERT_LT(j, full.size());
        i = j;
    }
}

TEST(SpinAmount, DigitsOnlyAndAllSpinsForZeroOrTooMany) {
    EXPECT_EQ(parseSpinAmount("12a3", 500), 123);
    EXPECT_EQ(parseSpinAmount("", 40), 40);
    EXPECT_EQ(parseSpinAmount("abc", 40), 40);
    EXPECT_EQ(parseSpinAmount("0", 40), 40);
    EXPECT_EQ(parseSpinAmount("500", 40), 40);
    EXPECT_EQ(parseSpinAmount("40", 40), 40);
    EXPECT_EQ(parseSpinAmount("-7", 40), 7);
    EXPECT_EQ(parseSpinAmount("0005", 40), 5);
    // Beyond 32 bits: all spins, never a wrapped value (2^32 + 39 would wrap
    // to 39) nor an error.
    EXPECT_EQ(parseSpinAmount("4294967335", 100), 100);
    EXPECT_EQ(parseSpinAmount("2147483648", 100), 100);
    EXPECT_EQ(parseSpinAmount("99999999999999999999999999", 100), 100);
    EXPECT_EQ(parseSpinAmount("5", 0), 0);
}

TEST(ChartEntries, ZeroCountsOnlyForEntryOne) {
    const auto zero = chartEntriesOf(0);
    ASSERT_EQ(zero.size(), 1u);
    EXPECT_EQ(zero[0], 1);
    const auto e36 = chartEntriesOf(36);
    EXPECT_EQ(std::vector<int>(e36.begin(), e36.end()), (std::vector<int>{37, 49, 52, 55, 56, 59, 61}));
    const auto e1 = chartEntriesOf(1);
    EXPECT_EQ(std::vector<int>(e1.begin(), e1.end()), (std::vector<int>{2, 38, 50, 53, 56, 58, 60}));
    const auto e13 = chartEntriesOf(13);
    EXPECT_EQ(std::vector<int>(e13.begin(), e13.end()), (std::vector<int>{14, 42, 50, 54, 57, 58, 60}));
    EXPECT_TRUE(chartEntriesOf(37).empty());
    EXPECT_TRUE(chartEntriesOf(-1).empty());
    for (int e = 1; e <= kChartEntryCount; ++e) {
        const EntryRange r = chartGroupEntries(chartGroupOfEntry(e));
        EXPECT_LE(r.first, e);
        EXPECT_GE(r.last, e);
    }
}

TEST(SpinTally, CountsAndLastValuesOverTheLatestSpins) {
    const std::vector<int> spins = randomSpins(301, 3);
    const SpinTally t = tallyOf(spins);
    for (int32_t m : {0, 1, 2, 100, 150, 151, 300, 301, 400}) {
        const EntryCounts c = t.countLatest(m);
        const EntryCounts l = t.lastLatest(m);
        EntryCounts ec{}, el{};
        el.fill(-1);
        for (int i = std::min<int>(m, 301) - 1; i >= 0; --i)
            for (uint8_t e : chartEntriesOf(spins[static_cast<size_t>(i)])) {
                ++ec[e];
                el[e] = i;
            }
        for (int e = 1; e <= kChartEntryCount; ++e) {
            EXPECT_EQ(c[e], ec[e]) << m << " " << e;
            EXPECT_EQ(l[e], el[e]) << m << " " << e;
        }
    }
}

TEST(SpinTally, ReadsOnlyNewSpinsUnlessTheHistoryWasRewritten) {
    GameState s;
    for (int n : randomSpins(50, 5)) s.RecordSpin(n);
    SpinTally t;
    t.sync(s);
    EXPECT_EQ(t.numbersRead(), 50u);
    t.sync(s);
    EXPECT_EQ(t.numbersRead(), 50u);
    s.RecordSpin(17);
    t.sync(s);
    EXPECT_EQ(t.numbersRead(), 51u);
    EXPECT_EQ(t.number(1), 17);
    s.RecordSpin(0);
    s.RecordSpin(36);
    t.sync(s);
    EXPECT_EQ(t.numbersRead(), 53u);
    EXPECT_EQ(t.lastLatest(53)[kEntryNumber0], 1);

    // Rewriting a number with the count unchanged is noticed.
    s.setSpinHistory(1, 5);
    t.sync(s);
    EXPECT_EQ(t.number(1), 5);
    EXPECT_EQ(t.numbersRead(), 106u);
    // A cut, a game replaced by a copy of another, a new game: all noticed.
    s.insertukazhis(-3);
    t.sync(s);
    EXPECT_EQ(t.spinCount(), 50);
    GameState other;
    for (int n : randomSpins(50, 9)) other.RecordSpin(n);
    s = other;
    t.sync(s);
    const SpinTally fresh = [&] { SpinTally f; f.sync(other); return f; }();
    EXPECT_EQ(t.oldestFirst(), fresh.oldestFirst());
    EXPECT_EQ(t.countLatest(50), fresh.countLatest(50));
    s.NewGame();
    t.sync(s);
    EXPECT_EQ(t.spinCount(), 0);
}

TEST(ChartZoom, StopsAtOneAndAtTheSpinCount) {
    int32_t z = 5;
    z = zoomIn(z);
    EXPECT_EQ(z, 2);
    z = zoomIn(zoomIn(z));
    EXPECT_EQ(z, 1);
    EXPECT_EQ(zoomOut(1, 100), 2);
    EXPECT_EQ(zoomOut(60, 100), 100);
    EXPECT_EQ(zoomOut(100, 100), 100);
    EXPECT_EQ(zoomOut(2000000000, 2100000000), 2100000000);  // no overflow
    // The drawing limits the span further to the spins taken into account.
    const SpinTally t = tallyOf(randomSpins(100, 1));
    const ChartPicture p = drawChart(t, styleWith({ChartGroup::Dozens}), {30, 100, 0, 100, 521, 297});
    EXPECT_EQ(p.view.m, 30);
    EXPECT_EQ(p.view.z, 30);
    // A span of 0 (set before the first spin) draws as 1 instead of dividing by 0.
    EXPECT_EQ(drawChart(t, styleWith({ChartGroup::Dozens}), {30, 0, 0, 100, 521, 297}).view.z, 1);
}

TEST(ChartPicture, NothingSwitchedOnDrawsTheBackgroundOnly) {
    const SpinTally t = tallyOf(randomSpins(20, 2));
    ChartPicture p = drawChart(t, styleWith({}), {20, 20, 100, 100, 521, 297});
    ASSERT_EQ(p.shapes.size(), 1u);
    EXPECT_EQ(std::get<ShapeRect>(p.shapes[0]).box, (PictureRect{0, 0, 521, 297}));
    EXPECT_EQ(std::get<ShapeRect>(p.shapes[0]).brush, winRgb(255, 255, 255));
    // A hidden entry is not drawn though its group is on.
    ChartStyle s = styleWith({ChartGroup::RedBlack});
    s.shown[kEntryBlack] = false;
    s.colour[kEntryRed] = 0x123456;
    p = drawChart(t, s, {20, 20, 100, 100, 521, 297});
    ASSERT_EQ(p.entries, std::vector<int>{kEntryRed});
    EXPECT_EQ(std::get<ShapePolyline>(p.shapes[1]).pen, 0x123456u);
    EXPECT_TRUE(drawChart(SpinTally(), s, {0, 0, 100, 100, 521, 297}).entries.empty());
}

TEST(ChartPicture, ZeroRaisesOnlyTheLineOfEntryOne) {
    const SpinTally t = tallyOf({0, 0, 0, 0});
    ChartStyle s = defaultChartStyle();
    s.groups.fill(true);
    const ChartPicture p = drawChart(t, s, {4, 4, 100, 100, 521, 297});
    ASSERT_EQ(p.entries.size(), 61u);
    EXPECT_EQ(p.view.top, 4);
    for (size_t i = 0; i < p.entries.size(); ++i) {
        const auto& line = std::get<ShapePolyline>(p.shapes[i + 1]);
        if (p.entries[i] == 1) {
            EXPECT_LT(line.points.back().y, 297);
        } else {
            EXPECT_EQ(line.points, (std::vector<PicturePoint>{{0, 297}, {521, 297}})) << p.entries[i];
        }
    }
}

TEST(ChartPicture, FullSpanEndsTheTopLineTenStepsBelowTheTop) {
    const std::vector<int> spins = randomSpins(500, 4);
    const SpinTally t = tallyOf(spins);
    const ChartPicture p = drawChart(t, styleWith({ChartGroup::RedBlack}), {0 + 500, 500, 37, 100, 521, 297});
    const int32_t c = p.view.top;
    EXPECT_EQ(c, std::max(t.countLatest(500)[kEntryRed], t.countLatest(500)[kEntryBlack]));
    int best = 297;
    for (size_t i = 1; i < p.shapes.size(); ++i) best = std::min(best, std::get<ShapePolyline>(p.shapes[i]).points.back().y);
    EXPECT_EQ(best, static_cast<int>(std::nearbyint(297 - c * 297.0 / (c + 10))));
}

TEST(ChartPicture, ScrollBarChoosesTheShownSpins) {
    const SpinTally t = tallyOf(randomSpins(200, 6));
    const ChartStyle s = styleWith({ChartGroup::Dozens});
    EXPECT_EQ(drawChart(t, s, {200, 50, 0, 100, 521, 297}).view.s0, 200);   // the oldest spins
    EXPECT_EQ(drawChart(t, s, {200, 50, 100, 100, 521, 297}).view.s0, 50);  // ends with the latest
    EXPECT_EQ(drawChart(t, s, {200, 50, 50, 100, 521, 297}).view.s0, 125);
    EXPECT_EQ(drawChart(t, s, {120, 50, 100, 100, 521, 297}).view.s0, 50);
    // The vertical bar shifts every line down by the same amount.
    const ChartPicture up = drawChart(t, s, {200, 50, 100, 100, 521, 297});
    const ChartPicture down = drawChart(t, s, {200, 50, 100, 60, 521, 297});
    EXPECT_DOUBLE_EQ(up.view.off, 0.0);
    EXPECT_LT(down.view.off, 0.0);
    EXPECT_GT(std::get<ShapePolyline>(down.shapes[1]).points.back().y,
              std::get<ShapePolyline>(up.shapes[1]).points.back().y);
}

TEST(ChartPicture, ShortLinesDrawWhatTheFullLinesDraw) {
    const std::vector<int> spins = randomSpins(3000, 8);
    const SpinTally t = tallyOf(spins);
    ChartStyle s = defaultChartStyle();
    s.groups.fill(true);
    struct Case {
        int32_t m, z;
        int p1, p2, w, h;
    };
    for (const Case& c : {Case{3000, 3000, 0, 100, 521, 297}, Case{3000, 40, 30, 100, 521, 297},
                          Case{2000, 700, 100, 20, 521, 297}, Case{25, 3, 55, 0, 521, 297},
                          Case{3000, 3000, 100, 100, 40, 30}}) {
        const ChartPicture p = drawChart(t, s, {c.m, c.z, c.p1, c.p2, c.w, c.h});
        ASSERT_EQ(p.entries.size(), 61u);
        size_t total = 0;
        for (size_t i = 0; i < p.entries.size(); ++i) {
            const auto& line = std::get<ShapePolyline>(p.shapes[i + 1]).points;
            total += line.size();
            expectSameDrawing(referenceLine(spins, p.entries[i], p.view, c.h), line);
        }
        // Far fewer points than spins x entries once a pixel holds many spins.
        if (c.z >= 3000) {
            EXPECT_LT(total, 61u * 2u * (static_cast<size_t>(c.w + c.h) + 2u));
        }
    }
}

TEST(ChartLayout, FollowsTheWindow) {
    const ChartLayout l = chartLayout(685, 428);
    EXPECT_EQ(l.paintWidth, 517);
    EXPECT_EQ(l.paintHeight, 312);
    EXPECT_EQ(l.scroll1Top, 327);
    EXPECT_EQ(l.scroll2Left, 636);
}

TEST(ChartStyle, DefaultsShowEveryEntryInAVisibleColour) {
    const ChartStyle s = defaultChartStyle();
    for (int e = 1; e <= kChartEntryCount; ++e) {
        EXPECT_TRUE(s.shown[e]);
        const WinColor c = s.colour[e];
        EXPECT_LT((c & 0xFF) + ((c >> 8) & 0xFF) + ((c >> 16) & 0xFF), 3u * 230u) << e;  // not white-ish
    }
    EXPECT_EQ(s.colour[kEntryRed], winRgb(255, 0, 0));
    EXPECT_EQ(s.colour[kEntryBlack], winRgb(0, 0, 0));
}

}  // namespace
}  // namespace kv
