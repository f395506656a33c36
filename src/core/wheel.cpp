#include "core/wheel.h"

#include <algorithm>
#include <cmath>

namespace kv {

int roundHalfEven(double v) { return static_cast<int>(std::nearbyint(v)); }

namespace {

bool nearTarget(int pocket0, int target) {
    const int d = mod37(pocket0 - target);
    return d == 0 || d == 1 || d == 36;
}

}  // namespace

int SpinWheel(GameState& s, const SpinHooks& hooks) {
    const int target = s.RandNum();
    const double wheelSpeed = (s.rng.RandomFloat() + 1.0) * 2.0;
    const double ballSpeed = (s.rng.RandomFloat() + 1.0) * 2.0;
    double wheelCarry = 0;
    double ballCarry = 0;

    const int phase1 = s.rng.Random(20) + 25;
    for (int i = 0; i < phase1; ++i) {
        wheelCarry += wheelSpeed;
        const int k = roundHalfEven(wheelCarry);
        wheelCarry -= k;
        s.WheelAngle += k;
        s.normalizeWheel();
        if (hooks.step) hooks.step(false, false);
        if (hooks.rotateMode) s.RotateMode = hooks.rotateMode();
    }
    if (hooks.ballRuns) hooks.ballRuns();

    const int phase2 = s.rng.Random(40) + 40;
    for (int i = 0; i < phase2; ++i) {
        wheelCarry += wheelSpeed;
        ballCarry += ballSpeed;
        const int wheelStep = roundHalfEven(wheelCarry);
        const int ballStep = roundHalfEven(ballCarry);
        wheelCarry -= wheelStep;
        ballCarry -= ballStep;
        s.WheelAngle += wheelStep;
        s.PrevBallAngle = s.BallAngle;
        s.BallAngle += ballStep;
        s.normalizeWheel();
        if (hooks.step) hooks.step(true, true);
    }
    if (hooks.ballFalls) hooks.ballFalls();

    auto turnWheel = [&](int pockets) {
        s.WheelAngle += pockets;
        s.PrevBallAngle = s.BallAngle;
        s.normalizeWheel();
        if (hooks.step) hooks.step(true, false);
    };
    constexpr int kFreeSteps = kMaxSettleSteps - kMaxGlideSteps;
    for (int i = 0; i < kFreeSteps && !nearTarget(s.BallPocket - 1, target); ++i) {
        wheelCarry += wheelSpeed;
        const int wheelStep = roundHalfEven(wheelCarry);
        wheelCarry -= wheelStep;
        turnWheel(wheelStep);
    }
    if (!nearTarget(s.BallPocket - 1, target)) {
        // The wheel still turns forward, at its own speed where the glide
        // steps allow it and never faster than the fastest wheel (4 pockets a
        // step), and stops with the target under the ball.
        const int distance = mod37(static_cast<int64_t>(target) - (s.BallPocket - 1));
        const int steps = std::min(kMaxGlideSteps, static_cast<int>(std::ceil(distance / wheelSpeed)));
        int turned = 0;
        for (int i = 1; i <= steps; ++i) {
            const int upTo = roundHalfEven(static_cast<double>(distance) * i / steps);
            turnWheel(upTo - turned);
            turned = upTo;
        }
    }

    s.PrevBallAngle = s.BallAngle;
    s.BallAngle = mod37(static_cast<int64_t>(target) - s.WheelAngle);
    s.normalizeWheel();
    if (hooks.step) hooks.step(true, false);

    s.DriftTicks = s.rng.Random(25) + 30;
    const int n = s.ballNumber();
    s.RecordSpin(n);
    s.ResultTicks = 50;
    s.WinCell = winCellFor(n);
    return n;
}

TimerTickResult TimerTick(GameState& s) {
    TimerTickResult out;
    const RotateModeKind m = s.RotateMode;
    if (s.ResultTicks > 0) {
        out.blink = true;
        out.blinkColor = s.ResultTicks % 2 == 0 ? 0x00FF00 : 0xFF00FF;
        s.ResultTicks -= 1;
        if (m == RotateModeKind::DontRotate && s.ResultTicks >= 2) s.ResultTicks = 1;
        if (s.ResultTicks == 0) {
            s.Bet = 0;
            s.Win = 0;
            s.CurrentBets.clear();
            out.cleared = true;
        }
    }
    if (s.DriftTicks > 0) {
        if (s.DriftTicks >= 15 || s.DriftTicks % 2 == 0) {
            s.WheelAngle += 1;
            s.BallAngle -= 1;
        }
        s.DriftTicks -= 1;
        if (m == RotateModeKind::DontRotate && s.DriftTicks >= 2) s.DriftTicks = 1;
        s.normalizeWheel();
        out.drifted = true;
    }
    return out;
}

}  // namespace kv
