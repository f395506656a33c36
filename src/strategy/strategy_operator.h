#pragma once
// One numbered statement of a strategy: IF, PARAMETER or BET. Every field is
// present whatever the kind, as the constructor edits them all; each kind
// uses only some of them.

#include <array>
#include <cstdint>
#include <string>

namespace kv {

enum class StrategySection : int32_t { Always = 0, Win = 1, Lose = 2, DrawnGame = 3, Always2 = 4 };
enum class OperatorKind : int32_t { If = 0, Parameter = 1, Bet = 2 };
enum class Comparison : int32_t { Equal = 0, GreaterOrEqual, LessOrEqual, Greater, Less, NotEqual };
// Integer division is `Divide` ("\"); `Mod` is "mod".
enum class Operation : int32_t { None = 0, Add, Subtract, Multiply, Divide, Mod, Power, Sqrt };

inline constexpr int kListSlots = 30;
// THEN / ELSE lists: operator numbers in slots 1..30, 0 = empty; index 0 unused.
using OperatorList = std::array<int32_t, kListSlots + 1>;

struct StrategyOperator {
    std::string name;
    bool independent = false;  // runs by itself at the top of its section
    StrategySection section = StrategySection::Always;
    OperatorKind kind = OperatorKind::If;
    Comparison comparison = Comparison::Equal;  // IF
    int32_t leftCategory = 0;                   // IF: CategoryChoice index of the left side
    int32_t rightCategory = 0;                  // IF: CategoryChoice index of the right side
    Operation operation = Operation::None;      // PARAMETER
    int32_t betCategory = 0;                    // BET: CategoryChoice index
    std::string target;    // PARAMETER: the parameter assigned; BET: one of the 16 keywords
    std::string left;      // IF: keyword, parameter name or integer literal
    std::string right;     // IF
    std::string operand1;  // PARAMETER: parameter name or integer literal
    std::string operand2;  // PARAMETER: used unless operation is None
    OperatorList thenList{};
    OperatorList elseList{};
    int32_t betWindow = 0;    // BET: window N of OLD/NEW/COLD/HOT; 0 = every step so far
    int32_t leftWindow = 0;   // IF, left side
    int32_t rightWindow = 0;  // IF, right side

    bool operator==(const StrategyOperator&) const = default;
};

}  // namespace kv
