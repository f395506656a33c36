#include <gtest/gtest.h>

#include <array>

#include "core/generator.h"

using namespace kv;

TEST(Generator, KnownSequenceFromSeedZero) {
    Generator g(0);
    const std::array<int, 4> want = {0, 1, 31, 7};
    const std::array<uint32_t, 4> seeds = {1u, 134775814u, 3698175007u, 870078620u};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(g.Random(37), want[i]);
        EXPECT_EQ(g.seed(), seeds[i]);
    }
    Generator f(0);
    EXPECT_DOUBLE_EQ(f.RandomFloat(), 1.0 / 4294967296.0);
}

TEST(Generator, RandNumConsumesDepthPlusOneDraws) {
    // Depth 1: two draws, always the first.
    Generator a(12345), b(12345);
    const int first = b.Random(37);
    b.Random(1);
    EXPECT_EQ(RandNum(a, 1), first);
    EXPECT_EQ(a.seed(), b.seed());

    // Depth 5: six draws, one of the five.
    Generator c(777), d(777);
    std::array<int, 5> vals{};
    for (int& v : vals) v = d.Random(37);
    const int pick = d.Random(5);
    EXPECT_EQ(RandNum(c, 5), vals[pick]);
    EXPECT_EQ(c.seed(), d.seed());
}

TEST(Generator, DepthOutsideRangeIsClampedAndResultsStayInRange) {
    EXPECT_EQ(clampRandomDepth(0), 1);
    EXPECT_EQ(clampRandomDepth(51), 50);
    EXPECT_EQ(clampRandomDepth(3'000'000'000LL), 50);
    Generator g(1);
    std::array<int, 37> seen{};
    for (int i = 0; i < 37 * 200; ++i) {
        const int n = RandNum(g, i % 60 - 5);
        ASSERT_GE(n, 0);
        ASSERT_LE(n, 36);
        ++seen[n];
    }
    for (int n = 0; n < 37; ++n) EXPECT_GT(seen[n], 100) << n;
}
