#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "calculate/field_real.h"
#include "core/generator.h"
#include "files/bet_text.h"

namespace kv {
namespace {

TEST(ParseFieldReal, ReadsEitherDecimalSeparator) {
    EXPECT_DOUBLE_EQ(ParseFieldReal("0,75"), 0.75);
    EXPECT_DOUBLE_EQ(ParseFieldReal(",5"), 0.5);
    EXPECT_DOUBLE_EQ(ParseFieldReal("5,"), 5.0);
}

TEST(ParseFieldReal, SkipsEverythingButDigitsAndTheFirstSeparator) {
    EXPECT_DOUBLE_EQ(ParseFieldReal("0a75"), 75.0);
    EXPECT_DOUBLE_EQ(ParseFieldReal("1,2,3"), 1.23);
    // No sign: the fields hold no negative numbers.
    EXPECT_DOUBLE_EQ(ParseFieldReal("-0.5"), 0.5);
    EXPECT_EQ(ParseFieldReal(""), 0.0);
    EXPECT_EQ(ParseFieldReal(",."), 0.0);
}

TEST(ParseFieldReal, LongTextsStayFinite) {
    EXPECT_DOUBLE_EQ(ParseFieldReal("0." + std::string(200, '3')), 1.0 / 3.0);
    EXPECT_EQ(ParseFieldReal(std::string(400, '9')), std::numeric_limits<double>::max());
    EXPECT_EQ(ParseFieldReal("0." + std::string(400, '0') + "1"), 0.0);
}

// The decimal-text fault: a number shown in the machine's own notation, or
// in exponent form, must not read back as something else.
TEST(FormatFieldReal, EveryShownNumberReadsBack) {
    for (int position = 0; position <= 100; ++position) {
        const double v = position / 100.0;
        for (const char sep : {'.', ','}) {
            const std::string text = FormatFieldReal(v, sep);
            EXPECT_EQ(ParseFieldReal(text), v) << text;
        }
    }
    EXPECT_EQ(FormatFieldReal(0.75), "0.75");
    EXPECT_EQ(FormatFieldReal(0.75, ','), "0,75");
    EXPECT_EQ(FormatFieldReal(2.0), "2");

    // Values that a general format writes with an exponent ("1e-05" would
    // read back as 105).
    for (const double v : {1e-5, 1.5e-7, 2.5e-12, 1e20, 123456789012345678.0}) {
        const std::string text = FormatFieldReal(v);
        EXPECT_EQ(text.find_first_of("eE+-"), std::string::npos) << text;
        EXPECT_NEAR(ParseFieldReal(text), v, v * 1e-14) << text;
    }
}

TEST(FormatFieldReal, RandomDownturnFactorsRoundTrip) {
    // "Random Play" writes reals of [0.01, 1.01); what it shows is what the
    // next run reads, and showing that again gives the same text.
    Generator g(12345);
    for (int i = 0; i < 2000; ++i) {
        const double v = g.RandomFloat() + 0.01;
        const std::string text = FormatFieldReal(v, i % 2 ? ',' : '.');
        const double back = ParseFieldReal(text);
        EXPECT_NEAR(back, v, 1e-14) << text;
        EXPECT_EQ(FormatFieldReal(back, i % 2 ? ',' : '.'), text);
        // At most 15 significant digits, as the standard text form shows.
        const std::string digits = keepDigits(text);
        EXPECT_LE(digits.size() - digits.find_first_not_of('0'), 15u) << text;
    }
}

TEST(FormatFieldReal, NothingUnreadableIsShown) {
    EXPECT_EQ(FormatFieldReal(-0.5), "0");
    EXPECT_EQ(FormatFieldReal(std::nan("")), "0");
    EXPECT_EQ(FormatFieldReal(std::numeric_limits<double>::infinity()), "0");
    // Rounding to 15 digits can carry into a new leading digit.
    EXPECT_EQ(FormatFieldReal(9.9999999999999999), "10");
    EXPECT_EQ(FormatFieldReal(0.99999999999999999), "1");
}

TEST(FieldInteger, RoundsHalfToEvenAndCaps) {
    EXPECT_EQ(FieldInteger("2,5"), 2);
    EXPECT_EQ(FieldInteger("3.5"), 4);
    EXPECT_EQ(FieldInteger("2.51"), 3);
    EXPECT_EQ(FieldInteger("99999999999"), std::numeric_limits<int32_t>::max());
    EXPECT_EQ(FieldInteger(std::string(400, '9')), std::numeric_limits<int32_t>::max());
}

}  // namespace
}  // namespace kv
