#pragma once
// One named integer of a strategy.

#include <cstdint>
#include <string>

namespace kv {

struct StrategyParameter {
    std::string name;        // upper-case letters and digits; unique in its strategy
    std::string comment;     // free text
    int32_t initiation = 0;  // the value at the start of a run
    bool visible = true;     // offered for editing in the tester
    int32_t current = 0;     // the value during (and after) a run

    bool operator==(const StrategyParameter&) const = default;
};

}  // namespace kv
