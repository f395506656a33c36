// kelvora-cli stats: how often each number and each outside bet came, the
// longest runs of the even chances and the sleepers, streamed over the file;
// with --per-spin also the Statistic window's table, one row per spin.
#include <CLI/CLI.hpp>
#include <algorithm>
#include <array>
#include <cstdio>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

#include "analysis/sectors_bounds.h"
#include "analysis/sequence_stats.h"
#include "cli/cli_common.h"
#include "cli/commands.h"
#include "strategy/number_families.h"

namespace kv::cli {

namespace {

struct StatsOptions {
    std::string input;
    std::string format = "auto";
    std::string perSpin;
    std::optional<int64_t> last;
    std::vector<int32_t> sectors{SectorBounds::kDefaultNumbers.begin(), SectorBounds::kDefaultNumbers.end()};
    bool json = false;
};

// The Statistic window's row of a spin: its number, even chances, dozen,
// column, street and wheel sector. Zero has no even chance, dozen, column or
// street: those fields stay empty.
void appendSpinRow(std::string& p, int64_t ordinal, int n, const SectorBounds& bounds) {
    static const char* const names[3][3] = {{"", "red", "black"}, {"", "odd", "even"}, {"", "low", "high"}};
    appendInt(p, ordinal);
    p += ',';
    appendInt(p, n);
    if (n == 0) {
        p += ",zero,,,,,,";
    } else {
        for (int f = 0; f < 3; ++f) (p += ',') += names[f][kNumberFamilies.cls[f][n]];
        for (int f = 3; f < 5; ++f) appendInt(p += ',', kNumberFamilies.cls[f][n]);
        appendInt(p += ',', (n - 1) / 3 + 1);  // the street: 1-2-3 is the first
        p += ',';
    }
    p += sectorName(bounds.sectorOfNumber(n));
    p += "\r\n";
}

std::string numberList(const std::vector<int>& numbers) {
    std::string s;
    for (const int n : numbers) {
        if (!s.empty()) s += ", ";
        s += std::to_string(n);
    }
    return s;
}

std::string statsJson(const SequenceStats& st) {
    std::vector<int64_t> counts;
    std::vector<int64_t> since;
    for (int n = 0; n <= 36; ++n) {
        counts.push_back(st.count(n));
        since.push_back(st.sinceLast(n));
    }
    nlohmann::ordered_json runs = nlohmann::ordered_json::object();
    for (int c = 0; c < kEvenChanceCount; ++c)
        runs[evenChanceName(static_cast<EvenChance>(c))] = st.longestRun(static_cast<EvenChance>(c));

    nlohmann::ordered_json j;
    j["spins"] = st.spins();
    j["counts"] = counts;
    for (int c = 0; c < kEvenChanceCount; ++c)
        j[evenChanceName(static_cast<EvenChance>(c))] = st.chance(static_cast<EvenChance>(c));
    j["zero"] = st.zero();
    j["dozens"] = {st.dozen(1), st.dozen(2), st.dozen(3)};
    j["columns"] = {st.column(1), st.column(2), st.column(3)};
    j["since_last"] = since;
    j["longest_run"] = runs;
    j["hottest"] = st.hottest();
    j["coldest"] = st.coldest();
    return j.dump(2) + "\n";
}

std::string statsTable(const SequenceStats& st) {
    std::string out;
    char line[160];
    auto add = [&](const char* fmt, auto... args) {
        std::snprintf(line, sizeof line, fmt, args...);
        out += line;
    };
    add("Spins: %lld\n\n", static_cast<long long>(st.spins()));
    add("%6s %10s %11s\n", "Number", "Count", "Since last");
    for (int n = 0; n <= 36; ++n)
        add("%6d %10lld %11lld\n", n, static_cast<long long>(st.count(n)),
            static_cast<long long>(st.sinceLast(n)));
    out += "\n";
    add("Red %lld  Black %lld  Zero %lld\n", static_cast<long long>(st.red()),
        static_cast<long long>(st.black()), static_cast<long long>(st.zero()));
    add("Odd %lld  Even %lld\n", static_cast<long long>(st.chance(EvenChance::Odd)),
        static_cast<long long>(st.chance(EvenChance::Even)));
    add("Low %lld  High %lld\n", static_cast<long long>(st.chance(EvenChance::Low)),
        static_cast<long long>(st.chance(EvenChance::High)));
    add("Dozens  %lld  %lld  %lld\n", static_cast<long long>(st.dozen(1)),
        static_cast<long long>(st.dozen(2)), static_cast<long long>(st.dozen(3)));
    add("Columns %lld  %lld  %lld\n", static_cast<long long>(st.column(1)),
        static_cast<long long>(st.column(2)), static_cast<long long>(st.column(3)));
    out += "Longest runs:";
    for (int c = 0; c < kEvenChanceCount; ++c) {
        add(" %s %lld", evenChanceName(static_cast<EvenChance>(c)),
            static_cast<long long>(st.longestRun(static_cast<EvenChance>(c))));
    }
    out += "\n";
    if (st.spins() > 0) {
        const auto hot = st.hottest();
        const auto cold = st.coldest();
        out +=
            "Hottest: " + numberList(hot) + " (came " + std::to_string(st.count(hot.front())) + " times)\n";
        out +=
            "Coldest: " + numberList(cold) + " (came " + std::to_string(st.count(cold.front())) + " times)\n";
    }
    return out;
}

}  // namespace

void addStatsCommand(CLI::App& app) {
    auto opt = std::make_shared<StatsOptions>();
    CLI::App* cmd = app.add_subcommand("stats", "Counts, runs and sleepers of the spins in a file");
    addInputOptions(*cmd, opt->input, opt->format);
    cmd->add_flag("--json", opt->json, "Print one JSON object instead of the table");
    cmd->add_option("--last", opt->last, "Only the latest N spins, as the statistics windows' spin amount")
        ->check(CLI::PositiveNumber);
    cmd->add_option("--per-spin", opt->perSpin,
                    "Write spin,number,colour,parity,half,dozen,column,street,sector to this CSV file");
    cmd->add_option("--sectors", opt->sectors,
                    "The six sector boundaries B1,...,B6 of the wheel (with --per-spin)")
        ->delimiter(',')
        ->expected(6)
        ->check(CLI::Range(0, 36))
        ->capture_default_str();
    cmd->callback([opt] {
        std::array<int32_t, 6> b{};
        std::copy(opt->sectors.begin(), opt->sectors.end(), b.begin());
        if (!SectorBounds::validNumbers(b))
            throw CLI::ValidationError("--sectors: these boundaries do not make six arcs in wheel order");
        const SectorBounds bounds = SectorBounds::fromNumbers(b);
        std::optional<PieceWriter> rows;
        if (!opt->perSpin.empty()) {
            rows.emplace(opt->perSpin);
            rows->piece() += "spin,number,colour,parity,half,dozen,column,street,sector\r\n";
        }
        SequenceStats stats;
        int64_t ordinal = 0;
        auto count = [&](std::span<const uint8_t> run) {
            stats.add(run);
            if (!rows) return;
            for (const uint8_t n : run) {
                appendSpinRow(rows->piece(), ++ordinal, n, bounds);
                rows->maybeFlush();
            }
        };
        if (opt->last) {
            // The latest spins are known only at the end: the list is held,
            // at a byte a spin.
            const std::vector<uint8_t> all = readSpinNumbers(opt->input, opt->format);
            const size_t keep = std::min<size_t>(all.size(), static_cast<size_t>(*opt->last));
            ordinal = static_cast<int64_t>(all.size() - keep);
            count(std::span(all).last(keep));
        } else {
            forEachSpinBlock(opt->input, opt->format, count);
        }
        if (rows) rows->commit();
        printResult(opt->json ? statsJson(stats) : statsTable(stats));
    });
}

}  // namespace kv::cli
