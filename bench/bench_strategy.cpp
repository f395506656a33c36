// Strategy runs over random spins, as the tester's "Game on random sequence"
// does them (without the window's event processing). Compare the cost per
// step at 10,000 and at 1,000,000 steps: selections must not grow with the
// length of the run.
//
// Reading strategy texts of about 1 MB shaped to be slow to read (deep
// nesting, lines that many IF blocks walk over): any of them must read in
// at most 0.1 s (BM_ReadStrategyText); time grows with the size of the text,
// not with the depth of its nesting.

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "core/game_state.h"
#include "strategy/interpreter.h"
#include "strategy/strategy_text.h"

namespace {

kv::Strategy parse(const std::vector<std::string>& lines) {
    kv::StrategyRead r = kv::readStrategyText(lines);
    if (!r.ok) throw std::runtime_error(r.error.text());
    return r.strategy;
}

// Martingale on red: one BET and two PARAMETER operators.
kv::Strategy martingale() {
    return parse({"",
                  "BET 5 v The sum of the bet",
                  "BASE 5 v",
                  "",
                  "ALWAYS",
                  "------",
                  "",
                  "WIN",
                  "---",
                  "BET = BASE // 1 Back",
                  "",
                  "LOSE",
                  "----",
                  "BET = BET * 2 // 2 Double",
                  "",
                  "DRAWN GAME",
                  "----------",
                  "",
                  "ALWAYS 2",
                  "--------",
                  "BETS RED // 3 Red"});
}

// Five operators: an IF on the hotter colour of all spins so far choosing
// between red and the five coldest numbers of the last 37, and a
// progression of BET.
kv::Strategy selections() {
    return parse({"",
                  "BET 1 v The sum of the bet",
                  "",
                  "ALWAYS",
                  "------",
                  "IF HOT (0,RED) = 1 THEN // 1 Red is hot",
                  "{",
                  "      BETS RED // 2 Red",
                  "} ELSE",
                  "{",
                  "      BETS COLD (37,5) // 3 Five coldest",
                  "}",
                  "",
                  "WIN",
                  "---",
                  "BET = 1 // 5 Back",
                  "",
                  "LOSE",
                  "----",
                  "BET = BET + 1 // 4 Up",
                  "",
                  "DRAWN GAME",
                  "----------",
                  "",
                  "ALWAYS 2",
                  "--------"});
}

void runRandom(benchmark::State& state, kv::Strategy s) {
    const auto spins = static_cast<int32_t>(state.range(0));
    kv::GameState game;
    game.rng.setSeed(12345);
    kv::Interpreter run;
    for (auto _ : state) {
        const kv::RunResult r = run.Run(s, game, false, spins);
        if (r.end != kv::RunEnd::Finished) state.SkipWithError(r.message.c_str());
        benchmark::DoNotOptimize(run.balance());
    }
    const double steps = static_cast<double>(spins) + 1;
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * (steps)));
    state.counters["ns_per_step"] =
        benchmark::Counter(steps * static_cast<double>(state.iterations()),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.counters["bytes_per_step"] = static_cast<double>(run.memoryBytes()) / steps;
}

void BM_Martingale(benchmark::State& state) { runRandom(state, martingale()); }
void BM_FiveOperatorsTwoSelections(benchmark::State& state) { runRandom(state, selections()); }

BENCHMARK(BM_Martingale)->Arg(10'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FiveOperatorsTwoSelections)->Arg(10'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

// The text around the lines of the ALWAYS section.
std::vector<std::string> withSections(const std::vector<std::string>& always) {
    std::vector<std::string> t = {
        "' A text to time the reader", "", "BET 1 v The sum of the bet", "", "ALWAYS", "------"};
    t.insert(t.end(), always.begin(), always.end());
    for (const char* h : {"WIN", "LOSE", "DRAWN GAME", "ALWAYS 2"}) {
        t.emplace_back();
        t.emplace_back(h);
        t.emplace_back(std::string(t.back().size(), '-'));
    }
    return t;
}

size_t bytesOf(const std::vector<std::string>& lines) {
    size_t n = 0;
    for (const std::string& l : lines) n += l.size() + 2;
    return n;
}

// IF blocks nested `levels` deep, each `step` spaces deeper than its
// parent, the innermost holding a bet and then note lines (no operator
// lines: every enclosing block walks over them) until the text is about
// `bytes` long.
std::vector<std::string> nested(int levels, int step, size_t bytes) {
    std::vector<std::string> always;
    for (int d = 0; d < levels; ++d) {
        const std::string p(static_cast<size_t>(d * step), ' ');
        always.push_back(p + "IF BET > " + std::to_string(d) + " THEN // " + std::to_string(d + 1) +
                         " Level");
        always.push_back(p + "{");
    }
    const std::string inner(static_cast<size_t>(levels * step), ' ');
    always.push_back(inner + "BETS RED // " + std::to_string(levels + 1) + " Red");
    std::vector<std::string> closing;
    for (int d = levels - 1; d >= 0; --d) {
        const std::string p(static_cast<size_t>(d * step), ' ');
        closing.insert(closing.end(), {p + "} ELSE", p + "{", p + "}"});
    }
    const size_t fixed = bytesOf(withSections(always)) + bytesOf(closing);
    const std::string note = inner + "a note between the lines";
    const size_t maxLines = static_cast<size_t>(kv::kMaxStrategyLines) - always.size() - closing.size() - 30;
    for (size_t size = fixed, lines = 0; size + note.size() + 2 <= bytes && lines < maxLines; ++lines) {
        always.push_back(note);
        size += note.size() + 2;
    }
    always.insert(always.end(), closing.begin(), closing.end());
    return withSections(always);
}

// 1000 top-level operators, alternating IF blocks and bets, padded with
// long names to about `bytes`.
std::vector<std::string> wide(size_t bytes) {
    std::vector<std::string> always;
    const std::string name(bytes / 1000, 'n');
    for (int k = 1; k <= 1000; k += 2) {
        always.push_back("IF HOT (37,RED) = 1 THEN // " + std::to_string(k) + " " + name);
        always.insert(always.end(),
                      {"{", "      BETS RED // " + std::to_string(k + 1) + " " + name, "} ELSE", "{", "}"});
    }
    return withSections(always);
}

const std::vector<std::string>& text(int shape) {
    static const std::vector<std::string> shapes[] = {
        nested(250, 6, 1 << 20),   // as deep as 1 MB allows with six spaces a level
        nested(640, 1, 1 << 20),   // one space a level: deeper still
        nested(400, 1, 1 << 20),   // half as deep, with about 1,700 note lines
        nested(990, 1, 17 << 20),  // 990 levels and 14,000 note lines: 17 MB
        wide(1 << 20),             // 1000 operators side by side
    };
    return shapes[shape];
}

void BM_ReadStrategyText(benchmark::State& state) {
    const std::vector<std::string>& lines = text(static_cast<int>(state.range(0)));
    const kv::StrategyRead check = kv::readStrategyText(lines);
    if (!check.ok) {
        state.SkipWithError(check.error.text().c_str());
        return;
    }
    for (auto _ : state) {
        kv::StrategyRead r = kv::readStrategyText(lines);
        benchmark::DoNotOptimize(r.strategy.operators.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytesOf(lines)));
    state.counters["lines"] = static_cast<double>(lines.size());
    state.counters["MB"] = static_cast<double>(bytesOf(lines)) / 1e6;
}
BENCHMARK(BM_ReadStrategyText)->DenseRange(0, 4)->Unit(benchmark::kMillisecond);

}  // namespace
