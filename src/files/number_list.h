#pragma once
// Plain lists of roulette numbers, as casinos and other tools publish them:
// numbers 0..36, one or more per line, separated by spaces, tabs, commas or
// semicolons; blank lines and lines whose first non-blank character is "#"
// are skipped; CR LF, LF or CR line ends. The first number of the file is
// the oldest spin.
//
// The file is read in blocks and every number is held as one byte, so a list
// of ten million numbers costs about ten megabytes. One bad token fails the
// whole read: "Line 12: 'x7' is not a number from 0 to 36".

#include <cstdint>
#include <filesystem>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "files/file_status.h"

namespace kv {

// Parses the bytes of a list as they arrive, block by block. A token or a
// line end split between two blocks is handled.
class NumberListParser {
  public:
    using Sink = std::function<void(std::span<const uint8_t>)>;

    // The sink receives the numbers in file order, in runs of up to a few
    // thousand. After a failure it is not called again.
    explicit NumberListParser(Sink sink);

    // False once the list has failed (see status()).
    bool feed(std::string_view bytes);
    // The end of the data: completes a last line without a line end.
    FileStatus finish();

    const FileStatus& status() const { return status_; }
    // Line of the failure (1-based), 0 while there is none.
    int64_t errorLine() const { return errorLine_; }

  private:
    bool endToken();
    void flush();
    void fail();

    Sink sink_;
    std::vector<uint8_t> pending_;
    std::string token_;  // the bad token's first bytes, for the message
    size_t tokenLength_ = 0;
    int32_t value_ = 0;
    bool tokenBad_ = false;
    bool lineStart_ = true;  // only blanks so far on this line
    bool comment_ = false;
    bool afterCR_ = false;
    int64_t line_ = 1;
    int64_t errorLine_ = 0;
    FileStatus status_;
};

struct NumberListResult {
    FileStatus status;             // "File not found", "I/O error 5", "Line 3: ..."; ok on success
    int64_t errorLine = 0;         // line of a bad token, 0 otherwise
    std::vector<uint8_t> numbers;  // oldest first; empty when the read failed
};

NumberListResult readNumberList(const std::filesystem::path& path);
NumberListResult parseNumberList(std::string_view bytes);

// Streaming: hands the numbers to sink as they are read, without keeping
// them. When the result is not ok, the numbers already handed over belong
// to a list that failed and must be dropped by the caller.
NumberListResult readNumberList(const std::filesystem::path& path, const NumberListParser::Sink& sink);

}  // namespace kv
