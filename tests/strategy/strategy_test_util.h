#pragma once
// Shared helpers of the strategy tests.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "strategy/strategy_text.h"

namespace kv::test {

using Lines = std::vector<std::string>;

// A strategy text with the given parameter lines and operator lines of the
// five sections.
inline Lines strategyLines(const Lines& params, const Lines& always, const Lines& win = {},
                           const Lines& lose = {}, const Lines& drawn = {}, const Lines& always2 = {}) {
    Lines out{""};
    out.insert(out.end(), params.begin(), params.end());
    out.push_back("");
    const Lines* sections[] = {&always, &win, &lose, &drawn, &always2};
    const char* headings[] = {"ALWAYS", "WIN", "LOSE", "DRAWN GAME", "ALWAYS 2"};
    for (int s = 0; s < 5; ++s) {
        out.push_back(headings[s]);
        out.push_back(std::string(out.back().size(), '-'));
        out.insert(out.end(), sections[s]->begin(), sections[s]->end());
        if (s < 4) out.push_back("");
    }
    return out;
}

inline Strategy parsed(const Lines& lines) {
    StrategyRead r = readStrategyText(lines);
    EXPECT_TRUE(r.ok) << r.error.text();
    return r.strategy;
}

}  // namespace kv::test
