// A saved questionnaire opens again on a real desktop: Ctrl+O through the
// toolkit's dialog, and the file named on the program's command line.

#include "desktop/desktop_fixture.h"

namespace lk63::desktop {
namespace {

class OpenTest : public TDesktopTest {
protected:
    // The first entry of every row, and fields of each kind.
    TOrderSheet Sheet() const {
        TOrderSheet sheet;
        sheet.Organisation = "ООО «Ромашка»";
        sheet.Contact = "Иванов И. И.";
        sheet.Quantity = "12";
        for (int row = 0; row < 8; ++row) sheet.Breaker.push_back(tool_->Offered(sheet, 1, row).at(0));
        for (int row = 0; row < 10; ++row) sheet.Accessories.push_back(tool_->Offered(sheet, 2, row).at(0));
        return sheet;
    }

    // The window shows the sheet; the file opens after the window comes up.
    void ExpectShown(const TOrderSheet& sheet) const {
        EXPECT_TRUE(TQuestionnaireWindow::WaitUntil(
            [&] { return window_->TextOf(place::Edit(1)) == sheet.Organisation; }))
            << window_->TextOf(place::Edit(1)).value_or("(nothing copied)");
        EXPECT_EQ(window_->TextOf(place::Edit(3)).value_or("(nothing copied)"), sheet.Contact);
        EXPECT_EQ(window_->TextOf(place::kQuantity).value_or("(nothing copied)"), sheet.Quantity);
        window_->Click(place::ValueCell(2, 9));
        EXPECT_EQ(window_->CopyFocused().value_or("(nothing copied)"), sheet.Accessories[9]);
    }
};

TEST_F(OpenTest, ASavedQuestionnaireOpensWithCtrlOAndFromTheCommandLine) {
    const TOrderSheet sheet = Sheet();
    const std::string saved = Path("опрос.pdf");
    tool_->Pdf(sheet, saved);

    window_->Click(place::Edit(2));
    window_->Keys({"ctrl+o"});
    ASSERT_TRUE(window_->WaitForOpenDialog()) << "Ctrl+O shows the open dialog";
    window_->Keys({"ctrl+a"});
    window_->Type(saved);
    window_->Keys({"Return"});
    ASSERT_TRUE(TQuestionnaireWindow::WaitUntil([&] { return window_->OtherWindows().empty(); }))
        << "the dialog goes";
    ExpectShown(sheet);

    window_.reset();
    window_ = std::make_unique<TQuestionnaireWindow>(*x_, LK63_QUESTIONNAIRE, folder_.Path(),
                                                     std::vector<std::string>{saved});
    ExpectShown(sheet);
}

}  // namespace
}  // namespace lk63::desktop
