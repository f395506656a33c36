#include "strategy/strategy_words.h"

#include <array>
#include <charconv>

namespace kv {

namespace {

constexpr std::array<const char*, kOperandKeywordCount> kKeywords = {
    "OLD", "NEW",  "COLD", "HOT",  "RED",  "BLACK", "ODD",  "EVEN",
    "LOW", "HIGH", "DOZ1", "DOZ2", "DOZ3", "COL1",  "COL2", "COL3"};

constexpr std::array<const char*, kCategoryChoiceCount> kChoices = {
    "RED", "BLACK", "ODD", "EVEN", "LOW", "HIGH", "DOZ1", "DOZ2", "DOZ3", "COL1", "COL2", "COL3",
    "1",   "2",     "3",   "4",    "5",   "6",    "7",    "8",    "9",    "10",   "11",   "12",
    "13",  "14",    "15",  "16",   "17",  "18",   "19",   "20",   "21",   "22",   "23",   "24",
    "25",  "26",    "27",  "28",   "29",  "30",   "31",   "32",   "33",   "34",   "35"};

constexpr std::array<const char*, kSectionCount> kSections = {"ALWAYS", "WIN", "LOSE", "DRAWN GAME",
                                                              "ALWAYS 2"};
constexpr std::array<const char*, kOperatorKindCount> kKinds = {"IF", "PARAMETER", "BET"};
constexpr std::array<const char*, kComparisonCount> kComparisons = {"=", ">=", "<=", ">", "<", "<>"};
constexpr std::array<const char*, kOperationCount> kOperations = {" ",  "+",   "-", "*",
                                                                  "\\", "mod", "^", "sqrt"};

template <size_t N>
const char* pick(const std::array<const char*, N>& list, int i) {
    return i >= 0 && static_cast<size_t>(i) < N ? list[i] : "";
}

}  // namespace

const char* operandKeywordText(int code) { return pick(kKeywords, code); }

std::optional<int> operandKeywordCode(std::string_view text) {
    for (int i = 0; i < kOperandKeywordCount; ++i)
        if (text == kKeywords[i]) return i;
    return std::nullopt;
}

bool isSelectionKeyword(std::string_view text) {
    return text == "OLD" || text == "NEW" || text == "COLD" || text == "HOT";
}

const char* CategoryChoice(int index) { return pick(kChoices, index); }

std::optional<int> categoryChoiceIndex(std::string_view text) {
    for (int i = 0; i < kFirstCountChoice; ++i)
        if (text == kChoices[i]) return i;
    int n = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), n);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    if (n < 1 || n > 35) return std::nullopt;
    return n + 11;
}

const char* sectionHeading(int section) { return pick(kSections, section); }
const char* operatorKindText(int kind) { return pick(kKinds, kind); }
const char* comparisonText(int comparison) { return pick(kComparisons, comparison); }

std::optional<int> comparisonCode(std::string_view text) {
    for (int i = 0; i < kComparisonCount; ++i)
        if (text == kComparisons[i]) return i;
    return std::nullopt;
}

const char* operationText(int operation) { return pick(kOperations, operation); }

int operationCode(std::string_view token) {
    for (int i = 1; i < kOperationCount; ++i)
        if (token == kOperations[i]) return i;
    return 0;
}

}  // namespace kv
