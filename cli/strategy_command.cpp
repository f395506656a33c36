// kelvora-cli strategy check: reads a strategy file as the Test Strategy
// window does and says what the window would show, or why it refuses it.
#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>
#include <string>

#include "cli/cli_common.h"
#include "cli/commands.h"
#include "strategy/strategy.h"
#include "strategy/strategy_words.h"
#include "strategy/tester_controls.h"

namespace kv::cli {

namespace {

struct CheckOptions {
    std::string path;
    bool json = false;
};

constexpr int kSections = 5;

std::string checkText(const Strategy& s, const CheckOptions& opt) {
    int sectionOperators[kSections] = {};
    for (const StrategyOperator& op : s.operators)
        if (op.independent) ++sectionOperators[static_cast<int>(op.section)];

    if (opt.json) {
        nlohmann::ordered_json params = nlohmann::ordered_json::array();
        for (const int32_t i : visibleParameters(s)) {
            const StrategyParameter& p = s.parameter(i);
            params.push_back({{"name", p.name}, {"initiation", p.initiation}, {"comment", p.comment}});
        }
        nlohmann::ordered_json sections = nlohmann::ordered_json::object();
        for (int i = 0; i < kSections; ++i) sections[sectionHeading(i)] = sectionOperators[i];
        nlohmann::ordered_json j;
        j["ok"] = true;
        j["description"] = s.description;
        j["parameters"] = params;
        j["operators"] = s.operatorCount();
        j["sections"] = sections;
        return j.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) + "\n";
    }
    std::string out = "OK: " + opt.path + "\n";
    for (const std::string& line : s.description) out += "  " + line + "\n";
    out += "Parameters offered by the tester:\n";
    for (const int32_t i : visibleParameters(s)) {
        const StrategyParameter& p = s.parameter(i);
        out += "  " + p.name + " = " + std::to_string(p.initiation) + "  " + p.comment + "\n";
    }
    out += "Operators: " + std::to_string(s.operatorCount()) + " (independent:";
    for (int i = 0; i < kSections; ++i)
        out += std::string(i ? ", " : " ") + sectionHeading(i) + " " + std::to_string(sectionOperators[i]);
    out += ")\n";
    return out;
}

}  // namespace

void addStrategyCommand(CLI::App& app) {
    CLI::App* strategy = app.add_subcommand("strategy", "Strategy files (.stg)");
    strategy->require_subcommand(1);
    auto opt = std::make_shared<CheckOptions>();
    CLI::App* check =
        strategy->add_subcommand("check", "Read a strategy as the tester does and report what it finds");
    check->add_option("STRATEGY", opt->path, "Strategy file (.stg)")->required();
    check->add_flag("--json", opt->json, "Print one JSON object instead of the text");
    check->callback([opt] { printResult(checkText(readStrategy(opt->path), *opt)); });
}

}  // namespace kv::cli
