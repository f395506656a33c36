#pragma once
// The strategy interpreter: runs a Strategy over the game's history
// (replay) or over the game's random generator, step by step, betting on
// its own TesterGrid and keeping the balance the bets would have made.
//
// A run has requested + 1 steps (position counts down from requested to 0).
// Each step clears the TesterGrid, executes the independent operators of
// ALWAYS, then of WIN, LOSE or DRAWN GAME according to the previous step's
// outcome, then of ALWAYS 2; takes the step's number, records it, copies the
// bets to NextBets and settles them. The final step of a replay has no
// number: it only fills NextBets, the bets for the next, unknown spin.
//
// The window drives a long run through RunOptions::progress, called at the
// first step and then every progressInterval steps: it can process its
// events there, update its gauge and ask for a stop (by returning true or by
// calling requestStop(), e.g. from the stop button's handler). The stop flag
// is read once per step, before the step's operators run.
//
// Typical use by the tester:
//
//   Interpreter run;
//   RunOptions opt;
//   opt.progress = [&](const RunProgress& p) { gauge(p.percent()); processEvents(); return false; };
//   RunResult r = run.Run(strategy, game, /*replay=*/true, n, opt);
//   if (r.end == RunEnd::Failed || r.end == RunEnd::Refused) showMessage(r.message);
//   else if (r.end == RunEnd::Finished) drawCurve(run);   // RunBalances(1..stepCount())
//   // run.NextBets(): the bets for the next spin (RealTime: transferToTable).

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/game_state.h"
#include "strategy/run_history.h"
#include "strategy/strategy.h"
#include "strategy/tester_grid.h"

namespace kv {

// The longest run: its lists take 6 bytes a step (number, balance, and for
// a replay a copy of the game's numbers), 300 MB at this limit.
inline constexpr int32_t kMaxRunSpins = 50'000'000;

enum class Outcome { Win, Lose, Drawn };

enum class RunEnd {
    Finished,  // every step was done: draw the curve
    Stopped,   // the stop flag ended the run: the curve is not redrawn
    Failed,    // an operand or a division failed: show message; the lists hold the steps done
    Refused,   // nothing was run and the previous run's results stay: show message
};

struct RunResult {
    RunEnd end = RunEnd::Finished;
    std::string message;  // "Division by zero", "'X' is not a valid integer value", ...
};

struct RunProgress {
    int32_t step = 0;       // 1-based step about to run
    int32_t position = 0;   // the countdown: requested, requested - 1, ..., 0
    int32_t requested = 0;  // N
    // The tester's gauge: round((N - position + 1) / N x 100); 100 or more
    // at the final step; 0 when N is 0.
    int percent() const;
};

struct RunOptions {
    // Returns true to stop the run. Called at step 1 and every
    // progressInterval steps after it.
    std::function<bool(const RunProgress&)> progress;
    int32_t progressInterval = 1000;
};

class Interpreter {
  public:
    Interpreter();
    ~Interpreter();
    Interpreter(const Interpreter&) = delete;
    Interpreter& operator=(const Interpreter&) = delete;

    // Runs `strategy` (every parameter's current value starts at its
    // initiation; the values at the end are written back). replay: numbers
    // from game.SpinHistory, oldest of the last `requested` first (requested
    // is cut to game.SpinCount); otherwise from game.RandNum(). The game's
    // TableLimits limit every bet. Refused before anything is allocated:
    // requested above kMaxRunSpins, and a strategy that checkStrategy
    // refuses (a cycle of THEN/ELSE references, an entry naming no operator,
    // a strategy too large to render).
    RunResult Run(Strategy& strategy, GameState& game, bool replay, int32_t requested,
                  const RunOptions& options = {});

    // The stop button. Cleared when a run starts; read once per step.
    void requestStop() { stop_.store(true, std::memory_order_relaxed); }

    // Results of the latest run (kept until the next run starts).
    int32_t stepCount() const { return history_.stepCount(); }
    // 1-based, newest first: the number of each step (-1 for the final step
    // of a replay) and the balance after it.
    int32_t RunSpins(int32_t pos) const { return history_.RunSpins(pos); }
    int32_t RunBalances(int32_t pos) const;
    // The same balances oldest first, for drawing.
    const std::vector<int32_t>& balancesOldestFirst() const { return balances_; }
    const TesterGrid& NextBets() const { return nextBets_; }
    int32_t balance() const { return balance_; }
    Outcome outcome() const { return outcome_; }
    int32_t SelectionValue() const { return selectionValue_; }
    // Bytes held by the run's lists.
    size_t memoryBytes() const { return history_.memoryBytes() + balances_.capacity() * sizeof(int32_t); }

  private:
    struct Value;
    struct Op;
    struct Compiled;
    // The steps of a run, in the order Run takes them.
    static Compiled compile(const Strategy& strategy, const GameState& game);
    bool allocateRun(const Compiled& c, const GameState& game, bool replay, int32_t requested,
                     std::vector<uint8_t>& replayNumbers);
    void startRun(Compiled& c);
    RunEnd playSteps(GameState& game, bool replay, const std::vector<uint8_t>& replayNumbers,
                     int32_t requested, const RunOptions& options);
    void placeBetsOfStep();
    static StrategySection outcomeSection(Outcome o);
    void recordStep(int x, bool settled);
    void settle(int x);

    void execute(int32_t index);
    int32_t value(const Value& v);
    void placeBet(uint64_t numbers, int32_t amount);

    RunHistory history_;
    std::vector<int32_t> balances_;
    TesterGrid grid_;
    TesterGrid nextBets_;
    int32_t balance_ = 0;
    int32_t selectionValue_ = 0;
    Outcome outcome_ = Outcome::Drawn;
    std::atomic<bool> stop_{false};
    Compiled* c_ = nullptr;  // valid during a run only
};

}  // namespace kv
