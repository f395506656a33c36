#pragma once
// The game file (.gma): Balance, Credit, the spin count and at least ten
// records of three lines (spin number, bet line, result), read into a
// GameData aside and handed to the game only when the whole file was read.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <vector>

#include "core/game_state.h"
#include "files/file_status.h"
#include "files/input_file.h"
#include "files/output_file.h"

namespace kv {

// Position k of the three per-spin lists: SpinHistory[k] and its bets
// (newest first) beside ResultHistory[k] (oldest first), as the files pair
// them.
struct SpinRecord {
    int32_t number = 0;
    BetGrid bets;
    int32_t result = 0;
    bool operator==(const SpinRecord&) const = default;
};

// The three lines before the records.
struct GameHeader {
    int32_t Balance = 0;
    int32_t Credit = 0;
    int32_t SpinCount = 0;
};

// A history read aside, packed as the game keeps it (a spin without bets
// costs a few bytes): the positions 1.. of `spins`, and results[k] for
// ResultHistory[k] (results[0] unused). GameState::replaceHistory takes it.
struct HistoryAside {
    SpinStore spins{kMaxHistorySpins + 12};  // every position a file may hold
    std::vector<int32_t> results{0};
    int32_t positions() const { return static_cast<int32_t>(results.size()) - 1; }
    void add(const SpinRecord& r);  // the next position
};

struct GameData : GameHeader {
    std::vector<SpinRecord> records;  // records[k - 1] is record k
};

// A game file holds max(N, 10) records; the ones past N are filler.
int32_t gmaRecordCount(int32_t spinCount);

enum class RecordsToRead {
    All,        // Open Game: every record, filler included, and the money lines
    SpinsOnly,  // the merge commands: the money lines are skipped, filler is not read
};

// The file record by record, for readers that keep less than the whole
// game: onRecord(k, record) gets record k (1-based) as soon as it is read,
// after `header` is filled. Checks everything readGameFile checks; on a
// failure the records already handed over were valid.
FileStatus readGameRecords(InputFile& in, GameHeader& header,
                           const std::function<void(int32_t, const SpinRecord&)>& onRecord,
                           RecordsToRead what = RecordsToRead::All);

FileStatus readGameFile(InputFile& in, GameData& out, RecordsToRead what = RecordsToRead::All);
FileStatus readGameFile(const std::filesystem::path& path, GameData& out,
                        RecordsToRead what = RecordsToRead::All);

// One record: three lines. Used by the reader and by Add Game to File.
FileStatus readSpinRecord(InputFile& in, SpinRecord& out);
void writeSpinRecord(OutputFile& out, int32_t number, const BetGrid& bets, int32_t result);

FileStatus writeGameFile(const std::filesystem::path& path, const GameState& game);

// Open Game: replaces Balance, Credit, the count and the records' positions;
// CurrentBets, the settings and the wheel stay.
void applyGame(GameState& game, const GameData& data);
// Writes records into positions first, first + 1, ... of the three lists.
void storeRecords(GameState& game, int32_t first, const SpinRecord* records, size_t count);

// Save Game and Open Game as the File menu runs them.
FileStatus SaveGame(const GameState& game, const std::filesystem::path& path);
FileStatus OpenGame(GameState& game, const std::filesystem::path& path);

}  // namespace kv
