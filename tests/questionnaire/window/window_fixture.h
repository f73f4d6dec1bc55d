#pragma once
// The main window on the offscreen platform, driven like a customer drives
// it: mouse clicks on cells and buttons, keys into whatever has the focus.
// The file dialog and the message box are replaced by recorders.

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "controls/custom_grid_edit.h"
#include "controls/gui_helpers.h"
#include "controls/grid_list_box.h"
#include "controls/inspector_grid.h"
#include "controls/spin_edit.h"
#include "questionnaire/questionnaire.h"
#include "questionnaire/window/main_form.h"
#include "questionnaire/window/note_edit.h"
#include "questionnaire/window/single_line_edit.h"

namespace lk63::test {

// How a pick list is opened.
enum class TOpen { Button, AltDown };
// How its entry is chosen once it is open.
enum class TChoose { ArrowsAndEnter, Click };
// How the editor gets to the row.
enum class TGoTo { ClickName, ArrowKeys };

// Types text into whatever has the focus, one key per character; characters
// beyond ASCII arrive as the text of an unnamed key, as an input method sends them.
inline void TypeText(const QString& text) {
    for (const QChar c : text) {
        QWidget* target = QApplication::focusWidget();
        ASSERT_NE(target, nullptr) << "no widget has the input focus";
        if (c.unicode() < 0x80 && c.unicode() >= 0x20) {
            QTest::keyClick(target, static_cast<char>(c.unicode()));
        } else {
            QTest::sendKeyEvent(QTest::Click, target, Qt::Key_unknown, QString(c), Qt::NoModifier);
        }
    }
}

struct TShownMessage {
    QString Caption, Text;
};

// What the window shows, for comparing two moments.
struct TWindowState {
    std::vector<QString> Breaker, Accessory;  // value cells
    QString Organisation, Address, Contact, Quantity, Note, Description, OrderCode, Composition, TableID;
    bool SaveEnabled = false;
    friend bool operator==(const TWindowState&, const TWindowState&) = default;
};

inline std::ostream& operator<<(std::ostream& os, const TWindowState& s) {
    os << "{";
    for (const QString& v : s.Breaker) os << "[" << v.toStdString() << "]";
    os << " | ";
    for (const QString& v : s.Accessory) os << "[" << v.toStdString() << "]";
    return os << " org [" << s.Organisation.toStdString() << "] qty [" << s.Quantity.toStdString() << "] note ["
              << s.Note.toStdString() << "] description [" << s.Description.toStdString() << "] table ["
              << s.TableID.toStdString() << "] save " << s.SaveEnabled << "}";
}

class TWindowTest : public ::testing::Test {
protected:
    TWindowTest() {
        form.SetFileDialog([this](QWidget*, const QString& proposed) -> std::optional<QString> {
            proposals.push_back(proposed);
            if (duringDialog) duringDialog();
            if (nextPaths.empty()) return std::nullopt;
            const std::optional<QString> path = nextPaths.front();
            nextPaths.erase(nextPaths.begin());
            return path;
        });
        form.SetMessageBox([this](QWidget*, const QString& caption, const QString& text) {
            messages.push_back({caption, text});
        });
    }

    void SetUp() override { ShowActive(form); }

    TInspectorGrid* Grid(TGroup group) const {
        return group == TGroup::Breaker ? form.InspectorGrid1 : form.InspectorGrid2;
    }
    static int Rows(TGroup group) { return TQuestionnaire::RowCount(group); }

    // Moves the editor of the group's grid to `row`.
    void GoTo(TGroup group, int row, TGoTo how) {
        TInspectorGrid* grid = Grid(group);
        if (how == TGoTo::ClickName || !grid->FocusInside()) {
            QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->CellBounds({0, row}).center());
        } else {
            while (grid->FocusedCell().Row < row) Key(Qt::Key_Down);
            while (grid->FocusedCell().Row > row) Key(Qt::Key_Up);
        }
        ASSERT_EQ(grid->FocusedCell(), (TGridCell{1, row}));
        ASSERT_TRUE(grid->Editor() && grid->Editor()->hasFocus()) << "the editor takes the keys";
    }

    void Open(TGroup group, TOpen how) {
        TCustomGridEdit* editor = Grid(group)->Editor();
        if (how == TOpen::Button) {
            QTest::mouseClick(editor, Qt::LeftButton, {}, editor->ButtonRect().center());
        } else {
            Key(Qt::Key_Down, Qt::AltModifier);
        }
        ASSERT_TRUE(editor->ListOpen());
    }

    TGridListBox* List(TGroup group) const { return Grid(group)->Editor()->ListBox(); }

    // Clicks an entry of the open list, first scrolling it into view with the arrows.
    void ClickEntry(TGroup group, int index) {
        TGridListBox* list = List(group);
        while (index >= list->TopIndex() + list->VisibleRows()) Key(Qt::Key_Down);
        while (index < list->TopIndex()) Key(Qt::Key_Up);
        const QPoint at(list->ClientSize().width() / 2,
                        (index - list->TopIndex()) * list->RowHeight() + list->RowHeight() / 2);
        QTest::mousePress(list->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, at);
    }

    void ArrowTo(TGroup group, int index) {
        TGridListBox* list = List(group);
        for (int guard = 0; list->ItemIndex() != index && guard < 64; ++guard)
            Key(list->ItemIndex() < index ? Qt::Key_Down : Qt::Key_Up);
        ASSERT_EQ(list->ItemIndex(), index);
    }

    // Chooses option `option` of the row (its number in the catalogue) through the pick list.
    void Pick(TGroup group, int row, int option, TOpen open = TOpen::AltDown,
              TChoose choose = TChoose::ArrowsAndEnter, TGoTo go = TGoTo::ClickName) {
        SCOPED_TRACE("row " + std::to_string(static_cast<int>(group)) + "." + std::to_string(row + 1));
        GoTo(group, row, go);
        Open(group, open);
        const QString text = QString::fromStdString(
            form.Questionnaire().OptionList(group, row).at(static_cast<std::size_t>(option)).Text);
        const int index = static_cast<int>(List(group)->Items().indexOf(text));
        ASSERT_GE(index, 0) << text.toStdString() << " is not offered";
        if (choose == TChoose::Click) {
            ClickEntry(group, index);
        } else {
            ArrowTo(group, index);
            Key(Qt::Key_Return);
        }
        ASSERT_FALSE(Grid(group)->Editor()->ListOpen());
        EXPECT_EQ(Grid(group)->CellText({1, row}), text);
    }

    // Fills the whole questionnaire through the pick lists, row by row.
    void PickAll(const std::vector<int>& breaker, const std::vector<int>& accessory) {
        for (std::size_t r = 0; r < breaker.size(); ++r) Pick(TGroup::Breaker, static_cast<int>(r), breaker[r]);
        for (std::size_t r = 0; r < accessory.size(); ++r)
            Pick(TGroup::Accessory, static_cast<int>(r), accessory[r]);
    }

    // Types into a field after clicking it.
    static void TypeInto(QWidget* field, const QString& text) {
        QTest::mouseClick(field, Qt::LeftButton, {}, QPoint(5, 5));
        ASSERT_TRUE(field->hasFocus() || field->isAncestorOf(QApplication::focusWidget()));
        TypeText(text);
    }

    // Replaces the quantity's text by typing.
    void TypeQuantity(const QString& text) {
        QTest::mouseClick(form.Edit4, Qt::LeftButton, {}, QPoint(5, 5));
        QTest::keyClick(form.Edit4, Qt::Key_End);
        while (!form.Edit4->text().isEmpty()) QTest::keyClick(form.Edit4, Qt::Key_Backspace);
        QTest::keyClicks(form.Edit4, text);
    }

    // Clicks a button and lets the event loop run, as it does before the user's next action.
    static void ClickButton(QPushButton* button) {
        QTest::mouseClick(button, Qt::LeftButton);
        QApplication::processEvents();
    }

    TWindowState State() const {
        TWindowState s;
        for (int r = 0; r < Rows(TGroup::Breaker); ++r) s.Breaker.push_back(form.InspectorGrid1->CellText({1, r}));
        for (int r = 0; r < Rows(TGroup::Accessory); ++r)
            s.Accessory.push_back(form.InspectorGrid2->CellText({1, r}));
        s.Organisation = form.Edit1->text();
        s.Address = form.Edit2->text();
        s.Contact = form.Edit3->text();
        s.Quantity = form.Edit4->text();
        s.Note = form.Memo4->toPlainText();
        s.Description = form.Memo1->toPlainText();
        s.OrderCode = form.Memo2->toPlainText();
        s.Composition = form.Memo3->toPlainText();
        s.TableID = form.TableIDLabel->text();
        s.SaveEnabled = form.Button1->isEnabled();
        return s;
    }

    // Paths the file dialog gives, in turn; none left: the dialog is cancelled.
    std::vector<std::optional<QString>> nextPaths;
    std::vector<QString> proposals;
    std::function<void()> duringDialog;
    std::vector<TShownMessage> messages;
    TMainForm form;
};

// The four-pole breaker with every accessory: option numbers of rows 1.1..1.8 and 2.1..2.10.
inline const std::vector<int> kFourPoleBreaker = {8, 3, 3, 1, 1, 9, 3, 2};
inline const std::vector<int> kFourPoleAccessories = {1, 1, 1, 1, 2, 3, 2, 1, 3, 1};

}  // namespace lk63::test
