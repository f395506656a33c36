// kelvora-cli as a user runs it: exit codes, what reaches stdout and stderr,
// and results that agree with the libraries the windows use.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <nlohmann/json.hpp>
#include <random>

#include "analysis/sequence_stats.h"
#include "analysis/test_game_bets.h"
#include "analysis/test_game_concentration.h"
#include "analysis/test_game_parity.h"
#include "calculate/calculate_plan.h"
#include "core/generator.h"
#include "files/files_test_util.h"
#include "files/game_file.h"
#include "files/text_exchange.h"
#include "strategy/interpreter.h"
#include "strategy/strategy_file.h"

using namespace kv;
using kvtest::readAll;
using kvtest::writeAll;

namespace {

const std::string kMartingale = KV_SOURCE_DIR "/data/strategies/martingale_red.stg";

struct CliRun {
    int code;
    std::string out;
    std::string err;
};

class Cli : public ::testing::Test {
  protected:
    CliRun run(const std::string& args) {
        const auto out = dir / "stdout";
        const auto err = dir / "stderr";
        const std::string cmd = std::string("'") + KV_CLI_PATH + "' " + args + " >'" + out.string() +
                                "' 2>'" + err.string() + "'";
        const int status = std::system(cmd.c_str());
        CliRun r{WIFEXITED(status) ? WEXITSTATUS(status) : -1, readAll(out), readAll(err)};
        std::filesystem::remove(out);
        std::filesystem::remove(err);
        return r;
    }
    std::string path(const std::string& name) { return (dir / name).string(); }

    // A game of 300 spins with bets and results, saved in all three formats.
    void writeGame() {
        std::mt19937 rng(7);
        kvtest::fillRandomGame(game, rng, 300);
        ASSERT_TRUE(writeGameFile(path("game.gma"), game).ok());
        ASSERT_TRUE(ExportGame(game, path("game.txt")).ok());
        std::string list;
        for (int32_t pos = game.SpinCount; pos >= 1; --pos)
            list += std::to_string(game.SpinHistory(pos)) + "\n";
        writeAll(path("game.list"), list);
    }

    kvtest::TempDir dir;
    GameState game;
};

TEST_F(Cli, UsageErrorsExitTwoAndPrintNothingOnStdout) {
    EXPECT_EQ(run("--version").out, std::string("kelvora-cli ") + KV_VERSION + "\n");
    for (const char* args : {"", "frobnicate", "stats", "backtest x.stg --game a --random 5",
                             "convert a.gma out.doc", "stats a --sectors 1,2,3,4,5,6"}) {
        const CliRun r = run(args);
        EXPECT_EQ(r.code, 2) << args;
        EXPECT_EQ(r.out, "") << args;
    }
    EXPECT_EQ(run("stats --help").code, 0);
    // A result that cannot be delivered is a failure too.
    EXPECT_EQ(WEXITSTATUS(std::system("'" KV_CLI_PATH "' generate 5 >/dev/full 2>/dev/null")), 1);
}

TEST_F(Cli, StatsAgreeWithTheLibraryInEveryFormat) {
    writeGame();
    SequenceStats expected;
    for (int32_t pos = game.SpinCount; pos >= 1; --pos) expected.add(game.SpinHistory(pos));
    // A pipe or standard input is read as well as a file.
    for (const std::string& file : {path("game.gma"), path("game.txt"), path("game.list"),
                                    "- <" + path("game.txt"), "/dev/stdin <" + path("game.gma")}) {
        const CliRun r = run("stats --json " + file);
        ASSERT_EQ(r.code, 0) << file << r.err;
        const auto j = nlohmann::json::parse(r.out);
        EXPECT_EQ(j["spins"], 300) << file;
        for (int n = 0; n <= 36; ++n)
            EXPECT_EQ(j["since_last"][n], expected.sinceLast(n)) << file << " " << n;
        EXPECT_EQ(j["dozens"][2], expected.dozen(3));
        EXPECT_EQ(j["longest_run"]["high"], expected.longestRun(EvenChance::High));
    }

    // A text export whose first bet comes after the first 64 KiB is one still.
    std::string late;
    for (int i = 0; i < 30000; ++i) late += "5\r\n";
    writeAll(path("late.txt"), late + "17 r-10\r\n");
    EXPECT_EQ(run("stats " + path("late.txt")).code, 0);

    // The Statistic window's table: zero without even chances, the sector by
    // the given boundaries (7 joins the 0-Spiel when the Big Series opens at 29).
    writeAll(path("few.list"), "0 17\n7\n");
    ASSERT_EQ(
        run("stats " + path("few.list") + " --per-spin " + path("rows.csv") + " --sectors 32,29,9,33,6,25")
            .code,
        0);
    EXPECT_EQ(kvtest::crlfLines(readAll(path("rows.csv"))),
              (std::vector<std::string>{"spin,number,colour,parity,half,dozen,column,street,sector",
                                        "1,0,zero,,,,,,0-Spiel", "2,17,black,odd,low,2,2,6,Orphelins",
                                        "3,7,red,odd,low,1,1,3,0-Spiel"}));
    // The latest two spins only, numbered as in the game.
    const auto last = nlohmann::json::parse(
        run("stats --json --last 2 " + path("few.list") + " --per-spin " + path("rows.csv")).out);
    EXPECT_EQ(last["spins"], 2);
    EXPECT_EQ(last["counts"][0], 0);
    EXPECT_EQ(kvtest::crlfLines(readAll(path("rows.csv")))[1], "2,17,black,odd,low,2,2,6,Orphelins");
}

// Every total against the tester's own interpreter: the stake of a step is
// still its NextBets when the next step reports its progress.
TEST_F(Cli, BacktestRunsAsTheTesterWindow) {
    writeGame();
    // Red and black together: every number but zero is a drawn game.
    writeAll(
        path("both.stg"),
        "' Both colours.\r\n\r\nBET 5 v Stake\r\n\r\nALWAYS\r\n------\r\nBETS RED // 1 Red\r\nBETS BLACK // "
        "2 Black\r\n\r\n"
        "WIN\r\n---\r\n\r\nLOSE\r\n----\r\n\r\nDRAWN GAME\r\n----------\r\n\r\nALWAYS 2\r\n--------\r\n");
    for (const std::string& file :
         {std::string(KV_SOURCE_DIR "/data/strategies/hot_dozen.stg"), kMartingale, path("both.stg")}) {
        const StrategyFileRead read = loadStrategyFile(file);
        ASSERT_EQ(read.status, StrategyFileStatus::Ok) << file;
        for (const bool replay : {true, false}) {
            Strategy s = read.strategy;
            GameState g = game;
            g.rng.setSeed(42);
            Interpreter expected;
            int64_t staked = 0;
            RunOptions options;
            options.progressInterval = 1;
            options.progress = [&](const RunProgress& p) {
                if (p.step > 1) staked += expected.NextBets().sum();
                return false;
            };
            ASSERT_EQ(expected.Run(s, g, replay, replay ? g.SpinCount : 2000, options).end, RunEnd::Finished);
            if (!replay) staked += expected.NextBets().sum();
            const std::vector<int32_t>& balances = expected.balancesOldestFirst();
            const std::string source = replay ? "--game " + path("game.gma") : "--random 2000 --seed 42";
            const CliRun r = run("backtest --json " + file + " " + source + " --curve " + path("curve.csv"));
            ASSERT_EQ(r.code, 0) << r.err;
            const auto j = nlohmann::json::parse(r.out);
            EXPECT_EQ(j["steps"], expected.stepCount());
            EXPECT_EQ(j["final_balance"], expected.balance());
            EXPECT_EQ(j["min_balance"], *std::min_element(balances.begin(), balances.end()));
            EXPECT_EQ(j["max_balance"], *std::max_element(balances.begin(), balances.end()));
            EXPECT_EQ(j["total_staked"], staked) << file;
            int64_t outcomes[3] = {0, 0, 0};  // wins, losses, drawn
            for (size_t i = 0; i + (replay ? 1 : 0) < balances.size(); ++i) {
                const int32_t before = i == 0 ? 0 : balances[i - 1];
                ++outcomes[balances[i] > before ? 0 : (balances[i] < before ? 1 : 2)];
            }
            EXPECT_EQ(j["wins"], outcomes[0]);
            EXPECT_EQ(j["losses"], outcomes[1]);
            EXPECT_EQ(j["drawn"], outcomes[2]) << file;
            const auto rows = kvtest::crlfLines(readAll(path("curve.csv")));
            ASSERT_EQ(rows.size(), balances.size() + 1);
            for (size_t i = 0; i < balances.size(); ++i)
                ASSERT_TRUE(rows[i + 1].ends_with("," + std::to_string(balances[i]))) << file << " " << i;
        }
    }
    // The lowest balance is that of a step, not the 0 before the first one.
    writeAll(path("red.list"), "1\n");
    const auto j =
        nlohmann::json::parse(run("backtest --json " + kMartingale + " --game " + path("red.list")).out);
    EXPECT_EQ(j["min_balance"], 5);
}

// The Test Game window's three tests over a saved game, with the limits
// table shipped beside the command: the library's results and report lines.
TEST_F(Cli, TestGameGivesTheWindowsThreeTests) {
    writeGame();
    const ConcentrationResult random =
        ConcentrationTest(game, RndTestTable::read(KV_SOURCE_DIR "/data/rndtest.dat"));
    const BetsTestResult bets = BetsTest(game);
    const ParityResult parity = ParityTest(game);
    const CliRun r = run("test-game --json " + path("game.gma"));
    ASSERT_EQ(r.code, 0) << r.err;
    const auto j = nlohmann::json::parse(r.out);
    EXPECT_TRUE(j["random_only"]["ran"].get<bool>());
    EXPECT_EQ(j["random_only"]["passed"], random.passed);
    EXPECT_EQ(j["with_bets"]["total"], bets.total);
    EXPECT_EQ(j["with_bets"]["shortfall"], bets.shortfall);
    EXPECT_EQ(j["parity"]["even"], parity.even);
    std::string report;  // the window's lines, a blank line between the tests
    for (const auto* part : {&random.lines, &bets.lines, &parity.lines}) {
        report += report.empty() ? "" : "\n";
        for (const std::string& line : *part) report += line + "\n";
    }
    EXPECT_EQ(run("test-game " + path("game.gma")).out, report);
}

// The Calculate window's advice with its default settings: the same misses
// per category and the same chips on the table.
TEST_F(Cli, AdviseGivesTheCalculateWindowsChips) {
    writeGame();
    CalculateSettings settings;
    restoreDefaults(settings);
    const CalculatePlan plan = planCalculate(settings, game);
    GameState table = game;
    table.CurrentBets = BetGrid{};
    for (const TableClick& c : plan.clicks) placeChipAt(table, c.point.x, c.point.y);
    nlohmann::json chips = nlohmann::json::object();
    for (int c = 1; c <= kGridColumns; ++c)
        for (int r = 1; r <= kGridRows; ++r)
            if (table.CurrentBets.at(c, r) != 0) chips[betCellName(c, r)] = table.CurrentBets.at(c, r);
    const CliRun r = run("advise --json " + path("game.gma"));
    ASSERT_EQ(r.code, 0) << r.err;
    const auto j = nlohmann::json::parse(r.out);
    for (int k = 1; k <= kAdviceCategories; ++k) {
        EXPECT_EQ(j["categories"][k - 1]["evaluated"], plan.categories[k].evaluated) << k;
        EXPECT_EQ(j["categories"][k - 1]["misses"], plan.categories[k].misses) << k;
    }
    EXPECT_FALSE(chips.empty());
    EXPECT_EQ(j["bets"], chips);
}

// Generate Spins from the command line: the program's generator, oldest
// first, under a comment line (with dashes) that every reader skips.
TEST_F(Cli, GenerateDrawsTheProgramsNumbersAsAList) {
    Generator rng;
    rng.setSeed(9);
    std::string expected = "# kelvora-cli generate 400 --seed 9 --depth 3\n";
    for (int i = 0; i < 400; ++i) expected += std::to_string(RandNum(rng, 3)) + "\n";
    const CliRun r = run("generate 400 --seed 9 --depth 3");
    EXPECT_EQ(r.out, expected);
    writeAll(path("drawn.list"), r.out);
    EXPECT_EQ(nlohmann::json::parse(run("stats --json " + path("drawn.list")).out)["spins"], 400);
}

TEST_F(Cli, ConvertWritesEveryFormatFromTheSameGame) {
    writeGame();
    for (const char* out : {"copy.gma", "copy.txt", "copy.csv", "copy.json"})
        ASSERT_EQ(run("convert " + path("game.gma") + " " + path(out)).code, 0) << out;
    EXPECT_EQ(readAll(path("copy.gma")), readAll(path("game.gma")));
    EXPECT_EQ(readAll(path("copy.txt")), readAll(path("game.txt")));

    const auto csv = kvtest::crlfLines(readAll(path("copy.csv")));
    const auto j = nlohmann::json::parse(readAll(path("copy.json")));
    ASSERT_EQ(csv.size(), 301u);
    ASSERT_EQ(j["spins"].size(), 300u);
    EXPECT_EQ(csv[0], "spin,number,stake,winnings,credit");
    EXPECT_EQ(j["credit"], game.Credit);
}

// A junk input or a missing one: exit 1, the file and the reader's message
// on stderr, nothing on stdout, no OUT written; an OUT that cannot be
// written leaves nothing behind.
TEST_F(Cli, BadInputExitsOneNamingFileAndLineAndWritesNothing) {
    writeGame();
    const std::string gma = readAll(path("game.gma"));
    size_t cut = 0;
    for (int line = 0; line < 7; ++line) cut = gma.find("\r\n", cut) + 2;
    writeAll(path("cut.gma"), gma.substr(0, cut));  // ends before the second record's bet line
    writeAll(path("junk.gma"), "0\r\n0\r\n2\r\n5\r\n0 0 x\r\n");
    writeAll(path("junk.list"), "1 2\r\n# c\r\n3\x01 4\r\n");
    writeAll(path("kept.csv"), "old");
    writeAll(path("neg.list"), "5\n-1\n7\n");
    writeAll(path("amount.txt"), "5\n17 r-x\n");
    std::string cell = "0\r\n0\r\n1\r\n5\r\n0 7 ";  // 7 in a cell that is no bet spot
    for (int i = 2; i < kGridCells; ++i) cell += "0 ";
    writeAll(path("cell.gma"), cell + "\r\n0\r\n");
    std::string divide = readAll(kMartingale);
    divide.replace(divide.find("BET * 2"), 7, "BET \\ 0");
    writeAll(path("divide.stg"), divide);
    const struct {
        std::string args, file, message;
    } cases[] = {
        {"stats --format gma", "cut.gma", "Line 8: "},
        {"convert --format gma", "junk.gma", "Line 5: "},
        {"stats", "junk.list", "Line 3: '3\\x01' is not a number from 0 to 36"},
        {"stats", "missing.list", "File not found"},
        {"stats", "neg.list", "Line 2: '-1' is not a number from 0 to 36"},
        {"stats", "amount.txt", "Line 2: 'x' is not a valid integer value"},
        {"stats --format gma", "cell.gma", "Line 5: 7 beside the bet spots"},
        {"backtest --random 100 --seed 1", "divide.stg", "Division by zero"},
    };
    for (const auto& c : cases) {
        const std::string out = c.args.starts_with("convert") ? " " + path("kept.csv") : "";
        const CliRun r = run(c.args + " " + path(c.file) + out);
        EXPECT_EQ(r.code, 1) << c.file;
        EXPECT_EQ(r.out, "") << c.file;
        EXPECT_TRUE(r.err.starts_with("kelvora-cli: " + path(c.file) + ": " + c.message)) << r.err;
    }
    EXPECT_EQ(readAll(path("kept.csv")), "old");

    // Standard input is copied aside to be read twice: the message names it
    // and the copy goes.
    const size_t files = dir.fileCount();
    setenv("TMPDIR", dir.path().c_str(), 1);
    const CliRun piped = run("stats - <" + path("junk.list"));
    unsetenv("TMPDIR");
    EXPECT_TRUE(piped.err.starts_with("kelvora-cli: standard input: Line 3: ")) << piped.err;
    EXPECT_EQ(dir.fileCount(), files);

    const CliRun r = run("convert " + path("game.gma") + " " + path("kept.csv") + "/x.csv");
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.err.starts_with("kelvora-cli: " + path("kept.csv") + "/x.csv: I/O error")) << r.err;
    EXPECT_EQ(dir.fileCount(), files);
}

TEST_F(Cli, SimulateGivesTheSameJsonOnAnyNumberOfThreads) {
    const std::string args =
        "simulate '" + kMartingale + "' --sessions 300 --spins 200 --bankroll 500 --seed 9 --json";
    CliRun one = run(args + " --threads 1");
    CliRun two = run(args + " --threads 2");
    ASSERT_EQ(one.code, 0) << one.err;
    ASSERT_EQ(two.code, 0) << two.err;
    nlohmann::json a = nlohmann::json::parse(one.out), b = nlohmann::json::parse(two.out);
    EXPECT_EQ(a["ruined"].get<int>() + a["stop_loss"].get<int>() + a["take_profit"].get<int>() +
                  a["completed"].get<int>(),
              300);
    EXPECT_EQ(a["fan"].size(), 50u);
    a.erase("steps_per_second");
    b.erase("steps_per_second");
    EXPECT_EQ(a, b);
}

TEST_F(Cli, HonestyReportsEveryTestAndExitsZeroWhenBiased) {
    std::string sevens;
    for (int i = 0; i < 400; ++i) sevens += "7\n";
    writeAll(path("sevens.list"), sevens);
    setenv("XDG_CACHE_HOME", path("cache").c_str(), 1);  // the sector test's cache
    const CliRun r = run("honesty '" + path("sevens.list") + "' --json");
    ASSERT_EQ(r.code, 0) << r.err;
    const nlohmann::json j = nlohmann::json::parse(r.out);
    EXPECT_EQ(j["spins"], 400);
    EXPECT_EQ(j["verdict"], "biased");
    ASSERT_EQ(j["tests"].size(), 8u);
    EXPECT_EQ(j["tests"][0]["name"], "numbers");
    EXPECT_TRUE(j["tests"][0]["reject"].get<bool>());
}

}  // namespace
