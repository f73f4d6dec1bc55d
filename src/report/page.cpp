#include "report/page.h"

#include <cmath>
#include <utility>

#include "report/data_set.h"
#include "report/paper_sizes.h"
#include "report/units.h"

namespace lk63 {
namespace {

double RoundTo8Decimals(double mm) {
    // Beyond 1e7 a double has no eighth decimal left to round.
    return std::fabs(mm) < 1e7 ? RoundHalfEven(mm * 1e8) / 1e8 : mm;
}

}  // namespace

TrpReportPage::TrpReportPage() { UpdateSize(); }

void TrpReportPage::UpdateSize() {
    SetWidth(static_cast<double>(RoundToInt(paperWidth_ * rp01cm)));
    SetHeight(static_cast<double>(RoundToInt(paperHeight_ * rp01cm)));
}

void TrpReportPage::SetPaperWidth(double mm) {
    paperWidth_ = RoundTo8Decimals(mm);
    paperSize_ = kCustomPaperSize;
    UpdateSize();
}

void TrpReportPage::SetPaperHeight(double mm) {
    paperHeight_ = RoundTo8Decimals(mm);
    paperSize_ = kCustomPaperSize;
    UpdateSize();
}

void TrpReportPage::SetPaperSize(int code) {
    paperSize_ = code;
    if (code < kCustomPaperSize) {
        if (const auto paper = FindPaperSize(code)) {
            paperWidth_ = paper->Width / 10.0;
            paperHeight_ = paper->Height / 10.0;
            if (orientation_ == TrpPrinterOrientation::poLandscape) std::swap(paperWidth_, paperHeight_);
        }
    }
    UpdateSize();
}

void TrpReportPage::SetOrientation(TrpPrinterOrientation orientation) {
    if (orientation == orientation_) return;
    orientation_ = orientation;
    std::swap(paperWidth_, paperHeight_);
    UpdateSize();
}

void TrpReportPage::DefineProperties(TPropertyList& list) {
    TrpPage::DefineProperties(list);
    // Orientation and sizes before the code, so that a table size read back
    // is turned the right way and a custom size keeps its millimetres.
    list.Enum<TrpPrinterOrientation>(
        "Orientation", kOrientationNames, [this] { return orientation_; },
        [this](TrpPrinterOrientation v) { SetOrientation(v); });
    list.Float(
        "PaperWidth", [this] { return paperWidth_; }, [this](double v) { SetPaperWidth(v); });
    list.Float(
        "PaperHeight", [this] { return paperHeight_; }, [this](double v) { SetPaperHeight(v); });
    list.Integer<int>(
        "PaperSize", [this] { return paperSize_; }, [this](int v) { SetPaperSize(v); });
    list.Float("LeftMargin", LeftMargin);
    list.Float("RightMargin", RightMargin);
    list.Float("TopMargin", TopMargin);
    list.Float("BottomMargin", BottomMargin);
    list.Integer("Columns", Columns);
    list.Integer("PageCount", PageCount);
    dataSet_.DefineProperties(list);
    list.Boolean("PrintIfEmpty", PrintIfEmpty);
    list.Boolean("TitleBeforeHeader", TitleBeforeHeader);
    list.Boolean("PrintOnPreviousPage", PrintOnPreviousPage);
    list.Boolean("ResetPageNumbers", ResetPageNumbers);
    list.Boolean("EndlessHeight", EndlessHeight);
    list.Boolean("EndlessWidth", EndlessWidth);
    list.Boolean("MirrorMargins", MirrorMargins);
    list.Integer("Bin", Bin);
    list.Integer("BinOtherPages", BinOtherPages);
    list.Integer("Color", Color);
}

}  // namespace lk63
