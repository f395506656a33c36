#include "core/game_state.h"

#include <algorithm>

namespace kv {

WinCellPos winCellFor(int n) {
    if (n <= 0) return {1, 1};
    return {(n - 1) / 3 + 2, 3 - (n - 1) % 3};
}

GameState::GameState() = default;

int32_t GameState::ResultHistory(int32_t k) const {
    if (k < 0 || k >= static_cast<int32_t>(results_.size())) return 0;
    return results_[k];
}

void GameState::setResultHistory(int32_t k, int32_t value) {
    if (k < 0 || k >= static_cast<int32_t>(results_.size())) return;
    results_[k] = value;
}

void GameState::replaceHistory(int32_t count, SpinStore&& spins, std::vector<int32_t>&& results) {
    int32_t cap = kInitialHistoryCapacity;
    while (count > cap - 10) cap += 1000;  // as addToSpinCount grows an empty game
    spins_ = std::move(spins);
    spins_.setCapacity(cap);
    results_ = std::move(results);
    results_.resize(static_cast<size_t>(cap), 0);
    SpinCount = std::max(count, 0);
}

void GameState::addToSpinCount(int32_t n) {
    SpinCount += n;
    if (SpinCount < 0) SpinCount = 0;
    int32_t cap = spins_.capacity();
    bool changed = false;
    while (SpinCount > cap - 10) {
        cap += 1000;
        changed = true;
    }
    while (SpinCount < cap - 2000) {
        cap -= 1000;
        changed = true;
    }
    if (changed) {
        spins_.setCapacity(cap);
        results_.resize(static_cast<size_t>(cap), 0);
    }
}

void GameState::RecordSpin(int32_t n) {
    spins_.shiftIn(n, CurrentBets);
    addToSpinCount(1);
}

void GameState::normalizeWheel() {
    WheelAngle = mod37(WheelAngle);
    BallAngle = mod37(BallAngle);
    PrevBallAngle = mod37(PrevBallAngle);
    BallPocket = mod37(static_cast<int64_t>(WheelAngle) + BallAngle) + 1;
}

void GameState::NewGame() {
    ResultTicks = 0;
    rng.Randomize();
    Credit = InputCredits;
    Balance = -InputCredits;
    Win = 0;
    Bet = 0;
    for (int32_t k = 15; k >= 2; --k) setSpinHistory(k, RandNum());
    addToSpinCount(-SpinCount);
    WheelAngle = RandNum();
    PrevBallAngle = 0;
    BallAngle = RandNum();
    BallPocket = mod37(static_cast<int64_t>(WheelAngle) + BallAngle) + 1;
    CurrentBets.clear();
    ChipValue = 1;
    RepeatCursor = 0;
    setSpinHistory(1, ballNumber());
    setResultHistory(1, 0);
}

bool GameState::queuePush(int n) {
    if (static_cast<int>(OnlineQueue.size()) >= kOnlineQueueMax || n < 0 || n > 255) return false;
    OnlineQueue.push_back(static_cast<uint8_t>(n));
    return true;
}

int GameState::queuePop() {
    if (OnlineQueue.empty()) return -1;
    const int n = OnlineQueue.front();
    OnlineQueue.erase(OnlineQueue.begin());
    return n;
}

}  // namespace kv
