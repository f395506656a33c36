#pragma once
// What the Monte Carlo window shows and exports of a run: the summary as
// label/value rows, the histogram of the final balances, and the sessions
// as CSV (the columns of `kelvora-cli simulate --sessions-csv`).

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "files/file_status.h"
#include "strategy/monte_carlo.h"

namespace kv {

struct SummaryRow {
    std::string label;
    std::string value;
};

// The result as rows, in the order the window lists them; the bankroll
// search adds its rows when there was one.
std::vector<SummaryRow> monteCarloSummary(const MonteCarloResult& result,
                                          const std::optional<BankrollSearch>& search);

// Bins of equal width over the final balances: bin i holds the balances
// from low + i * width up to low + (i + 1) * width - 1.
struct BalanceHistogram {
    int64_t low = 0;
    int64_t width = 1;
    std::vector<int64_t> counts;
};

// At most maxBins bins (at least one), each a whole number of units wide.
BalanceHistogram finalBalanceHistogram(const std::vector<SessionRow>& rows, int maxBins);

// "session,end,final_balance,length,staked,max_drawdown" and one line per
// session, CR LF.
std::string monteCarloSessionsCsv(const std::vector<SessionRow>& rows);
// The same, written aside and renamed over the file.
FileStatus writeMonteCarloSessionsCsv(const std::filesystem::path& path, const std::vector<SessionRow>& rows);

}  // namespace kv
