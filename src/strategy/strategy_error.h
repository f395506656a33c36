#pragma once
// Why a strategy text or model was refused.

#include <cstdint>
#include <string>

namespace kv {

struct StrategyError {
    int32_t line = 0;     // 1-based line of the text; 0 when no single line is to blame
    std::string message;  // e.g. "'x1' is not a valid integer value"

    // "Line 12: " + message, or the message alone when line is 0.
    std::string text() const;
};

}  // namespace kv
