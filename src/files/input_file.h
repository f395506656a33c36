#pragma once
// Buffered reading of a file (or of bytes in memory, for tests and fuzzing)
// as text lines that end with CR LF, LF or CR, and as raw bytes.

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "files/file_status.h"

namespace kv {

class InputFile {
  public:
    InputFile() = default;
    ~InputFile();
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    // "File not found" when it does not exist, "I/O error %d" otherwise.
    FileStatus open(const std::filesystem::path& path);
    // Reads from memory that must outlive this object.
    void openMemory(std::string_view bytes);

    // Next line without its line end; false at the end of the data or on a
    // read error (see status()).
    bool readLine(std::string& line);
    // Lines returned by readLine so far.
    uint64_t lineNumber() const { return lines_; }
    // The last line readLine returned ran to the end of the data without a
    // line end. Every writer of the program ends its last line, so for its
    // files this means the file was cut off inside that line.
    bool lineUnterminated() const { return unterminated_; }
    // Up to n raw bytes; fewer only at the end or on a read error.
    size_t read(void* dest, size_t n);
    // Back to the start also starts lineNumber() again.
    bool seek(uint64_t offset);

    uint64_t position() const { return bufferStart_ + pos_; }
    uint64_t size() const { return size_; }
    uint64_t remaining() const { return size_ > position() ? size_ - position() : 0; }
    // Set when the system reported a read error.
    const FileStatus& status() const { return status_; }

  private:
    bool fill();  // false when no more bytes
    void close();

    std::FILE* file_ = nullptr;
    std::vector<char> storage_;
    const char* data_ = nullptr;  // the current buffer
    size_t len_ = 0;              // bytes in the buffer
    size_t pos_ = 0;              // read position in the buffer
    uint64_t bufferStart_ = 0;    // file offset of data_[0]
    uint64_t size_ = 0;
    bool memory_ = false;
    uint64_t lines_ = 0;
    bool unterminated_ = false;
    FileStatus status_;
};

}  // namespace kv
