#include "calculate/calculate_settings.h"

#include <algorithm>

#include "calculate/field_real.h"

namespace kv {

const char* adviceCategoryCaption(int k) {
    static const char* const captions[] = {"",       "Red/Black", "Odd/Even", "Low/High",
                                           "Dozens", "Columns",   "Numbers"};
    return (k >= 1 && k <= kAdviceCategories) ? captions[k] : "";
}

double Confidence(const CalculateSettings& s, int k) {
    return std::clamp(s.confidencePosition[k], kConfidenceMin, kConfidenceMax) / 100.0;
}

void setConfidencePosition(CalculateSettings& s, int k, int32_t position, char decimalSeparator) {
    s.confidencePosition[k] = std::clamp(position, kConfidenceMin, kConfidenceMax);
    s.confidenceText[k] = FormatFieldReal(Confidence(s, k), decimalSeparator);
}

void restoreDefaults(CalculateSettings& s, char decimalSeparator) {
    s.statisticNumbers = std::string(kStatisticNumbersDefault);
    s.downturnFactor = std::string(kDownturnFactorDefault);
    s.errors = std::string(kErrorsDefault);
    for (int k = 1; k <= kAdviceCategories; ++k) {
        s.category[k] = k != kNumbers;
        s.betAlways[k] = true;
        setConfidencePosition(s, k, kConfidenceDefault, decimalSeparator);
    }
    s.randomPlay = false;
}

void copyToClosingGroup(CalculateSettings& s) {
    s.closingCategory = s.category;
    s.closingStatisticNumbers = s.statisticNumbers;
    s.closingDownturnFactor = s.downturnFactor;
    s.closingErrors = s.errors;
}

void setErrorsFromUpDown(CalculateSettings& s, int32_t position) {
    const std::string text = std::to_string(std::clamp(position, kErrorsUpDownMin, kErrorsUpDownMax));
    s.errors = text;
    s.closingErrors = text;
}

std::string downturnTextFromUpDown(int32_t position, char decimalSeparator) {
    return FormatFieldReal(std::clamp(position, kDownturnUpDownMin, kDownturnUpDownMax) / 100.0,
                           decimalSeparator);
}

int32_t upDownPositionFromText(std::string_view text, int32_t min, int32_t max) {
    return std::clamp(FieldInteger(text), min, max);
}

CategoryControls enableRule(const CalculateSettings& s, int k) {
    CategoryControls c;
    c.betAlways = s.category[k];
    c.slider = s.category[k] && !s.betAlways[k];
    return c;
}

}  // namespace kv
