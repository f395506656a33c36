// kelvora-cli honesty: the fairness battery over the spins of a file, as the
// Test Game window shows it, or as one JSON object. The verdict is the
// output, not a failure: the exit code is 0 whether the wheel looks fair or
// not.
#include <CLI/CLI.hpp>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <nlohmann/json.hpp>
#include <string>

#include "analysis/fairness_battery.h"
#include "analysis/sector_null.h"
#include "cli/cli_common.h"
#include "cli/commands.h"

namespace kv::cli {

namespace {

struct HonestyOptions {
    std::string input;
    std::string format = "auto";
    double level = kDefaultFairnessLevel;
    bool json = false;
};

// The per-user cache, where the sector test keeps its simulated
// distributions between runs; none when neither variable leads anywhere.
std::filesystem::path userCacheFolder() {
    const char* xdg = std::getenv("XDG_CACHE_HOME");
    if (xdg && *xdg && std::filesystem::path(xdg).is_absolute())
        return std::filesystem::path(xdg) / "kelvora";
    const char* home = std::getenv("HOME");
    if (home && *home) return std::filesystem::path(home) / ".cache" / "kelvora";
    return {};
}

std::string honestyJson(const FairnessReport& report) {
    nlohmann::ordered_json tests = nlohmann::ordered_json::array();
    for (const FairnessTestResult& t : report.tests) {
        nlohmann::ordered_json j;
        j["name"] = t.name;
        j["statistic"] = t.statistic;
        j["df"] = t.df;
        j["p_value"] = t.pValue;
        j["adjusted_p"] = t.adjustedP;
        j["reject"] = t.reject;
        j["skipped"] = t.skipped;
        tests.push_back(j);
    }
    nlohmann::ordered_json j;
    j["spins"] = report.spins;
    j["level"] = report.level;
    j["verdict"] = report.biased ? "biased" : (report.tested ? "fair" : "untested");
    j["tests"] = tests;
    return j.dump(2) + "\n";
}

std::string honestyText(const FairnessReport& report) {
    std::string out;
    for (const std::string& line : fairnessReportLines(report)) out += line + "\n";
    return out;
}

}  // namespace

void addHonestyCommand(CLI::App& app) {
    auto opt = std::make_shared<HonestyOptions>();
    CLI::App* cmd = app.add_subcommand("honesty", "Fairness battery: is the wheel of these spins biased?");
    addInputOptions(*cmd, opt->input, opt->format);
    cmd->add_option("--level", opt->level, "Family-wise level: 0.05, 0.01 or 0.001")
        ->check(CLI::Range(1e-6, 0.5))
        ->capture_default_str();
    cmd->add_flag("--json", opt->json, "Print one JSON object instead of the report");
    cmd->callback([opt] {
        const std::vector<uint8_t> spins = readSpinNumbers(opt->input, opt->format);
        SectorNullCache sectorNull(userCacheFolder());
        const FairnessReport report = runFairnessBattery(spins, opt->level, sectorNull);
        printResult(opt->json ? honestyJson(report) : honestyText(report));
    });
}

}  // namespace kv::cli
