#include "platform/io/temporary_files.h"

#include <pthread.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstring>

#include <array>
#include <atomic>

namespace lk63::platform {
namespace {

constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP};

enum TSlotState : int { kFree, kClaimed, kHeld };

// Plain storage the handler may read: a path is complete before its slot is
// marked held, and the handler only reads.
struct TSlot {
    std::atomic<int> State{kFree};
    char Path[PATH_MAX]{};
};
static_assert(std::atomic<int>::is_always_lock_free);

std::array<TSlot, 16> slots;

sigset_t DeferredSignals() {
    sigset_t set;
    sigemptyset(&set);
    for (const int s : kSignals) sigaddset(&set, s);
    return set;
}

extern "C" void RemoveAndEnd(int signal) {
    const int saved = errno;
    for (TSlot& slot : slots) {
        if (slot.State.load(std::memory_order_acquire) == kHeld) ::unlink(slot.Path);
    }
    // SA_RESETHAND has put the default action back: once this handler
    // returns, the signal raised again ends the process.
    ::raise(signal);
    errno = saved;
}

}  // namespace

void RemoveTemporaryFilesOnSignals() {
    for (const int s : kSignals) {
        struct sigaction old {};
        if (::sigaction(s, nullptr, &old) != 0 || old.sa_handler == SIG_IGN) continue;
        struct sigaction action {};
        action.sa_handler = RemoveAndEnd;
        action.sa_mask = DeferredSignals();
        action.sa_flags = SA_RESETHAND;
        ::sigaction(s, &action, nullptr);
    }
}

TSignalDeferral::TSignalDeferral() {
    const sigset_t deferred = DeferredSignals();
    ::pthread_sigmask(SIG_BLOCK, &deferred, &saved_);
}

TSignalDeferral::~TSignalDeferral() { ::pthread_sigmask(SIG_SETMASK, &saved_, nullptr); }

int RememberTemporaryFile(const std::string& path) noexcept {
    if (path.size() >= PATH_MAX) return -1;
    for (std::size_t i = 0; i < slots.size(); ++i) {
        TSlot& slot = slots[i];
        int expected = kFree;
        if (!slot.State.compare_exchange_strong(expected, kClaimed, std::memory_order_acquire)) continue;
        std::memcpy(slot.Path, path.c_str(), path.size() + 1);
        slot.State.store(kHeld, std::memory_order_release);
        return static_cast<int>(i);
    }
    return -1;
}

void ForgetTemporaryFile(int slot) noexcept {
    if (slot < 0 || static_cast<std::size_t>(slot) >= slots.size()) return;
    slots[static_cast<std::size_t>(slot)].State.store(kFree, std::memory_order_release);
}

}  // namespace lk63::platform
