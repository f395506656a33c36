#include "files/game_edit.h"

#include <algorithm>
#include <limits>
#include <vector>

#include "files/bet_text.h"
#include "files/game_file.h"
#include "files/input_file.h"
#include "files/output_file.h"

namespace kv {

int32_t cutFieldValue(std::string_view text, int32_t whenEmpty) {
    const std::string digits = keepDigits(text);
    if (digits.empty()) return whenEmpty;
    int64_t v = 0;
    for (const char c : digits) {
        v = v * 10 + (c - '0');
        if (v > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
    }
    return static_cast<int32_t>(v);
}

int32_t CutGame(GameState& game, int32_t first, int32_t last) {
    const int32_t count = game.SpinCount;
    first = std::max(first, 1);
    last = std::min(last, count);
    if (first > last) return 0;
    const int32_t n = last - first + 1;
    // Spins older than `first` sit at positions count - first + 2 .. count;
    // they close the gap, nearest first so nothing is overwritten unread.
    for (int32_t p = count - first + 2; p <= count; ++p) {
        game.setSpinHistory(p - n, game.SpinHistory(p));
        game.setSpinBets(p - n, game.SpinBets(p));
    }
    for (int32_t s = last + 1; s <= count; ++s) {
        game.setResultHistory(s - n, game.ResultHistory(s));
    }
    game.addToSpinCount(-n);
    return n;
}

FileStatus AddGameToFile(const GameState& game, const std::filesystem::path& file) {
    InputFile in;
    if (auto st = in.open(file); !st) return st;
    std::string line;
    for (int i = 0; i < 2; ++i) {
        if (!in.readLine(line)) line.clear();
    }
    if (!in.status().ok()) return in.status();
    if (!in.readLine(line)) line.clear();
    if (!in.status().ok()) return in.status();
    int32_t g = 0;
    if (auto st = parseInt32(line, g); !st) return st;
    if (g < 0) return FileStatus::badValue(line, "is not a valid spin count");

    const int64_t n = game.SpinCount;
    const int64_t t = n + g;
    // The merged file must open again.
    if (t > kMaxHistorySpins) return tooManySpins(intText(t));
    const int64_t filler = t < 10 ? 10 - t : 0;

    OutputFile out;
    if (auto st = out.open(file); !st) return st;
    out.writeLine(intText(game.Balance));
    out.writeLine(intText(game.Credit));
    out.writeLine(intText(t));
    for (int32_t k = 1; k <= n; ++k) {
        writeSpinRecord(out, game.SpinHistory(k), game.SpinBets(k), game.ResultHistory(k));
    }
    // The file's records are checked as they are copied, so that a damaged
    // source never yields a merged file that cannot be opened.
    for (int64_t k = 0; k < g + filler; ++k) {
        SpinRecord r;
        if (auto st = readSpinRecord(in, r); !st) return st;
        writeSpinRecord(out, r.number, r.bets, r.result);
    }
    return out.commit();
}

FileStatus AddFileToGame(GameState& game, const std::filesystem::path& file) {
    InputFile in;
    if (auto st = in.open(file); !st) return st;
    const int64_t n = game.SpinCount;
    // Kept packed until the whole file was read; a file the history cannot
    // take is still checked to the end, but nothing of it is kept.
    GameHeader header;
    HistoryAside aside;
    auto keep = [&](int32_t, const SpinRecord& r) {
        if (n + header.SpinCount <= kMaxHistorySpins) aside.add(r);
    };
    if (auto st = readGameRecords(in, header, keep, RecordsToRead::SpinsOnly); !st) return st;
    if (n + header.SpinCount > kMaxHistorySpins) return tooManySpins(intText(n + header.SpinCount));
    game.addToSpinCount(header.SpinCount);
    for (int32_t k = 1; k <= aside.positions(); ++k) {
        const auto pos = static_cast<int32_t>(n) + k;
        game.setSpinHistory(pos, aside.spins.number(k));
        game.setSpinBets(pos, aside.spins.bets(k));
        game.setResultHistory(pos, aside.results[static_cast<size_t>(k)]);
    }
    return {};
}

}  // namespace kv
