#include <gtest/gtest.h>

#include "files/bet_text.h"
#include "files/file_status.h"

using namespace kv;

TEST(FileStatusTexts, StandardMessages) {
    EXPECT_EQ(FileStatus::notFound().message(), "File not found");
    EXPECT_EQ(FileStatus::ioError(28).message(), "I/O error 28");
    EXPECT_EQ(FileStatus::badInteger("12x").message(), "'12x' is not a valid integer value");
    // A huge offending text is cut so the message box stays usable.
    EXPECT_LT(FileStatus::badInteger(std::string(100000, '7')).message().size(), 200u);
}

TEST(FileStatusTexts, IntegersAreStrict) {
    EXPECT_EQ(parseInt32("-2147483648"), INT32_MIN);
    EXPECT_EQ(parseInt32("2147483647"), INT32_MAX);
    EXPECT_EQ(parseInt32("007"), 7);
    for (const char* bad : {"", "-", "+5", " 5", "5 ", "2147483648", "-2147483649", "1e3", "0x10", "5\r"}) {
        EXPECT_FALSE(parseInt32(bad).has_value()) << bad;
    }
    int32_t v = 99;
    EXPECT_EQ(parseInt32("abc", v).message(), "'abc' is not a valid integer value");
    EXPECT_EQ(v, 99);
}

TEST(ChangeCase, LatinAndCyrillic) {
    EXPECT_EQ(ChangeCase(".GMA", CaseDirection::ToLower), ".gma");
    EXPECT_EQ(ChangeCase("Game.Txt 1_2", CaseDirection::ToUpper), "GAME.TXT 1_2");
    // Windows-1251: capitals 192..223 and io 168; small letters 224..255 and io 184.
    std::string upper, lower;
    for (int b = 192; b <= 223; ++b) upper.push_back(static_cast<char>(b));
    for (int b = 224; b <= 255; ++b) lower.push_back(static_cast<char>(b));
    upper.push_back(static_cast<char>(168));
    lower.push_back(static_cast<char>(184));
    EXPECT_EQ(ChangeCase(upper, CaseDirection::ToLower), lower);
    EXPECT_EQ(ChangeCase(lower, CaseDirection::ToUpper), upper);
    // Other bytes pass unchanged both ways.
    std::string others;
    for (int b = 0; b < 192; ++b) {
        if ((b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z') || b == 168 || b == 184) continue;
        others.push_back(static_cast<char>(b));
    }
    EXPECT_EQ(ChangeCase(others, CaseDirection::ToLower), others);
    EXPECT_EQ(ChangeCase(others, CaseDirection::ToUpper), others);
}

TEST(FileNames, GmaAndTxtRules) {
    EXPECT_EQ(gmaFileName("game"), "game");  // four characters or fewer: unchanged
    EXPECT_EQ(gmaFileName("games"), "games.gma");
    EXPECT_EQ(gmaFileName("game.txt"), "game.txt.gma");
    EXPECT_EQ(gmaFileName("GAME.GMA"), "GAME.GMA");
    EXPECT_EQ(gmaFileName("/tmp/x/a.Gma"), "/tmp/x/a.Gma");
    EXPECT_EQ(textFileName("game"), "game.txt");
    EXPECT_EQ(textFileName(".txt"), ".txt.txt");
    EXPECT_EQ(textFileName("spins.TXT"), "spins.TXT");
    EXPECT_EQ(textFileName("spins.gma"), "spins.gma.txt");
    EXPECT_EQ(keepDigits("1a2"), "12");
}

TEST(BetLine, ExactFormAndRoundTrip) {
    BetGrid empty;
    std::string zeros;
    for (int i = 0; i < 208; ++i) zeros += "0 ";
    EXPECT_EQ(BetsToText(empty), zeros);

    BetGrid g;
    g.at(1, 1) = 5;    // first cell of the line
    g.at(26, 8) = -7;  // last cell
    g.at(3, 7) = 2147483647;
    g.at(2, 1) = 12;  // column 2 row 1 is the 9th number
    const std::string line = BetsToText(g);
    EXPECT_EQ(line.back(), ' ');
    EXPECT_EQ(line.rfind("5 0 0 0 0 0 0 0 12 ", 0), 0u);
    EXPECT_NE(line.find(" -7 "), std::string::npos);

    BetGrid back;
    ASSERT_TRUE(TextToBets(line, back).ok());
    EXPECT_EQ(back, g);
    // Text after the 208th space is ignored.
    ASSERT_TRUE(TextToBets(line + "junk 9", back).ok());
    EXPECT_EQ(back, g);
}

TEST(BetLine, MalformedLinesChangeNothing) {
    BetGrid g;
    g.at(5, 5) = 3;
    const BetGrid before = g;
    std::string short207;
    for (int i = 0; i < 207; ++i) short207 += "1 ";
    // 207 numbers and a last one without its space.
    auto st = TextToBets(short207 + "1", g);
    EXPECT_EQ(st.message(), "'1' is not a valid integer value");
    EXPECT_EQ(g, before);
    st = TextToBets(short207, g);
    EXPECT_EQ(st.message(), "'' is not a valid integer value");
    // Two spaces in a row give an empty number.
    EXPECT_FALSE(TextToBets("1  " + short207, g).ok());
    EXPECT_EQ(TextToBets("x " + short207, g).message(), "'x' is not a valid integer value");
    EXPECT_EQ(g, before);
}
