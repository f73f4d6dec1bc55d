// The grid side of editing: when the editor is bound, shown and hidden, and
// how its text is stored.
#include <QApplication>

#include "controls/custom_grid_edit.h"
#include "controls/custom_grid_view.h"

namespace lk63 {

bool TCustomGridView::EditorCanShow(const TGridCell& cell) {
    if (destroying_) return false;
    if (columns_.Count() == 0 || rows_.Count() == 0) return false;
    bool canShow = allowEdit_ && (alwaysEdit_ || FocusInside()) && IsCellValid(cell) &&
                   columns_[cell.Col].AllowEdit();
    if (OnEditCanShow) OnEditCanShow(*this, cell, canShow);
    return canShow;
}

bool TCustomGridView::IsCellReadOnly(const TGridCell& cell) {
    if (!IsCellValid(cell)) return true;
    bool readOnly = columns_[cell.Col].ReadOnly();
    if (OnGetCellReadOnly) OnGetCellReadOnly(*this, cell, readOnly);
    return readOnly;
}

bool TCustomGridView::EditorCanModify(const TGridCell& cell) {
    bool canModify = !IsCellReadOnly(cell);
    if (OnEditCanModify) OnEditCanModify(*this, cell, canModify);
    return canModify;
}

TGridEditStyle TCustomGridView::EditStyleFor(const TGridCell& cell) {
    TGridEditStyle style = IsCellValid(cell) ? columns_[cell.Col].EditStyle() : TGridEditStyle::geSimple;
    if (OnGetEditStyle) OnGetEditStyle(*this, cell, style);
    return style;
}

QString TCustomGridView::EditTextFor(const TGridCell& cell) {
    QString value = CellText(cell);
    if (OnGetEditText) OnGetEditText(*this, cell, value);
    return value;
}

void TCustomGridView::FillEditList(const TGridCell& cell, QStringList& items) {
    items.clear();
    if (IsCellValid(cell)) {
        TGridColumn& column = columns_[cell.Col];
        if (column.EditStyle() == TGridEditStyle::gePickList && column.HasPickList()) items = column.PickList();
    }
    if (OnGetEditList) OnGetEditList(*this, cell, items);
}

void TCustomGridView::SyncEditor(bool activate) {
    if (!EditorCanShow(focusedCell_)) {
        HideEditor();
        return;
    }
    if (!editor_) {
        editor_ = CreateEditor();
        QObject::connect(editor_, &QObject::destroyed, this, [this] { AfterEditorDestroyed(); });
    } else if (editorCell_ != focusedCell_ || !editorActive_) {
        activate = activate || editorActive_ || alwaysEdit_;
        HideEditor();
        if (!editor_) return;
    } else {
        // Already bound here and active: only shown (placed) again below.
        if (activate) ShowBoundEditor();
        return;
    }
    editorCell_ = focusedCell_;
    editor_->RefreshContents();
    if (!editor_) return;
    editor_->RefreshStyle();
    editor_->selectAll();
    if (activate) ShowBoundEditor();
}

void TCustomGridView::ShowBoundEditor() {
    const bool wasActive = editorActive_;
    editorActive_ = true;
    focusSelected_ = true;
    editor_->ApplyColors();
    editor_->UpdateBounds();
    editor_->show();
    (void)wasActive;  // QLineEdit keeps its caret in view by itself
    if (hasFocus()) editor_->setFocus(Qt::OtherFocusReason);
}

void TCustomGridView::HideEditor() {
    if (!editor_) {
        editorCell_ = NoCell;
        return;
    }
    // The list closes while its cell is still bound, so the owner hears of a real cell.
    editor_->CloseList(false);
    if (!editor_) return;
    editorCell_ = NoCell;
    if (!editor_->isHidden()) {
        editorActive_ = false;
        InvalidateRect(editor_->geometry());
        if (editor_->hasFocus()) {
            editor_->defocusing_ = true;
            setFocus(Qt::OtherFocusReason);
            if (editor_) editor_->defocusing_ = false;
        }
        if (editor_) editor_->hide();
    }
}

void TCustomGridView::SetEditorActive(bool value) {
    if (value) {
        if (allowEdit_ && TakeFocus()) ShowEditor();
    } else if (editorActive_) {
        StoreEditorText();
        if (!alwaysEdit_) HideEditor();
    }
}

void TCustomGridView::StoreEditorText() {
    if (!editor_ || IsCellReadOnly(editorCell_)) return;
    QString value = editor_->text();
    const TGridCell cell = editorCell_;
    try {
        if (OnSetEditText) OnSetEditText(*this, cell, value);
    } catch (...) {
        if (editor_ && editor_->text() != value) editor_->setText(value);
        ScrollCellIntoView(focusedCell_, false);
        if (editor_ && editorActive_) editor_->setFocus(Qt::OtherFocusReason);
        throw;
    }
    // Only a changed text is written back: writing resets caret and selection.
    if (editor_ && editor_->text() != value) editor_->setText(value);
}

void TCustomGridView::CancelEditor() {
    if (!editorActive_) return;
    const TGridCell cell = editorCell_;
    if (alwaysEdit_) RefreshEditor(false);
    else HideEditor();
    if (OnEditCanceled) OnEditCanceled(*this, cell);
}

void TCustomGridView::UndoEditor() {
    if (editor_ && EditorCanUndo(editorCell_)) editor_->undo();
}

void TCustomGridView::RefreshEditor(bool keepText) {
    if (!editorActive_ || !editor_) return;
    const QString saved = editor_->text();
    HideEditor();
    SyncEditor(true);
    if (keepText && editor_) editor_->setText(saved);
}

}  // namespace lk63
