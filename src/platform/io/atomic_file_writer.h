#pragma once
// Writing a file so that a failure never leaves a partial or damaged one. The
// bytes go to a temporary file in the target's folder and replace the target
// only on Commit, after they reached the disk; an abort (or destruction without
// Commit) removes the temporary file and leaves an existing target untouched.
//
// The new file gets the permissions a plain create would give (0666 & ~umask),
// or those of the regular file it replaces. A symbolic link is followed and its
// target replaced. A target that exists and is not a regular file (a device, a
// pipe) is written directly and never renamed over: as root, a rename would
// replace the device node itself.

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
    // Aborts, remembers the error for later calls and throws it.
    [[noreturn]] void Fail(std::string_view action, int code);
    void CheckWritable() const;

    std::string targetPath_;
    std::string resolvedPath_;
    std::string temporaryPath_;
    int fd_ = -1;
    std::uint64_t position_ = 0;
    std::optional<TFileError> failure_;
};

}  // namespace lk63::platform
