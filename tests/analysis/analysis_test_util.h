#pragma once
// Shared helpers of the analysis tests.

#include <utility>
#include <vector>

#include "core/game_state.h"

namespace kv::test {

// A game played oldest first, each spin with the bets that lay on the table.
inline GameState gameOf(const std::vector<std::pair<int, BetGrid>>& playedOldestFirst) {
    GameState s;
    for (const auto& [n, bets] : playedOldestFirst) {
        s.CurrentBets = bets;
        s.RecordSpin(n);
    }
    return s;
}

inline BetGrid betOn(BetCell cell, int32_t amount) {
    BetGrid g;
    g.at(cell.c, cell.r) = amount;
    return g;
}

}  // namespace kv::test
