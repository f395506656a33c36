#include "strategy/monte_carlo_settings.h"

#include <algorithm>
#include <charconv>
#include <string_view>

#include "files/input_file.h"
#include "files/output_file.h"

namespace kv {

namespace {

// Every field with its key, in the order of the file.
template <typename Fields, typename F>
void forEachField(Fields& f, F&& visit) {
    visit("strategy", f.strategy);
    visit("sessions", f.sessions);
    visit("spins", f.spins);
    visit("bankroll", f.bankroll);
    visit("stop_loss", f.stopLoss);
    visit("take_profit", f.takeProfit);
    visit("seed", f.seed);
    visit("threads", f.threads);
    visit("target_risk", f.targetRisk);
}

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

// A whole text as an integer of type T; nothing for anything else.
template <typename T>
std::optional<T> wholeInteger(std::string_view text) {
    text = trimmed(text);
    T v{};
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return v;
}

std::optional<double> wholeDecimal(std::string_view text) {
    std::string s(trimmed(text));
    std::replace(s.begin(), s.end(), ',', '.');
    double v = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v, std::chars_format::fixed);
    if (s.empty() || ec != std::errc() || end != s.data() + s.size()) return std::nullopt;
    return v;
}

std::string fieldError(std::string_view field, std::string_view text, std::string_view what) {
    return joinText({field, ": '", quotedForMessage(text), "' ", what});
}

}  // namespace

std::optional<MonteCarloFields> readMonteCarloFields(const std::filesystem::path& path) {
    InputFile in;
    if (!in.open(path)) return std::nullopt;
    MonteCarloFields fields;
    std::string line;
    while (in.readLine(line)) {
        const size_t eq = line.find('=');
        if (eq == std::string::npos) continue;
        const std::string_view key(line.data(), eq);
        forEachField(fields, [&](std::string_view name, std::string& value) {
            if (key == name) value = line.substr(eq + 1);
        });
    }
    if (!in.status()) return std::nullopt;
    return fields;
}

FileStatus writeMonteCarloFields(const std::filesystem::path& path, const MonteCarloFields& fields) {
    OutputFile out;
    if (FileStatus st = out.open(path); !st) return st;
    forEachField(fields, [&](std::string_view name, const std::string& value) {
        // A line break inside a value would end the line early and start a
        // line of its own; a text field cannot hold one, so it goes.
        std::string clean = value;
        std::erase_if(clean, [](char c) { return c == '\r' || c == '\n'; });
        out.writeLine(joinText({name, "=", clean}));
    });
    return out.commit();
}

MonteCarloRequest monteCarloRequest(const MonteCarloFields& fields, const TableLimits& limits) {
    MonteCarloRequest r;
    MonteCarloSettings& s = r.settings;
    s.limits = limits;
    s.keepSessions = true;
    // The first bad field is reported; the rest are not looked at.
    auto integer = [&r](std::string_view field, const std::string& text, auto& out) {
        if (!r.error.empty()) return;
        using T = std::remove_reference_t<decltype(out)>;
        if (const auto v = wholeInteger<T>(text)) {
            out = *v;
            return;
        }
        r.error = joinText({field, ": ", FileStatus::badInteger(trimmed(text)).message()});
    };
    auto optionalInteger = [&](std::string_view field, const std::string& text, std::optional<int64_t>& out) {
        if (trimmed(text).empty()) return;
        int64_t v = 0;
        integer(field, text, v);
        if (r.error.empty()) out = v;
    };
    integer("Sessions", fields.sessions, s.sessions);
    integer("Spins", fields.spins, s.spins);
    integer("Bankroll", fields.bankroll, s.bankroll);
    optionalInteger("Stop-loss", fields.stopLoss, s.stopLoss);
    optionalInteger("Take-profit", fields.takeProfit, s.takeProfit);
    integer("Seed", fields.seed, s.seed);
    integer("Threads", fields.threads, s.threads);
    if (r.error.empty() && !trimmed(fields.targetRisk).empty()) {
        if (const auto percent = wholeDecimal(fields.targetRisk))
            r.targetRisk = *percent / 100.0;
        else
            r.error = fieldError("Target risk", trimmed(fields.targetRisk), "is not a valid number");
    }
    return r;
}

}  // namespace kv
