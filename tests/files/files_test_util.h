#pragma once
// Shared helpers of the file tests: a private folder per test, whole-file
// reads and writes, and random games.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "core/game_state.h"
#include "core/roulette.h"

namespace kvtest {

class TempDir {
  public:
    TempDir() {
        static int counter = 0;
        path_ = std::filesystem::temp_directory_path() /
                ("kv_files_" + std::to_string(::getpid()) + "_" + std::to_string(counter++));
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }
    const std::filesystem::path& path() const { return path_; }
    size_t fileCount() const {
        size_t n = 0;
        for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(path_)) ++n;
        return n;
    }

  private:
    std::filesystem::path path_;
};

inline std::string readAll(const std::filesystem::path& p) {
    std::ifstream f(p, std::ios::binary);
    std::stringstream ss;
    ss << f.rdbuf();
    return ss.str();
}

inline void writeAll(const std::filesystem::path& p, const std::string& bytes) {
    std::ofstream f(p, std::ios::binary | std::ios::trunc);
    f << bytes;
}

// Lines of a CR LF text (the last one without its line end).
inline std::vector<std::string> crlfLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t e; (e = text.find("\r\n", start)) != std::string::npos; start = e + 2)
        lines.push_back(text.substr(start, e - start));
    if (start < text.size()) lines.push_back(text.substr(start));
    return lines;
}

// A bet grid with a few amounts on real bet spots.
inline kv::BetGrid randomBets(std::mt19937& rng, int maxBets = 6) {
    kv::BetGrid g;
    const auto& cells = kv::allBetCells();
    const int n = std::uniform_int_distribution<int>(0, maxBets)(rng);
    for (int i = 0; i < n; ++i) {
        const auto& c = cells[std::uniform_int_distribution<size_t>(0, cells.size() - 1)(rng)];
        g.at(c.c, c.r) = std::uniform_int_distribution<int32_t>(1, 5000)(rng);
    }
    return g;
}

// A game of `spins` spins with bets, money and results.
inline void fillRandomGame(kv::GameState& s, std::mt19937& rng, int32_t spins) {
    s.NewGame();
    for (int32_t i = 0; i < spins; ++i) {
        s.CurrentBets = randomBets(rng);
        s.RecordSpin(std::uniform_int_distribution<int>(0, 36)(rng));
        s.setResultHistory(s.SpinCount, std::uniform_int_distribution<int32_t>(-100000, 100000)(rng));
    }
    s.CurrentBets.clear();
    s.Balance = std::uniform_int_distribution<int32_t>(-1000000, 1000000)(rng);
    s.Credit = std::uniform_int_distribution<int32_t>(0, 1000000)(rng);
}

// Same spins, bets and results at positions 1..upTo.
inline void expectSameHistory(const kv::GameState& a, const kv::GameState& b, int32_t upTo) {
    for (int32_t k = 1; k <= upTo; ++k) {
        ASSERT_EQ(a.SpinHistory(k), b.SpinHistory(k)) << "position " << k;
        ASSERT_EQ(a.SpinBets(k), b.SpinBets(k)) << "position " << k;
        ASSERT_EQ(a.ResultHistory(k), b.ResultHistory(k)) << "position " << k;
    }
}

}  // namespace kvtest
