#pragma once
// Writing a file so that a failure never leaves a partial or damaged one. The
// bytes go to a temporary file in the target's folder and replace the target
// only on Commit, after they reached the disk; an abort (or destruction without
// Commit) removes the temporary file and leaves an existing target untouched.
//
// The new file gets the permissions a plain create would give (0666 & ~umask),
// or those of the regular file it replaces, and its owner where the caller may
// keep it; a caller who may not keep the owner keeps the group where allowed.
// A symbolic link is followed and its target replaced. A hard-linked target is
// replaced too: its other names keep the old content, the price of never
// leaving a half-written file.
//
// Some targets are written directly as a stream, never replaced:
// - a target that exists and is not a regular file (a device, a pipe, a
//   terminal): as root, a rename would replace the device node itself;
// - a name of one of this process's open descriptors (/dev/stdout, /dev/fd/N,
//   /proc/self/fd/N): the bytes go through that very descriptor, at its
//   position (appending where the shell opened it with >>), so that what the
//   shell wrote before and after stays where it was.
// A stream cannot be taken back: a failure while writing leaves what was
// written so far.
//
// While a temporary file exists it is known to RemoveTemporaryFilesOnSignals.

#include <sys/stat.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/io/file_error.h"

namespace lk63::platform {

class TAtomicFileWriter {
public:
    // Follows links, checks the target and opens the file to write. Throws
    // TFileError: a folder, a missing or read-only folder, a name too long, a
    // target the caller may not write.
    explicit TAtomicFileWriter(std::string targetPath);
    // Writes to an open descriptor as a stream (through a duplicate; the
    // descriptor itself stays open). `name` names it in messages ("standard
    // output"). Throws TFileError when it is not open for writing.
    TAtomicFileWriter(int descriptor, std::string name);
    TAtomicFileWriter(TAtomicFileWriter&& other) noexcept;
    TAtomicFileWriter& operator=(TAtomicFileWriter&& other) noexcept;
    TAtomicFileWriter(const TAtomicFileWriter&) = delete;
    TAtomicFileWriter& operator=(const TAtomicFileWriter&) = delete;
    ~TAtomicFileWriter();

    // Writes all of `bytes` or throws TFileError; a short write is retried for
    // the rest and never taken as success. A failure aborts the writer, and every
    // later Write or Commit throws the same error again.
    void Write(std::string_view bytes);

    // Bytes written so far.
    [[nodiscard]] std::uint64_t Position() const { return position_; }

    // Flushes to the disk and puts the file in place of the target. Throws
    // TFileError (the target is then untouched and nothing is left behind), or
    // std::logic_error once the writer was committed or aborted.
    void Commit();

    // Drops what was written; an existing target stays as it was.
    void Abort() noexcept;

    // The path as given, and the file that is written (links followed).
    [[nodiscard]] const std::string& TargetPath() const { return targetPath_; }
    [[nodiscard]] const std::string& ResolvedPath() const { return resolvedPath_; }

    // The temporary file while one is open; empty when writing directly.
    [[nodiscard]] const std::string& TemporaryPath() const { return temporaryPath_; }

private:
    void OpenStream(int descriptor, TFileAction failure);
    void CreateTemporaryFile(const std::string& directory);
    void KeepOwnerAndMode(const struct stat& old);
    void DropTemporaryFile() noexcept;
    // Aborts, remembers the error for later calls and throws it.
    [[noreturn]] void Fail(TFileAction action, int code);
    void CheckWritable() const;

    std::string targetPath_;
    std::string resolvedPath_;
    std::string temporaryPath_;
    int fd_ = -1;
    int signalSlot_ = -1;  // where RemoveTemporaryFilesOnSignals knows the temporary file
    std::uint64_t position_ = 0;
    std::optional<TFileError> failure_;
};

}  // namespace lk63::platform
