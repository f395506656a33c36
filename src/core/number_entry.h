#pragma once
// Numbers typed from a real or online casino: reading them out of text and
// playing them, one after the other, against the bets on the table.

#include <string>
#include <string_view>
#include <vector>

#include "core/game_state.h"

namespace kv {

struct ParsedNumbers {
    std::vector<int> numbers;  // 0..36 in the order typed
    std::string error;         // non-empty: nothing may be played
    bool ok() const { return error.empty(); }
};

// Every run of decimal digits is a number; any other character (and a line
// end) ends a run. Values above 36 are skipped. A run too long for a 32-bit
// integer fails the whole text with "'<run>' is not a valid integer value".
ParsedNumbers parseTypedNumbers(std::string_view text);

// The standard conversion error text.
std::string invalidIntegerText(std::string_view s);

// Plays one typed number: sets the ball onto it, records it with the bets on
// the table and settles. Does not wait for the result phase.
void playTypedNumber(GameState& s, int n);

}  // namespace kv
