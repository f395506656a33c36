#pragma once
// The small text routines that the game files share: case conversion of
// 8-bit Windows-1251 text, the bet line of one BetGrid, and the rules that
// complete a chosen file name.

#include <string>
#include <string_view>

#include "core/roulette.h"
#include "files/file_status.h"

namespace kv {

enum class CaseDirection { ToUpper, ToLower };

// Latin and Cyrillic (Windows-1251) letters; every other byte is kept.
std::string ChangeCase(std::string_view text, CaseDirection direction);

// The 208 cells, column by column (column 1 rows 1..8, then column 2, ...),
// each as a decimal integer followed by one space.
std::string BetsToText(const BetGrid& grid);
void appendBetsText(std::string& out, const BetGrid& grid);
// Reads the 208 space-terminated numbers of a bet line into grid; text after
// the 208th space is ignored. A line with fewer numbers, or a number that
// does not convert, gives the conversion error and leaves grid unchanged.
FileStatus TextToBets(std::string_view line, BetGrid& grid);

// Save Game: ".gma" is appended unless the name (longer than 4 characters)
// already ends with it in any letter case.
std::string gmaFileName(std::string_view chosen);
// Export Game: ".txt" is appended unless the name (longer than 4 characters)
// already ends with it in any letter case.
std::string textFileName(std::string_view chosen);

// The digits 0..9 of the text, in order; everything else is dropped: what
// the digit-only fields (Cut Game, "Statistic Numbers", "Errors") accept.
std::string keepDigits(std::string_view text);

}  // namespace kv
