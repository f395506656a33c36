#include "strategy/tester_grid.h"

namespace kv {

namespace {

// For each number: the cells that win and their gross multipliers.
struct Payout {
    int count;
    std::array<int, 6> cell;
    std::array<int, 6> mult;
};

std::array<Payout, 37> buildPayouts() {
    std::array<Payout, 37> p{};
    p[0] = {1, {TesterGrid::numberCell(0)}, {36}};
    for (int x = 1; x <= 36; ++x) {
        const Category colour = isRed(x) ? Category::RED : Category::BLACK;
        const Category parity = x % 2 == 1 ? Category::ODD : Category::EVEN;
        const Category half = x > 18 ? Category::HIGH : Category::LOW;
        const Category dozen = x < 13 ? Category::DOZ1 : (x > 24 ? Category::DOZ3 : Category::DOZ2);
        const Category column = x % 3 == 1 ? Category::COL1 : (x % 3 == 2 ? Category::COL2 : Category::COL3);
        p[x] = {6,
                {TesterGrid::categoryCell(colour), TesterGrid::categoryCell(parity),
                 TesterGrid::categoryCell(half), TesterGrid::categoryCell(dozen),
                 TesterGrid::categoryCell(column), TesterGrid::numberCell(x)},
                {2, 2, 2, 3, 3, 36}};
    }
    return p;
}

const std::array<Payout, 37>& payouts() {
    static const std::array<Payout, 37> p = buildPayouts();
    return p;
}

}  // namespace

int TesterGrid::numberCell(int x) {
    if (x == 0) return 0;
    const int s = (x - 1) / 3;
    return (s + 1) * kTesterCells + (2 - (x - 1) % 3);
}

int TesterGrid::categoryCell(Category c) {
    switch (c) {
        case Category::DOZ1:
            return 1 * kTesterCells + 3;
        case Category::DOZ2:
            return 5 * kTesterCells + 3;
        case Category::DOZ3:
            return 9 * kTesterCells + 3;
        case Category::LOW:
            return 1 * kTesterCells + 4;
        case Category::ODD:
            return 3 * kTesterCells + 4;
        case Category::RED:
            return 5 * kTesterCells + 4;
        case Category::BLACK:
            return 7 * kTesterCells + 4;
        case Category::EVEN:
            return 9 * kTesterCells + 4;
        case Category::HIGH:
            return 11 * kTesterCells + 4;
        case Category::COL3:
            return 13 * kTesterCells + 0;
        case Category::COL2:
            return 13 * kTesterCells + 1;
        case Category::COL1:
            return 13 * kTesterCells + 2;
    }
    return 0;
}

int64_t TesterGrid::sum() const {
    int64_t s = 0;
    for (int32_t a : v_) s += a;
    return s;
}

int64_t TesterGrid::winnings(int x) const {
    const Payout& p = payouts()[x];
    int64_t w = 0;
    for (int i = 0; i < p.count; ++i) w += static_cast<int64_t>(p.mult[i]) * v_[p.cell[i]];
    return w;
}

BetCell tableCellOf(int row, int cell) {
    if (cell == 4) return {2 * row + 1, 8};
    return {2 * row + 1, 2 * cell + 1};
}

bool transferToTable(const TesterGrid& bets, GameState& game) {
    if (bets.sum() > game.Credit) return false;
    for (int row = 0; row <= 12; ++row)
        for (int cell = 0; cell < kTesterCells; ++cell)
            if (const int32_t a = bets.at(row, cell); a != 0) {
                const BetCell target = tableCellOf(row, cell);
                game.CurrentBets.at(target.c, target.r) = a;
            }
    return true;
}

}  // namespace kv
