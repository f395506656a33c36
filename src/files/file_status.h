#pragma once
// The outcome of reading or writing one of the program's files, with the
// texts the player is shown, and the strict integer conversion that every
// reader uses.

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

namespace kv {

enum class FileErrorKind {
    None,
    NotFound,    // "File not found": the file does not exist
    Io,          // "I/O error %d": open, read or write failed at the system level
    BadInteger,  // "'%s' is not a valid integer value"
    BadContent,  // the file parses but holds something the program cannot take
};

// Read past the end of a file whose layout promises more data.
inline constexpr int kReadPastEndError = 100;

class FileStatus {
  public:
    FileStatus() = default;  // success

    static FileStatus success() { return {}; }
    static FileStatus notFound();
    static FileStatus ioError(int code);
    static FileStatus badInteger(std::string_view text);
    static FileStatus badContent(std::string message);
    // "'text' what", for a value that converts but cannot be taken.
    static FileStatus badValue(std::string_view text, std::string_view what);

    bool ok() const { return kind_ == FileErrorKind::None; }
    explicit operator bool() const { return ok(); }
    FileErrorKind kind() const { return kind_; }
    // The system error number for Io, 0 otherwise.
    int code() const { return code_; }
    // The text to show; empty on success.
    const std::string& message() const { return message_; }

  private:
    FileStatus(FileErrorKind kind, int code, std::string message)
        : kind_(kind), code_(code), message_(std::move(message)) {}

    FileErrorKind kind_ = FileErrorKind::None;
    int code_ = 0;
    std::string message_;
};

// The whole text must be a decimal integer in the 32-bit range: an optional
// minus sign and digits, nothing else (no spaces, no plus sign).
std::optional<int32_t> parseInt32(std::string_view text);
// The same, reporting the standard conversion error for a bad text.
FileStatus parseInt32(std::string_view text, int32_t& out);

// Decimal text of v as the standard integer-to-text conversion writes it.
std::string intText(int64_t v);
void appendInt(std::string& out, int64_t v);

// The parts one after the other.
std::string joinText(std::initializer_list<std::string_view> parts);

// A text quoted into a message. Bytes that would garble the message are
// shown as \xNN: control bytes, and with `strict` also the backslash and bytes
// above 0x7E (for a token that was never meant as text). Once the quote
// reaches `limit` characters the rest is dropped and "..." marks the cut, so
// that a message box stays readable.
inline constexpr size_t kQuoteLimit = 40;
std::string quotedForMessage(std::string_view text, size_t limit = kQuoteLimit, bool strict = false);
// "Line 12: 'text' what".
std::string lineMessage(uint64_t lineNo, std::string_view text, std::string_view what);
// A spin count beyond kMaxHistorySpins.
FileStatus tooManySpins(std::string_view count);

}  // namespace kv
