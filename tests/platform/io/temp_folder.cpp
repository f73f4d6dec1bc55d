#include "platform/io/temp_folder.h"

#include <fcntl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace lk63::platform::iotest {

TTempFolder::TTempFolder() {
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base && *base ? base : "/tmp") + "/lk63-io-XXXXXX";
    if (!::mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp: " + std::string(std::strerror(errno)));
    path_ = pattern;
}

TTempFolder::~TTempFolder() {
    std::error_code ignored;
    // A test may have left a folder read-only.
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(path_, ignored);
}

std::vector<std::string> TTempFolder::NamesIn(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

TScopedTmpfs::TScopedTmpfs(std::string folder, bool readOnly, std::string_view options) : folder_(std::move(folder)) {
    const std::string data(options);
    if (::mount("tmpfs", folder_.c_str(), "tmpfs", readOnly ? MS_RDONLY : 0, data.c_str()) == 0) {
        mounted_ = true;
    } else {
        error_ = std::strerror(errno);
    }
}

bool TScopedTmpfs::RemountReadOnly() {
    if (mounted_ && ::mount("tmpfs", folder_.c_str(), "tmpfs", MS_REMOUNT | MS_RDONLY, nullptr) == 0) return true;
    error_ = std::strerror(errno);
    return false;
}

TScopedTmpfs::~TScopedTmpfs() {
    if (mounted_ && ::umount(folder_.c_str()) != 0) ::umount2(folder_.c_str(), MNT_DETACH);
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteFile(const std::string& path, std::string_view bytes, mode_t mode) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, mode);
    if (fd < 0) throw std::runtime_error("cannot create " + path + ": " + std::strerror(errno));
    const bool whole = ::write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
    ::close(fd);
    if (!whole) throw std::runtime_error("cannot write " + path);
    // The umask must not decide the mode a test asked for.
    if (::chmod(path.c_str(), mode) != 0) throw std::runtime_error("cannot chmod " + path);
}

mode_t ModeOf(const std::string& path) {
    struct stat status {};
    if (::lstat(path.c_str(), &status) != 0) throw std::runtime_error("cannot stat " + path);
    return status.st_mode & 07777;
}

mode_t CurrentUmask() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

}  // namespace lk63::platform::iotest
