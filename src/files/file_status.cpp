#include "files/file_status.h"

#include <charconv>

#include "core/spin_store.h"

namespace kv {

namespace {
// A long token is quoted by its first characters only.
}  // namespace

FileStatus FileStatus::notFound() { return {FileErrorKind::NotFound, 0, "File not found"}; }

FileStatus FileStatus::ioError(int code) {
    return {FileErrorKind::Io, code, joinText({"I/O error ", intText(code)})};
}

FileStatus FileStatus::badInteger(std::string_view text) {
    return {FileErrorKind::BadInteger, 0,
            joinText({"'", quotedForMessage(text), "' is not a valid integer value"})};
}

FileStatus FileStatus::badValue(std::string_view text, std::string_view what) {
    return {FileErrorKind::BadContent, 0, joinText({"'", quotedForMessage(text), "' ", what})};
}

FileStatus FileStatus::badContent(std::string message) {
    return {FileErrorKind::BadContent, 0, std::move(message)};
}

std::optional<int32_t> parseInt32(std::string_view text) {
    if (text.empty()) return std::nullopt;
    int32_t v = 0;
    const char* first = text.data();
    const char* last = text.data() + text.size();
    // from_chars takes a minus sign but no plus sign, which is what we want.
    auto [ptr, ec] = std::from_chars(first, last, v);
    if (ec != std::errc() || ptr != last) return std::nullopt;
    return v;
}

FileStatus parseInt32(std::string_view text, int32_t& out) {
    const auto v = parseInt32(text);
    if (!v) return FileStatus::badInteger(text);
    out = *v;
    return {};
}

void appendInt(std::string& out, int64_t v) {
    char buf[24];
    auto [ptr, ec] = std::to_chars(buf, buf + sizeof buf, v);
    (void)ec;
    out.append(buf, ptr);
}

std::string intText(int64_t v) {
    std::string s;
    appendInt(s, v);
    return s;
}

std::string joinText(std::initializer_list<std::string_view> parts) {
    size_t n = 0;
    for (const auto p : parts) n += p.size();
    std::string s;
    s.reserve(n);
    for (const auto p : parts) s.append(p);
    return s;
}

std::string quotedForMessage(std::string_view text, size_t limit, bool strict) {
    // A control byte (a NUL from a UTF-16 file, say) would cut the message
    // short or garble the box: it is shown as \xNN.
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    size_t taken = 0;
    for (; taken < text.size() && out.size() < limit; ++taken) {
        const auto b = static_cast<unsigned char>(text[taken]);
        if (b < 0x20 || b == 0x7F || (strict && (b > 0x7E || b == '\\'))) {
            out += "\\x";
            out.push_back(kHex[b >> 4]);
            out.push_back(kHex[b & 0xF]);
        } else {
            out.push_back(static_cast<char>(b));
        }
    }
    if (taken < text.size()) out += "...";
    return out;
}

std::string lineMessage(uint64_t lineNo, std::string_view text, std::string_view what) {
    return joinText(
        {"Line ", intText(static_cast<int64_t>(lineNo)), ": '", quotedForMessage(text), "' ", what});
}

FileStatus tooManySpins(std::string_view count) {
    return FileStatus::badValue(
        count, joinText({"is more spins than the history holds (at most ", intText(kMaxHistorySpins), ")"}));
}

}  // namespace kv
