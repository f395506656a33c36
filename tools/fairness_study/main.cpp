// How often the fairness battery calls a wheel biased: fair wheels at several
// history lengths (the false alarms) and three kinds of biased wheel at 1,000
// spins (the power), each beside the concentration test of the Test Game
// window on the same histories. Prints a Markdown table; docs/fairness.md
// keeps its output.
//
//   fairness_study [path of rndtest.dat]
#include <array>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "analysis/fairness_battery.h"
#include "analysis/rndtest_table.h"
#include "analysis/test_game_concentration.h"
#include "core/roulette.h"

namespace {

using Rng = std::mt19937_64;
using Wheel = std::function<void(Rng&, std::vector<uint8_t>&)>;

uint8_t anyNumber(Rng& rng) { return static_cast<uint8_t>(std::uniform_int_distribution<int>(0, 36)(rng)); }

void fairWheel(Rng& rng, std::vector<uint8_t>& h) {
    for (auto& v : h) v = anyNumber(rng);
}

// Number 17 comes with probability 2/37; the other 36 share the rest evenly.
void hotNumberWheel(Rng& rng, std::vector<uint8_t>& h) {
    std::uniform_real_distribution<double> u(0.0, 1.0);
    std::uniform_int_distribution<int> other(0, 35);
    for (auto& v : h) {
        if (u(rng) < 2.0 / 37.0) {
            v = 17;
        } else {
            const int k = other(rng);
            v = static_cast<uint8_t>(k < 17 ? k : k + 1);
        }
    }
}

// The five adjacent pockets 9, 31, 14, 20, 1 come 1.5 times as often as
// their share; the other 32 pockets share the rest evenly.
void loadedSectorWheel(Rng& rng, std::vector<uint8_t>& h) {
    constexpr int first = 10;  // index of 9 in WheelOrder
    std::uniform_real_distribution<double> u(0.0, 1.0);
    std::uniform_int_distribution<int> inside(0, 4);
    std::uniform_int_distribution<int> outside(5, 36);
    for (auto& v : h) {
        const int offset = u(rng) < 1.5 * 5.0 / 37.0 ? inside(rng) : outside(rng);
        v = static_cast<uint8_t>(kv::WheelOrder[static_cast<size_t>((first + offset) % 37)]);
    }
}

// With probability 0.1 the previous number comes again; otherwise a fair spin.
void repeatingWheel(Rng& rng, std::vector<uint8_t>& h) {
    std::uniform_real_distribution<double> u(0.0, 1.0);
    for (size_t i = 0; i < h.size(); ++i) h[i] = i > 0 && u(rng) < 0.1 ? h[i - 1] : anyNumber(rng);
}

struct Row {
    const char* wheel;
    int32_t spins;
    int32_t histories;
    Wheel make;
    int32_t concentrationHistories;  // the first ones also go through the concentration test
};

std::string percent(int64_t hits, int64_t total) {
    const double p = static_cast<double>(hits) / static_cast<double>(total);
    const double se = std::sqrt(p * (1.0 - p) / static_cast<double>(total));
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.2f %% ± %.2f", 100.0 * p, 100.0 * se);
    return buffer;
}

}  // namespace

int main(int argc, char** argv) {
    const std::filesystem::path tablePath =
        argc > 1 ? std::filesystem::path(argv[1])
                 : std::filesystem::path(KV_SOURCE_DIR) / "data" / "rndtest.dat";
    const kv::RndTestTable table = kv::RndTestTable::read(tablePath);
    if (!table.present()) std::fprintf(stderr, "%s: %s\n", tablePath.c_str(), table.problem().c_str());

    const std::vector<Row> rows = {
        {"fair", 100, 40000, fairWheel, 10000},
        {"fair", 1000, 40000, fairWheel, 10000},
        {"fair", 10000, 40000, fairWheel, 0},
        {"fair", 100000, 4000, fairWheel, 0},
        {"one number at 2/37", 1000, 10000, hotNumberWheel, 10000},
        {"five-pocket sector at 1.5 x", 1000, 10000, loadedSectorWheel, 10000},
        {"repeat with probability 0.1", 1000, 10000, repeatingWheel, 10000},
    };

    kv::SectorNullCache sectorNull;  // memory only: the study measures, it keeps nothing
    std::printf("Family-wise level 1 %% (Holm); seeds 1000 + row; ± one standard error.\n");
    std::printf("The concentration test sees the first 10,000 histories of a row.\n\n");
    std::printf(
        "| wheel | spins | histories | battery says biased | concentration test warns | tests rejecting most "
        "|\n");
    std::printf("|---|---:|---:|---:|---:|---|\n");
    const auto started = std::chrono::steady_clock::now();
    for (size_t r = 0; r < rows.size(); ++r) {
        const Row& row = rows[r];
        Rng rng(1000 + r);
        std::vector<uint8_t> h(static_cast<size_t>(row.spins));
        std::vector<int32_t> newestFirst(h.size());
        int64_t biased = 0, warned = 0;
        std::vector<int64_t> perTest(8, 0);
        std::vector<std::string> names;
        for (int32_t k = 0; k < row.histories; ++k) {
            row.make(rng, h);
            const kv::FairnessReport report = kv::runFairnessBattery(h, 0.01, sectorNull);
            biased += report.biased;
            names.clear();
            for (size_t t = 0; t < report.tests.size(); ++t) {
                perTest[t] += report.tests[t].reject;
                names.push_back(report.tests[t].name);
            }
            if (k < row.concentrationHistories && table.present()) {
                for (size_t i = 0; i < h.size(); ++i) newestFirst[h.size() - 1 - i] = h[i];
                warned += !kv::ConcentrationTest(newestFirst, table).passed;
            }
        }
        std::string leaders;
        for (size_t t = 0; t < perTest.size(); ++t) {
            if (100 * perTest[t] < row.histories) continue;  // below 1 %
            char buffer[64];
            std::snprintf(buffer, sizeof buffer, "%s%s %.0f %%", leaders.empty() ? "" : ", ",
                          names[t].c_str(), 100.0 * static_cast<double>(perTest[t]) / row.histories);
            leaders += buffer;
        }
        std::printf("| %s | %d | %d | %s | %s | %s |\n", row.wheel, row.spins, row.histories,
                    percent(biased, row.histories).c_str(),
                    row.concentrationHistories > 0 && table.present()
                        ? percent(warned, row.concentrationHistories).c_str()
                        : "not run",
                    leaders.empty() ? "-" : leaders.c_str());
        std::fflush(stdout);
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::printf("\n%.0f s\n", seconds);
    return 0;
}
