// The strategy reader on any text: it must refuse or accept without
// crashing, and what it accepts must render to text that reads back to the
// same strategy.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "strategy/strategy_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<std::string> lines(1);
    for (size_t i = 0; i < size; ++i) {
        const char ch = static_cast<char>(data[i]);
        if (ch == '\n') {
            lines.emplace_back();
        } else if (ch != '\r') {
            lines.back().push_back(ch);
        }
    }
    const kv::StrategyRead first = kv::readStrategyText(lines);
    if (!first.ok) return 0;
    const std::vector<std::string> text = kv::StrategyText(first.strategy);
    const kv::StrategyRead second = kv::readStrategyText(text);
    if (!second.ok || kv::StrategyText(second.strategy) != text) std::abort();
    return 0;
}
