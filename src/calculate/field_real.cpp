#include "calculate/field_real.h"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>

#include "core/wheel.h"

namespace kv {

double ParseFieldReal(std::string_view text) {
    // The digits are gathered into the canonical text "integer.fraction" and
    // converted in one go, which rounds correctly however many digits there
    // are (summing powers of ten would drift, or overflow on long input).
    std::string integerPart;
    std::string fraction;
    bool seenSeparator = false;
    bool nonZero = false;
    for (const char ch : text) {
        if (ch == ',' || ch == '.') {
            seenSeparator = true;
            continue;
        }
        if (ch < '0' || ch > '9') continue;
        if (ch != '0') nonZero = true;
        if (seenSeparator) {
            fraction += ch;
        } else if (!(integerPart.empty() && ch == '0')) {
            integerPart += ch;  // leading zeros add nothing
        }
    }
    if (!nonZero) return 0.0;
    std::string canonical = integerPart.empty() ? "0" : integerPart;
    if (!fraction.empty()) canonical += "." + fraction;
    double v = 0.0;
    const auto [ptr, ec] = std::from_chars(canonical.data(), canonical.data() + canonical.size(), v);
    if (ec == std::errc::result_out_of_range) {
        // Too large, or a fraction so small that it rounds to nothing.
        return integerPart.empty() ? 0.0 : std::numeric_limits<double>::max();
    }
    return v;
}

std::string FormatFieldReal(double v, char decimalSeparator) {
    if (!std::isfinite(v) || !(v > 0.0)) return "0";
    // The scientific form tells the decimal exponent after rounding to 15
    // digits (9.9999999999999999 rounds up to 10, which has one more digit
    // before the point).
    std::array<char, 64> sci{};
    const auto sciEnd =
        std::to_chars(sci.data(), sci.data() + sci.size(), v, std::chars_format::scientific, 14).ptr;
    int exponent = 0;
    for (const char* p = sci.data(); p != sciEnd; ++p) {
        if (*p == 'e') {
            std::from_chars(p + (p[1] == '+' ? 2 : 1), sciEnd, exponent);
            break;
        }
    }
    const int precision = exponent >= 14 ? 0 : 14 - exponent;
    // Fixed notation of a double needs at most 309 integer digits and here
    // at most 14 + 324 fraction digits.
    std::array<char, 700> buf{};
    const auto end =
        std::to_chars(buf.data(), buf.data() + buf.size(), v, std::chars_format::fixed, precision).ptr;
    std::string out(buf.data(), end);
    const auto point = out.find('.');
    if (point != std::string::npos) {
        while (out.back() == '0') out.pop_back();
        if (out.back() == '.')
            out.pop_back();
        else
            out[point] = decimalSeparator;
    }
    return out;
}

int32_t FieldInteger(std::string_view text) {
    const double v = ParseFieldReal(text);
    constexpr double kMax = std::numeric_limits<int32_t>::max();
    if (v >= kMax) return std::numeric_limits<int32_t>::max();
    return roundHalfEven(v);
}

}  // namespace kv
