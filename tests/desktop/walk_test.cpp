// A customer's way through the window on a real desktop: Russian text typed
// into the fields, all eighteen rows chosen with the mouse and with the
// keyboard, lists closed without a choice, the quantity and the note, two
// saves through the dialog (the second replacing the file), and "Сбросить".

#include "desktop/desktop_fixture.h"

namespace lk63::desktop {
namespace {


class WalkTest : public TDesktopTest {};

TEST_F(WalkTest, FromAnEmptyWindowToASavedQuestionnaireAndBack) {
    sheet_.Organisation = "ООО Ромашка-Юг";
    sheet_.Address = "г. Москва, ул. Щорса, д. 5, тел. 8-495-000-00-00";
    sheet_.Contact = "Жуков Фёдор Эдуардович";
    const std::string fields[] = {sheet_.Organisation, sheet_.Address, sheet_.Contact};
    for (int n = 1; n <= 3; ++n) {
        window_->Click(place::Edit(n));
        window_->Type(fields[n - 1]);
        EXPECT_EQ(window_->CopyFocused().value_or("(nothing copied)"), fields[n - 1]) << "Edit" << n;
    }

    // Every way of choosing, each row once.
    struct Step {
        int grid, row;
        TWay way;
        int index;
        TArrive arrive;
    };
    const Step steps[] = {
        {1, 0, TWay::Mouse, 2, TArrive::Click},  {1, 1, TWay::Keys, 1, TArrive::Arrow},
        {1, 2, TWay::Search, 0, TArrive::Arrow}, {1, 3, TWay::Mouse, 0, TArrive::Click},
        {1, 4, TWay::Keys, 0, TArrive::Click},   {1, 5, TWay::Search, 1, TArrive::Arrow},
        {1, 6, TWay::Keys, 0, TArrive::Arrow},   {1, 7, TWay::Mouse, 0, TArrive::Click},
        {2, 0, TWay::Keys, 1, TArrive::Click},   {2, 1, TWay::Mouse, 1, TArrive::Click},
        {2, 2, TWay::Search, 1, TArrive::Click}, {2, 3, TWay::Keys, 1, TArrive::Arrow},
        {2, 4, TWay::Mouse, 0, TArrive::Click},  {2, 5, TWay::Search, 1, TArrive::Click},
        {2, 6, TWay::Keys, 1, TArrive::Arrow},   {2, 7, TWay::Keys, kWidest, TArrive::Arrow},
        {2, 8, TWay::Mouse, kWidest, TArrive::Click}, {2, 9, TWay::Search, 1, TArrive::Click},
    };
    for (const Step& s : steps) {
        const int count = static_cast<int>(Offered(s.grid, s.row).size());
        // Fewer entries than the plan asks for: the last one.
        const int index = s.index == kWidest ? kWidest : std::min(s.index, count - 1);
        ASSERT_NO_FATAL_FAILURE(Choose(s.grid, s.row, s.way, index, s.arrive));
    }

    // A list closed with Esc, and one closed by a click elsewhere, change nothing.
    window_->Click(place::NameCell(1, 0));
    ParkPointer();
    window_->Keys({"alt+Down"});
    ASSERT_TRUE(window_->WaitForPickList());
    window_->Keys({"Down", "Escape"});
    EXPECT_TRUE(window_->WaitForNoPickList()) << "Esc closes the list";
    EXPECT_EQ(window_->CopyFocused().value_or("(nothing copied)"), sheet_.Breaker[0]);
    window_->Click(place::ValueButton(1, 0));
    ASSERT_TRUE(window_->WaitForPickList());
    window_->Click(place::Edit(2));
    EXPECT_TRUE(window_->WaitForNoPickList()) << "a click elsewhere closes the list";
    EXPECT_EQ(window_->TextOf(place::ValueCell(1, 0)).value_or("(nothing copied)"), sheet_.Breaker[0]);

    // The quantity emptied with Backspace and typed again; a note of two lines.
    sheet_.Quantity = "25";
    window_->Click(place::kQuantity);
    window_->Keys({"End", "BackSpace", "BackSpace", "BackSpace"});
    window_->Type(sheet_.Quantity);
    EXPECT_EQ(window_->CopyFocused().value_or("(nothing copied)"), sheet_.Quantity);
    sheet_.Note = "Поставка в июне.\nСчёт выставить на ООО Ромашка-Юг.";
    window_->Click(place::kNote);
    window_->Type("Поставка в июне.");
    window_->Keys({"Return"});
    window_->Type("Счёт выставить на ООО Ромашка-Юг.");

    // A bare name typed into the dialog gets ".pdf"; the page reads as the tool prints it.
    const std::string saved = Path("Опросный лист.pdf");
    ASSERT_NO_FATAL_FAILURE(Save(Path("Опросный лист"), false, saved)) << "saved with the suffix";
    const std::string reference = Path("reference.pdf");
    tool_->Pdf(sheet_, reference);
    EXPECT_EQ(PdfText(saved), PdfText(reference));

    // Saved again under the proposed name: the question, "Да", a new file.
    const std::string firstBytes = platform::iotest::ReadFile(saved);
    ASSERT_NO_FATAL_FAILURE(Save(std::nullopt, true, saved));
    EXPECT_TRUE(platform::iotest::ReadFile(saved) != firstBytes) << "replaced (a new document ID)";
    EXPECT_EQ(PdfText(saved), PdfText(reference));

    // "Сбросить": the fields are empty and nothing can be saved.
    window_->Click(place::kResetButton);
    window_->Click(place::Edit(1));
    window_->Keys({"End"});
    window_->Type("после сброса");
    EXPECT_EQ(window_->CopyFocused().value_or("(nothing copied)"), "после сброса") << "the field was emptied";
    window_->Click(place::kSaveButton);
    EXPECT_FALSE(TQuestionnaireWindow::WaitUntil([&] { return !window_->SaveDialogs().empty(); },
                                                 std::chrono::seconds(2)))
        << "the save command is disabled after a reset";
}

}  // namespace
}  // namespace lk63::desktop
