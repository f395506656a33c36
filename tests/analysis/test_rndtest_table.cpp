#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>

#include "analysis/rndtest_table.h"
#include "analysis/test_game_concentration.h"

using namespace kv;

namespace {

std::string tableText(const std::string& line, const std::string& eol, int count = kRndTestLineCount) {
    std::string s;
    for (int i = 0; i < count; ++i) s += line + eol;
    return s;
}

std::filesystem::path tempFile(const std::string& name, const std::string& content) {
    const auto path = std::filesystem::temp_directory_path() / ("kv_rndtest_" + name);
    std::ofstream(path, std::ios::binary) << content;
    return path;
}

}  // namespace

TEST(ParseDecimal, ReadsADecimalFractionAsADecimalFraction) {
    // The fraction is decimal: "3.05" is not 3.5, "0.0625" is not 0.625.
    EXPECT_EQ(ParseDecimal("3.05"), 3.05);
    EXPECT_EQ(ParseDecimal("0.0625"), 0.0625);
    EXPECT_EQ(ParseDecimal("0.014318181818"), 0.014318181818);
    // Any non-digit separates; no separator, or nothing after it, is a whole number.
    EXPECT_EQ(ParseDecimal("3,05"), 3.05);
    EXPECT_EQ(ParseDecimal("12."), 12.0);
    EXPECT_EQ(ParseDecimal(" 0.5\t"), 0.5);
}

TEST(ParseDecimal, RefusesWhatIsNoNumber) {
    for (const char* bad : {"", " ", ".5", "-1", "+1", "1.2.3", "abc", "1.5x", "1 .5", "1..5"})
        EXPECT_FALSE(ParseDecimal(bad).has_value()) << "'" << bad << "'";
}

TEST(RndTestTable, ReadsNineThousandNineHundredNinetyNineLinesTimesOnePointOne) {
    for (const std::string eol : {"\r\n", "\n", "\r"}) {
        std::string text;
        for (int L = kRndTestFirstLength; L <= kRndTestLastLength; ++L)
            text += "0.0" + std::to_string(L) + eol;  // a different value per length
        const RndTestTable t = RndTestTable::parse(text);
        ASSERT_TRUE(t.present()) << t.problem();
        EXPECT_EQ(t.limit(4), *ParseDecimal("0.04") * 1.1);
        EXPECT_EQ(t.limit(10002), *ParseDecimal("0.010002") * 1.1);
        EXPECT_EQ(t.limit(123), *ParseDecimal("0.0123") * 1.1);
    }
    // Whatever follows the 9,999th line is not read, and a last line without
    // its line end counts.
    EXPECT_TRUE(RndTestTable::parse(tableText("0.5", "\r\n") + "garbage\r\n").present());
    std::string noFinalEol = tableText("0.5", "\r\n");
    noFinalEol.resize(noFinalEol.size() - 2);
    EXPECT_TRUE(RndTestTable::parse(noFinalEol).present());
}

TEST(RndTestTable, MissingShortOrDamagedFileGivesAMissingTable) {
    const RndTestTable none = RndTestTable::read("/nonexistent/folder/rndtest.dat");
    EXPECT_FALSE(none.present());
    EXPECT_NE(none.problem().find("cannot be opened"), std::string::npos);

    const RndTestTable shortTable = RndTestTable::parse(tableText("0.5", "\r\n", kRndTestLineCount - 1));
    EXPECT_FALSE(shortTable.present());
    EXPECT_NE(shortTable.problem().find("9998 of 9999"), std::string::npos);

    EXPECT_FALSE(RndTestTable::parse("").present());
    // A blank line in the middle is a damaged table, not a limit of 0.
    std::string blank = tableText("0.5", "\r\n", 100) + "\r\n" + tableText("0.5", "\r\n");
    const RndTestTable damaged = RndTestTable::parse(blank);
    EXPECT_FALSE(damaged.present());
    EXPECT_NE(damaged.problem().find("line 101"), std::string::npos);

    const RndTestTable longLine =
        RndTestTable::parse(std::string(5000, '1') + "\r\n" + tableText("0.5", "\r\n"));
    EXPECT_FALSE(longLine.present());

    EXPECT_FALSE(RndTestTable::fromLimits(std::vector<double>(10, 1.0)).present());
}

TEST(RndTestTable, ReadsAFileFromDisk) {
    const auto good = tempFile("good.dat", tableText("0.0725", "\r\n"));
    const RndTestTable t = RndTestTable::read(good);
    ASSERT_TRUE(t.present());
    EXPECT_EQ(t.limit(500), 0.0725 * 1.1);
    const auto bad = tempFile("short.dat", tableText("0.0725", "\r\n", 20));
    EXPECT_FALSE(RndTestTable::read(bad).present());
    std::filesystem::remove(good);
    std::filesystem::remove(bad);
}

TEST(RndTestTable, ShippedTableReadsBackWithoutTies) {
    // Every limit of the shipped file lies half-way between two range counts
    // (1.1 * value * L = c + 1/2), so no rounding can move a window across
    // it, and no two neighbouring lengths share a limit (which would skip one).
    const RndTestTable t = RndTestTable::read(std::filesystem::path(KV_SOURCE_DIR) / "data" / "rndtest.dat");
    ASSERT_TRUE(t.present()) << t.problem();
    for (int L = kRndTestFirstLength; L <= kRndTestLastLength; ++L) {
        const double scaled = t.limit(L) * L;
        const double frac = scaled - std::floor(scaled);
        EXPECT_NEAR(frac, 0.5, 1e-6) << "L=" << L;
        const int32_t c = concentrationThreshold(t.limit(L), L);
        EXPECT_EQ(c, static_cast<int32_t>(std::min<double>(std::floor(scaled), L))) << "L=" << L;
        if (L > kRndTestFirstLength) {
            EXPECT_NE(t.limit(L), t.limit(L - 1)) << "L=" << L;
        }
    }
    // Four spins of one number are possible on a fair wheel often enough;
    // a long window with a huge range is not.
    EXPECT_GE(t.limit(4), 1.0);
    EXPECT_LT(t.limit(10000), 0.1);
}
