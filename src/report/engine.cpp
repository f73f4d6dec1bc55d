#include "report/engine.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "report/band.h"
#include "report/data_set.h"
#include "report/error.h"
#include "report/memo_content.h"
#include "report/memo_layout.h"
#include "report/memo_view.h"
#include "report/messages.h"
#include "report/page.h"
#include "report/prepared_pages.h"
#include "report/report.h"
#include "report/serializer.h"
#include "report/units.h"
#include "report/user_interface.h"

namespace lk63 {
namespace {

constexpr double kEpsilon = 0.0001;

bool OverlapsVertically(const TrpComponent& a, const TrpComponent& b) {
    return a.Top() < b.Top() + b.Height() && b.Top() < a.Top() + a.Height();
}

double HorizontalOverlap(double l1, double r1, double l2, double r2) { return std::min(r1, r2) - std::max(l1, l2); }

bool OverlapsHorizontally(const TrpComponent& a, const TrpComponent& b) {
    return HorizontalOverlap(a.Left(), a.Left() + a.Width(), b.Left(), b.Left() + b.Width()) > kEpsilon;
}

double Round2(double v) { return RoundHalfEven(v * 100) / 100; }

TrpCustomMemoView* AsMemo(TrpComponent* c) { return dynamic_cast<TrpCustomMemoView*>(c); }

std::vector<TrpView*> ViewsOf(const TrpComponent& band) {
    std::vector<TrpView*> views;
    for (const auto& child : band.Objects()) {
        if (auto* v = dynamic_cast<TrpView*>(child.get())) views.push_back(v);
    }
    return views;
}

// Bands that this engine cannot lay out are refused rather than dropped.
bool IsUnsupportedBand(const TrpBand& band) {
    switch (band.Kind()) {
        case TrpBandKind::PageFooter:
        case TrpBandKind::ColumnHeader:
        case TrpBandKind::ColumnFooter:
        case TrpBandKind::ReportSummary:
        case TrpBandKind::Overlay:
            return true;
        default:
            return band.Vertical;
    }
}

// Puts a band's views back in their order when a split ends, however it ends.
class TViewListGuard {
public:
    explicit TViewListGuard(TrpBand& band) : band_(band) {
        for (const auto& child : band.Objects()) order_.push_back(child.get());
        while (!band.Objects().empty()) held_.push_back(band.Objects().front()->Detach());
    }
    ~TViewListGuard() {
        while (!band_.Objects().empty()) Hold(band_.Objects().front()->Detach());
        for (TrpComponent* c : order_) band_.Add(Take(c));
    }
    TViewListGuard(const TViewListGuard&) = delete;
    TViewListGuard& operator=(const TViewListGuard&) = delete;

    [[nodiscard]] const std::vector<TrpComponent*>& Order() const { return order_; }
    void Attach(TrpComponent* c) { band_.Add(Take(c)); }
    void DetachAll() {
        while (!band_.Objects().empty()) Hold(band_.Objects().front()->Detach());
    }

private:
    void Hold(std::unique_ptr<TrpComponent> c) { held_.push_back(std::move(c)); }
    std::unique_ptr<TrpComponent> Take(TrpComponent* c) {
        const auto it = std::find_if(held_.begin(), held_.end(), [c](const auto& p) { return p.get() == c; });
        std::unique_ptr<TrpComponent> out = std::move(*it);
        held_.erase(it);
        return out;
    }

    TrpBand& band_;
    std::vector<TrpComponent*> order_;
    std::vector<std::unique_ptr<TrpComponent>> held_;
};

}  // namespace

TrpEngine::TrpEngine(TrpReport& report) : report_(report) {}
TrpEngine::~TrpEngine() = default;

TrpPreviewPages& TrpEngine::Store() const { return report_.PreviewPages(); }

TrpUserInterface& TrpEngine::UserInterface() const {
    static TrpSilentUserInterface silent;
    return report_.UserInterface ? *report_.UserInterface : silent;
}

// Organises every page's bands first, so a faulty template fails before any
// data set is opened; then outputs the visible pages.
void TrpEngine::Run() {
    TrpPreviewPages& store = Store();
    bandStates_.clear();
    shiftGraphs_.clear();
    growth_.clear();
    headerList_.clear();
    keep_ = {};
    std::vector<TrpReportPage*> pages;
    for (const auto& child : report_.Objects()) {
        if (auto* page = dynamic_cast<TrpReportPage*>(child.get())) pages.push_back(page);
    }

    struct TFinish {
        TrpEngine& Engine;
        bool Started = false;
        ~TFinish() {
            if (Started) {
                for (std::size_t i = 0; i < Engine.report_.Datasets().Count(); ++i) {
                    if (TrpDataSet* d = Engine.report_.Datasets()[i].DataSet()) d->FinalizeRun();
                }
            }
            Engine.Store().EndPreparation();
            Engine.page_ = nullptr;
        }
    } finish{*this};

    store.BeginPreparation();
    for (TrpReportPage* page : pages) OrganizeBands(*page);
    if (!report_.Errors().Empty()) return;

    finish.Started = true;
    for (std::size_t i = 0; i < report_.Datasets().Count(); ++i) {
        if (TrpDataSet* d = report_.Datasets()[i].DataSet()) d->InitializeRun(&report_);
    }
    for (TrpReportPage* page : pages) store.RegisterSourcePage(*page);
    FinalPass = true;
    TotalPages = 0;
    store.MarkPassStart();

    // Each visible report page, PageCount times; its pages are numbered as
    // one run (page n of t).
    for (TrpReportPage* page : pages) {
        if (report_.Terminated) break;
        if (!page->Visible()) continue;
        firstBand_ = true;
        for (int copy = 0; copy < std::max(page->PageCount, 1) && !report_.Terminated; ++copy) RunPage(*page);
        store.CloseLogicalRun();
    }
}

// Checks a page's bands, attaches headers and footers to the data bands next
// to them and builds the master/detail tree. Faults go to the error list.
void TrpEngine::OrganizeBands(TrpReportPage& page) {
    page.HorizontalDataBands.clear();
    page.VerticalDataBands.clear();
    std::vector<TrpBand*> bands;
    TrpDataSet* reportSet = report_.DataSet();
    if (reportSet && reportSet == page.DataSet()) report_.Errors().Add(std::string(RpMessage("SameDataSetReportPage")));
    for (const auto& child : page.Objects()) {
        auto* band = dynamic_cast<TrpBand*>(child.get());
        if (!band) continue;
        shiftGraphs_.erase(band);
        TBandState& state = bandStates_[band];
        state = {};
        if (auto* data = dynamic_cast<TrpDataBand*>(band)) {
            state.DataSet = data->DataSet();
            if (!state.DataSet && data->RowCount() > 0) {
                TrpUserDataSet& hidden = data->HiddenDataSet();
                hidden.RangeEnd = TrpRangeEnd::reCount;
                hidden.RangeEndCount = data->RowCount();
                state.DataSet = &hidden;
            }
            if (state.DataSet && state.DataSet == reportSet)
                report_.Errors().Add(std::string(RpMessage("SameDataSetReportBand")));
            if (state.DataSet && state.DataSet == page.DataSet())
                report_.Errors().Add(std::string(RpMessage("SameDataSetPageBand")));
        }
        if (IsUnsupportedBand(*band)) {
            report_.Errors().Add("Band " + band->Name() + " (" + std::string(band->ClassName()) +
                                 ") is not supported by this report engine");
        }
        bands.push_back(band);
    }

    std::vector<TrpBand*> list;
    for (TrpBand* b : bands) {
        if (b->InDataTree()) list.push_back(b);
    }
    std::stable_sort(list.begin(), list.end(),
                     [](const TrpBand* a, const TrpBand* b) { return Round2(a->Top()) < Round2(b->Top()); });

    std::vector<bool> attached(list.size(), false);
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (!list[i]->IsDataBand()) continue;
        TBandState& state = bandStates_[list[i]];
        if (i > 0 && !attached[i - 1] && list[i - 1]->Kind() == TrpBandKind::Header) {
            state.Header = list[i - 1];
            attached[i - 1] = true;
        }
        if (i + 1 < list.size() && !attached[i + 1] && list[i + 1]->Kind() == TrpBandKind::Footer) {
            state.Footer = list[i + 1];
            attached[i + 1] = true;
        }
    }
    std::vector<TrpBand*> rest;
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (attached[i]) continue;
        if (list[i]->Kind() == TrpBandKind::Header || list[i]->Kind() == TrpBandKind::Footer) {
            report_.Errors().Add(std::string(RpMessage("UnattachedHeaderFooter")) + " " + list[i]->Name());
            continue;
        }
        rest.push_back(list[i]);
    }

    // Master data bands and, below each, the bands of the next kind as details.
    std::size_t i = 0;
    const auto misplaced = [this](const TrpBand& b) {
        report_.Errors().Add(std::string(RpMessage("WrongBandPlace")) + " " + b.Name());
    };
    const auto collect = [&](auto&& self, TrpDataBand& parent) -> std::vector<TrpDataBand*> {
        std::vector<TrpDataBand*> details;
        // Below it, bands of a later kind: its details are the next data level.
        while (i < rest.size() && rest[i]->Kind() > parent.Kind()) {
            auto* d = dynamic_cast<TrpDataBand*>(rest[i]);
            ++i;
            if (!d || d->DataLevel() != parent.DataLevel() + 1) {
                misplaced(*rest[i - 1]);
                continue;
            }
            bandStates_[d].Details = self(self, *d);
            if (bandStates_[d].DataSet) details.push_back(d);
        }
        return details;
    };
    while (i < rest.size()) {
        auto* master = rest[i]->Kind() == TrpBandKind::MasterData ? dynamic_cast<TrpDataBand*>(rest[i]) : nullptr;
        ++i;
        if (!master) {
            misplaced(*rest[i - 1]);
            continue;
        }
        bandStates_[master].Details = collect(collect, *master);
        if (bandStates_[master].DataSet) page.HorizontalDataBands.push_back(master);
    }
}

void TrpEngine::RunPage(TrpReportPage& page) {
    page_ = &page;
    StartPage(page);
    OutputPageViews(page);
    ShowDataBands(page.HorizontalDataBands);
    lastPage_ = true;
    ClosePage();
    lastPage_ = false;
}

// Starts a report page: its printable size, the cursor at the top, and the
// bands that head its pages (the report title on the first one only).
void TrpEngine::StartPage(TrpReportPage& page) {
    headerList_.clear();
    TrpBand* title = FindBand<TrpReportTitle>(page);
    TrpBand* header = FindBand<TrpPageHeader>(page);
    if (page.TitleBeforeHeader) {
        headerList_.push_back({title, 0});
        headerList_.push_back({header, 0});
    } else {
        headerList_.push_back({header, 0});
        headerList_.push_back({title, 0});
    }
    PageHeight = (page.PaperHeight() - page.TopMargin - page.BottomMargin) * rp01cm;
    PageWidth = (page.PaperWidth() - page.LeftMargin - page.RightMargin) * rp01cm;
    CurX = 0;
    CurY = 0;
    CurColumn = 1;
    firstPage_ = true;
    lastPage_ = false;
    OpenNewPage();
    std::erase_if(headerList_,
                  [](const THeaderEntry& e) { return e.Band && e.Band->Kind() == TrpBandKind::ReportTitle; });
}

// Opens a prepared page and shows the bands that head it. A data header
// whose own output broke the page is placed by that output, not here.
void TrpEngine::OpenNewPage() {
    pageFooterHeight_ = 0;
    Store().OpenPreparedPage(page_);
    CurY = 0;
    pageOpening_ = true;
    struct TReset {
        bool& Flag;
        ~TReset() { Flag = false; }
    } reset{pageOpening_};
    for (std::size_t i = 0; i < headerList_.size(); ++i) {
        TrpBand* band = headerList_[i].Band;
        if (!band || band == newPageBand_) continue;
        if (band->Kind() == TrpBandKind::Header && band == lastBandOnPage_) continue;
        if (band->Kind() == TrpBandKind::ReportTitle) headerList_[i].Band = nullptr;  // the first page only
        ShowBand(band);
    }
}

// Closing a page. Page footers, column bands, the summary and overlays
// are refused when the bands are organised, so only the flag is left.
void TrpEngine::ClosePage() { firstPage_ = false; }

// The views placed directly on the page, in a band of the page's size.
void TrpEngine::OutputPageViews(TrpReportPage& page) {
    TrpNullBand band;
    band.SetBounds(0, 0, PageWidth, PageHeight);
    for (const auto& child : page.Objects()) {
        if (!dynamic_cast<TrpView*>(child.get())) continue;
        auto copy = CreateComponent(child->ClassName());
        if (!copy) continue;
        AssignProperties(*copy, *child);
        copy->SetName(child->Name());
        band.Add(std::move(copy));
    }
    const double y = CurY;
    PrepareBand(band);
    Store().RecordObject(band);
    RestoreBand(band);
    shiftGraphs_.erase(&band);
    CurY = y;
}

// Shows each data band for the rows that pass its filter (and have details,
// unless PrintIfDetailEmpty): the header before the first, the details after
// each, the footer after the last.
void TrpEngine::ShowDataBands(const std::vector<TrpDataBand*>& bands) {
    for (TrpDataBand* band : bands) {
        TBandState& state = bandStates_[band];
        TrpDataSet* data = state.DataSet;
        if (!data) continue;
        data->First();
        state.RowNo = 1;
        state.RowNoAcrossGroups = 1;
        state.Column = 1;
        bool shown = false;
        while (!data->Eof() && !report_.Terminated && (band->RowCount() == 0 || band->RowCount() >= state.RowNo)) {
            UserInterface().ProcessMessages();
            bool pass = true;
            if (!band->Filter.empty()) {
                const TVariant v = report_.Calc(band->Filter);
                const bool* b = std::get_if<bool>(&v.Data());
                pass = b && *b;
            }
            if (pass && !band->PrintIfDetailEmpty && !state.Details.empty()) {
                pass = std::any_of(state.Details.begin(), state.Details.end(), [this](TrpDataBand* d) {
                    TrpDataSet* ds = bandStates_[d].DataSet;
                    if (!ds) return false;
                    ds->First();
                    return !ds->Eof();
                });
            }
            if (pass) {
                if (!shown) {
                    auto* header = dynamic_cast<TrpHeader*>(state.Header);
                    if (header && header->ReprintOnNewPage) headerList_.push_back({header, CurY});
                    ShowBand(state.Header);
                }
                LineNo = state.RowNo;
                ShowBand(band);
                shown = true;
                ++state.RowNo;
                ++state.RowNoAcrossGroups;
                ShowDataBands(state.Details);
                firstBand_ = false;
            }
            data->Next();
        }
        if (shown) {
            ShowBand(state.Footer);
            std::erase_if(headerList_, [&](const THeaderEntry& e) { return e.Band && e.Band == state.Header; });
        }
    }
}

void TrpEngine::ShowBand(TrpBand* band) {
    if (!band) return;
    if (band->KeepChild) StartKeep(*band);
    OutputBand(*band);
    const auto it = bandStates_.find(band);
    const bool laterColumn = band->IsDataBand() && it != bandStates_.end() && it->second.Column > 1;
    if (!laterColumn && ((band->Child() && band->Visible()) || band->PrintChildIfInvisible)) ShowBand(band->Child());
    if (band->KeepChild) EndKeep(*band);
}

int TrpEngine::RowNoAcrossGroups(const TrpBand& band) const {
    if (!band.IsDataBand()) return 1;  // bands that are not data bands count as row 1
    const auto it = bandStates_.find(&band);
    // The row being shown: the counter has not moved on yet.
    return it == bandStates_.end() ? 1 : it->second.RowNoAcrossGroups;
}

// Outputs a band at the cursor. A band that does not fit goes to a new page,
// or is split when it allows it outside a keep block or no page could hold it.
void TrpEngine::OutputBand(TrpBand& band) {
    struct TRestore {
        TrpEngine& Engine;
        TrpBand& Band;
        ~TRestore() { Engine.RestoreBand(Band); }
    } restore{*this, band};
    PrepareBand(band);
    if (!band.Visible()) return;
    bool split = false;
    if (FreeSpace() < band.Height()) {
        const bool tooTall = band.Height() > PageHeight - FooterHeight();
        if ((band.AllowSplit && !keep_.Active) || tooTall) {
            if (!band.AllowSplit && RowNoAcrossGroups(band) > 1 && !band.StartNewPage) NewColumn();
            keep_ = {};
            SplitBand(band);
            split = true;
        } else {
            NewColumn();
        }
    }
    if (!split) {
        band.SetLeft(CurX);
        band.SetTop(CurY);
        if (!pageOpening_ || !Store().HasBandOnPage(band)) Store().RecordObject(band);
        CurY += band.Height();
    }
}

// Fills and stretches a band's views before it is measured; RestoreBand puts
// back the bounds and texts saved here.
void TrpEngine::PrepareBand(TrpBand& band) {
    currentBand_ = &band;
    ShiftGraphOf(band);
    band.SaveBounds();
    report_.CurObject = band.Name();
    bool grew = false;
    for (TrpView* view : ViewsOf(band)) {
        report_.CurObject = view->Name();
        view->SaveBounds();
        TrpCustomMemoView* memo = AsMemo(view);
        if (memo && !memo->IsDataField()) memo->SaveText();
        growth_[view] = 0;
        if (!band.Visible() || !view->Visible()) continue;
        if (memo) FetchMemoContent(report_, *memo);
        auto* stretch = dynamic_cast<TrpStretcheable*>(view);
        if (memo && stretch->StretchMode != TrpStretchMode::smDontStretch) {
            const double h = CalcHeight(*memo);
            if (h > memo->Height()) {
                growth_[view] = h - memo->Height();
                memo->SetHeight(h);
                grew = true;
            }
        }
    }
    if (!band.Visible()) return;
    if (grew) ShiftViews(band);
    double lowest = 0;
    for (TrpView* view : ViewsOf(band)) lowest = std::max(lowest, view->Top() + view->Height());
    if (band.Stretched) band.SetHeight(lowest);
    for (TrpView* view : ViewsOf(band)) {
        auto* stretch = dynamic_cast<TrpStretcheable*>(view);
        if (stretch && stretch->StretchMode == TrpStretchMode::smMaxHeight) view->SetHeight(lowest - view->Top());
    }
}

// The band and its views as designed again, so the next row starts afresh.
void TrpEngine::RestoreBand(TrpBand& band) {
    for (TrpView* view : ViewsOf(band)) {
        if (view->HasSavedBounds()) view->RestoreBounds();
        TrpCustomMemoView* memo = AsMemo(view);
        if (memo && !memo->IsDataField()) memo->RestoreText();
        growth_.erase(view);
    }
    if (band.HasSavedBounds()) band.RestoreBounds();
}

// Which views move when a view above them grows.
const TrpEngine::TShiftGraph& TrpEngine::ShiftGraphOf(TrpBand& band) {
    if (const auto it = shiftGraphs_.find(&band); it != shiftGraphs_.end()) return it->second;
    TShiftGraph graph;
    graph.Views = ViewsOf(band);
    std::stable_sort(graph.Views.begin(), graph.Views.end(),
                     [](const TrpView* a, const TrpView* b) { return a->Top() < b->Top(); });
    const auto& v = graph.Views;
    const std::size_t n = v.size();
    graph.Parents.resize(n);
    // The band's top edge: a strip above the band, as wide as the band.
    const double bandLeft = 0, bandRight = band.Width();
    for (std::size_t b = 0; b < n; ++b) {
        const auto below = [&](std::size_t a) { return !OverlapsVertically(*v[a], *v[b]) && v[a]->Top() < v[b]->Top(); };
        for (std::size_t a = 0; a < b; ++a) {
            if (!below(a) || !OverlapsHorizontally(*v[a], *v[b])) continue;
            const double l = std::max(v[a]->Left(), v[b]->Left());
            const double r = std::min(v[a]->Left() + v[a]->Width(), v[b]->Left() + v[b]->Width());
            bool blocked = false;
            for (std::size_t c = a + 1; c < b && !blocked; ++c) {
                blocked = !OverlapsVertically(*v[c], *v[a]) && !OverlapsVertically(*v[c], *v[b]) &&
                          HorizontalOverlap(v[c]->Left(), v[c]->Left() + v[c]->Width(), l, r) > kEpsilon;
            }
            if (!blocked) graph.Parents[b].push_back(static_cast<int>(a));
        }
        if (graph.Parents[b].empty()) {
            const double l = std::max(bandLeft, v[b]->Left());
            const double r = std::min(bandRight, v[b]->Left() + v[b]->Width());
            bool blocked = false;
            for (std::size_t c = 0; c < b && !blocked; ++c) {
                blocked = !OverlapsVertically(*v[c], *v[b]) &&
                          HorizontalOverlap(v[c]->Left(), v[c]->Left() + v[c]->Width(), l, r) > kEpsilon;
            }
            if (!blocked) graph.Parents[b].push_back(-1);
        }
    }
    return shiftGraphs_.emplace(&band, std::move(graph)).first->second;
}

void TrpEngine::ShiftViews(TrpBand& band) {
    const TShiftGraph& graph = ShiftGraphOf(band);
    const auto& v = graph.Views;
    std::vector<double> received(v.size(), 0);
    for (std::size_t b = 0; b < v.size(); ++b) {
        double shift = 0;
        bool overlapped = false;
        for (const int a : graph.Parents[b]) {
            if (a < 0) continue;
            const auto ai = static_cast<std::size_t>(a);
            shift = std::max(shift, received[ai] + growth_[v[ai]]);
            if (OverlapsVertically(*v[ai], *v[b])) overlapped = true;
        }
        received[b] = shift;
        switch (v[b]->ShiftMode) {
            case TrpShiftMode::smAlways:
                v[b]->SetTop(v[b]->Top() + shift);
                break;
            case TrpShiftMode::smDontShift:
                break;
            case TrpShiftMode::smWhenOverlapped:
                if (overlapped) {
                    double bottom = v[b]->Top();
                    for (const int a : graph.Parents[b]) {
                        if (a >= 0) bottom = std::max(bottom, v[static_cast<std::size_t>(a)]->Top() +
                                                                  v[static_cast<std::size_t>(a)]->Height());
                    }
                    v[b]->SetTop(bottom);
                }
                break;
        }
    }
    for (TrpView* view : v) growth_[view] = 0;
}

// Keep blocks: a band and its children move to the next page together.
void TrpEngine::StartKeep(TrpBand& band) {
    if (keep_.Active || firstBand_) return;
    keep_ = {true, &band, CurY, Store().ObjectCountOnPage()};
}

void TrpEngine::EndKeep(const TrpBand& band) {
    if (keep_.Active && keep_.Band == &band) keep_ = {};
}

double TrpEngine::FooterHeight() const { return pageFooterHeight_; }

double TrpEngine::FreeSpace() const { return PageHeight - FooterHeight() - CurY; }

void TrpEngine::NewColumn() { NewPage(); }

// A new page; a keep block that fits a whole page moves over with it.
void TrpEngine::NewPage() {
    if (keep_.Active && CurY - keep_.StartY + keep_.Band->Height() > PageHeight - FooterHeight()) keep_ = {};
    const bool moving = keep_.Active;
    if (moving) Store().DetachObjectsFrom(keep_.Mark);
    lastBandOnPage_ = currentBand_;
    ClosePage();
    OpenNewPage();
    lastBandOnPage_ = nullptr;
    if (moving) {
        Store().ReattachObjectsAt(0, CurY);
        CurY = Store().BandsBottom(CurX);
    }
    keep_ = {};
}

// Splitting a band across pages: each page gets a piece of the band with the
// views, and the memo lines, that fit above the page bottom; the rest moves up
// to the next page. The band's Top is CurY while its views take their parts,
// so the rectangle that decides which lines fit is the one that is drawn.
void TrpEngine::SplitBand(TrpBand& band) {
    TViewListGuard viewList(band);
    TSplitViews waiting = SplitViewsOf(viewList.Order());
    // Whether a view, or a memo's part, has fitted a page of this split yet.
    bool anythingFitted = false;
    // The page bottom measured from the band's top, as the views' Tops are.
    double pageBottom = FreeSpace();
    band.SetLeft(CurX);
    band.SetTop(CurY);
    while (!waiting.empty() && !report_.Terminated) {
        UserInterface().ProcessMessages();
        const std::vector<TrpView*> piece = TakePiece(waiting, pageBottom, anythingFitted);
        FitBandToPiece(band, piece, waiting.empty());
        for (TrpView* view : piece) viewList.Attach(view);
        band.SetLeft(CurX);
        band.SetTop(CurY);
        Store().RecordObject(band);
        CurY += band.Height();
        viewList.DetachAll();
        if (!waiting.empty()) {
            NewColumn();
            MoveUpToNextPage(waiting, pageBottom, anythingFitted);
            band.SetTop(CurY);
        }
        pageBottom = FreeSpace();
    }
}

struct TrpEngine::TSplitView {
    TrpView* View = nullptr;
    TrpCustomMemoView* Memo = nullptr;  // views that take parts
    TrpMemoParts Parts;
    // The height still to place: a memo's height less what its parts used.
    double HeightLeft = 0;
    double TopOnPage = 0;      // the Top the view had when this page began
    bool MovedOnPage = false;  // moved down by a view above it on this page
};

TrpEngine::TSplitViews TrpEngine::SplitViewsOf(const std::vector<TrpComponent*>& components) {
    TSplitViews views;
    for (TrpComponent* c : components) {
        auto* view = dynamic_cast<TrpView*>(c);
        if (!view) continue;
        auto split = std::make_unique<TSplitView>();
        split->View = view;
        split->Memo = AsMemo(view);
        if (split->Memo) split->Parts.Begin(*split->Memo);
        split->HeightLeft = view->Height();
        views.push_back(std::move(split));
    }
    return views;
}

// The views that go on this page, in the band's order. Views that end here
// leave the waiting list; the rest wait for the next page.
std::vector<TrpView*> TrpEngine::TakePiece(TSplitViews& waiting, double pageBottom, bool& anythingFitted) {
    for (auto& view : waiting) {
        view->TopOnPage = view->View->Top();
        view->MovedOnPage = false;
    }
    std::vector<TrpView*> piece;
    for (std::size_t i = 0; i < waiting.size();) {
        TrpView* view = waiting[i]->View;
        const TSplitPlacement placement = PlaceOnPage(*waiting[i], waiting, pageBottom);
        if (placement != TSplitPlacement::Waits) piece.push_back(view);
        if (placement == TSplitPlacement::FitsWhole || placement == TSplitPlacement::PartFits) anythingFitted = true;
        if (placement == TSplitPlacement::FitsWhole || placement == TSplitPlacement::TallerThanPage) {
            waiting.erase(waiting.begin() + static_cast<std::ptrdiff_t>(i));
        } else {
            ++i;
        }
    }
    return piece;
}

TrpEngine::TSplitPlacement TrpEngine::PlaceOnPage(TSplitView& view, TSplitViews& waiting, double pageBottom) {
    TrpView& v = *view.View;
    double spaceBelowLines = 0;
    double heightLeft = v.Height();
    if (view.Memo) {
        // The memo's box reaches the page bottom; its part is the lines that fit.
        v.SetHeight(pageBottom - v.Top());
        if (v.Top() < pageBottom) spaceBelowLines = view.Parts.TakePart(*view.Memo);
        heightLeft = view.HeightLeft;
    }
    // A memo ends only with its last line: a remaining height that says
    // "fits" while text is left would lose that text.
    if (pageBottom >= v.Top() + heightLeft && (!view.Memo || view.Parts.Done())) {
        v.SetHeight(heightLeft);
        if (view.Memo) GrowToHoldTakenLines(view, heightLeft, pageBottom);
        return TSplitPlacement::FitsWhole;
    }
    if (view.Memo) {
        if (v.Top() >= pageBottom) return TSplitPlacement::Waits;
        return PlaceMemoPart(view, waiting, spaceBelowLines, pageBottom);
    }
    if (v.Height() > PageHeight - FooterHeight()) return TSplitPlacement::TallerThanPage;
    if (v.Top() < pageBottom) {
        // Starts the next page; the views below keep their distance from it.
        MoveViewsBelow(waiting, view, pageBottom - v.Top());
        v.SetTop(pageBottom);
    }
    return TSplitPlacement::Waits;
}

// A memo cut by the page bottom. The views below it move down by the space
// its lines leave unused, so they keep their distance from the rest of its
// text on the next page.
TrpEngine::TSplitPlacement TrpEngine::PlaceMemoPart(TSplitView& memo, TSplitViews& waiting, double spaceBelowLines,
                                                    double pageBottom) {
    TrpView& v = *memo.View;
    MoveViewsBelow(waiting, memo, spaceBelowLines);
    if (std::abs(spaceBelowLines - v.Height()) < kEpsilon) {
        v.SetTop(pageBottom);  // not one line fits: the view waits
        v.SetHeight(memo.HeightLeft);
        return TSplitPlacement::Waits;
    }
    // What is left is the height less the whole lines this part's box held,
    // exactly: the rounding of its rectangle must not add up over many pages.
    memo.HeightLeft -= memo.Parts.UsedHeight();
    return TSplitPlacement::PartFits;
}

// Never too short for the lines it holds: at most the box the lines were
// taken for.
void TrpEngine::GrowToHoldTakenLines(TSplitView& memo, double heightLeft, double pageBottom) {
    TrpView& v = *memo.View;
    if (memo.Parts.HoldsTakenLines(*memo.Memo)) return;
    v.SetHeight(std::min(std::max(heightLeft, memo.Parts.PartHeight()), pageBottom - v.Top()));
    if (!memo.Parts.HoldsTakenLines(*memo.Memo)) v.SetHeight(pageBottom - v.Top());
}

// A view moves once a page, by the first view above it that pushes it down.
void TrpEngine::MoveViewsBelow(TSplitViews& waiting, const TSplitView& of, double by) {
    for (auto& other : waiting) {
        if (other.get() == &of || other->MovedOnPage || other->View->Top() < of.View->Top() + kEpsilon) continue;
        if (!OverlapsHorizontally(*other->View, *of.View)) continue;
        other->View->SetTop(other->View->Top() + by);
        other->MovedOnPage = true;
    }
}

// The band is as tall as its piece. On the last piece, bottom-aligned views
// and memos stretched to the band's height reach its bottom, as they do in a
// band that is not split.
void TrpEngine::FitBandToPiece(TrpBand& band, const std::vector<TrpView*>& piece, bool lastPiece) {
    double bottom = 0;
    for (TrpView* v : piece) bottom = std::max(bottom, v->Top() + v->Height());
    band.SetHeight(bottom);
    if (!lastPiece) return;
    for (TrpView* v : piece) {
        if (v->Align == TrpAlign::baBottom) v->SetTop(bottom - v->Height());
        auto* s = dynamic_cast<TrpStretcheable*>(v);
        if (AsMemo(v) && s->StretchMode == TrpStretchMode::smMaxHeight) v->SetHeight(bottom - v->Top());
    }
}

// The views still waiting, measured from the band's top on the new page. Until
// something has fitted, a memo keeps the Top it had when the last page began.
void TrpEngine::MoveUpToNextPage(TSplitViews& waiting, double pageBottom, bool anythingFitted) {
    for (auto& view : waiting) {
        TrpView& v = *view->View;
        v.SetTop(v.Top() - pageBottom);
        if (view->Memo && !anythingFitted) v.SetTop(view->TopOnPage);
        if (v.Top() < 0) v.SetTop(0);
        if (view->Memo) v.SetHeight(view->HeightLeft);
    }
}

}  // namespace lk63
