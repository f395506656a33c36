#include "analysis/rndtest_table.h"

#include <algorithm>
#include <charconv>
#include <fstream>

namespace kv {

namespace {

// No limit needs more characters than this; a longer line is not a limit,
// and the bound keeps a wrong file from being read whole.
constexpr size_t kMaxLineLength = 256;

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

std::optional<double> ParseDecimal(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    size_t i = 0;
    while (i < text.size() && isDigit(text[i])) ++i;
    if (i == 0) return std::nullopt;
    const std::string_view whole = text.substr(0, i);
    std::string_view fraction;
    if (i < text.size()) {
        fraction = text.substr(i + 1);  // the separator may be any non-digit
        for (char c : fraction)
            if (!isDigit(c)) return std::nullopt;
    }
    // Rebuild the number with a '.' so that from_chars rounds the whole
    // decimal text once, correctly: "0.0625" must not become 0.625.
    std::string canonical;
    canonical.reserve(whole.size() + 1 + fraction.size());
    canonical.append(whole);
    if (!fraction.empty()) {
        canonical.push_back('.');
        canonical.append(fraction);
    }
    double value = 0;
    const char* end = canonical.data() + canonical.size();
    const auto [ptr, ec] = std::from_chars(canonical.data(), end, value, std::chars_format::fixed);
    if (ec != std::errc() || ptr != end) return std::nullopt;
    return value;
}

RndTestTable RndTestTable::fromLimits(std::vector<double> limits) {
    RndTestTable t;
    if (limits.size() != static_cast<size_t>(kRndTestLineCount)) {
        t.problem_ = "the table needs " + std::to_string(kRndTestLineCount) + " limits";
        return t;
    }
    t.limits_ = std::move(limits);
    t.problem_.clear();
    return t;
}

RndTestTable RndTestTable::parse(std::string_view content) {
    std::vector<double> limits;
    limits.reserve(static_cast<size_t>(kRndTestLineCount));
    size_t pos = 0;
    while (limits.size() < static_cast<size_t>(kRndTestLineCount) && pos < content.size()) {
        size_t end = content.find_first_of("\r\n", pos);
        if (end == std::string_view::npos) end = content.size();
        const std::string_view line = content.substr(pos, end - pos);
        const int lineNo = static_cast<int>(limits.size()) + 1;
        RndTestTable bad;
        if (line.size() > kMaxLineLength) {
            bad.problem_ = "rndtest.dat line " + std::to_string(lineNo) + " is too long";
            return bad;
        }
        const std::optional<double> value = ParseDecimal(line);
        if (!value) {
            bad.problem_ = "rndtest.dat line " + std::to_string(lineNo) + ": '" + std::string(line) +
                           "' is not a valid number";
            return bad;
        }
        limits.push_back(*value * kRndTestFactor);
        pos = end;
        if (pos < content.size() && content[pos] == '\r') {
            ++pos;
            if (pos < content.size() && content[pos] == '\n') ++pos;
        } else if (pos < content.size()) {
            ++pos;  // '\n'
        }
    }
    if (limits.size() < static_cast<size_t>(kRndTestLineCount)) {
        RndTestTable shortTable;
        shortTable.problem_ = "rndtest.dat has " + std::to_string(limits.size()) + " of " +
                              std::to_string(kRndTestLineCount) + " lines";
        return shortTable;
    }
    return fromLimits(std::move(limits));
}

RndTestTable RndTestTable::read(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        RndTestTable missing;
        missing.problem_ = "rndtest.dat cannot be opened";
        return missing;
    }
    // Only the first 9,999 lines are used, each at most kMaxLineLength
    // characters and two line-end characters: never read more than that.
    const size_t maxBytes = static_cast<size_t>(kRndTestLineCount) * (kMaxLineLength + 2);
    std::string content;
    char buffer[65536];
    while (content.size() < maxBytes && in) {
        in.read(buffer, static_cast<std::streamsize>(std::min(sizeof buffer, maxBytes - content.size())));
        content.append(buffer, static_cast<size_t>(in.gcount()));
    }
    if (in.bad()) {
        RndTestTable missing;
        missing.problem_ = "rndtest.dat cannot be read";
        return missing;
    }
    return parse(content);
}

}  // namespace kv
