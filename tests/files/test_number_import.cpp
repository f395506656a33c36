// Import Numbers: a list of numbers becomes the newest spins of the game,
// without bets and without moving the money, or is refused whole.
#include <gtest/gtest.h>

#include "files/files_test_util.h"
#include "files/number_import.h"

namespace {

using namespace kv;

// A game of a few played spins with chips on the table and money that moved.
GameState playedGame() {
    GameState g;
    g.rng.setSeed(77);
    g.NewGame();
    for (int k = 1; k <= 5; ++k) {
        g.CurrentBets.clear();
        g.CurrentBets.at(k + 1, 2) = 10 * k;
        g.RecordSpin(k * 7 % 37);
        g.setResultHistory(g.SpinCount, -300 + k);
    }
    g.Credit = 870;
    g.Balance = -1000;
    g.CurrentBets.at(11, 8) = 25;  // chips waiting for the next spin
    return g;
}

struct Spin {
    int32_t number;
    BetGrid bets;
    int32_t result;  // ResultHistory of the spin's ordinal
    bool operator==(const Spin&) const = default;
};

// The whole game, oldest spin first.
std::vector<Spin> spins(const GameState& g) {
    std::vector<Spin> out;
    for (int32_t k = g.SpinCount; k >= 1; --k)
        out.push_back({g.SpinHistory(k), g.SpinBets(k), g.ResultHistory(g.SpinCount - k + 1)});
    return out;
}

TEST(NumberImport, AppendsTheListAsUnplayedSpinsKeepingTheMoney) {
    kvtest::TempDir dir;
    std::string text = "# wheel 3, evening\r\n17 0 36\r\n";
    std::vector<uint8_t> listed = {17, 0, 36};
    // Enough numbers to carry the game past its first history capacity.
    for (int i = 0; i < 3000; ++i) {
        text += std::to_string(i % 37) + (i % 10 == 9 ? "\n" : ",");
        listed.push_back(static_cast<uint8_t>(i % 37));
    }
    kvtest::writeAll(dir / "board.txt", text);

    GameState g = playedGame();
    const std::vector<Spin> before = spins(g);
    const BetGrid onTable = g.CurrentBets;
    ASSERT_TRUE(ImportNumbers(g, dir / "board.txt").ok());

    EXPECT_EQ(g.Credit, 870);
    EXPECT_EQ(g.Balance, -1000);
    EXPECT_EQ(g.CurrentBets, onTable);
    std::vector<Spin> expected = before;
    for (const uint8_t n : listed) expected.push_back({n, BetGrid{}, -130});
    EXPECT_EQ(spins(g), expected);
}

TEST(NumberImport, RefusesABadListWholeLeavingTheGame) {
    kvtest::TempDir dir;
    std::string tooLong;
    for (int i = 0; i <= kMaxImportedNumbers; ++i) tooLong += "5\n";
    const struct {
        std::string text, message;
    } cases[] = {
        {"1 2 3\n4 5\n6 x7 8\n", "Line 3: 'x7' is not a number from 0 to 36"},
        {"# only a comment\n\n", "The file holds no numbers from 0 to 36"},
        {tooLong, "The file holds 100001 numbers; at most 100000 can be imported at once"},
    };
    for (const auto& c : cases) {
        kvtest::writeAll(dir / "list.txt", c.text);
        GameState g = playedGame();
        const std::vector<Spin> before = spins(g);
        EXPECT_EQ(ImportNumbers(g, dir / "list.txt").message(), c.message);
        EXPECT_EQ(spins(g), before) << c.message;
    }
}

}  // namespace
