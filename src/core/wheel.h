#pragma once
// The spin cycle: the local spin that runs the wheel and the ball onto a
// number drawn in advance, and the 100 ms timer that blinks the result, lets
// the wheel drift and clears the table. Drawing and sound are the window's;
// it is called back at every animation step.

#include <functional>

#include "core/game_state.h"

namespace kv {

struct SpinHooks {
    // One animation step: draw the wheel (ring, ball on the outer track or
    // in the pocket) and show it.
    std::function<void(bool ball, bool outer)> step;
    // Rotate mode chosen in the menu, read at every step of the first phase.
    std::function<RotateModeKind()> rotateMode;
    std::function<void()> ballRuns;   // the ball is thrown (first sound)
    std::function<void()> ballFalls;  // the ball drops into the pockets (second sound)
};

// Phase 3 turns the wheel under the standing ball until the landing pocket
// is next to the target. At some wheel speeds the steps skip the target's
// three pockets again and again (about one spin in a thousand would turn for
// a hundred steps or more, one in ten thousand for over a thousand), so
// phase 3 takes at most this many steps: about a second at the normal
// pace. The last kMaxGlideSteps of them are kept for gliding onto the
// target when the free steps have not found it.
inline constexpr int kMaxSettleSteps = 33;
inline constexpr int kMaxGlideSteps = 9;

// One local spin; returns the number it landed on (already recorded, not
// yet settled: the caller runs settleBets).
int SpinWheel(GameState& s, const SpinHooks& hooks);

struct TimerTickResult {
    bool blink = false;       // tint the WinCell with blinkColor, redraw the chips
    uint32_t blinkColor = 0;  // Windows colour value
    bool cleared = false;     // the result phase ended: the table is cleared
    bool drifted = false;     // the wheel moved one pocket (or a drift tick ran)
};

// The 100 ms timer, without the drawing.
TimerTickResult TimerTick(GameState& s);

// Rounds to the nearest integer, an exact half to the even neighbour.
int roundHalfEven(double v);

}  // namespace kv
