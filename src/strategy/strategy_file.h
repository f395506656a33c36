#pragma once
// Strategy files (.stg): 8-bit text, one StrategyText line per line, CR LF
// line ends when written; CR LF, LF or CR accepted when read.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "strategy/strategy_text.h"

namespace kv {

// The name Save writes to: the chosen name unchanged when its last four
// characters are exactly ".stg", otherwise the name with ".stg" appended
// (so "a.STG" becomes "a.STG.stg").
std::string strategyFileName(const std::string& chosen);

enum class StrategyFileStatus {
    Ok,
    CannotOpen,  // the file could not be opened or created: the command ends silently
    Failed,      // refused or a read/write error: `message` says why
};

struct StrategyFileResult {
    StrategyFileStatus status = StrategyFileStatus::Ok;
    std::string message;             // "I/O error 5", "Line 3: ...", ...
    std::vector<std::string> lines;  // Load: the lines read
    std::filesystem::path path;      // Save: the file written
};

// Save: writes `lines` (the constructor's text box) to strategyFileName(chosen),
// each line followed by CR LF. The file is written aside and renamed over
// the target, so a failed write leaves the previous file whole. More than
// 20000 lines, or a line longer than kMaxStrategyLineLength, are refused and
// nothing is written.
StrategyFileResult saveStrategyLines(const std::string& chosen, const std::vector<std::string>& lines);

// Load: the lines of the file. Reading stops with a refusal at line 20001
// or at a line longer than kMaxStrategyLineLength, so an endless or huge
// file is never read to its end nor held in memory.
StrategyFileResult loadStrategyLines(const std::filesystem::path& path);

// The tester's reader: Load and readStrategyText in one (which refuses an
// empty file and one that is no strategy text). `strategy` is set only when
// status is Ok.
struct StrategyFileRead {
    StrategyFileStatus status = StrategyFileStatus::Ok;
    std::string message;
    Strategy strategy;
};
StrategyFileRead loadStrategyFile(const std::filesystem::path& path);

}  // namespace kv
