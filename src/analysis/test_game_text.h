#pragma once
// Number formats of the Test Game report lines.

#include <string>

namespace kv {

// The shortest fixed-point text that reads back as the same double, with
// `separator` as the decimal separator: 0.5 -> "0.5", 2 -> "2".
std::string shortestDecimal(double value, char separator = '.');
// Rounded to two decimals (a half to even), then written shortest:
// 97.297 -> "97.3", 100 -> "100".
std::string twoDecimals(double value, char separator = '.');

}  // namespace kv
