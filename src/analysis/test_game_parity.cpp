#include "analysis/test_game_parity.h"

#include "analysis/test_game_concentration.h"
#include "analysis/test_game_text.h"

namespace kv {

ParityResult ParityTest(std::span<const int32_t> numbers, char decimalSeparator) {
    ParityResult r;
    for (int32_t n : numbers) ++(n % 2 == 0 ? r.even : r.odd);
    r.lines = {"Check on parity", "---------------", "Even " + std::to_string(r.even),
               "Odd  " + std::to_string(r.odd), "Must be -> 1"};
    // Without an odd number the ratio has no value; say so plainly.
    r.lines.push_back(r.odd == 0 ? std::string("No odd Numbers")
                                 : shortestDecimal(static_cast<double>(r.even) / r.odd, decimalSeparator));
    return r;
}

ParityResult ParityTest(const GameState& state, char decimalSeparator) {
    return ParityTest(spinNumbers(state), decimalSeparator);
}

}  // namespace kv
