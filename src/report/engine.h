#pragma once
// The band engine: walks a report page's bands, fetches and stretches their
// views, moves bands that do not fit to a new page or splits them, and hands
// every placed band to the prepared pages store.

#include <memory>
#include <unordered_map>
#include <vector>

namespace lk63 {

class TrpBand;
class TrpComponent;
class TrpDataBand;
class TrpDataSet;
class TrpPreviewPages;
class TrpReport;
class TrpReportPage;
class TrpUserInterface;
class TrpView;

class TrpEngine {
public:
    explicit TrpEngine(TrpReport& report);
    ~TrpEngine();
    TrpEngine(const TrpEngine&) = delete;
    TrpEngine& operator=(const TrpEngine&) = delete;

    // One run over every report page. Errors are added to the report's
    // error list; an error during the run is raised as TrpError after the
    // data sets and the store have been told that the run ended.
    void Run();

    // Outputs a band and its child chain.
    void ShowBand(TrpBand* band);
    void NewPage();
    void NewColumn();
    [[nodiscard]] double FreeSpace() const;

    // Report pixels from the top left of the printable area.
    double CurX = 0, CurY = 0;
    double PageHeight = 0, PageWidth = 0;
    int CurColumn = 1;
    bool FinalPass = true;
    int TotalPages = 0;
    int LineNo = 0;  // row number of the data band being shown

private:
    struct TBandState {
        TrpBand* Header = nullptr;
        TrpBand* Footer = nullptr;
        std::vector<TrpDataBand*> Details;
        TrpDataSet* DataSet = nullptr;
        int RowNo = 0;
        int RowNoAcrossGroups = 0;
        int Column = 1;
    };
    struct TShiftGraph {
        std::vector<TrpView*> Views;             // ordered by Top
        std::vector<std::vector<int>> Parents;   // indices into Views; -1: the band's top edge
    };
    struct THeaderEntry {
        TrpBand* Band = nullptr;
        double Position = 0;
    };
    struct TKeepBlock {
        bool Active = false;
        TrpBand* Band = nullptr;
        double StartY = 0;
        int Mark = 0;
    };
    // A view of a band being split, with what is left of it to place.
    struct TSplitView;
    using TSplitViews = std::vector<std::unique_ptr<TSplitView>>;
    // What a page of a split does with one of the views still to place.
    enum class TSplitPlacement {
        Waits,           // nothing of it on this page
        PartFits,        // the memo lines that fit; the rest of its text goes on
        FitsWhole,       // the view, or the rest of its text, ends on this page
        TallerThanPage,  // fits no page: placed whole on this page all the same
    };

    void OrganizeBands(TrpReportPage& page);
    void RunPage(TrpReportPage& page);
    void StartPage(TrpReportPage& page);
    void OpenNewPage();
    void ClosePage();
    void OutputPageViews(TrpReportPage& page);
    void ShowDataBands(const std::vector<TrpDataBand*>& bands);
    void OutputBand(TrpBand& band);
    void PrepareBand(TrpBand& band);
    void RestoreBand(TrpBand& band);
    void SplitBand(TrpBand& band);
    static TSplitViews SplitViewsOf(const std::vector<TrpComponent*>& components);
    std::vector<TrpView*> TakePiece(TSplitViews& waiting, double pageBottom, bool& anythingFitted);
    TSplitPlacement PlaceOnPage(TSplitView& view, TSplitViews& waiting, double pageBottom);
    static TSplitPlacement PlaceMemoPart(TSplitView& memo, TSplitViews& waiting, double spaceBelowLines,
                                         double pageBottom);
    static void GrowToHoldTakenLines(TSplitView& memo, double heightLeft, double pageBottom);
    static void MoveViewsBelow(TSplitViews& waiting, const TSplitView& of, double by);
    static void FitBandToPiece(TrpBand& band, const std::vector<TrpView*>& piece, bool lastPiece);
    static void MoveUpToNextPage(TSplitViews& waiting, double pageBottom, bool anythingFitted);
    void StartKeep(TrpBand& band);
    void EndKeep(const TrpBand& band);
    const TShiftGraph& ShiftGraphOf(TrpBand& band);
    void ShiftViews(TrpBand& band);
    [[nodiscard]] double FooterHeight() const;
    [[nodiscard]] int RowNoAcrossGroups(const TrpBand& band) const;
    [[nodiscard]] TrpPreviewPages& Store() const;
    [[nodiscard]] TrpUserInterface& UserInterface() const;

    TrpReport& report_;
    TrpReportPage* page_ = nullptr;
    std::unordered_map<const TrpBand*, TBandState> bandStates_;
    std::unordered_map<const TrpBand*, TShiftGraph> shiftGraphs_;
    std::unordered_map<const TrpView*, double> growth_;
    std::vector<THeaderEntry> headerList_;
    TKeepBlock keep_;
    bool firstBand_ = true;
    bool pageOpening_ = false;
    bool firstPage_ = false;
    bool lastPage_ = false;
    TrpBand* currentBand_ = nullptr;
    TrpBand* lastBandOnPage_ = nullptr;
    TrpBand* newPageBand_ = nullptr;
    double pageFooterHeight_ = 0;
};

}  // namespace lk63
