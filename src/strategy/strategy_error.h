#pragma once
// Why a strategy text or model was refused.

#include <cstdint>
#include <string>
#include <string_view>

namespace kv {

struct StrategyError {
    int32_t line = 0;     // 1-based line of the text; 0 when no single line is to blame
    std::string message;  // e.g. "'x1' is not a valid integer value"

    // "Line 12: " + message, or the message alone when line is 0.
    std::string text() const;
};

// A piece of the strategy's own text as a message shows it: at most 32
// characters (then "..."), bytes outside printable ASCII as \xNN, so that a
// huge or binary token still gives a short message that shows as written.
std::string shownText(std::string_view text);

}  // namespace kv
