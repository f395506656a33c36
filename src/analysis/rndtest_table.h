#pragma once
// The concentration limits of the honesty test, shipped beside the program as
// rndtest.dat: 9,999 text lines, one limit per window length L = 4 .. 10002.
// Each line is read with ParseDecimal and multiplied by 1.1.
//
// A missing, short or damaged file does not stop the program: the table is
// then "missing" and the honesty test says so instead of running.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kv {

inline constexpr int kRndTestFirstLength = 4;
inline constexpr int kRndTestLastLength = 10002;
inline constexpr int kRndTestLineCount = kRndTestLastLength - kRndTestFirstLength + 1;  // 9,999
// Factor applied to every value of the file.
inline constexpr double kRndTestFactor = 1.1;
inline constexpr const char* kRndTestFileName = "rndtest.dat";

// Reads "digits", or "digits", one separator (any non-digit) and "digits":
// "3.05" and "3,05" are 3.05, "7" is 7, "0.0625" is 0.0625. The fraction is
// a decimal fraction, correctly rounded to the nearest double. Blanks around
// the text are allowed. Anything else (no integer digits, a second separator,
// a sign) gives nothing.
std::optional<double> ParseDecimal(std::string_view text);

class RndTestTable {
  public:
    // A missing table.
    RndTestTable() = default;
    // A table from the products E[L] for L = 4 .. 10002 (9,999 values);
    // any other count gives a missing table.
    static RndTestTable fromLimits(std::vector<double> limits);
    // Parses the content of rndtest.dat. The first 9,999 lines count; lines
    // after them are not read.
    static RndTestTable parse(std::string_view content);
    // Reads the file; a file that cannot be opened gives a missing table.
    static RndTestTable read(const std::filesystem::path& file);

    bool present() const { return !limits_.empty(); }
    // Why the table is missing ("" when present).
    const std::string& problem() const { return problem_; }
    // E[L] = the file's value for L times 1.1, for L = 4 .. 10002.
    double limit(int32_t L) const { return limits_[static_cast<size_t>(L - kRndTestFirstLength)]; }

  private:
    std::vector<double> limits_;
    std::string problem_ = "rndtest.dat was not read";
};

}  // namespace kv
