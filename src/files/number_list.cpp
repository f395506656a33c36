#include "files/number_list.h"

#include <array>

#include "files/input_file.h"

namespace kv {

namespace {

// Enough of a bad token to recognise it in a message.
constexpr size_t kTokenShown = 32;
// Numbers are handed to the sink in runs of this many.
constexpr size_t kSinkRun = 1 << 14;
constexpr size_t kReadBlock = 1 << 16;

enum ByteKind : uint8_t { kOther, kDigit, kBlank, kLineEnd, kHash };

constexpr std::array<uint8_t, 256> makeKinds() {
    std::array<uint8_t, 256> k{};
    for (int c = '0'; c <= '9'; ++c) k[c] = kDigit;
    k[' '] = k['\t'] = k[','] = k[';'] = kBlank;
    k['\r'] = k['\n'] = kLineEnd;
    k['#'] = kHash;
    return k;
}
constexpr std::array<uint8_t, 256> kKinds = makeKinds();

}  // namespace

NumberListParser::NumberListParser(Sink sink) : sink_(std::move(sink)) { pending_.reserve(kSinkRun); }

void NumberListParser::flush() {
    if (!pending_.empty() && sink_) sink_(pending_);
    pending_.clear();
}

void NumberListParser::fail() {
    status_ = FileStatus::badContent(
        joinText({"Line ", intText(line_), ": '", quotedForMessage(token_, std::string::npos, true),
                  tokenLength_ > token_.size() ? "..." : "", "' is not a number from 0 to 36"}));
    errorLine_ = line_;
    pending_.clear();
}

bool NumberListParser::endToken() {
    if (tokenLength_ == 0) return true;
    if (tokenBad_) {
        fail();
        return false;
    }
    pending_.push_back(static_cast<uint8_t>(value_));
    if (pending_.size() >= kSinkRun) flush();
    tokenLength_ = 0;
    token_.clear();
    value_ = 0;
    tokenBad_ = false;
    return true;
}

bool NumberListParser::feed(std::string_view bytes) {
    if (!status_.ok()) return false;
    const char* p = bytes.data();
    const char* const end = p + bytes.size();
    while (p < end) {
        const char ch = *p;
        const auto b = static_cast<unsigned char>(ch);
        const uint8_t kind = kKinds[b];
        if (afterCR_) {
            afterCR_ = false;
            if (b == '\n') {  // the LF of a CR LF
                ++p;
                continue;
            }
        }
        // The common case first: a whole number of one or two digits that
        // ends inside this block goes straight to the list.
        if (kind == kDigit && tokenLength_ == 0 && !comment_) {
            int32_t v = b - '0';
            const char* q = p + 1;
            if (q < end && kKinds[static_cast<unsigned char>(*q)] == kDigit) {
                v = v * 10 + (*q - '0');
                ++q;
            }
            const uint8_t next = q < end ? kKinds[static_cast<unsigned char>(*q)] : uint8_t{kOther};
            if (v <= 36 && (next == kBlank || next == kLineEnd)) {
                pending_.push_back(static_cast<uint8_t>(v));
                if (pending_.size() >= kSinkRun) flush();
                lineStart_ = false;
                // A blank after it is taken too; a line end is counted below.
                p = next == kBlank ? q + 1 : q;
                continue;
            }
        }
        ++p;
        switch (kind) {
            case kLineEnd:
                if (!endToken()) return false;
                ++line_;
                lineStart_ = true;
                comment_ = false;
                afterCR_ = b == '\r';
                continue;
            case kBlank:
                if (tokenLength_ != 0 && !comment_ && !endToken()) return false;
                continue;
            case kHash:
                if (lineStart_) comment_ = true;
                break;
            default:
                break;
        }
        if (comment_) continue;
        lineStart_ = false;
        if (++tokenLength_ <= kTokenShown) token_ += ch;
        if (kind == kDigit && !tokenBad_) {
            value_ = value_ * 10 + (b - '0');
            tokenBad_ = value_ > 36;
        } else {
            tokenBad_ = true;
        }
    }
    return true;
}

FileStatus NumberListParser::finish() {
    if (status_.ok() && endToken()) flush();
    return status_;
}

namespace {

NumberListResult parseFile(const std::filesystem::path& path, const NumberListParser::Sink& sink) {
    NumberListResult r;
    InputFile in;
    if (auto st = in.open(path); !st) {
        r.status = st;
        return r;
    }
    NumberListParser parser(sink);
    std::vector<char> block(kReadBlock);
    for (;;) {
        const size_t got = in.read(block.data(), block.size());
        if (got == 0) break;
        if (!parser.feed(std::string_view(block.data(), got))) break;
    }
    if (!in.status().ok()) {
        r.status = in.status();
        return r;
    }
    r.status = parser.finish();
    r.errorLine = parser.errorLine();
    return r;
}

}  // namespace

NumberListResult readNumberList(const std::filesystem::path& path, const NumberListParser::Sink& sink) {
    return parseFile(path, sink);
}

NumberListResult readNumberList(const std::filesystem::path& path) {
    std::vector<uint8_t> numbers;
    // Every number but the last takes at least two bytes with its separator:
    // half the file's size bounds the list, and untouched capacity costs no
    // memory.
    std::error_code ec;
    const auto size = std::filesystem::file_size(path, ec);
    if (!ec) numbers.reserve(static_cast<size_t>(size / 2 + 1));
    NumberListResult r = parseFile(
        path, [&](std::span<const uint8_t> run) { numbers.insert(numbers.end(), run.begin(), run.end()); });
    if (r.status.ok()) r.numbers = std::move(numbers);
    return r;
}

NumberListResult parseNumberList(std::string_view bytes) {
    NumberListResult r;
    std::vector<uint8_t> numbers;
    NumberListParser parser(
        [&](std::span<const uint8_t> run) { numbers.insert(numbers.end(), run.begin(), run.end()); });
    parser.feed(bytes);
    r.status = parser.finish();
    r.errorLine = parser.errorLine();
    if (r.status.ok()) r.numbers = std::move(numbers);
    return r;
}

}  // namespace kv
