#include "analysis/test_game_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace kv {

std::string shortestDecimal(double value, char separator) {
    char buffer[400];  // the longest fixed text of a double is 309 digits and a sign
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    std::string text(buffer, result.ptr);
    std::replace(text.begin(), text.end(), '.', separator);
    return text;
}

std::string twoDecimals(double value, char separator) {
    return shortestDecimal(std::nearbyint(value * 100) / 100, separator);
}

}  // namespace kv
