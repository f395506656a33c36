// kelvora-cli advise: the Calculate window's betting advice for the spin
// after the last one of a game: per category the spots it advises and how
// many of its latest advices would have lost, and the chips as the table
// takes them (chip value, table limits and the free credit decide).
#include <CLI/CLI.hpp>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <nlohmann/json.hpp>
#include <string>
#include <utility>
#include <vector>

#include "calculate/calculate_plan.h"
#include "cli/cli_common.h"
#include "cli/commands.h"
#include "core/bets.h"
#include "core/table_geometry.h"
#include "files/text_exchange.h"

namespace kv::cli {

namespace {

struct AdviseOptions {
    std::string input;
    std::string format = "auto";
    std::vector<std::string> categories = {"red", "odd", "low", "dozens", "columns"};
    int32_t errors = kErrorsUpDownDefault;
    int32_t window = 0;
    double downturn = kDownturnUpDownDefault / 100.0;
    double confidence = kConfidenceDefault / 100.0;
    bool threshold = false;
    int32_t chip = 1;
    std::string limits;
    bool json = false;
};

// The names --categories takes, k = 1..6.
const std::vector<std::string>& categoryNames() {
    static const std::vector<std::string> names = {"red", "odd", "low", "dozens", "columns", "numbers"};
    return names;
}

struct CategoryAdvice {
    int k = 0;
    const CategoryPlan* plan = nullptr;
    std::vector<std::string> spots;  // in the order the chips went down, each once
};

void runAdvise(const AdviseOptions& opt) {
    GameState game = gameStateOf(readGame(opt.input, opt.format), opt.input);
    if (!opt.limits.empty()) game.TableLimits = parseLimits(opt.limits);
    AdvisorParams params;
    params.errors = opt.errors;
    params.statisticNumbers = opt.window;
    params.downturn = static_cast<long double>(opt.downturn);
    for (int k = 1; k <= kAdviceCategories; ++k) {
        params.confidence[k] = static_cast<long double>(opt.confidence);
        params.betAlways[k] = !opt.threshold;
        params.enabled[k] = std::find(opt.categories.begin(), opt.categories.end(), categoryNames()[k - 1]) !=
                            opt.categories.end();
    }
    const CalculatePlan plan = planCalculate(params, spinHistoryOf(game));

    // The chips go down as the window's clicks put them on an empty table.
    game.CurrentBets = BetGrid{};
    game.ChipValue = opt.chip;
    std::vector<CategoryAdvice> advice;
    for (int k = 1; k <= kAdviceCategories; ++k) {
        CategoryAdvice a{k, &plan.categories[k], {}};
        for (const TablePoint& p : a.plan->points) {
            placeChipAt(game, p.x, p.y);
            const auto cell = HitTest(p.x, p.y);
            const std::string name = cell ? betCellName(cell->c, cell->r) : std::string();
            if (!name.empty() && std::find(a.spots.begin(), a.spots.end(), name) == a.spots.end())
                a.spots.push_back(name);
        }
        advice.push_back(std::move(a));
    }

    // The table's bets, in cell order, as the text export names them.
    std::vector<std::pair<std::string, int32_t>> bets;
    for (int c = 1; c <= kGridColumns; ++c)
        for (int r = 1; r <= kGridRows; ++r)
            if (const int32_t amount = game.CurrentBets.at(c, r); amount != 0 && !betCellName(c, r).empty())
                bets.emplace_back(betCellName(c, r), amount);

    std::string out;
    if (opt.json) {
        nlohmann::ordered_json j;
        j["spins"] = game.SpinCount;
        j["categories"] = nlohmann::ordered_json::array();
        for (const CategoryAdvice& a : advice) {
            j["categories"].push_back({{"name", categoryNames()[a.k - 1]},
                                       {"evaluated", a.plan->evaluated},
                                       {"misses", a.plan->misses},
                                       {"turned_round", a.plan->inverted},
                                       {"spots", a.spots}});
        }
        j["bets"] = nlohmann::ordered_json::object();
        for (const auto& [name, amount] : bets) j["bets"][name] = amount;
        out = j.dump(2) + "\n";
    } else {
        char head[32];
        for (const CategoryAdvice& a : advice) {
            std::snprintf(head, sizeof head, "%-11s", adviceCategoryCaption(a.k));
            out += head;
            if (!a.plan->evaluated) {
                out += "off\n";
                continue;
            }
            std::string spots;
            for (const std::string& spot : a.spots) spots += (spots.empty() ? "" : " ") + spot;
            out += (spots.empty() ? "no bet" : spots) + "  (lost " + std::to_string(a.plan->misses) +
                   " of the last " + std::to_string(params.errors) +
                   (a.plan->inverted ? ", turned round)\n" : ")\n");
        }
        out += "Bets:";
        for (const auto& [name, amount] : bets) out += " " + name + "-" + std::to_string(amount);
        out += bets.empty() ? " none\n" : "\n";
    }
    printResult(out);
}

}  // namespace

void addAdviseCommand(CLI::App& app) {
    auto opt = std::make_shared<AdviseOptions>();
    CLI::App* cmd = app.add_subcommand("advise", "The Calculate window's advice for the next spin of a game");
    addInputOptions(*cmd, opt->input, opt->format);
    cmd->add_option("--categories", opt->categories, "Categories: red, odd, low, dozens, columns, numbers")
        ->delimiter(',')
        ->check(CLI::IsMember(categoryNames()))
        ->capture_default_str();
    cmd->add_option("--errors", opt->errors, "Losses in a row that turn a category's advice round")
        ->check(CLI::Range(kErrorsUpDownMin, kErrorsUpDownMax))
        ->capture_default_str();
    cmd->add_option("--window", opt->window, "Spins in the statistics; 0 means all")
        ->check(CLI::NonNegativeNumber)
        ->capture_default_str();
    cmd->add_option("--downturn", opt->downturn, "Weight of each older spin (0: only the last, 1: all equal)")
        ->check(CLI::Range(0.0, 1.0))
        ->capture_default_str();
    cmd->add_option("--confidence", opt->confidence, "Confidence of the bet, with --threshold")
        ->check(CLI::Range(0.01, 0.99))
        ->capture_default_str();
    cmd->add_flag("--threshold", opt->threshold, "Bet only past the confidence (\"Bet Always\" off)");
    cmd->add_option("--chip", opt->chip, "Chip value")
        ->check(CLI::IsMember({1, 5, 10, 50, 100}))
        ->capture_default_str();
    addLimitsOption(*cmd, opt->limits);
    cmd->add_flag("--json", opt->json, "Print one JSON object instead of the advice");
    cmd->callback([opt] { runAdvise(*opt); });
}

}  // namespace kv::cli
