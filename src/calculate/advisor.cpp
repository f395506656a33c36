#include "calculate/advisor.h"

#include <algorithm>
#include <cmath>

#include "calculate/field_real.h"
#include "core/roulette.h"

namespace kv {

namespace {

using ClassTable = std::array<int8_t, 37>;

// Outcome of every number per category: 1..3 for k = 1..5 (0 for zero,
// which belongs to no class), the number itself for k = 6.
const std::array<ClassTable, 7>& classTables() {
    static const std::array<ClassTable, 7> tables = [] {
        std::array<ClassTable, 7> t{};
        for (int x = 1; x <= 36; ++x) {
            t[kRedBlack][x] = isRed(x) ? 1 : 2;
            t[kOddEven][x] = x % 2 == 1 ? 1 : 2;
            t[kLowHigh][x] = x <= 18 ? 1 : 2;
            t[kDozens][x] = static_cast<int8_t>((x - 1) / 12 + 1);
            t[kColumns][x] = static_cast<int8_t>(x % 3 == 1 ? 1 : (x % 3 == 2 ? 2 : 3));
        }
        for (int x = 0; x <= 36; ++x) t[kNumbers][x] = static_cast<int8_t>(x);
        return t;
    }();
    return tables;
}

}  // namespace

AdvisorParams advisorParams(const CalculateSettings& s) {
    AdvisorParams p;
    p.errors = FieldInteger(s.errors);
    p.statisticNumbers = FieldInteger(s.statisticNumbers);
    p.downturn = ParseFieldReal(s.downturnFactor);
    for (int k = 1; k <= kAdviceCategories; ++k) {
        p.confidence[k] = static_cast<long double>(std::clamp(s.confidencePosition[k], kConfidenceMin, kConfidenceMax)) / 100.0L;
        p.betAlways[k] = s.betAlways[k];
        p.enabled[k] = s.category[k];
    }
    return p;
}

std::vector<int32_t> spinHistoryOf(const GameState& s) {
    std::vector<int32_t> h;
    h.reserve(static_cast<size_t>(std::max(s.SpinCount, 0)));
    for (int32_t pos = 1; pos <= s.SpinCount; ++pos) h.push_back(s.SpinHistory(pos));
    return h;
}

int outcomeClass(int k, int x) {
    if (k < kRedBlack || k > kColumns || x < 0 || x > 36) return 0;
    return classTables()[k][x];
}

Advisor::Advisor(const AdvisorParams& params, std::span<const int32_t> history) : params_(params) {
    // A negative or NaN factor cannot come from a field; treat it as 0
    // rather than take its roots.
    if (!(params_.downturn >= 0)) params_.downturn = 0;
    history_.reserve(history.size());
    for (const int32_t x : history) history_.push_back(static_cast<int8_t>(x >= 0 && x <= 36 ? x : -1));
    const int32_t count = SpinCount();
    window_ = (params_.statisticNumbers <= 0 || params_.statisticNumbers > count) ? count : params_.statisticNumbers;
    rootF2_ = std::sqrt(params_.downturn);
    rootF16_ = std::sqrt(std::sqrt(std::sqrt(std::sqrt(params_.downturn))));
}

template <typename Sums>
void Advisor::sumWindow(int32_t start, long double decay, const ClassTable& table, Sums& sums) const {
    if (start < 1) return;
    const int64_t last = std::min<int64_t>(static_cast<int64_t>(start) + window_ - 1, SpinCount());
    long double w = 1.0L;
    for (int64_t pos = start; pos <= last; ++pos) {
        const int8_t x = history_[static_cast<size_t>(pos - 1)];
        if (x >= 0) sums[static_cast<size_t>(table[static_cast<size_t>(x)])] += w;
        w *= decay;
        // Once the weight has decayed to nothing the older spins add nothing.
        if (w == 0.0L) break;
    }
}

int Advisor::EvenChanceAdvice(int k, int32_t start, bool force) {
    evenAdvice_ = 0;
    if (k < kRedBlack || k > kLowHigh) return 0;
    const long double f = params_.downturn;
    const long double T = params_.confidence[k] * (1.0L + f + f * f + f * f * f);
    classSums_.fill(0.0L);
    sumWindow(start, f, classTables()[k], classSums_);
    const long double s1 = classSums_[1];
    const long double s2 = classSums_[2];
    int advice = 0;
    if (params_.betAlways[k] || force) {
        advice = s2 > s1 ? 1 : (s1 > s2 ? 2 : 0);
    } else if (s2 > s1 && s2 - s1 >= T) {
        advice = 1;
    } else if (s1 > s2 && s1 - s2 >= T) {
        advice = 2;
    }
    evenAdvice_ = advice;
    return advice;
}

void Advisor::ThirdsAdvice(int k, int32_t start, bool force) {
    for (int j = 0; j <= 3; ++j) flags_[j] = 0;
    if (k != kDozens && k != kColumns) return;
    const long double T = params_.confidence[k] * (1.0L + rootF2_);
    classSums_.fill(0.0L);
    sumWindow(start, rootF2_, classTables()[k], classSums_);
    const long double A = (classSums_[1] + classSums_[2] + classSums_[3]) / 3.0L;
    for (int j = 1; j <= 3; ++j) {
        const long double sj = classSums_[j];
        if (params_.betAlways[k] || force) {
            flags_[j] = sj < A ? 1 : 2;
        } else if (sj < A && A - sj >= T) {
            flags_[j] = 1;
        } else if (sj > A && sj - A >= T) {
            flags_[j] = 2;
        }
    }
}

void Advisor::NumberAdvice(int32_t start, bool force) {
    flags_.fill(0);
    weights_.fill(0.0L);
    const long double T = params_.confidence[kNumbers] * (1.0L + rootF16_);
    sumWindow(start, rootF16_, classTables()[kNumbers], weights_);
    long double total = 0.0L;
    for (const long double w : weights_) total += w;
    const long double A = total / 37.0L;
    long double sum1 = 0.0L;
    long double sum2 = 0.0L;
    int n1 = 0;
    int n2 = 0;
    for (int x = 0; x <= 36; ++x) {
        const long double wx = weights_[x];
        if (params_.betAlways[kNumbers] || force) {
            flags_[x] = wx < A ? 1 : 2;
        } else if (wx < A && A - wx >= T) {
            flags_[x] = 1;
        } else if (wx > A && wx - A >= T) {
            flags_[x] = 2;
        }
        if (flags_[x] == 1) {
            sum1 += wx;
            ++n1;
        } else if (flags_[x] == 2) {
            sum2 += wx;
            ++n2;
        }
    }
    m1_ = n1 > 0 ? sum1 / n1 : 1.0L;
    m2_ = n2 > 0 ? sum2 / n2 : 1.0L;
}

int32_t Advisor::missCount(int k) {
    int32_t misses = 0;
    if (k < kRedBlack || k > kNumbers) return 0;
    const int32_t count = SpinCount();
    // i + 1 <= SpinCount bounds the loop by the history, whatever E says.
    for (int32_t i = 1; i <= params_.errors && i < count; ++i) {
        const int x = history_[static_cast<size_t>(i - 1)];
        if (k <= kLowHigh) {
            const int advice = EvenChanceAdvice(k, i + 1, true);
            if (advice != 0 && outcomeClass(k, x) != advice) ++misses;
        } else if (k <= kColumns) {
            ThirdsAdvice(k, i + 1, true);
            if (flags_[static_cast<size_t>(outcomeClass(k, x))] == 2) ++misses;
        } else {
            NumberAdvice(i + 1, true);
            if (x >= 0 && flags_[static_cast<size_t>(x)] == 2) ++misses;
        }
    }
    return misses;
}

}  // namespace kv
