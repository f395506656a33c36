#include "files/number_import.h"

#include <algorithm>
#include <limits>
#include <vector>

#include "files/number_list.h"

namespace kv {

void appendSpinsWithoutBets(GameState& game, std::span<const uint8_t> numbers) {
    const int64_t money = static_cast<int64_t>(game.Balance) + game.Credit;
    const auto result = static_cast<int32_t>(
        std::clamp<int64_t>(money, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
    const BetGrid noBets{};
    for (const uint8_t n : numbers) {
        game.RecordSpin(n);
        // RecordSpin keeps the chips on the table with the spin; these spins
        // were only watched.
        game.setSpinBets(1, noBets);
        game.setResultHistory(game.SpinCount, result);
    }
}

FileStatus ImportNumbers(GameState& game, const std::filesystem::path& file) {
    std::vector<uint8_t> numbers;
    int64_t count = 0;
    // Streamed, so that a huge file costs no more memory than the limit.
    const NumberListResult read = readNumberList(file, [&](std::span<const uint8_t> run) {
        count += static_cast<int64_t>(run.size());
        if (count <= kMaxImportedNumbers) numbers.insert(numbers.end(), run.begin(), run.end());
    });
    if (!read.status.ok()) return read.status;
    if (count == 0) return FileStatus::badContent("The file holds no numbers from 0 to 36");
    if (count > kMaxImportedNumbers) {
        return FileStatus::badContent(joinText({"The file holds ", intText(count), " numbers; at most ",
                                                intText(kMaxImportedNumbers), " can be imported at once"}));
    }
    if (game.SpinCount + count > kMaxHistorySpins) {
        return FileStatus::badValue(intText(game.SpinCount + count), "is not a valid spin count");
    }
    appendSpinsWithoutBets(game, numbers);
    return {};
}

}  // namespace kv
