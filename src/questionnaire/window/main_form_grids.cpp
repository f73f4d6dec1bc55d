// The grids' events: every text, style and list comes from the questionnaire,
// and every accepted choice goes back to it.
#include "questionnaire/window/main_form.h"

#include <QLabel>
#include <QStringList>

#include "controls/inspector_grid.h"
#include "questionnaire/questionnaire.h"

namespace lk63 {
namespace {

constexpr int kValueColumn = 1;

}  // namespace

void TMainForm::CellText(TGroup group, const TGridCell& cell, QString& value) const {
    // Columns other than the name and the value keep what the grid proposed.
    if (cell.Col != 0 && cell.Col != kValueColumn) return;
    value = QString::fromStdString(questionnaire_->CellText(group, cell.Col, cell.Row));
}

void TMainForm::InspectorGrid1GetCellText(TCustomGridView&, const TGridCell& Cell, QString& Value) {
    CellText(TGroup::Breaker, Cell, Value);
}

void TMainForm::InspectorGrid2GetCellText(TCustomGridView&, const TGridCell& Cell, QString& Value) {
    CellText(TGroup::Accessory, Cell, Value);
}

void TMainForm::InspectorGrid1GetEditStyle(TCustomGridView&, const TGridCell& Cell, TGridEditStyle& Style) {
    if (Cell.Col == kValueColumn) Style = TGridEditStyle::gePickList;
}

// Values are only chosen from the pick lists, never typed.
void TMainForm::InspectorGrid1EditCanModify(TCustomGridView&, const TGridCell&, bool& CanModify) {
    CanModify = false;
}

void TMainForm::EditList(TGroup group, const TGridCell& cell, QStringList& items) {
    const std::vector<std::string> entries = questionnaire_->EditList(group, cell.Row);
    for (const std::string& entry : entries) items << QString::fromStdString(entry);
    // Opening a list may have found the compatibility table.
    TableIDLabel->setText(QString::fromStdString(questionnaire_->TableIDText()));
}

void TMainForm::InspectorGrid1GetEditList(TCustomGridView&, const TGridCell& Cell, QStringList& Items) {
    EditList(TGroup::Breaker, Cell, Items);
}

void TMainForm::InspectorGrid2GetEditList(TCustomGridView&, const TGridCell& Cell, QStringList& Items) {
    EditList(TGroup::Accessory, Cell, Items);
}

void TMainForm::CloseUp(TGroup group, const TGridCell& cell, int itemIndex, bool accept) {
    const TChoiceEffect effect = questionnaire_->CloseUp(group, cell.Row, itemIndex, accept);
    if (!effect.Applied) return;
    TInspectorGrid& grid = group == TGroup::Breaker ? *InspectorGrid1 : *InspectorGrid2;
    for (const int row : effect.ClearedRows) grid.RefreshCell({kValueColumn, row});
    if (effect.AccessoriesInvalidated) InspectorGrid2->Invalidate();
    if (effect.RebuildAccessoryEditor) {
        // Its open editor still shows a value that is gone.
        InspectorGrid2->SetAlwaysEdit(false);
        InspectorGrid2->SetAlwaysEdit(true);
        InspectorGrid1->SetFocus();
    }
    ShowDerivedState();
}

void TMainForm::InspectorGrid1EditCloseUp(TCustomGridView&, const TGridCell& Cell, int ItemIndex, bool& Accept) {
    CloseUp(TGroup::Breaker, Cell, ItemIndex, Accept);
}

void TMainForm::InspectorGrid2EditCloseUp(TCustomGridView&, const TGridCell& Cell, int ItemIndex, bool& Accept) {
    CloseUp(TGroup::Accessory, Cell, ItemIndex, Accept);
}

}  // namespace lk63
