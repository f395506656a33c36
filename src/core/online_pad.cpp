#include "core/online_pad.h"

#include <charconv>
#include <cmath>
#include <cstdint>

#include "core/number_entry.h"

namespace kv {

std::optional<int> padNumberAt(PadOrientation o, int x, int y) {
    int n = 0;
    if (o == PadOrientation::Horizontal) {
        const int i = (x - 3) / 23;
        const int j = (y - 2) / 42;
        n = 3 * i;
        if (n != 0 && j == 1) n -= 1;
        if (n != 0 && j == 2) n -= 2;
    } else {
        const int i = (y - 3) / 23;
        const int j = (x - 2) / 42;
        n = 3 * i;
        if (n != 0 && j == 0) n -= 2;
        if (n != 0 && j == 1) n -= 1;
    }
    if (n < 0 || n > 36) return std::nullopt;
    return n;
}

QueueView queueView(int count, int displayHeight, int scrollPos) {
    const int visible = (displayHeight - 20) / 20;
    int first = count - visible;
    if (first > 0) {
        first = static_cast<int>(
            std::nearbyint(static_cast<double>(scrollPos) / kQueueScrollMax * (count - visible)));
    }
    if (first > count - visible) first = count - visible;
    if (first < 1) first = 1;
    QueueView v;
    v.first = first;
    v.last = std::min(first + visible, count);
    return v;
}

std::string padNumberText(int n) {
    if (n >= 0 && n <= 9) return " " + std::to_string(n) + " ";
    return std::to_string(n);
}

NumberListRead readNumberList(std::string_view text) {
    NumberListRead out;
    size_t pos = 0;
    int lineNo = 0;
    while (pos < text.size()) {
        size_t end = text.find_first_of("\r\n", pos);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(pos, end - pos);
        ++lineNo;
        pos = end + 1;
        if (end + 1 < text.size() && text[end] == '\r' && text[end + 1] == '\n') ++pos;
        while (!line.empty() && (line.front() == ' ' || line.front() == '\t')) line.remove_prefix(1);
        while (!line.empty() && (line.back() == ' ' || line.back() == '\t')) line.remove_suffix(1);
        if (line.empty()) continue;
        int32_t value = 0;
        const auto [ptr, ec] = std::from_chars(line.data(), line.data() + line.size(), value);
        if (ec != std::errc() || ptr != line.data() + line.size()) {
            out.error = "Line " + std::to_string(lineNo) + ": " + invalidIntegerText(line);
            return out;
        }
        out.values.push_back(static_cast<int>(static_cast<uint32_t>(value) & 0xFFu));
    }
    return out;
}

}  // namespace kv
