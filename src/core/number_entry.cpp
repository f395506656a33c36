#include "core/number_entry.h"

#include <charconv>

#include "core/bets.h"

namespace kv {

std::string invalidIntegerText(std::string_view s) {
    std::string out;
    out.reserve(s.size() + 32);
    out.push_back('\'');
    out.append(s);
    out.append("' is not a valid integer value");
    return out;
}

ParsedNumbers parseTypedNumbers(std::string_view text) {
    ParsedNumbers out;
    size_t i = 0;
    while (i < text.size()) {
        if (text[i] < '0' || text[i] > '9') {
            ++i;
            continue;
        }
        size_t j = i;
        while (j < text.size() && text[j] >= '0' && text[j] <= '9') ++j;
        const std::string_view run = text.substr(i, j - i);
        int32_t value = 0;
        const auto [ptr, ec] = std::from_chars(run.data(), run.data() + run.size(), value);
        if (ec != std::errc() || ptr != run.data() + run.size()) {
            out.numbers.clear();
            out.error = invalidIntegerText(run);
            return out;
        }
        if (value <= 36) out.numbers.push_back(value);
        i = j;
    }
    return out;
}

void playTypedNumber(GameState& s, int n) {
    s.Win = 0;
    s.PrevBallAngle = s.BallAngle;
    s.BallAngle = mod37(static_cast<int64_t>(WheelPosition(n)) - 1 - s.WheelAngle);
    s.normalizeWheel();
    s.DriftTicks = s.rng.Random(25) + 30;
    s.RecordSpin(s.ballNumber());
    s.ResultTicks = 50;
    s.WinCell = winCellFor(n);
    settleBets(s);
    s.Bet = s.CurrentBets.sum();
}

}  // namespace kv
