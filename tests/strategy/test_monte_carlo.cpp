#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <tuple>

#include "core/game_state.h"
#include "strategy/compiled_strategy.h"
#include "strategy/interpreter.h"
#include "strategy/monte_carlo.h"
#include "strategy/session_random.h"
#include "strategy/strategy_file.h"
#include "strategy/strategy_test_util.h"

namespace kv {
namespace {

using test::parsed;
using test::strategyLines;

const char* const kShipped[] = {"cold_colour", "dalembert_odd", "hot_dozen", "hot_five", "martingale_red"};

Strategy shipped(const std::string& name) {
    StrategyFileRead r = loadStrategyFile(std::string(KV_SOURCE_DIR) + "/data/strategies/" + name + ".stg");
    EXPECT_EQ(r.status, StrategyFileStatus::Ok) << name << ": " << r.message;
    return r.strategy;
}

Strategy flatRed() { return parsed(strategyLines({"BET 5 v"}, {"BETS RED // 1 Red"})); }

MonteCarloSettings settings(int64_t sessions, int32_t spins, int64_t bankroll, int threads = 2) {
    MonteCarloSettings s;
    s.sessions = sessions;
    s.spins = spins;
    s.bankroll = bankroll;
    s.seed = 20240607;
    s.threads = threads;
    return s;
}

TEST(MonteCarlo, FlatRedIsRuinedAsOftenAsTheGamblersRuinSays) {
    // 20 bets of 5 from ruin, 20 from the take-profit; red wins 18 times in 37.
    const double r = 19.0 / 18.0;
    const double expected = 1 - (1 - std::pow(r, 20)) / (1 - std::pow(r, 40));
    // 200,000 sessions give a standard error of 0.00097.
    MonteCarloSettings s = settings(200'000, 20'000, 100);
    s.takeProfit = 100;
    const MonteCarloResult m = runMonteCarlo(flatRed(), s);
    ASSERT_EQ(m.end, MonteCarloEnd::Finished);
    EXPECT_NEAR(m.ruinProbability, expected, 4 * std::sqrt(expected * (1 - expected) / 200'000));
    EXPECT_EQ(m.ruined + m.takeProfit, 200'000);  // 20,000 spins are always enough
    EXPECT_NEAR(m.evPerUnitStaked, -1.0 / 37, 0.006);

    // A stop-loss halfway: nobody is ruined, nobody ends below it.
    s.takeProfit.reset();
    s.stopLoss = 50;
    s.spins = 400;
    s.sessions = 2'000;
    const MonteCarloResult stopped = runMonteCarlo(flatRed(), s);
    EXPECT_EQ(stopped.ruined, 0);
    EXPECT_EQ(stopped.stopLoss + stopped.completed, 2'000);
    EXPECT_EQ(stopped.finalBalance.p1, -50);

    // The largest bankroll: no stake exhausts it, whatever the balance.
    s.stopLoss.reset();
    s.bankroll = std::numeric_limits<int64_t>::max();
    EXPECT_EQ(runMonteCarlo(flatRed(), s).ruined, 0);
}

TEST(MonteCarlo, ASeedGivesTheSameResultWhateverTheThreads) {
    const auto key = [](const MonteCarloResult& m) {
        return std::tuple(m.ruined, m.stopLoss, m.meanFinal, m.sdFinal, m.totalStaked, m.steps,
                          m.finalBalance.p5, m.maxDrawdownP95, m.fan[m.fan.size() / 2].p25);
    };
    for (const char* name : {"martingale_red", "hot_five"}) {
        MonteCarloSettings s = settings(1'000, 200, 200, 1);
        s.stopLoss = 150;
        const MonteCarloResult one = runMonteCarlo(shipped(name), s);
        s.threads = 3;
        EXPECT_EQ(key(runMonteCarlo(shipped(name), s)), key(one)) << name;
        s.seed += 1;
        EXPECT_NE(runMonteCarlo(shipped(name), s).totalStaked, one.totalStaked) << name;
    }
}

TEST(MonteCarlo, AStrategyThatNeverBetsCompletesEverySessionAtZero) {
    const MonteCarloResult m = runMonteCarlo(parsed(strategyLines({"BET 5 v"}, {})), settings(500, 1000, 10));
    EXPECT_EQ(m.completed, 500);
    EXPECT_EQ(m.meanFinal, 0);
}

TEST(MonteCarlo, CancelStopsTheRunAndCountsOnlyTheSessionsDone) {
    std::atomic<bool> cancel{false};
    MonteCarloControl control;
    control.cancel = &cancel;
    control.progressInterval = std::chrono::milliseconds(1);
    int64_t seen = 0;
    control.progress = [&](const MonteCarloProgress& p) {
        seen = p.sessionsDone;
        if (p.sessionsDone > 0) cancel = true;
    };
    // Long sessions, so that the flag must stop sessions under way.
    const MonteCarloResult m = runMonteCarlo(flatRed(), settings(1'000, 1'000'000, 1'000'000'000), control);
    EXPECT_EQ(m.end, MonteCarloEnd::Cancelled);
    EXPECT_GT(m.sessionsDone, 0);
    EXPECT_LT(m.sessionsDone, 1'000);
    EXPECT_EQ(m.ruined + m.stopLoss + m.takeProfit + m.completed, m.sessionsDone);
    EXPECT_EQ(seen, m.sessionsDone);  // the last report tells the final count
}

TEST(MonteCarlo, RunErrorsAndBadSettingsFailTheRun) {
    const Strategy divides = parsed(strategyLines({"BET 5 v", "X 0 v"}, {"X = 1 \\ 0 // 1 Divide"}));
    const MonteCarloResult m = runMonteCarlo(divides, settings(100, 10, 100));
    EXPECT_EQ(m.end, MonteCarloEnd::Failed);
    EXPECT_EQ(m.message, "Division by zero");
    MonteCarloSettings s = settings(100, 10, 100);
    s.takeProfit = 0;
    EXPECT_EQ(runMonteCarlo(flatRed(), s).end, MonteCarloEnd::Failed);
}

TEST(MonteCarlo, BankrollForATargetRiskIsTheSmallestThatMeetsIt) {
    MonteCarloSettings s = settings(1'000, 300, 0);
    const Strategy martingale = shipped("martingale_red");
    const BankrollSearch found = bankrollForRisk(martingale, s, 0.05);
    ASSERT_EQ(found.end, MonteCarloEnd::Finished);
    EXPECT_LE(found.risk, 0.05);
    s.bankroll = found.bankroll;
    EXPECT_LE(runMonteCarlo(martingale, s).ruinProbability, 0.05);
    s.bankroll = found.bankroll - 1;  // the default table's smallest minimum is 1
    EXPECT_GT(runMonteCarlo(martingale, s).ruinProbability, 0.05);
}

// The fast runner against the interpreter, fed the same numbers: the
// balance after every step and the parameters at the end agree.
void expectAgreement(const Strategy& strategy, const std::vector<int>& numbers, const std::string& what) {
    GameState game;
    for (int x : numbers) game.RecordSpin(x);
    Strategy s = strategy;
    Interpreter interpreter;
    ASSERT_EQ(interpreter.Run(s, game, true, static_cast<int32_t>(numbers.size())).end, RunEnd::Finished)
        << what;
    std::string error;
    auto compiled =
        CompiledStrategy::compile(strategy, game.TableLimits, static_cast<int64_t>(numbers.size()), error);
    ASSERT_TRUE(compiled) << error;
    const std::vector<int32_t>& balances = interpreter.balancesOldestFirst();
    for (size_t i = 0; i < numbers.size(); ++i) {
        compiled->placeBets();
        compiled->settle(numbers[i]);
        ASSERT_EQ(compiled->balance(), balances[i]) << what << " step " << i + 1;
    }
    compiled->placeBets();
    EXPECT_EQ(compiled->bets(), interpreter.NextBets()) << what;
    EXPECT_EQ(compiled->selectionValue(), interpreter.SelectionValue()) << what;
    for (int32_t p = 1; p <= s.parameterCount(); ++p)
        EXPECT_EQ(compiled->parameter(p), s.parameter(p).current);
}

TEST(CompiledStrategy, FollowsTheInterpreterStepByStep) {
    std::mt19937 gen(7);
    std::uniform_int_distribution<int> spin(0, 36);
    std::vector<int> numbers(4000);
    for (int& x : numbers) x = spin(gen);
    for (const char* name : kShipped) expectAgreement(shipped(name), numbers, name);

    // Every selection keyword over fixed windows, every spin so far, and
    // windows longer than the run, steering bets through IF.
    const Strategy selections = parsed(strategyLines(
        {"BET 1 v", "K 0 v"},
        {"IF OLD (40,DOZ1) = 2 THEN // 1 Old", "{", "      BETS NEW (0,7) // 2 New", "} ELSE", "{",
         "      BETS OLD (30,6) // 3 Oldest", "}", "IF NEW (5,COL1) > K THEN // 4 New col", "{",
         "      BETS COLD (0,3) // 5 Cold", "} ELSE", "{", "      BETS HOT (99999,HIGH) // 6 Never full", "}",
         "K = K + 1 // 7 Count", "K = K mod 3 // 8 Wrap"},
        {"BET = BET + 1 // 9 Up", "BETS COLD (12,ODD) // 10 Colder parity"},
        {"BETS HOT (0,2) // 11 Hot pair"}, {},
        {"BETS NEW (3,LOW) // 12 New half", "BETS OLD (0,20) // 13 Old twenty"}));
    expectAgreement(selections, numbers, "selections");
}

TEST(SessionRandom, NumbersAreEvenAndStreamsDependOnSeedAndSession) {
    SessionRandom random(1, 0);
    std::array<int, 37> counts{};
    const int draws = 37 * 2000;
    for (int i = 0; i < draws; ++i) ++counts[random.number()];
    double chi2 = 0;
    for (int c : counts) chi2 += (c - 2000.0) * (c - 2000.0) / 2000.0;
    EXPECT_LT(chi2, 70.0);  // 36 degrees of freedom: above 70 one time in 1,700

    EXPECT_EQ(SessionRandom(5, 3).next(), SessionRandom(5, 3).next());
    EXPECT_NE(SessionRandom(5, 3).next(), SessionRandom(5, 4).next());
    EXPECT_NE(SessionRandom(5, 3).next(), SessionRandom(6, 3).next());
}

}  // namespace
}  // namespace kv
