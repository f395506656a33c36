#include "analysis/test_game_bets.h"

#include <algorithm>
#include <array>
#include <cmath>

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
            out.push_back(
                {BetGrid::index(cell.c, cell.r), static_cast<int>(CellNumbers(cell.c, cell.r).size())});
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
    // What a fair wheel would give for the same bets: the exact mean and
    // variance of each spin's net units over the 37 equally likely numbers.
    double fairMean = 0;
    double fairVariance = 0;
    // The win and lose totals a fair wheel gives these bets on average.
    double fairWinTotal = 0;
    double fairLoseTotal = 0;
    for (int32_t i = 1; i <= N; ++i) {
        if (progress) progress(static_cast<int>(roundRatio(int64_t{i} * 100, N)));
        const BetGrid& grid = state.SpinBets(i);
        const int32_t number = state.SpinHistory(i);
        const BetGrid& wins = number >= 0 && number <= 36 ? WinningCells(number) : kNothingWins;
        int32_t gained = 0;
        int32_t lost = 0;
        std::array<int32_t, 37> covering{};  // counted bets that win on each number
        int64_t spinStake = 0;               // the units all of them lose
        for (const CellInfo& cell : cellInfo()) {
            const int32_t a = grid.v[static_cast<size_t>(cell.index)];
            if (a == 0) continue;
            if (a < 1 || a > kBetsTestMaxAmount) {
                ++r.leftOut;
                continue;
            }
            spinStake += cell.numbers;
            fairWinTotal += (36.0 - cell.numbers) * cell.numbers / 37.0;
            fairLoseTotal += cell.numbers * (37.0 - cell.numbers) / 37.0;
            for (int n = 0; n <= 36; ++n)
                if (WinningCells(n).v[static_cast<size_t>(cell.index)] != 0)
                    ++covering[static_cast<size_t>(n)];
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
        if (spinStake > 0) {
            // On number n the spin nets 36 * covering[n] - spinStake units.
            double sum = 0;
            double squares = 0;
            for (int32_t c : covering) {
                const double x = 36.0 * c - static_cast<double>(spinStake);
                sum += x;
                squares += x * x;
            }
            const double mean = sum / 37;
            fairMean += mean;
            fairVariance += std::max(0.0, squares / 37 - mean * mean);
        }
    }
    if (curve.size() > static_cast<size_t>(kBetsCurveMaxPoints))
        curve.erase(curve.begin(), curve.end() - kBetsCurveMaxPoints);

    // What a fair wheel gives for one kind of bet in these units lies between
    // 18/19 (even chances) and 35/36 (straights): the header says so instead
    // of naming a limit, since the verdict below weighs the game's own bets.
    r.lines.push_back("BET    WIN (fair " + twoDecimals(100.0 * 18 / 19, decimalSeparator) + " to " +
                      twoDecimals(100.0 * 35 / 36, decimalSeparator) + ")");
    r.lines.push_back(kDashes);
    for (int32_t a = 1; a <= kBetsTestMaxAmount; ++a) {
        const int64_t w = win[static_cast<size_t>(a)];
        const int64_t l = lose[static_cast<size_t>(a)];
        if (w == 0 && l == 0) continue;
        r.totalWin += w;
        r.totalLose += l;
        if (w != 0 && l != 0)
            r.lines.push_back(
                std::to_string(a) + ":        " +
                twoDecimals(static_cast<double>(w) / static_cast<double>(l) * 100, decimalSeparator));
        else
            r.lines.push_back(std::to_string(a) + ":        " + std::to_string(w) + "/" + std::to_string(l));
    }
    if (r.leftOut > 0)
        r.lines.push_back("Bets outside 1.." + std::to_string(kBetsTestMaxAmount) +
                          " not counted: " + std::to_string(r.leftOut));
    r.total = r.totalLose == 0 ? 0 : static_cast<double>(r.totalWin) / static_cast<double>(r.totalLose) * 100;
    if (r.totalWin > 0 || r.totalLose > 0) {
        r.lines.push_back(kDashes);
        // Even a fair wheel pays back less than it takes (35/36 of the
        // stakes on a straight, 18/19 on an even chance), so the ratio alone
        // would call every honest casino a cheat. Warn when the bets won
        // significantly less than a fair wheel would have let them win; a
        // game whose every bet lost is judged the same way.
        const double net = static_cast<double>(r.totalWin) - static_cast<double>(r.totalLose);
        r.fairWin = fairMean;
        r.fairTotal = fairLoseTotal > 0 ? fairWinTotal / fairLoseTotal * 100 : 0;
        r.shortfall = fairVariance > 0 ? (fairMean - net) / std::sqrt(fairVariance) : 0;
        r.warning = r.shortfall > kBetsTestWarningDeviations;
        if (r.warning) r.lines.push_back("WARNING ! ! !");
        // Without a single loss the ratio has no value to show.
        if (r.totalLose > 0) r.lines.push_back("Full WIN " + twoDecimals(r.total, decimalSeparator));
        r.lines.push_back("Fair wheel " + twoDecimals(r.fairTotal, decimalSeparator));
        if (!r.warning) r.lines.push_back("This Random is possible");
    }
    smoothCurve(curve);
    interpolateCurve(curve);
    r.curve.mode = CurveMode::Bets;
    r.curve.values = std::move(curve);
    return r;
}

}  // namespace kv
