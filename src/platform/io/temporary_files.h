#pragma once
// The temporary files that unfinished writes of this process hold, so that
// Ctrl+C, a SIGTERM or a hang-up removes them instead of leaving a hidden
// partial file beside the target. A kill -9 cannot be caught: its file stays.

#include <signal.h>

#include <string>

namespace lk63::platform {

// On SIGINT, SIGTERM and SIGHUP: removes the temporary files of unfinished
// writes, then ends the process by the same signal, so that its parent sees
// the signal's status. A signal the process ignores when this is called (a
// job started with nohup) stays ignored. Call once at start, before any
// thread is created.
void RemoveTemporaryFilesOnSignals();

// While alive, the three signals wait: a file is never created without being
// known, nor removed or renamed without being forgotten.
class TSignalDeferral {
public:
    TSignalDeferral();
    ~TSignalDeferral();
    TSignalDeferral(const TSignalDeferral&) = delete;
    TSignalDeferral& operator=(const TSignalDeferral&) = delete;

private:
    sigset_t saved_{};  // the thread's previous signal mask
};

// A temporary file a signal must remove. Remember it right after creating it
// and forget it right after renaming or removing it, both under a
// TSignalDeferral. Gives -1 when all places are taken (the file is then
// written all the same, only not removed by a signal).
int RememberTemporaryFile(const std::string& path) noexcept;
void ForgetTemporaryFile(int slot) noexcept;

}  // namespace lk63::platform
