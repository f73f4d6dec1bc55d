#pragma once
// lk63-questionnaire on a test desktop, driven and read only as a person
// would: the pointer and the keyboard through the X server (XTEST), what it
// puts on the clipboard, the windows it shows and the files it writes.

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "desktop/child_process.h"
#include "desktop/x_session.h"

namespace lk63::desktop {

struct TPoint {
    int X = 0, Y = 0;
};

struct TRect {
    int X = 0, Y = 0, Width = 0, Height = 0;
    [[nodiscard]] bool Contains(TPoint p) const { return p.X >= X && p.X < X + Width && p.Y >= Y && p.Y < Y + Height; }
    [[nodiscard]] bool Intersects(const TRect& r) const {
        return X < r.X + r.Width && r.X < X + Width && Y < r.Y + r.Height && r.Y < Y + Height;
    }
    [[nodiscard]] TPoint Center() const { return {X + Width / 2, Y + Height / 2}; }
};

struct TWindow {
    std::string Id;
    std::string Name;
    TRect Geometry;  // on the screen, without the window manager's frame
};

// Places of the window's controls in its client area, as its fixed layout has them.
namespace place {
TPoint Edit(int number);  // Edit1 .. Edit3
inline constexpr TPoint kQuantity{480, 514};
inline constexpr TPoint kQuantityUp{553, 510};
inline constexpr TPoint kNote{400, 592};
inline constexpr TPoint kDescription{400, 686};
inline constexpr TPoint kSaveButton{68, 835};
inline constexpr TPoint kResetButton{173, 835};
// Grids: `grid` 1 or 2, `row` from 0.
TPoint NameCell(int grid, int row);
TPoint ValueCell(int grid, int row);
TRect ValueCellRect(int grid, int row);
TPoint ValueButton(int grid, int row);
}  // namespace place

class TQuestionnaireWindow {
public:
    static constexpr auto kWait = std::chrono::seconds(15);

    // Starts the program on `x` in `folder`, with `folder`/home as the
    // user's home folder and `arguments` on its command line, and waits for
    // its window. Throws when it does not come up.
    TQuestionnaireWindow(TXSession& x, const std::string& program, const std::string& folder,
                         const std::vector<std::string>& arguments = {});
    ~TQuestionnaireWindow();

    [[nodiscard]] TXSession& X() const { return x_; }
    [[nodiscard]] bool Running() { return process_.Running(); }
    bool WaitForExit(std::chrono::milliseconds timeout) { return process_.WaitForExit(timeout); }
    [[nodiscard]] int ExitStatus() const { return process_.ExitStatus(); }
    [[nodiscard]] const TWindow& Main() const { return main_; }
    // A point of the client area on the screen.
    [[nodiscard]] TPoint Screen(TPoint client) const { return {main_.Geometry.X + client.X, main_.Geometry.Y + client.Y}; }
    // The middle of the main window's close button in the window manager's title bar.
    [[nodiscard]] TPoint CloseButton() const;

    // ---- input (points in client coordinates unless named screen)
    void MoveTo(TPoint client) const;
    void MoveToScreen(TPoint screen) const;
    void Click(TPoint client, int button = 1) const;
    void ClickScreen(TPoint screen, int button = 1) const;
    void DoubleClick(TPoint client) const;
    // xdotool key names, pressed in turn ("ctrl+a", "Home", "alt+Down").
    void Keys(const std::vector<std::string>& keys) const;
    // Text typed key by key, Russian letters included.
    void Type(const std::string& utf8) const;
    // Puts text on the clipboard as another program would.
    void SetClipboard(const std::string& utf8) const;

    // ---- reading
    // Selects all and copies in the control that has the keyboard focus, then
    // reads the clipboard: none when the copy never arrived (the keys went nowhere).
    [[nodiscard]] std::optional<std::string> CopyFocused() const;
    // Clicks the field first.
    [[nodiscard]] std::optional<std::string> TextOf(TPoint client) const;

    // ---- windows of the program other than the main window
    [[nodiscard]] std::vector<TWindow> OtherWindows() const;
    // Polls until `found` names a window (its id), or none after kWait.
    [[nodiscard]] std::optional<TWindow> WaitForWindow(const std::function<bool(const TWindow&)>& found) const;
    // Polls until `done` holds, at most `timeout`; says whether it did.
    static bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout = kWait);

    // The open pick list (an unnamed window below or above the editor).
    [[nodiscard]] std::optional<TWindow> PickList() const;
    [[nodiscard]] std::optional<TWindow> WaitForPickList() const;
    bool WaitForNoPickList() const;
    // The middle of entry `index` of an open list showing `count` entries (at most 8 at once, the first on top).
    [[nodiscard]] static TPoint ListEntry(const TWindow& list, int count, int index);

    // The open dialog of Ctrl+O.
    [[nodiscard]] std::optional<TWindow> WaitForOpenDialog() const;
    // The save dialog and the question before a file is replaced.
    [[nodiscard]] std::optional<TWindow> WaitForSaveDialog() const;
    [[nodiscard]] std::vector<TWindow> SaveDialogs() const;

private:
    TWindow Describe(const std::string& id) const;

    TXSession& x_;
    TChildProcess process_;
    TWindow main_;
    std::string clipboardFile_;
};

}  // namespace lk63::desktop
