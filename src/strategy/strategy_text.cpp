#include "strategy/strategy_text.h"

#include <algorithm>
#include <charconv>
#include <string_view>

#include "strategy/strategy_check.h"
#include "strategy/strategy_words.h"

namespace kv {

namespace {

const std::string kStep(6, ' ');  // each level of nesting

// ---------------------------------------------------------------- rendering

class Renderer {
  public:
    explicit Renderer(const Strategy& s) : s_(s), onPath_(s.operatorCount() + 1, 0) {}

    bool emit(std::string line) {
        if (out_.size() > static_cast<size_t>(kMaxStrategyLines)) return false;
        out_.push_back(std::move(line));
        return true;
    }

    void renderOperator(int32_t k, const std::string& indent) {
        if (out_.size() > static_cast<size_t>(kMaxStrategyLines)) return;
        const StrategyOperator& op = s_.op(k);
        const std::string tail = "// " + std::to_string(k) + " " + op.name;
        switch (op.kind) {
            case OperatorKind::Bet: {
                std::string line = indent + "BETS " + op.target + " ";
                if (isSelectionKeyword(op.target)) line += selectionText(op.betWindow, op.betCategory);
                emit(line + tail);
                return;
            }
            case OperatorKind::Parameter: {
                std::string line = indent + op.target + " = " + op.operand1;
                if (op.operation != Operation::None)
                    line +=
                        std::string(" ") + operationText(static_cast<int>(op.operation)) + " " + op.operand2;
                emit(line + " " + tail);
                return;
            }
            case OperatorKind::If:
            default: {
                std::string line = indent + "IF " + op.left + " ";
                if (isSelectionKeyword(op.left)) line += selectionText(op.leftWindow, op.leftCategory);
                line += std::string(comparisonText(static_cast<int>(op.comparison))) + " " + op.right + " ";
                if (isSelectionKeyword(op.right)) line += selectionText(op.rightWindow, op.rightCategory);
                emit(line + "THEN " + tail);
                onPath_[k] = 1;
                emit(indent + "{");
                renderList(op.thenList, indent);
                emit(indent + "} ELSE");
                emit(indent + "{");
                renderList(op.elseList, indent);
                emit(indent + "}");
                onPath_[k] = 0;
                return;
            }
        }
    }

    std::vector<std::string> take() { return std::move(out_); }

  private:
    static std::string selectionText(int32_t window, int32_t category) {
        return "(" + std::to_string(window) + "," + CategoryChoice(category) + ") ";
    }

    void renderList(const OperatorList& list, const std::string& indent) {
        const std::string inner = indent + kStep;
        for (int slot = 1; slot <= kListSlots; ++slot) {
            const int32_t t = list[slot];
            if (t < 1 || t > s_.operatorCount() || onPath_[t]) continue;
            renderOperator(t, inner);
        }
    }

    const Strategy& s_;
    std::vector<char> onPath_;
    std::vector<std::string> out_;
};

// ------------------------------------------------------------------ reading

struct ReadFailure {
    int32_t line;
    std::string message;
};

[[noreturn]] void failAt(size_t index, std::string message) {
    throw ReadFailure{static_cast<int32_t>(index + 1), std::move(message)};
}

std::string notInteger(std::string_view text) {
    return "'" + shownText(text) + "' is not a valid integer value";
}

bool parseInt(std::string_view text, int32_t& out) {
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), out);
    return !text.empty() && ec == std::errc() && end == text.data() + text.size();
}

size_t leadingSpaces(std::string_view t) {
    size_t i = 0;
    while (i < t.size() && t[i] == ' ') ++i;
    return i;
}

// A cursor over one line, reading space-delimited tokens: a token ends at the
// next space, and exactly one space is consumed after it, so two spaces in a
// row give an empty token (as an empty operand renders).
class Tokens {
  public:
    explicit Tokens(std::string_view text) : t_(text) {}
    std::string_view next() {
        const size_t end = std::min(t_.find(' ', pos_), t_.size());
        const std::string_view tok = t_.substr(std::min(pos_, t_.size()), end - std::min(pos_, t_.size()));
        pos_ = end + 1;
        return tok;
    }
    std::string_view peek() const {
        Tokens copy = *this;
        return copy.next();
    }
    bool startsWith(std::string_view s) const { return pos_ <= t_.size() && t_.substr(pos_).starts_with(s); }
    void skip(size_t n) { pos_ += n; }
    std::string_view rest() const { return pos_ <= t_.size() ? t_.substr(pos_) : std::string_view{}; }
    size_t pos() const { return pos_; }

  private:
    std::string_view t_;
    size_t pos_ = 0;
};

struct Operand {
    std::string text;
    int32_t window = 0;
    int32_t category = 0;
};

// Reading takes time in proportion to the text: every line's indent is
// counted once, and every nested line is read once however many enclosing
// IF blocks walk over it (an ancestor only passes over the lines of a
// deeper block, at one comparison each, and a line has fewer ancestors than
// leading spaces).
class Reader {
  public:
    explicit Reader(const std::vector<std::string>& lines) : lines_(lines) {}

    Strategy read() {
        const size_t n = lines_.size();
        if (n > static_cast<size_t>(kMaxStrategyLines))
            failAt(kMaxStrategyLines,
                   "A strategy has at most " + std::to_string(kMaxStrategyLines) + " lines");
        measureLines();
        Strategy s = Strategy::blank();
        size_t i = 0;
        // Description: "' text" lines up to a line of length 0 or 1.
        while (i < n) {
            const std::string& t = lines_[i++];
            if (t.size() <= 1) break;
            if (t[0] == '\'') s.description.push_back(t.substr(2));
        }
        // Parameters up to an empty line.
        while (i < n) {
            const std::string& t = lines_[i];
            if (t.empty()) {
                ++i;
                break;
            }
            if (s.parameterCount() >= kMaxParameters)
                failAt(i, "A strategy has at most " + std::to_string(kMaxParameters) + " parameters");
            s.parameters.push_back(readParameter(i));
            ++i;
        }
        // The ALWAYS heading, then everything up to its underline. A text
        // that never gets there holds no strategy (a truncated file, or one
        // that is no strategy file at all).
        if (i < n) ++i;
        if (!skipUnderline(i))
            throw ReadFailure{0, "The text ends before the \"ALWAYS\" heading and its line of dashes"};
        int section = 0;
        while (i < n) {
            const std::string& t = lines_[i];
            if (t.empty()) {
                ++i;
                if (section + 1 < kSectionCount) {
                    ++section;
                    skipUnderline(i);
                }
                continue;
            }
            if (t[0] != ' ') readOperator(i, section, true, 0);
            ++i;
        }

        s.operators.resize(records_.size());
        for (size_t k = 1; k <= records_.size(); ++k) {
            if (defined_[k - 1]) {
                s.operators[k - 1] = std::move(records_[k - 1]);
            } else {
                StrategyOperator placeholder;
                placeholder.name = std::to_string(k);
                s.operators[k - 1] = placeholder;
            }
        }
        if (const auto cycle = findReferenceCycle(s); !cycle.empty())
            throw ReadFailure{0, describeCycle(s, cycle)};
        if (renderedLineCount(s) > kMaxStrategyLines)
            throw ReadFailure{0, "The strategy would be written in more than " +
                                     std::to_string(kMaxStrategyLines) + " lines"};
        return s;
    }

  private:
    // Refuses over-long lines and a text without anything in it; counts
    // every line's indent.
    void measureLines() {
        indent_.resize(lines_.size());
        nested_.assign(lines_.size(), kUnread);
        bool blank = true;
        for (size_t i = 0; i < lines_.size(); ++i) {
            const std::string& t = lines_[i];
            if (t.size() > static_cast<size_t>(kMaxStrategyLineLength))
                failAt(i, "A line of a strategy holds at most " + std::to_string(kMaxStrategyLineLength) +
                              " characters");
            indent_[i] = leadingSpaces(t);
            if (indent_[i] < t.size()) blank = false;
        }
        if (blank) throw ReadFailure{0, "The text is empty: it holds no strategy"};
    }

    // Skips lines up to and including the next line that begins with "-";
    // false when there is none.
    bool skipUnderline(size_t& i) {
        while (i < lines_.size()) {
            const bool dash = !lines_[i].empty() && lines_[i][0] == '-';
            ++i;
            if (dash) return true;
        }
        return false;
    }

    StrategyParameter readParameter(size_t index) {
        const std::string_view t = lines_[index];
        const size_t sp = t.find(' ');
        if (sp == std::string_view::npos)
            failAt(index, "A parameter line holds a name, a space and a value: \"" + shownText(t) + "\"");
        StrategyParameter p;
        p.name = std::string(t.substr(0, sp));
        const std::string_view after = t.substr(sp + 1);
        const size_t sp2 = after.find(' ');
        const std::string_view value = after.substr(0, sp2);
        if (!parseInt(value, p.initiation)) failAt(index, notInteger(value));
        p.current = p.initiation;
        const std::string_view rest =
            sp2 == std::string_view::npos ? std::string_view{} : after.substr(sp2 + 1);
        p.visible = !rest.empty() && rest[0] == 'v';
        p.comment = rest.size() > 2 ? std::string(rest.substr(2)) : std::string();
        return p;
    }

    // Reads a selection or plain operand at the cursor. `bet`: the operand of
    // BETS, which must be one of the 16 keywords.
    Operand readOperand(Tokens& tk, size_t index, bool bet) {
        Operand o;
        const std::string_view word = tk.next();
        o.text = std::string(word);
        if (isSelectionKeyword(word)) {
            // KEYWORD (N,CHOICE) and a space
            if (!tk.startsWith("("))
                failAt(index, o.text + " needs its window and choice: " + o.text + " (N,CHOICE)");
            tk.skip(1);
            const std::string_view inside = tk.rest();
            const size_t comma = inside.find(',');
            const size_t close = inside.find(')');
            if (comma == std::string_view::npos || close == std::string_view::npos || close < comma)
                failAt(index, o.text + " needs its window and choice: " + o.text + " (N,CHOICE)");
            const std::string_view num = inside.substr(0, comma);
            if (!parseInt(num, o.window)) failAt(index, notInteger(num));
            const std::string_view choice = inside.substr(comma + 1, close - comma - 1);
            const auto c = categoryChoiceIndex(choice);
            if (!c) failAt(index, "'" + shownText(choice) + "' is not one of RED .. COL3 or a count 1 .. 35");
            o.category = *c;
            tk.skip(close + 2);
            return o;
        }
        if (bet && !operandKeywordCode(word))
            failAt(index, "'" + shownText(o.text) +
                              "' is not something to bet on (OLD, NEW, COLD, HOT, RED .. COL3)");
        return o;
    }

    // Reads THEN or ELSE children from line `start` up to the line that
    // closes the list; returns that line's index.
    size_t readList(size_t start, size_t ifIndex, size_t indent, int section, int depth, OperatorList& list,
                    int32_t k, const char* which) {
        int slots = 0;
        for (size_t j = start; j < lines_.size(); ++j) {
            const std::string& t = lines_[j];
            const bool inside = indent_[j] >= indent && t.size() > indent;
            if (inside && t[indent] == '}') return j;
            if (!inside || t[indent] != ' ')
                failAt(j, "The block of the IF in line " + std::to_string(ifIndex + 1) +
                              " is not closed by \"}\" at its own indent");
            if (t.size() > indent + 6 && t[indent + 6] == ' ') continue;  // deeper: read through its own IF
            // A line indented by fewer than six spaces more than this IF is a
            // child of every enclosing IF that close: read it only once.
            if (nested_[j] == kUnread) nested_[j] = readOperator(j, section, false, depth + 1);
            const int32_t child = nested_[j];
            if (child == 0) continue;
            if (++slots > kListSlots)
                failAt(j, std::string("The ") + which + " list of operator " + std::to_string(k) +
                              " holds more than " + std::to_string(kListSlots) + " operators");
            list[slots] = child;
        }
        failAt(lines_.size() - 1,
               "The block of the IF in line " + std::to_string(ifIndex + 1) + " is not closed by \"}\"");
    }

    // Reads one operator line; returns its number, or 0 when the line is no
    // operator line.
    int32_t readOperator(size_t index, int section, bool topLevel, int depth) {
        const std::string_view line = lines_[index];
        const auto slashes = std::count(line.begin(), line.end(), '/');
        if (slashes < 2) return 0;
        const size_t mark = line.find("// ");
        const bool numbered = mark != std::string_view::npos && mark + 3 < line.size() &&
                              line[mark + 3] >= '0' && line[mark + 3] <= '9';
        if (slashes > 2) {
            if (!numbered) return 0;  // not an operator line
            failAt(index, "An operator line may hold \"/\" only in the \"// \" before its number");
        }
        if (mark == std::string_view::npos)
            failAt(index, "An operator line ends with \"// \", its number and name");
        const std::string_view afterMark = line.substr(mark + 3);
        const size_t sp = afterMark.find(' ');
        const std::string_view number = afterMark.substr(0, sp);
        int32_t k = 0;
        if (!parseInt(number, k)) failAt(index, notInteger(number));
        if (k < 1 || k > kMaxOperators)
            failAt(index, "Operator numbers run from 1 to " + std::to_string(kMaxOperators));
        if (depth > kMaxOperators) failAt(index, "IF blocks are nested more than 1000 levels deep");

        StrategyOperator op;
        op.name = sp == std::string_view::npos ? std::string() : std::string(afterMark.substr(sp + 1));
        const size_t indent = indent_[index];
        // The operands end where the "// " of the number begins, also when no
        // space stands before it: "//" must never become part of an operand,
        // or the rendered line would no longer read as an operator line.
        const std::string_view body = line.substr(indent, mark > indent ? mark - indent : 0);
        Tokens tk(body);
        const std::string_view first = tk.next();
        const bool assignment = tk.peek() == "=";  // a parameter named IF or BETS
        if (first == "BETS" && !assignment) {
            op.kind = OperatorKind::Bet;
            const Operand o = readOperand(tk, index, true);
            op.target = o.text;
            op.betWindow = o.window;
            op.betCategory = o.category;
        } else if (first == "IF" && !assignment) {
            op.kind = OperatorKind::If;
            const Operand l = readOperand(tk, index, false);
            const std::string_view cmp = tk.next();
            const auto c = comparisonCode(cmp);
            if (!c) failAt(index, "'" + shownText(cmp) + "' is not a comparison (=, >=, <=, >, <, <>)");
            const Operand r = readOperand(tk, index, false);
            op.left = l.text;
            op.leftWindow = l.window;
            op.leftCategory = l.category;
            op.comparison = static_cast<Comparison>(*c);
            op.right = r.text;
            op.rightWindow = r.window;
            op.rightCategory = r.category;
            if (index + 2 > lines_.size())
                failAt(index, "The IF in line " + std::to_string(index + 1) + " has no THEN block");
            const size_t elseLine =
                readList(index + 2, index, indent, section, depth, op.thenList, k, "THEN");
            readList(elseLine + 2, index, indent, section, depth, op.elseList, k, "ELSE");
        } else {
            op.kind = OperatorKind::Parameter;
            op.target = std::string(first);
            if (tk.next() != "=") failAt(index, "A PARAMETER line reads TARGET = OPERAND");
            op.operand1 = std::string(tk.next());
            op.operation = static_cast<Operation>(operationCode(tk.next()));
            if (op.operation != Operation::None) op.operand2 = std::string(tk.next());
        }

        if (records_.size() < static_cast<size_t>(k)) {
            records_.resize(k);
            defined_.resize(k, 0);
        }
        StrategyOperator& rec = records_[k - 1];
        const bool wasIndependent = defined_[k - 1] && rec.independent;
        const StrategySection oldSection = defined_[k - 1] ? rec.section : StrategySection::Always;
        rec = std::move(op);
        rec.independent = wasIndependent || topLevel;
        rec.section = topLevel ? static_cast<StrategySection>(section) : oldSection;
        defined_[k - 1] = 1;
        return k;
    }

    static constexpr int32_t kUnread = -1;

    const std::vector<std::string>& lines_;
    std::vector<size_t> indent_;   // leading spaces of every line
    std::vector<int32_t> nested_;  // a nested line's operator number once read (0: no operator line)
    std::vector<StrategyOperator> records_;
    std::vector<char> defined_;
};

}  // namespace

std::vector<std::string> StrategyText(const Strategy& s) {
    Renderer r(s);
    for (const std::string& d : s.description)
        if (!d.empty()) r.emit("' " + d);
    r.emit("");
    for (const StrategyParameter& p : s.parameters)
        r.emit(p.name + " " + std::to_string(p.initiation) + (p.visible ? " v " : " n ") + p.comment);
    r.emit("");
    for (int sec = 0; sec < kSectionCount; ++sec) {
        const std::string heading = sectionHeading(sec);
        r.emit(heading);
        r.emit(std::string(heading.size(), '-'));
        for (int32_t k = 1; k <= s.operatorCount(); ++k) {
            const StrategyOperator& op = s.op(k);
            if (op.independent && static_cast<int>(op.section) == sec) r.renderOperator(k, "");
        }
        if (sec + 1 < kSectionCount) r.emit("");
    }
    return r.take();
}

std::vector<std::string> operatorText(const Strategy& s, int32_t k) {
    Renderer r(s);
    if (k >= 1 && k <= s.operatorCount()) r.renderOperator(k, "");
    return r.take();
}

StrategyRead readStrategyText(const std::vector<std::string>& lines) {
    StrategyRead result;
    try {
        Reader reader(lines);
        result.strategy = reader.read();
        result.ok = true;
    } catch (const ReadFailure& f) {
        result.ok = false;
        result.strategy = Strategy::blank();
        result.error = StrategyError{f.line, f.message};
    }
    return result;
}

}  // namespace kv
