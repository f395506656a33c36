#include "calculate/calculate_plan.h"

#include <string>

#include "calculate/field_real.h"
#include "calculate/number_groups.h"
#include "core/roulette.h"

namespace kv {

namespace {

// Class 1 and class 2 sides of the even chances.
struct EvenSides {
    Category first;
    Category second;
};

EvenSides evenSides(int k) {
    switch (k) {
        case kRedBlack:
            return {Category::RED, Category::BLACK};
        case kOddEven:
            return {Category::ODD, Category::EVEN};
        default:
            return {Category::LOW, Category::HIGH};
    }
}

std::array<Category, 4> thirdsCategories(int k) {
    if (k == kDozens) return {Category::DOZ1, Category::DOZ1, Category::DOZ2, Category::DOZ3};
    return {Category::COL1, Category::COL1, Category::COL2, Category::COL3};
}

}  // namespace

std::vector<TablePoint> categoryPlacement(const Advisor& advisor, int k, bool inverted) {
    std::vector<TablePoint> points;
    if (k >= kRedBlack && k <= kLowHigh) {
        const int advice = advisor.lastEvenAdvice();
        if (advice == 0) return points;
        const EvenSides sides = evenSides(k);
        const bool first = (advice == 1) != inverted;
        points.push_back(categoryPoint(first ? sides.first : sides.second));
        return points;
    }
    const int wanted = inverted ? 2 : 1;
    if (k == kDozens || k == kColumns) {
        const auto cats = thirdsCategories(k);
        for (int j = 1; j <= 3; ++j)
            if (advisor.flags()[static_cast<size_t>(j)] == wanted)
                points.push_back(categoryPoint(cats[static_cast<size_t>(j)]));
        return points;
    }
    if (k == kNumbers) {
        std::array<bool, 37> marked{};
        for (int x = 0; x <= 36; ++x)
            marked[static_cast<size_t>(x)] = advisor.flags()[static_cast<size_t>(x)] == wanted;
        return PlaceNumberGroups(marked, advisor.weights(), advisor.M1(), advisor.M2(), inverted);
    }
    return points;
}

CalculatePlan planCalculate(const AdvisorParams& params, std::span<const int32_t> history) {
    CalculatePlan plan;
    Advisor advisor(params, history);
    for (int k = 1; k <= kAdviceCategories; ++k) {
        if (!params.enabled[static_cast<size_t>(k)]) continue;
        CategoryPlan& c = plan.categories[static_cast<size_t>(k)];
        c.evaluated = true;
        c.misses = advisor.missCount(k);
        c.inverted = advisor.turnedRound(c.misses);
        if (k <= kLowHigh) {
            c.advice = advisor.EvenChanceAdvice(k, 1, false);
        } else if (k <= kColumns) {
            advisor.ThirdsAdvice(k, 1, false);
        } else {
            advisor.NumberAdvice(1, false);
        }
        c.points = categoryPlacement(advisor, k, c.inverted);
        for (const TablePoint& p : c.points) plan.clicks.push_back({p, MouseButton::Left});
    }
    plan.clicks.push_back({kCalculateFinalClick, MouseButton::Left});
    return plan;
}

CalculatePlan planCalculate(const CalculateSettings& settings, const GameState& state) {
    const std::vector<int32_t> history = spinHistoryOf(state);
    return planCalculate(advisorParams(settings), history);
}

void RandomPlay(CalculateSettings& settings, Generator& rng, char decimalSeparator) {
    settings.errors = std::to_string(rng.Random(11));
    for (int k = 1; k <= kAdviceCategories; ++k)
        setConfidencePosition(settings, k, rng.Random(100) + 1, decimalSeparator);
    settings.downturnFactor = FormatFieldReal(rng.RandomFloat() + 0.01, decimalSeparator);
}

}  // namespace kv
