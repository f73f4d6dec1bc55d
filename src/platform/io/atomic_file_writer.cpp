#include "platform/io/atomic_file_writer.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <climits>
#include <random>
#include <stdexcept>
#include <utility>

namespace lk63::platform {
namespace {

constexpr std::string_view kCannotCreate = "Cannot create file";
constexpr std::string_view kCannotWrite = "Cannot write file";
constexpr int kMaxLinks = 40;  // as the kernel allows when it follows links itself
constexpr std::size_t kMaxChunk = std::size_t{1} << 30;

std::string DirectoryOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

std::string InDirectory(const std::string& directory, std::string_view name) {
    std::string path = directory;
    if (path.back() != '/') path += '/';
    path += name;
    return path;
}

struct TResolved {
    std::string Path;
    std::optional<struct stat> Status;  // nothing when no file is there yet
};

// Follows symbolic links by hand, because a dangling link names the file to
// create and realpath() gives up on it.
TResolved ResolveLinks(const std::string& target) {
    std::string path = target;
    for (int hops = 0;; ++hops) {
        // "name/" can only mean a folder, and a folder is never the file we write.
        if (path.back() == '/') throw TFileError(kCannotCreate, target, EISDIR);
        struct stat status {};
        if (::lstat(path.c_str(), &status) != 0) {
            if (errno == ENOENT) return {path, std::nullopt};
            throw TFileError(kCannotCreate, target, errno);
        }
        if (!S_ISLNK(status.st_mode)) return {path, status};
        if (hops == kMaxLinks) throw TFileError(kCannotCreate, target, ELOOP);

        std::array<char, PATH_MAX> buffer{};
        const ssize_t length = ::readlink(path.c_str(), buffer.data(), buffer.size());
        if (length < 0) throw TFileError(kCannotCreate, target, errno);
        if (static_cast<std::size_t>(length) == buffer.size()) throw TFileError(kCannotCreate, target, ENAMETOOLONG);
        std::string link(buffer.data(), static_cast<std::size_t>(length));
        if (link.empty()) throw TFileError(kCannotCreate, target, ENOENT);
        path = link.front() == '/' ? link : InDirectory(DirectoryOf(path), link);
    }
}

std::string RandomSuffix() {
    static constexpr char kHex[] = "0123456789abcdef";
    std::random_device device;
    std::uint64_t bits = (std::uint64_t{device()} << 32) ^ device();
    std::string text;
    for (int i = 0; i < 16; ++i, bits >>= 4) text += kHex[bits & 0x0F];
    return text;
}

void CloseQuietly(int fd) noexcept {
    if (fd >= 0) ::close(fd);
}

// Makes the rename itself durable. The new file is in place already, so a
// folder that cannot be synced (some file systems refuse) is no failure.
void SyncDirectory(const std::string& directory) noexcept {
    const int fd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

TAtomicFileWriter::TAtomicFileWriter(std::string targetPath) : targetPath_(std::move(targetPath)) {
    if (targetPath_.empty()) throw TFileError(kCannotCreate, targetPath_, ENOENT);
    TResolved resolved = ResolveLinks(targetPath_);
    resolvedPath_ = std::move(resolved.Path);

    if (resolved.Status && S_ISDIR(resolved.Status->st_mode)) throw TFileError(kCannotCreate, targetPath_, EISDIR);

    if (resolved.Status && !S_ISREG(resolved.Status->st_mode)) {
        // A pipe without a reader would block the open for ever; O_NONBLOCK turns
        // that into ENXIO, and is cleared again for the writes.
        fd_ = ::open(resolvedPath_.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC | O_NONBLOCK);
        if (fd_ < 0) throw TFileError(kCannotCreate, targetPath_, errno);
        const int flags = ::fcntl(fd_, F_GETFL);
        if (flags < 0 || ::fcntl(fd_, F_SETFL, flags & ~O_NONBLOCK) < 0) {
            const int code = errno;
            CloseQuietly(std::exchange(fd_, -1));
            throw TFileError(kCannotCreate, targetPath_, code);
        }
        return;
    }

    if (resolved.Status) {
        // A plain create would refuse a file the caller may not write; the
        // rename must not get round that.
        if (::faccessat(AT_FDCWD, resolvedPath_.c_str(), W_OK, AT_EACCESS) != 0) {
            throw TFileError(kCannotCreate, targetPath_, errno);
        }
    }

    const std::string directory = DirectoryOf(resolvedPath_);
    for (int attempt = 0; fd_ < 0; ++attempt) {
        temporaryPath_ = InDirectory(directory, ".lk63-" + RandomSuffix() + ".tmp");
        // 0666: the umask applies as for any new file.
        fd_ = ::open(temporaryPath_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd_ < 0 && (errno != EEXIST || attempt == 100)) {
            const int code = errno;
            temporaryPath_.clear();
            throw TFileError(kCannotCreate, targetPath_, code);
        }
    }

    if (resolved.Status) {
        const struct stat& old = *resolved.Status;
        // Keep the owner where we may (root may; others only keep their own).
        // The mode comes after the owner, which would clear set-id bits.
        [[maybe_unused]] const int owned = ::fchown(fd_, old.st_uid, old.st_gid);
        const mode_t wanted = old.st_mode & 07777;
        if (::fchmod(fd_, wanted) != 0) {
            // Only acceptable if the new file is not more open than the old one.
            const int code = errno;
            struct stat now {};
            if (::fstat(fd_, &now) != 0 || (now.st_mode & 07777 & ~wanted) != 0) {
                Abort();
                throw TFileError(kCannotCreate, targetPath_, code);
            }
        }
    }
}

TAtomicFileWriter::TAtomicFileWriter(TAtomicFileWriter&& other) noexcept
    : targetPath_(std::move(other.targetPath_)),
      resolvedPath_(std::move(other.resolvedPath_)),
      temporaryPath_(std::exchange(other.temporaryPath_, {})),
      fd_(std::exchange(other.fd_, -1)),
      position_(other.position_),
      failure_(std::exchange(other.failure_, std::nullopt)) {}

TAtomicFileWriter& TAtomicFileWriter::operator=(TAtomicFileWriter&& other) noexcept {
    if (this != &other) {
        Abort();
        targetPath_ = std::move(other.targetPath_);
        resolvedPath_ = std::move(other.resolvedPath_);
        temporaryPath_ = std::exchange(other.temporaryPath_, {});
        fd_ = std::exchange(other.fd_, -1);
        position_ = other.position_;
        failure_ = std::exchange(other.failure_, std::nullopt);
    }
    return *this;
}

TAtomicFileWriter::~TAtomicFileWriter() { Abort(); }

void TAtomicFileWriter::Write(std::string_view bytes) {
    CheckWritable();
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd_, bytes.data(), std::min(bytes.size(), kMaxChunk));
        if (written < 0) {
            if (errno == EINTR) continue;
            Fail(kCannotWrite, errno);
        }
        // Nothing written and no reason given: retrying could loop for ever.
        if (written == 0) Fail(kCannotWrite, EIO);
        bytes.remove_prefix(static_cast<std::size_t>(written));
        position_ += static_cast<std::uint64_t>(written);
    }
}

void TAtomicFileWriter::Commit() {
    CheckWritable();
    if (temporaryPath_.empty()) {
        // Devices and pipes: syncing means nothing to most of them.
        if (::fsync(fd_) != 0 && errno != EINVAL && errno != EROFS && errno != EOPNOTSUPP) Fail(kCannotWrite, errno);
        // close() reports write-back failures of some devices and file systems.
        if (::close(std::exchange(fd_, -1)) != 0 && errno != EINTR) Fail(kCannotWrite, errno);
        return;
    }
    if (::fsync(fd_) != 0) Fail(kCannotWrite, errno);
    if (::close(std::exchange(fd_, -1)) != 0 && errno != EINTR) Fail(kCannotWrite, errno);
    if (::rename(temporaryPath_.c_str(), resolvedPath_.c_str()) != 0) Fail(kCannotCreate, errno);
    temporaryPath_.clear();
    SyncDirectory(DirectoryOf(resolvedPath_));
}

void TAtomicFileWriter::Abort() noexcept {
    CloseQuietly(std::exchange(fd_, -1));
    if (!temporaryPath_.empty()) {
        ::unlink(temporaryPath_.c_str());
        temporaryPath_.clear();
    }
}

void TAtomicFileWriter::Fail(std::string_view action, int code) {
    Abort();
    failure_.emplace(action, targetPath_, code);
    throw *failure_;
}

void TAtomicFileWriter::CheckWritable() const {
    if (failure_) throw *failure_;
    if (fd_ < 0) throw std::logic_error("TAtomicFileWriter: \"" + targetPath_ + "\" was already committed or aborted");
}

}  // namespace lk63::platform
