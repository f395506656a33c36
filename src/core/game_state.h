#pragma once
// The game state that the main window owns: the spin history with the bets
// of every spin, the money, the bets on the table, the wheel and the queue of
// numbers waiting to be played.

#include <cstdint>
#include <vector>

#include "core/generator.h"
#include "core/roulette.h"
#include "core/spin_store.h"

namespace kv {

inline constexpr int32_t kInitialHistoryCapacity = 1501;
inline constexpr int kOnlineQueueMax = 9999;

enum class RotateModeKind : int32_t { Normal = 0, Quick = 1, DontRotate = 2 };

struct WinCellPos {
    int col = 1;  // table column 1..13, 1 = zero
    int row = 1;  // 1 = top
};
WinCellPos winCellFor(int n);

class GameState {
  public:
    GameState();

    kv::TableLimits TableLimits;
    int32_t InputCredits = kDefaultInputCredits;
    int32_t Credit = 0;
    int32_t Balance = 0;
    int32_t SpinCount = 0;
    int32_t RandomDepth = kRandomDepthDefault;
    int32_t Bet = 0;
    int32_t Win = 0;
    int32_t ResultTicks = 0;
    int32_t ChipValue = 1;
    BetGrid CurrentBets;

    // Wheel, in pockets.
    int32_t WheelAngle = 0;
    int32_t BallAngle = 0;
    int32_t PrevBallAngle = 0;
    int32_t BallPocket = 1;
    int32_t DriftTicks = 0;
    WinCellPos WinCell;
    RotateModeKind RotateMode = RotateModeKind::Normal;

    int32_t RepeatCursor = 0;
    // Numbers waiting to be played, first in front.
    std::vector<uint8_t> OnlineQueue;

    Generator rng;

    // History: positions 1..HistoryCapacity-1, newest first.
    int32_t HistoryCapacity() const { return spins_.capacity(); }
    int32_t SpinHistory(int32_t pos) const { return spins_.number(pos); }
    void setSpinHistory(int32_t pos, int32_t n) { spins_.setNumber(pos, n); }
    BetGrid SpinBets(int32_t pos) const { return spins_.bets(pos); }
    void setSpinBets(int32_t pos, const BetGrid& g) { spins_.setBets(pos, g); }
    // How often the history was shifted by a new spin, and how often a number
    // in it was written otherwise (for caches of the analysis windows).
    uint64_t HistoryShifts() const { return spins_.shifts(); }
    uint64_t HistoryNumberStamp() const { return spins_.numberStamp(); }

    // ResultHistory is indexed by the spin count at settlement, oldest first.
    int32_t ResultHistory(int32_t k) const;
    void setResultHistory(int32_t k, int32_t value);

    // Adds n to SpinCount and adapts the capacity (grows by 1000 while the
    // count comes within 10 of it, shrinks by 1000 while it lies more than
    // 2000 below). Moves no entry.
    void addToSpinCount(int32_t n);
    // Replaces the whole history by one read aside (Open Game, the last game
    // at start-up): SpinCount becomes `count`, the positions those of
    // `spins`, the results `results` (indexed as ResultHistory). The
    // capacity becomes that of a new game grown to `count`.
    void replaceHistory(int32_t count, SpinStore&& spins, std::vector<int32_t>&& results);
    // Stores result n with a copy of CurrentBets as spin 1.
    void RecordSpin(int32_t n);

    // New Game: fresh money, empty history, a new wheel position. Drawing and
    // window refresh are left to the caller.
    void NewGame();

    // The number under the ball.
    int32_t ballNumber() const { return NumberAtWheelPosition(BallPocket); }
    // Brings the angles into 0..36 and recomputes BallPocket from them.
    void normalizeWheel();
    int RandNum() { return kv::RandNum(rng, RandomDepth); }

    // Queue helpers. Entries are bytes: a loaded list may queue values above
    // 36, which are skipped when played. Push refuses beyond the limit.
    bool queuePush(int n);
    int queuePop();

  private:
    SpinStore spins_{kInitialHistoryCapacity};
    std::vector<int32_t> results_ = std::vector<int32_t>(kInitialHistoryCapacity, 0);
};

}  // namespace kv
