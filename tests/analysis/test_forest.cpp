#include <gtest/gtest.h>

#include <algorithm>

#include "analysis/chart_tally.h"
#include "analysis/forest_digit_font.h"
#include "analysis/forest_picture.h"

namespace kv {
namespace {

SpinTally tallyOf(const std::vector<int>& newestFirst) {
    SpinTally t;
    t.assignNewestFirst(newestFirst);
    return t;
}

const ShapeText* textAt(const Picture& p, int x, int y) {
    for (const Shape& s : p)
        if (const auto* t = std::get_if<ShapeText>(&s); t && t->x == x && t->y == y) return t;
    return nullptr;
}

TEST(ForestThresholds, HotThresholdIsTheKthLargestCount) {
    const std::vector<int32_t> c{2, 5, 5, 3, 0};
    EXPECT_EQ(hotThreshold(c, 0), 5);
    EXPECT_EQ(hotThreshold(c, 2), 5);  // equal counts count separately
    EXPECT_EQ(hotThreshold(c, 3), 3);
    EXPECT_EQ(hotThreshold(c, 5), 0);
}

TEST(ForestNumbers, BaffleZeroAndOneMarkOnlyTheTopCount) {
    // Newest first: 5 three times, 17 twice, 0 and 32 once.
    const SpinTally t = tallyOf({5, 5, 17, 0, 5, 17, 32});
    for (int k : {0, 1}) {
        const ForestPicture f = drawForest(t, {7, ForestMode::Numbers, k, 553, 325});
        ASSERT_EQ(f.bars.size(), 37u);
        EXPECT_EQ(f.hotThreshold, 3);
        for (const ForestBar& b : f.bars) EXPECT_EQ(b.hot, b.entry == 1 + 5) << b.entry;
        // The threshold line lies 3 pixels below the top of the highest bar.
        const ShapeLine* line = nullptr;
        for (const Shape& s : f.shapes)
            if (const auto* l = std::get_if<ShapeLine>(&s)) line = l;
        ASSERT_NE(line, nullptr);
        EXPECT_EQ(line->from.y, f.bars[5].top + 3);
        // 33 numbers are unseen; with these baffles no last value is pink.
        for (const ForestBar& b : f.bars) EXPECT_FALSE(b.lastOnPink);
        EXPECT_EQ(f.memo1, "5");
        EXPECT_EQ(f.memo2, "");
    }
    const ForestPicture f = drawForest(t, {7, ForestMode::Numbers, 1, 553, 325});
    EXPECT_EQ(f.bars[5].count, 3);
    EXPECT_EQ(f.bars[5].last, 0);
    EXPECT_EQ(f.bars[32].last, 6);
}

TEST(ForestNumbers, UnseenNumbersShowXAndRankAsSmallestLast) {
    // Every number but 0 once; 1 is the latest spin.
    std::vector<int> spins;
    for (int n = 1; n <= 36; ++n) spins.push_back(n);
    const SpinTally t = tallyOf(spins);
    ForestPicture f = drawForest(t, {36, ForestMode::Numbers, 1, 553, 325});
    EXPECT_EQ(f.bars[0].last, -1);
    EXPECT_EQ(textAt(f.shapes, 30, 325 - 15)->text, "X");
    EXPECT_EQ(f.lastThreshold, 0);
    EXPECT_TRUE(f.bars[0].lastOnPink);
    EXPECT_FALSE(f.bars[1].lastOnPink);
    std::string all;
    for (int n = 1; n <= 36; ++n) all += (n > 1 ? ", " : "") + std::to_string(n);
    EXPECT_EQ(f.memo1, all);

    f = drawForest(t, {36, ForestMode::Numbers, 3, 553, 325});
    EXPECT_EQ(f.lastThreshold, 2);  // -1, 0, 1, then 2
    EXPECT_TRUE(f.bars[2].lastOnPink);
    EXPECT_FALSE(f.bars[3].lastOnPink);
    EXPECT_EQ(f.memo1.substr(0, 7), "3, 4, 5");
    EXPECT_EQ(f.memo2, "0");
}

TEST(ForestNumbers, SpinAmountLimitsTheCountedSpins) {
    const SpinTally t = tallyOf({5, 17, 17, 17, 5});
    const ForestPicture f = drawForest(t, {2, ForestMode::Numbers, 1, 553, 325});
    EXPECT_EQ(f.bars[5].count, 1);
    EXPECT_EQ(f.bars[17].last, 1);
    EXPECT_EQ(f.bars[5].last, 0);
    const ForestPicture g = drawForest(t, {1, ForestMode::Numbers, 1, 553, 325});
    EXPECT_EQ(g.bars[17].last, -1);  // came, but not among the latest spin
    EXPECT_TRUE(drawForest(SpinTally(), {0, ForestMode::Numbers, 1, 553, 325}).shapes.empty());
}

TEST(ForestStreets, ZeroBelongsToNoStreetAndBaffleIsClamped) {
    const SpinTally zeros = tallyOf({0, 0, 0});
    ForestPicture f = drawForest(zeros, {3, ForestMode::Streets, 1, 553, 325});
    ASSERT_EQ(f.bars.size(), 12u);
    EXPECT_DOUBLE_EQ(f.scale, 1.0);
    for (const ForestBar& b : f.bars) {
        EXPECT_EQ(b.count, 0);
        EXPECT_EQ(b.last, -1);
    }
    const SpinTally t = tallyOf({1, 4, 7, 10, 13, 16, 19, 22, 25, 28, 31, 34, 1});
    f = drawForest(t, {13, ForestMode::Streets, 99, 553, 325});
    EXPECT_EQ(f.hotThreshold, 1);  // baffle 11: the 11th largest of 2,1,...,1
    EXPECT_EQ(textAt(f.shapes, 45, 325 - 21)->text, "0");
    EXPECT_TRUE(f.memo1.empty());  // lists belong to Numbers mode
}

TEST(ForestChances, EqualPairsAreBothCold) {
    // Newest first: 2 (black, even, low), 1 (red, odd, low).
    const SpinTally t = tallyOf({2, 1});
    const ForestPicture f = drawForest(t, {2, ForestMode::Chances, 0, 553, 325});
    ASSERT_EQ(f.bars.size(), 6u);
    EXPECT_FALSE(f.bars[0].hot);  // red 1 = black 1
    EXPECT_FALSE(f.bars[1].hot);
    EXPECT_FALSE(f.bars[2].hot);  // odd 1 = even 1
    EXPECT_FALSE(f.bars[3].hot);
    EXPECT_TRUE(f.bars[4].hot);  // low 2 > high 0
    EXPECT_FALSE(f.bars[5].hot);
    EXPECT_TRUE(f.bars[1].lastOnPink);  // black came last: 0 < 1
    EXPECT_FALSE(f.bars[0].lastOnPink);
    EXPECT_FALSE(f.bars[4].lastOnPink);  // 0 < -1 is false
    EXPECT_TRUE(f.bars[5].lastOnPink);   // high never came: -1 < 0
    for (const Shape& s : f.shapes) EXPECT_FALSE(std::holds_alternative<ShapeLine>(s));
}

TEST(ForestDozens, CountAtTheRoundedAverageIsCold) {
    // Dozen counts 2, 1, 0: average 1, so dozen 2 is cold; columns 1, 2, 0.
    const SpinTally t = tallyOf({1, 14, 2, 0});
    const ForestPicture f = drawForest(t, {4, ForestMode::DozensColumns, 0, 553, 325});
    EXPECT_TRUE(f.bars[0].hot);
    EXPECT_FALSE(f.bars[1].hot);
    EXPECT_FALSE(f.bars[2].hot);
    EXPECT_FALSE(f.bars[3].hot);  // 1 > Round(1) is false
    // Dozen lasts 0, 1, -1: Round(0/3) = 0, so the last values 0 and -1 are pink.
    EXPECT_TRUE(f.bars[0].lastOnPink);
    EXPECT_FALSE(f.bars[1].lastOnPink);
    EXPECT_TRUE(f.bars[2].lastOnPink);
}

}  // namespace
}  // namespace kv
