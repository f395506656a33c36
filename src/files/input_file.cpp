#include "files/input_file.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <system_error>

namespace kv {

namespace {
constexpr size_t kBufferSize = 1 << 16;
}

InputFile::~InputFile() { close(); }

void InputFile::close() {
    if (file_) std::fclose(file_);
    file_ = nullptr;
}

FileStatus InputFile::open(const std::filesystem::path& path) {
    close();
    memory_ = false;
    data_ = nullptr;
    len_ = pos_ = 0;
    bufferStart_ = 0;
    lines_ = 0;
    unterminated_ = false;
    status_ = {};
    std::error_code ec;
    const bool exists = std::filesystem::exists(path, ec);
    if (!ec && !exists) return FileStatus::notFound();
    if (!ec && std::filesystem::is_directory(path, ec)) return FileStatus::ioError(EISDIR);
    errno = 0;
    file_ = std::fopen(path.c_str(), "rb");
    if (!file_) {
        const int err = errno;
        if (err == ENOENT) return FileStatus::notFound();
        return FileStatus::ioError(err ? err : EIO);
    }
    const auto sz = std::filesystem::file_size(path, ec);
    size_ = ec ? 0 : static_cast<uint64_t>(sz);
    storage_.resize(kBufferSize);
    return {};
}

void InputFile::openMemory(std::string_view bytes) {
    close();
    memory_ = true;
    data_ = bytes.data();
    len_ = bytes.size();
    pos_ = 0;
    bufferStart_ = 0;
    size_ = bytes.size();
    lines_ = 0;
    unterminated_ = false;
    status_ = {};
}

bool InputFile::fill() {
    if (pos_ < len_) return true;
    if (memory_ || !file_ || !status_.ok()) return false;
    bufferStart_ += len_;
    pos_ = 0;
    len_ = std::fread(storage_.data(), 1, storage_.size(), file_);
    data_ = storage_.data();
    if (len_ == 0 && std::ferror(file_)) {
        status_ = FileStatus::ioError(errno ? errno : EIO);
    }
    return len_ > 0;
}

bool InputFile::readLine(std::string& line) {
    line.clear();
    unterminated_ = false;
    if (!fill()) return false;
    ++lines_;
    for (;;) {
        const char* start = data_ + pos_;
        const size_t avail = len_ - pos_;
        // One scan for either line end: two memchr calls would each run to
        // the end of the buffer when a file uses only the other one, which
        // makes reading an LF file quadratic.
        const char* const stop = start + avail;
        const char* end = std::find_if(start, stop, [](char c) { return c == '\r' || c == '\n'; });
        if (end == stop) {
            line.append(start, avail);
            pos_ = len_;
            if (!fill()) {
                // The last line, without a line end.
                unterminated_ = true;
                return status_.ok();
            }
            continue;
        }
        line.append(start, end);
        const char terminator = *end;
        pos_ = static_cast<size_t>(end - data_) + 1;
        if (terminator == '\r' && fill() && data_[pos_] == '\n') ++pos_;
        return true;
    }
}

size_t InputFile::read(void* dest, size_t n) {
    auto* out = static_cast<char*>(dest);
    size_t done = 0;
    while (done < n && fill()) {
        const size_t take = std::min(n - done, len_ - pos_);
        std::memcpy(out + done, data_ + pos_, take);
        pos_ += take;
        done += take;
    }
    return done;
}

bool InputFile::seek(uint64_t offset) {
    if (memory_) {
        if (offset > size_) return false;
        pos_ = static_cast<size_t>(offset);
    } else if (!file_) {
        return false;
    } else if (offset >= bufferStart_ && offset <= bufferStart_ + len_) {
        pos_ = static_cast<size_t>(offset - bufferStart_);
    } else {
        if (std::fseek(file_, static_cast<long>(offset), SEEK_SET) != 0) {
            status_ = FileStatus::ioError(errno ? errno : EIO);
            return false;
        }
        bufferStart_ = offset;
        len_ = pos_ = 0;
    }
    if (offset == 0) lines_ = 0;  // a second pass counts its lines afresh
    return true;
}

}  // namespace kv
