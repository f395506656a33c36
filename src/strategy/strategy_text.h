#pragma once
// The text form of a strategy (the content of a .stg file) and its reader.
//
// Layout: description lines as "' text", an empty line, one line per
// parameter ("BET 1 v The sum of the bet"), an empty line, then the sections
// ALWAYS, WIN, LOSE, DRAWN GAME and ALWAYS 2, each a heading, a dashed
// underline and the lines of its independent operators, separated by empty
// lines. An IF is followed by its THEN block and ELSE block, each child six
// spaces deeper:
//
//   IF HOT (20,RED) = 1 THEN // 4 Operator 4
//   {
//         BETS RED // 1 Operator 1
//   } ELSE
//   {
//   }
//
// docs/formats/stg.md describes the format for players who write it by hand.

#include <string>
#include <vector>

#include "strategy/strategy.h"
#include "strategy/strategy_error.h"

namespace kv {

// Renders the strategy line by line. An IF never renders itself inside its
// own block: an entry that would re-enter an operator already being
// rendered is skipped (for a valid strategy that is only the direct
// self-reference the constructor may hold for a moment). The output stops
// after 20001 lines, so a strategy that checkStrategy refuses for its size
// still renders in bounded time, and Save refuses the result.
std::vector<std::string> StrategyText(const Strategy& s);

// The rendering of operator k alone, at the top level (one line, or the
// whole block of an IF).
std::vector<std::string> operatorText(const Strategy& s, int32_t k);

struct StrategyRead {
    bool ok = false;
    Strategy strategy;    // the whole strategy when ok; parameters' current = initiation
    StrategyError error;  // why not, when !ok
};

// Reads a StrategyText. Both the constructor (from its text box) and the
// tester (from the file) read through this one function; what they do with
// the result differs only in their windows. The result is built aside: on
// failure nothing of it is meant to be used.
//
// Refused, with the line named: more than 20000 lines; a line longer than
// kMaxStrategyLineLength; a parameter line without a space; more than 1000
// parameters; an operator number outside 1..1000; an operator line with "/"
// outside its "// "; a BET operand that is not one of the 16 keywords; a
// selection operand not of the form "KEYWORD (N,CHOICE) "; an unknown
// comparison; a PARAMETER line without " = "; a THEN or ELSE list of more
// than 30 entries; an IF block not closed by "}" at its own indent or nested
// deeper than 1000 levels; a bad integer.
// Refused without a line: a text with nothing but spaces in it; a text that
// ends before the "ALWAYS" heading's line of dashes; THEN/ELSE references
// forming a cycle (the message names the operators of the cycle) and a
// strategy that would render to more than 20000 lines. Messages quote the
// text through shownText. Reading takes time in proportion to the text.
StrategyRead readStrategyText(const std::vector<std::string>& lines);

}  // namespace kv
