#include "core/bets.h"

#include <algorithm>
#include <functional>
#include <limits>
#include <string_view>
#include <unordered_map>

namespace kv {

namespace {

int32_t toInt32(int64_t v) {
    return static_cast<int32_t>(
        std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

size_t gridHash(const BetGrid& g) {
    return std::hash<std::string_view>{}(
        std::string_view(reinterpret_cast<const char*>(g.v.data()), g.v.size() * sizeof(g.v[0])));
}

// The distinct non-empty bet sets of positions 1, 2, ... of the history,
// gathered as a walk down the history passes them: whether a newer spin
// had the same set is then one look-up, not a pass over the newer spins.
class NewerBetSets {
  public:
    explicit NewerBetSets(const GameState& s) : s_(s) {}
    void restart() {
        byHash_.clear();
        through_ = 0;
    }
    // Whether a position before pos holds the same set as `bets`.
    bool contains(const BetGrid& bets, int32_t pos) {
        while (through_ < pos - 1) {
            const BetGrid g = s_.SpinBets(++through_);
            if (!g.empty() && !find(g, gridHash(g))) byHash_.emplace(gridHash(g), through_);
        }
        return find(bets, gridHash(bets));
    }

  private:
    bool find(const BetGrid& bets, size_t hash) const {
        const auto [first, last] = byHash_.equal_range(hash);
        return std::any_of(first, last, [&](const auto& entry) { return s_.SpinBets(entry.second) == bets; });
    }
    const GameState& s_;
    std::unordered_multimap<size_t, int32_t> byHash_;  // one position per distinct set
    int32_t through_ = 0;                              // positions 1..through_ are gathered
};

}  // namespace

int32_t cellMin(const GameState& s, BetCell cell) { return s.TableLimits.min(*cellClass(cell.c, cell.r)); }
int32_t cellMax(const GameState& s, BetCell cell) { return s.TableLimits.max(*cellClass(cell.c, cell.r)); }

int32_t ClampToLimits(const GameState& s, BetCell cell, int64_t amount) {
    if (amount > cellMax(s, cell)) return cellMax(s, cell);
    if (amount < cellMin(s, cell)) return 0;
    return static_cast<int32_t>(amount);
}

void placeChip(GameState& s, BetCell cell) {
    const int64_t total = s.CurrentBets.sum();
    const int64_t freeCredit = static_cast<int64_t>(s.Credit) - total;
    int64_t amount = s.CurrentBets.at(cell.c, cell.r);
    amount += freeCredit < s.ChipValue ? freeCredit : s.ChipValue;
    if (amount > cellMax(s, cell)) amount = cellMax(s, cell);
    if (amount < cellMin(s, cell)) amount = freeCredit >= cellMin(s, cell) ? cellMin(s, cell) : 0;
    s.CurrentBets.at(cell.c, cell.r) = toInt32(amount);
}

void placeChipAt(GameState& s, int x, int y) {
    s.Win = 0;
    if (auto cell = HitTest(x, y)) placeChip(s, *cell);
}

void RemoveBet(GameState& s, BetCell cell) { s.CurrentBets.at(cell.c, cell.r) = 0; }

void SelectChip(GameState& s, int x) {
    const int32_t full = s.TableLimits.max(PayoutClass::Even);
    const bool up = x >= kChipSelector.x;
    switch (s.ChipValue) {
        case 1:
            s.ChipValue = up ? 5 : full;
            break;
        case 5:
            s.ChipValue = up ? 10 : 1;
            break;
        case 10:
            s.ChipValue = up ? 50 : 5;
            break;
        case 50:
            s.ChipValue = up ? 100 : 10;
            break;
        case 100:
            s.ChipValue = up ? full : 50;
            break;
        default:
            s.ChipValue = up ? 1 : 100;
            break;
    }
}

void ClearBets(GameState& s) { s.CurrentBets.clear(); }

void DoubleBets(GameState& s) {
    const int64_t t2 = 2 * static_cast<int64_t>(s.CurrentBets.sum());
    if (s.Credit < t2) return;
    for (const BetCell& cell : allBetCells()) {
        int32_t& a = s.CurrentBets.at(cell.c, cell.r);
        a = ClampToLimits(s, cell, 2 * static_cast<int64_t>(a));
    }
}

void RepeatBets(GameState& s) {
    const int32_t K = s.SpinCount;
    if (K <= 0) return;
    bool selective = false;
    for (int32_t k = 1; k <= K; ++k) {
        const BetGrid& set = s.SpinBets(k);
        if (!set.empty()) {
            selective = true;
            if (s.Credit < set.sum()) selective = false;
        }
    }
    // At most one lap of the history: with nothing suitable the cursor ends
    // where it started and the table stays as it was.
    bool found = false;
    NewerBetSets newer(s);
    for (int32_t step = 0; step < K; ++step) {
        s.RepeatCursor += 1;
        if (s.RepeatCursor > K || s.RepeatCursor < 1) {
            s.RepeatCursor = 1;
            newer.restart();
        }
        const BetGrid c = s.SpinBets(s.RepeatCursor);
        const int32_t total = c.sum();
        if (selective && (c.empty() || total > s.Credit)) continue;
        // A set that a newer spin also had was offered before: skip it.
        if (!c.empty() && newer.contains(c, s.RepeatCursor)) continue;
        found = true;
        break;
    }
    if (!found) return;
    const BetGrid& c = s.SpinBets(s.RepeatCursor);
    if (s.Credit >= c.sum() && s.RepeatCursor <= K) s.CurrentBets = c;
}

std::optional<int> unplayableBetCell(const BetGrid& bets) {
    for (int c = 1; c <= kGridColumns; ++c) {
        for (int r = 1; r <= kGridRows; ++r) {
            const int32_t a = bets.at(c, r);
            if (a < 0 || (a != 0 && !isBetCell(c, r))) return BetGrid::index(c, r);
        }
    }
    return std::nullopt;
}

std::string unplayableBetText(const BetGrid& bets, int index) {
    const int c = index / kGridRows + 1;
    const int r = index % kGridRows + 1;
    const std::string amount = std::to_string(bets.v[static_cast<size_t>(index)]);
    const std::string where = "column " + std::to_string(c) + ", row " + std::to_string(r);
    if (!isBetCell(c, r)) return amount + " beside the bet spots (" + where + ")";
    return amount + " on the bet spot of " + where;
}

int64_t grossWin(const BetGrid& bets, int n) {
    const BetGrid& w = WinningCells(n);
    int64_t win = 0;
    for (const BetCell& cell : allBetCells()) {
        const int i = BetGrid::index(cell.c, cell.r);
        if (w.v[i] != 0 && bets.v[i] != 0)
            win += static_cast<int64_t>(bets.v[i]) * payoutMultiplier(*cellClass(cell.c, cell.r));
    }
    return win;
}

void settleBets(GameState& s) {
    s.Credit = toInt32(static_cast<int64_t>(s.Credit) - s.Bet);
    s.Win = toInt32(grossWin(s.CurrentBets, s.ballNumber()));
    s.Credit = toInt32(static_cast<int64_t>(s.Credit) + s.Win);
    s.setResultHistory(s.SpinCount, toInt32(static_cast<int64_t>(s.Balance) + s.Credit));
    s.Bet = 0;
}

TableClickResult tableMouseDown(GameState& s, MouseButton button, int x, int y) {
    TableClickResult out;
    if (s.ResultTicks > 2) s.ResultTicks = 2;
    if (s.DriftTicks > 2) s.DriftTicks = 2;
    if (s.ResultTicks > 0) return out;
    out.handled = true;
    const int32_t remembered = s.RepeatCursor;
    s.RepeatCursor = 0;
    out.cell = HitTest(x, y);
    if (button == MouseButton::Right) {
        if (out.cell) RemoveBet(s, *out.cell);
    } else if (button == MouseButton::Left) {
        placeChipAt(s, x, y);
        if (inChipSelector(x, y)) SelectChip(s, x);
        if (inClearControl(x, y)) ClearBets(s);
        if (inRepeatControl(x, y)) {
            s.RepeatCursor = remembered;
            RepeatBets(s);
        }
        if (inDoubleControl(x, y)) DoubleBets(s);
        out.wheelHit = inWheel(x, y);
    }
    finishTableClick(s);
    return out;
}

}  // namespace kv
