#pragma once
// The Monte Carlo window's fields, kept between runs in a file of their own
// (montecarlo.ini beside info.ini, whose lines stay as they are), and their
// reading into the settings of a run.
//
// The file keeps the texts as the player left them, an empty stop-loss or
// a half-typed number included: the window opens as it was closed, and a
// bad value is reported when it is used, by the field it came from.
//
// Format: one "key=value" line per field, CR LF; lines without "=" and
// unknown keys are skipped (a later version may add keys), a missing key
// keeps its default.

#include <filesystem>
#include <optional>
#include <string>

#include "core/roulette.h"
#include "files/file_status.h"
#include "strategy/monte_carlo.h"

namespace kv {

inline constexpr const char* kMonteCarloSettingsFileName = "montecarlo.ini";

struct MonteCarloFields {
    std::string strategy;  // a name of the strategy list, or a file's full path
    std::string sessions = "1000";
    std::string spins = "1000";
    std::string bankroll = "1000";
    std::string stopLoss;    // empty: none
    std::string takeProfit;  // empty: none
    std::string seed = "1";
    std::string threads = "0";  // 0: one per processor
    std::string targetRisk;     // risk of ruin in percent; empty: no bankroll search

    bool operator==(const MonteCarloFields&) const = default;
};

// The fields of the file; nothing when it cannot be opened (the window then
// keeps its defaults).
std::optional<MonteCarloFields> readMonteCarloFields(const std::filesystem::path& path);
// Written aside and renamed over the file.
FileStatus writeMonteCarloFields(const std::filesystem::path& path, const MonteCarloFields& fields);

struct MonteCarloRequest {
    MonteCarloSettings settings;
    std::optional<double> targetRisk;  // a fraction, when a search was asked for
    std::string error;                 // "Sessions: 'x' is not a valid integer value"; empty when usable
};

// The run the fields ask for, on a table with these limits. Only the texts
// are checked here; the ranges are the engine's to refuse, with its own
// messages. The target risk takes "." or "," as its decimal point.
MonteCarloRequest monteCarloRequest(const MonteCarloFields& fields, const TableLimits& limits);

}  // namespace kv
