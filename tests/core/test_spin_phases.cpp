// The third phase of a spin, where the wheel turns under the fallen ball
// until the drawn number comes under it: it ends within about a second at
// the normal pace (30 ms a step) whatever the seed, moves like a turning
// wheel, and leaves the result and every later draw as they were.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/wheel.h"

namespace {

using namespace kv;

struct SpinTrace {
    int result = 0;
    int settleSteps = 0;               // phase-3 steps, without the final placing step
    bool ballStill = true;             // the ball never moved during phase 3
    bool wheelTurnsLikeAWheel = true;  // every phase-3 step turned 1..4 pockets forward
    int lastDrawnPocket = 0;           // BallPocket at the last drawn step
};

SpinTrace spin(GameState& s) {
    SpinTrace t;
    // The wheel and ball after the last outer step, then at each pocket step.
    std::vector<std::pair<int, int>> settle;
    SpinHooks hooks;
    hooks.step = [&](bool ball, bool outer) {
        if (ball && !outer) settle.emplace_back(s.WheelAngle, s.BallAngle);
        t.lastDrawnPocket = s.BallPocket;
    };
    hooks.ballFalls = [&] { settle.emplace_back(s.WheelAngle, s.BallAngle); };
    t.result = SpinWheel(s, hooks);
    t.settleSteps = static_cast<int>(settle.size()) - 2;
    for (size_t i = 1; i <= static_cast<size_t>(t.settleSteps); ++i) {
        const int turned = mod37(settle[i].first - settle[i - 1].first);
        t.ballStill = t.ballStill && settle[i].second == settle[0].second;
        t.wheelTurnsLikeAWheel = t.wheelTurnsLikeAWheel && turned >= 1 && turned <= 4;
    }
    return t;
}

TEST(SpinPhases, SettlingEndsWithinASecondAndLandsOnTheDrawnNumber) {
    struct Case {
        uint32_t seed;
        int startPocket;  // WheelAngle + BallAngle before the spin
    };
    std::vector<Case> cases;
    // 30205 turned for about 30 s from several start positions (8, 19, 30 and
    // 34 never found the target); every start position is tried with it.
    for (int p = 0; p < 37; ++p) cases.push_back({30205u, p});
    for (uint32_t seed = 1; seed <= 8000; ++seed)
        cases.push_back({seed * 2654435761u, static_cast<int>(seed % 37)});

    int longest = 0;
    for (const Case& c : cases) {
        GameState s;
        s.rng.setSeed(c.seed);
        s.WheelAngle = c.startPocket;
        s.BallAngle = 0;
        s.normalizeWheel();
        // The same draws in the same order as always: the number first, then
        // the speeds and phase lengths, then the drift after the result.
        Generator expected(c.seed);
        const int target = RandNum(expected, s.RandomDepth);
        expected.RandomFloat();
        expected.RandomFloat();
        expected.Random(20);
        expected.Random(40);
        const int drift = expected.Random(25) + 30;

        const SpinTrace t = spin(s);
        SCOPED_TRACE("seed " + std::to_string(c.seed) + " from pocket " + std::to_string(c.startPocket));
        ASSERT_LE(t.settleSteps, 33);  // 33 steps of 30 ms: about a second
        ASSERT_TRUE(t.ballStill && t.wheelTurnsLikeAWheel);
        ASSERT_EQ(t.result, NumberAtWheelPosition(target + 1));
        ASSERT_EQ(t.lastDrawnPocket, target + 1);
        ASSERT_EQ(NumberAtWheelPosition(s.BallPocket), t.result);
        ASSERT_EQ(s.SpinHistory(1), t.result);
        ASSERT_EQ(s.DriftTicks, drift);
        ASSERT_EQ(s.rng.seed(), expected.seed());
        longest = std::max(longest, t.settleSteps);
    }
    // Some of these spins needed the whole allowance: the bound was reached,
    // not merely never approached.
    EXPECT_GE(longest, 30);
}

}  // namespace
