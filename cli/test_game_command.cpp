// kelvora-cli test-game: the three tests of the Test Game window ("Test
// Random Only", "Test Random with Bets", "Check on parity") over a game, with
// the window's report lines, or as one JSON object. Like honesty, a warning
// is a result: the exit code is 0 whatever the tests say.
#include <CLI/CLI.hpp>
#include <memory>
#include <nlohmann/json.hpp>
#include <string>

#include "analysis/rndtest_table.h"
#include "analysis/test_game_bets.h"
#include "analysis/test_game_concentration.h"
#include "analysis/test_game_parity.h"
#include "cli/cli_common.h"
#include "cli/commands.h"

namespace kv::cli {

namespace {

struct TestGameOptions {
    std::string input;
    std::string format = "auto";
    std::string table;
    bool json = false;
};

struct TestGameReport {
    int32_t spins = 0;
    ConcentrationResult randomOnly;
    BetsTestResult withBets;
    ParityResult parity;
};

std::string reportJson(const TestGameReport& r) {
    nlohmann::ordered_json shady = nlohmann::ordered_json::array();
    for (const ShadyRun& run : r.randomOnly.runs)
        shady.push_back({{"first", run.firstOrdinal}, {"length", run.length}});
    nlohmann::ordered_json j;
    j["spins"] = r.spins;
    j["random_only"] = {{"ran", r.randomOnly.ran}, {"passed", r.randomOnly.passed}, {"shady", shady}};
    j["with_bets"] = {{"total", r.withBets.total},
                      {"fair_total", r.withBets.fairTotal},
                      {"shortfall", r.withBets.shortfall},
                      {"warning", r.withBets.warning},
                      {"left_out", r.withBets.leftOut}};
    j["parity"] = {{"even", r.parity.even}, {"odd", r.parity.odd}};
    return j.dump(2) + "\n";
}

std::string reportText(const TestGameReport& r) {
    std::string out;
    for (const auto* lines : {&r.randomOnly.lines, &r.withBets.lines, &r.parity.lines}) {
        if (!out.empty()) out += "\n";
        for (const std::string& line : *lines) out += line + "\n";
    }
    return out;
}

void runTestGame(const TestGameOptions& opt) {
    // An explicit table must be readable; the shipped one may be missing, as
    // in the window, where the first test then says why it did not run.
    RndTestTable table;
    if (!opt.table.empty()) {
        table = RndTestTable::read(opt.table);
        if (!table.present()) throw InputError(opt.table, table.problem());
    } else if (const auto shipped = shippedFile(kRndTestFileName); !shipped.empty()) {
        table = RndTestTable::read(shipped);
    }
    const GameState game = gameStateOf(readGame(opt.input, opt.format), opt.input);
    TestGameReport r;
    r.spins = game.SpinCount;
    r.randomOnly = ConcentrationTest(game, table);
    r.withBets = BetsTest(game);
    r.parity = ParityTest(game);
    printResult(opt.json ? reportJson(r) : reportText(r));
}

}  // namespace

void addTestGameCommand(CLI::App& app) {
    auto opt = std::make_shared<TestGameOptions>();
    CLI::App* cmd =
        app.add_subcommand("test-game", "The Test Game window's three tests: random only, with bets, parity");
    addInputOptions(*cmd, opt->input, opt->format);
    cmd->add_option("--table", opt->table,
                    "Limits table (default: the rndtest.dat shipped with the program)");
    cmd->add_flag("--json", opt->json, "Print one JSON object instead of the report");
    cmd->callback([opt] { runTestGame(*opt); });
}

}  // namespace kv::cli
