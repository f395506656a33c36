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

TEST(SpinAmount, DigitsOnlyAndAllSpinsForZeroOrTooMany) {
    EXPECT_EQ(parseSpinAmount("12a3", 500), 123);
    EXPECT_EQ(parseSpinAmount("0", 40), 40);
    EXPECT_EQ(parseSpinAmount("500", 40), 40);
    EXPECT_EQ(parseSpinAmount("-7", 40), 7);
    // Beyond 32 bits: all spins, never a wrapped value (2^32 + 39 would wrap
    // to 39) nor an error.
    EXPECT_EQ(parseSpinAmount("4294967335", 100), 100);
    EXPECT_EQ(parseSpinAmount("99999999999999999999999999", 100), 100);
    EXPECT_EQ(parseSpinAmount("5", 0), 0);
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

    // Rewriting a number with the count unchanged is noticed.
    s.setSpinHistory(1, 5);
    t.sync(s);
    EXPECT_EQ(t.number(1), 5);
    EXPECT_EQ(t.numbersRead(), 102u);
    // A cut, a game replaced by a copy of another, a new game: all noticed.
    s.addToSpinCount(-3);
    t.sync(s);
    EXPECT_EQ(t.spinCount(), 48);
    GameState other;
    for (int n : randomSpins(50, 9)) other.RecordSpin(n);
    s = other;
    t.sync(s);
    const SpinTally fresh = [&] {
        SpinTally f;
        f.sync(other);
        return f;
    }();
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
    EXPECT_EQ(zoomOut(1, 100), 2);
    EXPECT_EQ(zoomOut(60, 100), 100);
    EXPECT_EQ(zoomOut(2000000000, 2100000000), 2100000000);  // no overflow
    // The drawing limits the span further to the spins taken into account.
    const SpinTally t = tallyOf(randomSpins(100, 1));
    const ChartPicture p = drawChart(t, styleWith({ChartGroup::Dozens}), {30, 100, 0, 100, 521, 297});
    EXPECT_EQ(p.view.spinsCounted, 30);
    EXPECT_EQ(p.view.span, 30);
    // A span of 0 (set before the first spin) draws as 1 instead of dividing by 0.
    EXPECT_EQ(drawChart(t, styleWith({ChartGroup::Dozens}), {30, 0, 0, 100, 521, 297}).view.span, 1);
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
    for (size_t i = 1; i < p.shapes.size(); ++i)
        best = std::min(best, std::get<ShapePolyline>(p.shapes[i]).points.back().y);
    EXPECT_EQ(best, static_cast<int>(std::nearbyint(297 - c * 297.0 / (c + 10))));
}

TEST(ChartPicture, ScrollBarChoosesTheShownSpins) {
    const SpinTally t = tallyOf(randomSpins(200, 6));
    const ChartStyle s = styleWith({ChartGroup::Dozens});
    EXPECT_EQ(drawChart(t, s, {200, 50, 0, 100, 521, 297}).view.firstPosition, 200);   // the oldest spins
    EXPECT_EQ(drawChart(t, s, {200, 50, 100, 100, 521, 297}).view.firstPosition, 50);  // ends with the latest
    EXPECT_EQ(drawChart(t, s, {200, 50, 50, 100, 521, 297}).view.firstPosition, 125);
    // The vertical bar shifts every line down by the same amount.
    const ChartPicture up = drawChart(t, s, {200, 50, 100, 100, 521, 297});
    const ChartPicture down = drawChart(t, s, {200, 50, 100, 60, 521, 297});
    EXPECT_DOUBLE_EQ(up.view.shift, 0.0);
    EXPECT_LT(down.view.shift, 0.0);
    EXPECT_GT(std::get<ShapePolyline>(down.shapes[1]).points.back().y,
              std::get<ShapePolyline>(up.shapes[1]).points.back().y);
}

TEST(ChartPicture, LongGamesDrawFewPointsPerPixel) {
    const SpinTally t = tallyOf(randomSpins(3000, 8));
    ChartStyle s = defaultChartStyle();
    s.groups.fill(true);
    const ChartPicture p = drawChart(t, s, {3000, 3000, 100, 100, 521, 297});
    ASSERT_EQ(p.entries.size(), 61u);
    for (size_t i = 0; i < p.entries.size(); ++i) {
        const auto& line = std::get<ShapePolyline>(p.shapes[i + 1]).points;
        EXPECT_EQ(line.front(), (PicturePoint{0, 297}));
        EXPECT_EQ(line.back().x, 521);
        EXPECT_LT(line.size(), 2u * (521u + 297u + 2u)) << p.entries[i];
    }
}

}  // namespace
}  // namespace kv
