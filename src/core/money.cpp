#include "core/money.h"

#include <algorithm>
#include <limits>

namespace kv {

namespace {

// Transfers stay inside the 32-bit range: a pocket cannot be emptied below
// the smallest or filled above the largest amount the game file can hold.
int32_t clamp32(int64_t v) {
    return static_cast<int32_t>(
        std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

// Moves `amount` from the table to the pocket (negative: the other way),
// limited so that neither side leaves the 32-bit range and the sum stays.
void move(GameState& s, int64_t amount) {
    const int64_t sum = static_cast<int64_t>(s.Balance) + s.Credit;
    const int64_t balance = clamp32(static_cast<int64_t>(s.Balance) + amount);
    const int64_t credit = sum - balance;
    if (credit != clamp32(credit)) return;
    s.Balance = static_cast<int32_t>(balance);
    s.Credit = static_cast<int32_t>(credit);
}

}  // namespace

void takeInputCredits(GameState& s) {
    const int64_t freeCredit = static_cast<int64_t>(s.Credit) - s.CurrentBets.sum();
    move(s, freeCredit <= s.InputCredits ? freeCredit : s.InputCredits);
    s.setResultHistory(s.SpinCount, clamp32(static_cast<int64_t>(s.Balance) + s.Credit));
}

void putInputCredits(GameState& s) { move(s, -static_cast<int64_t>(s.InputCredits)); }

void balanceGetMoney(GameState& s, int32_t amount) {
    const int64_t freeCredit = static_cast<int64_t>(s.Credit) - s.CurrentBets.sum();
    move(s, amount >= freeCredit ? freeCredit : amount);
}

void balancePutMoney(GameState& s, int32_t amount) { move(s, -static_cast<int64_t>(amount)); }

}  // namespace kv
