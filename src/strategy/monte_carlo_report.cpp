#include "strategy/monte_carlo_report.h"

#include <algorithm>
#include <cstdio>

#include "files/output_file.h"

namespace kv {

namespace {

template <typename... Values>
std::string format(const char* pattern, Values... values) {
    char buffer[160];
    std::snprintf(buffer, sizeof buffer, pattern, values...);
    return buffer;
}

std::string count(int64_t v) { return format("%lld", static_cast<long long>(v)); }

// A count with its share of the sessions done.
std::string countShare(int64_t v, int64_t of) {
    return of > 0 ? format("%lld (%.2f %%)", static_cast<long long>(v), 100.0 * static_cast<double>(v) / of)
                  : count(v);
}

const char* endName(SessionEnd e) {
    switch (e) {
        case SessionEnd::Ruined:
            return "ruined";
        case SessionEnd::StopLoss:
            return "stop_loss";
        case SessionEnd::TakeProfit:
            return "take_profit";
        case SessionEnd::Cancelled:
            return "cancelled";
        case SessionEnd::Completed:
            break;
    }
    return "completed";
}

}  // namespace

std::vector<SummaryRow> monteCarloSummary(const MonteCarloResult& r,
                                          const std::optional<BankrollSearch>& search) {
    const int64_t n = r.sessionsDone;
    const BalancePercentiles& p = r.finalBalance;
    std::vector<SummaryRow> rows = {
        {"Sessions",
         format("%lld of %lld", static_cast<long long>(n), static_cast<long long>(r.sessionsRequested))},
        {"Ruined", countShare(r.ruined, n)},
        {"Stop-loss", countShare(r.stopLoss, n)},
        {"Take-profit", countShare(r.takeProfit, n)},
        {"Completed", countShare(r.completed, n)},
        {"Risk of ruin", format("%.2f %% (95 %%: %.2f .. %.2f %%)", 100 * r.ruinProbability,
                                100 * r.ruinCi95.low, 100 * r.ruinCi95.high)},
        {"Mean final balance",
         format("%.2f (95 %%: %.2f .. %.2f)", r.meanFinal, r.meanFinalCi95.low, r.meanFinalCi95.high)},
        {"SD of final balance", format("%.2f", r.sdFinal)},
        {"Result per unit staked", format("%.5f", r.evPerUnitStaked)},
        {"Final balance 1 %", count(p.p1)},
        {"Final balance 5 %", count(p.p5)},
        {"Final balance 25 %", count(p.p25)},
        {"Final balance 50 %", count(p.p50)},
        {"Final balance 75 %", count(p.p75)},
        {"Final balance 95 %", count(p.p95)},
        {"Final balance 99 %", count(p.p99)},
        {"Mean length (spins)", format("%.1f", r.meanLength)},
        {"Median length (spins)", count(r.medianLength)},
        {"Largest drawdown 50 %", count(r.maxDrawdownP50)},
        {"Largest drawdown 95 %", count(r.maxDrawdownP95)},
    };
    if (search) {
        rows.push_back({"Bankroll for target risk", count(search->bankroll)});
        rows.push_back({"Risk with that bankroll", format("%.2f %%", 100 * search->risk)});
    }
    rows.push_back({"Spins per second", format("%.0f", r.stepsPerSecond)});
    return rows;
}

BalanceHistogram finalBalanceHistogram(const std::vector<SessionRow>& rows, int maxBins) {
    BalanceHistogram h;
    if (rows.empty()) return h;
    const auto [lo, hi] =
        std::minmax_element(rows.begin(), rows.end(), [](const SessionRow& a, const SessionRow& b) {
            return a.record.finalBalance < b.record.finalBalance;
        });
    h.low = lo->record.finalBalance;
    const int64_t span = int64_t{hi->record.finalBalance} - h.low + 1;
    const int64_t bins = std::max(1, maxBins);
    h.width = (span + bins - 1) / bins;
    h.counts.assign(static_cast<size_t>((span + h.width - 1) / h.width), 0);
    for (const SessionRow& row : rows)
        ++h.counts[static_cast<size_t>((row.record.finalBalance - h.low) / h.width)];
    return h;
}

std::string monteCarloSessionsCsv(const std::vector<SessionRow>& rows) {
    std::string out = "session,end,final_balance,length,staked,max_drawdown\r\n";
    for (const SessionRow& row : rows) {
        const SessionRecord& r = row.record;
        out += format("%lld,%s,%d,%lld,%lld,%lld\r\n", static_cast<long long>(row.session), endName(r.end),
                      r.finalBalance, static_cast<long long>(r.length), static_cast<long long>(r.staked),
                      static_cast<long long>(r.maxDrawdown));
    }
    return out;
}

FileStatus writeMonteCarloSessionsCsv(const std::filesystem::path& path,
                                      const std::vector<SessionRow>& rows) {
    OutputFile out;
    if (FileStatus st = out.open(path); !st) return st;
    out.write(monteCarloSessionsCsv(rows));
    return out.commit();
}

}  // namespace kv
