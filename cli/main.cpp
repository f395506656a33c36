// kelvora-cli: the program's engine from the command line. Exit codes:
// 0 success, 1 bad input (a file that is missing, malformed or cannot be
// written), 2 wrong usage.
#include <CLI/CLI.hpp>
#include <cstdio>
#include <exception>
#include <new>

#include "cli/cli_common.h"
#include "cli/commands.h"

namespace {

constexpr int kExitBadInput = 1;
constexpr int kExitUsage = 2;

void reportError(const char* what) { std::fprintf(stderr, "kelvora-cli: %s\n", what); }

}  // namespace

int main(int argc, char** argv) {
    CLI::App app{"Kelvora single-zero roulette trainer: statistics, strategy runs and file conversion",
                 "kelvora-cli"};
    app.set_version_flag("--version", "kelvora-cli " KV_VERSION);
    app.require_subcommand(1);

    kv::cli::addStatsCommand(app);
    kv::cli::addBacktestCommand(app);
    kv::cli::addConvertCommand(app);
    kv::cli::addStrategyCommand(app);
    kv::cli::addHonestyCommand(app);
    kv::cli::addSimulateCommand(app);
    kv::cli::addTestGameCommand(app);
    kv::cli::addAdviseCommand(app);
    kv::cli::addGenerateCommand(app);
    kv::cli::setProgramPath(argc > 0 ? argv[0] : nullptr);

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        // --help and --version arrive here too, with their own exit code 0.
        const int code = app.exit(e);
        return code == 0 ? 0 : kExitUsage;
    } catch (const kv::cli::InputError& e) {
        reportError(e.what());
        return kExitBadInput;
    } catch (const std::bad_alloc&) {
        reportError("not enough memory");
        return kExitBadInput;
    } catch (const std::exception& e) {
        reportError(e.what());
        return kExitBadInput;
    }
    return 0;
}
