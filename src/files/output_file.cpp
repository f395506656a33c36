#include "files/output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

namespace kv {

namespace {

constexpr size_t kFlushAt = 1 << 20;

// The folder will not take a new file (or a rename into it), yet the target
// may still be writable.
bool refusedByFolder(int err) { return err == EACCES || err == EPERM; }

// The file a chain of symbolic links ends at; the path itself when it is no
// link. A link to a file that does not exist yet leads to that file's name.
std::filesystem::path followLinks(const std::filesystem::path& path) {
    std::filesystem::path p = path;
    for (int hops = 0; hops < 40; ++hops) {
        std::error_code ec;
        if (!std::filesystem::is_symlink(p, ec) || ec) return p;
        const std::filesystem::path next = std::filesystem::read_symlink(p, ec);
        if (ec) return p;
        p = next.is_absolute() ? next : p.parent_path() / next;
    }
    return p;
}

int writeAll(int fd, const char* data, size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR) continue;
            return errno ? errno : EIO;
        }
        data += n;
        size -= static_cast<size_t>(n);
    }
    return 0;
}

}  // namespace

OutputFile::~OutputFile() { discard(); }

void OutputFile::discard() {
    if (file_) std::fclose(file_);
    file_ = nullptr;
    if (!temp_.empty()) {
        std::error_code ec;
        std::filesystem::remove(temp_, ec);
        temp_.clear();
    }
    open_ = false;
}

FileStatus OutputFile::open(const std::filesystem::path& target) {
    discard();
    error_ = 0;
    buffer_.clear();
    inPlace_ = false;
    struct stat what {};
    if (::stat(target.c_str(), &what) == 0 && !S_ISREG(what.st_mode) && !S_ISDIR(what.st_mode)) {
        // Opened by its own name: /dev/stdout leads to the process's own
        // descriptor, which no followed path can name.
        target_ = target;
        file_ = std::fopen(target.c_str(), "wb");
        if (!file_) return FileStatus::ioError(errno ? errno : EIO);
        open_ = true;
        return {};
    }
    target_ = followLinks(target);
    std::error_code ec;
    if (std::filesystem::is_directory(target_, ec)) return FileStatus::ioError(EISDIR);
    struct stat old {};
    const bool exists = ::stat(target_.c_str(), &old) == 0;
    // A name of our own beside the target, created exclusively so that two
    // writers never share one temporary file.
    const std::string base = target_.filename().string() + ".tmp" + std::to_string(::getpid());
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::filesystem::path candidate = target_.parent_path() / (base + "." + std::to_string(attempt));
        const int fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0) {
            if (errno == EEXIST) continue;
            const int err = errno;
            if (err == ENOENT) return FileStatus::notFound();
            if (exists && refusedByFolder(err) && ::access(target_.c_str(), W_OK) == 0) {
                // The content waits in memory and goes over the target at
                // commit, so that a reader of the same file (Add Game to
                // File) still sees the old content while it is written.
                inPlace_ = true;
                open_ = true;
                return {};
            }
            return FileStatus::ioError(err);
        }
        // The replacement keeps the permissions (and, where allowed, the
        // owner) of the file it replaces.
        if (exists) {
            // The owner first: changing it clears the set-id bits of the mode.
            (void)::fchown(fd, old.st_uid, old.st_gid);
            (void)::fchmod(fd, old.st_mode & 07777);
        }
        file_ = ::fdopen(fd, "wb");
        if (!file_) {
            const int err = errno;
            ::close(fd);
            std::filesystem::remove(candidate, ec);
            return FileStatus::ioError(err);
        }
        temp_ = std::move(candidate);
        open_ = true;
        return {};
    }
    return FileStatus::ioError(EEXIST);
}

void OutputFile::flushBuffer() {
    if (inPlace_) return;  // kept whole until commit
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

FileStatus OutputFile::writeInPlace() {
    const int fd = ::open(target_.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0) return FileStatus::ioError(errno ? errno : EIO);
    int err = writeAll(fd, buffer_.data(), buffer_.size());
    if (err == 0 && ::ftruncate(fd, static_cast<off_t>(buffer_.size())) != 0) err = errno ? errno : EIO;
    if (err == 0 && ::fsync(fd) != 0) err = errno ? errno : EIO;
    if (::close(fd) != 0 && err == 0) err = errno ? errno : EIO;
    buffer_.clear();
    return err == 0 ? FileStatus{} : FileStatus::ioError(err);
}

FileStatus OutputFile::copyTempInPlace() {
    // The complete content is in the temporary file: read it back and write
    // it over the target.
    std::FILE* in = std::fopen(temp_.c_str(), "rb");
    if (!in) return FileStatus::ioError(errno ? errno : EIO);
    buffer_.clear();
    char chunk[1 << 16];
    size_t n = 0;
    while ((n = std::fread(chunk, 1, sizeof chunk, in)) > 0) buffer_.append(chunk, n);
    const bool failed = std::ferror(in) != 0;
    std::fclose(in);
    if (failed) return FileStatus::ioError(EIO);
    return writeInPlace();
}

FileStatus OutputFile::commit() {
    if (!open_) return FileStatus::ioError(error_ ? error_ : EBADF);
    if (inPlace_) {
        open_ = false;
        return writeInPlace();
    }
    if (!file_) return FileStatus::ioError(error_ ? error_ : EBADF);
    flushBuffer();
    const bool direct = temp_.empty();  // no regular file: nothing to sync or rename
    if (error_ == 0 && std::fflush(file_) != 0) error_ = errno ? errno : EIO;
    if (error_ == 0 && !direct && ::fsync(::fileno(file_)) != 0) error_ = errno ? errno : EIO;
    const int closed = std::fclose(file_);
    file_ = nullptr;
    if (error_ == 0 && closed != 0) error_ = errno ? errno : EIO;
    if (error_ != 0) {
        const int err = error_;
        discard();
        return FileStatus::ioError(err);
    }
    if (direct) {
        open_ = false;
        return {};
    }
    std::error_code ec;
    std::filesystem::rename(temp_, target_, ec);
    if (ec && refusedByFolder(ec.value()) && ::access(target_.c_str(), W_OK) == 0) {
        // A folder may allow new files but not replacing this one (a sticky
        // folder, a file of another owner): overwrite it instead.
        const FileStatus st = copyTempInPlace();
        discard();
        return st;
    }
    if (ec) {
        discard();
        return FileStatus::ioError(ec.value());
    }
    temp_.clear();
    open_ = false;
    return {};
}

}  // namespace kv
