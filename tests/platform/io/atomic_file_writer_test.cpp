#include "platform/io/atomic_file_writer.h"

#include <fcntl.h>
#include <grp.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <array>
#include <cerrno>
#include <clocale>
#include <csignal>
#include <cstring>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/io/temp_folder.h"
#include "platform/io/temporary_files.h"

namespace lk63::platform {
namespace {

using iotest::ModeOf;
using iotest::ReadFile;
using iotest::TScopedTmpfs;
using iotest::TTempFolder;
using iotest::WriteFile;
using TNames = std::vector<std::string>;

constexpr uid_t kOrdinaryUser = 65534;

bool Exists(const std::string& path) {
    struct stat status {};
    return ::lstat(path.c_str(), &status) == 0;
}

struct stat StatusOf(const std::string& path) {
    struct stat status {};
    if (::lstat(path.c_str(), &status) != 0) throw std::runtime_error("cannot stat " + path);
    return status;
}

std::string DirectoryOf(const std::string& path) { return path.substr(0, path.find_last_of('/')); }

// Sets the umask for one test and puts the old one back.
class TUmask {
public:
    explicit TUmask(mode_t mask) : old_(::umask(mask)) {}
    ~TUmask() { ::umask(old_); }

private:
    mode_t old_;
};

// The error a writer throws, with what the message must carry.
void ExpectFileError(const std::function<void()>& action, const std::string& path, int code) {
    try {
        action();
        ADD_FAILURE() << "no error for \"" << path << "\"";
    } catch (const TFileError& error) {
        const std::string message = error.what();
        EXPECT_EQ(error.Code(), code) << message;
        EXPECT_EQ(error.Path(), path);
        EXPECT_NE(message.find(ErrnoText(code)), std::string::npos) << message;
        EXPECT_EQ(message.find('\n'), std::string::npos) << message;
    }
}

// Root ignores permission bits, so permission cases run in a child process as
// an ordinary user, a member of `groups`. `body` returns what went wrong, or nothing.
::testing::AssertionResult RunAsOrdinaryUser(const std::function<std::string()>& body,
                                             const std::vector<gid_t>& groups = {}) {
    std::array<int, 2> channel{};
    if (::pipe(channel.data()) != 0) return ::testing::AssertionFailure() << "pipe: " << std::strerror(errno);
    const pid_t child = ::fork();
    if (child < 0) return ::testing::AssertionFailure() << "fork: " << std::strerror(errno);
    if (child == 0) {
        ::close(channel[0]);
        std::string failure;
        if (::geteuid() == 0 &&
            (::setgroups(groups.size(), groups.data()) != 0 || ::setgid(kOrdinaryUser) != 0 ||
             ::setuid(kOrdinaryUser) != 0)) {
            failure = std::string("cannot drop root: ") + std::strerror(errno);
        } else {
            try {
                failure = body();
            } catch (const std::exception& error) {
                failure = std::string("unexpected exception: ") + error.what();
            }
        }
        [[maybe_unused]] const ssize_t sent = ::write(channel[1], failure.data(), failure.size());
        ::_exit(failure.empty() ? 0 : 1);
    }
    ::close(channel[1]);
    std::string failure;
    std::array<char, 512> buffer{};
    for (ssize_t n; (n = ::read(channel[0], buffer.data(), buffer.size())) > 0;) failure.append(buffer.data(), n);
    ::close(channel[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (WIFEXITED(status) && WEXITSTATUS(status) == 0) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << (failure.empty() ? "child failed" : failure);
}

// Hands a path to the user the permission cases run as (when we are root).
void GiveToOrdinaryUser(const std::string& path) {
    if (::geteuid() == 0 && ::lchown(path.c_str(), kOrdinaryUser, kOrdinaryUser) != 0) {
        throw std::runtime_error("cannot chown " + path);
    }
}

class AtomicFileWriterTest : public ::testing::Test {
protected:
    TTempFolder folder_;
};

TEST_F(AtomicFileWriterTest, NewFileAppearsOnlyOnCommit) {
    const std::string target = folder_ / "out.pdf";
    TAtomicFileWriter writer(target);
    writer.Write("%PDF-1.5\r\n");
    writer.Write("");
    writer.Write(std::string("bin\0ary", 7));
    EXPECT_EQ(writer.Position(), 17u);
    EXPECT_FALSE(Exists(target));
    // The bytes wait beside the target, so the rename stays on one file system.
    EXPECT_EQ(DirectoryOf(writer.TemporaryPath()), folder_.Path());
    EXPECT_EQ(ReadFile(writer.TemporaryPath()), std::string("%PDF-1.5\r\nbin\0ary", 17));

    writer.Commit();
    EXPECT_EQ(ReadFile(target), std::string("%PDF-1.5\r\nbin\0ary", 17));
    EXPECT_EQ(folder_.Names(), TNames{"out.pdf"});
}

TEST_F(AtomicFileWriterTest, ExistingFileIsReplacedOnlyOnCommit) {
    const std::string target = folder_ / "out.pdf";
    WriteFile(target, "old content that is longer than the new one");
    const ino_t oldInode = StatusOf(target).st_ino;

    TAtomicFileWriter writer(target);
    writer.Write("new");
    EXPECT_EQ(ReadFile(target), "old content that is longer than the new one");
    writer.Commit();

    EXPECT_EQ(ReadFile(target), "new");
    EXPECT_NE(StatusOf(target).st_ino, oldInode) << "the old file was overwritten in place";
    EXPECT_EQ(folder_.Names(), TNames{"out.pdf"});
}

TEST_F(AtomicFileWriterTest, UnfinishedWriteLeavesNothingBehind) {
    struct Case {
        const char* name;
        bool existing;
        void (*finish)(std::optional<TAtomicFileWriter>&);
    } const cases[] = {
        {"abort, no old file", false, [](std::optional<TAtomicFileWriter>& w) { w->Abort(); }},
        {"abort, old file", true, [](std::optional<TAtomicFileWriter>& w) { w->Abort(); }},
        {"destroyed, no old file", false, [](std::optional<TAtomicFileWriter>& w) { w.reset(); }},
        {"destroyed, old file", true, [](std::optional<TAtomicFileWriter>& w) { w.reset(); }},
        {"abort twice, then destroyed", true,
         [](std::optional<TAtomicFileWriter>& w) {
             w->Abort();
             w->Abort();
             w.reset();
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TTempFolder folder;
        const std::string target = folder / "out.pdf";
        if (c.existing) WriteFile(target, "old");
        std::optional<TAtomicFileWriter> writer(std::in_place, target);
        writer->Write("half a document");
        c.finish(writer);

        if (c.existing) {
            EXPECT_EQ(ReadFile(target), "old");
            EXPECT_EQ(folder.Names(), TNames{"out.pdf"});
        } else {
            EXPECT_EQ(folder.Names(), TNames{});
        }
    }
}

TEST_F(AtomicFileWriterTest, NewFileGetsThePermissionsOfAPlainCreate) {
    for (mode_t mask : {mode_t{022}, mode_t{077}, mode_t{002}, mode_t{0}}) {
        SCOPED_TRACE("umask " + std::to_string(mask));
        TUmask umask(mask);
        const std::string target = folder_ / ("out" + std::to_string(mask) + ".pdf");
        TAtomicFileWriter writer(target);
        writer.Write("x");
        writer.Commit();
        EXPECT_EQ(ModeOf(target), 0666 & ~mask);
    }
}

TEST_F(AtomicFileWriterTest, ReplacingKeepsThePermissionsOfTheReplacedFile) {
    TUmask umask(022);
    for (mode_t mode : {mode_t{0600}, mode_t{0640}, mode_t{0604}, mode_t{0755}, mode_t{0666}}) {
        SCOPED_TRACE("mode " + std::to_string(mode));
        const std::string target = folder_ / "out.pdf";
        WriteFile(target, "old", mode);
        TAtomicFileWriter writer(target);
        writer.Write("new");
        writer.Commit();
        EXPECT_EQ(ModeOf(target), mode);
        EXPECT_EQ(ReadFile(target), "new");
    }
}

TEST_F(AtomicFileWriterTest, ReplacingKeepsTheOwner) {
    if (::geteuid() != 0) GTEST_SKIP() << "only root can make a file another user's to begin with";
    const std::string target = folder_ / "out.pdf";
    WriteFile(target, "old", 0640);
    GiveToOrdinaryUser(target);
    TAtomicFileWriter writer(target);
    writer.Write("new");
    writer.Commit();
    EXPECT_EQ(StatusOf(target).st_uid, kOrdinaryUser);
    EXPECT_EQ(StatusOf(target).st_gid, kOrdinaryUser);
    EXPECT_EQ(ModeOf(target), 0640u);
}

// Who may not keep the owner keeps the group, when a member of it: a shared
// file of a team stays the team's.
TEST_F(AtomicFileWriterTest, ReplacingAsAMemberOfTheGroupKeepsTheGroup) {
    if (::geteuid() != 0) GTEST_SKIP() << "only root can make a file another user's to begin with";
    constexpr gid_t kTeam = 65533;
    constexpr gid_t kOther = 65532;
    struct Case {
        const char* name;
        std::vector<gid_t> groups;  // of the saving user
        mode_t mode;                // the file is writable by that user
        gid_t expected;
    } const cases[] = {
        {"member of the file's group", {kTeam}, 0664, kTeam},
        {"not a member: the user's own group", {}, 0666, kOrdinaryUser},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TTempFolder folder;
        const std::string target = folder / "out.pdf";
        WriteFile(target, "old", c.mode);
        ASSERT_EQ(::chown(target.c_str(), 0, kTeam), 0);
        ASSERT_EQ(::chmod(target.c_str(), c.mode), 0);
        // The folder is open to the saving user through a group of its own.
        ASSERT_EQ(::chown(folder.Path().c_str(), 0, kOther), 0);
        ASSERT_EQ(::chmod(folder.Path().c_str(), 0770), 0);
        std::vector<gid_t> groups = c.groups;
        groups.push_back(kOther);
        EXPECT_TRUE(RunAsOrdinaryUser(
            [&]() -> std::string {
                TAtomicFileWriter writer(target);
                writer.Write("new");
                writer.Commit();
                return {};
            },
            groups));
        EXPECT_EQ(ReadFile(target), "new");
        EXPECT_EQ(StatusOf(target).st_uid, kOrdinaryUser);
        EXPECT_EQ(StatusOf(target).st_gid, c.expected);
        EXPECT_EQ(ModeOf(target), c.mode);
        EXPECT_EQ(folder.Names(), TNames{"out.pdf"});
    }
}

TEST_F(AtomicFileWriterTest, SymbolicLinksAreFollowedAndStayLinks) {
    struct Case {
        const char* name;
        std::vector<std::pair<const char*, const char*>> links;  // link name, link text
        bool existing;  // "real/file.pdf" exists before
    } const cases[] = {
        {"relative link", {{"out.pdf", "real/file.pdf"}}, true},
        {"absolute link", {{"out.pdf", ""}}, true},
        {"chain of links", {{"out.pdf", "hop"}, {"hop", "real/file.pdf"}}, true},
        {"dangling link", {{"out.pdf", "real/file.pdf"}}, false},
    };
    TUmask umask(022);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TTempFolder folder;
        const std::string real = folder / "real/file.pdf";
        ASSERT_EQ(::mkdir((folder / "real").c_str(), 0755), 0);
        if (c.existing) WriteFile(real, "old", 0600);
        for (const auto& [name, text] : c.links) {
            const std::string linkText = *text ? text : real;
            ASSERT_EQ(::symlink(linkText.c_str(), (folder / name).c_str()), 0);
        }

        TAtomicFileWriter writer(folder / "out.pdf");
        EXPECT_EQ(DirectoryOf(writer.TemporaryPath()), folder / "real");
        writer.Write("new");
        writer.Commit();

        EXPECT_EQ(ReadFile(real), "new");
        EXPECT_EQ(ModeOf(real), c.existing ? 0600u : 0644u);
        for (const auto& [name, text] : c.links) EXPECT_TRUE(S_ISLNK(StatusOf(folder / name).st_mode)) << name;
        EXPECT_EQ(TTempFolder::NamesIn(folder / "real"), TNames{"file.pdf"});
    }
}

TEST_F(AtomicFileWriterTest, UnusablePathsAreClearErrors) {
    struct Case {
        const char* name;
        std::string (*prepare)(const TTempFolder&);  // returns the path to write
        int code;
    } const cases[] = {
        {"the folder itself", [](const TTempFolder& f) { return f.Path(); }, EISDIR},
        {"a subfolder",
         [](const TTempFolder& f) {
             ::mkdir((f / "sub").c_str(), 0755);
             return f / "sub";
         },
         EISDIR},
        {"a link to a folder",
         [](const TTempFolder& f) {
             ::mkdir((f / "sub").c_str(), 0755);
             ::symlink("sub", (f / "link").c_str());
             return f / "link";
         },
         EISDIR},
        {"a name ending in a slash", [](const TTempFolder& f) { return f / "out.pdf/"; }, EISDIR},
        {"a missing folder", [](const TTempFolder& f) { return f / "missing/out.pdf"; }, ENOENT},
        {"a file used as a folder",
         [](const TTempFolder& f) {
             WriteFile(f / "file", "");
             return f / "file/out.pdf";
         },
         ENOTDIR},
        {"a name of 256 bytes", [](const TTempFolder& f) { return f / std::string(256, 'n'); }, ENAMETOOLONG},
        {"a loop of links",
         [](const TTempFolder& f) {
             ::symlink("b", (f / "a").c_str());
             ::symlink("a", (f / "b").c_str());
             return f / "a";
         },
         ELOOP},
        {"an empty path", [](const TTempFolder&) { return std::string(); }, ENOENT},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TTempFolder folder;
        const std::string path = c.prepare(folder);
        const TNames before = folder.Names();
        ExpectFileError([&] { TAtomicFileWriter writer(path); }, path, c.code);
        EXPECT_EQ(folder.Names(), before);
    }
}

TEST_F(AtomicFileWriterTest, NameOf255BytesIsFine) {
    const std::string name(255, 'n');
    TAtomicFileWriter writer(folder_ / name);
    writer.Write("x");
    writer.Commit();
    EXPECT_EQ(folder_.Names(), TNames{name});
}

TEST_F(AtomicFileWriterTest, MessagesAreEnglishOnOneLineWithThePathAsGiven) {
    const char* previous = std::setlocale(LC_ALL, nullptr);
    const std::string saved = previous ? previous : "C";
    if (!std::setlocale(LC_ALL, "ru_RU.UTF-8")) GTEST_FAIL() << "locale ru_RU.UTF-8 is not installed";
    const std::string path = folder_ / "Опросный\nлист/out.pdf";
    try {
        TAtomicFileWriter writer(path);
        ADD_FAILURE() << "no error";
    } catch (const TFileError& error) {
        EXPECT_EQ(std::string(error.what()),
                  "Cannot create file \"" + folder_.Path() + "/Опросный\\nлист/out.pdf\". No such file or directory");
        EXPECT_EQ(error.Path(), path);
    }
    std::setlocale(LC_ALL, saved.c_str());
}

TEST_F(AtomicFileWriterTest, ReadOnlyFileSystemIsAClearError) {
    const std::string mountPoint = folder_ / "ro";
    ASSERT_EQ(::mkdir(mountPoint.c_str(), 0755), 0);
    TScopedTmpfs tmpfs(mountPoint, false, "size=1m");
    if (!tmpfs.Mounted()) GTEST_SKIP() << "cannot mount a tmpfs here (" << tmpfs.Error() << ")";
    WriteFile(mountPoint + "/old.pdf", "old");
    ASSERT_TRUE(tmpfs.RemountReadOnly()) << tmpfs.Error();

    for (const char* name : {"new.pdf", "old.pdf"}) {
        SCOPED_TRACE(name);
        const std::string target = mountPoint + "/" + name;
        ExpectFileError([&] { TAtomicFileWriter writer(target); }, target, EROFS);
    }
    EXPECT_EQ(ReadFile(mountPoint + "/old.pdf"), "old");
    EXPECT_EQ(TTempFolder::NamesIn(mountPoint), TNames{"old.pdf"});
}

TEST_F(AtomicFileWriterTest, WhatTheUserMayNotWriteIsAClearError) {
    // A locked folder, and a read-only file in an open folder: a rename could
    // replace the file all the same, a plain create could not.
    ASSERT_EQ(::chmod(folder_.Path().c_str(), 0755), 0);
    const std::string locked = folder_ / "locked";
    const std::string open = folder_ / "open";
    ASSERT_EQ(::mkdir(locked.c_str(), 0755), 0);
    ASSERT_EQ(::mkdir(open.c_str(), 0755), 0);
    WriteFile(locked + "/old.pdf", "old", 0644);
    WriteFile(open + "/readonly.pdf", "old", 0444);
    for (const std::string& path : {locked, locked + "/old.pdf", open, open + "/readonly.pdf"}) GiveToOrdinaryUser(path);
    ASSERT_EQ(::chmod(locked.c_str(), 0555), 0);

    for (const std::string& target : {locked + "/new.pdf", locked + "/old.pdf", open + "/readonly.pdf"}) {
        SCOPED_TRACE(target);
        EXPECT_TRUE(RunAsOrdinaryUser([&]() -> std::string {
            try {
                TAtomicFileWriter writer(target);
                return "no error";
            } catch (const TFileError& error) {
                if (error.Code() != EACCES) return std::string("wrong error: ") + error.what();
                if (std::string(error.what()).find("Permission denied") == std::string::npos) return error.what();
            }
            return {};
        }));
    }
    EXPECT_EQ(ReadFile(locked + "/old.pdf"), "old");
    EXPECT_EQ(ReadFile(open + "/readonly.pdf"), "old");
    EXPECT_EQ(TTempFolder::NamesIn(locked), TNames{"old.pdf"});
    EXPECT_EQ(TTempFolder::NamesIn(open), TNames{"readonly.pdf"});
}

TEST_F(AtomicFileWriterTest, FullDiskFailsAndKeepsTheOldFile) {
    const std::string mountPoint = folder_ / "small";
    ASSERT_EQ(::mkdir(mountPoint.c_str(), 0755), 0);
    TScopedTmpfs tmpfs(mountPoint, false, "size=64k");
    if (!tmpfs.Mounted()) GTEST_SKIP() << "cannot mount a tmpfs here (" << tmpfs.Error() << ")";
    const std::string target = mountPoint + "/out.pdf";
    WriteFile(target, "old");

    TAtomicFileWriter writer(target);
    const std::string page(4096, 'p');
    ExpectFileError(
        [&] {
            for (int i = 0; i < 1000; ++i) writer.Write(page);
        },
        target, ENOSPC);
    EXPECT_EQ(ReadFile(target), "old");
    EXPECT_EQ(TTempFolder::NamesIn(mountPoint), TNames{"out.pdf"});
    // The caller that goes on writing or commits hears of the failure again.
    ExpectFileError([&] { writer.Write("more"); }, target, ENOSPC);
    ExpectFileError([&] { writer.Commit(); }, target, ENOSPC);
    EXPECT_EQ(ReadFile(target), "old");
}

// A file size limit makes the kernel accept only part of a write, then refuse
// the rest: the writer must neither stop at the part nor call it success.
class TFileSizeLimit {
public:
    explicit TFileSizeLimit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &old_);
        oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = old_;
        limit.rlim_cur = bytes;
        ok_ = ::setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    ~TFileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, oldHandler_);
    }
    [[nodiscard]] bool Ok() const { return ok_; }

private:
    rlimit old_{};
    void (*oldHandler_)(int) = nullptr;
    bool ok_ = false;
};

TEST_F(AtomicFileWriterTest, ShortWriteIsNeverTakenAsSuccess) {
    const std::string target = folder_ / "out.pdf";
    WriteFile(target, "old");
    TAtomicFileWriter writer(target);
    {
        TFileSizeLimit limit(1000);
        ASSERT_TRUE(limit.Ok());
        ExpectFileError([&] { writer.Write(std::string(4000, 'x')); }, target, EFBIG);
    }
    EXPECT_EQ(writer.Position(), 1000u) << "the part the kernel took";
    EXPECT_EQ(ReadFile(target), "old");
    EXPECT_EQ(folder_.Names(), TNames{"out.pdf"});
}

TEST_F(AtomicFileWriterTest, DevicesAreWrittenDirectlyNeverReplaced) {
    struct Case {
        const char* name;
        unsigned minor;  // of the memory devices, major 1
        int code;        // of the write, 0 for none
    } const cases[] = {{"null", 3, 0}, {"full", 7, ENOSPC}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TTempFolder folder;
        std::string device = folder / c.name;
        if (::mknod(device.c_str(), S_IFCHR | 0666, makedev(1, c.minor)) != 0) {
            // No device nodes allowed here: the system's own, through a link.
            ASSERT_EQ(::symlink(("/dev/" + std::string(c.name)).c_str(), device.c_str()), 0);
        }
        TAtomicFileWriter writer(device);
        EXPECT_EQ(writer.TemporaryPath(), "");
        if (c.code) {
            ExpectFileError([&] { writer.Write("%PDF-1.5\r\n"); }, device, c.code);
        } else {
            writer.Write("%PDF-1.5\r\n");
            writer.Commit();
            EXPECT_EQ(writer.Position(), 10u);
        }
        struct stat status {};
        ASSERT_EQ(::stat(device.c_str(), &status), 0);
        EXPECT_TRUE(S_ISCHR(status.st_mode)) << "the device was replaced";
        EXPECT_EQ(folder.Names(), TNames{c.name});
    }
}

TEST_F(AtomicFileWriterTest, PipesAreWrittenDirectly) {
    const std::string pipe = folder_ / "pipe";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);

    // Without a reader the open fails at once instead of waiting for one.
    ExpectFileError([&] { TAtomicFileWriter writer(pipe); }, pipe, ENXIO);

    const int reader = ::open(pipe.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    ASSERT_GE(reader, 0);
    {
        TAtomicFileWriter writer(pipe);
        writer.Write("through the pipe");
        writer.Commit();
    }
    std::array<char, 64> buffer{};
    const ssize_t n = ::read(reader, buffer.data(), buffer.size());
    ::close(reader);
    EXPECT_EQ(std::string(buffer.data(), n > 0 ? static_cast<std::size_t>(n) : 0), "through the pipe");
    EXPECT_TRUE(S_ISFIFO(StatusOf(pipe).st_mode));
    EXPECT_EQ(folder_.Names(), TNames{"pipe"});
}

TEST_F(AtomicFileWriterTest, MovingHandsTheFileOver) {
    const std::string first = folder_ / "first.pdf";
    const std::string second = folder_ / "second.pdf";
    {
        std::optional<TAtomicFileWriter> original(std::in_place, first);
        original->Write("begun ");
        TAtomicFileWriter moved(std::move(*original));
        original.reset();  // must not take the file with it
        moved.Write("and finished");
        moved.Commit();
    }
    EXPECT_EQ(ReadFile(first), "begun and finished");

    {
        TAtomicFileWriter kept(second);
        kept.Write("2");
        TAtomicFileWriter replaced(folder_ / "dropped.pdf");
        replaced.Write("1");
        replaced = std::move(kept);  // the dropped file's writer aborts
        replaced.Commit();
    }
    EXPECT_EQ(ReadFile(second), "2");
    EXPECT_EQ(folder_.Names(), (TNames{"first.pdf", "second.pdf"}));
}

TEST_F(AtomicFileWriterTest, FinishedWriterRefusesMoreWork) {
    struct Case {
        const char* name;
        void (*finish)(TAtomicFileWriter&);
        void (*then)(TAtomicFileWriter&);
    } const cases[] = {
        {"write after commit", [](TAtomicFileWriter& w) { w.Commit(); }, [](TAtomicFileWriter& w) { w.Write("x"); }},
        {"commit after commit", [](TAtomicFileWriter& w) { w.Commit(); }, [](TAtomicFileWriter& w) { w.Commit(); }},
        {"write after abort", [](TAtomicFileWriter& w) { w.Abort(); }, [](TAtomicFileWriter& w) { w.Write("x"); }},
        {"commit after abort", [](TAtomicFileWriter& w) { w.Abort(); }, [](TAtomicFileWriter& w) { w.Commit(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TTempFolder folder;
        TAtomicFileWriter writer(folder / "out.pdf");
        writer.Write("done");
        c.finish(writer);
        const TNames after = folder.Names();
        EXPECT_THROW(c.then(writer), std::logic_error);
        EXPECT_EQ(folder.Names(), after);
        if (!after.empty()) {
            EXPECT_EQ(ReadFile(folder / "out.pdf"), "done");
        }
    }
}

// The names of this process's own descriptors are written through the
// descriptor itself: at its position, with its append mode, never replaced.
TEST_F(AtomicFileWriterTest, NamesOfOwnDescriptorsAreWrittenThroughThem) {
    const std::string file = folder_ / "log.txt";
    WriteFile(file, "before\n");
    const int appending = ::open(file.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
    ASSERT_GE(appending, 0);
    const ino_t inode = StatusOf(file).st_ino;
    for (const std::string& name :
         {"/dev/fd/" + std::to_string(appending), "/proc/self/fd/" + std::to_string(appending),
          "/proc/" + std::to_string(::getpid()) + "/fd/" + std::to_string(appending)}) {
        SCOPED_TRACE(name);
        TAtomicFileWriter writer(name);
        EXPECT_EQ(writer.TemporaryPath(), "");
        writer.Write(name + "\n");
        writer.Commit();
    }
    ASSERT_EQ(::write(appending, "after\n", 6), 6) << "the descriptor stays open";
    ::close(appending);
    EXPECT_EQ(ReadFile(file), "before\n/dev/fd/" + std::to_string(appending) + "\n/proc/self/fd/" +
                                  std::to_string(appending) + "\n/proc/" + std::to_string(::getpid()) + "/fd/" +
                                  std::to_string(appending) + "\nafter\n");
    EXPECT_EQ(StatusOf(file).st_ino, inode) << "the file was replaced";
    EXPECT_EQ(folder_.Names(), TNames{"log.txt"});

    // A pipe: its link text "pipe:[N]" is no path.
    std::array<int, 2> pipe{};
    ASSERT_EQ(::pipe2(pipe.data(), O_CLOEXEC), 0);
    {
        TAtomicFileWriter writer("/dev/fd/" + std::to_string(pipe[1]));
        writer.Write("through the pipe");
        writer.Commit();
    }
    ::close(pipe[1]);
    std::array<char, 64> buffer{};
    const ssize_t n = ::read(pipe[0], buffer.data(), buffer.size());
    ::close(pipe[0]);
    EXPECT_EQ(std::string(buffer.data(), n > 0 ? static_cast<std::size_t>(n) : 0), "through the pipe");
}

TEST_F(AtomicFileWriterTest, DescriptorsThatCannotBeWrittenAreClearErrors) {
    const std::string file = folder_ / "in.txt";
    WriteFile(file, "input");
    const int reading = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_GE(reading, 0);
    const int closed = ::dup(reading);
    ASSERT_GE(closed, 0);
    ::close(closed);
    const std::string readingName = "/dev/fd/" + std::to_string(reading);
    const std::string closedName = "/proc/self/fd/" + std::to_string(closed);
    ExpectFileError([&] { TAtomicFileWriter writer(readingName); }, readingName, EBADF);
    ExpectFileError([&] { TAtomicFileWriter writer(closedName); }, closedName, EBADF);
    ExpectFileError([&] { TAtomicFileWriter writer(closed, "closed"); }, "closed", EBADF);
    try {
        TAtomicFileWriter writer(closed, "standard output");
        ADD_FAILURE() << "no error";
    } catch (const TFileError& error) {
        EXPECT_EQ(std::string(error.what()), "Cannot write file \"standard output\". Bad file descriptor");
        EXPECT_EQ(error.Action(), TFileAction::Write);
    }
    ::close(reading);
    EXPECT_EQ(ReadFile(file), "input");
    EXPECT_EQ(folder_.Names(), TNames{"in.txt"});
}

// Ctrl+C, SIGTERM or a hang-up while a file is written: the temporary file
// goes, the target stays, and the process ends by the signal.
TEST_F(AtomicFileWriterTest, SignalsRemoveTheTemporaryFile) {
    struct Case {
        const char* name;
        int signal;
        bool ignored;  // before the handlers are installed
    } const cases[] = {
        {"SIGINT", SIGINT, false},
        {"SIGTERM", SIGTERM, false},
        {"SIGHUP", SIGHUP, false},
        {"SIGHUP ignored, as under nohup", SIGHUP, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TTempFolder folder;
        const std::string target = folder / "out.pdf";
        WriteFile(target, "old");
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            if (c.ignored) std::signal(c.signal, SIG_IGN);
            RemoveTemporaryFilesOnSignals();
            TAtomicFileWriter writer(target);
            writer.Write("half a document");
            ::raise(c.signal);
            writer.Write(" and the rest");
            writer.Commit();
            ::_exit(0);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        if (c.ignored) {
            EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
            EXPECT_EQ(ReadFile(target), "half a document and the rest");
        } else {
            EXPECT_TRUE(WIFSIGNALED(status)) << status;
            EXPECT_EQ(WTERMSIG(status), c.signal);
            EXPECT_EQ(ReadFile(target), "old");
        }
        EXPECT_EQ(folder.Names(), TNames{"out.pdf"});
    }
}

}  // namespace
}  // namespace lk63::platform
