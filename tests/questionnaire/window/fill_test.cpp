// Filling in the questionnaire on screen: the whole way from start to a saved
// PDF and back to an empty window, and how choices in the grids cascade.
#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <sstream>

#include "pdf/pdf_check.h"
#include "platform/io/temp_folder.h"
#include "questionnaire/choose.h"
#include "window_fixture.h"

namespace lk63 {
namespace {

using platform::iotest::ReadFile;
using platform::iotest::TTempFolder;
using test::Key;
using test::TChoose;
using test::TGoTo;
using test::TOpen;
using test::TypeText;

// Whitespace folded to single blanks, so that lines wrapped in the PDF join.
std::string Folded(const std::string& text) { return std::regex_replace(text, std::regex(R"(\s+)"), " "); }

class FillTest : public test::TWindowTest {};

TEST_F(FillTest, FromStartToASavedQuestionnaireAndBackToAnEmptyWindow) {
    const test::TWindowState atStart = State();
    EXPECT_FALSE(atStart.SaveEnabled);
    EXPECT_EQ(atStart.Quantity, "1");
    for (const QString& value : atStart.Breaker) EXPECT_TRUE(value.isEmpty());
    for (const QString& value : atStart.Accessory) EXPECT_TRUE(value.isEmpty());
    EXPECT_TRUE(atStart.Description.isEmpty());
    EXPECT_TRUE(atStart.Composition.isEmpty());

    TypeInto(form.Edit1, QStringLiteral("ООО «Ромашка»"));
    Key(Qt::Key_Tab);
    ASSERT_TRUE(form.Edit2->hasFocus());
    TypeText(QStringLiteral("г. Москва, ул. Ленина, 1, +7 495 000-00-00"));
    Key(Qt::Key_Tab);
    ASSERT_TRUE(form.Edit3->hasFocus());
    TypeText(QStringLiteral("Иванов Иван Иванович"));

    // Every way of reaching a row, opening its list and choosing an entry.
    struct Step {
        TGroup group;
        int option;
        TOpen open;
        TChoose choose;
        TGoTo go;
    };
    const Step steps[] = {
        {TGroup::Breaker, 8, TOpen::AltDown, TChoose::ArrowsAndEnter, TGoTo::ClickName},
        {TGroup::Breaker, 3, TOpen::Button, TChoose::Click, TGoTo::ArrowKeys},
        {TGroup::Breaker, 3, TOpen::AltDown, TChoose::Click, TGoTo::ArrowKeys},
        {TGroup::Breaker, 1, TOpen::Button, TChoose::ArrowsAndEnter, TGoTo::ArrowKeys},
        {TGroup::Breaker, 1, TOpen::Button, TChoose::Click, TGoTo::ClickName},
        {TGroup::Breaker, 9, TOpen::AltDown, TChoose::ArrowsAndEnter, TGoTo::ArrowKeys},
        {TGroup::Breaker, 3, TOpen::Button, TChoose::ArrowsAndEnter, TGoTo::ArrowKeys},
        {TGroup::Breaker, 2, TOpen::AltDown, TChoose::Click, TGoTo::ArrowKeys},
        {TGroup::Accessory, 1, TOpen::Button, TChoose::Click, TGoTo::ClickName},
        {TGroup::Accessory, 1, TOpen::AltDown, TChoose::ArrowsAndEnter, TGoTo::ArrowKeys},
        {TGroup::Accessory, 1, TOpen::Button, TChoose::ArrowsAndEnter, TGoTo::ClickName},
        {TGroup::Accessory, 1, TOpen::AltDown, TChoose::Click, TGoTo::ArrowKeys},
        {TGroup::Accessory, 2, TOpen::Button, TChoose::Click, TGoTo::ArrowKeys},
        {TGroup::Accessory, 3, TOpen::AltDown, TChoose::ArrowsAndEnter, TGoTo::ClickName},
        {TGroup::Accessory, 2, TOpen::Button, TChoose::ArrowsAndEnter, TGoTo::ArrowKeys},
        {TGroup::Accessory, 1, TOpen::AltDown, TChoose::Click, TGoTo::ArrowKeys},
        {TGroup::Accessory, 3, TOpen::Button, TChoose::Click, TGoTo::ClickName},
        {TGroup::Accessory, 1, TOpen::AltDown, TChoose::ArrowsAndEnter, TGoTo::ArrowKeys},
    };
    int row = 0;
    TGroup group = TGroup::Breaker;
    for (const Step& s : steps) {
        if (s.group != group) {
            group = s.group;
            row = 0;
        }
        EXPECT_FALSE(form.Button1->isEnabled()) << "incomplete before row " << row;
        Pick(s.group, row++, s.option, s.open, s.choose, s.go);
        if (HasFatalFailure()) return;
    }
    ASSERT_EQ(form.Questionnaire().Breaker(), (std::array<TQuestionnaire::TSelection, 8>{8, 3, 3, 1, 1, 9, 3, 2}));

    TypeQuantity(QStringLiteral("3"));
    TypeInto(form.Memo4, QStringLiteral("Первая строка примечания"));
    Key(Qt::Key_Return);
    TypeText(QStringLiteral("вторая строка"));

    TQuestionnaire expected;
    lk63::testing::ChooseAll(expected, test::kFourPoleBreaker, test::kFourPoleAccessories);
    const TDerivedTexts& texts = expected.Texts();
    ASSERT_FALSE(texts.Description.empty());
    EXPECT_TRUE(form.Button1->isEnabled());
    EXPECT_EQ(form.Memo1->toPlainText().toStdString(), texts.Description);
    EXPECT_EQ(form.Memo2->toPlainText().toStdString(), texts.OrderCode);
    QStringList composition;
    for (const std::string& line : texts.Composition) composition << QString::fromStdString(line);
    EXPECT_EQ(form.Memo3->toPlainText(), composition.join(u'\n'));
    EXPECT_EQ(form.TableIDLabel->text().toStdString(), std::to_string(expected.TableID()));
    EXPECT_FALSE(form.Memo2->isVisible());
    EXPECT_FALSE(form.TableIDLabel->isVisible());

    TTempFolder folder;
    const std::string path = folder / "Опросный лист.pdf";
    nextPaths = {QString::fromStdString(path)};
    ClickButton(form.Button1);
    EXPECT_EQ(proposals, std::vector<QString>{QString()}) << "nothing is proposed at the first save";
    EXPECT_TRUE(messages.empty()) << messages.front().Text.toStdString();
    ASSERT_EQ(folder.Names(), std::vector<std::string>{"Опросный лист.pdf"});
    const test::TToolResult check = test::RunTool("qpdf --check " + test::Quote(path));
    EXPECT_EQ(check.Status, 0) << check.Output;
    const test::TToolResult text = test::RunTool("pdftotext -raw -enc UTF-8 " + test::Quote(path) + " -");
    ASSERT_EQ(text.Status, 0) << text.Output;
    const std::string page = Folded(text.Output);
    std::vector<std::string> pieces = {
        "ООО «Ромашка»",
        "г. Москва, ул. Ленина, 1, +7 495 000-00-00",
        "Иванов Иван Иванович",
        "Первая строка примечания вторая строка",
        Folded(texts.Description),
        texts.OrderCode,
    };
    for (const std::string& line : texts.Composition) pieces.push_back(line);
    for (const std::string& piece : pieces) EXPECT_NE(page.find(piece), std::string::npos) << piece << "\n" << page;
    EXPECT_TRUE(std::regex_search(text.Output, std::regex("Количество выключателей, шт\\.[^\\n]*\\n?3\\b")))
        << text.Output;

    ClickButton(form.Button3);
    EXPECT_EQ(State(), atStart);
    EXPECT_FALSE(form.Button1->isEnabled());
    EXPECT_FALSE(form.Memo2->isVisible());
    EXPECT_FALSE(form.TableIDLabel->isVisible());
}

TEST_F(FillTest, AChangeInGroupOneEmptiesTheSecondGridsEditorAndFocusesTheFirstGrid) {
    PickAll(test::kFourPoleBreaker, test::kFourPoleAccessories);
    ASSERT_TRUE(form.Button1->isEnabled());
    GoTo(TGroup::Accessory, 4, TGoTo::ClickName);
    ASSERT_EQ(form.InspectorGrid2->Editor()->text(), QStringLiteral("0,5/4/5/9 сек"));

    Pick(TGroup::Breaker, 0, 12, TOpen::Button, TChoose::Click);  // "4000 А"

    EXPECT_TRUE(form.InspectorGrid2->Editor()->text().isEmpty()) << "the editor shows the cleared value";
    EXPECT_TRUE(form.InspectorGrid2->Editor()->isVisible());
    EXPECT_TRUE(form.InspectorGrid1->FocusInside());
    EXPECT_FALSE(form.InspectorGrid2->FocusInside());
    const test::TWindowState s = State();
    EXPECT_EQ(s.Breaker[0], QStringLiteral("4000 А"));
    for (int r = 1; r < 8; ++r) EXPECT_TRUE(s.Breaker[r].isEmpty()) << r;
    for (const QString& value : s.Accessory) EXPECT_TRUE(value.isEmpty());
    EXPECT_TRUE(s.Description.isEmpty());
    EXPECT_TRUE(s.Composition.isEmpty());
    EXPECT_TRUE(s.OrderCode.isEmpty());
    EXPECT_FALSE(s.SaveEnabled);
}

TEST_F(FillTest, AChoiceInGroupTwoClearsOnlyTheRowsBelowIt) {
    PickAll(test::kFourPoleBreaker, test::kFourPoleAccessories);
    const test::TWindowState before = State();
    Pick(TGroup::Accessory, 5, 3, TOpen::Button, TChoose::Click);  // the same option again
    const test::TWindowState after = State();
    EXPECT_EQ(after.Breaker, before.Breaker);
    for (int r = 0; r <= 5; ++r) EXPECT_EQ(after.Accessory[r], before.Accessory[r]) << r;
    for (int r = 6; r < 10; ++r) EXPECT_TRUE(after.Accessory[r].isEmpty()) << r;
    EXPECT_FALSE(after.SaveEnabled);
    EXPECT_TRUE(after.Description.isEmpty());
    EXPECT_TRUE(form.InspectorGrid2->FocusInside()) << "the focus stays where the choice was made";

    Pick(TGroup::Accessory, 6, 2, TOpen::AltDown);
    Pick(TGroup::Accessory, 7, 1, TOpen::AltDown);
    Pick(TGroup::Accessory, 8, 3, TOpen::AltDown);
    Pick(TGroup::Accessory, 9, 1, TOpen::AltDown);
    EXPECT_EQ(State(), before) << "the last missing row completes it again in the same step";
}

// Closing a list without choosing an entry is no choice, whatever the list
// highlighted: nothing is cleared and the focus stays.
TEST_F(FillTest, ClosingAListWithoutChoosingChangesNothing) {
    PickAll(test::kFourPoleBreaker, test::kFourPoleAccessories);
    struct Case {
        const char* way;
        std::function<void(test::TWindowTest&)> close;
        bool focusStays;
    };
    const Case cases[] = {
        {"Esc", [](test::TWindowTest&) { Key(Qt::Key_Escape); }, true},
        {"the button again",
         [this](test::TWindowTest&) {
             TCustomGridEdit* editor = form.InspectorGrid2->Editor();
             QTest::mouseClick(editor, Qt::LeftButton, {}, editor->ButtonRect().center());
         },
         true},
        {"a click into another field",
         [this](test::TWindowTest&) { QTest::mouseClick(form.Edit1, Qt::LeftButton, {}, QPoint(5, 5)); }, false},
        {"a click into the other grid",
         [this](test::TWindowTest&) {
             QTest::mouseClick(form.InspectorGrid1->viewport(), Qt::LeftButton, {},
                               form.InspectorGrid1->CellBounds({0, 3}).center());
         },
         false},
        {"the window deactivated",
         [](test::TWindowTest&) {
             QWidget another;
             test::ShowActive(another);
         },
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.way);
        test::ShowActive(form);
        GoTo(TGroup::Accessory, 2, TGoTo::ClickName);
        const test::TWindowState before = State();
        Open(TGroup::Accessory, TOpen::Button);
        ASSERT_GE(List(TGroup::Accessory)->ItemIndex(), 0) << "the current value is highlighted";
        Key(Qt::Key_Down);
        c.close(*this);
        EXPECT_FALSE(form.InspectorGrid2->Editor()->ListOpen());
        EXPECT_EQ(State(), before);
        if (c.focusStays) {
            EXPECT_TRUE(form.InspectorGrid2->Editor()->hasFocus());
        }
    }
}

TEST_F(FillTest, EscapeOnAnUnchosenRowChangesNothing) {
    const test::TWindowState atStart = State();
    GoTo(TGroup::Breaker, 0, TGoTo::ClickName);
    Open(TGroup::Breaker, TOpen::AltDown);
    EXPECT_EQ(List(TGroup::Breaker)->Count(), 15);
    Key(Qt::Key_Down);
    Key(Qt::Key_Down);
    Key(Qt::Key_Escape);
    EXPECT_EQ(State(), atStart);
    EXPECT_TRUE(form.TableIDLabel->text().isEmpty());
}

TEST_F(FillTest, ValuesCannotBeTypedAndRowsWithoutAChoiceAboveOfferNothing) {
    GoTo(TGroup::Breaker, 0, TGoTo::ClickName);
    TypeText(QStringLiteral("1000"));
    Key(Qt::Key_Delete);
    EXPECT_TRUE(form.InspectorGrid1->Editor()->text().isEmpty());
    for (const auto& [group, row] : {std::pair{TGroup::Breaker, 1}, std::pair{TGroup::Breaker, 7},
                                     std::pair{TGroup::Accessory, 0}}) {
        GoTo(group, row, TGoTo::ClickName);
        Open(group, TOpen::Button);
        EXPECT_EQ(List(group)->Count(), 0) << static_cast<int>(group) << "." << row + 1;
        Key(Qt::Key_Escape);
    }
    EXPECT_FALSE(form.Button1->isEnabled());
}

TEST_F(FillTest, ControlCharactersTypedOrPastedIntoTheFieldsBecomeSpaces) {
    struct Case {
        QString pasted, shown;
    };
    const Case cases[] = {
        {QStringLiteral("ООО\nРомашка"), QStringLiteral("ООО Ромашка")},
        {QStringLiteral("a\r\nb\tc"), QStringLiteral("a  b c")},
        {QStringLiteral("x\u2028y\u0085z"), QStringLiteral("x y z")},
        {QStringLiteral("без управляющих"), QStringLiteral("без управляющих")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pasted.toStdString());
        for (QLineEdit* field : {static_cast<QLineEdit*>(form.Edit1), static_cast<QLineEdit*>(form.Edit3),
                                 static_cast<QLineEdit*>(form.Edit4)}) {
            field->clear();
            QApplication::clipboard()->setText(c.pasted);
            QTest::mouseClick(field, Qt::LeftButton, {}, QPoint(5, 5));
            Key(Qt::Key_V, Qt::ControlModifier);
            EXPECT_EQ(field->text(), c.shown);
        }
    }
}

// A tab in the note is a space as soon as it arrives; the line breaks stay.
TEST_F(FillTest, TabsPastedIntoTheNoteBecomeSpaces) {
    QApplication::clipboard()->setText(QStringLiteral("Первая\tстрока\nвторая\t\tстрока"));
    QTest::mouseClick(form.Memo4->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
    ASSERT_TRUE(form.Memo4->hasFocus());
    Key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(form.Memo4->toPlainText(), QStringLiteral("Первая строка\nвторая  строка"));
}

}  // namespace
}  // namespace lk63
