#pragma once
// The editing rules of the strategy constructor that do not depend on its
// controls: which names a parameter or operator may take, how a typed
// initiation value is read, what deleting and clearing do to the model, and
// the THEN/ELSE assignments, which are refused when they would make the
// strategy endless (an IF reaching itself through its lists) or too large to
// be written.

#include <cstdint>
#include <string>
#include <string_view>

#include "strategy/strategy.h"

namespace kv {

// --- Parameters -------------------------------------------------------

// The typed name in upper case (Latin and Cyrillic letters), with every
// character other than "A".."Z" and "0".."9" dropped: "bet 2" -> "BET2".
std::string filterParameterName(std::string_view typed);

// True for the names the language keeps for itself (BET, the twelve bet
// categories and OLD, NEW, COLD, HOT), in any letter case.
bool isReservedParameterName(std::string_view name);

// Whether a parameter named `filtered` (already filtered) may be added: not
// empty (an empty name could not be read back), not reserved, not taken,
// and the strategy not full.
bool canAddParameter(const Strategy& s, std::string_view filtered);

// The decimal digits before the first "," or "." form the integer part, the
// digits after it the fraction; every other character is ignored and a
// missing part counts as 0. Negative when the text is longer than one
// character and begins with "-". "-1,5" -> -1.5, "1.2.3" -> 1.23.
double ParseSignedDecimal(std::string_view text);

// An initiation value typed in the constructor: ParseSignedDecimal rounded
// to the nearest integer (an exact half to the even neighbour), held within
// the 32-bit range.
int32_t initiationFromText(std::string_view text);

// Removes parameter `index` (2..count; BET, parameter 1, stays). Operators
// that use its name are left as they are.
void deleteParameter(Strategy& s, int32_t index);

// --- Operators --------------------------------------------------------

// "Operator " + k for the smallest k >= 1 that no operator is named.
std::string defaultOperatorName(const Strategy& s);

// The name of an operator added while the name box shows `typed`: the typed
// text, unless it is empty or already names an operator.
std::string newOperatorName(const Strategy& s, std::string_view typed);

// An operator line holds "/" only in the "// " before its number, so a name
// with "/" in it could not be read back.
bool isWritableOperatorName(std::string_view name);

// A typed operand (parameter name or integer literal) as one token of the
// text: spaces and "/" dropped, since either would split or break the line;
// an operand left empty becomes "0".
std::string operandToken(std::string_view typed);

// Removes operator k; later operators move down one number. THEN/ELSE
// entries of the others follow their operators: entries of k become empty
// slots, entries above k go down by one.
void deleteOperator(Strategy& s, int32_t k);

// "Clear": no operators, only the parameter BET (its values kept); the
// description stays.
void clearOperatorsAndParameters(Strategy& s);

// Why a change to the model cannot be kept: the cycle it would make, or the
// size of the text. Empty when the strategy is finite and writable.
std::string strategyRefusal(const Strategy& s);

// Replaces operator k by `edited` (its name and lists are kept from the
// model). Refused, leaving the model unchanged, when the change would make
// the strategy endless or too large (e.g. an operator with old lists turned
// back into an IF). Returns the reason, or an empty string.
std::string storeOperatorFields(Strategy& s, int32_t k, const StrategyOperator& edited);

// One THEN or ELSE assignment: slot (1..30) of operator k's list gets
// operator `target` (0 = empty). An operator named as its own target is
// stored as empty: an IF cannot pick itself. Refused, leaving the model
// unchanged, when it would make the strategy endless or too large; returns
// the reason, or an empty string.
enum class ListKind { Then, Else };
std::string assignListSlot(Strategy& s, int32_t k, ListKind list, int slot, int32_t target);

}  // namespace kv
