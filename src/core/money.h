#pragma once
// Moving money between the player's pocket and the table: the menu commands
// "Get Money / -" and "Put Money / +" and the buttons of the Balance window.
// None of them changes Balance + Credit; only settlement does.

#include <cstdint>

#include "core/game_state.h"

namespace kv {

// "Get Money / -": takes InputCredits off the table, or everything not bet
// when less is free, then records Balance + Credit for the current spin.
void takeInputCredits(GameState& s);
// "Put Money / +": puts InputCredits on the table.
void putInputCredits(GameState& s);
// Balance window, "Get Money": takes `amount`, or everything not bet.
void balanceGetMoney(GameState& s, int32_t amount);
// Balance window, "Put Money".
void balancePutMoney(GameState& s, int32_t amount);

}  // namespace kv
