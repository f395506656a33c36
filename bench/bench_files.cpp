// Speed of the file formats over a game of 100,000 spins with bets: save and
// open .gma, write and read info.ini, export and import text. Each should
// stay well under a second; the peak memory of a read is reported as the
// "peak_rss_MB" counter (the game itself takes about 84 MB in memory).
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

#include <filesystem>
#include <random>

#include "bench_games.h"
#include "files/game_file.h"
#include "files/settings_file.h"
#include "files/text_exchange.h"

namespace {

constexpr int32_t kSpins = 100000;

const kv::GameState& bigGame() {
    static const kv::GameState game = kvbench::gameWithBets(kSpins);
    return game;
}

std::filesystem::path benchFile(const char* name) {
    return std::filesystem::temp_directory_path() /
           (std::string("kv_bench_") + std::to_string(::getpid()) + name);
}

double peakRssMb() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return static_cast<double>(u.ru_maxrss) / 1024.0;
}

void BM_SaveGma(benchmark::State& state) {
    const auto& g = bigGame();
    const auto path = benchFile(".gma");
    for (auto _ : state) {
        if (!kv::SaveGame(g, path).ok()) state.SkipWithError("save failed");
    }
}
BENCHMARK(BM_SaveGma)->Unit(benchmark::kMillisecond);

void BM_OpenGma(benchmark::State& state) {
    const auto path = benchFile(".gma");
    kv::SaveGame(bigGame(), path);
    state.counters["before_MB"] = peakRssMb();
    for (auto _ : state) {
        kv::GameState s;
        if (!kv::OpenGame(s, path).ok()) state.SkipWithError("open failed");
    }
    state.counters["peak_rss_MB"] = peakRssMb();
}
BENCHMARK(BM_OpenGma)->Unit(benchmark::kMillisecond);

void BM_WriteInfoIni(benchmark::State& state) {
    const auto& g = bigGame();
    const kv::Settings settings;
    const auto path = benchFile(".ini");
    for (auto _ : state) {
        if (!kv::SaveSettings(path, g, settings).ok()) state.SkipWithError("write failed");
    }
}
BENCHMARK(BM_WriteInfoIni)->Unit(benchmark::kMillisecond);

void BM_ReadInfoIni(benchmark::State& state) {
    const auto path = benchFile(".ini");
    kv::SaveSettings(path, bigGame(), kv::Settings{});
    state.counters["before_MB"] = peakRssMb();
    for (auto _ : state) {
        kv::GameState s;
        kv::Settings settings;
        if (kv::LoadSettings(path, s, settings).outcome != kv::LastGameLoad::Outcome::Loaded) {
            state.SkipWithError("read failed");
        }
    }
    state.counters["peak_rss_MB"] = peakRssMb();
}
BENCHMARK(BM_ReadInfoIni)->Unit(benchmark::kMillisecond);

void BM_ExportText(benchmark::State& state) {
    const auto& g = bigGame();
    const auto path = benchFile(".txt");
    for (auto _ : state) {
        if (!kv::ExportGame(g, path).ok()) state.SkipWithError("export failed");
    }
}
BENCHMARK(BM_ExportText)->Unit(benchmark::kMillisecond);

void BM_ImportText(benchmark::State& state) {
    const auto path = benchFile(".txt");
    kv::ExportGame(bigGame(), path);
    state.counters["before_MB"] = peakRssMb();
    for (auto _ : state) {
        kv::GameState s;
        if (!kv::ImportGame(s, path).ok()) state.SkipWithError("import failed");
    }
    state.counters["peak_rss_MB"] = peakRssMb();
    for (const char* ext : {".gma", ".ini", ".txt"}) std::filesystem::remove(benchFile(ext));
}
BENCHMARK(BM_ImportText)->Unit(benchmark::kMillisecond);

}  // namespace
