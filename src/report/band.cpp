#include "report/band.h"

#include "report/error.h"
#include "report/messages.h"
#include "report/view.h"

namespace lk63 {

void TrpBand::SetChild(TrpChild* child) {
    // Bounded by the number of links walked, so a chain that is already
    // circular elsewhere cannot hang the check.
    std::size_t steps = 0;
    for (const TrpBand* b = child; b; b = b->Child()) {
        if (b == this || ++steps > 100000) throw TrpError(std::string(RpMessage("CircularChild")));
    }
    child_.Set(child);
}

void TrpBand::DefineProperties(TPropertyList& list) {
    TrpReportComponent::DefineProperties(list);
    list.Reference(
        "Child", [this] { return static_cast<TrpComponent*>(Child()); },
        [this](TrpComponent* c) {
            auto* child = dynamic_cast<TrpChild*>(c);
            if (c && !child) return false;
            SetChild(child);
            return true;
        });
    list.Boolean("KeepChild", KeepChild);
    list.Boolean("Stretched", Stretched);
    list.Boolean("AllowSplit", AllowSplit);
    list.Boolean("StartNewPage", StartNewPage);
    list.Boolean("PrintChildIfInvisible", PrintChildIfInvisible);
    list.Boolean("Vertical", Vertical);
    list.Text("OutlineText", OutlineText);
    DefineFillProperties(list, FillType, Fill);
    list.Float("FillGap.Top", FillGap.Top);
    list.Float("FillGap.Left", FillGap.Left);
    list.Float("FillGap.Bottom", FillGap.Bottom);
    list.Float("FillGap.Right", FillGap.Right);
}

void TrpHeader::DefineProperties(TPropertyList& list) {
    TrpBand::DefineProperties(list);
    list.Boolean("ReprintOnNewPage", ReprintOnNewPage);
}

TrpDataBand::TrpDataBand() : hiddenDataSet_(std::make_unique<TrpUserDataSet>()) {
    hiddenDataSet_->RangeEnd = TrpRangeEnd::reCount;
}

void TrpDataBand::SetRowCount(int count) {
    rowCount_ = count;
    hiddenDataSet_->RangeEndCount = count;
}

void TrpDataBand::DefineProperties(TPropertyList& list) {
    TrpBand::DefineProperties(list);
    dataSet_.DefineProperties(list);
    list.Integer<int>(
        "RowCount", [this] { return rowCount_; }, [this](int v) { SetRowCount(v); });
    list.Integer("Columns", Columns);
    list.Float("ColumnWidth", ColumnWidth);
    list.Float("ColumnGap", ColumnGap);
    list.Text("Filter", Filter);
    list.Boolean("FooterAfterEach", FooterAfterEach);
    list.Boolean("KeepFooter", KeepFooter);
    list.Boolean("KeepHeader", KeepHeader);
    list.Boolean("KeepTogether", KeepTogether);
    list.Boolean("PrintIfDetailEmpty", PrintIfDetailEmpty);
}

}  // namespace lk63
