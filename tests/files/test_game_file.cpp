#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <random>

#include "files/bet_text.h"
#include "files/files_test_util.h"
#include "files/game_file.h"

using namespace kv;
using kvtest::crlfLines;
using kvtest::readAll;
using kvtest::TempDir;
using kvtest::writeAll;

namespace {

std::string zerosLine() {
    std::string s;
    for (int i = 0; i < 208; ++i) s += "0 ";
    return s;
}

// A game file as another program would write it, with the given line end.
std::string handFile(int32_t balance, int32_t credit, const std::vector<int>& numbers, int32_t count,
                     const std::string& eol) {
    std::string s =
        std::to_string(balance) + eol + std::to_string(credit) + eol + std::to_string(count) + eol;
    for (size_t k = 0; k < numbers.size(); ++k) {
        s += std::to_string(numbers[k]) + eol + zerosLine() + eol + std::to_string(100 + k) + eol;
    }
    return s;
}

}  // namespace

TEST(GameFile, EmptyGameIs33Lines) {
    TempDir dir;
    GameState s;
    s.NewGame();
    ASSERT_TRUE(SaveGame(s, dir / "a.gma").ok());
    const std::string text = readAll(dir / "a.gma");
    const auto lines = crlfLines(text);
    ASSERT_EQ(lines.size(), 33u);
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
    EXPECT_EQ(lines[0], "-500");
    EXPECT_EQ(lines[1], "500");
    EXPECT_EQ(lines[2], "0");
    // Filler records carry what the lists hold: New Game's placeholders.
    for (int k = 1; k <= 10; ++k) {
        EXPECT_EQ(lines[3 * k], std::to_string(s.SpinHistory(k)));
        EXPECT_EQ(lines[3 * k + 1], zerosLine());
    }
}

TEST(GameFile, RecordOrderAndFiller) {
    TempDir dir;
    GameState s;
    s.NewGame();
    s.CurrentBets.at(11, 8) = 10;  // red
    s.RecordSpin(7);
    s.setResultHistory(1, 490);
    s.CurrentBets.clear();
    s.CurrentBets.at(3, 7) = 4;
    s.RecordSpin(20);
    s.setResultHistory(2, 486);
    s.CurrentBets.clear();
    ASSERT_TRUE(SaveGame(s, dir / "g.gma").ok());
    const auto lines = crlfLines(readAll(dir / "g.gma"));
    ASSERT_EQ(lines.size(), 33u);
    EXPECT_EQ(lines[2], "2");
    // Record 1: the latest number with its bets and the result after the first spin.
    EXPECT_EQ(lines[3], "20");
    EXPECT_EQ(lines[4], BetsToText(s.SpinBets(1)));
    EXPECT_EQ(lines[5], "490");
    EXPECT_EQ(lines[6], "7");
    EXPECT_EQ(lines[8], "486");

    GameState t;
    t.NewGame();
    t.CurrentBets.at(1, 1) = 9;
    ASSERT_TRUE(OpenGame(t, dir / "g.gma").ok());
    EXPECT_EQ(t.CurrentBets.at(1, 1), 9);  // the bets on the table are not part of a game
}

TEST(GameFile, LongGamesHaveNoFillerAndRoundTrip) {
    TempDir dir;
    std::mt19937 rng(42);
    for (const int32_t n : {0, 3, 9, 10, 11, 1000, 2600}) {
        GameState s;
        kvtest::fillRandomGame(s, rng, n);
        s.Balance = -123456;
        ASSERT_TRUE(SaveGame(s, dir / "r.gma").ok());
        const auto lines = crlfLines(readAll(dir / "r.gma"));
        EXPECT_EQ(lines.size(), 3u + 3u * static_cast<size_t>(std::max(n, 10)));
        GameState t;
        ASSERT_TRUE(OpenGame(t, dir / "r.gma").ok());
        EXPECT_EQ(t.SpinCount, n);
        EXPECT_EQ(t.Balance, -123456);
        kvtest::expectSameHistory(s, t, std::max(n, 10));
    }
}

TEST(GameFile, ReadsHandWrittenFilesWithAnyLineEnd) {
    TempDir dir;
    const std::vector<int> nums = {5, 0, 36, 1, 2, 3, 4, 5, 6, 7};
    for (const std::string eol : {"\r\n", "\n", "\r"}) {
        writeAll(dir / "h.gma", handFile(-20, 30, nums, 4, eol));
        GameState t;
        ASSERT_TRUE(OpenGame(t, dir / "h.gma").ok());
        EXPECT_EQ(t.SpinCount, 4);
        EXPECT_EQ(t.Credit, 30);
        EXPECT_EQ(t.SpinHistory(3), 36);
        EXPECT_EQ(t.ResultHistory(10), 109);
    }
    // Every writer ends the file with a line end: a last line without one
    // was cut off, and its number may be cut too.
    std::string noEnd = handFile(1, 2, nums, 0, "\r\n");
    noEnd.resize(noEnd.size() - 2);
    writeAll(dir / "h.gma", noEnd);
    GameState t;
    EXPECT_FALSE(OpenGame(t, dir / "h.gma").ok());
}

TEST(GameFile, FailedLoadChangesNothing) {
    TempDir dir;
    std::mt19937 rng(7);
    GameState before;
    kvtest::fillRandomGame(before, rng, 30);
    const std::string good = handFile(-20, 30, std::vector<int>(12, 4), 12, "\r\n");

    struct Case {
        std::string bytes;
        std::string message;
    };
    std::string badNumber = good;
    badNumber.replace(badNumber.find("\r\n4\r\n", 10) + 2, 1, "x");
    std::string badBet = good;
    badBet.replace(badBet.rfind("0 0 "), 1, "q");
    const std::vector<Case> cases = {
        {good.substr(0, good.size() / 2), ""},                       // truncated inside a record
        {"-20\r\n30\r\n12\r\n", "'' is not a valid integer value"},  // count without records
        {badNumber, "'x' is not a valid integer value"},
        {badBet, "'q' is not a valid integer value"},
        {"-20\r\n30\r\n-1\r\n", "'-1' is not a valid spin count"},
        // A huge count in a small file: the reader reserves only what the bytes hold.
        {"1\r\n2\r\n9999999\r\n1\r\n" + zerosLine() + "\r\n0\r\n", "'' is not a valid integer value"},
        {handFile(0, 0, {1, 2, 3, 37, 5, 6, 7, 8, 9, 10}, 2, "\r\n"), "'37' is not a number of the wheel"},
        {"", "'' is not a valid integer value"},
    };
    for (const auto& c : cases) {
        writeAll(dir / "bad.gma", c.bytes);
        GameState t = before;
        const auto st = OpenGame(t, dir / "bad.gma");
        ASSERT_FALSE(st.ok());
        if (!c.message.empty()) {
            EXPECT_EQ(st.message(), c.message);
        }
        EXPECT_EQ(t.Balance, before.Balance);
        kvtest::expectSameHistory(before, t, 40);
    }
    GameState t;
    EXPECT_EQ(OpenGame(t, dir / "missing.gma").kind(), FileErrorKind::NotFound);
}

TEST(GameFile, WriteErrorKeepsThePreviousFile) {
    TempDir dir;
    std::mt19937 rng(3);
    GameState small;
    kvtest::fillRandomGame(small, rng, 2);
    ASSERT_TRUE(SaveGame(small, dir / "keep.gma").ok());
    const std::string old = readAll(dir / "keep.gma");

    GameState big;
    kvtest::fillRandomGame(big, rng, 3000);
    // Let the file system refuse to grow the new file past 64 KB.
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = saved;
    limited.rlim_cur = 64 * 1024;
    setrlimit(RLIMIT_FSIZE, &limited);
    const auto st = SaveGame(big, dir / "keep.gma");
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_EQ(st.kind(), FileErrorKind::Io);
    EXPECT_EQ(st.message(), "I/O error " + std::to_string(EFBIG));
    EXPECT_EQ(readAll(dir / "keep.gma"), old);
    EXPECT_EQ(dir.fileCount(), 1u);  // the temporary file is gone

    // A target that cannot be written at all is an I/O error too.
    EXPECT_FALSE(SaveGame(big, dir / "no_such_folder" / "x.gma").ok());
}
