#pragma once
// Editing games without playing them: cutting a range of spins out of the
// history and merging the current game with a game file.

#include <cstdint>
#include <filesystem>
#include <string_view>

#include "core/game_state.h"
#include "files/file_status.h"

namespace kv {

// A Cut Game field: the digits of the text as a number (saturating at the
// largest 32-bit value), or whenEmpty when it holds no digit.
int32_t cutFieldValue(std::string_view text, int32_t whenEmpty);

// Removes spins first..last, counted from the start of the game (1 is the
// first spin, SpinCount the latest). The range is cut down to the spins
// that exist; an empty range changes nothing. Returns the number removed.
int32_t CutGame(GameState& game, int32_t first, int32_t last);

// Add Game to File: the file receives the current game as its newest part.
// The file is replaced only when the merged file is complete; the game in
// memory does not change.
FileStatus AddGameToFile(const GameState& game, const std::filesystem::path& file);

// Add File to Game: the file's spins become older than the current ones;
// the game changes only when the whole file was read.
FileStatus AddFileToGame(GameState& game, const std::filesystem::path& file);

}  // namespace kv
