#pragma once
// Child processes of the desktop tests: the X server, the window manager, the
// program under test and the X tools that drive and read it.

#include <sys/types.h>

#include <chrono>
#include <map>
#include <string>
#include <vector>

namespace lk63::desktop {

using TArgs = std::vector<std::string>;
// Variables set (or, with an empty value, removed) on top of this process's environment.
using TEnv = std::map<std::string, std::string>;

struct TRunResult {
    int Status = -1;     // exit status; -1 when killed or timed out
    std::string Output;  // stdout and stderr
};

// Runs `args` to its end (at most `timeout`, then it is killed). Output is
// read while the child itself lives: a grandchild it leaves behind (xclip
// serving a selection) does not hold the call up.
TRunResult Run(const TArgs& args, const TEnv& env = {},
               std::chrono::milliseconds timeout = std::chrono::seconds(20));

// A child that runs beside the test until Stop() or destruction. Its output
// goes to `logPath` (appended).
class TChildProcess {
public:
    TChildProcess() = default;
    ~TChildProcess() { Stop(); }
    TChildProcess(const TChildProcess&) = delete;
    TChildProcess& operator=(const TChildProcess&) = delete;

    // Starts `args` in `folder` (this process's own when empty). `passFd`,
    // when not -1, is handed down as the child's file descriptor 3. Throws
    // when the child cannot be created.
    void Start(const TArgs& args, const TEnv& env, const std::string& logPath, int passFd = -1,
               const std::string& folder = {});
    [[nodiscard]] pid_t Pid() const { return pid_; }
    // Whether the child still runs (reaps it once it has ended).
    [[nodiscard]] bool Running();
    // The exit status once the child has ended; -1 when killed or still running.
    [[nodiscard]] int ExitStatus() const { return status_; }
    // Waits up to `timeout` for the child to end by itself.
    bool WaitForExit(std::chrono::milliseconds timeout);
    // SIGTERM, then SIGKILL if it does not end within two seconds.
    void Stop();

private:
    pid_t pid_ = -1;
    int status_ = -1;
};

}  // namespace lk63::desktop
