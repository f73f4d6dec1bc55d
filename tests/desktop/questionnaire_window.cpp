#include "desktop/questionnaire_window.h"

#include <algorithm>
#include <cstdio>
#include <sstream>
#include <stdexcept>
#include <thread>

namespace lk63::desktop {
namespace {

using TClock = std::chrono::steady_clock;

constexpr const char* kTitle = "Автоматические выключатели в литом корпусе серии ЛК63-19";
constexpr const char* kSaveDialogTitle = "Сохранить как";
constexpr const char* kOpenDialogTitle = "Открыть опросный лист";
// A window without a title of its own: the pick list, the tip, the progress window.
constexpr const char* kUntitled = "lk63-questionnaire";

// The grids' rows: client top of each grid's first row, the row height.
constexpr int kGridRowsTop[] = {141 + 2, 313 + 2};
constexpr int kRowHeight = 18;
constexpr int kValueLeft = 8 + 2 + 480;
constexpr int kValueRight = 8 + 2 + 964;  // the client area's right edge cuts the value column
// What clipboard reads show while nothing new has been copied.
constexpr const char* kNothingCopied = "\x01nothing copied\x01";

std::string Value(const std::string& text, const std::string& key) {
    const std::size_t at = text.find(key);
    if (at == std::string::npos) return {};
    std::size_t start = at + key.size();
    while (start < text.size() && text[start] == ' ') ++start;
    const std::size_t end = text.find('\n', start);
    return text.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

}  // namespace

namespace place {

TPoint Edit(int number) { return {592, 32 + 5 + 25 * (number - 1) + 10}; }

TRect ValueCellRect(int grid, int row) {
    return {kValueLeft, kGridRowsTop[grid - 1] + kRowHeight * row, kValueRight - kValueLeft, kRowHeight - 1};
}

TPoint ValueCell(int grid, int row) { return ValueCellRect(grid, row).Center(); }

TPoint NameCell(int grid, int row) { return {250, ValueCell(grid, row).Y}; }

TPoint ValueButton(int grid, int row) { return {kValueRight - 9, ValueCell(grid, row).Y}; }

}  // namespace place

TQuestionnaireWindow::TQuestionnaireWindow(TXSession& x, const std::string& program, const std::string& folder,
                                           const std::vector<std::string>& arguments)
    : x_(x), clipboardFile_(folder + "/clipboard.txt") {
    const std::string home = folder + "/home";
    const std::string logPath = folder + "/lk63-questionnaire.log";
    TEnv env = x_.Env();
    env["HOME"] = home;
    env["XDG_CONFIG_HOME"] = home + "/.config";
    env["XDG_RUNTIME_DIR"] = folder + "/runtime";
    env["QT_QPA_PLATFORM"] = "xcb";
    // The toolkit's and the font libraries' caches live as long as the process.
    env["ASAN_OPTIONS"] = "detect_leaks=0";
    std::vector<std::string> command{program};
    command.insert(command.end(), arguments.begin(), arguments.end());
    process_.Start(command, env, logPath, -1, folder + "/work");
    const bool shown = WaitUntil([&] {
        if (!process_.Running()) return false;
        const TRunResult found = x_.TryTool(
            {"xdotool", "search", "--onlyvisible", "--pid", std::to_string(process_.Pid()), "--name", kTitle});
        std::istringstream ids(found.Output);
        std::string id;
        if (!(ids >> id)) return false;
        main_ = Describe(id);
        return main_.Geometry.Width > 0;
    });
    if (!shown) throw std::runtime_error("the window did not show; see " + logPath);
    // Let it settle: placed by the window manager and given the focus.
    WaitUntil([&] { return x_.TryTool({"xdotool", "getwindowfocus"}).Output.find(main_.Id) == 0; },
              std::chrono::seconds(5));
}

TQuestionnaireWindow::~TQuestionnaireWindow() { process_.Stop(); }

TWindow TQuestionnaireWindow::Describe(const std::string& id) const {
    TWindow w;
    w.Id = id;
    const std::string info = x_.TryTool({"xwininfo", "-id", id}).Output;
    const std::size_t open = info.find('"');
    const std::size_t close = info.find("\"\n", open + 1);
    if (open != std::string::npos && close != std::string::npos) w.Name = info.substr(open + 1, close - open - 1);
    try {
        w.Geometry = {std::stoi(Value(info, "Absolute upper-left X:")), std::stoi(Value(info, "Absolute upper-left Y:")),
                      std::stoi(Value(info, "Width:")), std::stoi(Value(info, "Height:"))};
    } catch (const std::exception&) {
        w.Geometry = {};  // gone meanwhile
    }
    return w;
}

TPoint TQuestionnaireWindow::CloseButton() const {
    // _NET_FRAME_EXTENTS(CARDINAL) = left, right, top, bottom
    const std::string extents = x_.Tool({"xprop", "-id", main_.Id, "_NET_FRAME_EXTENTS"});
    int left = 0, right = 0, top = 0, bottom = 0;
    const std::size_t at = extents.find('=');
    if (at == std::string::npos ||
        std::sscanf(extents.c_str() + at + 1, " %d, %d, %d, %d", &left, &right, &top, &bottom) != 4)
        throw std::runtime_error("no frame extents: " + extents);
    return {main_.Geometry.X + main_.Geometry.Width + right - top / 2, main_.Geometry.Y - top / 2};
}

// Without --sync: xdotool would wait for a motion that never comes when the
// pointer is there already.
void TQuestionnaireWindow::MoveToScreen(TPoint s) const {
    x_.Tool({"xdotool", "mousemove", std::to_string(s.X), std::to_string(s.Y)});
}

void TQuestionnaireWindow::MoveTo(TPoint client) const { MoveToScreen(Screen(client)); }

void TQuestionnaireWindow::ClickScreen(TPoint s, int button) const {
    x_.Tool({"xdotool", "mousemove", std::to_string(s.X), std::to_string(s.Y), "click", std::to_string(button)});
}

void TQuestionnaireWindow::Click(TPoint client, int button) const { ClickScreen(Screen(client), button); }

void TQuestionnaireWindow::DoubleClick(TPoint client) const {
    const TPoint s = Screen(client);
    x_.Tool({"xdotool", "mousemove", std::to_string(s.X), std::to_string(s.Y), "click", "--repeat", "2", "--delay",
             "80", "1"});
}

void TQuestionnaireWindow::Keys(const std::vector<std::string>& keys) const {
    TArgs args{"xdotool", "key", "--delay", "30"};
    args.insert(args.end(), keys.begin(), keys.end());
    x_.Tool(args);
}

void TQuestionnaireWindow::Type(const std::string& utf8) const {
    TArgs args{"xdotool", "type", "--delay", "30", "--", utf8};
    const TRunResult r = Run(args, [&] {
        TEnv env = x_.Env();
        env["LC_ALL"] = "C.UTF-8";  // xdotool reads the text in the locale's encoding
        return env;
    }());
    if (r.Status != 0) throw std::runtime_error("xdotool type failed: " + r.Output);
}

void TQuestionnaireWindow::SetClipboard(const std::string& utf8) const {
    if (FILE* f = std::fopen(clipboardFile_.c_str(), "wb")) {
        std::fwrite(utf8.data(), 1, utf8.size(), f);
        std::fclose(f);
    }
    // xclip stays behind to serve the text until another program takes the clipboard.
    x_.Tool({"xclip", "-selection", "clipboard", "-i", clipboardFile_});
}

std::optional<std::string> TQuestionnaireWindow::CopyFocused() const {
    SetClipboard(kNothingCopied);
    Keys({"ctrl+a", "ctrl+c"});
    std::string text = kNothingCopied;
    WaitUntil(
        [&] {
            const TRunResult r = x_.TryTool({"xclip", "-selection", "clipboard", "-o"});
            text = r.Output;
            return r.Status == 0 && text != kNothingCopied;
        },
        std::chrono::seconds(3));
    if (text == kNothingCopied) return std::nullopt;
    return text;
}

std::optional<std::string> TQuestionnaireWindow::TextOf(TPoint client) const {
    Click(client);
    return CopyFocused();
}

std::vector<TWindow> TQuestionnaireWindow::OtherWindows() const {
    std::vector<TWindow> windows;
    const TRunResult found =
        x_.TryTool({"xdotool", "search", "--onlyvisible", "--pid", std::to_string(process_.Pid()), "--name", "."});
    std::istringstream ids(found.Output);
    for (std::string id; ids >> id;) {
        if (id == main_.Id) continue;
        TWindow w = Describe(id);
        if (w.Geometry.Width > 0) windows.push_back(w);
    }
    return windows;
}

bool TQuestionnaireWindow::WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
    const auto deadline = TClock::now() + timeout;
    for (;;) {
        if (done()) return true;
        if (TClock::now() > deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(40));
    }
}

std::optional<TWindow> TQuestionnaireWindow::WaitForWindow(const std::function<bool(const TWindow&)>& found) const {
    std::optional<TWindow> result;
    WaitUntil([&] {
        for (const TWindow& w : OtherWindows()) {
            if (found(w)) {
                result = w;
                return true;
            }
        }
        return false;
    });
    return result;
}

std::optional<TWindow> TQuestionnaireWindow::PickList() const {
    for (const TWindow& w : OtherWindows())
        if (w.Name == kUntitled) return w;
    return std::nullopt;
}

std::optional<TWindow> TQuestionnaireWindow::WaitForPickList() const {
    return WaitForWindow([](const TWindow& w) { return w.Name == kUntitled; });
}

bool TQuestionnaireWindow::WaitForNoPickList() const {
    return WaitUntil([&] { return !PickList(); });
}

TPoint TQuestionnaireWindow::ListEntry(const TWindow& list, int count, int index) {
    const int rows = std::clamp(count, 1, 8);
    const int rowHeight = (list.Geometry.Height - 2) / rows;
    return {list.Geometry.X + std::min(60, list.Geometry.Width / 2),
            list.Geometry.Y + 1 + rowHeight * index + rowHeight / 2};
}

std::vector<TWindow> TQuestionnaireWindow::SaveDialogs() const {
    std::vector<TWindow> dialogs;
    for (const TWindow& w : OtherWindows())
        if (w.Name == kSaveDialogTitle) dialogs.push_back(w);
    return dialogs;
}

std::optional<TWindow> TQuestionnaireWindow::WaitForSaveDialog() const {
    return WaitForWindow([](const TWindow& w) { return w.Name == kSaveDialogTitle; });
}

std::optional<TWindow> TQuestionnaireWindow::WaitForOpenDialog() const {
    return WaitForWindow([](const TWindow& w) { return w.Name == kOpenDialogTitle; });
}

}  // namespace lk63::desktop
