#pragma once
// What happens to money: placing and removing chips under the table limits,
// the chip selector, clear, repeat and double, and settlement of the bets
// against the number under the ball.

#include <optional>
#include <string>

#include "core/game_state.h"
#include "core/table_geometry.h"

namespace kv {

int32_t cellMin(const GameState& s, BetCell cell);
int32_t cellMax(const GameState& s, BetCell cell);

// Amount limited by the cell's class: above max gives max, below min gives 0.
int32_t ClampToLimits(const GameState& s, BetCell cell, int64_t amount);

// One chip on the spot at table point (x, y); clears the shown win first.
void placeChipAt(GameState& s, int x, int y);
// One chip on a given cell (the rules of placeChipAt after the hit test).
void placeChip(GameState& s, BetCell cell);
void RemoveBet(GameState& s, BetCell cell);
// Steps ChipValue up (x >= 352) or down.
void SelectChip(GameState& s, int x);
void ClearBets(GameState& s);
void RepeatBets(GameState& s);
void DoubleBets(GameState& s);

// The first cell of a grid that play could never have filled: a negative
// amount, or an amount on a grid position that is no bet spot. A grid read
// from a file must have none: settled, such an amount pays the player
// (a negative stake raises Credit when it loses), and "R" would put it back
// on the table. Index into BetGrid::v, or nullopt for a sound grid.
std::optional<int> unplayableBetCell(const BetGrid& bets);
// Why that cell is refused, for the reader's message: "-1000 on 17" or
// "7 beside the bet spots (column 2, row 6)".
std::string unplayableBetText(const BetGrid& bets, int index);

// Gross return of bets against result n (stake included).
int64_t grossWin(const BetGrid& bets, int n);
// Settles CurrentBets against the number under the ball; SpinCount must
// already count the new spin.
void settleBets(GameState& s);

enum class MouseButton { Left, Right, Middle };

struct TableClickResult {
    bool handled = false;         // false: the click only shortened the result phase
    bool wheelHit = false;        // a left click inside the wheel circle: the window plays
    std::optional<BetCell> cell;  // the spot to highlight
};

// The table's mouse-down rules, except what the wheel does: shortens the
// result and drift phases, dispatches to the bet operations and controls.
// The caller plays when wheelHit is set, then calls finishTableClick.
TableClickResult tableMouseDown(GameState& s, MouseButton button, int x, int y);
// Recounts Bet after a handled click (and after whatever the wheel did).
inline void finishTableClick(GameState& s) { s.Bet = s.CurrentBets.sum(); }

}  // namespace kv
