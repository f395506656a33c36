#pragma once
// Import Numbers: a plain list of numbers (a casino's board, a wheel logged
// by hand) appended to the current game as spins on which nothing was bet,
// so that the analysis windows can study it. The money does not move.

#include <cstdint>
#include <filesystem>
#include <span>

#include "core/game_state.h"
#include "files/file_status.h"

namespace kv {

// One list may add at most this many spins (see kMaxSpinsAddedAtOnce); a
// longer one is refused whole. That is years of play at one wheel.
inline constexpr int32_t kMaxImportedNumbers = kMaxSpinsAddedAtOnce;

// Appends the numbers, oldest first, as the newest spins: each without bets
// (the chips on the table stay there, unplayed) and with the money as it
// stands (Balance + Credit) as its result. Credit and Balance do not change.
void appendSpinsWithoutBets(GameState& game, std::span<const uint8_t> numbers);

// Reads the list (see number_list.h) and appends it. A list with a bad line,
// an empty one or one over the limit is refused as a whole and the game is
// left as it was; the status then holds the message to show.
FileStatus ImportNumbers(GameState& game, const std::filesystem::path& file);

}  // namespace kv
