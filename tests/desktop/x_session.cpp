#include "desktop/x_session.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <cstdio>
#include <sstream>
#include <stdexcept>
#include <thread>
#include <vector>

namespace lk63::desktop {
namespace {

using TClock = std::chrono::steady_clock;

// Reads the display number Xvfb writes once it accepts clients.
std::string ReadDisplayNumber(int fd, std::chrono::seconds timeout) {
    std::string text;
    const auto deadline = TClock::now() + timeout;
    while (text.find('\n') == std::string::npos && TClock::now() < deadline) {
        pollfd p{fd, POLLIN, 0};
        if (::poll(&p, 1, 100) <= 0) continue;
        char buffer[64];
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n <= 0) break;
        text.append(buffer, std::size_t(n));
    }
    if (text.find('\n') == std::string::npos) return {};
    return text.substr(0, text.find('\n'));
}

std::string Hex4(unsigned code) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "%04X", code);
    return buffer;
}

}  // namespace

TXSession::TXSession(const std::string& folder) : folder_(folder) {
    int pipeFds[2];
    if (::pipe2(pipeFds, O_CLOEXEC) != 0) throw std::runtime_error("pipe failed");
    // -noreset: the server keeps the keyboard map when its last client goes.
    server_.Start({"Xvfb", "-displayfd", "3", "-noreset", "-nolisten", "tcp", "-screen", "0",
                   std::to_string(kScreenWidth) + "x" + std::to_string(kScreenHeight) + "x24"},
                  {}, folder_ + "/xvfb.log", pipeFds[1]);
    ::close(pipeFds[1]);
    const std::string number = ReadDisplayNumber(pipeFds[0], std::chrono::seconds(20));
    ::close(pipeFds[0]);
    if (number.empty()) throw std::runtime_error("Xvfb did not start; see " + folder_ + "/xvfb.log");
    display_ = ":" + number;

    // The window manager with its own settings only: HOME is the test's folder.
    TEnv env = Env();
    env["HOME"] = folder_;
    windowManager_.Start({"openbox", "--sm-disable"}, env, folder_ + "/openbox.log");
    const auto deadline = TClock::now() + std::chrono::seconds(20);
    while (TryTool({"xprop", "-root", "_NET_SUPPORTING_WM_CHECK"}).Output.find("window id") == std::string::npos) {
        if (TClock::now() > deadline || !windowManager_.Running())
            throw std::runtime_error("openbox did not start; see " + folder_ + "/openbox.log");
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    GiveLettersKeys();
}

TXSession::~TXSession() {
    windowManager_.Stop();
    server_.Stop();
}

TEnv TXSession::Env() const {
    return {{"DISPLAY", display_}, {"WAYLAND_DISPLAY", ""}, {"XAUTHORITY", ""}};
}

TRunResult TXSession::TryTool(const TArgs& args) const { return Run(args, Env()); }

std::string TXSession::Tool(const TArgs& args) const {
    const TRunResult result = TryTool(args);
    if (result.Status != 0) {
        std::string line;
        for (const std::string& a : args) line += a + " ";
        throw std::runtime_error(line + "failed (" + std::to_string(result.Status) + "): " + result.Output);
    }
    return result.Output;
}

void TXSession::Screenshot(const std::string& path) const { (void)TryTool({"import", "-window", "root", path}); }

void TXSession::GiveLettersKeys() {
    // Keys that carry nothing, or only a multimedia symbol, are free to take.
    std::vector<int> spare;
    std::istringstream map(Tool({"xmodmap", "-pke"}));
    for (std::string line; std::getline(map, line);) {
        std::istringstream words(line);
        std::string keycode, equals, first;
        int code = 0;
        if (!(words >> keycode >> code >> equals)) continue;
        if (!(words >> first) || first.rfind("XF86", 0) == 0) spare.push_back(code);
    }
    // The Russian alphabet, small and capital letters on one key.
    std::vector<std::pair<unsigned, unsigned>> letters;
    for (unsigned small = 0x430; small <= 0x44F; ++small) letters.emplace_back(small, small - 0x20);
    letters.emplace_back(0x451, 0x401);  // ё Ё
    if (spare.size() < letters.size()) throw std::runtime_error("not enough spare keys for the Russian letters");
    std::string expression;
    for (std::size_t i = 0; i < letters.size(); ++i)
        expression += "keycode " + std::to_string(spare[i]) + " = U" + Hex4(letters[i].first) + " U" +
                      Hex4(letters[i].second) + "\n";
    const std::string file = folder_ + "/letters.xmodmap";
    if (FILE* f = std::fopen(file.c_str(), "w")) {
        std::fputs(expression.c_str(), f);
        std::fclose(f);
    }
    Tool({"xmodmap", file});
}

}  // namespace lk63::desktop
