#include "strategy/tester_controls.h"

#include <algorithm>
#include <limits>

namespace kv {

namespace {

constexpr int64_t kMax = std::numeric_limits<int32_t>::max();
constexpr int64_t kMin = std::numeric_limits<int32_t>::min();

int64_t digitsValue64(std::string_view text) {
    int64_t v = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') continue;
        v = std::min<int64_t>(v * 10 + (c - '0'), kMax);
    }
    return v;
}

int64_t signedSpins(std::string_view text) {
    const int64_t v = digitsValue64(text);
    return !text.empty() && text[0] == '-' ? -v : v;
}

std::string text(int64_t v) { return std::to_string(std::clamp(v, kMin, kMax)); }

}  // namespace

std::string bareFileName(std::string_view path) {
    const size_t cut = path.find_last_of("\\/");
    return std::string(cut == std::string_view::npos ? path : path.substr(cut + 1));
}

std::string strategyDisplayName(std::string_view entry) {
    std::string name = bareFileName(entry);
    if (name.size() >= 4) {
        std::string ext = name.substr(name.size() - 4);
        std::transform(ext.begin(), ext.end(), ext.begin(),
                       [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
        if (ext == ".stg") name.resize(name.size() - 4);
    }
    return name;
}

int32_t digitsValue(std::string_view text) { return static_cast<int32_t>(digitsValue64(text)); }

std::string doubledSpins(std::string_view t) {
    const int64_t n = signedSpins(t);
    return n == 0 ? std::string("1") : text(2 * n);
}

std::string halvedSpins(std::string_view t) {
    const int64_t n = signedSpins(t);
    return n == 1 ? std::string("0") : text(n / 2);
}

int32_t replaySpins(std::string_view text, int32_t spinCount) {
    const int32_t n = digitsValue(text);
    return n == 0 || n > spinCount ? spinCount : n;
}

int32_t randomSpins(std::string_view text, int32_t spinCount) {
    const int32_t n = digitsValue(text);
    return n == 0 ? spinCount : n;
}

std::vector<int32_t> visibleParameters(const Strategy& s) {
    std::vector<int32_t> out;
    for (int32_t i = 1; i <= s.parameterCount(); ++i)
        if (s.parameter(i).visible) out.push_back(i);
    return out;
}

}  // namespace kv
