// What a person on a desktop meets and the offscreen tests cannot show: each
// case is one fault seen on a real X server with a window manager.

#include "desktop/desktop_fixture.h"

namespace lk63::desktop {
namespace {


class FaultTest : public TDesktopTest {};

// A tip window lies over a wide value; on X11 it is where the pointer is.
std::optional<TWindow> TipOver(const TQuestionnaireWindow& window, int grid, int row) {
    const TRect cell = place::ValueCellRect(grid, row);
    const TPoint at = window.Screen({cell.X, cell.Y});
    const TRect onScreen{at.X, at.Y, cell.Width, cell.Height};
    return window.WaitForWindow([&](const TWindow& w) { return w.Geometry.Intersects(onScreen); });
}

TEST_F(FaultTest, AClickOnACellTipReachesTheCellAndTheTipGoesWithThePointer) {
    ASSERT_NO_FATAL_FAILURE(ChooseAll());
    const TPoint onValue{place::ValueCellRect(2, 7).X + 40, place::ValueCell(2, 7).Y};
    window_->Click(place::ValueCell(2, 6));
    window_->MoveTo(onValue);
    ASSERT_TRUE(TipOver(*window_, 2, 7)) << "resting on a wide value shows its tip";
    window_->Click(onValue);
    EXPECT_EQ(window_->CopyFocused().value_or("(nothing copied)"), sheet_.Accessories[7])
        << "the click moved the editor to the row under the tip";

    window_->Click(place::ValueCell(2, 6));
    window_->MoveTo({place::ValueCellRect(2, 8).X + 40, place::ValueCell(2, 8).Y});
    ASSERT_TRUE(TipOver(*window_, 2, 8));
    window_->MoveTo(place::kNote);
    EXPECT_TRUE(TQuestionnaireWindow::WaitUntil([&] { return window_->OtherWindows().empty(); },
                                                std::chrono::seconds(5)))
        << "the tip goes when the pointer leaves the grid";
}

// X11 gives Delete the text U+007F; it must still delete.
TEST_F(FaultTest, DeleteAndBackspaceEditTheQuantity) {
    window_->Click(place::kQuantity);
    window_->Keys({"ctrl+a"});
    window_->Type("1234");
    window_->Keys({"Home", "Delete"});
    EXPECT_EQ(window_->CopyFocused().value_or("(nothing copied)"), "234");
    window_->Keys({"End", "BackSpace"});
    EXPECT_EQ(window_->CopyFocused().value_or("(nothing copied)"), "23");
}

TEST_F(FaultTest, TwoSignsInTheQuantityAreNoNumber) {
    window_->Click(place::kQuantity);
    window_->Keys({"ctrl+a"});
    window_->Type("+-5");
    window_->Keys({"Tab"});
    EXPECT_EQ(window_->TextOf(place::kQuantity).value_or("(nothing copied)"), "+-5")
        << "not a number: leaving the field keeps it";
    window_->Click(place::kQuantityUp);
    EXPECT_EQ(window_->CopyFocused().value_or("(nothing copied)"), "2") << "read as the minimum, 1, and stepped";
}

TEST_F(FaultTest, ReleasingTheRightButtonOnAnEntryChoosesIt) {
    const std::vector<std::string> entries = Offered(1, 0);
    window_->Click(place::ValueCell(1, 0));
    window_->Click(place::ValueButton(1, 0));
    const std::optional<TWindow> list = window_->WaitForPickList();
    ASSERT_TRUE(list);
    window_->ClickScreen(TQuestionnaireWindow::ListEntry(*list, static_cast<int>(entries.size()), 2), 3);
    EXPECT_TRUE(window_->WaitForNoPickList()) << "the release closed the list";
    EXPECT_EQ(window_->CopyFocused().value_or("(nothing copied)"), entries[2]);
}

// The progress window comes and goes within milliseconds; now and then the
// window manager gave it the focus after it had gone.
TEST_F(FaultTest, TheKeyboardStaysWithTheWindowAfterEverySave) {
    ASSERT_NO_FATAL_FAILURE(ChooseAll());
    constexpr int kSaves = 10;
    int lost = 0;
    for (int n = 0; n < kSaves; ++n) {
        ASSERT_NO_FATAL_FAILURE(
            Save(n == 0 ? std::optional<std::string>(Path("опрос")) : std::nullopt, n > 0, Path("опрос.pdf")));
        if (!KeyboardWorks("сохранение " + std::to_string(n))) {
            ++lost;
            Shot("keyboard-lost-after-save-" + std::to_string(n + 1));
        }
    }
    EXPECT_EQ(lost, 0) << "saves after which typing went nowhere, of " << kSaves;
}

TEST_F(FaultTest, PastedLineBreaksAndTabsBecomeSpaces) {
    struct Case {
        const char* field;
        TPoint at;
        std::string pasted, shown;
    };
    const Case cases[] = {
        {"quantity", place::kQuantity, "1\n2\t3", "1 2 3"},
        {"organisation", place::Edit(1), "ООО\r\nРомашка", "ООО  Ромашка"},
        {"note", place::kNote, "первая\tвторая\nтретья", "первая вторая\nтретья"},
    };
    for (const Case& c : cases) {
        window_->SetClipboard(c.pasted);
        window_->Click(c.at);
        window_->Keys({"ctrl+a", "ctrl+v"});
        EXPECT_EQ(window_->CopyFocused().value_or("(nothing copied)"), c.shown) << c.field;
    }
}

// The toolkit drops a window manager's close request while a dialog blocks the window.
TEST_F(FaultTest, AClosedWindowClosesOnceTheSaveDialogIsDone) {
    ASSERT_NO_FATAL_FAILURE(ChooseAll());
    window_->Click(place::kSaveButton);
    ASSERT_TRUE(window_->WaitForSaveDialog());
    window_->ClickScreen(window_->CloseButton());
    window_->Keys({"Escape"});
    ASSERT_TRUE(window_->WaitForExit(std::chrono::seconds(15))) << "the program ended after the dialog";
    EXPECT_EQ(window_->ExitStatus(), 0);
}

TEST_F(FaultTest, AReadOnlyMemoHidesItsSelectionAndTheFirstSaveStartsInDocuments) {
    ASSERT_NO_FATAL_FAILURE(ChooseAll());
    // The first line of the description, as the screen shows it.
    const TPoint corner = window_->Screen({8 + 2, 651 + 2});
    const auto memo = [&](const std::string& name) {
        const std::string path = Path(name + ".ppm");
        x_->Tool({"import", "-window", "root", "-crop",
                  "900x16+" + std::to_string(corner.X) + "+" + std::to_string(corner.Y), "+repage", path});
        return platform::iotest::ReadFile(path);
    };
    ParkPointer();
    const std::string plain = memo("plain");
    window_->DoubleClick({60, 651 + 9});
    const std::string selected = memo("selected");
    EXPECT_TRUE(selected != plain) << "a double click selects a word";
    window_->Click(place::Edit(1));
    EXPECT_TRUE(memo("unfocused") == plain) << "the selection shows only while the memo has the focus";

    // Before the first save the dialog shows the documents folder: a bare name goes there.
    ASSERT_NO_FATAL_FAILURE(Save("опрос", false, Home() + "/Documents/опрос.pdf"));
}

}  // namespace
}  // namespace lk63::desktop
