#pragma once
// Runs the command-line tool as an integrator does: a real process with real
// files in a folder of the test's own.

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace lk63::testing {

namespace fs = std::filesystem;

struct TResult {
    int status = -1;
    std::string out, err;
};

inline std::string ReadFile(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

inline std::string Quote(const fs::path& p) { return "'" + p.string() + "'"; }

class ToolTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("lk63-tool-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    fs::path Write(const std::string& name, const std::string& content) {
        const fs::path p = dir_ / name;
        std::ofstream(p, std::ios::binary) << content;
        return p;
    }

    // Runs the tool with `args` (already quoted) and `stdinText` on its input,
    // optionally through a prefix such as one that drops root.
    TResult Run(const std::string& args, const std::string& stdinText = "", const std::string& prefix = "") {
        const fs::path in = Write("stdin.txt", stdinText);
        const std::string command = prefix + Quote(tool_) + " " + args + " <" + Quote(in) + " >" +
                                    Quote(dir_ / "stdout.txt") + " 2>" + Quote(dir_ / "stderr.txt");
        const int raw = std::system(command.c_str());
        TResult r;
        r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        r.out = ReadFile(dir_ / "stdout.txt");
        r.err = ReadFile(dir_ / "stderr.txt");
        return r;
    }

    static std::string Data(const std::string& name) { return Quote(fs::path(LK63_TEST_DATA) / name); }
    static std::string Expected(const std::string& name) { return ReadFile(fs::path(LK63_TEST_DATA) / name); }

    fs::path dir_;
    fs::path tool_ = LK63_ORDER_TOOL;  // the program Run starts
};

}  // namespace lk63::testing
