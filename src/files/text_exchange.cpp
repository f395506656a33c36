#include "files/text_exchange.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <limits>
#include <map>

#include "files/bet_text.h"
#include "files/output_file.h"

namespace kv {

namespace {

struct NameTables {
    std::array<std::string, kGridCells> names;
    // Sorted numbers of every number bet (zero, splits, trios, corners,
    // streets, six-lines) to its cell.
    std::map<std::vector<int>, int> byNumbers;
};

const NameTables& tables() {
    static const NameTables t = [] {
        NameTables t;
        for (const BetCell& cell : allBetCells()) {
            const int idx = BetGrid::index(cell.c, cell.r);
            std::string name;
            if (cell.r == 8) {
                static constexpr const char* kChances[] = {"l", "o", "r", "b", "e", "h"};
                name = kChances[(cell.c - 3) / 4];
            } else if (cell.r == 7) {
                name = std::to_string((cell.c - 3) / 8 + 1) + "d";
            } else if (cell.c == 26) {
                name = std::to_string(3 - (cell.r - 1) / 2) + "c";
            } else {
                const auto nums = CellNumbers(cell.c, cell.r);
                for (size_t i = 0; i < nums.size(); ++i) {
                    if (i) name += '_';
                    name += std::to_string(nums[i]);
                }
                t.byNumbers[nums] = idx;
            }
            t.names[static_cast<size_t>(idx)] = name;
        }
        return t;
    }();
    return t;
}

std::string lineError(size_t lineNo, std::string_view what, std::string_view token) {
    return lineMessage(lineNo, token, what);
}

// Play never bets a negative amount; settled, it would pay the player.
FileStatus checkAmount(int32_t amount, size_t lineNo, std::string_view original) {
    if (amount < 0) return FileStatus::badContent(lineError(lineNo, "bets a negative amount", original));
    return {};
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Bets of one line, summed per cell in 64 bits so that a cell named twice
// cannot overflow unnoticed.
struct LineBets {
    std::array<int64_t, kGridCells> sum{};
    std::vector<uint16_t> touched;
    void add(int idx, int32_t amount) {
        if (sum[static_cast<size_t>(idx)] == 0 &&
            std::find(touched.begin(), touched.end(), idx) == touched.end()) {
            touched.push_back(static_cast<uint16_t>(idx));
        }
        sum[static_cast<size_t>(idx)] += amount;
    }
    void clear() {
        for (const uint16_t i : touched) sum[i] = 0;
        touched.clear();
    }
};

FileStatus parseToken(std::string_view token, size_t lineNo, LineBets& bets, std::string_view original) {
    const std::string t = ChangeCase(token, CaseDirection::ToLower);
    int32_t amount = 0;
    static constexpr std::string_view kChances = "lorbeh";
    if (kChances.find(t[0]) != std::string_view::npos) {
        const auto k = static_cast<int>(kChances.find(t[0]));
        if (auto st = parseInt32(std::string_view(t).substr(std::min<size_t>(2, t.size())), amount); !st) {
            return st;
        }
        if (auto st = checkAmount(amount, lineNo, original); !st) return st;
        bets.add(BetGrid::index(3 + 4 * k, 8), amount);
        return {};
    }
    if (t.size() >= 2 && (t[1] == 'd' || t[1] == 'c') && t[0] >= '1' && t[0] <= '3') {
        if (auto st = parseInt32(std::string_view(t).substr(std::min<size_t>(3, t.size())), amount); !st) {
            return st;
        }
        if (auto st = checkAmount(amount, lineNo, original); !st) return st;
        const int k = t[0] - '0';
        const int idx = t[1] == 'd' ? BetGrid::index(3 + 8 * (k - 1), 7) : BetGrid::index(26, 7 - 2 * k);
        bets.add(idx, amount);
        return {};
    }
    const size_t dash = t.find('-');
    if (dash == std::string::npos)
        return FileStatus::badContent(lineError(lineNo, "has no amount", original));
    std::vector<std::string_view> parts;
    std::string_view numbersText = std::string_view(t).substr(0, dash);
    for (;;) {
        const size_t us = numbersText.find('_');
        parts.push_back(numbersText.substr(0, us));
        if (us == std::string_view::npos) break;
        numbersText.remove_prefix(us + 1);
    }
    // Five numbers, or more than six, form no bet the table offers; such
    // tokens are passed over.
    if (parts.size() == 5 || parts.size() > 6) return {};
    std::vector<int> nums;
    for (const auto p : parts) {
        int32_t v = 0;
        if (auto st = parseInt32(p, v); !st) return st;
        nums.push_back(v);
    }
    if (auto st = parseInt32(std::string_view(t).substr(dash + 1), amount); !st) return st;
    if (auto st = checkAmount(amount, lineNo, original); !st) return st;
    std::sort(nums.begin(), nums.end());
    const auto& byNumbers = tables().byNumbers;
    const auto it = byNumbers.find(nums);
    if (it == byNumbers.end())
        return FileStatus::badContent(lineError(lineNo, "is no bet of the table", original));
    bets.add(it->second, amount);
    return {};
}

}  // namespace

const std::string& betCellName(int c, int r) {
    static const std::string kNone;
    if (c < 1 || c > kGridColumns || r < 1 || r > kGridRows) return kNone;
    return tables().names[static_cast<size_t>(BetGrid::index(c, r))];
}

std::string exportLine(int32_t number, const BetGrid& bets) {
    std::string line = intText(number);
    const auto& names = tables().names;
    for (size_t i = 0; i < bets.v.size(); ++i) {
        if (bets.v[i] == 0 || names[i].empty()) continue;
        line += ' ';
        line += names[i];
        line += '-';
        appendInt(line, bets.v[i]);
    }
    return line;
}

FileStatus ExportGame(const GameState& game, const std::filesystem::path& path) {
    OutputFile out;
    if (auto st = out.open(path); !st) return st;
    for (int32_t i = game.SpinCount; i >= 1; --i) {
        out.writeLine(exportLine(game.SpinHistory(i), game.SpinBets(i)));
    }
    return out.commit();
}

BetGrid ImportedGame::grid(size_t spin) const {
    BetGrid g;
    const size_t end = spin + 1 < firstBet.size() ? firstBet[spin + 1] : bets.size();
    for (size_t b = firstBet[spin]; b < end; ++b) g.v[bets[b].cell] = bets[b].amount;
    return g;
}

FileStatus readImportText(InputFile& in, ImportedGame& out) {
    // First pass: count the spins, so that a file the history cannot hold is
    // refused before anything is allocated for it, and the lists are sized
    // once instead of doubling.
    std::string line;
    size_t spins = 0;
    while (in.readLine(line)) spins += line.empty() ? 0 : 1;
    if (!in.status().ok()) return in.status();
    if (spins > static_cast<size_t>(kMaxHistorySpins)) {
        return FileStatus::badContent(
            joinText({"The file holds ", intText(static_cast<int64_t>(spins)),
                      " spins; the history holds at most ", intText(kMaxHistorySpins)}));
    }
    if (!in.seek(0)) return in.status().ok() ? FileStatus::ioError(EIO) : in.status();
    ImportedGame result;
    result.numbers.reserve(spins);
    result.firstBet.reserve(spins);
    LineBets lineBets;
    size_t lineNo = 0;
    while (in.readLine(line)) {
        ++lineNo;
        if (line.empty()) continue;
        size_t pos = 0;
        while (pos < line.size() && !isDigit(line[pos])) ++pos;
        if (pos == line.size()) {
            return FileStatus::badContent(lineError(lineNo, "holds no spin number", line));
        }
        size_t end = pos;
        while (end < line.size() && isDigit(line[end])) ++end;
        const std::string_view numberText = std::string_view(line).substr(pos, end - pos);
        int32_t number = 0;
        if (auto st = parseInt32(numberText, number); !st) return st;
        if (number > 36)
            return FileStatus::badContent(lineError(lineNo, "is not a number of the wheel", numberText));

        lineBets.clear();
        std::string_view rest = std::string_view(line).substr(end);
        for (;;) {
            while (!rest.empty() && rest.front() == ' ') rest.remove_prefix(1);
            if (rest.empty()) break;
            const size_t sp = rest.find(' ');
            const std::string_view token = rest.substr(0, sp);
            if (auto st = parseToken(token, lineNo, lineBets, token); !st) return st;
            rest.remove_prefix(sp == std::string_view::npos ? rest.size() : sp);
        }
        std::sort(lineBets.touched.begin(), lineBets.touched.end());
        result.numbers.push_back(static_cast<uint8_t>(number));
        result.firstBet.push_back(static_cast<uint32_t>(result.bets.size()));
        for (const uint16_t idx : lineBets.touched) {
            const int64_t s = lineBets.sum[idx];
            if (s < std::numeric_limits<int32_t>::min() || s > std::numeric_limits<int32_t>::max()) {
                return FileStatus::badContent(
                    lineError(lineNo, "is bet beyond the integer range", tables().names[idx]));
            }
            if (s != 0) result.bets.push_back({idx, static_cast<int32_t>(s)});
        }
        // The file may have grown since the first pass.
        if (result.numbers.size() > static_cast<size_t>(kMaxHistorySpins)) {
            return FileStatus::badContent(joinText({"The file holds more than ", intText(kMaxHistorySpins),
                                                    " spins, the most the history holds"}));
        }
    }
    if (!in.status().ok()) return in.status();
    out = std::move(result);
    return {};
}

void applyImport(GameState& game, const ImportedGame& imported) {
    const auto k = static_cast<int32_t>(imported.spinCount());
    game.addToSpinCount(-game.SpinCount);
    game.addToSpinCount(k);
    // The first line of the file is the oldest spin: position k.
    for (int32_t i = k; i >= 1; --i) {
        const auto spin = static_cast<size_t>(k - i);
        game.setSpinHistory(i, imported.numbers[spin]);
        game.setSpinBets(i, imported.grid(spin));
    }
}

FileStatus ImportGame(GameState& game, const std::filesystem::path& path) {
    InputFile in;
    if (auto st = in.open(path); !st) return st;
    ImportedGame imported;
    if (auto st = readImportText(in, imported); !st) return st;
    applyImport(game, imported);
    return {};
}

}  // namespace kv
