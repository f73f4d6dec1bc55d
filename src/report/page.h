#pragma once
// Pages of a template: printable report pages with paper and margins, and
// the data page that holds non-visual objects.

#include <array>
#include <string_view>
#include <vector>

#include "report/color.h"
#include "report/data_set_lookup.h"
#include "report/report_component.h"

namespace lk63 {

class TrpDataBand;

enum class TrpPrinterOrientation { poPortrait, poLandscape };
inline constexpr std::array<std::string_view, 2> kOrientationNames{"poPortrait", "poLandscape"};

class TrpPage : public TrpComponent {};

class TrpDataPage : public TrpPage {
public:
    [[nodiscard]] std::string_view ClassName() const override { return "TrpDataPage"; }
};

class TrpReportPage : public TrpPage {
public:
    TrpReportPage();
    [[nodiscard]] std::string_view ClassName() const override { return "TrpReportPage"; }

    // Millimetres. Setting either rounds it to 8 decimals and makes the paper
    // a custom size (256).
    [[nodiscard]] double PaperWidth() const { return paperWidth_; }
    [[nodiscard]] double PaperHeight() const { return paperHeight_; }
    void SetPaperWidth(double mm);
    void SetPaperHeight(double mm);
    // A code of the paper table gives its size (swapped for landscape); an
    // unknown code keeps the size.
    [[nodiscard]] int PaperSize() const { return paperSize_; }
    void SetPaperSize(int code);
    // Turning the page swaps paper width and height.
    [[nodiscard]] TrpPrinterOrientation Orientation() const { return orientation_; }
    void SetOrientation(TrpPrinterOrientation orientation);

    double LeftMargin = 0, RightMargin = 0, TopMargin = 0, BottomMargin = 0;
    int Columns = 0;
    int PageCount = 1;
    bool PrintIfEmpty = true;
    bool TitleBeforeHeader = true;
    bool PrintOnPreviousPage = false;
    bool ResetPageNumbers = false;
    bool EndlessHeight = false;
    bool EndlessWidth = false;
    bool MirrorMargins = false;
    int Bin = 7;
    int BinOtherPages = 7;
    TrpColor Color = clNone;

    [[nodiscard]] TrpDataSet* DataSet() const { return dataSet_.DataSet(); }
    void SetDataSet(TrpDataSet* dataSet) { dataSet_.SetDataSet(dataSet); }
    [[nodiscard]] std::string DataSetName() const { return dataSet_.DataSetName(); }
    void SetDataSetName(std::string name) { dataSet_.SetDataSetName(Report(), std::move(name)); }

    // Top-level data bands, horizontal and vertical; filled by the engine.
    std::vector<TrpDataBand*> HorizontalDataBands;
    std::vector<TrpDataBand*> VerticalDataBands;

    void DefineProperties(TPropertyList& list) override;

private:
    void UpdateSize();

    double paperWidth_ = 210;
    double paperHeight_ = 297;
    int paperSize_ = 9;
    TrpPrinterOrientation orientation_ = TrpPrinterOrientation::poPortrait;
    TrpDataSetRef dataSet_;
};

}  // namespace lk63
