#pragma once
// A strategy prepared for many fast runs: names resolved to indices, the
// sections of each outcome laid out as one list, bets kept as a short list
// of the cells set in the step, settlement read from a table of the payout
// of every cell for each of the 37 numbers, and selections answered from
// running counts over fixed windows instead of the whole run's history.
//
// It follows the interpreter step for step (same operators in the same
// order, same clamping to the table limits, same selections, same
// settlement), so a session over it is a random run of the tester with the
// numbers supplied from outside. A copy is a separate runner: compile once,
// copy once per thread.
//
//   auto compiled = CompiledStrategy::compile(strategy, limits, spins, error);
//   compiled->reset();
//   int64_t stake = compiled->placeBets();   // the bets of the step
//   compiled->settle(number);                // balance, outcome, history

#include <array>
#include <atomic>
#include <cstdint>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/roulette.h"
#include "strategy/strategy.h"
#include "strategy/tester_grid.h"

namespace kv {

class SessionRandom;

// "Division by zero", "'X' is not a valid integer value": the run cannot go on.
class StrategyRunError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// How one session may end.
enum class SessionEnd : uint8_t { Completed, Ruined, StopLoss, TakeProfit, Cancelled };

struct SessionRules {
    int64_t spins = 0;     // settled steps of a session that is not stopped
    int64_t bankroll = 0;  // a step whose stake is above bankroll + balance ruins the session
    bool hasStopLoss = false;
    int64_t stopLoss = 0;  // ends the session once balance <= -stopLoss
    bool hasTakeProfit = false;
    int64_t takeProfit = 0;  // ends the session once balance >= takeProfit
};

struct SessionRecord {
    SessionEnd end = SessionEnd::Completed;
    int32_t finalBalance = 0;
    int64_t length = 0;       // settled steps
    int64_t staked = 0;       // sum of the stakes of the settled steps
    int64_t maxDrawdown = 0;  // deepest fall below the highest balance so far (0 at the start)
    // The smallest bankroll that would not have ruined the session up to
    // where it ended: the highest stake - balance before a step (at least 0).
    int64_t bankrollNeeded = 0;
};

class CompiledStrategy {
  public:
    // Refuses what the interpreter refuses (checkStrategy): returns nothing
    // and sets `error`. `longestRun` is the most steps a run will take;
    // windows longer than it are never full and need no counting.
    static std::optional<CompiledStrategy> compile(const Strategy& strategy, const TableLimits& limits,
                                                   int64_t longestRun, std::string& error);

    // The start of a run: parameters at their initiation values, balance 0,
    // outcome DRAWN, no spins seen.
    void reset();
    // Runs the operators of the step on a cleared grid; returns the stake.
    // Throws StrategyRunError.
    int64_t placeBets();
    // Settles the step's bets against x (0..36) and records x.
    void settle(int x);

    int32_t balance() const { return balance_; }
    // What the latest settle paid back, stakes of winning bets included.
    int64_t winnings() const { return winnings_; }
    int32_t parameter(int32_t i) const { return current_[i - 1]; }  // 1-based, current value
    int32_t selectionValue() const { return selectionValue_; }
    // The bets placed by the latest placeBets, as the tester lays them out.
    TesterGrid bets() const;

    // One session under `rules`, numbers from `random`. checkpointBalances[i]
    // gets the balance after step checkpointSteps[i] (ascending), or the
    // final balance when the session ended before it. Reads `cancel` every
    // few thousand steps. Throws StrategyRunError.
    SessionRecord play(SessionRandom& random, const SessionRules& rules,
                       std::span<const int64_t> checkpointSteps, std::span<int32_t> checkpointBalances,
                       const std::atomic<bool>* cancel = nullptr);

  private:
    // An operand: a parameter, a literal, a selection or a text that is neither.
    struct Value {
        enum Kind : uint8_t { Parameter, Literal, Selection, Bad } kind = Literal;
        int32_t v = 0;  // parameter index, literal, index into selects_ or badTexts_
    };
    struct Select {
        int keyword = 0;
        int32_t category = 0;
        int32_t length = 0;   // the window; 0 = every spin so far
        int32_t window = -1;  // index into windows_, -1 = a window that is never full
    };
    struct Op {
        OperatorKind kind = OperatorKind::If;
        int32_t code = 0;     // Operation (PARAMETER) or Comparison (IF)
        Value a, b;           // PARAMETER operands, IF sides
        int32_t target = -1;  // PARAMETER: parameter index, -1 = dropped
        // BET: a category cell and its limit pair, or a selection
        int32_t fixedCell = -1, fixedClass = 0, select = -1;
        int32_t thenBegin = 0, thenEnd = 0, elseBegin = 0, elseEnd = 0;  // IF: ranges of lists_
    };
    // Running counts over one window: by number, by class of each family,
    // and the numbers grouped by count (groups in descending count, each a
    // set of numbers), so that HOT and COLD of n numbers read the ends of the
    // groups, and one spin moves one number to a neighbouring group.
    struct Window {
        struct Group {
            int32_t count;
            uint64_t numbers;
        };
        int32_t length = 0;  // 0 = every spin so far
        bool grouped = false;
        bool classes = false;
        std::array<int32_t, 37> count{};
        std::array<std::array<int32_t, 4>, 5> classSum{};
        std::array<Group, 37> groups{};
        int groupCount = 0;
        void clear();
        void add(int x);
        void remove(int x);
        void move(int x, int32_t from, int32_t to);
    };
    CompiledStrategy() = default;

    int32_t value(const Value& v) {
        return v.kind == Value::Parameter ? current_[v.v] : (v.kind == Value::Literal ? v.v : otherValue(v));
    }
    int32_t otherValue(const Value& v);
    inline int64_t betStep();
    inline void settleStep(int x);
    uint64_t select(const Select& s, bool& hasValue, int32_t& v) const;
    void execute(int32_t index);
    void placeBet(uint64_t numbers, int32_t amount);
    void setCell(int cell, int32_t amount);
    void record(int x);

    // The program.
    std::vector<Op> ops_;
    std::vector<int32_t> lists_;                 // THEN / ELSE entries of every IF
    std::array<std::vector<int32_t>, 3> steps_;  // by outcome: ALWAYS, its section, ALWAYS 2
    std::vector<Select> selects_;
    std::vector<std::string> badTexts_;
    std::vector<int32_t> initiation_;
    int32_t betParameter_ = -1;
    std::array<int32_t, 14> limits_{};
    std::array<uint8_t, 37 * 70> payout_{};
    std::array<uint64_t, 12> categoryMask_{};  // the numbers of RED .. COL3
    std::array<uint8_t, 12> categoryCell_{};
    std::array<uint8_t, 37> numberCell_{};
    std::array<std::array<uint64_t, 4>, 5>
        classMask_{};  // by family and class 1..3  // gross multiplier of cell c when x comes: [x * 70 + c]
    bool tracksSpins_ = false;
    bool tracksLastSeen_ = false;  // OLD and NEW

    // The run.
    std::vector<int32_t> current_;
    std::array<int32_t, 70> amounts_{};
    std::array<uint8_t, 70> touched_{};
    int touchedCount_ = 0;
    uint64_t touchedBits_[2] = {0, 0};
    int64_t stake_ = 0;
    int64_t winnings_ = 0;
    int32_t balance_ = 0;
    int32_t selectionValue_ = 0;
    int outcome_ = 2;  // 0 win, 1 lose, 2 drawn
    int64_t spins_ = 0;
    std::vector<Window> windows_;  // [0]: every spin so far; then fixed lengths
    std::vector<uint8_t> ring_;    // the newest spins, for the numbers leaving a window
    uint64_t ringMask_ = 0;
    std::array<int64_t, 37> lastSeen_{};                 // spin index 1.., 0 never
    std::array<std::array<int64_t, 4>, 5> lastClass_{};  // per family and class
};

}  // namespace kv
