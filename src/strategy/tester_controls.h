#pragma once
// The small text rules of the strategy tester's controls: the strategy
// list's names, the spins box with its "<" and ">" buttons, the parameter
// box, and the number of spins a run takes.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "strategy/strategy.h"

namespace kv {

// The file name without its folder ("\" or "/" separated).
std::string bareFileName(std::string_view path);

// What the strategy list shows for an entry: the bare name without a final
// ".stg" in any letter case.
std::string strategyDisplayName(std::string_view entry);

// The decimal digits of the text in order, as a number; 0 when there are
// none. Every other character, a minus sign included, is dropped; a number
// beyond the 32-bit range stays at its largest value.
int32_t digitsValue(std::string_view text);

// The spins box buttons. Their value is the digits of the text, negative
// when the text begins with "-". ">" doubles it ("1" when it is 0); "<"
// halves it toward zero ("0" when it is 1).
std::string doubledSpins(std::string_view text);
std::string halvedSpins(std::string_view text);

// N of a run from the spins box: a replay takes every spin of the game when
// N is 0 or larger than the game; a random run only when N is 0.
int32_t replaySpins(std::string_view text, int32_t spinCount);
int32_t randomSpins(std::string_view text, int32_t spinCount);

// Numbers (1-based) of the parameters the tester offers: the visible ones.
std::vector<int32_t> visibleParameters(const Strategy& s);

}  // namespace kv
