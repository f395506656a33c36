#include "files/settings_file.h"

#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <system_error>

#include "core/bets.h"
#include "files/output_file.h"

namespace kv {

namespace {

constexpr std::string_view kMarker = "########";
constexpr int64_t kIntsPerPosition = 1 + kGridCells + 1;

// Reading side of the line walk: every call takes the next line.
class LineIn {
  public:
    explicit LineIn(InputFile& in) : in_(in) {}

    bool ok() const { return status_.ok(); }
    const FileStatus& status() const { return status_; }

    void integer(int32_t& v) {
        if (!next()) return;
        fail(parseInt32(line_, v));
    }
    // Lines that an older file may leave empty.
    void integerOr(int32_t& v, int32_t whenEmpty) {
        if (!next()) return;
        if (line_.empty()) {
            v = whenEmpty;
            return;
        }
        fail(parseInt32(line_, v));
    }
    void flag(bool& v) {
        if (!next()) return;
        v = line_ == "true";
    }
    void text(std::string& v) {
        if (!next()) return;
        v = line_;
    }
    void rotate(RotateModeKind& v) {
        if (!next()) return;
        v = line_ == "NR"   ? RotateModeKind::Normal
            : line_ == "QR" ? RotateModeKind::Quick
                            : RotateModeKind::DontRotate;
    }
    // The spin amount text is stored three times; the copies are not used.
    void tripleText(std::string& v) {
        text(v);
        std::string unused;
        text(unused);
        text(unused);
    }
    void spinCount(int32_t& v) {
        integerOr(v, 0);
        if (ok() && v < 0) fail(FileStatus::badValue(line_, "is not a valid spin count"));
        // Also keeps max(N, 10) + 1 and the block sizes inside the integer range.
        if (ok() && v > kMaxHistorySpins) fail(tooManySpins(line_));
    }
    void strategyList(std::vector<std::string>& list) {
        int32_t count = 0;
        integer(count);
        if (!ok()) return;
        if (count < 0) return fail(FileStatus::badValue(line_, "is not a valid count"));
        std::vector<std::string> read;
        // One line per entry: a count the remaining bytes cannot hold ends
        // at the end of the file instead of being allocated.
        for (int32_t i = 0; i < count && ok(); ++i) {
            if (in_.remaining() == 0) return fail(FileStatus::ioError(kReadPastEndError));
            read.emplace_back();
            text(read.back());
        }
        list = std::move(read);
    }
    void queue(std::vector<uint8_t>& q) {
        int32_t count = 0;
        integer(count);
        if (!ok()) return;
        if (count < 0 || count > kOnlineQueueMax) {
            return fail(FileStatus::badValue(line_, "is not a valid count"));
        }
        std::vector<uint8_t> read;
        for (int32_t i = 0; i < count && ok(); ++i) {
            int32_t n = 0;
            integer(n);
            // The queue holds bytes: a loaded number list may queue values
            // that are no roulette number (they are skipped when played).
            if (ok() && (n < 0 || n > 255)) {
                return fail(FileStatus::badValue(line_, "is not a queued number"));
            }
            read.push_back(static_cast<uint8_t>(n));
        }
        q = std::move(read);
    }

  private:
    bool next() {
        if (!ok()) return false;
        // Past the end every line reads empty, as the format's readers
        // always did; the integer lines then refuse it.
        if (!in_.readLine(line_)) line_.clear();
        if (!in_.status().ok()) fail(in_.status());
        return ok();
    }
    void fail(FileStatus st) {
        if (ok() && !st.ok()) status_ = std::move(st);
    }

    InputFile& in_;
    std::string line_;
    FileStatus status_;
};

// Writing side: every call appends one line (CR LF).
class LineOut {
  public:
    explicit LineOut(std::string& out) : out_(out) {}

    bool ok() const { return true; }
    void integer(const int32_t& v) {
        appendInt(out_, v);
        end();
    }
    void integerOr(const int32_t& v, int32_t) { integer(v); }
    void flag(const bool& v) {
        out_ += v ? "true" : "false";
        end();
    }
    void text(const std::string& v) {
        // A line break would split the value into two lines and shift every
        // later line.
        for (const char c : v) out_.push_back(c == '\r' || c == '\n' ? ' ' : c);
        end();
    }
    void rotate(const RotateModeKind& v) {
        out_ += v == RotateModeKind::Normal ? "NR" : v == RotateModeKind::Quick ? "QR" : "DR";
        end();
    }
    void tripleText(const std::string& v) {
        text(v);
        text(v);
        text(v);
    }
    void spinCount(const int32_t& v) { integer(v); }
    void strategyList(const std::vector<std::string>& list) {
        integer(static_cast<int32_t>(list.size()));
        for (const auto& s : list) text(s);
    }
    void queue(const std::vector<uint8_t>& q) {
        integer(static_cast<int32_t>(q.size()));
        for (const uint8_t n : q) integer(n);
    }

  private:
    void end() { out_ += "\r\n"; }
    std::string& out_;
};

// The one list of the text part's lines, in file order, for both directions.
template <class Io, class Game, class Set>
void walkTextPart(Io& io, Game& g, Set& s) {
    for (auto& v : g.TableLimits.v) io.integer(v);       // 1..14
    io.integer(g.InputCredits);                          // 15
    io.flag(s.OnlineGame);                               // 16
    io.flag(s.Sound);                                    // 17
    io.rotate(g.RotateMode);                             // 18
    io.integerOr(g.Balance, 0);                          // 19
    io.integerOr(g.Credit, 0);                           // 20
    io.spinCount(g.SpinCount);                           // 21
    io.integerOr(g.WheelAngle, 0);                       // 22
    io.integerOr(g.PrevBallAngle, 0);                    // 23
    io.integerOr(g.BallAngle, 0);                        // 24
    io.integerOr(g.BallPocket, 0);                       // 25
    io.integerOr(g.ChipValue, 0);                        // 26
    io.integerOr(g.RandomDepth, 1);                      // 27
    for (auto& v : s.SectorBounds) io.integer(v);        // 28..33
    for (auto& v : s.CalcClosingCategories) io.flag(v);  // 34..39
    io.text(s.CalcClosingStatisticNumbers);              // 40
    io.text(s.CalcClosingDownturnFactor);                // 41
    io.text(s.CalcClosingErrors);                        // 42
    for (int i = 0; i < kChartEntryCount; ++i) {         // 43..164
        io.integer(s.ChartColors[static_cast<size_t>(i)]);
        io.flag(s.ChartShown[static_cast<size_t>(i)]);
    }
    io.strategyList(s.StrategyList);     // 165 .. 165+L
    io.flag(s.NoEffectFlag);             // b
    io.tripleText(s.TestStrategySpins);  // b+1..b+3
    io.integer(s.MainWindow.left);       // b+4
    io.integer(s.MainWindow.top);        // b+5
    for (auto& w : s.Windows) {          // b+6..b+41
        io.integer(w.left);
        io.integer(w.top);
    }
    io.integer(s.MainWindow.width);   // b+42
    io.integer(s.MainWindow.height);  // b+43
    for (auto& w : s.Windows) {       // b+44..b+79
        io.integer(w.width);
        io.integer(w.height);
    }
    for (int i = 0; i < kShownFlagCount; ++i) io.flag(s.Windows[static_cast<size_t>(i)].shown);  // b+80..b+96
    io.integer(s.GraphicsPage);                                                                  // b+97
    io.text(s.GraphicsSpins);                                                                    // b+98
    io.integer(s.ForestMode);                                                                    // b+99
    for (auto& v : s.ChartChecks) io.integer(v);     // b+100..b+106
    io.integer(s.NumbersBaffle);                     // b+107
    io.integer(s.StreetsBaffle);                     // b+108
    io.text(s.CalcStatisticNumbers);                 // b+109
    io.text(s.CalcDownturnFactor);                   // b+110
    io.text(s.CalcErrors);                           // b+111
    for (auto& v : s.CalcSliderLabels) io.text(v);   // b+112..b+117
    for (auto& v : s.CalcCategories) io.integer(v);  // b+118..b+123
    for (auto& v : s.CalcBetAlways) io.integer(v);   // b+124..b+129
    io.integer(s.CalcRandomPlay);                    // b+130
    for (auto& v : s.CalcSliders) io.integer(v);     // b+131..b+136
    io.integer(s.PadOrientation);                    // b+137
    io.queue(g.OnlineQueue);                         // b+138 .. b+138+Q
    io.integer(s.PadMode);                           // b+139+Q
}

uint64_t roundUp4(uint64_t v) { return (v + 3) / 4 * 4; }

int32_t int32At(const unsigned char* p) {
    const uint32_t u = static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
                       (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
    return static_cast<int32_t>(u);
}

// Reads `count` integers, handing each to `take`; false on a short read.
template <class Take>
bool readInts(InputFile& in, int64_t count, Take take) {
    std::array<unsigned char, 4096> buf;
    int64_t done = 0;
    while (done < count) {
        const auto n = static_cast<size_t>(std::min<int64_t>(count - done, buf.size() / 4));
        if (in.read(buf.data(), n * 4) != n * 4) return false;
        for (size_t i = 0; i < n; ++i) take(done + static_cast<int64_t>(i), int32At(buf.data() + 4 * i));
        done += static_cast<int64_t>(n);
    }
    return true;
}

}  // namespace

int32_t settingsHistoryCount(int32_t spinCount) { return std::max(spinCount, 10) + 1; }

FileStatus readSettingsFile(InputFile& in, SettingsFileData& out) {
    SettingsFileData data;
    LineIn lines(in);
    walkTextPart(lines, data.game, data.settings);
    if (!lines.ok()) return lines.status();

    // The marker line starts here. The binary part begins after the first
    // 4-byte unit of the file that is all "#"; as long as no text value put
    // one earlier, that unit is the first aligned one inside the marker.
    // Finding it from the marker's own start gives the same place for every
    // sound file and cannot be misled by a "#" in a text value.
    const uint64_t markerStart = in.position();
    const uint64_t binaryStart = roundUp4(markerStart) + 4;
    const auto hashes = static_cast<size_t>(binaryStart - markerStart);
    std::array<char, 8> marker{};
    const size_t got = in.read(marker.data(), hashes);
    if (!in.status().ok()) return in.status();
    if (got != hashes || std::string_view(marker.data(), hashes) != kMarker.substr(0, hashes)) {
        if (got != hashes) return FileStatus::ioError(kReadPastEndError);
        return FileStatus::badContent("The marker line \"########\" is missing");
    }

    const int32_t m = settingsHistoryCount(data.game.SpinCount);
    const int64_t bytes = static_cast<int64_t>(m) * kIntsPerPosition * 4;
    if (static_cast<uint64_t>(bytes) > in.remaining()) return FileStatus::ioError(kReadPastEndError);
    // Kept packed as the history keeps them: a spin without bets costs a
    // few bytes, not the 208 cells it takes in the file.
    HistoryAside& h = data.history;
    h.results.assign(static_cast<size_t>(m) + 1, 0);
    bool badNumber = false;
    bool complete = readInts(in, m, [&](int64_t i, int32_t v) {
        if (v < 0 || v > 36) badNumber = true;
        h.spins.setNumber(static_cast<int32_t>(i + 1), v);
    });
    // Each position's cells are gathered in one grid, checked, then packed.
    BetGrid cells;
    std::string badBet;
    complete = complete && readInts(in, static_cast<int64_t>(m) * kGridCells, [&](int64_t i, int32_t v) {
                   cells.v[static_cast<size_t>(i % kGridCells)] = v;
                   if (i % kGridCells != kGridCells - 1) return;
                   const int64_t pos = i / kGridCells + 1;
                   if (const auto bad = unplayableBetCell(cells); bad && badBet.empty()) {
                       badBet = joinText({"The last game holds ", unplayableBetText(cells, *bad),
                                          " at history position ", intText(pos), ", which is no bet"});
                   }
                   h.spins.setBets(static_cast<int32_t>(pos), cells);
               });
    complete =
        complete && readInts(in, m, [&](int64_t i, int32_t v) { h.results[static_cast<size_t>(i + 1)] = v; });
    if (!in.status().ok()) return in.status();
    if (!complete) return FileStatus::ioError(kReadPastEndError);
    if (badNumber)
        return FileStatus::badContent("The last game holds a spin that is not a number of the wheel");
    if (!badBet.empty()) return FileStatus::badContent(badBet);
    out = std::move(data);
    return {};
}

FileStatus readSettingsFile(const std::filesystem::path& path, SettingsFileData& out) {
    InputFile in;
    if (auto st = in.open(path); !st) return st;
    return readSettingsFile(in, out);
}

std::string settingsTextPart(const SavedGameValues& game, const Settings& settings) {
    std::string text;
    LineOut lines(text);
    walkTextPart(lines, game, settings);
    // No 4-byte unit of "#" may come before the marker: the binary part is
    // found by the first one.
    for (size_t u = 0; u + 4 <= text.size(); u += 4) {
        if (std::memcmp(text.data() + u, "####", 4) == 0) text[u + 3] = '_';
    }
    const uint64_t markerStart = text.size();
    text.append(static_cast<size_t>(roundUp4(markerStart) + 4 - markerStart), '#');
    return text;
}

SavedGameValues captureSavedGame(const GameState& game) {
    SavedGameValues g;
    g.TableLimits = game.TableLimits;
    g.InputCredits = game.InputCredits;
    g.RotateMode = game.RotateMode;
    g.Balance = game.Balance;
    g.Credit = game.Credit;
    g.SpinCount = game.SpinCount;
    g.WheelAngle = game.WheelAngle;
    g.PrevBallAngle = game.PrevBallAngle;
    g.BallAngle = game.BallAngle;
    g.BallPocket = game.BallPocket;
    g.ChipValue = game.ChipValue;
    g.RandomDepth = game.RandomDepth;
    g.OnlineQueue = game.OnlineQueue;
    return g;
}

FileStatus writeSettingsFile(const std::filesystem::path& path, const GameState& game,
                             const Settings& settings) {
    OutputFile out;
    if (auto st = out.open(path); !st) return st;
    out.write(settingsTextPart(captureSavedGame(game), settings));
    const int32_t m = settingsHistoryCount(game.SpinCount);
    for (int32_t k = 1; k <= m; ++k) out.writeInt32LE(game.SpinHistory(k));
    for (int32_t k = 1; k <= m; ++k) {
        const BetGrid bets = game.SpinBets(k);
        for (const int32_t v : bets.v) out.writeInt32LE(v);
    }
    for (int32_t k = 1; k <= m; ++k) out.writeInt32LE(game.ResultHistory(k));
    return out.commit();
}

void applySettingsFile(SettingsFileData&& data, GameState& game, Settings& settings) {
    const SavedGameValues& g = data.game;
    game.TableLimits = g.TableLimits;
    game.InputCredits = g.InputCredits;
    game.RotateMode = g.RotateMode;
    game.Balance = g.Balance;
    game.Credit = g.Credit;
    game.WheelAngle = g.WheelAngle;
    game.PrevBallAngle = g.PrevBallAngle;
    game.BallAngle = g.BallAngle;
    game.BallPocket = g.BallPocket;
    game.ChipValue = g.ChipValue;
    game.RandomDepth = g.RandomDepth;
    game.OnlineQueue = g.OnlineQueue;
    // The wheel is drawn from these; a hand-edited value outside the wheel
    // is brought back onto it rather than indexing past the pockets.
    const auto onWheel = [](int32_t a) { return a >= 0 && a <= 36; };
    if (!onWheel(game.WheelAngle) || !onWheel(game.BallAngle) || !onWheel(game.PrevBallAngle) ||
        game.BallPocket < 1 || game.BallPocket > kNumberCount) {
        game.normalizeWheel();
    }
    game.replaceHistory(g.SpinCount, std::move(data.history.spins), std::move(data.history.results));
    settings = std::move(data.settings);
}

void resetToFactory(GameState& game, Settings& settings) {
    settings = Settings{};
    game.TableLimits = kv::TableLimits{};
    game.InputCredits = kDefaultInputCredits;
    game.RandomDepth = kRandomDepthDefault;
    game.RotateMode = RotateModeKind::Normal;
    game.OnlineQueue.clear();
    game.NewGame();
}

namespace {

std::filesystem::path damagedName(const std::filesystem::path& file, int n) {
    std::string name = file.stem().string();
    name += ".damaged";
    if (n > 1) {
        name += '-';
        name += std::to_string(n);
    }
    name += file.extension().string();
    return file.parent_path() / name;
}

bool isPermissionError(const FileStatus& st) {
    return st.kind() == FileErrorKind::Io && (st.code() == EACCES || st.code() == EPERM);
}

}  // namespace

LastGameLoad LoadSettings(const std::filesystem::path& file, GameState& game, Settings& settings) {
    LastGameLoad result;
    SettingsFileData data;
    FileStatus st = readSettingsFile(file, data);
    if (st.ok()) {
        applySettingsFile(std::move(data), game, settings);
        return result;
    }
    resetToFactory(game, settings);
    if (st.kind() == FileErrorKind::NotFound) {
        result.outcome = LastGameLoad::Outcome::Missing;
        return result;
    }
    const std::string name = file.filename().string();
    if (isPermissionError(st)) {
        // Nothing says the file is damaged: it stays where it is, and
        // SaveSettings will not replace what it could not read.
        result.outcome = LastGameLoad::Outcome::NoPermission;
        result.error = st;
        result.message =
            joinText({"The settings file ", name, " could not be read: permission denied (", st.message(),
                      "). It was left as it is and will not be replaced at exit; the program starts with the "
                      "factory settings and a new game."});
        return result;
    }
    result.outcome = LastGameLoad::Outcome::Damaged;
    result.error = st;
    // Keep the damaged file under a free name beside it, so the settings
    // written at exit do not replace it.
    std::error_code ec;
    for (int n = 1; n <= 1000; ++n) {
        const auto candidate = damagedName(file, n);
        if (std::filesystem::exists(candidate, ec) || ec) continue;
        std::filesystem::rename(file, candidate, ec);
        if (!ec) result.damagedCopy = candidate;
        break;
    }
    if (!result.damagedCopy.empty()) {
        result.message = joinText({"The settings file ", name, " could not be read (", st.message(),
                                   "). It was kept as ", result.damagedCopy.string(),
                                   "; the program starts with the factory settings and a new game."});
    } else {
        result.message = joinText({"The settings file ", name, " could not be read (", st.message(),
                                   ") and could not be kept under another name; the program starts with the "
                                   "factory settings and a new game, which replace it at exit."});
    }
    return result;
}

FileStatus SaveSettings(const std::filesystem::path& file, const GameState& game, const Settings& settings) {
    // A settings file this program may not read holds a last game it never
    // saw; writing over it would lose that game for good.
    if (::access(file.c_str(), R_OK) != 0 && (errno == EACCES || errno == EPERM)) {
        return FileStatus::badContent(
            joinText({"The settings file ", file.filename().string(),
                      " may not be read (permission denied), so it was not replaced: the settings and this "
                      "game were not kept."}));
    }
    return writeSettingsFile(file, game, settings);
}

}  // namespace kv
