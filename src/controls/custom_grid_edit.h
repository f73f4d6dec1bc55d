#pragma once
// The in-cell editor of a grid: a borderless text field placed over the
// focused cell's inner rectangle, with an optional button at its right end
// that opens the drop-down pick list (TGridListBox). It asks the grid before
// every change of its text, so an owner can refuse all modification while
// caret movement, selection and copying keep working.

#include <memory>

#include <QLineEdit>
#include <QPointer>

#include "controls/grid_cell.h"
#include "controls/grid_types.h"

class QMenu;

namespace lk63 {

class TCustomGridView;
class TGridListBox;
class TListCancelFilter;

class TCustomGridEdit : public QLineEdit {
public:
    explicit TCustomGridEdit(TCustomGridView* grid);
    ~TCustomGridEdit() override;

    [[nodiscard]] TCustomGridView* Grid() const { return grid_; }
    [[nodiscard]] qint64 ClickTime() const { return clickTime_; }
    void SetClickTime(qint64 value) { clickTime_ = value; }
    [[nodiscard]] TGridEditStyle EditStyle() const { return editStyle_; }
    void SetEditStyle(TGridEditStyle value);
    [[nodiscard]] bool WantReturns() const { return wantReturns_; }
    [[nodiscard]] bool WordWrap() const { return wordWrap_; }
    [[nodiscard]] TAlignment Alignment() const { return alignment_; }
    [[nodiscard]] const QString& EditMask() const { return editMask_; }
    [[nodiscard]] int ListRows() const { return listRows_; }
    void SetListRows(int value) { listRows_ = value; }
    [[nodiscard]] bool ListOpen() const { return listOpen_; }
    // The list, once it has been opened (nullptr before).
    [[nodiscard]] TGridListBox* ListBox() const { return list_.get(); }
    [[nodiscard]] int ButtonWidth() const { return buttonWidth_; }
    void SetButtonWidth(int value);
    [[nodiscard]] bool ButtonPressed() const { return buttonPressed_; }
    [[nodiscard]] bool Defocusing() const { return defocusing_; }
    // In the editor's own coordinates.
    [[nodiscard]] QRect ButtonRect() const;
    [[nodiscard]] QRect TextRect() const { return textRect_; }

    void OpenList();
    void CloseList(bool accept);

    // Binding: maximum length, read-only state, line options, mask and text
    // from the grid's EditorCell.
    virtual void RefreshContents();
    // EditStyle from the grid's edit style for EditorCell.
    void RefreshStyle();
    virtual void ApplyColors();
    // Places the editor over EditorCell and sets its text area.
    virtual void UpdateBounds();

protected:
    bool event(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dropEvent(QDropEvent* e) override;
    void inputMethodEvent(QInputMethodEvent* e) override;

    void SetTextArea(const QRect& area);
    // Paints the button face and glyph of the current style.
    void PaintButton(QPainter& painter) const;

private:
    friend class TCustomGridView;
    friend class TListCancelFilter;

    void HandleKey(QKeyEvent* e);
    [[nodiscard]] bool HandedToGrid(const QKeyEvent* e);
    // Lets the text field handle an input event; a change that the grid refuses is undone.
    template <class F>
    void PassToField(F&& handle, bool alreadyAllowed);
    [[nodiscard]] bool CanModify();
    void ButtonPress();
    void SelectNext();
    void DoubleClicked();
    void ListReleased(bool inside);
    void TextEdited();
    [[nodiscard]] TGridListBox& EnsureList();

    TCustomGridView* grid_;
    qint64 clickTime_ = 0;
    TGridEditStyle editStyle_ = TGridEditStyle::geSimple;
    bool wantReturns_ = false;
    bool wordWrap_ = false;
    TAlignment alignment_ = TAlignment::taLeftJustify;
    QString editMask_;
    int listRows_ = 8;
    bool listOpen_ = false;
    std::unique_ptr<TGridListBox> list_;
    std::unique_ptr<TListCancelFilter> cancelFilter_;
    int buttonWidth_;
    bool buttonTracking_ = false;
    bool buttonPressed_ = false;
    bool forwardingToList_ = false;
    bool defocusing_ = false;
    bool inField_ = false;
    QRect textRect_;
};

}  // namespace lk63
