#pragma once
// Writing a file so that the old one survives any failure: the content goes
// to a temporary file in the target's folder, which replaces the target only
// once it is complete and flushed to disk.
//
// Where the folder refuses new files but the target itself may be written
// (or the rename over it is refused), the content is kept in memory and
// written over the target in place at commit, then flushed to disk: a plain
// overwrite that works is better than a safe one that loses the game. A
// symbolic link is followed (its target is written, the link stays), and
// the target keeps its permissions.
//
// A target that is no regular file (a terminal, a pipe, /dev/stdout, a
// device) has no folder to be replaced in: it is written straight through.

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

    // Creates the temporary file beside the target (the file a symbolic
    // link leads to), prepares to write the target in place, or opens a
    // target that is no regular file.
    FileStatus open(const std::filesystem::path& target);

    void write(std::string_view bytes);
    // The text and CR LF.
    void writeLine(std::string_view text);
    void writeInt32LE(int32_t v);

    // Flushes, closes and renames over the target (or writes the target in
    // place). Any error met while writing is reported here; on the renaming
    // path the target is then left untouched.
    FileStatus commit();

    const std::filesystem::path& tempPath() const { return temp_; }
    // The file that commit replaces: the target with its links followed.
    const std::filesystem::path& finalPath() const { return target_; }
    // True when the folder refused the temporary file and the target is
    // written in place.
    bool inPlace() const { return inPlace_; }

  private:
    void flushBuffer();
    void discard();
    FileStatus writeInPlace();
    FileStatus copyTempInPlace();

    std::FILE* file_ = nullptr;
    std::filesystem::path target_;
    std::filesystem::path temp_;
    std::string buffer_;
    int error_ = 0;
    bool inPlace_ = false;
    bool open_ = false;
};

}  // namespace kv
