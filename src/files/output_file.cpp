#include "files/output_file.h"

#include <cerrno>
#include <system_error>

#include <fcntl.h>
#include <unistd.h>

namespace kv {

namespace {
constexpr size_t kFlushAt = 1 << 20;
}

OutputFile::~OutputFile() { discard(); }

void OutputFile::discard() {
    if (file_) std::fclose(file_);
    file_ = nullptr;
    if (!temp_.empty()) {
        std::error_code ec;
        std::filesystem::remove(temp_, ec);
        temp_.clear();
    }
}

FileStatus OutputFile::open(const std::filesystem::path& target) {
    discard();
    error_ = 0;
    buffer_.clear();
    target_ = target;
    std::error_code ec;
    if (std::filesystem::is_directory(target, ec)) return FileStatus::ioError(EISDIR);
    // A name of our own beside the target, created exclusively so that two
    // writers never share one temporary file.
    const std::string base = target.filename().string() + ".tmp" + std::to_string(::getpid());
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::filesystem::path candidate = target.parent_path() / (base + "." + std::to_string(attempt));
        const int fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0) {
            if (errno == EEXIST) continue;
            return errno == ENOENT ? FileStatus::notFound() : FileStatus::ioError(errno);
        }
        file_ = ::fdopen(fd, "wb");
        if (!file_) {
            const int err = errno;
            ::close(fd);
            std::filesystem::remove(candidate, ec);
            return FileStatus::ioError(err);
        }
        temp_ = std::move(candidate);
        return {};
    }
    return FileStatus::ioError(EEXIST);
}

void OutputFile::flushBuffer() {
    if (!file_ || error_ != 0 || buffer_.empty()) {
        buffer_.clear();
        return;
    }
    if (std::fwrite(buffer_.data(), 1, buffer_.size(), file_) != buffer_.size()) {
        error_ = errno ? errno : EIO;
    }
    buffer_.clear();
}

void OutputFile::write(std::string_view bytes) {
    buffer_.append(bytes);
    if (buffer_.size() >= kFlushAt) flushBuffer();
}

void OutputFile::writeLine(std::string_view text) {
    buffer_.append(text);
    buffer_.append("\r\n");
    if (buffer_.size() >= kFlushAt) flushBuffer();
}

void OutputFile::writeInt32LE(int32_t v) {
    const auto u = static_cast<uint32_t>(v);
    const char b[4] = {static_cast<char>(u & 0xFF), static_cast<char>((u >> 8) & 0xFF),
                       static_cast<char>((u >> 16) & 0xFF), static_cast<char>((u >> 24) & 0xFF)};
    buffer_.append(b, 4);
    if (buffer_.size() >= kFlushAt) flushBuffer();
}

FileStatus OutputFile::commit() {
    if (!file_) return FileStatus::ioError(error_ ? error_ : EBADF);
    flushBuffer();
    if (error_ == 0 && std::fflush(file_) != 0) error_ = errno ? errno : EIO;
    if (error_ == 0 && ::fsync(::fileno(file_)) != 0) error_ = errno ? errno : EIO;
    const int closed = std::fclose(file_);
    file_ = nullptr;
    if (error_ == 0 && closed != 0) error_ = errno ? errno : EIO;
    if (error_ != 0) {
        const int err = error_;
        discard();
        return FileStatus::ioError(err);
    }
    std::error_code ec;
    std::filesystem::rename(temp_, target_, ec);
    if (ec) {
        discard();
        return FileStatus::ioError(ec.value());
    }
    temp_.clear();
    return {};
}

}  // namespace kv
