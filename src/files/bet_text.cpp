#include "files/bet_text.h"

#include <charconv>

namespace kv {

std::string ChangeCase(std::string_view text, CaseDirection direction) {
    std::string out(text);
    for (char& ch : out) {
        const auto b = static_cast<unsigned char>(ch);
        unsigned char r = b;
        if (direction == CaseDirection::ToUpper) {
            if ((b >= 97 && b <= 122) || b >= 224)
                r = static_cast<unsigned char>(b - 32);
            else if (b == 184)
                r = 168;
        } else {
            if ((b >= 65 && b <= 90) || (b >= 192 && b <= 223))
                r = static_cast<unsigned char>(b + 32);
            else if (b == 168)
                r = 184;
        }
        ch = static_cast<char>(r);
    }
    return out;
}

void appendBetsText(std::string& out, const BetGrid& grid) {
    for (const int32_t v : grid.v) {
        appendInt(out, v);
        out.push_back(' ');
    }
}

std::string BetsToText(const BetGrid& grid) {
    std::string s;
    s.reserve(kGridCells * 2);
    appendBetsText(s, grid);
    return s;
}

FileStatus TextToBets(std::string_view line, BetGrid& grid) {
    BetGrid read;
    const char* p = line.data();
    const char* const end = line.data() + line.size();
    for (int i = 0; i < kGridCells; ++i) {
        int32_t v = 0;
        const auto [stop, ec] = std::from_chars(p, end, v);
        // Each number runs up to the next space; anything else in between
        // makes the whole piece up to that space the offending text.
        if (ec != std::errc() || stop == end || *stop != ' ') {
            const auto rest = std::string_view(p, static_cast<size_t>(end - p));
            return FileStatus::badInteger(rest.substr(0, rest.find(' ')));
        }
        read.v[static_cast<size_t>(i)] = v;
        p = stop + 1;
    }
    grid = read;
    return {};
}

namespace {
std::string withExtension(std::string_view chosen, std::string_view ext) {
    if (chosen.size() > 4 && ChangeCase(chosen.substr(chosen.size() - 4), CaseDirection::ToLower) == ext) {
        return std::string(chosen);
    }
    return std::string(chosen) + std::string(ext);
}
}  // namespace

std::string gmaFileName(std::string_view chosen) {
    // A name of four characters or fewer is taken as it is.
    if (chosen.size() <= 4) return std::string(chosen);
    return withExtension(chosen, ".gma");
}

std::string textFileName(std::string_view chosen) { return withExtension(chosen, ".txt"); }

std::string keepDigits(std::string_view text) {
    std::string out;
    for (const char c : text) {
        if (c >= '0' && c <= '9') out.push_back(c);
    }
    return out;
}

}  // namespace kv
