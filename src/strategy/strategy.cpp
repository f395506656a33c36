#include "strategy/strategy.h"

#include <charconv>

namespace kv {

Strategy::PlainOperand Strategy::plainOperand(std::string_view text) const {
    if (const int32_t p = findParameter(text); p > 0) return {PlainOperand::Parameter, p - 1};
    PlainOperand v;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v.value);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size()) v = {PlainOperand::Bad, 0};
    return v;
}

Strategy::Strategy() {
    StrategyParameter bet;
    bet.name = kBetParameterName;
    bet.comment = kBetParameterComment;
    bet.initiation = 1;
    bet.current = 1;
    bet.visible = true;
    parameters.push_back(bet);
}

Strategy Strategy::blank() {
    Strategy s;
    s.parameters.clear();
    return s;
}

int32_t Strategy::findParameter(std::string_view name) const {
    for (size_t i = 0; i < parameters.size(); ++i)
        if (parameters[i].name == name) return static_cast<int32_t>(i + 1);
    return 0;
}

int32_t Strategy::findOperator(std::string_view name) const {
    for (size_t i = 0; i < operators.size(); ++i)
        if (operators[i].name == name) return static_cast<int32_t>(i + 1);
    return 0;
}

}  // namespace kv
