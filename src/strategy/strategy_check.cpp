#include "strategy/strategy_check.h"

#include <limits>

#include "files/file_status.h"
#include "strategy/strategy_words.h"

namespace kv {

std::string StrategyError::text() const {
    if (line <= 0) return message;
    return "Line " + std::to_string(line) + ": " + message;
}

std::string shownText(std::string_view text) {
    constexpr size_t kShown = 32;
    return joinText({quotedForMessage(text.substr(0, kShown), std::string::npos, true),
                     text.size() > kShown ? "..." : ""});
}

namespace {

bool validEntry(const Strategy& s, int32_t t) { return t >= 1 && t <= s.operatorCount(); }

template <typename F>
void forEachEntry(const StrategyOperator& op, F&& f) {
    for (int slot = 1; slot <= kListSlots; ++slot)
        if (op.thenList[slot] != 0) f(op.thenList[slot]);
    for (int slot = 1; slot <= kListSlots; ++slot)
        if (op.elseList[slot] != 0) f(op.elseList[slot]);
}

int64_t saturatingAdd(int64_t a, int64_t b) {
    return a > std::numeric_limits<int64_t>::max() - b ? std::numeric_limits<int64_t>::max() : a + b;
}

}  // namespace

std::vector<int32_t> findReferenceCycle(const Strategy& s) {
    const int32_t n = s.operatorCount();
    // Iterative depth-first search: 0 unvisited, 1 on the current path, 2 done.
    std::vector<uint8_t> state(n + 1, 0);
    struct Frame {
        int32_t k;
        int slot;  // next entry to look at: 1..30 THEN, 31..60 ELSE
    };
    std::vector<Frame> path;
    for (int32_t root = 1; root <= n; ++root) {
        if (state[root] != 0) continue;
        path.push_back({root, 1});
        state[root] = 1;
        while (!path.empty()) {
            Frame& f = path.back();
            const StrategyOperator& op = s.op(f.k);
            if (op.kind != OperatorKind::If || f.slot > 2 * kListSlots) {
                state[f.k] = 2;
                path.pop_back();
                continue;
            }
            const int slot = f.slot++;
            const int32_t t = slot <= kListSlots ? op.thenList[slot] : op.elseList[slot - kListSlots];
            if (!validEntry(s, t)) continue;
            if (state[t] == 1) {
                std::vector<int32_t> cycle;
                size_t i = 0;
                while (path[i].k != t) ++i;
                for (; i < path.size(); ++i) cycle.push_back(path[i].k);
                cycle.push_back(t);
                return cycle;
            }
            if (state[t] == 0) {
                state[t] = 1;
                path.push_back({t, 1});
            }
        }
    }
    return {};
}

std::string describeCycle(const Strategy& s, const std::vector<int32_t>& cycle) {
    std::string text = "The operators ";
    for (size_t i = 0; i < cycle.size(); ++i) {
        if (i > 0) text += " -> ";
        const int32_t k = cycle[i];
        text += std::to_string(k);
        if (validEntry(s, k)) text += " \"" + shownText(s.op(k).name) + "\"";
    }
    text += " refer to each other in an endless cycle through their THEN/ELSE lists";
    return text;
}

int64_t renderedLineCount(const Strategy& s) {
    const int32_t n = s.operatorCount();
    // lines[k]: lines of operator k rendered at any place; -1 not yet known.
    std::vector<int64_t> lines(n + 1, -1);
    std::vector<int32_t> stack;
    // Depth first, children before parents. Without a cycle the stack holds at
    // most 60 entries per level of nesting; growing past that means a cycle,
    // which is reported as an endless text.
    const size_t stackLimit = static_cast<size_t>(2 * kListSlots + 1) * static_cast<size_t>(n + 1);
    bool endless = false;
    auto linesOf = [&](int32_t root) -> int64_t {
        stack.assign(1, root);
        while (!stack.empty() && !endless) {
            const int32_t k = stack.back();
            if (lines[k] >= 0) {
                stack.pop_back();
                continue;
            }
            const StrategyOperator& op = s.op(k);
            if (op.kind != OperatorKind::If) {
                lines[k] = 1;
                stack.pop_back();
                continue;
            }
            bool ready = true;
            forEachEntry(op, [&](int32_t t) {
                if (t != k && validEntry(s, t) && lines[t] < 0) {
                    ready = false;
                    stack.push_back(t);
                }
            });
            if (stack.size() > stackLimit) endless = true;
            if (!ready) continue;
            int64_t total = 5;
            forEachEntry(op, [&](int32_t t) {
                if (t != k && validEntry(s, t)) total = saturatingAdd(total, lines[t]);
            });
            lines[k] = total;
            stack.pop_back();
        }
        return endless ? std::numeric_limits<int64_t>::max() : lines[root];
    };

    int64_t total = 0;
    for (const std::string& d : s.description)
        if (!d.empty()) ++total;
    total += 1 + s.parameterCount() + 1;
    for (int sec = 0; sec < kSectionCount; ++sec) {
        total += 2 + (sec + 1 < kSectionCount ? 1 : 0);
        for (int32_t k = 1; k <= n; ++k) {
            const StrategyOperator& op = s.op(k);
            if (op.independent && static_cast<int>(op.section) == sec)
                total = saturatingAdd(total, linesOf(k));
        }
    }
    return total;
}

std::optional<StrategyError> checkStrategy(const Strategy& s) {
    auto fail = [](std::string message) { return StrategyError{0, std::move(message)}; };
    if (s.parameterCount() > kMaxParameters)
        return fail("The strategy has more than " + std::to_string(kMaxParameters) + " parameters");
    if (s.operatorCount() > kMaxOperators)
        return fail("The strategy has more than " + std::to_string(kMaxOperators) + " operators");
    auto inRange = [](auto v, int count) {
        const auto i = static_cast<int64_t>(v);
        return i >= 0 && i < count;
    };
    for (int32_t k = 1; k <= s.operatorCount(); ++k) {
        const StrategyOperator& op = s.op(k);
        const std::string who = "Operator " + std::to_string(k) + " \"" + shownText(op.name) + "\"";
        if (!inRange(op.section, kSectionCount) || !inRange(op.kind, kOperatorKindCount) ||
            !inRange(op.comparison, kComparisonCount) || !inRange(op.operation, kOperationCount) ||
            !inRange(op.leftCategory, kCategoryChoiceCount) ||
            !inRange(op.rightCategory, kCategoryChoiceCount) ||
            !inRange(op.betCategory, kCategoryChoiceCount))
            return fail(who + " has a field outside its range");
        std::optional<StrategyError> bad;
        forEachEntry(op, [&](int32_t t) {
            if (!bad && !validEntry(s, t))
                bad = fail(who + " lists operator " + std::to_string(t) + ", which does not exist");
        });
        if (bad) return bad;
    }
    if (const auto cycle = findReferenceCycle(s); !cycle.empty()) return fail(describeCycle(s, cycle));
    if (renderedLineCount(s) > kMaxStrategyLines)
        return fail("The strategy would be written in more than " + std::to_string(kMaxStrategyLines) +
                    " lines");
    return std::nullopt;
}

}  // namespace kv
