#include "platform/io/atomic_file_writer.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <climits>
#include <cstdlib>
#include <memory>
#include <random>
#include <stdexcept>
#include <utility>

#include "platform/io/temporary_files.h"

namespace lk63::platform {
namespace {

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

std::optional<int> DescriptorNumber(std::string_view name) {
    int number = -1;
    const char* last = name.data() + name.size();
    if (name.empty() || std::from_chars(name.data(), last, number).ptr != last || number < 0) return std::nullopt;
    return number;
}

// The descriptor of this process that `path` names: /dev/stdout, /dev/fd/N,
// /proc/self/fd/N and the like all sit in this process's fd folder once the
// folder's links are resolved. Their link text ("pipe:[1234]", or the path of
// a file the shell opened) is no path to follow.
std::optional<int> OwnDescriptorNamed(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return std::nullopt;
    const std::optional<int> number = DescriptorNumber(std::string_view(path).substr(slash + 1));
    if (!number) return std::nullopt;
    const std::unique_ptr<char, decltype(&std::free)> folder(
        ::realpath(path.substr(0, std::max<std::size_t>(slash, 1)).c_str(), nullptr), &std::free);
    if (!folder) return std::nullopt;
    const std::string pid = std::to_string(::getpid());
    const std::string tid = std::to_string(::gettid());
    const std::string real = folder.get();
    if (real == "/proc/" + pid + "/fd" || real == "/proc/" + pid + "/task/" + tid + "/fd") return number;
    return std::nullopt;
}

struct TResolved {
    std::string Path;
    std::optional<struct stat> Status;  // nothing when no file is there yet
    std::optional<int> Descriptor;      // a name of one of our descriptors
};

// Follows symbolic links by hand, because a dangling link names the file to
// create and realpath() gives up on it.
TResolved ResolveLinks(const std::string& target) {
    std::string path = target;
    for (int hops = 0;; ++hops) {
        // "name/" can only mean a folder, and a folder is never the file we write.
        if (path.back() == '/') throw TFileError(TFileAction::Create, target, EISDIR);
        // Before lstat: the name of a closed descriptor is no file to create.
        if (const std::optional<int> descriptor = OwnDescriptorNamed(path)) return {path, std::nullopt, descriptor};
        struct stat status {};
        if (::lstat(path.c_str(), &status) != 0) {
            if (errno == ENOENT) return {path, std::nullopt, std::nullopt};
            throw TFileError(TFileAction::Create, target, errno);
        }
        if (!S_ISLNK(status.st_mode)) return {path, status, std::nullopt};
        if (hops == kMaxLinks) throw TFileError(TFileAction::Create, target, ELOOP);

        std::array<char, PATH_MAX> buffer{};
        const ssize_t length = ::readlink(path.c_str(), buffer.data(), buffer.size());
        if (length < 0) throw TFileError(TFileAction::Create, target, errno);
        if (static_cast<std::size_t>(length) == buffer.size())
            throw TFileError(TFileAction::Create, target, ENAMETOOLONG);
        std::string link(buffer.data(), static_cast<std::size_t>(length));
        if (link.empty()) throw TFileError(TFileAction::Create, target, ENOENT);
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
    if (targetPath_.empty()) throw TFileError(TFileAction::Create, targetPath_, ENOENT);
    TResolved resolved = ResolveLinks(targetPath_);
    resolvedPath_ = std::move(resolved.Path);

    if (resolved.Descriptor) {
        OpenStream(*resolved.Descriptor, TFileAction::Create);
        return;
    }
    if (resolved.Status && S_ISDIR(resolved.Status->st_mode))
        throw TFileError(TFileAction::Create, targetPath_, EISDIR);

    if (resolved.Status && !S_ISREG(resolved.Status->st_mode)) {
        // A pipe without a reader would block the open for ever; O_NONBLOCK turns
        // that into ENXIO, and is cleared again for the writes.
        fd_ = ::open(resolvedPath_.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC | O_NONBLOCK);
        if (fd_ < 0) throw TFileError(TFileAction::Create, targetPath_, errno);
        const int flags = ::fcntl(fd_, F_GETFL);
        if (flags < 0 || ::fcntl(fd_, F_SETFL, flags & ~O_NONBLOCK) < 0) {
            const int code = errno;
            CloseQuietly(std::exchange(fd_, -1));
            throw TFileError(TFileAction::Create, targetPath_, code);
        }
        return;
    }

    if (resolved.Status) {
        // A plain create would refuse a file the caller may not write; the
        // rename must not get round that.
        if (::faccessat(AT_FDCWD, resolvedPath_.c_str(), W_OK, AT_EACCESS) != 0) {
            throw TFileError(TFileAction::Create, targetPath_, errno);
        }
    }
    CreateTemporaryFile(DirectoryOf(resolvedPath_));
    if (resolved.Status) KeepOwnerAndMode(*resolved.Status);
}

TAtomicFileWriter::TAtomicFileWriter(int descriptor, std::string name)
    : targetPath_(std::move(name)), resolvedPath_(targetPath_) {
    OpenStream(descriptor, TFileAction::Write);
}

void TAtomicFileWriter::OpenStream(int descriptor, TFileAction failure) {
    // A duplicate shares the position and the append mode of the original.
    fd_ = ::fcntl(descriptor, F_DUPFD_CLOEXEC, 0);
    if (fd_ < 0) throw TFileError(failure, targetPath_, errno);
    struct stat status {};
    const int flags = ::fcntl(fd_, F_GETFL);
    int code = 0;
    if (flags < 0 || ::fstat(fd_, &status) != 0) {
        code = errno;
    } else if ((flags & O_ACCMODE) == O_RDONLY) {
        code = EBADF;  // open for reading only, as a shell's < gives it
    } else if (S_ISDIR(status.st_mode)) {
        code = EISDIR;
    }
    if (code != 0) {
        CloseQuietly(std::exchange(fd_, -1));
        throw TFileError(failure, targetPath_, code);
    }
}

void TAtomicFileWriter::CreateTemporaryFile(const std::string& directory) {
    for (int attempt = 0; fd_ < 0; ++attempt) {
        const std::string candidate = InDirectory(directory, ".lk63-" + RandomSuffix() + ".tmp");
        const TSignalDeferral deferral;
        // 0666: the umask applies as for any new file.
        fd_ = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd_ >= 0) {
            temporaryPath_ = candidate;
            signalSlot_ = RememberTemporaryFile(temporaryPath_);
        } else if (errno != EEXIST || attempt == 100) {
            throw TFileError(TFileAction::Create, targetPath_, errno);
        }
    }
}

void TAtomicFileWriter::KeepOwnerAndMode(const struct stat& old) {
    // Keep the owner where we may (root may; others only keep their own).
    // Who may not keep the owner keeps the group when a member of it. The
    // mode comes after the owner, which would clear set-id bits.
    if (::fchown(fd_, old.st_uid, old.st_gid) != 0) {
        [[maybe_unused]] const int groupOnly = ::fchown(fd_, static_cast<uid_t>(-1), old.st_gid);
    }
    const mode_t wanted = old.st_mode & 07777;
    if (::fchmod(fd_, wanted) != 0) {
        // Only acceptable if the new file is not more open than the old one.
        const int code = errno;
        struct stat now {};
        if (::fstat(fd_, &now) != 0 || (now.st_mode & 07777 & ~wanted) != 0) {
            Abort();
            throw TFileError(TFileAction::Create, targetPath_, code);
        }
    }
}

TAtomicFileWriter::TAtomicFileWriter(TAtomicFileWriter&& other) noexcept
    : targetPath_(std::move(other.targetPath_)),
      resolvedPath_(std::move(other.resolvedPath_)),
      temporaryPath_(std::exchange(other.temporaryPath_, {})),
      fd_(std::exchange(other.fd_, -1)),
      signalSlot_(std::exchange(other.signalSlot_, -1)),
      position_(other.position_),
      failure_(std::exchange(other.failure_, std::nullopt)) {}

TAtomicFileWriter& TAtomicFileWriter::operator=(TAtomicFileWriter&& other) noexcept {
    if (this != &other) {
        Abort();
        targetPath_ = std::move(other.targetPath_);
        resolvedPath_ = std::move(other.resolvedPath_);
        temporaryPath_ = std::exchange(other.temporaryPath_, {});
        fd_ = std::exchange(other.fd_, -1);
        signalSlot_ = std::exchange(other.signalSlot_, -1);
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
            Fail(TFileAction::Write, errno);
        }
        // Nothing written and no reason given: retrying could loop for ever.
        if (written == 0) Fail(TFileAction::Write, EIO);
        bytes.remove_prefix(static_cast<std::size_t>(written));
        position_ += static_cast<std::uint64_t>(written);
    }
}

void TAtomicFileWriter::Commit() {
    CheckWritable();
    if (temporaryPath_.empty()) {
        // Devices and pipes: syncing means nothing to most of them.
        if (::fsync(fd_) != 0 && errno != EINVAL && errno != EROFS && errno != EOPNOTSUPP)
            Fail(TFileAction::Write, errno);
        // close() reports write-back failures of some devices and file systems.
        if (::close(std::exchange(fd_, -1)) != 0 && errno != EINTR) Fail(TFileAction::Write, errno);
        return;
    }
    if (::fsync(fd_) != 0) Fail(TFileAction::Write, errno);
    if (::close(std::exchange(fd_, -1)) != 0 && errno != EINTR) Fail(TFileAction::Write, errno);
    {
        const TSignalDeferral deferral;
        if (::rename(temporaryPath_.c_str(), resolvedPath_.c_str()) != 0) Fail(TFileAction::Create, errno);
        ForgetTemporaryFile(std::exchange(signalSlot_, -1));
        temporaryPath_.clear();
    }
    SyncDirectory(DirectoryOf(resolvedPath_));
}

void TAtomicFileWriter::Abort() noexcept {
    CloseQuietly(std::exchange(fd_, -1));
    DropTemporaryFile();
}

void TAtomicFileWriter::DropTemporaryFile() noexcept {
    if (temporaryPath_.empty()) return;
    const TSignalDeferral deferral;
    ::unlink(temporaryPath_.c_str());
    ForgetTemporaryFile(std::exchange(signalSlot_, -1));
    temporaryPath_.clear();
}

void TAtomicFileWriter::Fail(TFileAction action, int code) {
    Abort();
    failure_.emplace(action, targetPath_, code);
    throw *failure_;
}

void TAtomicFileWriter::CheckWritable() const {
    if (failure_) throw *failure_;
    if (fd_ < 0) throw std::logic_error("TAtomicFileWriter: \"" + targetPath_ + "\" was already committed or aborted");
}

}  // namespace lk63::platform
