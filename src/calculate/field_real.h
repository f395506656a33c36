#pragma once
// Reading and writing the real numbers of the Calculate fields.
//
// The field texts come from the user, from the settings file of earlier runs
// and from the program itself, written with a decimal comma or a decimal
// point depending on the machine that wrote them. ParseFieldReal reads both;
// FormatFieldReal writes only texts that ParseFieldReal reads back to the
// same number, so a value the program shows is the value it later uses.

#include <cstdint>
#include <string>
#include <string_view>

namespace kv {

// The number in a field text, whatever its decimal separator. Digits before
// the first "," or "." form the integer part, all digits after it the
// fraction; every other character (signs, letters, a second separator) is
// skipped. An empty part counts as 0. So "0,75" and "0.75" give 0.75,
// "0a75" gives 75, "1,2,3" gives 1.23 and a text without digits gives 0.
// The result is the decimal value correctly rounded to a double, never
// negative; a text too long for a double gives the largest finite double.
double ParseFieldReal(std::string_view text);

// Text of v in plain decimal notation (no exponent), at most 15 significant
// digits, trailing zeros dropped, with the given decimal separator: 0.75
// gives "0.75", 0.3 gives "0.3", 2 gives "2". ParseFieldReal reads every
// such text back to the number it shows. The fields hold no negative
// numbers, so a negative, infinite or NaN value is written as "0".
std::string FormatFieldReal(double v, char decimalSeparator = '.');

// A field value as a whole number: ParseFieldReal rounded to the nearest
// integer (an exact half to the even neighbour), capped at INT32_MAX.
int32_t FieldInteger(std::string_view text);

}  // namespace kv
