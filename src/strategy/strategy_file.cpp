#include "strategy/strategy_file.h"

#include <cerrno>
#include <cstdio>
#include <fstream>
#include <system_error>

namespace kv {

std::string strategyFileName(const std::string& chosen) {
    if (chosen.size() >= 4 && chosen.compare(chosen.size() - 4, 4, ".stg") == 0) return chosen;
    return chosen + ".stg";
}

namespace {

std::string ioError(int code) { return "I/O error " + std::to_string(code); }

std::string tooManyLines() {
    return "A strategy has at most " + std::to_string(kMaxStrategyLines) + " lines";
}

std::string tooLongLine(size_t line) {
    return "Line " + std::to_string(line) + ": A line of a strategy holds at most " +
           std::to_string(kMaxStrategyLineLength) + " characters";
}

}  // namespace

StrategyFileResult saveStrategyLines(const std::string& chosen, const std::vector<std::string>& lines) {
    StrategyFileResult r;
    r.path = std::filesystem::path(strategyFileName(chosen));
    if (lines.size() > static_cast<size_t>(kMaxStrategyLines)) {
        r.status = StrategyFileStatus::Failed;
        r.message = tooManyLines();
        return r;
    }
    // Nothing is written that the reader would refuse.
    for (size_t i = 0; i < lines.size(); ++i)
        if (lines[i].size() > static_cast<size_t>(kMaxStrategyLineLength)) {
            r.status = StrategyFileStatus::Failed;
            r.message = tooLongLine(i + 1);
            return r;
        }
    std::filesystem::path temp = r.path;
    temp += ".tmp";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out) {
            r.status = StrategyFileStatus::CannotOpen;
            return r;
        }
        for (const std::string& line : lines) {
            out.write(line.data(), static_cast<std::streamsize>(line.size()));
            out.write("\r\n", 2);
        }
        out.flush();
        if (!out) {
            r.status = StrategyFileStatus::Failed;
            r.message = ioError(errno != 0 ? errno : EIO);
            out.close();
            std::error_code ignored;
            std::filesystem::remove(temp, ignored);
            return r;
        }
    }
    std::error_code ec;
    std::filesystem::rename(temp, r.path, ec);
    if (ec) {
        std::filesystem::remove(temp, ec);
        r.status = StrategyFileStatus::Failed;
        r.message = ioError(ec.value());
    }
    return r;
}

StrategyFileResult loadStrategyLines(const std::filesystem::path& path) {
    StrategyFileResult r;
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        r.status = StrategyFileStatus::CannotOpen;
        return r;
    }
    std::vector<std::string> lines;
    std::string current;
    bool pendingCR = false;  // a CR was seen: a following LF belongs to it
    bool open = false;       // characters after the last line end
    char buf[65536];
    auto endLine = [&]() -> bool {
        lines.push_back(std::move(current));
        current.clear();
        open = false;
        return lines.size() <= static_cast<size_t>(kMaxStrategyLines);
    };
    while (in) {
        in.read(buf, sizeof buf);
        const std::streamsize got = in.gcount();
        for (std::streamsize i = 0; i < got; ++i) {
            const char c = buf[i];
            if (pendingCR) {
                pendingCR = false;
                if (c == '\n') continue;
            }
            if (c == '\r' || c == '\n') {
                pendingCR = c == '\r';
                if (!endLine()) {
                    r.status = StrategyFileStatus::Failed;
                    r.message = "Line " + std::to_string(kMaxStrategyLines + 1) + ": " + tooManyLines();
                    return r;
                }
            } else if (current.size() == static_cast<size_t>(kMaxStrategyLineLength)) {
                // Junk without line ends is not read to its end nor held.
                r.status = StrategyFileStatus::Failed;
                r.message = tooLongLine(lines.size() + 1);
                return r;
            } else {
                current.push_back(c);
                open = true;
            }
        }
    }
    if (in.bad()) {
        r.status = StrategyFileStatus::Failed;
        r.message = ioError(errno != 0 ? errno : EIO);
        return r;
    }
    if (open && !endLine()) {
        r.status = StrategyFileStatus::Failed;
        r.message = "Line " + std::to_string(kMaxStrategyLines + 1) + ": " + tooManyLines();
        return r;
    }
    r.lines = std::move(lines);
    return r;
}

StrategyFileRead loadStrategyFile(const std::filesystem::path& path) {
    StrategyFileRead out;
    StrategyFileResult file = loadStrategyLines(path);
    out.status = file.status;
    out.message = file.message;
    if (file.status != StrategyFileStatus::Ok) return out;
    StrategyRead read = readStrategyText(file.lines);
    if (!read.ok) {
        out.status = StrategyFileStatus::Failed;
        out.message = read.error.text();
        return out;
    }
    out.strategy = std::move(read.strategy);
    return out;
}

}  // namespace kv
