#include "core/wheel.h"

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
    const double sw = (s.rng.RandomFloat() + 1.0) * 2.0;
    const double sb = (s.rng.RandomFloat() + 1.0) * 2.0;
    double aw = 0;
    double ab = 0;

    const int phase1 = s.rng.Random(20) + 25;
    for (int i = 0; i < phase1; ++i) {
        aw += sw;
        const int k = roundHalfEven(aw);
        aw -= k;
        s.WheelAngle += k;
        s.normalizeWheel();
        if (hooks.step) hooks.step(false, false);
        if (hooks.rotateMode) s.RotateMode = hooks.rotateMode();
    }
    if (hooks.ballRuns) hooks.ballRuns();

    const int phase2 = s.rng.Random(40) + 40;
    for (int i = 0; i < phase2; ++i) {
        aw += sw;
        ab += sb;
        const int kw = roundHalfEven(aw);
        const int kb = roundHalfEven(ab);
        aw -= kw;
        ab -= kb;
        s.WheelAngle += kw;
        s.PrevBallAngle = s.BallAngle;
        s.BallAngle += kb;
        s.normalizeWheel();
        if (hooks.step) hooks.step(true, true);
    }
    if (hooks.ballFalls) hooks.ballFalls();

    for (int i = 0; i < kMaxSettleSteps && !nearTarget(s.BallPocket - 1, target); ++i) {
        aw += sw;
        const int kw = roundHalfEven(aw);
        aw -= kw;
        s.WheelAngle += kw;
        s.PrevBallAngle = s.BallAngle;
        s.normalizeWheel();
        if (hooks.step) hooks.step(true, false);
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
    s.RotateMode = RotateModeKind::Normal;
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
    s.RotateMode = m;
    return out;
}

}  // namespace kv
