#include <gtest/gtest.h>

#include "core/bets.h"
#include "core/wheel.h"

using namespace kv;

TEST(Wheel, SpinLandsOnTheNumberDrawnFirst) {
    for (uint32_t seed : {0u, 1u, 42u, 987654321u, 4000000000u}) {
        GameState s;
        s.rng.setSeed(seed);
        s.WheelAngle = 5;
        s.BallAngle = 9;
        Generator peek(seed);
        const int target = RandNum(peek, s.RandomDepth);
        int steps = 0;
        bool ranSound = false, fellSound = false;
        SpinHooks hooks;
        hooks.step = [&](bool, bool) { ++steps; };
        hooks.ballRuns = [&] { ranSound = true; };
        hooks.ballFalls = [&] { fellSound = true; };
        const int n = SpinWheel(s, hooks);
        EXPECT_EQ(n, NumberAtWheelPosition(target + 1)) << seed;
        EXPECT_EQ(s.ResultTicks, 50);
        EXPECT_GE(s.DriftTicks, 30);
        EXPECT_GE(steps, 25 + 40 + 1);
        EXPECT_TRUE(ranSound && fellSound);
    }
}

TEST(Wheel, TimerBlinksThenClearsAndDriftKeepsThePocket) {
    GameState s;
    s.CurrentBets.at(11, 8) = 10;
    s.Bet = 10;
    s.Win = 20;
    s.ResultTicks = 50;
    s.DriftTicks = 30;
    s.WheelAngle = 3;
    s.BallAngle = 4;
    s.normalizeWheel();
    const int pocket = s.BallPocket;
    int ticks = 0;
    TimerTickResult r;
    do {
        r = TimerTick(s);
        ++ticks;
        EXPECT_EQ(s.BallPocket, pocket);
        if (ticks <= 2) {
            EXPECT_EQ(r.blinkColor, ticks == 1 ? 0x00FF00u : 0xFF00FFu);
        }
    } while (!r.cleared);
    EXPECT_EQ(ticks, 50);
    EXPECT_TRUE(s.CurrentBets.empty());
    EXPECT_EQ(s.Bet, 0);
    EXPECT_EQ(s.DriftTicks, 0);
}

TEST(Wheel, DontRotateEndsBothPhasesOnTheSecondTick) {
    GameState s;
    s.RotateMode = RotateModeKind::DontRotate;
    s.CurrentBets.at(11, 8) = 10;
    s.ResultTicks = 50;
    s.DriftTicks = 40;
    s.normalizeWheel();
    const int wheel = s.WheelAngle;
    EXPECT_FALSE(TimerTick(s).cleared);
    EXPECT_TRUE(TimerTick(s).cleared);
    EXPECT_EQ(s.DriftTicks, 0);
    EXPECT_EQ(s.WheelAngle, mod37(wheel + 1)) << "drifts one pocket only";
}

TEST(Wheel, RoundingGoesHalfToEven) {
    EXPECT_EQ(roundHalfEven(2.5), 2);
    EXPECT_EQ(roundHalfEven(3.5), 4);
    EXPECT_EQ(roundHalfEven(-0.5), 0);
}
