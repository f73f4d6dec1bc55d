#pragma once
// A window with a grid laid out like a name/value list (column 0 not
// focusable, the editor always on in column 1, pick lists in the value cells)
// and a second control to move the focus to.

#include <memory>
#include <vector>

#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "controls/custom_grid_edit.h"
#include "controls/custom_grid_view.h"
#include "controls/grid_list_box.h"
#include "gui_helpers.h"

namespace lk63::test {

struct TCloseUp {
    TGridCell cell;
    int index;
    bool accept;
    friend bool operator==(const TCloseUp&, const TCloseUp&) = default;
};

inline std::ostream& operator<<(std::ostream& os, const TCloseUp& c) {
    return os << "{cell " << c.cell.Col << "," << c.cell.Row << " index " << c.index << " accept " << c.accept << "}";
}

class TEditWindow {
public:
    explicit TEditWindow(int valueWidth = 180, int rows = 5) {
        grid = new TCustomGridView(&window);
        window.resize(400, 300);
        grid->setGeometry(0, 0, 100 + valueWidth + 4, 20 * rows + 4);
        other = new QLineEdit(&window);
        other->setGeometry(0, 200, 200, 24);
        label = new QLabel(QStringLiteral("a label"), &window);
        label->setGeometry(220, 200, 100, 24);
        values.assign(static_cast<std::size_t>(rows), QString());
        styles.assign(static_cast<std::size_t>(rows), TGridEditStyle::gePickList);
        items.assign(static_cast<std::size_t>(rows), QStringList{});

        grid->Columns().BeginUpdate();
        TGridColumn& name = grid->Columns().Add();
        name.SetWidth(100);
        name.SetTabStop(false);
        name.SetReadOnly(true);
        grid->Columns().Add().SetWidth(valueWidth);
        grid->Columns().EndUpdate();
        grid->Rows().SetHeight(20);
        grid->Rows().SetCount(rows);

        grid->OnGetCellText = [this](TCustomGridView&, const TGridCell& cell, QString& value) {
            value = cell.Col == 0 ? QStringLiteral("Name %1").arg(cell.Row) : values.at(static_cast<std::size_t>(cell.Row));
        };
        grid->OnGetEditStyle = [this](TCustomGridView&, const TGridCell& cell, TGridEditStyle& style) {
            if (cell.Col == 1) style = styles.at(static_cast<std::size_t>(cell.Row));
        };
        grid->OnGetEditList = [this](TCustomGridView&, const TGridCell& cell, QStringList& list) {
            list = items.at(static_cast<std::size_t>(cell.Row));
        };
        grid->OnEditCanModify = [this](TCustomGridView&, const TGridCell&, bool& can) {
            ++modifyQuestions;
            if (!canModify) can = false;
        };
        grid->OnEditCloseUp = [this](TCustomGridView&, const TGridCell& cell, int index, bool& accept) {
            closeUps.push_back({cell, index, accept});
        };
        grid->SetAlwaysEdit(true);
    }

    // Shows the window with the editor in the value cell of `row`.
    void Show(int row = 0) {
        ShowActive(window);
        // Rebuilt the way an owner does after its values changed underneath.
        grid->SetAlwaysEdit(false);
        grid->SetAlwaysEdit(true);
        grid->SetFocus();
        grid->MoveFocus({1, row}, true, true);
        QApplication::processEvents();
    }

    [[nodiscard]] TCustomGridEdit* Editor() const { return grid->Editor(); }
    [[nodiscard]] TGridListBox* List() const { return grid->Editor()->ListBox(); }

    void ClickButton() {
        QTest::mouseClick(Editor(), Qt::LeftButton, {}, Editor()->ButtonRect().center());
    }
    [[nodiscard]] QPoint ListRowCenter(int row) const {
        return QPoint(List()->ClientSize().width() / 2, (row - List()->TopIndex()) * List()->RowHeight() +
                                                            List()->RowHeight() / 2);
    }

    std::vector<QString> values;
    std::vector<TGridEditStyle> styles;
    std::vector<QStringList> items;
    bool canModify = false;
    int modifyQuestions = 0;
    std::vector<TCloseUp> closeUps;
    // Last, so that the window and its grid go before the data they report to.
    QWidget window;
    TCustomGridView* grid = nullptr;
    QLineEdit* other = nullptr;
    QLabel* label = nullptr;
};

}  // namespace lk63::test
