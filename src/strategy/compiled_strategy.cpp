#include "strategy/compiled_strategy.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <limits>

#include "strategy/number_families.h"
#include "strategy/run_history.h"
#include "strategy/session_random.h"
#include "strategy/strategy_arithmetic.h"
#include "strategy/strategy_check.h"
#include "strategy/strategy_words.h"

namespace kv {

namespace {

// std::popcount becomes a library call on the baseline x86-64 target.
constexpr int bitCount(uint64_t m) {
    m = m - ((m >> 1) & 0x5555555555555555ull);
    m = (m & 0x3333333333333333ull) + ((m >> 2) & 0x3333333333333333ull);
    m = (m + (m >> 4)) & 0x0F0F0F0F0F0F0F0Full;
    return static_cast<int>((m * 0x0101010101010101ull) >> 56);
}
constexpr int kCells = kTesterRows * kTesterCells;

// The twelve categories with their numbers and cells, and the cell of each
// number.
struct Tables {
    std::array<uint64_t, kCategoryCount> categoryMask{};
    std::array<int, kCategoryCount> categoryCell{};
    std::array<int, 37> numberCell{};
};

const Tables& tables() {
    static const Tables t = [] {
        Tables out;
        for (int k = 0; k < kCategoryCount; ++k) {
            out.categoryMask[k] = categoryNumbers(static_cast<Category>(k));
            out.categoryCell[k] = TesterGrid::categoryCell(static_cast<Category>(k));
        }
        for (int x = 0; x <= 36; ++x) out.numberCell[x] = TesterGrid::numberCell(x);
        return out;
    }();
    return t;
}

}  // namespace

void CompiledStrategy::Window::clear() {
    count.fill(0);
    for (auto& c : classSum) c.fill(0);
    groups[0] = {0, (uint64_t{1} << 37) - 1};
    groupCount = 1;
}

// Moves x from the group of count `from` to that of `to` = from +- 1, which
// if it exists is the neighbouring group.
void CompiledStrategy::Window::move(int x, int32_t from, int32_t to) {
    int g = 0;
    while (groups[g].count != from) ++g;
    const int step = to > from ? -1 : 1;  // groups run from the highest count down
    const int n = g + step;
    const bool emptied = (groups[g].numbers &= ~numberBit(x)) == 0;
    if (n >= 0 && n < groupCount && groups[n].count == to) {
        groups[n].numbers |= numberBit(x);
        if (emptied) {
            std::copy(groups.begin() + g + 1, groups.begin() + groupCount, groups.begin() + g);
            --groupCount;
        }
    } else if (emptied) {
        groups[g] = {to, numberBit(x)};
    } else {
        const int at = step < 0 ? g : g + 1;  // the new group's place
        std::copy_backward(groups.begin() + at, groups.begin() + groupCount, groups.begin() + groupCount + 1);
        groups[at] = {to, numberBit(x)};
        ++groupCount;
    }
}

void CompiledStrategy::Window::add(int x) {
    const int32_t c = count[x]++;
    if (classes && x > 0)
        for (int f = 0; f < 5; ++f) ++classSum[f][kNumberFamilies.cls[f][x]];
    if (grouped) move(x, c, c + 1);
}

void CompiledStrategy::Window::remove(int x) {
    const int32_t c = count[x]--;
    if (classes && x > 0)
        for (int f = 0; f < 5; ++f) --classSum[f][kNumberFamilies.cls[f][x]];
    if (grouped) move(x, c, c - 1);
}

std::optional<CompiledStrategy> CompiledStrategy::compile(const Strategy& strategy, const TableLimits& limits,
                                                          int64_t longestRun, std::string& error) {
    if (const auto bad = checkStrategy(strategy)) {
        error = bad->text();
        return std::nullopt;
    }
    CompiledStrategy c;
    for (const StrategyParameter& p : strategy.parameters) c.initiation_.push_back(p.initiation);
    c.betParameter_ = strategy.findParameter(kBetParameterName) - 1;
    c.limits_ = limits.v;
    const Tables& t = tables();
    for (int k = 0; k < kCategoryCount; ++k) {
        c.categoryMask_[k] = t.categoryMask[k];
        c.categoryCell_[k] = static_cast<uint8_t>(t.categoryCell[k]);
    }
    for (int x = 0; x <= 36; ++x) c.numberCell_[x] = static_cast<uint8_t>(t.numberCell[x]);
    c.classMask_ = kNumberFamilies.mask;

    auto windowFor = [&](int32_t length, bool grouped) -> int32_t {
        if (length < 0 || length > longestRun) return -1;
        for (size_t i = 0; i < c.windows_.size(); ++i)
            if (c.windows_[i].length == length) {
                c.windows_[i].grouped |= grouped;
                c.windows_[i].classes |= !grouped;
                return static_cast<int32_t>(i);
            }
        Window w;
        w.length = length;
        w.grouped = grouped;
        w.classes = !grouped;
        c.windows_.push_back(w);
        return static_cast<int32_t>(c.windows_.size() - 1);
    };
    auto plain = [&](const std::string& text) {
        const Strategy::PlainOperand p = strategy.plainOperand(text);
        if (p.kind == Strategy::PlainOperand::Parameter) return Value{Value::Parameter, p.value};
        if (p.kind == Strategy::PlainOperand::Literal) return Value{Value::Literal, p.value};
        c.badTexts_.push_back(text);
        return Value{Value::Bad, static_cast<int32_t>(c.badTexts_.size() - 1)};
    };
    auto selection = [&](int keyword, int32_t length, int32_t category) {
        Select s{keyword, category, length, -1};
        // Counts are needed by HOT and COLD only; OLD and NEW read when each
        // number and class was last seen.
        if (keyword == kwHOT || keyword == kwCOLD)
            s.window = windowFor(length, category >= kFirstCountChoice);
        else
            c.tracksLastSeen_ = true;
        c.tracksSpins_ = true;
        c.selects_.push_back(s);
        return static_cast<int32_t>(c.selects_.size() - 1);
    };
    auto side = [&](const std::string& text, int32_t window, int32_t category) {
        if (!isSelectionKeyword(text)) return plain(text);
        return Value{Value::Selection, selection(*operandKeywordCode(text), window, category)};
    };

    std::array<std::vector<int32_t>, kSectionCount> sections;
    for (int32_t k = 1; k <= strategy.operatorCount(); ++k) {
        const StrategyOperator& s = strategy.op(k);
        Op op;
        op.kind = s.kind;
        switch (s.kind) {
            case OperatorKind::Bet:
                if (const auto code = operandKeywordCode(s.target)) {
                    if (isSelectionCode(*code)) {
                        op.select = selection(*code, s.betWindow, s.betCategory);
                    } else {
                        const int cat = *code - kwRED;
                        op.fixedCell = t.categoryCell[cat];
                        op.fixedClass = cat < 6 ? 0 : 1;  // 1/1 or 1/2
                    }
                }
                break;
            case OperatorKind::Parameter:
                op.code = static_cast<int32_t>(s.operation);
                op.a = plain(s.operand1);
                if (s.operation != Operation::None) op.b = plain(s.operand2);
                op.target = strategy.findParameter(s.target) - 1;
                break;
            case OperatorKind::If:
                op.a = side(s.left, s.leftWindow, s.leftCategory);
                op.b = side(s.right, s.rightWindow, s.rightCategory);
                op.code = static_cast<int32_t>(s.comparison);
                op.thenBegin = static_cast<int32_t>(c.lists_.size());
                for (int slot = 1; slot <= kListSlots; ++slot)
                    if (s.thenList[slot] > 0) c.lists_.push_back(s.thenList[slot] - 1);
                op.thenEnd = op.elseBegin = static_cast<int32_t>(c.lists_.size());
                for (int slot = 1; slot <= kListSlots; ++slot)
                    if (s.elseList[slot] > 0) c.lists_.push_back(s.elseList[slot] - 1);
                op.elseEnd = static_cast<int32_t>(c.lists_.size());
                break;
        }
        if (s.independent) sections[static_cast<int>(s.section)].push_back(k - 1);
        c.ops_.push_back(op);
    }
    for (int o = 0; o < 3; ++o) {
        auto& list = c.steps_[o];
        list = sections[0];
        list.insert(list.end(), sections[o + 1].begin(), sections[o + 1].end());
        list.insert(list.end(), sections[4].begin(), sections[4].end());
    }

    // The settlement table, taken from the tester's own grid so that both
    // pay the same.
    for (int cell = 0; cell < kCells; ++cell) {
        TesterGrid one;
        one.flat(cell) = 1;
        for (int x = 0; x <= 36; ++x) c.payout_[x * kCells + cell] = static_cast<uint8_t>(one.winnings(x));
    }

    int32_t longest = 0;
    for (const Window& w : c.windows_) longest = std::max(longest, w.length);
    if (longest > 0) {
        const auto size = std::bit_ceil(static_cast<uint64_t>(longest) + 1);
        c.ring_.assign(size, 0);
        c.ringMask_ = size - 1;
    }
    c.reset();
    return c;
}

void CompiledStrategy::reset() {
    current_ = initiation_;
    amounts_.fill(0);
    touchedCount_ = 0;
    touchedBits_[0] = touchedBits_[1] = 0;
    stake_ = 0;
    winnings_ = 0;
    balance_ = 0;
    selectionValue_ = 0;
    outcome_ = 2;
    spins_ = 0;
    for (Window& w : windows_) w.clear();
    lastSeen_.fill(0);
    for (auto& f : lastClass_) f.fill(0);
}

TesterGrid CompiledStrategy::bets() const {
    TesterGrid g;
    for (int cell = 0; cell < kCells; ++cell) g.flat(cell) = amounts_[cell];
    return g;
}

void CompiledStrategy::setCell(int cell, int32_t amount) {
    const uint64_t b = numberBit(cell & 63);
    if (!(touchedBits_[cell >> 6] & b)) {
        touchedBits_[cell >> 6] |= b;
        touched_[touchedCount_++] = static_cast<uint8_t>(cell);
    }
    stake_ += int64_t{amount} - amounts_[cell];
    amounts_[cell] = amount;
}

void CompiledStrategy::placeBet(uint64_t numbers, int32_t amount) {
    const int members = bitCount(numbers);
    if (members == 12 || members == 18) {
        for (int k = 0; k < kCategoryCount; ++k)
            if (numbers == categoryMask_[k]) {
                const int cls = k < 6 ? 0 : 1;
                setCell(categoryCell_[k], clampBet(amount, limits_[2 * cls], limits_[2 * cls + 1]));
                return;
            }
    }
    const int straight = static_cast<int>(PayoutClass::Straight);
    const int32_t a = clampBet(amount, limits_[2 * straight], limits_[2 * straight + 1]);
    while (numbers != 0) {
        const int x = std::countr_zero(numbers);
        numbers &= numbers - 1;
        setCell(numberCell_[x], a);
    }
}

uint64_t CompiledStrategy::select(const Select& s, bool& hasValue, int32_t& v) const {
    static const Window kEmpty = [] {
        Window w;
        w.clear();
        return w;
    }();
    const int32_t c = s.category;
    hasValue = false;
    if (c < 0 || c >= kCategoryChoiceCount) return 0;
    hasValue = true;
    const int64_t n = s.length == 0 ? spins_ : s.length;
    const bool active = n >= 1 && n <= spins_;

    if (s.keyword == kwHOT || s.keyword == kwCOLD) {
        const Window& w = active && s.window >= 0 ? windows_[s.window] : kEmpty;
        if (c >= kFirstCountChoice) {
            // HOT: from the highest count down, the highest numbers first;
            // COLD: from the lowest count up, the lowest numbers first.
            int left = c - 11;
            uint64_t numbers = 0;
            const bool hot = s.keyword == kwHOT;
            for (int i = 0; left > 0; ++i) {
                const Window::Group& g = w.groups[hot ? i : w.groupCount - 1 - i];
                v = g.count;
                uint64_t m = g.numbers;
                if (bitCount(m) <= left) {
                    numbers |= m;
                    left -= bitCount(m);
                    continue;
                }
                for (; left > 0; --left) {
                    const uint64_t b = hot ? uint64_t{1} << (63 - std::countl_zero(m)) : m & (0 - m);
                    numbers |= b;
                    m &= ~b;
                }
            }
            return numbers;
        }
        const int f = familyOf(c);
        const auto& sum = w.classSum[f];
        const int chosen = classByCount(s.keyword, c, sum[1], sum[2], sum[3]);
        v = chosen;
        return classMask_[f][chosen];
    }

    // OLD and NEW: ages, 0 for the newest spin, -1 for unseen within the window.
    auto ageOf = [&](int64_t last) -> int64_t {
        const int64_t a = spins_ - last;
        return active && last > 0 && a < n ? a : -1;
    };
    if (c < kFirstCountChoice) {
        const int f = familyOf(c);
        std::array<int64_t, 4> m{};
        for (int j = 1; j <= 3; ++j) {
            const int64_t a = ageOf(lastClass_[f][j]);
            m[j] = a >= 0 ? a : kNeverSeenAge;
        }
        const int chosen = classByAge(s.keyword, m);
        v = chosen;
        return classMask_[f][chosen];
    }

    std::array<int64_t, 37> age;
    for (int x = 0; x <= 36; ++x) age[x] = ageOf(lastSeen_[x]);
    return numbersByAge(s.keyword, c - 11, age, v);
}

int32_t CompiledStrategy::otherValue(const Value& v) {
    switch (v.kind) {
        case Value::Parameter:
            return current_[v.v];
        case Value::Literal:
            return v.v;
        case Value::Selection: {
            bool has = false;
            int32_t val = 0;
            select(selects_[v.v], has, val);
            if (has) selectionValue_ = val;
            return selectionValue_;
        }
        case Value::Bad:
        default:
            throw StrategyRunError("'" + shownText(badTexts_[v.v]) + "' is not a valid integer value");
    }
}

void CompiledStrategy::execute(int32_t index) {
    const Op& op = ops_[index];
    switch (op.kind) {
        case OperatorKind::Bet: {
            const int32_t amount = betParameter_ >= 0 ? current_[betParameter_] : 0;
            if (op.fixedCell >= 0) {
                setCell(op.fixedCell,
                        clampBet(amount, limits_[2 * op.fixedClass], limits_[2 * op.fixedClass + 1]));
            } else if (op.select >= 0) {
                bool has = false;
                int32_t val = 0;
                const uint64_t numbers = select(selects_[op.select], has, val);
                if (has) selectionValue_ = val;
                if (numbers != 0) placeBet(numbers, amount);
            }
            return;
        }
        case OperatorKind::Parameter: {
            int32_t v = value(op.a);
            const auto operation = static_cast<Operation>(op.code);
            if (operation != Operation::None && !applyOperation(operation, v, value(op.b)))
                throw StrategyRunError("Division by zero");
            if (op.target >= 0) current_[op.target] = v;
            return;
        }
        case OperatorKind::If:
        default: {
            const int32_t l = value(op.a);
            const int32_t r = value(op.b);
            const bool holds = compareValues(static_cast<Comparison>(op.code), l, r);
            const int32_t begin = holds ? op.thenBegin : op.elseBegin;
            const int32_t end = holds ? op.thenEnd : op.elseEnd;
            for (int32_t i = begin; i < end; ++i) execute(lists_[i]);
            return;
        }
    }
}

inline int64_t CompiledStrategy::betStep() {
    for (int i = 0; i < touchedCount_; ++i) amounts_[touched_[i]] = 0;
    touchedCount_ = 0;
    touchedBits_[0] = touchedBits_[1] = 0;
    stake_ = 0;
    for (int32_t i : steps_[outcome_]) execute(i);
    return stake_;
}

void CompiledStrategy::record(int x) {
    ++spins_;
    if (tracksLastSeen_) {
        lastSeen_[x] = spins_;
        if (x > 0)
            for (int f = 0; f < 5; ++f) lastClass_[f][kNumberFamilies.cls[f][x]] = spins_;
    }
    if (!ring_.empty()) ring_[spins_ & ringMask_] = static_cast<uint8_t>(x);
    for (Window& w : windows_) {
        w.add(x);
        if (w.length > 0 && spins_ > w.length) w.remove(ring_[(spins_ - w.length) & ringMask_]);
    }
}

inline void CompiledStrategy::settleStep(int x) {
    const uint8_t* pays = &payout_[x * kCells];
    int64_t win = 0;
    for (int i = 0; i < touchedCount_; ++i) win += int64_t{pays[touched_[i]]} * amounts_[touched_[i]];
    // Far beyond any real game; the balance stays at the edge as the tester's does.
    const int64_t next = balance_ + win - stake_;
    balance_ = static_cast<int32_t>(
        std::clamp<int64_t>(next, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
    winnings_ = win;
    outcome_ = win > stake_ ? 0 : (win < stake_ ? 1 : 2);
    if (tracksSpins_)
        record(x);
    else
        ++spins_;
}

int64_t CompiledStrategy::placeBets() { return betStep(); }

void CompiledStrategy::settle(int x) { settleStep(x); }

SessionRecord CompiledStrategy::play(SessionRandom& random, const SessionRules& rules,
                                     std::span<const int64_t> checkpointSteps,
                                     std::span<int32_t> checkpointBalances, const std::atomic<bool>* cancel) {
    reset();
    SessionRecord r;
    // Kept in registers for the loop, written to r at the end.
    int64_t length = 0, staked = 0, drawdown = 0, needed = 0;
    int32_t peak = 0;
    size_t next = 0;
    const size_t checkpoints = std::min(checkpointSteps.size(), checkpointBalances.size());
    int64_t nextCheckpoint = next < checkpoints ? checkpointSteps[next] : -1;
    constexpr int64_t kCancelMask = 4095;  // read the flag every 4096 steps
    while (length < rules.spins) {
        if ((length & kCancelMask) == 0 && cancel && cancel->load(std::memory_order_relaxed)) {
            r.end = SessionEnd::Cancelled;
            break;
        }
        const int64_t stake = betStep();
        needed = std::max(needed, stake - balance_);
        if (stake - balance_ > rules.bankroll) {  // stake > bankroll + balance, which may overflow
            r.end = SessionEnd::Ruined;
            break;
        }
        settleStep(random.number());
        ++length;
        staked += stake;
        peak = std::max(peak, balance_);
        drawdown = std::max(drawdown, int64_t{peak} - balance_);
        if (length == nextCheckpoint) [[unlikely]] {
            while (next < checkpoints && checkpointSteps[next] <= length)
                checkpointBalances[next++] = balance_;
            nextCheckpoint = next < checkpoints ? checkpointSteps[next] : -1;
        }
        if (rules.hasStopLoss && balance_ <= -rules.stopLoss) {
            r.end = SessionEnd::StopLoss;
            break;
        }
        if (rules.hasTakeProfit && balance_ >= rules.takeProfit) {
            r.end = SessionEnd::TakeProfit;
            break;
        }
    }
    while (next < checkpoints) checkpointBalances[next++] = balance_;
    r.length = length;
    r.staked = staked;
    r.maxDrawdown = drawdown;
    r.bankrollNeeded = needed;
    r.finalBalance = balance_;
    return r;
}

}  // namespace kv
