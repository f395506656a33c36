#include "strategy/constructor_model.h"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>

#include "files/bet_text.h"
#include "strategy/strategy_check.h"

namespace kv {

std::string filterParameterName(std::string_view typed) {
    const std::string upper = ChangeCase(typed, CaseDirection::ToUpper);
    std::string out;
    for (const char c : upper) {
        if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) out.push_back(c);
    }
    return out;
}

bool isReservedParameterName(std::string_view name) {
    static constexpr std::array<std::string_view, 17> kReserved = {
        "bet",  "red",  "black", "odd",  "even", "low", "high", "doz1", "doz2",
        "doz3", "col1", "col2",  "col3", "old",  "new", "cold", "hot"};
    const std::string lower = ChangeCase(name, CaseDirection::ToLower);
    for (std::string_view r : kReserved)
        if (lower == r) return true;
    return false;
}

bool canAddParameter(const Strategy& s, std::string_view filtered) {
    return !filtered.empty() && !isReservedParameterName(filtered) && s.findParameter(filtered) == 0 &&
           s.parameterCount() < kMaxParameters;
}

double ParseSignedDecimal(std::string_view text) {
    std::string whole;
    std::string fraction;
    bool inFraction = false;
    for (const char c : text) {
        if (!inFraction && (c == ',' || c == '.')) {
            inFraction = true;
        } else if (c >= '0' && c <= '9') {
            (inFraction ? fraction : whole).push_back(c);
        }
    }
    // from_chars reads "digits.digits" the same in every locale.
    std::string number =
        (whole.empty() ? std::string("0") : whole) + "." + (fraction.empty() ? "0" : fraction);
    double v = 0;
    const auto r = std::from_chars(number.data(), number.data() + number.size(), v);
    if (r.ec == std::errc::result_out_of_range) v = std::numeric_limits<double>::infinity();
    const bool negative = text.size() > 1 && text[0] == '-';
    return negative ? -v : v;
}

int32_t initiationFromText(std::string_view text) {
    const double v = std::nearbyint(ParseSignedDecimal(text));
    if (v >= static_cast<double>(std::numeric_limits<int32_t>::max()))
        return std::numeric_limits<int32_t>::max();
    if (v <= static_cast<double>(std::numeric_limits<int32_t>::min()))
        return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(v);
}

void deleteParameter(Strategy& s, int32_t index) {
    if (index < 2 || index > s.parameterCount()) return;
    s.parameters.erase(s.parameters.begin() + (index - 1));
}

std::string defaultOperatorName(const Strategy& s) {
    // At most count + 1 candidates can be taken, so the search ends.
    for (int32_t k = 1;; ++k) {
        std::string name = "Operator " + std::to_string(k);
        if (s.findOperator(name) == 0) return name;
    }
}

std::string newOperatorName(const Strategy& s, std::string_view typed) {
    if (typed.empty() || s.findOperator(typed) != 0) return defaultOperatorName(s);
    return std::string(typed);
}

bool isWritableOperatorName(std::string_view name) { return name.find('/') == std::string_view::npos; }

std::string operandToken(std::string_view typed) {
    std::string out;
    for (const char c : typed) {
        if (c != ' ' && c != '/' && c != '\t') out.push_back(c);
    }
    if (out.empty()) out = "0";
    return out;
}

void deleteOperator(Strategy& s, int32_t k) {
    if (k < 1 || k > s.operatorCount()) return;
    s.operators.erase(s.operators.begin() + (k - 1));
    auto follow = [k](OperatorList& list) {
        for (int slot = 1; slot <= kListSlots; ++slot) {
            int32_t& t = list[slot];
            if (t == k) {
                t = 0;
            } else if (t > k) {
                --t;
            }
        }
    };
    for (StrategyOperator& op : s.operators) {
        follow(op.thenList);
        follow(op.elseList);
    }
}

void clearOperatorsAndParameters(Strategy& s) {
    s.operators.clear();
    if (s.parameters.size() > 1) s.parameters.resize(1);
}

std::string strategyRefusal(const Strategy& s) {
    if (const auto cycle = findReferenceCycle(s); !cycle.empty()) return describeCycle(s, cycle);
    if (renderedLineCount(s) > kMaxStrategyLines)
        return "The strategy would be written in more than " + std::to_string(kMaxStrategyLines) + " lines";
    return {};
}

std::string storeOperatorFields(Strategy& s, int32_t k, const StrategyOperator& edited) {
    if (k < 1 || k > s.operatorCount()) return {};
    StrategyOperator& op = s.op(k);
    const StrategyOperator before = op;
    op = edited;
    op.name = before.name;
    op.thenList = before.thenList;
    op.elseList = before.elseList;
    if (op == before) return {};
    // Only an IF follows its lists, so only a change of kind can close a cycle
    // or grow the text here.
    if (op.kind == before.kind && op.independent == before.independent) return {};
    std::string why = strategyRefusal(s);
    if (!why.empty()) op = before;
    return why;
}

std::string assignListSlot(Strategy& s, int32_t k, ListKind list, int slot, int32_t target) {
    if (k < 1 || k > s.operatorCount() || slot < 1 || slot > kListSlots) return {};
    if (target == k || target < 0 || target > s.operatorCount()) target = 0;
    int32_t& entry = list == ListKind::Then ? s.op(k).thenList[slot] : s.op(k).elseList[slot];
    if (entry == target) return {};
    const int32_t before = entry;
    entry = target;
    std::string why = strategyRefusal(s);
    if (!why.empty()) entry = before;
    return why;
}

}  // namespace kv
