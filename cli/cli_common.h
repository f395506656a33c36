#pragma once
// What the subcommands of kelvora-cli share: the error that means "bad
// input" (exit code 1), reading spins from any of the three formats the
// program knows, the table limits option, the strategy reader and the one
// place where results reach standard output.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/roulette.h"
#include "files/file_status.h"
#include "files/output_file.h"
#include "files/text_exchange.h"
#include "strategy/strategy.h"

namespace kv::cli {

// Bad input: a file that is missing, unreadable or malformed, or a result
// that cannot be written. The text is "<file>: <message>"; main adds the
// program's name and exits with 1.
struct InputError : std::runtime_error {
    InputError(const std::filesystem::path& file, const std::string& message);
    explicit InputError(const std::string& message) : std::runtime_error(message) {}
};

enum class SpinFormat { Gma, Text, Numbers };

// "auto" looks at the content: a game file starts with three integer lines,
// a spin number and a bet line of 208 numbers; a text export has
// "name-amount" bet tokens; anything else is read as a number list.
SpinFormat resolveFormat(const std::filesystem::path& path, const std::string& format);
// The names accepted by --format.
const std::vector<std::string>& formatNames();

// The spin numbers of the file, oldest first.
std::vector<uint8_t> readSpinNumbers(const std::string& path, const std::string& format);

// The same, handed over block by block. A number list is streamed without
// being held; the other formats are read whole first. Throws InputError
// after the sink may have seen part of a list that then failed.
void forEachSpinBlock(const std::string& path, const std::string& format,
                      const std::function<void(std::span<const uint8_t>)>& sink);

// A whole game in any format, oldest spin first: the spins with their bets,
// and for a game file its money and the result after each spin.
struct LoadedGame {
    int32_t Balance = 0;
    int32_t Credit = 0;
    ImportedGame spins;
    std::vector<int32_t> results;  // oldest first; empty when the format has none
};
LoadedGame readGame(const std::string& path, const std::string& format);
// The same game as the program holds it (SpinHistory newest first, bets,
// results, money). Throws InputError when it has more spins than the
// program's history holds.
GameState gameStateOf(const LoadedGame& game, const std::string& path);

// A file the program ships (rndtest.dat, the sample strategies): beside the
// executable in a build or portable folder, otherwise in the installed data
// folder. Empty when neither holds it. main hands over argv[0] for systems
// that cannot tell the executable's own path.
void setProgramPath(const char* argv0);
std::filesystem::path shippedFile(const std::string& name);

// "L1,...,L14": minimum and maximum of each payout class, 1/1 first, as the
// Properties window orders them. Throws std::invalid_argument with the reason.
TableLimits parseLimits(const std::string& text);

// The tester's reader; a refusal becomes an InputError with its message.
Strategy readStrategy(const std::string& path);

// Writes beside the target and renames over it: on failure the target is
// untouched and no temporary file stays.
void writeFileAtomically(const std::filesystem::path& path, const std::string& content);

// The same for long outputs made piece by piece: text is gathered in
// piece() and handed to the temporary file a megabyte at a time. Nothing
// reaches the target unless commit() is called and succeeds.
class PieceWriter {
  public:
    explicit PieceWriter(const std::filesystem::path& path);
    std::string& piece() { return piece_; }
    void maybeFlush() {
        if (piece_.size() >= kPiece) flush();
    }
    void commit();

  private:
    static constexpr size_t kPiece = 1 << 20;
    void flush();
    std::filesystem::path path_;
    OutputFile out_;
    std::string piece_;
};

// A failed write of path as an InputError.
[[noreturn]] void throwWriteError(const std::filesystem::path& path, const FileStatus& status);

// Result text for standard output. Commands call it once, when nothing can
// fail any more, so a failed command prints nothing there.
void printResult(const std::string& text);

}  // namespace kv::cli
