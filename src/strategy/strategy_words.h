#pragma once
// The words of the strategy language: the 16 operand keywords, the 47
// qualifiers of the selection keywords (CategoryChoice), the section
// headings and the texts of comparisons and operations. Codes are the
// positions in these lists, which are also the values stored in a
// StrategyOperator.

#include <cstdint>
#include <optional>
#include <string_view>

namespace kv {

// Operand keywords in their fixed order: code 0..15.
inline constexpr int kOperandKeywordCount = 16;
enum OperandKeyword : int {
    kwOLD = 0,
    kwNEW,
    kwCOLD,
    kwHOT,
    kwRED,
    kwBLACK,
    kwODD,
    kwEVEN,
    kwLOW,
    kwHIGH,
    kwDOZ1,
    kwDOZ2,
    kwDOZ3,
    kwCOL1,
    kwCOL2,
    kwCOL3
};
// "OLD" .. "COL3"; "" for a code outside 0..15.
const char* operandKeywordText(int code);
// The code of a keyword spelled exactly (case-sensitive), or nothing.
std::optional<int> operandKeywordCode(std::string_view text);
// OLD, NEW, COLD and HOT take a window N and a CategoryChoice.
bool isSelectionKeyword(std::string_view text);
inline bool isSelectionCode(int code) { return code >= kwOLD && code <= kwHOT; }

// CategoryChoice: 0 RED .. 11 COL3, then 12..46 the counts "1".."35".
inline constexpr int kCategoryChoiceCount = 47;
inline constexpr int kFirstCountChoice = 12;
// The text of entry `index`; "" outside 0..46.
const char* CategoryChoice(int index);
// RED..COL3 give 0..11, a number text n = 1..35 gives n + 11.
std::optional<int> categoryChoiceIndex(std::string_view text);

// Section headings "ALWAYS", "WIN", "LOSE", "DRAWN GAME", "ALWAYS 2".
inline constexpr int kSectionCount = 5;
const char* sectionHeading(int section);

// "IF", "PARAMETER", "BET".
inline constexpr int kOperatorKindCount = 3;
const char* operatorKindText(int kind);

// "=", ">=", "<=", ">", "<", "<>".
inline constexpr int kComparisonCount = 6;
const char* comparisonText(int comparison);
std::optional<int> comparisonCode(std::string_view text);

// " " (none), "+", "-", "*", "\", "mod", "^", "sqrt".
inline constexpr int kOperationCount = 8;
const char* operationText(int operation);
// The operation of a token; any other token means none (0).
int operationCode(std::string_view token);

}  // namespace kv
