#pragma once
// Checks that keep a strategy finite: THEN/ELSE references must not form a
// cycle (an IF reaching itself through its lists would render, read and run
// without end) and the rendered text must stay within the line limit (an
// operator listed in several places is rendered, and run, at each place, so
// a few operators can stand for an enormous tree).

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "strategy/strategy.h"
#include "strategy/strategy_error.h"

namespace kv {

// The operator numbers of one cycle of THEN/ELSE references, the first
// number repeated at the end (e.g. {3, 5, 3}; {4, 4} for an IF listing
// itself), or an empty vector when there is none. List entries outside
// 1..operatorCount are ignored here.
std::vector<int32_t> findReferenceCycle(const Strategy& s);

// "The operators 3 "Check" -> 5 "Raise" -> 3 "Check" refer to each other in
// an endless cycle through their THEN/ELSE lists".
std::string describeCycle(const Strategy& s, const std::vector<int32_t>& cycle);

// Number of lines StrategyText(s) produces, saturated at INT64_MAX; only
// meaningful for a strategy without cycles.
int64_t renderedLineCount(const Strategy& s);

// Everything the interpreter and the renderer rely on: at most 1000
// parameters and operators, every field within its range, THEN/ELSE
// entries 0 or an existing operator, no cycle, at most 20000 rendered
// lines. Names are not checked.
std::optional<StrategyError> checkStrategy(const Strategy& s);

}  // namespace kv
