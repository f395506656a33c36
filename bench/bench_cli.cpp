// kelvora-cli as a whole process: stats over a list of 10,000,000 numbers,
// convert of a 100,000-spin game to CSV, and a Martingale backtest over
// 10,000,000 random spins. Targets: stats under 0.5 s and 50 MB, convert
// under 0.5 s, backtest under 1 s (Release build). The largest peak memory
// of the runs is reported as the "peak_rss_MB" counter.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "bench_games.h"
#include "core/game_state.h"
#include "files/game_file.h"

namespace {

namespace fs = std::filesystem;

fs::path benchFile(const std::string& name) {
    return fs::temp_directory_path() / ("kv_bench_cli_" + std::to_string(::getpid()) + "_" + name);
}

// Removes the inputs when the program ends.
struct TempFiles {
    ~TempFiles() {
        std::error_code ec;
        for (const char* name : {"numbers.txt", "game.gma", "game.csv"}) fs::remove(benchFile(name), ec);
    }
} tempFiles;

const fs::path& numberList() {
    static const fs::path path = [] {
        fs::path p = benchFile("numbers.txt");
        std::ofstream out(p, std::ios::binary);
        std::mt19937 rng(3);
        std::string line;
        for (int i = 0; i < 10'000'000; ++i) {
            line += std::to_string(rng() % 37);
            line += i % 20 == 19 ? "\r\n" : " ";
            if (line.size() > (1 << 16)) {
                out << line;
                line.clear();
            }
        }
        out << line;
        return p;
    }();
    return path;
}

const fs::path& bigGame() {
    static const fs::path path = [] {
        const kv::GameState s = kvbench::gameWithBets(100'000);
        fs::path p = benchFile("game.gma");
        kv::writeGameFile(p, s);
        return p;
    }();
    return path;
}

void runCli(benchmark::State& state, const std::string& args) {
    const std::string cmd = std::string("'") + KV_CLI_PATH + "' " + args + " >/dev/null";
    for (auto _ : state) {
        if (std::system(cmd.c_str()) != 0) state.SkipWithError(("failed: " + cmd).c_str());
    }
    rusage u{};
    getrusage(RUSAGE_CHILDREN, &u);
    state.counters["peak_rss_MB"] = static_cast<double>(u.ru_maxrss) / 1024.0;
}

void BM_StatsTenMillion(benchmark::State& state) { runCli(state, "stats --json " + numberList().string()); }
BENCHMARK(BM_StatsTenMillion)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ConvertGameToCsv(benchmark::State& state) {
    runCli(state, "convert " + bigGame().string() + " " + benchFile("game.csv").string());
}
BENCHMARK(BM_ConvertGameToCsv)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_BacktestMartingaleTenMillion(benchmark::State& state) {
    runCli(state, std::string("backtest --json ") + KV_SOURCE_DIR +
                      "/data/strategies/martingale_red.stg --random 10000000 --seed 1");
}
BENCHMARK(BM_BacktestMartingaleTenMillion)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

}  // namespace
