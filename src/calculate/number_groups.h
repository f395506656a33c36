#pragma once
// Placement of the advisor's single-number advice: neighbouring marked
// numbers are gathered into combined bets (six-lines, corners, trios,
// streets, splits), largest groups first, so that each number is covered at
// most once and with as few chips as the table allows.

#include <array>
#include <vector>

#include "core/table_geometry.h"

namespace kv {

// marked: the numbers to cover (flag 1 of NumberAdvice in normal mode, flag
// 2 when turned round). W, M1, M2: the weighted sums and means of the same
// NumberAdvice. Returns the table points to click, one click per chip, in
// order: a group gets its base number of chips (six-line 3, corner, trio and
// street 2, split 1), plus one when its mean weight is below M1 (normal) or
// above M2 (inverted); numbers left over get one straight chip each.
std::vector<TablePoint> PlaceNumberGroups(std::array<bool, 37> marked, const std::array<long double, 37>& W,
                                          long double M1, long double M2, bool inverted);

}  // namespace kv
