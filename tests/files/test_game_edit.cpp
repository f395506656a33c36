#include <gtest/gtest.h>

#include <random>

#include "files/files_test_util.h"
#include "files/game_edit.h"
#include "files/game_file.h"

using namespace kv;
using kvtest::crlfLines;
using kvtest::readAll;
using kvtest::TempDir;
using kvtest::writeAll;

namespace {

// Spins 1..n (counted from the start) numbered n = spin, each with its own
// bet and result, so that moves are visible.
GameState numberedGame(int32_t n) {
    GameState s;
    s.NewGame();
    for (int32_t spin = 1; spin <= n; ++spin) {
        s.CurrentBets.clear();
        s.CurrentBets.at(3, 8) = spin;  // low
        s.RecordSpin(spin % 37);
        s.setResultHistory(spin, 1000 + spin);
    }
    s.CurrentBets.clear();
    return s;
}

// Spin number of the game (from the start) held at history position p.
int32_t spinAt(const GameState& s, int32_t p) { return s.SpinBets(p).at(3, 8); }

}  // namespace

TEST(CutGame, MiddleRangeMovesOlderSpinsForward) {
    GameState s = numberedGame(10);
    EXPECT_EQ(CutGame(s, 3, 5), 3);
    ASSERT_EQ(s.SpinCount, 7);
    // The five newest spins (10..6) keep positions 1..5; spins 2 and 1 follow.
    const int32_t expected[] = {10, 9, 8, 7, 6, 2, 1};
    for (int p = 1; p <= 7; ++p) EXPECT_EQ(spinAt(s, p), expected[p - 1]) << p;
    // ResultHistory keeps 1, 2, then the old entries 6..10.
    const int32_t results[] = {1001, 1002, 1006, 1007, 1008, 1009, 1010};
    for (int k = 1; k <= 7; ++k) EXPECT_EQ(s.ResultHistory(k), results[k - 1]) << k;
}

TEST(CutGame, DefaultsEmptyTheHistoryAndBadRangesAreSafe) {
    GameState s = numberedGame(10);
    EXPECT_EQ(CutGame(s, cutFieldValue("1", 1), cutFieldValue("", s.SpinCount)), 10);
    EXPECT_EQ(s.SpinCount, 0);

    s = numberedGame(10);
    EXPECT_EQ(CutGame(s, 6, 5), 0);    // first after last: nothing
    EXPECT_EQ(CutGame(s, 11, 20), 0);  // beyond the game: nothing
    EXPECT_EQ(s.SpinCount, 10);

    // Out-of-range ends are clamped to the spins that exist.
    EXPECT_EQ(CutGame(s, 0, 2), 2);  // removes spins 1 and 2
    EXPECT_EQ(s.SpinCount, 8);
    EXPECT_EQ(spinAt(s, 8), 3);
    EXPECT_EQ(s.ResultHistory(1), 1003);
    EXPECT_EQ(CutGame(s, 7, 1000000), 2);  // removes the two newest
    EXPECT_EQ(s.SpinCount, 6);
    EXPECT_EQ(spinAt(s, 1), 8);

    GameState empty;
    empty.NewGame();
    EXPECT_EQ(CutGame(empty, 1, 1), 0);
    EXPECT_EQ(empty.SpinCount, 0);
}

TEST(CutGame, FieldTextKeepsDigits) {
    EXPECT_EQ(cutFieldValue("1a2", 0), 12);
    EXPECT_EQ(cutFieldValue("", 7), 7);
    EXPECT_EQ(cutFieldValue("99999999999999", 0), INT32_MAX);
}

TEST(CutGame, ShrinksTheCapacityOfALongGame) {
    GameState s = numberedGame(3000);
    const int32_t cap = s.HistoryCapacity();
    CutGame(s, 1, 2990);
    EXPECT_EQ(s.SpinCount, 10);
    EXPECT_LT(s.HistoryCapacity(), cap);
    for (int p = 1; p <= 10; ++p) EXPECT_EQ(spinAt(s, p), 3001 - p);
}

TEST(AddGameToFile, CurrentGameBecomesTheNewestPart) {
    TempDir dir;
    GameState file = numberedGame(4);
    ASSERT_TRUE(SaveGame(file, dir / "f.gma").ok());
    const auto fileLines = crlfLines(readAll(dir / "f.gma"));

    GameState cur = numberedGame(3);
    cur.Balance = -77;
    cur.Credit = 55;
    ASSERT_TRUE(AddGameToFile(cur, dir / "f.gma").ok());
    const auto lines = crlfLines(readAll(dir / "f.gma"));
    ASSERT_EQ(lines.size(), 3u + 30u);  // count 7 and 10 records
    EXPECT_EQ(lines[0], "-77");
    EXPECT_EQ(lines[1], "55");
    EXPECT_EQ(lines[2], "7");
    // Records 4..10 are the file's 4 spin records and 3 of its filler records.
    for (size_t i = 3 + 9; i < lines.size(); ++i) EXPECT_EQ(lines[i], fileLines[i - 9]) << i;
    EXPECT_EQ(dir.fileCount(), 1u);  // no "f.gma0" or temporary file left

    GameState back;
    ASSERT_TRUE(OpenGame(back, dir / "f.gma").ok());
    EXPECT_EQ(back.SpinCount, 7);
    for (int p = 1; p <= 3; ++p) EXPECT_EQ(spinAt(back, p), 4 - p);
    EXPECT_EQ(cur.SpinCount, 3);  // the game in memory is untouched
}

TEST(AddGameToFile, DamagedFileStaysIntact) {
    TempDir dir;
    GameState cur = numberedGame(3);
    const std::vector<std::string> damaged = {
        "0\r\n0\r\n-4\r\n",                   // negative count
        "0\r\n0\r\n4\r\n1\r\n0 0 \r\n5\r\n",  // record with a short bet line
        "0\r\n0\r\n40\r\n",                   // records missing
    };
    for (const auto& bytes : damaged) {
        writeAll(dir / "d.gma", bytes);
        EXPECT_FALSE(AddGameToFile(cur, dir / "d.gma").ok());
        EXPECT_EQ(readAll(dir / "d.gma"), bytes);
        EXPECT_EQ(dir.fileCount(), 1u);
    }
    EXPECT_EQ(AddGameToFile(cur, dir / "nothing.gma").kind(), FileErrorKind::NotFound);
    EXPECT_FALSE(std::filesystem::exists(dir / "nothing.gma"));
}

TEST(AddFileToGame, FileSpinsBecomeOlder) {
    TempDir dir;
    GameState file = numberedGame(4);
    ASSERT_TRUE(SaveGame(file, dir / "f.gma").ok());

    GameState cur = numberedGame(3);
    cur.Balance = 12;
    ASSERT_TRUE(AddFileToGame(cur, dir / "f.gma").ok());
    EXPECT_EQ(cur.SpinCount, 7);
    EXPECT_EQ(cur.Balance, 12);
    for (int p = 4; p <= 7; ++p) EXPECT_EQ(spinAt(cur, p), 8 - p);
    // Results are stored at the same positions as the file's records.
    for (int j = 1; j <= 4; ++j) EXPECT_EQ(cur.ResultHistory(3 + j), 1000 + j);
}

TEST(AddFileToGame, BadFileChangesNothing) {
    TempDir dir;
    GameState before = numberedGame(5);
    for (const std::string bytes :
         {"0\r\n0\r\n-1\r\n", "0\r\n0\r\n3\r\n1\r\n", "0\r\n0\r\n2000000000\r\n", ""}) {
        writeAll(dir / "b.gma", bytes);
        GameState cur = before;
        EXPECT_FALSE(AddFileToGame(cur, dir / "b.gma").ok());
        EXPECT_EQ(cur.SpinCount, 5);
        kvtest::expectSameHistory(before, cur, 20);
    }
}
