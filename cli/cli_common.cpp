#include "cli/cli_common.h"

#include <unistd.h>

#include <CLI/CLI.hpp>
#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <map>

#include "cli/commands.h"
#include "files/bet_text.h"
#include "files/file_status.h"
#include "files/game_file.h"
#include "files/input_file.h"
#include "files/number_list.h"
#include "files/output_file.h"
#include "strategy/strategy_file.h"

namespace kv::cli {

namespace fs = std::filesystem;

namespace {

// Standard input ("-") and pipes can be read only once, but a file is read
// twice (once to recognise its format): their content is copied into a
// temporary file first, which goes when the command ends. Messages name
// what the user gave.
struct PipeCopies {
    std::map<std::string, std::string> shown;  // temporary file -> the name given
    PipeCopies() = default;
    PipeCopies(const PipeCopies&) = delete;
    PipeCopies& operator=(const PipeCopies&) = delete;
    ~PipeCopies() {
        std::error_code ec;
        for (const auto& entry : shown) fs::remove(entry.first, ec);
    }
};

PipeCopies& pipeCopies() {
    static PipeCopies copies;
    return copies;
}

std::string shownName(const fs::path& file) {
    const auto it = pipeCopies().shown.find(file.string());
    return it == pipeCopies().shown.end() ? file.string() : it->second;
}

// The path to read `path` from: itself, or a copy of standard input or of a
// pipe or device.
std::string readablePath(const std::string& path) {
    std::error_code ec;
    const bool stdinGiven = path == "-";
    if (!stdinGiven && (!fs::exists(path, ec) || fs::is_regular_file(path, ec) || fs::is_directory(path, ec)))
        return path;
    const std::string shown = stdinGiven ? "standard input" : path;
    std::FILE* in = stdinGiven ? stdin : std::fopen(path.c_str(), "rb");
    if (!in) throw InputError(shown, "cannot open it");
    // A name of our own, created exclusively (never an existing file or a
    // link planted under a guessable name).
    std::string name = (fs::temp_directory_path(ec) / "kelvora-cli-XXXXXX").string();
    const int fd = ::mkstemp(name.data());
    if (fd < 0 && !stdinGiven) std::fclose(in);
    if (fd < 0)
        throw InputError(shown, "cannot make a temporary copy in " + fs::path(name).parent_path().string());
    const fs::path copy = name;
    pipeCopies().shown[copy.string()] = shown;
    std::FILE* out = ::fdopen(fd, "wb");
    if (!out) ::close(fd);
    std::array<char, 1 << 16> buf;
    bool failed = out == nullptr;
    for (size_t n; !failed && (n = std::fread(buf.data(), 1, buf.size(), in)) > 0;)
        failed = std::fwrite(buf.data(), 1, n, out) != n;
    failed = failed || std::ferror(in) != 0;
    if (out && std::fclose(out) != 0) failed = true;
    if (!stdinGiven) std::fclose(in);
    if (failed)
        throw InputError(shown, "could not be copied to a temporary file in " + copy.parent_path().string());
    return copy.string();
}

}  // namespace

InputError::InputError(const fs::path& file, const std::string& message)
    : std::runtime_error(shownName(file) + ": " + message) {}

namespace {

// Enough of the file to see which format it is: the first game-file record
// is at most a few kilobytes.
constexpr size_t kSniffBytes = 1 << 16;

std::string readHead(const fs::path& path) {
    InputFile in;
    if (auto st = in.open(path); !st) throw InputError(path, st.message());
    std::string head(kSniffBytes, '\0');
    head.resize(in.read(head.data(), head.size()));
    if (!in.status().ok()) throw InputError(path, in.status().message());
    return head;
}

std::vector<std::string_view> splitLines(std::string_view text, size_t most) {
    std::vector<std::string_view> lines;
    size_t start = 0;
    while (start < text.size() && lines.size() < most) {
        const size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) break;  // a cut last line tells nothing
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
        if (text[end] == '\r' && start < text.size() && text[start] == '\n') ++start;
    }
    return lines;
}

bool looksLikeGameFile(std::string_view head) {
    const auto lines = splitLines(head, 5);
    if (lines.size() < 5) return false;
    for (int i = 0; i < 3; ++i)
        if (!parseInt32(lines[static_cast<size_t>(i)])) return false;
    const auto number = parseInt32(lines[3]);
    BetGrid grid;
    return number && *number >= 0 && *number <= 36 && TextToBets(lines[4], grid).ok();
}

// A bet token of a text export ("r-10", "1_2_3-5") is a spot name, a dash
// and the amount: a dash right after a name character. A number list has
// none outside its comment lines (a "-1" there is a bad number, not a bet).
// The whole file is looked at, as a game's first bets may come late.
bool looksLikeTextExport(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::array<char, 1 << 16> buf;
    bool lineStart = true, comment = false;
    char prev = ' ';
    while (in) {
        in.read(buf.data(), static_cast<std::streamsize>(buf.size()));
        const auto got = static_cast<size_t>(in.gcount());
        for (size_t i = 0; i < got; ++i) {
            const char c = buf[i];
            if (c == '\r' || c == '\n') {
                lineStart = true;
                prev = ' ';
                continue;
            }
            if (lineStart) comment = c == '#';
            lineStart = false;
            if (!comment && c == '-' && std::strchr(" \t,;", prev) == nullptr) return true;
            prev = c;
        }
    }
    return false;
}

// The line a game-file read failed on, from how far the reader got: it
// stops right after the offending line, or at the end of a cut file, where
// an empty text means the line that should have followed is missing.
int64_t failedLine(const fs::path& path, uint64_t position, bool missingLine) {
    std::ifstream in(path, std::ios::binary);
    int64_t ends = 0;
    bool open = false;  // bytes after the last line end
    char prev = 0;
    std::array<char, 1 << 16> buf;
    uint64_t left = position;
    while (left > 0 && in) {
        in.read(buf.data(), static_cast<std::streamsize>(std::min<uint64_t>(left, buf.size())));
        const auto got = static_cast<size_t>(in.gcount());
        if (got == 0) break;
        for (size_t i = 0; i < got; ++i) {
            const char c = buf[i];
            if (c == '\n' && prev == '\r') {
                prev = c;
                continue;
            }
            if (c == '\r' || c == '\n') {
                ++ends;
                open = false;
            } else {
                open = true;
            }
            prev = c;
        }
        left -= got;
    }
    const int64_t present = ends + (open ? 1 : 0);
    return missingLine ? present + 1 : std::max<int64_t>(present, 1);
}

[[noreturn]] void failGameFile(const fs::path& path, const InputFile& in, const FileStatus& st) {
    if (st.kind() == FileErrorKind::Io || st.kind() == FileErrorKind::NotFound)
        throw InputError(path, st.message());
    const bool atEnd = in.position() >= in.size();
    const bool emptyText = st.message().rfind("'' ", 0) == 0;
    if (st.message().starts_with("Line ")) throw InputError(path, st.message());  // it names its line
    const int64_t line = failedLine(path, in.position(), atEnd && emptyText);
    throw InputError(path, "Line " + std::to_string(line) + ": " + st.message());
}

// The game file as Open Game reads it, one record at a time, so that a long
// game is never held with all its bet grids.
GameHeader readGameRecords(const fs::path& path,
                           const std::function<void(int32_t, const SpinRecord&)>& onRecord) {
    InputFile in;
    if (auto st = in.open(path); !st) throw InputError(path, st.message());
    GameHeader h;
    if (auto st = kv::readGameRecords(in, h, onRecord); !st) failGameFile(path, in, st);
    return h;
}

ImportedGame readTextExport(const fs::path& path) {
    InputFile in;
    if (auto st = in.open(path); !st) throw InputError(path, st.message());
    ImportedGame game;
    if (auto st = readImportText(in, game); !st) {
        if (st.kind() == FileErrorKind::Io || st.message().starts_with("Line "))
            throw InputError(path, st.message());
        throw InputError(path, "Line " + std::to_string(in.lineNumber()) + ": " + st.message());
    }
    return game;
}

void appendSpin(ImportedGame& out, int32_t number, const BetGrid& bets) {
    out.numbers.push_back(static_cast<uint8_t>(number));
    out.firstBet.push_back(static_cast<uint32_t>(out.bets.size()));
    for (size_t i = 0; i < bets.v.size(); ++i)
        if (bets.v[i] != 0) out.bets.push_back({static_cast<uint16_t>(i), bets.v[i]});
}

}  // namespace

const std::vector<std::string>& formatNames() {
    static const std::vector<std::string> names = {"auto", "gma", "text", "numbers"};
    return names;
}

SpinFormat resolveFormat(const fs::path& path, const std::string& format) {
    if (format == "gma") return SpinFormat::Gma;
    if (format == "text") return SpinFormat::Text;
    if (format == "numbers") return SpinFormat::Numbers;
    const std::string head = readHead(path);
    if (looksLikeGameFile(head)) return SpinFormat::Gma;
    if (looksLikeTextExport(path)) return SpinFormat::Text;
    return SpinFormat::Numbers;
}

std::vector<uint8_t> readSpinNumbers(const std::string& given, const std::string& format) {
    const std::string path = readablePath(given);
    switch (resolveFormat(path, format)) {
        case SpinFormat::Gma: {
            // Record k holds position k of the history, newest first.
            std::vector<uint8_t> numbers;
            const GameHeader h = readGameRecords(path, [&](int32_t, const SpinRecord& r) {
                numbers.push_back(static_cast<uint8_t>(r.number));
            });
            numbers.resize(static_cast<size_t>(h.SpinCount));  // the filler records are no spins
            std::reverse(numbers.begin(), numbers.end());
            return numbers;
        }
        case SpinFormat::Text:
            return readTextExport(path).numbers;
        case SpinFormat::Numbers: {
            NumberListResult list = readNumberList(path);
            if (!list.status) throw InputError(path, list.status.message());
            return std::move(list.numbers);
        }
    }
    return {};
}

void forEachSpinBlock(const std::string& given, const std::string& format,
                      const std::function<void(std::span<const uint8_t>)>& sink) {
    const std::string path = readablePath(given);
    if (resolveFormat(path, format) != SpinFormat::Numbers) {
        sink(readSpinNumbers(path, format));
        return;
    }
    const NumberListResult list = readNumberList(path, sink);
    if (!list.status) throw InputError(path, list.status.message());
}

LoadedGame readGame(const std::string& given, const std::string& format) {
    const std::string path = readablePath(given);
    LoadedGame game;
    // Text and number lists carry no money: they get that of a new game.
    game.Balance = -kDefaultInputCredits;
    game.Credit = kDefaultInputCredits;
    switch (resolveFormat(path, format)) {
        case SpinFormat::Gma: {
            // Numbers and bets come newest first, the results oldest first.
            ImportedGame newestFirst;
            const GameHeader h = readGameRecords(path, [&](int32_t, const SpinRecord& r) {
                appendSpin(newestFirst, r.number, r.bets);
                game.results.push_back(r.result);
            });
            const auto n = static_cast<size_t>(h.SpinCount);
            game.Balance = h.Balance;
            game.Credit = h.Credit;
            game.results.resize(n);
            game.spins.numbers.reserve(n);
            game.spins.firstBet.reserve(n);
            game.spins.bets.reserve(newestFirst.bets.size());
            for (size_t s = n; s-- > 0;) {
                const size_t first = newestFirst.firstBet[s];
                const size_t end = s + 1 < newestFirst.firstBet.size() ? newestFirst.firstBet[s + 1]
                                                                       : newestFirst.bets.size();
                game.spins.numbers.push_back(newestFirst.numbers[s]);
                game.spins.firstBet.push_back(static_cast<uint32_t>(game.spins.bets.size()));
                game.spins.bets.insert(game.spins.bets.end(),
                                       newestFirst.bets.begin() + static_cast<ptrdiff_t>(first),
                                       newestFirst.bets.begin() + static_cast<ptrdiff_t>(end));
            }
            break;
        }
        case SpinFormat::Text:
            game.spins = readTextExport(path);
            break;
        case SpinFormat::Numbers:
            game.spins.numbers = readSpinNumbers(path, "numbers");
            game.spins.firstBet.assign(game.spins.numbers.size(), 0);
            break;
    }
    return game;
}

GameState gameStateOf(const LoadedGame& g, const std::string& path) {
    const size_t n = g.spins.spinCount();
    if (n > static_cast<size_t>(kMaxHistorySpins)) throw InputError(path, tooManySpins(intText(n)).message());
    GameState game;
    game.Balance = g.Balance;
    game.Credit = g.Credit;
    applyImport(game, g.spins);
    for (size_t k = 0; k < g.results.size(); ++k)
        game.setResultHistory(static_cast<int32_t>(k + 1), g.results[k]);
    return game;
}

namespace {
fs::path& programPath() {
    static fs::path path;
    return path;
}
}  // namespace

void setProgramPath(const char* argv0) {
    std::error_code ec;
    fs::path self = fs::read_symlink("/proc/self/exe", ec);  // Linux: the real file, whatever argv[0] says
    if (ec && argv0 && fs::path(argv0).has_parent_path()) self = fs::absolute(argv0, ec);
    programPath() = self;
}

fs::path shippedFile(const std::string& name) {
    if (programPath().empty()) return {};
    const fs::path dir = programPath().parent_path();
    std::error_code ec;
    for (const fs::path& candidate : {dir / name, dir / KV_DATA_DIR_FROM_BIN / name})
        if (fs::is_regular_file(candidate, ec)) return candidate.lexically_normal();
    return {};
}

TableLimits parseLimits(const std::string& text) {
    TableLimits limits;
    size_t start = 0;
    for (size_t i = 0; i < limits.v.size(); ++i) {
        if (start > text.size())
            throw std::invalid_argument("14 limits are needed, min and max of each class");
        const size_t comma = std::min(text.find(',', start), text.size());
        const std::string_view field = std::string_view(text).substr(start, comma - start);
        const auto v = parseInt32(field);
        if (!v || *v < kLimitMin || *v > kLimitMax) {
            throw std::invalid_argument("'" + std::string(field) + "' is not a limit from " +
                                        std::to_string(kLimitMin) + " to " + std::to_string(kLimitMax));
        }
        limits.v[i] = *v;
        start = comma + 1;
    }
    if (start <= text.size()) throw std::invalid_argument("14 limits are needed, min and max of each class");
    return limits;
}

Strategy readStrategy(const std::string& path) {
    StrategyFileRead read = loadStrategyFile(path);
    switch (read.status) {
        case StrategyFileStatus::Ok:
            return std::move(read.strategy);
        case StrategyFileStatus::CannotOpen: {
            std::error_code ec;
            throw InputError(path, fs::exists(path, ec) ? "cannot open the file" : "File not found");
        }
        case StrategyFileStatus::Failed:
            break;
    }
    throw InputError(path, read.message);
}

void throwWriteError(const fs::path& path, const FileStatus& status) {
    std::string message = status.message();
    if (status.kind() == FileErrorKind::NotFound) message = "the folder does not exist";
    if (status.kind() == FileErrorKind::Io) message += std::string(" (") + std::strerror(status.code()) + ")";
    throw InputError(path, message);
}

PieceWriter::PieceWriter(const fs::path& path) : path_(path) {
    if (auto st = out_.open(path); !st) throwWriteError(path, st);
    piece_.reserve(kPiece + 4096);
}

void PieceWriter::flush() {
    out_.write(piece_);
    piece_.clear();
}

void PieceWriter::commit() {
    flush();
    if (auto st = out_.commit(); !st) throwWriteError(path_, st);
}

void writeFileAtomically(const fs::path& path, const std::string& content) {
    PieceWriter out(path);
    out.piece() = content;
    out.commit();
}

void addFormatOption(CLI::App& cmd, std::string& format, const std::string& what) {
    cmd.add_option("--format", format, "Format of " + what)
        ->check(CLI::IsMember(formatNames()))
        ->capture_default_str();
}

void addInputOptions(CLI::App& cmd, std::string& input, std::string& format) {
    cmd.add_option("IN", input, "Game file (.gma), text export or number list; - for standard input")
        ->required();
    addFormatOption(cmd, format);
}

void addLimitsOption(CLI::App& cmd, std::string& limits) {
    cmd.add_option("--limits", limits, "Table limits L1,...,L14: min,max of 1/1, 1/2, ..., 1/35")
        ->check([](const std::string& text) {
            try {
                parseLimits(text);
                return std::string();
            } catch (const std::invalid_argument& e) {
                return std::string(e.what());
            }
        });
}

void printResult(const std::string& text) {
    const bool written = std::fwrite(text.data(), 1, text.size(), stdout) == text.size();
    if (!written || std::fflush(stdout) != 0) {
        const int err = errno ? errno : EIO;
        throw InputError("standard output",
                         "I/O error " + std::to_string(err) + " (" + std::strerror(err) + ")");
    }
}

}  // namespace kv::cli
