#pragma once
// One test, one desktop: a fresh X server with a window manager, the program
// started on it with a home folder of the test's own, and the order being
// entered kept beside it. A failed test leaves a screenshot of the desktop
// in the build folder.

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "desktop/order_sheet.h"
#include "desktop/questionnaire_window.h"
#include "desktop/x_session.h"
#include "platform/io/temp_folder.h"

namespace lk63::desktop {

// How a pick list entry is chosen.
enum class TWay {
    Mouse,   // click the cell, then its button, then the entry
    Keys,    // Alt+Down, the arrows to the entry, Enter
    Search,  // Alt+Down, the entry's first letters, Enter
};
// How the editor gets to the row first.
enum class TArrive {
    Click,  // on the row's name
    Arrow,  // Down from the row above, the editor having the keyboard
};

class TDesktopTest : public ::testing::Test {
protected:
    static constexpr int kWidest = -1;  // the entry with the longest text

    void SetUp() override;
    void TearDown() override;

    // Chooses entry `index` of what the row offers (kWidest: the longest) and
    // checks that the editor shows it; the sheet follows.
    void Choose(int grid, int row, TWay way, int index, TArrive arrive = TArrive::Click);
    // Every row by the keyboard: the first entry, the widest in rows 2.8 and 2.9.
    void ChooseAll();
    // "Сохранить в pdf", `typed` into the dialog's file name (nothing typed:
    // the proposed name), Enter, and "Да" when asked to replace the file.
    // Returns when `path` has been written anew and the dialog and the
    // progress window are gone.
    void Save(const std::optional<std::string>& typed, bool replaces, const std::string& path);
    // Types `token` into the organisation's field and reads it back.
    bool KeyboardWorks(const std::string& token);
    // The screen as it is, kept in the build folder under the test's name and `label`.
    void Shot(const std::string& label) const;
    // The pointer where no cell, list or tip is.
    void ParkPointer() const;

    [[nodiscard]] std::string Path(const std::string& name) const { return folder_ / name; }
    [[nodiscard]] std::string Home() const { return folder_ / "home"; }
    [[nodiscard]] std::vector<std::string> Offered(int grid, int row) const { return tool_->Offered(sheet_, grid, row); }

    platform::iotest::TTempFolder folder_;
    std::unique_ptr<TXSession> x_;
    std::unique_ptr<TQuestionnaireWindow> window_;
    std::unique_ptr<TOrderTool> tool_;
    TOrderSheet sheet_;
};

}  // namespace lk63::desktop
