#pragma once
// One run of "CALC" without the window: the advice of every enabled
// category turned into the clicks that put its chips on the main table.
//
// The window runs it as
//
//     if (settings.randomPlay) RandomPlay(settings, state.rng);   // then show the new values
//     for (const TableClick& c : planCalculate(settings, state).clicks)
//         pressTable(, c.button, {}, c.point.x, c.point.y);
//
// and then repaints the compact windows that are shown. Every chip goes
// through the table's own click handler, so its limits, the free credit and
// the chip value decide what actually lands; a refused chip is simply not
// placed. The last click, at (10, 10), hits no spot and makes the table
// recount and redraw its bets.

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "calculate/advisor.h"
#include "calculate/calculate_settings.h"
#include "core/bets.h"
#include "core/game_state.h"
#include "core/generator.h"
#include "core/table_geometry.h"

namespace kv {

struct TableClick {
    TablePoint point;
    MouseButton button = MouseButton::Left;
    bool operator==(const TableClick&) const = default;
};

// The closing click: a point outside every spot, the wheel and the controls.
inline constexpr TablePoint kCalculateFinalClick{10, 10};

// How one category was decided.
struct CategoryPlan {
    bool evaluated = false;  // its check box was on
    int32_t misses = 0;
    bool inverted = false;           // misses reached E: bets on what came too often
    int advice = 0;                  // even chances: the class advised at position 1
    std::vector<TablePoint> points;  // its chips, one point per chip
};

struct CalculatePlan {
    std::array<CategoryPlan, 7> categories;  // k = 1..6
    // Every chip of every category in order Red/Black .. Numbers, then the
    // final click at (10, 10).
    std::vector<TableClick> clicks;
};

// Points of one category's chips after its evaluation at position 1.
// Even chances: one chip on the advised side (the other side when
// inverted). Dozens and columns: one chip on every class flagged 1 (2 when
// inverted). Numbers: PlaceNumberGroups over the numbers flagged 1 (2).
std::vector<TablePoint> categoryPlacement(const Advisor& advisor, int k, bool inverted);

// Steps 2..4 of a run: reads E, N and f from the settings, evaluates every
// enabled category (miss count, then the advice at position 1), collects
// the chips and closes with the click at (10, 10).
CalculatePlan planCalculate(const AdvisorParams& params, std::span<const int32_t> history);
CalculatePlan planCalculate(const CalculateSettings& settings, const GameState& state);

// "Random Play": before a run, "Errors" becomes a random 0..10, every
// slider a random 1..100 (kept at most 99) with its value label, and
// "Downturn Factor" a random real in [0.01, 1.01) in text that
// ParseFieldReal reads back. Draws in that order from the program's
// generator.
void RandomPlay(CalculateSettings& settings, Generator& rng, char decimalSeparator = '.');

}  // namespace kv
