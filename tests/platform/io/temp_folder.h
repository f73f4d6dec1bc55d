#pragma once
// Scratch folders and small file helpers for the file tests.

#include <sys/types.h>

#include <string>
#include <string_view>
#include <vector>

namespace lk63::platform::iotest {

// A fresh folder under $TMPDIR (or /tmp), removed with all it holds.
class TTempFolder {
public:
    TTempFolder();
    ~TTempFolder();
    TTempFolder(const TTempFolder&) = delete;
    TTempFolder& operator=(const TTempFolder&) = delete;

    [[nodiscard]] const std::string& Path() const { return path_; }
    [[nodiscard]] std::string operator/(std::string_view name) const { return path_ + "/" + std::string(name); }
    // Names of the entries, sorted: what a writer left behind.
    [[nodiscard]] std::vector<std::string> Names() const { return NamesIn(path_); }

    static std::vector<std::string> NamesIn(const std::string& folder);

private:
    std::string path_;
};

// A tmpfs mounted over a folder for as long as the object lives. Mounting needs
// privileges a container may not grant: check Mounted() and Error().
class TScopedTmpfs {
public:
    TScopedTmpfs(std::string folder, bool readOnly, std::string_view options);
    ~TScopedTmpfs();
    TScopedTmpfs(const TScopedTmpfs&) = delete;
    TScopedTmpfs& operator=(const TScopedTmpfs&) = delete;

    [[nodiscard]] bool Mounted() const { return mounted_; }
    // Makes a mounted file system read-only, keeping what it holds.
    [[nodiscard]] bool RemountReadOnly();
    [[nodiscard]] const std::string& Error() const { return error_; }

private:
    std::string folder_;
    bool mounted_ = false;
    std::string error_;
};

std::string ReadFile(const std::string& path);
void WriteFile(const std::string& path, std::string_view bytes, mode_t mode = 0644);
// Permission bits of the file itself (links not followed).
mode_t ModeOf(const std::string& path);
// The current umask, set back at once.
mode_t CurrentUmask();

}  // namespace lk63::platform::iotest
