#include <gtest/gtest.h>

#include <random>

#include "files/files_test_util.h"
#include "files/text_exchange.h"

using namespace kv;
using kvtest::readAll;
using kvtest::TempDir;
using kvtest::writeAll;

TEST(TextExport, NamesAndLines) {
    EXPECT_EQ(betCellName(1, 1), "0");
    EXPECT_EQ(betCellName(2, 1), "0_3");
    EXPECT_EQ(betCellName(3, 6), "1_2_3");
    EXPECT_EQ(betCellName(4, 6), "1_2_3_4_5_6");
    EXPECT_EQ(betCellName(26, 1), "3c");
    EXPECT_EQ(betCellName(19, 7), "3d");
    EXPECT_EQ(betCellName(11, 8), "r");
    EXPECT_EQ(betCellName(1, 2), "");  // no bet spot

    BetGrid g;
    g.at(11, 8) = 10;
    g.at(3, 7) = 5;
    g.at(6, 4) = 2;  // corner 4-5-7-8
    EXPECT_EQ(exportLine(17, g), "17 1d-5 4_5_7_8-2 r-10");
    EXPECT_EQ(exportLine(5, BetGrid{}), "5");
}

TEST(TextExport, HistoryOldestFirst) {
    TempDir dir;
    GameState s;
    s.NewGame();
    ASSERT_TRUE(ExportGame(s, dir / "e.txt").ok());
    EXPECT_EQ(readAll(dir / "e.txt"), "");

    s.RecordSpin(12);
    s.RecordSpin(0);
    s.CurrentBets.at(7, 8) = 10;  // odd
    s.RecordSpin(5);
    ASSERT_TRUE(ExportGame(s, dir / "e.txt").ok());
    EXPECT_EQ(readAll(dir / "e.txt"), "12\r\n0\r\n5 o-10\r\n");
}

namespace {
GameState importText(const std::string& text, FileStatus* status = nullptr) {
    TempDir dir;
    writeAll(dir / "i.txt", text);
    GameState s;
    s.NewGame();
    const auto st = ImportGame(s, dir / "i.txt");
    if (status)
        *status = st;
    else
        EXPECT_TRUE(st.ok()) << st.message();
    return s;
}
}  // namespace

TEST(TextImport, LenientReading) {
    GameState s = importText("1\r\n\r\n2\n\n3\r4\r\n5");
    EXPECT_EQ(s.SpinCount, 5);
    for (int p = 1; p <= 5; ++p) EXPECT_EQ(s.SpinHistory(p), 6 - p);

    s = importText("17 R-10\r\n17 r_10\r\n17 1d-5 1D-5\r\n#:  9   3C-4  e*2\r\n");
    EXPECT_EQ(s.SpinCount, 4);
    EXPECT_EQ(s.SpinBets(4).at(11, 8), 10);
    EXPECT_EQ(s.SpinBets(2).at(3, 7), 10);  // a cell named twice gets the sum
    EXPECT_EQ(s.SpinHistory(1), 9);
    EXPECT_EQ(s.SpinBets(1).at(26, 1), 4);
    EXPECT_EQ(s.SpinBets(1).at(19, 8), 2);

    s = importText("1 0_1_2-3 4_5-2 4_7-2 0-1 0_3-4 5_4-6 1_2_3-7 1_2_3_4_5_6-8");
    const BetGrid& g = s.SpinBets(1);
    EXPECT_EQ(g.at(2, 4), 3);      // trio 0-1-2
    EXPECT_EQ(g.at(5, 4), 2 + 6);  // split 4-5 (one row up from 4), also named 5_4
    EXPECT_EQ(g.at(6, 5), 2);      // split 4-7: one column right of 4
    EXPECT_EQ(g.sum(), 3 + 2 + 2 + 1 + 4 + 7 + 8 + 6);

    // Five numbers, or more than six, are no bet: the token is passed over.
    s = importText("3 1_2_3_4_5-9 1_2_3_4_5_6_7-9 r-1");
    EXPECT_EQ(s.SpinBets(1).sum(), 1);
}

TEST(TextImport, ImportKeepsMoneyAndResults) {
    TempDir dir;
    writeAll(dir / "i.txt", "3\r\n4\r\n");
    GameState s;
    s.NewGame();
    s.Balance = -42;
    s.setResultHistory(1, 777);
    s.CurrentBets.at(1, 1) = 3;
    ASSERT_TRUE(ImportGame(s, dir / "i.txt").ok());
    EXPECT_EQ(s.Balance, -42);
    EXPECT_EQ(s.ResultHistory(1), 777);
    EXPECT_EQ(s.CurrentBets.at(1, 1), 3);
}

TEST(TextImport, RefusedFilesChangeNothing) {
    struct Case {
        std::string text;
        std::string message;
    };
    const std::vector<Case> cases = {
        {"5\r\nred\r\n", "Line 2: 'red' holds no spin number"},
        {"5\r\n7 4_5\r\n", "Line 2: '4_5' has no amount"},
        {"5\r\n\r\n7 5_9-1\r\n", "Line 3: '5_9-1' is no bet of the table"},
        {"7 4_4-1", "Line 1: '4_4-1' is no bet of the table"},
        {"40 r-1", "Line 1: '40' is not a number of the wheel"},
        {"7 r-x", "'x' is not a valid integer value"},
        {"7 1d", "'' is not a valid integer value"},
        {"7 a_5-1", "'a' is not a valid integer value"},
        {"7 r-2000000000 r-2000000000", "Line 1: 'r' is bet beyond the integer range"},
        {"   \r\n", "Line 1: '   ' holds no spin number"},
    };
    for (const auto& c : cases) {
        TempDir dir;
        writeAll(dir / "i.txt", c.text);
        GameState s;
        s.NewGame();
        s.RecordSpin(9);
        const auto st = ImportGame(s, dir / "i.txt");
        EXPECT_EQ(st.message(), c.message) << c.text;
        EXPECT_EQ(s.SpinCount, 1);
        EXPECT_EQ(s.SpinHistory(1), 9);
    }
}

TEST(TextImport, ExportImportRoundTrip) {
    TempDir dir;
    std::mt19937 rng(11);
    for (const int32_t n : {0, 1, 57, 1600}) {
        GameState s;
        kvtest::fillRandomGame(s, rng, n);
        ASSERT_TRUE(ExportGame(s, dir / "rt.txt").ok());
        GameState t;
        t.NewGame();
        ASSERT_TRUE(ImportGame(t, dir / "rt.txt").ok());
        ASSERT_EQ(t.SpinCount, n);
        for (int32_t p = 1; p <= n; ++p) {
            ASSERT_EQ(t.SpinHistory(p), s.SpinHistory(p));
            ASSERT_EQ(t.SpinBets(p), s.SpinBets(p));
        }
    }
}
