#pragma once
// Writing a file so that the old one survives any failure: the content goes
// to a temporary file in the target's folder, which replaces the target only
// once it is complete and flushed to disk.

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

#include "files/file_status.h"

namespace kv {

class OutputFile {
public:
    OutputFile() = default;
    ~OutputFile();  // an uncommitted temporary file is removed
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Creates the temporary file beside target.
    FileStatus open(const std::filesystem::path& target);

    void write(std::string_view bytes);
    // The text and CR LF.
    void writeLine(std::string_view text);
    void writeInt32LE(int32_t v);

    // Flushes, closes and renames over the target. Any error met while
    // writing is reported here, and the target is then left untouched.
    FileStatus commit();

    const std::filesystem::path& tempPath() const { return temp_; }

private:
    void flushBuffer();
    void discard();

    std::FILE* file_ = nullptr;
    std::filesystem::path target_;
    std::filesystem::path temp_;
    std::string buffer_;
    int error_ = 0;
};

}  // namespace kv
