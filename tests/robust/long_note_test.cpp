// A note of millions of characters on one line, through lk63-order pdf: every
// character comes back from the PDF once, the pages are as many as the text
// needs, and a Ctrl+C or SIGTERM while it is written leaves nothing behind.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "platform/io/temp_folder.h"

namespace lk63 {
namespace {

namespace fs = std::filesystem;
using platform::iotest::ReadFile;
using platform::iotest::TTempFolder;
using platform::iotest::WriteFile;

// The first complete order with a note of `length` times "x".
std::string OrderWithNote(std::size_t length) {
    return R"({"breaker": [0,0,0,0,0,0,0,0], "accessories": [0,0,0,0,0,0,0,0,0,0], "note": ")" +
           std::string(length, 'x') + "\"}";
}

// Starts lk63-order pdf on `order`, writing `out`; gives its process id.
pid_t StartPdf(const std::string& order, const std::string& out, const std::string& log) {
    const pid_t child = ::fork();
    if (child == 0) {
        const std::string redirect = log;
        if (!std::freopen(redirect.c_str(), "w", stderr)) ::_exit(126);
        ::execl(LK63_ORDER_TOOL, LK63_ORDER_TOOL, "pdf", order.c_str(), "-o", out.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    return child;
}

bool HasTemporaryFile(const TTempFolder& folder) {
    for (const std::string& name : folder.Names())
        if (name.rfind(".lk63-", 0) == 0) return true;
    return false;
}

// The lines of pdftotext's text that are all "x", page by page.
std::vector<std::vector<std::size_t>> NoteLinesPerPage(const std::string& text) {
    std::vector<std::vector<std::size_t>> pages(1);
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find_first_of("\n\f", start);
        if (end == std::string::npos) end = text.size();
        const std::string_view line = std::string_view(text).substr(start, end - start);
        if (!line.empty() && line.find_first_not_of('x') == std::string_view::npos) pages.back().push_back(line.size());
        if (end < text.size() && text[end] == '\f') pages.emplace_back();
        start = end + 1;
    }
    if (pages.back().empty()) pages.pop_back();
    return pages;
}

TEST(LongNote, TenMillionCharactersOnOneLineAreAllPrinted) {
    constexpr std::size_t kLength = 10'000'000;
    TTempFolder folder;
    WriteFile(folder / "order.json", OrderWithNote(kLength));
    const std::string out = folder / "out.pdf";
    const pid_t child = StartPdf(folder / "order.json", out, folder / "stderr.txt");
    ASSERT_GT(child, 0);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << ReadFile(folder / "stderr.txt");
    const std::string text = folder / "out.txt";
    ASSERT_EQ(std::system(("pdftotext -enc UTF-8 '" + out + "' '" + text + "'").c_str()), 0);
    const std::vector<std::vector<std::size_t>> pages = NoteLinesPerPage(ReadFile(text));
    ASSERT_GE(pages.size(), 3u);

    // Every line but the last is as long as the first: the text width holds
    // that many "x".
    const std::size_t perLine = pages.front().front();
    std::size_t total = 0, lines = 0;
    for (const auto& page : pages) {
        for (const std::size_t length : page) {
            total += length;
            ++lines;
            if (lines * perLine < kLength) {
                EXPECT_EQ(length, perLine) << "line " << lines;
            }
        }
    }
    EXPECT_EQ(total, kLength) << "every character once";
    EXPECT_EQ(lines, (kLength + perLine - 1) / perLine);

    // A full page of the note: a text rectangle of 1047 px, 15.28 px a line.
    constexpr std::size_t kFullPage = 68;
    for (std::size_t p = 1; p + 1 < pages.size(); ++p) EXPECT_EQ(pages[p].size(), kFullPage) << "page " << p + 1;
    EXPECT_LE(pages.back().size(), kFullPage);
    // As many pages as the lines after the first page need.
    const std::size_t rest = lines - pages.front().size();
    EXPECT_EQ(pages.size(), 1 + (rest + kFullPage - 1) / kFullPage);
}

TEST(LongNote, ASignalWhileTheFileIsWrittenLeavesTheTargetAndNoTemporaryFile) {
    for (const int signal : {SIGINT, SIGTERM}) {
        SCOPED_TRACE(::strsignal(signal));
        TTempFolder folder;
        WriteFile(folder / "order.json", OrderWithNote(4'000'000));
        WriteFile(folder / "out.pdf", "old document");
        const pid_t child = StartPdf(folder / "order.json", folder / "out.pdf", folder / "stderr.txt");
        ASSERT_GT(child, 0);
        // The temporary file appears once the pages are prepared and the
        // export begins; the signal comes while it is written.
        int status = 0;
        bool exited = false;
        while (!HasTemporaryFile(folder)) {
            if (::waitpid(child, &status, WNOHANG) == child) {
                exited = true;
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        ASSERT_FALSE(exited) << "the tool ended before its file was begun: " << ReadFile(folder / "stderr.txt");
        ASSERT_EQ(::kill(child, signal), 0);
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFSIGNALED(status)) << "ended by the signal, not with an exit status: " << status;
        if (WIFSIGNALED(status)) {
            EXPECT_EQ(WTERMSIG(status), signal);
        }
        EXPECT_EQ(ReadFile(folder / "out.pdf"), "old document");
        EXPECT_EQ(folder.Names(), (std::vector<std::string>{"order.json", "out.pdf", "stderr.txt"}));
    }
}

}  // namespace
}  // namespace lk63
