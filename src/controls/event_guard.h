#pragma once
// Exceptions never cross the Qt event loop: every event handler of the controls
// runs its work through Guarded(), which hands a failure to the application's
// handler (a message box by default) and returns normally.

#include <exception>
#include <utility>

namespace lk63 {

using TExceptionHandler = void (*)(const char* message);

void HandleEventException(const char* message);
// Installs `handler` (nullptr restores the message box); returns the previous one.
TExceptionHandler SetExceptionHandler(TExceptionHandler handler);

template <class F>
void Guarded(F&& work) noexcept {
    try {
        std::forward<F>(work)();
    } catch (const std::exception& e) {
        HandleEventException(e.what());
    } catch (...) {
        HandleEventException("Unknown error");
    }
}

}  // namespace lk63
