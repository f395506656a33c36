// kelvora-cli convert: a game from any format the program reads into a game
// file, a text export, a CSV table or JSON, chosen by OUT's extension.
#include <CLI/CLI.hpp>
#include <algorithm>
#include <cctype>
#include <string>

#include "cli/cli_common.h"
#include "cli/commands.h"
#include "core/bets.h"
#include "core/game_state.h"
#include "files/file_status.h"
#include "files/game_file.h"
#include "files/output_file.h"
#include "files/text_exchange.h"

namespace kv::cli {

namespace {

namespace fs = std::filesystem;

struct ConvertOptions {
    std::string input;
    std::string output;
    std::string format = "auto";
};

std::string lowerExtension(const std::string& path) {
    std::string ext = fs::path(path).extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
    return ext;
}

// Stake and gross return of one spin; a spin without bets costs no grid.
struct SpinMoney {
    int64_t stake = 0;
    int64_t winnings = 0;
};

// Bets of spin s are spins.bets[firstBet[s] .. betsEnd(s)).
size_t betsEnd(const ImportedGame& spins, size_t s) {
    return s + 1 < spins.firstBet.size() ? spins.firstBet[s + 1] : spins.bets.size();
}
bool hasBets(const ImportedGame& spins, size_t s) { return spins.firstBet[s] != betsEnd(spins, s); }

SpinMoney moneyOf(const ImportedGame& spins, size_t s) {
    if (!hasBets(spins, s)) return {};
    SpinMoney m;
    for (size_t b = spins.firstBet[s]; b < betsEnd(spins, s); ++b) m.stake += spins.bets[b].amount;
    m.winnings = grossWin(spins.grid(s), spins.numbers[s]);
    return m;
}

void writeGma(const LoadedGame& g, const fs::path& path, const std::string& input) {
    if (auto st = writeGameFile(path, gameStateOf(g, input)); !st) throwWriteError(path, st);
}

void writeText(const LoadedGame& g, const fs::path& path) {
    PieceWriter w(path);
    static const BetGrid kNoBets;
    for (size_t s = 0; s < g.spins.spinCount(); ++s) {
        w.piece() += exportLine(g.spins.numbers[s], hasBets(g.spins, s) ? g.spins.grid(s) : kNoBets);
        w.piece() += "\r\n";
        w.maybeFlush();
    }
    w.commit();
}

void writeCsv(const LoadedGame& g, const fs::path& path) {
    PieceWriter w(path);
    w.piece() += "spin,number,stake,winnings,credit\r\n";
    for (size_t s = 0; s < g.spins.spinCount(); ++s) {
        const SpinMoney m = moneyOf(g.spins, s);
        std::string& p = w.piece();
        appendInt(p, static_cast<int64_t>(s + 1));
        p += ',';
        appendInt(p, g.spins.numbers[s]);
        p += ',';
        appendInt(p, m.stake);
        p += ',';
        appendInt(p, m.winnings);
        p += ',';
        if (s < g.results.size()) appendInt(p, g.results[s]);
        p += "\r\n";
        w.maybeFlush();
    }
    w.commit();
}

void writeJson(const LoadedGame& g, const fs::path& path) {
    PieceWriter w(path);
    std::string& p = w.piece();
    p += "{\"balance\":";
    appendInt(p, g.Balance);
    p += ",\"credit\":";
    appendInt(p, g.Credit);
    p += ",\"spins\":[";
    for (size_t s = 0; s < g.spins.spinCount(); ++s) {
        if (s > 0) p += ',';
        p += "\n{\"number\":";
        appendInt(p, g.spins.numbers[s]);
        p += ",\"bets\":{";
        for (size_t b = g.spins.firstBet[s]; b < betsEnd(g.spins, s); ++b) {
            const auto& bet = g.spins.bets[b];
            if (b > g.spins.firstBet[s]) p += ',';
            // Spot names are digits, letters and "_": nothing to escape.
            p += '"';
            p += betCellName(bet.cell / kGridRows + 1, bet.cell % kGridRows + 1);
            p += "\":";
            appendInt(p, bet.amount);
        }
        p += "},\"result\":";
        if (s < g.results.size())
            appendInt(p, g.results[s]);
        else
            p += "null";
        p += '}';
        w.maybeFlush();
    }
    p += "\n]}\n";
    w.commit();
}

}  // namespace

void addConvertCommand(CLI::App& app) {
    auto opt = std::make_shared<ConvertOptions>();
    CLI::App* cmd =
        app.add_subcommand("convert", "Convert a game: OUT's extension chooses .gma, .txt, .csv or .json");
    addInputOptions(*cmd, opt->input, opt->format);
    cmd->add_option("OUT", opt->output, "File to write (.gma, .txt, .csv or .json)")
        ->required()
        ->check([](const std::string& out) {
            const std::string ext = lowerExtension(out);
            if (ext == ".gma" || ext == ".txt" || ext == ".csv" || ext == ".json") return std::string();
            return "'" + out + "' does not end in .gma, .txt, .csv or .json";
        });
    cmd->callback([opt] {
        const LoadedGame game = readGame(opt->input, opt->format);
        const std::string ext = lowerExtension(opt->output);
        if (ext == ".gma")
            writeGma(game, opt->output, opt->input);
        else if (ext == ".txt")
            writeText(game, opt->output);
        else if (ext == ".csv")
            writeCsv(game, opt->output);
        else
            writeJson(game, opt->output);
        printResult(std::to_string(game.spins.spinCount()) + " spins written to " + opt->output + "\n");
    });
}

}  // namespace kv::cli
