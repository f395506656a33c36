#include "analysis/test_game_bets.h"

#include <algorithm>

#include "analysis/test_game_text.h"

namespace kv {

namespace {

const char* const kDashes = "--------------------------------------";

struct CellInfo {
    int index = 0;    // into BetGrid::v
    int numbers = 0;  // k, the size of the covered set
};

const std::vector<CellInfo>& cellInfo() {
    static const std::vector<CellInfo> info = [] {
        std::vector<CellInfo> out;
        for (const BetCell& cell : allBetCells())
            out.push_back({BetGrid::index(cell.c, cell.r), static_cast<int>(CellNumbers(cell.c, cell.r).size())});
        return out;
    }();
    return info;
}

}  // namespace

BetsTestResult BetsTest(const GameState& state, const TestProgress& progress, char decimalSeparator) {
    BetsTestResult r;
    const int32_t N = std::max(state.SpinCount, 0);
    // Index = amount; the tables hold 64-bit totals since a long game of
    // big tables could pass the 32-bit range.
    std::vector<int64_t> win(static_cast<size_t>(kBetsTestMaxAmount) + 1, 0);
    std::vector<int64_t> lose(static_cast<size_t>(kBetsTestMaxAmount) + 1, 0);
    std::vector<int32_t> curve;
    static const BetGrid kNothingWins{};
    for (int32_t i = 1; i <= N; ++i) {
        if (progress) progress(static_cast<int>(roundRatio(int64_t{i} * 100, N)));
        const BetGrid& grid = state.SpinBets(i);
        const int32_t number = state.SpinHistory(i);
        const BetGrid& wins = number >= 0 && number <= 36 ? WinningCells(number) : kNothingWins;
        int32_t gained = 0;
        int32_t lost = 0;
        for (const CellInfo& cell : cellInfo()) {
            const int32_t a = grid.v[static_cast<size_t>(cell.index)];
            if (a == 0) continue;
            if (a < 1 || a > kBetsTestMaxAmount) {
                ++r.leftOut;
                continue;
            }
            if (wins.v[static_cast<size_t>(cell.index)] != 0) {
                win[static_cast<size_t>(a)] += 36 - cell.numbers;
                gained += 36 - cell.numbers;
            } else {
                lose[static_cast<size_t>(a)] += cell.numbers;
                lost += cell.numbers;
            }
        }
        // Every counted bet moves one of the totals: this spin is a point.
        if (gained != 0 || lost != 0) curve.push_back(gained - lost);
    }
    if (curve.size() > static_cast<size_t>(kBetsCurveMaxPoints))
        curve.erase(curve.begin(), curve.end() - kBetsCurveMaxPoints);

    const double fair = 100.0 * 36.0 / 37.0;
    r.lines.push_back("BET    WIN (must be >=" + twoDecimals(fair, decimalSeparator) + ")");
    r.lines.push_back(kDashes);
    for (int32_t a = 1; a <= kBetsTestMaxAmount; ++a) {
        const int64_t w = win[static_cast<size_t>(a)];
        const int64_t l = lose[static_cast<size_t>(a)];
        if (w == 0 && l == 0) continue;
        r.totalWin += w;
        r.totalLose += l;
        if (w != 0 && l != 0)
            r.lines.push_back(std::to_string(a) + ":        " +
                              twoDecimals(static_cast<double>(w) / static_cast<double>(l) * 100, decimalSeparator));
        else
            r.lines.push_back(std::to_string(a) + ":        " + std::to_string(w) + "/" + std::to_string(l));
    }
    if (r.leftOut > 0)
        r.lines.push_back("Bets outside 1.." + std::to_string(kBetsTestMaxAmount) +
                          " not counted: " + std::to_string(r.leftOut));
    r.total = r.totalLose == 0 ? 0 : static_cast<double>(r.totalWin) / static_cast<double>(r.totalLose) * 100;
    if (r.total > 0) {
        r.lines.push_back(kDashes);
        if (r.total < fair) r.lines.push_back("WARNING ! ! !");
        r.lines.push_back("Full WIN " + twoDecimals(r.total, decimalSeparator));
    }
    smoothCurve(curve);
    interpolateCurve(curve);
    r.curve.mode = CurveMode::Bets;
    r.curve.values = std::move(curve);
    return r;
}

}  // namespace kv
