#pragma once
// The third honesty test ("Check on parity"): even against odd results, zero
// counted as even.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "core/game_state.h"

namespace kv {

struct ParityResult {
    int32_t even = 0;
    int32_t odd = 0;
    std::vector<std::string> lines;
};

ParityResult ParityTest(std::span<const int32_t> numbers, char decimalSeparator = '.');
ParityResult ParityTest(const GameState& state, char decimalSeparator = '.');

}  // namespace kv
