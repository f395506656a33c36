#include "strategy/interpreter.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <limits>
#include <new>

#include "strategy/strategy_arithmetic.h"
#include "strategy/strategy_check.h"
#include "strategy/strategy_words.h"

namespace kv {

namespace {

struct RunFailure {
    std::string message;
};

}  // namespace

int RunProgress::percent() const {
    if (requested == 0) return 0;
    return static_cast<int>(
        std::nearbyint((static_cast<double>(requested) - position + 1) / requested * 100.0));
}

// An operand, resolved once per run.
struct Interpreter::Value {
    enum Kind : uint8_t { Parameter, Literal, Bad, Select } kind = Literal;
    int32_t v = 0;  // parameter index (0-based) or literal
    int keyword = 0;
    int32_t window = 0;  // Select: 0 = every step so far
    int32_t category = 0;
    std::string text;  // Bad: the text for the message
};

struct Interpreter::Op {
    OperatorKind kind = OperatorKind::If;
    // BET
    Value bet;           // a Select, or a fixed set in `fixed`
    uint64_t fixed = 0;  // BET on one of the twelve categories
    bool isSelection = false;
    // PARAMETER
    Operation operation = Operation::None;
    Value a, b;
    int32_t target = -1;  // parameter index or -1: the result is dropped
    // IF
    Value l, r;
    Comparison comparison = Comparison::Equal;
    int32_t thenBegin = 0, thenEnd = 0, elseBegin = 0, elseEnd = 0;  // ranges of Compiled::lists
};

struct Interpreter::Compiled {
    std::vector<Op> ops;
    std::vector<int32_t> lists;                                // operator indices of all THEN/ELSE lists
    std::array<std::vector<int32_t>, kSectionCount> sections;  // independent operators in ascending order
    std::vector<int32_t> windows;  // the windows of the selections, followed by the run's history
    std::vector<int32_t> current;  // parameter values
    int32_t betParameter = -1;
    std::array<int32_t, kPayoutClassCount * 2> limits{};
    std::array<uint64_t, kCategoryCount> categoryMask{};
    std::array<int, kCategoryCount> categoryCell{};
    std::array<int, 37> numberCell{};

    const std::vector<int32_t>& section(StrategySection s) const { return sections[static_cast<size_t>(s)]; }
};

Interpreter::Interpreter() = default;
Interpreter::~Interpreter() = default;

int32_t Interpreter::RunBalances(int32_t pos) const {
    const auto n = static_cast<int32_t>(balances_.size());
    if (pos < 1 || pos > n) return 0;
    return balances_[n - pos];
}

int32_t Interpreter::value(const Value& v) {
    switch (v.kind) {
        case Value::Parameter:
            return c_->current[v.v];
        case Value::Literal:
            return v.v;
        case Value::Select: {
            const int32_t n = v.window == 0 ? history_.stepCount() : v.window;
            const Selection s = history_.SelectNumbers(v.keyword, n, v.category);
            if (s.hasValue) selectionValue_ = s.value;
            return selectionValue_;
        }
        case Value::Bad:
        default:
            throw RunFailure{"'" + shownText(v.text) + "' is not a valid integer value"};
    }
}

void Interpreter::placeBet(uint64_t numbers, int32_t amount) {
    const Compiled& c = *c_;
    const int members = std::popcount(numbers);
    if (members == 12 || members == 18) {
        for (int k = 0; k < kCategoryCount; ++k)
            if (numbers == c.categoryMask[k]) {
                const int cls = static_cast<int>(k < static_cast<int>(Category::DOZ1) ? PayoutClass::Even
                                                                                      : PayoutClass::Dozen);
                grid_.flat(c.categoryCell[k]) = clampBet(amount, c.limits[2 * cls], c.limits[2 * cls + 1]);
                return;
            }
    }
    const int straight = static_cast<int>(PayoutClass::Straight);
    const int32_t a = clampBet(amount, c.limits[2 * straight], c.limits[2 * straight + 1]);
    while (numbers != 0) {
        const int x = std::countr_zero(numbers);
        numbers &= numbers - 1;
        grid_.flat(c.numberCell[x]) = a;
    }
}

void Interpreter::execute(int32_t index) {
    const Op& op = c_->ops[index];
    switch (op.kind) {
        case OperatorKind::Bet: {
            uint64_t numbers = op.fixed;
            if (op.isSelection) {
                const int32_t n = op.bet.window == 0 ? history_.stepCount() : op.bet.window;
                const Selection s = history_.SelectNumbers(op.bet.keyword, n, op.bet.category);
                if (s.hasValue) selectionValue_ = s.value;
                numbers = s.numbers;
            }
            if (numbers != 0) placeBet(numbers, c_->betParameter >= 0 ? c_->current[c_->betParameter] : 0);
            return;
        }
        case OperatorKind::Parameter: {
            int32_t v = value(op.a);
            if (op.operation != Operation::None && !applyOperation(op.operation, v, value(op.b)))
                throw RunFailure{"Division by zero"};
            if (op.target >= 0) c_->current[op.target] = v;
            return;
        }
        case OperatorKind::If:
        default: {
            const int32_t l = value(op.l);
            const int32_t r = value(op.r);
            const bool holds = compareValues(op.comparison, l, r);
            const int32_t begin = holds ? op.thenBegin : op.elseBegin;
            const int32_t end = holds ? op.thenEnd : op.elseEnd;
            for (int32_t i = begin; i < end; ++i) execute(c_->lists[i]);
            return;
        }
    }
}

RunResult Interpreter::Run(Strategy& strategy, GameState& game, bool replay, int32_t requested,
                           const RunOptions& options) {
    if (requested > kMaxRunSpins)
        return {RunEnd::Refused, "A run takes at most " + std::to_string(kMaxRunSpins) + " spins"};
    if (const auto bad = checkStrategy(strategy)) return {RunEnd::Refused, bad->text()};
    if (replay) requested = std::min(requested, game.SpinCount);

    Compiled c = compile(strategy, game);
    std::vector<uint8_t> replayNumbers;  // replayNumbers[p] = SpinHistory(p)
    if (!allocateRun(c, game, replay, requested, replayNumbers))
        return {RunEnd::Refused, "Not enough memory for a run of " + std::to_string(requested) + " spins"};
    startRun(c);
    RunResult result;
    try {
        result.end = playSteps(game, replay, replayNumbers, requested, options);
    } catch (const RunFailure& f) {
        result.end = RunEnd::Failed;
        result.message = f.message;
    }
    c_ = nullptr;
    for (size_t i = 0; i < strategy.parameters.size(); ++i) strategy.parameters[i].current = c.current[i];
    return result;
}

// Resolves every operand once: names to parameter indices, literals to
// numbers, keywords to selections; lays out the THEN/ELSE lists and the
// independent operators of each section.
Interpreter::Compiled Interpreter::compile(const Strategy& strategy, const GameState& game) {
    Compiled c;
    for (const StrategyParameter& p : strategy.parameters) c.current.push_back(p.initiation);
    c.betParameter = strategy.findParameter(kBetParameterName) - 1;
    auto plain = [&](const std::string& text) {
        const Strategy::PlainOperand p = strategy.plainOperand(text);
        Value v;
        v.v = p.value;
        if (p.kind == Strategy::PlainOperand::Parameter) v.kind = Value::Parameter;
        if (p.kind == Strategy::PlainOperand::Bad) {
            v.kind = Value::Bad;
            v.text = text;
        }
        return v;
    };
    auto side = [&](const std::string& text, int32_t window, int32_t category) {
        if (!isSelectionKeyword(text)) return plain(text);
        Value v;
        v.kind = Value::Select;
        v.keyword = *operandKeywordCode(text);
        v.window = window;
        v.category = category;
        if (window >= 1) c.windows.push_back(window);
        return v;
    };
    for (int32_t k = 1; k <= strategy.operatorCount(); ++k) {
        const StrategyOperator& s = strategy.op(k);
        Op op;
        op.kind = s.kind;
        switch (s.kind) {
            case OperatorKind::Bet:
                if (const auto code = operandKeywordCode(s.target)) {
                    if (isSelectionCode(*code)) {
                        op.isSelection = true;
                        op.bet = side(s.target, s.betWindow, s.betCategory);
                    } else {
                        op.fixed = categoryNumbers(static_cast<Category>(*code - kwRED));
                    }
                }
                break;
            case OperatorKind::Parameter:
                op.operation = s.operation;
                op.a = plain(s.operand1);
                if (s.operation != Operation::None) op.b = plain(s.operand2);
                op.target = strategy.findParameter(s.target) - 1;
                break;
            case OperatorKind::If:
                op.l = side(s.left, s.leftWindow, s.leftCategory);
                op.r = side(s.right, s.rightWindow, s.rightCategory);
                op.comparison = s.comparison;
                op.thenBegin = static_cast<int32_t>(c.lists.size());
                for (int slot = 1; slot <= kListSlots; ++slot)
                    if (s.thenList[slot] > 0) c.lists.push_back(s.thenList[slot] - 1);
                op.thenEnd = op.elseBegin = static_cast<int32_t>(c.lists.size());
                for (int slot = 1; slot <= kListSlots; ++slot)
                    if (s.elseList[slot] > 0) c.lists.push_back(s.elseList[slot] - 1);
                op.elseEnd = static_cast<int32_t>(c.lists.size());
                break;
        }
        if (s.independent) c.sections[static_cast<size_t>(s.section)].push_back(k - 1);
        c.ops.push_back(std::move(op));
    }
    c.limits = game.TableLimits.v;
    for (int k = 0; k < kCategoryCount; ++k) {
        c.categoryMask[k] = categoryNumbers(static_cast<Category>(k));
        c.categoryCell[k] = TesterGrid::categoryCell(static_cast<Category>(k));
    }
    for (int x = 0; x <= 36; ++x) c.numberCell[x] = TesterGrid::numberCell(x);
    return c;
}

// The run's lists are allocated before the previous run's results are
// given up, so a run refused for memory leaves them as they were.
bool Interpreter::allocateRun(const Compiled& c, const GameState& game, bool replay, int32_t requested,
                              std::vector<uint8_t>& replayNumbers) {
    const int32_t steps = requested >= 0 ? requested + 1 : 0;
    RunHistory history;
    std::vector<int32_t> balances;
    try {
        history.reset(steps);
        balances.reserve(static_cast<size_t>(steps));
        if (replay) {
            replayNumbers.resize(static_cast<size_t>(steps));
            for (int32_t p = 1; p <= requested; ++p)
                replayNumbers[p] = static_cast<uint8_t>(std::clamp(game.SpinHistory(p), 0, 36));
        }
    } catch (const std::bad_alloc&) {
        return false;
    }
    for (int32_t n : c.windows) history.trackWindow(n);
    history_ = std::move(history);
    balances_ = std::move(balances);
    return true;
}

// Balance 0, an empty table, no stop, and DRAWN as the outcome before the
// first step.
void Interpreter::startRun(Compiled& c) {
    balance_ = 0;
    selectionValue_ = 0;
    grid_.clear();
    nextBets_.clear();
    outcome_ = Outcome::Drawn;
    stop_.store(false, std::memory_order_relaxed);
    c_ = &c;
}

// One step per position, from `requested` down to 0.
RunEnd Interpreter::playSteps(GameState& game, bool replay, const std::vector<uint8_t>& replayNumbers,
                              int32_t requested, const RunOptions& options) {
    const int32_t interval = std::max(options.progressInterval, 1);
    int32_t untilProgress = 1;
    for (int32_t position = requested, step = 1; position >= 0; --position, ++step) {
        grid_.clear();
        if (options.progress && --untilProgress == 0) {
            untilProgress = interval;
            if (options.progress(RunProgress{step, position, requested})) requestStop();
        }
        if (stop_.load(std::memory_order_relaxed)) return RunEnd::Stopped;
        placeBetsOfStep();
        // The final step of a replay has no number: it only prepares NextBets.
        const bool settled = !replay || position >= 1;
        const int x = replay ? (settled ? replayNumbers[static_cast<size_t>(position)] : -1) : game.RandNum();
        recordStep(x, settled);
        if (settled) settle(x);
    }
    return RunEnd::Finished;
}

// ALWAYS, then the section of the previous step's outcome, then ALWAYS 2.
void Interpreter::placeBetsOfStep() {
    for (int32_t i : c_->section(StrategySection::Always)) execute(i);
    for (int32_t i : c_->section(outcomeSection(outcome_))) execute(i);
    for (int32_t i : c_->section(StrategySection::Always2)) execute(i);
}

StrategySection Interpreter::outcomeSection(Outcome o) {
    switch (o) {
        case Outcome::Win:
            return StrategySection::Win;
        case Outcome::Lose:
            return StrategySection::Lose;
        case Outcome::Drawn:
        default:
            return StrategySection::DrawnGame;
    }
}

// A new front entry of the lists (the balance so far, until the step is
// settled), and the step's bets as the bets for the next spin.
void Interpreter::recordStep(int x, bool settled) {
    if (settled)
        history_.push(x);
    else
        history_.pushNone();
    balances_.push_back(balance_);
    nextBets_ = grid_;
}

// The bets against number x: the new balance and the outcome that chooses
// the next step's section.
void Interpreter::settle(int x) {
    const int64_t stake = grid_.sum();
    const int64_t win = grid_.winnings(x);
    const int64_t next = static_cast<int64_t>(balance_) + win - stake;
    // Far beyond any real game; the curve stays at the edge instead of jumping.
    balance_ = static_cast<int32_t>(
        std::clamp<int64_t>(next, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
    balances_.back() = balance_;
    outcome_ = win > stake ? Outcome::Win : (win < stake ? Outcome::Lose : Outcome::Drawn);
}

}  // namespace kv
