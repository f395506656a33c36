#include "files/game_file.h"

#include <algorithm>

#include "core/bets.h"
#include "files/bet_text.h"

namespace kv {

namespace {

// The shortest record a file can hold: one-digit number, 208 "0 " and a
// one-digit result, each line ended by a single byte. Bounds how many
// records a file's size can justify.
constexpr uint64_t kMinRecordBytes = 2 + kGridCells * 2 + 1 + 2;

// A missing line reads as the empty text, which no integer line accepts. A
// last line without its line end was cut off (every writer ends the file
// with CR LF): "12356" cut to "123" must not load as 123.
FileStatus nextLine(InputFile& in, std::string& line) {
    if (!in.readLine(line)) line.clear();
    if (!in.status().ok()) return in.status();
    if (in.lineUnterminated())
        return FileStatus::badContent(
            lineMessage(in.lineNumber(), line, "is cut off: the file ends inside this line"));
    return {};
}

FileStatus readIntLine(InputFile& in, std::string& line, int32_t& v) {
    if (auto st = nextLine(in, line); !st) return st;
    return parseInt32(line, v);
}

}  // namespace

int32_t gmaRecordCount(int32_t spinCount) { return std::max(spinCount, 10); }

FileStatus readSpinRecord(InputFile& in, SpinRecord& out) {
    // One line buffer per thread keeps a long file from allocating per record.
    thread_local std::string line;
    SpinRecord r;
    if (auto st = readIntLine(in, line, r.number); !st) return st;
    if (r.number < 0 || r.number > 36) {
        return FileStatus::badValue(line, "is not a number of the wheel");
    }
    if (auto st = nextLine(in, line); !st) return st;
    if (auto st = TextToBets(line, r.bets); !st) return st;
    if (const auto bad = unplayableBetCell(r.bets)) {
        return FileStatus::badContent(joinText({"Line ", intText(static_cast<int64_t>(in.lineNumber())), ": ",
                                                unplayableBetText(r.bets, *bad), " is no bet"}));
    }
    if (auto st = readIntLine(in, line, r.result); !st) return st;
    out = r;
    return {};
}

void writeSpinRecord(OutputFile& out, int32_t number, const BetGrid& bets, int32_t result) {
    std::string s;
    s.reserve(kGridCells * 2 + 32);
    appendInt(s, number);
    s += "\r\n";
    appendBetsText(s, bets);
    s += "\r\n";
    appendInt(s, result);
    s += "\r\n";
    out.write(s);
}

FileStatus readGameRecords(InputFile& in, GameHeader& header,
                           const std::function<void(int32_t, const SpinRecord&)>& onRecord,
                           RecordsToRead what) {
    std::string line;
    if (what == RecordsToRead::All) {
        if (auto st = readIntLine(in, line, header.Balance); !st) return st;
        if (auto st = readIntLine(in, line, header.Credit); !st) return st;
    } else {
        // The merges keep the money of the current game: these lines are skipped.
        for (int i = 0; i < 2; ++i) {
            if (auto st = nextLine(in, line); !st) return st;
        }
    }
    if (auto st = readIntLine(in, line, header.SpinCount); !st) return st;
    if (header.SpinCount < 0) return FileStatus::badValue(line, "is not a valid spin count");
    if (header.SpinCount > kMaxHistorySpins) return tooManySpins(line);
    const int32_t records = what == RecordsToRead::All ? gmaRecordCount(header.SpinCount) : header.SpinCount;
    SpinRecord r;
    for (int32_t k = 1; k <= records; ++k) {
        if (auto st = readSpinRecord(in, r); !st) return st;
        onRecord(k, r);
    }
    return {};
}

FileStatus readGameFile(InputFile& in, GameData& out, RecordsToRead what) {
    GameData data;
    auto keep = [&](int32_t k, const SpinRecord& r) {
        // Reserve only what the bytes left can hold; a count beyond that
        // fails at the first missing line instead of allocating for it.
        if (k == 1) {
            const int32_t records =
                what == RecordsToRead::All ? gmaRecordCount(data.SpinCount) : data.SpinCount;
            data.records.reserve(static_cast<size_t>(
                std::min<uint64_t>(static_cast<uint64_t>(records), in.remaining() / kMinRecordBytes + 2)));
        }
        data.records.push_back(r);
    };
    if (auto st = readGameRecords(in, data, keep, what); !st) return st;
    out = std::move(data);
    return {};
}

FileStatus readGameFile(const std::filesystem::path& path, GameData& out, RecordsToRead what) {
    InputFile in;
    if (auto st = in.open(path); !st) return st;
    return readGameFile(in, out, what);
}

FileStatus writeGameFile(const std::filesystem::path& path, const GameState& game) {
    OutputFile out;
    if (auto st = out.open(path); !st) return st;
    out.writeLine(intText(game.Balance));
    out.writeLine(intText(game.Credit));
    out.writeLine(intText(game.SpinCount));
    const int32_t records = gmaRecordCount(game.SpinCount);
    for (int32_t k = 1; k <= records; ++k) {
        writeSpinRecord(out, game.SpinHistory(k), game.SpinBets(k), game.ResultHistory(k));
    }
    return out.commit();
}

void storeRecords(GameState& game, int32_t first, const SpinRecord* records, size_t count) {
    for (size_t j = 0; j < count; ++j) {
        const int32_t pos = first + static_cast<int32_t>(j);
        game.setSpinHistory(pos, records[j].number);
        game.setSpinBets(pos, records[j].bets);
        game.setResultHistory(pos, records[j].result);
    }
}

void applyGame(GameState& game, const GameData& data) {
    game.Balance = data.Balance;
    game.Credit = data.Credit;
    // Lowering the count first lets the history shrink before the new one
    // is stored, so the old and the new game are never both held in full.
    game.addToSpinCount(-game.SpinCount);
    game.addToSpinCount(data.SpinCount);
    storeRecords(game, 1, data.records.data(), data.records.size());
}

FileStatus SaveGame(const GameState& game, const std::filesystem::path& path) {
    return writeGameFile(path, game);
}

void HistoryAside::add(const SpinRecord& r) {
    const auto pos = static_cast<int32_t>(results.size());
    spins.setNumber(pos, r.number);
    spins.setBets(pos, r.bets);
    results.push_back(r.result);
}

FileStatus OpenGame(GameState& game, const std::filesystem::path& path) {
    InputFile in;
    if (auto st = in.open(path); !st) return st;
    // The records are kept packed, as the history keeps them, and replace
    // the game's only once the whole file was read.
    GameHeader header;
    HistoryAside aside;
    if (auto st = readGameRecords(in, header, [&](int32_t, const SpinRecord& r) { aside.add(r); }); !st)
        return st;
    game.Balance = header.Balance;
    game.Credit = header.Credit;
    game.replaceHistory(header.SpinCount, std::move(aside.spins), std::move(aside.results));
    return {};
}

}  // namespace kv
