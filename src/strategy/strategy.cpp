#include "strategy/strategy.h"

namespace kv {

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
