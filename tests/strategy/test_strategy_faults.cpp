// Faults a review found in the strategy tester: settlement of every number,
// what a run refuses at its limits, and files that hold no strategy.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/game_state.h"
#include "core/roulette.h"
#include "strategy/interpreter.h"
#include "strategy/strategy_file.h"
#include "strategy/tester_grid.h"

namespace kv {
namespace {

namespace fs = std::filesystem;

// Every cell of the tester's layout against every number: a bet returns
// its payout, stake included, exactly when the engine puts the number in
// the cell's category.
TEST(StrategyFaults, EveryNumberPaysTheCategoriesItBelongsTo) {
    const struct {
        int row, cell;
        Category category;
    } layout[] = {
        {1, 3, Category::DOZ1},  {5, 3, Category::DOZ2},  {9, 3, Category::DOZ3},  {1, 4, Category::LOW},
        {3, 4, Category::ODD},   {5, 4, Category::RED},   {7, 4, Category::BLACK}, {9, 4, Category::EVEN},
        {11, 4, Category::HIGH}, {13, 0, Category::COL3}, {13, 1, Category::COL2}, {13, 2, Category::COL1},
    };
    for (int x = 0; x <= 36; ++x) {
        for (const auto& spot : layout) {
            TesterGrid bets;
            bets.at(spot.row, spot.cell) = 10;
            const int64_t pays = spot.category < Category::DOZ1 ? 20 : 30;
            EXPECT_EQ(bets.winnings(x), inCategory(spot.category, x) ? pays : 0)
                << spot.row << spot.cell << " " << x;
        }
        // Row s + 1 holds 3s + 1, 3s + 2, 3s + 3 in cells 2, 1, 0; zero is row 0, cell 0.
        TesterGrid bets;
        bets.at(x == 0 ? 0 : (x - 1) / 3 + 1, x == 0 ? 0 : 2 - (x - 1) % 3) = 10;
        EXPECT_EQ(bets.winnings(x), 360) << "number " << x;
        EXPECT_EQ(bets.winnings((x + 1) % 37), 0) << "number " << x;
    }
}

TEST(StrategyFaults, RunsAreRefusedJustBeyondTheirLimits) {
    const struct {
        int32_t entry;  // operator 1, an IF, lists it in its THEN list; operator 2 bets on red
        int32_t spins;
        RunEnd end;
    } cases[] = {
        {2, 10, RunEnd::Stopped},
        {3, 10, RunEnd::Refused},  // an entry one past the last operator
        {2, kMaxRunSpins, RunEnd::Stopped},
        {2, kMaxRunSpins + 1, RunEnd::Refused},
    };
    for (const auto& c : cases) {
        Strategy s;
        s.operators.resize(2);
        s.operators[0].independent = true;
        s.operators[0].left = "BET";
        s.operators[0].right = "1";
        s.operators[0].thenList[1] = c.entry;
        s.operators[1].kind = OperatorKind::Bet;
        s.operators[1].target = "RED";
        GameState game;
        RunOptions stopAtOnce;
        stopAtOnce.progress = [](const RunProgress&) { return true; };
        EXPECT_EQ(Interpreter().Run(s, game, false, c.spins, stopAtOnce).end, c.end)
            << c.entry << " " << c.spins;
    }
}

TEST(StrategyFaults, FilesWithoutAStrategyAreRefusedInAFewWords) {
    const fs::path file = fs::temp_directory_path() / "kv_strategy_faults.stg";
    const std::string header = "\r\nBET 1 v The sum of the bet\r\n\r\nALWAYS\r\n------\r\n";
    const struct {
        const char* what;
        std::string content;
        std::string message;
    } cases[] = {
        {"nothing", "", "The text is empty: it holds no strategy"},
        {"line ends only", "\r\n\n\r\r\n", "The text is empty: it holds no strategy"},
        {"no sections", "' note\r\n\r\nBET 1 v\r\n\r\n",
         "The text ends before the \"ALWAYS\" heading and its line of dashes"},
        {"junk without a line end", std::string(70000, '\x01'),
         "Line 1: A line of a strategy holds at most 65536 characters"},
        {"a huge bad value", "\r\nBET 1" + std::string(60000, '7') + " v\r\n",
         "Line 2: '1" + std::string(31, '7') + "...' is not a valid integer value"},
        {"a bad operand in raw bytes", header + "BETS \x01\x02\xff // 1 x\r\n",
         "Line 6: '\\x01\\x02\\xFF' is not something to bet on (OLD, NEW, COLD, HOT, RED .. COL3)"},
    };
    for (const auto& c : cases) {
        std::ofstream(file, std::ios::binary | std::ios::trunc) << c.content;
        const StrategyFileRead read = loadStrategyFile(file);
        EXPECT_EQ(read.status, StrategyFileStatus::Failed) << c.what;
        EXPECT_EQ(read.message, c.message) << c.what;
    }
    fs::remove(file);
}

}  // namespace
}  // namespace kv
