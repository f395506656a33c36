#pragma once
// info.ini: the settings record and the whole last game. A fixed sequence
// of text lines, the marker "########", then three blocks of little-endian
// 32-bit integers (spin numbers, bet grids, results) that start inside the
// marker line, right after its first 4-byte-aligned "####".

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "core/game_state.h"
#include "files/file_status.h"
#include "files/game_file.h"
#include "files/input_file.h"
#include "files/settings.h"

namespace kv {

// The values of the game state that info.ini carries in its text part.
struct SavedGameValues {
    kv::TableLimits TableLimits;
    int32_t InputCredits = kDefaultInputCredits;
    RotateModeKind RotateMode = RotateModeKind::Normal;
    int32_t Balance = 0;
    int32_t Credit = 0;
    int32_t SpinCount = 0;
    int32_t WheelAngle = 0;
    int32_t PrevBallAngle = 0;
    int32_t BallAngle = 0;
    int32_t BallPocket = 0;
    int32_t ChipValue = 0;
    int32_t RandomDepth = kRandomDepthDefault;
    std::vector<uint8_t> OnlineQueue;
    bool operator==(const SavedGameValues&) const = default;
};

struct SettingsFileData {
    Settings settings;
    SavedGameValues game;
    HistoryAside history;  // positions 1..M, M = max(N, 10) + 1
};

// Number of history positions stored: max(N, 10) + 1.
int32_t settingsHistoryCount(int32_t spinCount);

// Reads the whole file aside; `out` is changed only on success.
FileStatus readSettingsFile(InputFile& in, SettingsFileData& out);
FileStatus readSettingsFile(const std::filesystem::path& path, SettingsFileData& out);

// The text part exactly as it is written, up to and including the 4 to 7
// "#" of the marker after which the binary part begins. Text values are
// written as they are except where they would break the file: a line break
// inside a value becomes a space, and a "####" that would fall on a 4-byte
// boundary before the marker gets its last "#" replaced by "_", because the
// binary part is found by the first such unit in the file.
std::string settingsTextPart(const SavedGameValues& game, const Settings& settings);

FileStatus writeSettingsFile(const std::filesystem::path& path, const GameState& game,
                             const Settings& settings);

SavedGameValues captureSavedGame(const GameState& game);
void applySettingsFile(SettingsFileData&& data, GameState& game, Settings& settings);

// The last game at start-up.
struct LastGameLoad {
    enum class Outcome {
        Loaded,        // settings and the last game are back
        Missing,       // no file (a first start): factory values and a new game
        Damaged,       // unreadable or damaged: moved aside, factory values and a new game
        NoPermission,  // may not be read: left in place, factory values and a new game
    };
    Outcome outcome = Outcome::Loaded;
    FileStatus error;                   // why the file was refused (Damaged, NoPermission)
    std::filesystem::path damagedCopy;  // where it was kept; empty if it could not be moved
    // For Damaged and NoPermission: the text to show the player once.
    std::string message;
};

// Reads `file` into game and settings. A missing file starts silently with
// the factory values and a new game; a damaged one is renamed beside itself
// (for info.ini: info.damaged.ini, info.damaged-2.ini, ...) so that the next
// write does not destroy it, and the program starts like a first start. A
// file that may not be read (permission denied) stays where it is and is
// reported.
LastGameLoad LoadSettings(const std::filesystem::path& file, GameState& game, Settings& settings);
// Written when the main window closes; a file this program may not read
// (see NoPermission) is not replaced.
FileStatus SaveSettings(const std::filesystem::path& file, const GameState& game, const Settings& settings);

// Factory values: the default limits, credits and settings, then New Game.
void resetToFactory(GameState& game, Settings& settings);

}  // namespace kv
