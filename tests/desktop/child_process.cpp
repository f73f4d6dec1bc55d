#include "desktop/child_process.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <stdexcept>
#include <thread>

namespace lk63::desktop {
namespace {

using TClock = std::chrono::steady_clock;

// In the child after fork: the environment, then exec. Never returns.
[[noreturn]] void Exec(const TArgs& args, const TEnv& env) {
    for (const auto& [name, value] : env) {
        if (value.empty()) ::unsetenv(name.c_str());
        else ::setenv(name.c_str(), value.c_str(), 1);
    }
    std::vector<char*> argv;
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    ::execvp(argv[0], argv.data());
    ::_exit(127);
}

int StatusOf(int raw) { return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1; }

}  // namespace

TRunResult Run(const TArgs& args, const TEnv& env, std::chrono::milliseconds timeout) {
    int out[2];
    if (::pipe2(out, O_CLOEXEC) != 0) throw std::runtime_error("pipe failed");
    const pid_t pid = ::fork();
    if (pid < 0) throw std::runtime_error("fork failed");
    if (pid == 0) {
        const int devNull = ::open("/dev/null", O_RDONLY);
        ::dup2(devNull, 0);
        ::dup2(out[1], 1);
        ::dup2(out[1], 2);
        Exec(args, env);
    }
    ::close(out[1]);
    ::fcntl(out[0], F_SETFL, O_NONBLOCK);
    TRunResult result;
    const auto deadline = TClock::now() + timeout;
    auto drain = [&] {
        char buffer[4096];
        for (ssize_t n; (n = ::read(out[0], buffer, sizeof buffer)) > 0;) result.Output.append(buffer, std::size_t(n));
    };
    for (;;) {
        pollfd p{out[0], POLLIN, 0};
        ::poll(&p, 1, 20);
        drain();
        int raw = 0;
        const pid_t done = ::waitpid(pid, &raw, WNOHANG);
        if (done == pid) {
            drain();
            result.Status = StatusOf(raw);
            break;
        }
        if (TClock::now() > deadline) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, &raw, 0);
            result.Status = -1;
            result.Output += "\n[killed after the timeout]";
            break;
        }
    }
    ::close(out[0]);
    return result;
}

void TChildProcess::Start(const TArgs& args, const TEnv& env, const std::string& logPath, int passFd,
                          const std::string& folder) {
    const int log = ::open(logPath.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (log < 0) throw std::runtime_error("cannot open " + logPath);
    const pid_t pid = ::fork();
    if (pid < 0) throw std::runtime_error("fork failed");
    if (pid == 0) {
        ::setpgid(0, 0);  // its own group: its own children go with it
        ::prctl(PR_SET_PDEATHSIG, SIGTERM);  // and it goes when the test is killed
        const int devNull = ::open("/dev/null", O_RDONLY);
        ::dup2(devNull, 0);
        ::dup2(log, 1);
        ::dup2(log, 2);
        if (passFd >= 0) ::dup2(passFd, 3);
        if (!folder.empty() && ::chdir(folder.c_str()) != 0) ::_exit(126);
        Exec(args, env);
    }
    ::setpgid(pid, pid);  // also here, so that Stop() never misses the group
    ::close(log);
    pid_ = pid;
    status_ = -1;
}

bool TChildProcess::Running() {
    if (pid_ <= 0) return false;
    int raw = 0;
    const pid_t done = ::waitpid(pid_, &raw, WNOHANG);
    if (done == pid_ || (done < 0 && errno == ECHILD)) {
        status_ = done == pid_ ? StatusOf(raw) : -1;
        pid_ = -1;
        return false;
    }
    return true;
}

bool TChildProcess::WaitForExit(std::chrono::milliseconds timeout) {
    const auto deadline = TClock::now() + timeout;
    while (Running()) {
        if (TClock::now() > deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

void TChildProcess::Stop() {
    if (!Running()) return;
    ::kill(-pid_, SIGTERM);
    if (WaitForExit(std::chrono::seconds(2))) return;
    ::kill(-pid_, SIGKILL);
    (void)WaitForExit(std::chrono::seconds(5));
}

}  // namespace lk63::desktop
