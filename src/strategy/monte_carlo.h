#pragma once
// Monte Carlo sessions: "will this strategy survive?"
//
// A session is a random run of the tester (parameters at their initiation
// values, outcome DRAWN at the first step, balance 0, bets clamped to the
// table limits) over numbers from the session's own stream (SessionRandom),
// played against a bankroll:
//   - a step whose stake is above bankroll + balance ruins the session; that
//     step is not settled;
//   - after a settled step, balance <= -stopLoss (stop-loss) or balance >=
//     takeProfit (take-profit) ends it, when set;
//   - otherwise it completes after `spins` settled steps.
//
// Sessions run on several threads, each session on its own stream, and the
// results are combined in session order: for a given seed the result is the
// same whatever the number of threads.
//
// A window drives a run from a worker thread: runMonteCarlo blocks, calls
// `progress` on the thread that called it, and stops soon after `cancel` is
// set (well within 100 ms), reporting the sessions done.

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/roulette.h"
#include "strategy/compiled_strategy.h"
#include "strategy/strategy.h"

namespace kv {

inline constexpr int kFanCheckpoints = 50;
// Each session keeps a small record (about 48 bytes) for the percentiles,
// allocated before the run starts: ten million sessions are half a gigabyte.
inline constexpr int64_t kMaxSessions = 10'000'000;

struct MonteCarloSettings {
    int64_t sessions = 1000;
    int32_t spins = 1000;  // settled steps of a session that is not stopped
    int64_t bankroll = 1000;
    std::optional<int64_t> stopLoss;    // > 0: ends a session at balance <= -stopLoss
    std::optional<int64_t> takeProfit;  // > 0: ends a session at balance >= takeProfit
    uint64_t seed = 0;
    TableLimits limits;
    int threads = 0;            // 0: one per hardware thread
    bool keepSessions = false;  // return every session's record (MonteCarloResult::sessionRows)
};

struct MonteCarloProgress {
    int64_t sessionsDone = 0;
    int64_t sessions = 0;
};

struct MonteCarloControl {
    // Called on the calling thread about every progressInterval, and once at the end.
    std::function<void(const MonteCarloProgress&)> progress;
    std::chrono::milliseconds progressInterval{100};
    // Set from any thread to stop the run.
    const std::atomic<bool>* cancel = nullptr;
};

enum class MonteCarloEnd {
    Finished,   // every session was played
    Cancelled,  // the cancel flag stopped the run: the results cover the sessions done
    Failed,     // bad settings, a refused strategy or a run error: see message; no results
};

struct Interval {
    double low = 0;
    double high = 0;
};

// Nearest rank: the lowest value that at least p % of the sessions reach or stay under.
struct BalancePercentiles {
    int32_t p1 = 0, p5 = 0, p25 = 0, p50 = 0, p75 = 0, p95 = 0, p99 = 0;
};

// The balance of every session after `spin` settled steps (a session that
// ended earlier keeps its final balance).
struct FanPoint {
    int64_t spin = 0;
    int32_t p5 = 0, p25 = 0, p50 = 0, p75 = 0, p95 = 0;
};

struct SessionRow {
    int64_t session = 0;  // 0-based: the stream it played
    SessionRecord record;
};

struct MonteCarloResult {
    MonteCarloEnd end = MonteCarloEnd::Finished;
    std::string message;
    int64_t sessionsRequested = 0;
    int64_t sessionsDone = 0;  // the statistics below cover these

    int64_t ruined = 0, stopLoss = 0, takeProfit = 0, completed = 0;
    double ruinProbability = 0;
    Interval ruinCi95;  // Wilson score interval
    double meanFinal = 0;
    Interval meanFinalCi95;  // normal approximation
    double sdFinal = 0;      // sample standard deviation of the final balance
    int64_t totalStaked = 0;
    double evPerUnitStaked = 0;  // sum of final balances / sum of stakes
    BalancePercentiles finalBalance;
    double meanLength = 0;  // settled steps
    int64_t medianLength = 0;
    int64_t maxDrawdownP50 = 0, maxDrawdownP95 = 0;
    std::vector<FanPoint> fan;            // kFanCheckpoints points, evenly over the spins
    std::vector<SessionRow> sessionRows;  // the sessions done, in order, when asked for

    int64_t steps = 0;  // settled steps of all sessions done
    double seconds = 0;
    double stepsPerSecond = 0;
};

MonteCarloResult runMonteCarlo(const Strategy& strategy, const MonteCarloSettings& settings,
                               const MonteCarloControl& control = {});

struct BankrollSearch {
    MonteCarloEnd end = MonteCarloEnd::Finished;
    std::string message;
    int64_t sessionsDone = 0;
    int64_t bankroll = 0;  // a multiple of the table's smallest minimum bet
    double risk = 0;       // the risk of ruin with that bankroll
};

// The smallest bankroll, a multiple of the table's smallest minimum bet and
// at least one of them, whose risk of ruin over the sessions of `settings`
// (its bankroll ignored) is at most targetRisk. Found by bisection; every
// bankroll tried meets the same streams.
BankrollSearch bankrollForRisk(const Strategy& strategy, const MonteCarloSettings& settings,
                               double targetRisk, const MonteCarloControl& control = {});

}  // namespace kv
