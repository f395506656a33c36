#pragma once
// The interpreter's own bet layout: 14 rows of 5 cells.
//
//   row 0            cell 0: zero
//   row s+1 (s 0..11) cells 0, 1, 2: numbers 3s+3, 3s+2, 3s+1
//                    cell 3: DOZ1 (row 1), DOZ2 (row 5), DOZ3 (row 9)
//                    cell 4: LOW (1), ODD (3), RED (5), BLACK (7), EVEN (9), HIGH (11)
//   row 13           cells 0, 1, 2: COL3, COL2, COL1
//
// Other cells are never set.

#include <array>
#include <cstdint>

#include "core/game_state.h"
#include "core/roulette.h"

namespace kv {

inline constexpr int kTesterRows = 14;
inline constexpr int kTesterCells = 5;

class TesterGrid {
  public:
    int32_t at(int row, int cell) const { return v_[row * kTesterCells + cell]; }
    int32_t& at(int row, int cell) { return v_[row * kTesterCells + cell]; }
    // Cells numbered row * 5 + cell.
    int32_t flat(int i) const { return v_[i]; }
    int32_t& flat(int i) { return v_[i]; }

    void clear() { v_.fill(0); }
    // Sum of all 70 cells, in 64 bits.
    int64_t sum() const;
    // What the bets return when number x (0..36) comes, stake included.
    int64_t winnings(int x) const;

    bool operator==(const TesterGrid&) const = default;

    // Cell (as row * 5 + cell) of number x 0..36, and of a category.
    static int numberCell(int x);
    static int categoryCell(Category c);

  private:
    std::array<int32_t, kTesterRows * kTesterCells> v_{};
};

// The cell of the main table that tester cell (row, cell) is transferred to,
// rows 0..12: cell 0..3 -> column 2 row + 1, row 2 cell + 1; cell 4 -> column
// 2 row + 1, row 8. Row 13 (the columns) has no counterpart.
BetCell tableCellOf(int row, int cell);

// RealTime transfer: when the sum of all cells is at most game.Credit,
// writes every non-zero cell of rows 0..12 into game.CurrentBets (replacing
// what lies there) and returns true; otherwise changes nothing and returns
// false. The caller then clicks the table at (1, 1) so that the main window
// takes the bets into account.
bool transferToTable(const TesterGrid& bets, GameState& game);

}  // namespace kv
