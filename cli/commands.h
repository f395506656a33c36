#pragma once
// The subcommands of kelvora-cli. Each adds itself to the application with
// its options and a callback that does the work; errors leave the callback
// as exceptions, which main turns into exit codes.

#include <string>

namespace CLI {
class App;
}

namespace kv::cli {

void addStatsCommand(CLI::App& app);
void addBacktestCommand(CLI::App& app);
void addConvertCommand(CLI::App& app);
void addStrategyCommand(CLI::App& app);
void addHonestyCommand(CLI::App& app);
void addSimulateCommand(CLI::App& app);
void addTestGameCommand(CLI::App& app);
void addAdviseCommand(CLI::App& app);
void addGenerateCommand(CLI::App& app);

// IN, a game file, text export or number list, and --format, which names
// its format instead of recognising it. addFormatOption alone serves an
// input with another name (`what` says which).
void addInputOptions(CLI::App& cmd, std::string& input, std::string& format);
void addFormatOption(CLI::App& cmd, std::string& format, const std::string& what = "IN");

// The --limits option of the commands that run strategies, refused at once
// when it is no valid list of the table's limits.
void addLimitsOption(CLI::App& cmd, std::string& limits);

}  // namespace kv::cli
