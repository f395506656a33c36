#pragma once
// A long game for the benchmarks: `spins` spins of four random bets each
// and random results, the same game for the same length.

#include <cstdint>
#include <random>

#include "core/game_state.h"
#include "core/roulette.h"

namespace kvbench {

inline kv::GameState gameWithBets(int32_t spins) {
    kv::GameState s;
    s.NewGame();
    std::mt19937 rng(1);
    const auto& cells = kv::allBetCells();
    for (int32_t i = 0; i < spins; ++i) {
        s.CurrentBets.clear();
        for (int b = 0; b < 4; ++b) {
            const auto& c = cells[rng() % cells.size()];
            s.CurrentBets.at(c.c, c.r) = static_cast<int32_t>(1 + rng() % 100);
        }
        s.RecordSpin(static_cast<int>(rng() % 37));
        s.setResultHistory(s.SpinCount, static_cast<int32_t>(rng() % 20000) - 10000);
    }
    s.CurrentBets.clear();
    return s;
}

}  // namespace kvbench
