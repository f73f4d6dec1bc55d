#pragma once
// A desktop of the test's own: an X server (Xvfb) on a free display, a window
// manager (openbox), and a keyboard map in which every letter the tests type
// has a key of its own.

#include <chrono>
#include <string>

#include "desktop/child_process.h"

namespace lk63::desktop {

class TXSession {
public:
    static constexpr int kScreenWidth = 1280;
    static constexpr int kScreenHeight = 1024;

    // Starts the server and the window manager; `folder` takes their logs.
    // Throws when either does not come up.
    explicit TXSession(const std::string& folder);
    ~TXSession();
    TXSession(const TXSession&) = delete;
    TXSession& operator=(const TXSession&) = delete;

    [[nodiscard]] const std::string& Display() const { return display_; }
    // The environment of a child of this desktop.
    [[nodiscard]] TEnv Env() const;
    // Runs an X tool on this desktop; throws when it fails.
    std::string Tool(const TArgs& args) const;
    // The same, for a tool whose failure the caller judges.
    [[nodiscard]] TRunResult TryTool(const TArgs& args) const;
    // The whole screen as a PNG file.
    void Screenshot(const std::string& path) const;

private:
    // xdotool types a character without a key of its own by remapping one
    // spare key for it, keystroke by keystroke, and now and then the program
    // reads the key after it was remapped again: letters go missing or swap.
    void GiveLettersKeys();

    std::string folder_;
    std::string display_;
    TChildProcess server_;
    TChildProcess windowManager_;
};

}  // namespace lk63::desktop
