#pragma once
// The number pad of the online input window: which number a press on the
// pad picture means, which part of the queue the side display shows, and
// reading a list of numbers from a text file.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kv {

enum class PadOrientation { Vertical = 1, Horizontal = 2 };

// The number under a press on the pad picture; nothing for a press beyond
// the last column (horizontal) or row (vertical), where 37..39 would come out.
std::optional<int> padNumberAt(PadOrientation o, int x, int y);

// Lines of the queue display: queue entries first..last (1-based), or
// first > last when nothing is shown.
struct QueueView {
    int first = 1;
    int last = 0;
};
inline constexpr int kQueueScrollMax = 32000;
QueueView queueView(int count, int displayHeight, int scrollPos);

// How a queued or pad number is written: a one-digit number with a space
// before and after it.
std::string padNumberText(int n);

struct NumberListRead {
    std::vector<int> values;  // each taken modulo 256, in file order
    std::string error;        // set when a line is no integer; values read before it stay
};
// One integer per line; blank lines are passed over. Line ends CR LF, LF or CR.
NumberListRead readNumberList(std::string_view text);

}  // namespace kv
