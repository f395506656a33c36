#pragma once
// A betting strategy: a description, named integer parameters and numbered
// operators. Parameters and operators are numbered from 1 in the language
// (an operator's number is what THEN/ELSE lists refer to); they are stored
// in vectors from index 0, so use parameter(i) / op(k) for numbered access.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "strategy/strategy_operator.h"
#include "strategy/strategy_parameter.h"

namespace kv {

inline constexpr int32_t kMaxParameters = 1000;
inline constexpr int32_t kMaxOperators = 1000;
inline constexpr int32_t kMaxStrategyLines = 20000;
// The longest line a strategy text may hold. The deepest nesting the reader
// accepts indents by 6000 spaces; names and comments get the rest. A file
// with a longer line is junk, and reading stops there instead of holding it.
inline constexpr int32_t kMaxStrategyLineLength = 65536;

inline constexpr const char* kBetParameterName = "BET";
inline constexpr const char* kBetParameterComment = "The sum of the bet";

struct Strategy {
    std::vector<std::string> description;
    std::vector<StrategyParameter> parameters;  // parameter i is parameters[i - 1]
    std::vector<StrategyOperator> operators;    // operator k is operators[k - 1]

    // A new strategy: only the parameter BET (initiation 1, visible, "The sum of the bet").
    Strategy();
    // Nothing at all: no description, no parameter, no operator.
    static Strategy blank();

    int32_t parameterCount() const { return static_cast<int32_t>(parameters.size()); }
    int32_t operatorCount() const { return static_cast<int32_t>(operators.size()); }
    StrategyParameter& parameter(int32_t i) { return parameters[i - 1]; }
    const StrategyParameter& parameter(int32_t i) const { return parameters[i - 1]; }
    StrategyOperator& op(int32_t k) { return operators[k - 1]; }
    const StrategyOperator& op(int32_t k) const { return operators[k - 1]; }

    // Number (1-based) of the first parameter with exactly this name, or 0.
    int32_t findParameter(std::string_view name) const;

    // An operand that is no selection, as a run reads it: a parameter (its
    // 0-based index), a whole number, or a text that is neither (the run
    // stops with "'X' is not a valid integer value" when it meets it).
    struct PlainOperand {
        enum Kind : uint8_t { Parameter, Literal, Bad } kind = Literal;
        int32_t value = 0;  // the index or the number
    };
    PlainOperand plainOperand(std::string_view text) const;
    // Number of the first operator with exactly this name, or 0.
    int32_t findOperator(std::string_view name) const;

    bool operator==(const Strategy&) const = default;
};

}  // namespace kv
