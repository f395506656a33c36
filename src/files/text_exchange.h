#pragma once
// Export and import of a game as plain text: one line per spin, oldest
// first, the spin number followed by one "name-amount" token per bet.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/game_state.h"
#include "files/file_status.h"
#include "files/input_file.h"

namespace kv {

// The name of a bet cell in the text form ("0", "0_3", "1d", "r", "3c",
// "4_5_7_8", ...); empty for a grid position that is no bet spot.
const std::string& betCellName(int c, int r);

// One spin line: the number and the tokens of the non-zero cells in cell
// order. Amounts in grid positions that are no bet spot have no name and
// are left out.
std::string exportLine(int32_t number, const BetGrid& bets);

FileStatus ExportGame(const GameState& game, const std::filesystem::path& path);

// The spins of an import file, oldest first, with their bets kept sparse so
// that the memory follows the size of the text.
struct ImportedGame {
    struct Bet {
        uint16_t cell;  // BetGrid index
        int32_t amount;
    };
    std::vector<uint8_t> numbers;
    std::vector<uint32_t> firstBet;  // index into bets of each spin's first bet
    std::vector<Bet> bets;

    size_t spinCount() const { return numbers.size(); }
    BetGrid grid(size_t spin) const;
};

// Reads the whole file; on any error nothing of what was read is kept.
FileStatus readImportText(InputFile& in, ImportedGame& out);
// Replaces SpinCount, SpinHistory and the bets of the history; money,
// results and CurrentBets stay.
void applyImport(GameState& game, const ImportedGame& imported);
FileStatus ImportGame(GameState& game, const std::filesystem::path& path);

}  // namespace kv
