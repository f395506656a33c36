// kelvora-cli generate: random spins of the program's generator, as Game >
// Generate Spins draws them, written as a number list (oldest first, one a
// line) that every other command reads.
#include <CLI/CLI.hpp>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>

#include "cli/cli_common.h"
#include "cli/commands.h"
#include "core/generator.h"
#include "files/file_status.h"

namespace kv::cli {

namespace {

struct GenerateOptions {
    int32_t count = 0;
    std::optional<uint32_t> seed;
    int32_t depth = kRandomDepthDefault;
};

void runGenerate(const GenerateOptions& opt) {
    Generator rng;
    if (opt.seed)
        rng.setSeed(*opt.seed);
    else
        rng.Randomize();
    // The seed comes first, as a comment line, so that a list can be made again.
    std::string out = "# kelvora-cli generate " + std::to_string(opt.count) + " --seed " +
                      std::to_string(rng.seed()) + " --depth " + std::to_string(opt.depth) + "\n";
    for (int32_t i = 0; i < opt.count; ++i) {
        appendInt(out, RandNum(rng, opt.depth));
        out += '\n';
    }
    printResult(out);
}

}  // namespace

void addGenerateCommand(CLI::App& app) {
    auto opt = std::make_shared<GenerateOptions>();
    CLI::App* cmd =
        app.add_subcommand("generate", "Random spins of the program's generator, as a number list");
    cmd->add_option("N", opt->count, "How many spins")->required()->check(CLI::Range(0, kMaxHistorySpins));
    cmd->add_option("--seed", opt->seed, "Seed of the generator (default: from the clock)");
    cmd->add_option("--depth", opt->depth, "Random depth, as in Random Properties")
        ->check(CLI::Range(kRandomDepthMin, kRandomDepthMax))
        ->capture_default_str();
    cmd->callback([opt] { runGenerate(*opt); });
}

}  // namespace kv::cli
