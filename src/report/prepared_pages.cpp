#include "report/prepared_pages.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "platform/number_text.h"
#include "report/band.h"
#include "report/error.h"
#include "report/memo_view.h"
#include "report/page.h"
#include "report/report.h"
#include "report/serializer.h"
#include "report/units.h"

namespace lk63 {
namespace {

constexpr std::string_view kPreviewPages = "previewpages";
constexpr std::string_view kLogicalPageNumbers = "logicalpagenumbers";
constexpr std::string_view kAnchors = "anchors";
// Records held while objects move to another page; the name is the format's.
constexpr std::string_view kHeldRecords = "cutted";
constexpr std::string_view kOutline = "outline";
constexpr std::string_view kCompletePage = "TrpReportPage";

double NumberOr(const std::string& text, double fallback) {
    if (text.empty()) return fallback;
    const auto value = platform::ParseDecimal(text);
    return value ? *value : fallback;
}

int IntegerOr(const std::string& text, int fallback) {
    int value = 0;
    return property_text::ParseInteger(text, value) ? value : fallback;
}

std::unique_ptr<TrpReportPage> NewPageLike(std::string_view className) {
    auto object = CreateComponent(className);
    if (auto* page = dynamic_cast<TrpReportPage*>(object.get())) {
        object.release();
        return std::unique_ptr<TrpReportPage>(page);
    }
    return std::make_unique<TrpReportPage>();
}

}  // namespace

TrpPreviewPages::TrpPreviewPages(TrpReport& report) : report_(report) {}

TrpPreviewPages::~TrpPreviewPages() = default;

TrpXMLItem& TrpPreviewPages::Pages() { return document_.Root().FindOrCreate(kPreviewPages); }

const TrpXMLItem* TrpPreviewPages::PagesNode() const {
    const int i = document_.Root().Find(kPreviewPages);
    return i < 0 ? nullptr : &document_.Root().Items(static_cast<std::size_t>(i));
}

const TrpXMLItem* TrpPreviewPages::CurrentPageNode() const {
    const TrpXMLItem* pages = PagesNode();
    if (!pages || currentPage_ < 0 || currentPage_ >= static_cast<int>(pages->Count())) return nullptr;
    return &pages->Items(static_cast<std::size_t>(currentPage_));
}

TrpXMLItem* TrpPreviewPages::CurrentPageNode() {
    return const_cast<TrpXMLItem*>(std::as_const(*this).CurrentPageNode());
}

int TrpPreviewPages::PageCount() const {
    const TrpXMLItem* pages = PagesNode();
    return pages ? static_cast<int>(pages->Count()) : 0;
}

void TrpPreviewPages::ResetStore() {
    cache_.clear();
    document_.Root().Clear();
    dictionary_.Clear();
    templateToSource_.clear();
    sourceObjects_.clear();
    sourcePages_.clear();
    currentPage_ = -1;
    passFirstPage_ = 0;
    passFirstObject_ = 0;
    logicalCounter_ = 0;
    recordSize_ = 0;
    lastY_ = 0;
    AppendRequested = false;
}

void TrpPreviewPages::UseFileCache(bool value) {
    if (value) {
        throw TrpError("The prepared pages are kept in memory only; a file cache is not available");
    }
}

void TrpPreviewPages::BeginPreparation() {
    UseFileCache(report_.EngineOptions.UseFileCache);
    preparing_ = true;
}

void TrpPreviewPages::EndPreparation() {
    lastY_ = 0;
    cache_.clear();
    for (TSourcePage& page : sourcePages_) page.Template = nullptr;
    templateToSource_.clear();
    preparing_ = false;
}

TrpComponent* TrpPreviewPages::SourceOf(const TrpComponent& templateObject) const {
    const auto it = templateToSource_.find(&templateObject);
    return it == templateToSource_.end() ? nullptr : it->second;
}

void TrpPreviewPages::RegisterObject(TrpComponent& copy, TrpComponent& original, int sourcePage) {
    templateToSource_[&original] = &copy;
    const std::string prefix = TrpDictionary::PrefixOf(copy);
    const std::string sourceName = "Page" + std::to_string(sourcePage) + "." + copy.Name();
    std::string alias = dictionary_.UniqueAlias(prefix);
    dictionary_.Add(alias, sourceName, &copy);
    if (auto* memo = dynamic_cast<TrpCustomMemoView*>(&copy)) {
        // Rebuilding never reaches a data source.
        memo->SetDataSet(nullptr);
        memo->DataField.clear();
    }
    sourceObjects_[&copy] = {StoredProperties(copy), sourcePage};
    copy.SetAlias(alias);
    original.SetAlias(std::move(alias));
}

void TrpPreviewPages::RegisterSourcePage(TrpReportPage& page) {
    const int index = static_cast<int>(sourcePages_.size());
    auto copy = NewPageLike(page.ClassName());
    AssignProperties(*copy, page);
    copy->SetName(page.Name());

    std::vector<std::pair<TrpComponent*, TrpComponent*>> walked;  // copy, original
    const auto walk = [&walked](auto&& self, const TrpComponent& from, TrpComponent& to) -> void {
        for (const auto& child : from.Objects()) {
            if (!child->ShownInPreparedPages()) continue;
            auto made = CreateComponent(child->ClassName());
            if (!made) continue;
            AssignProperties(*made, *child);
            made->SetName(child->Name());
            TrpComponent* raw = to.Add(std::move(made));
            walked.emplace_back(raw, child.get());
            self(self, *child, *raw);
        }
    };
    walk(walk, page, *copy);
    for (const auto& [made, original] : walked) RegisterObject(*made, *original, index);
    sourcePages_.push_back({std::move(copy), &page});
}

void TrpPreviewPages::RegisterExtraSourceObject(TrpComponent& object) {
    if (sourcePages_.empty()) throw TrpError("No source page to register " + object.Name() + " with");
    TSourcePage& last = sourcePages_.back();
    auto made = CreateComponent(object.ClassName());
    if (!made) throw TrpError("Unknown class " + std::string(object.ClassName()));
    AssignProperties(*made, object);
    made->SetName(object.Name());
    TrpComponent* raw = last.Page->Add(std::move(made));
    RegisterObject(*raw, object, static_cast<int>(sourcePages_.size()) - 1);
}

void TrpPreviewPages::OpenPreparedPage(const TrpReportPage* page) {
    ++currentPage_;
    if (currentPage_ < PageCount() && !AppendRequested) return;  // writing over an existing page
    int source = -1;
    for (std::size_t i = 0; i < sourcePages_.size(); ++i) {
        if (page && sourcePages_[i].Template == page) {
            source = static_cast<int>(i);
            break;
        }
    }
    TrpXMLItem& node = Pages().Add("page" + std::to_string(source));
    node.Unloadable = PageCount() > 2;
    AppendRequested = false;
    currentPage_ = PageCount() - 1;
    CountLogicalPage();
}

void TrpPreviewPages::Record(TrpComponent& component, TrpXMLItem& parent) {
    if (!component.Visible() || !component.ShownInPreparedPages()) return;
    const TrpComponent* source = SourceOf(component);
    const TrpXMLItem* page = CurrentPageNode();
    TrpXMLItem* node;
    std::string text;
    if (!source || (page && page->Name() == kCompletePage)) {
        node = &parent.Add(std::string(component.ClassName()));
        text = PropertyText(component);
    } else {
        node = &parent.Add(source->Alias());
        const auto stored = sourceObjects_.find(source);
        text = stored == sourceObjects_.end() ? DifferenceText(component, *source)
                                              : DifferenceText(component, *source, stored->second.Stored);
    }
    // Records stay as long as the document: no spare room grown while writing them.
    text.shrink_to_fit();
    node->SetText(std::move(text));
    recordSize_ += static_cast<long long>(node->Name().size() + node->Text().size() + sizeof(TrpXMLItem) + 16);
    if (auto* memo = dynamic_cast<TrpCustomMemoView*>(&component)) {
        // The next part of a split memo continues the paragraph.
        memo->FirstParaBreak = memo->LastParaBreak;
        memo->LastParaBreak = false;
    }
    for (const auto& child : component.Objects()) Record(*child, *node);
}

void TrpPreviewPages::RecordObject(TrpComponent& component) {
    TrpXMLItem* page = CurrentPageNode();
    if (!page) throw TrpError("No prepared page is open for " + component.Name());
    Record(component, *page);
}

TrpComponent* TrpPreviewPages::SourceOfRecord(const TrpXMLItem& record) const {
    return dictionary_.Source(record.Name());
}

bool TrpPreviewPages::HasBandOnPage(const TrpBand& band) const {
    const TrpXMLItem* page = CurrentPageNode();
    if (!page) return false;
    const TrpComponent* source = SourceOf(band);
    // A page or column footer stands for all of its kind.
    const TrpBandKind kind = band.Kind();
    const bool anyOfItsKind = kind == TrpBandKind::PageFooter || kind == TrpBandKind::ColumnFooter;
    for (std::size_t i = 0; i < page->Count(); ++i) {
        const TrpComponent* recorded = SourceOfRecord(page->Items(i));
        if (!recorded) continue;
        if (source && recorded == source) return true;
        const auto* recordedBand = dynamic_cast<const TrpBand*>(recorded);
        if (anyOfItsKind && recordedBand && recordedBand->Kind() == kind) return true;
    }
    return false;
}

int TrpPreviewPages::ObjectCountOnPage() const {
    const TrpXMLItem* page = CurrentPageNode();
    return page ? static_cast<int>(page->Count()) : 0;
}

int TrpPreviewPages::DetachObjectsFrom(int position) {
    TrpXMLItem* page = CurrentPageNode();
    if (!page) return 0;
    TrpXMLItem& held = document_.Root().FindOrCreate(kHeldRecords);
    const std::size_t from = static_cast<std::size_t>(std::max(position, 0));
    while (page->Count() > from) held.AddItem(page->Items(from));
    return static_cast<int>(page->Count());
}

void TrpPreviewPages::ReattachObjectsAt(double x, double y) {
    const int index = document_.Root().Find(kHeldRecords);
    if (index < 0) return;
    TrpXMLItem& held = document_.Root().Items(static_cast<std::size_t>(index));
    TrpXMLItem* page = CurrentPageNode();
    if (page && held.Count() > 0) {
        const double dx = x - NumberOr(held.Items(0).Prop("l"), 0);
        const double dy = y - NumberOr(held.Items(0).Prop("t"), 0);
        while (held.Count() > 0) {
            TrpXMLItem& record = held.Items(0);
            record.SetProp("l", platform::ShortestDecimal(NumberOr(record.Prop("l"), 0) + dx));
            record.SetProp("t", platform::ShortestDecimal(NumberOr(record.Prop("t"), 0) + dy));
            page->AddItem(record);
        }
    }
    held.Detach();
}

double TrpPreviewPages::BandsBottom(double columnPosition) const {
    double bottom = 0;
    if (const TrpXMLItem* page = CurrentPageNode()) {
        for (std::size_t i = 0; i < page->Count(); ++i) {
            const TrpXMLItem& record = page->Items(i);
            const auto* band = dynamic_cast<const TrpBand*>(SourceOfRecord(record));
            if (!band || band->Kind() == TrpBandKind::PageFooter || band->Kind() == TrpBandKind::Overlay) continue;
            const double left = NumberOr(record.Prop("l"), band->Left());
            const bool counts = columnPosition == 0 || std::abs(left - columnPosition) < 0.001 ||
                                band->Kind() == TrpBandKind::PageHeader || band->Kind() == TrpBandKind::ReportTitle;
            if (!counts) continue;
            bottom = std::max(bottom, NumberOr(record.Prop("t"), band->Top()) + NumberOr(record.Prop("h"), band->Height()));
        }
    }
    if (bottom == 0 && lastY_ > 0) return lastY_;
    return bottom;
}

void TrpPreviewPages::MarkPassStart() {
    passFirstPage_ = currentPage_ + 1;
    passFirstObject_ = 0;
}

void TrpPreviewPages::DropPassPages() {
    TrpXMLItem& root = document_.Root();
    if (passFirstPage_ == 0) {
        for (std::size_t i = root.Count(); i-- > 0;) {
            const std::string& name = root.Items(i).Name();
            if (!SameTextAscii(name, kAnchors) && !SameTextAscii(name, kLogicalPageNumbers)) root.Items(i).Detach();
        }
    } else if (const int at = root.Find(kPreviewPages); at >= 0) {
        TrpXMLItem& pages = root.Items(static_cast<std::size_t>(at));
        const auto first = static_cast<std::size_t>(passFirstPage_);
        if (first < pages.Count()) {
            TrpXMLItem& firstPage = pages.Items(first);
            while (firstPage.Count() > static_cast<std::size_t>(passFirstObject_)) firstPage.Items(firstPage.Count() - 1).Detach();
            while (pages.Count() > first + 1) pages.Items(pages.Count() - 1).Detach();
        }
        if (const int outline = root.Find(kOutline); outline >= 0) root.Items(static_cast<std::size_t>(outline)).Clear();
    }
    cache_.clear();
    CloseLogicalRun();
    currentPage_ = passFirstPage_ - 1;
}

void TrpPreviewPages::CountLogicalPage() {
    ++logicalCounter_;
    TrpXMLItem& node = document_.Root().FindOrCreate(kLogicalPageNumbers).Add("page");
    node.SetProp("n", std::to_string(logicalCounter_));
}

void TrpPreviewPages::CloseLogicalRun() {
    TrpXMLItem& numbers = document_.Root().FindOrCreate(kLogicalPageNumbers);
    for (int i = std::min(currentPage_, static_cast<int>(numbers.Count()) - 1); i >= passFirstPage_ && i >= 0; --i) {
        TrpXMLItem& node = numbers.Items(static_cast<std::size_t>(i));
        node.SetProp("t", std::to_string(logicalCounter_));
        if (node.Prop("n") == "1") break;
    }
    logicalCounter_ = 0;
}

int TrpPreviewPages::LogicalPageNumber() const {
    const int at = document_.Root().Find(kLogicalPageNumbers);
    if (at >= 0 && currentPage_ >= 0) {
        const TrpXMLItem& numbers = document_.Root().Items(static_cast<std::size_t>(at));
        if (currentPage_ < static_cast<int>(numbers.Count()))
            return IntegerOr(numbers.Items(static_cast<std::size_t>(currentPage_)).Prop("n"), 0);
    }
    return currentPage_ + 1;
}

int TrpPreviewPages::LogicalPageTotal(int totalPages) const {
    const int at = document_.Root().Find(kLogicalPageNumbers);
    if (at >= 0 && currentPage_ >= 0) {
        const TrpXMLItem& numbers = document_.Root().Items(static_cast<std::size_t>(at));
        if (currentPage_ < static_cast<int>(numbers.Count()))
            return IntegerOr(numbers.Items(static_cast<std::size_t>(currentPage_)).Prop("t"), 0);
    }
    return totalPages;
}

void TrpPreviewPages::RecordAnchor(const std::string& text, double y) {
    TrpXMLItem& item = document_.Root().FindOrCreate(kAnchors).Add("item");
    item.SetProp("text", text);
    item.SetProp("page", std::to_string(currentPage_));
    item.SetProp("top", std::to_string(RoundToInt(y)));
}

std::unique_ptr<TrpReportPage> TrpPreviewPages::Rebuild(int index) {
    const TrpXMLItem& node = Pages().Items(static_cast<std::size_t>(index));
    std::unique_ptr<TrpReportPage> page;
    if (node.Name() == kCompletePage) {
        page = std::make_unique<TrpReportPage>();
        ApplyProperties(*page, node.Text());
    } else {
        const int source = node.Name().starts_with("page") ? IntegerOr(node.Name().substr(4), -1) : -1;
        if (source >= 0 && source < static_cast<int>(sourcePages_.size())) {
            const TrpReportPage& from = *sourcePages_[static_cast<std::size_t>(source)].Page;
            page = NewPageLike(from.ClassName());
            AssignProperties(*page, from);
            page->SetName(from.Name());
        } else {
            page = std::make_unique<TrpReportPage>();
        }
    }
    const auto build = [this](auto&& self, const TrpXMLItem& record, TrpComponent& parent) -> void {
        std::unique_ptr<TrpComponent> object;
        if (const TrpComponent* source = SourceOfRecord(record)) {
            object = BuildComponent(source->ClassName(), sourceObjects_.at(source).Stored, record.Text());
            object->SetName(source->Name());
        } else {
            object = BuildComponent(record.Name() + " " + record.Text());
        }
        TrpComponent* raw = parent.Add(std::move(object));
        for (std::size_t i = 0; i < record.Count(); ++i) self(self, record.Items(i), *raw);
    };
    for (std::size_t i = 0; i < node.Count(); ++i) build(build, node.Items(i), *page);
    return page;
}

TrpReportPage& TrpPreviewPages::MaterializePage(int index) {
    if (index < 0 || index >= PageCount()) {
        throw TrpError("No prepared page " + std::to_string(index) + " (the report has " +
                       std::to_string(PageCount()) + ")");
    }
    const auto it = std::find_if(cache_.begin(), cache_.end(), [index](const auto& e) { return e.first == index; });
    if (it != cache_.end()) {
        if (!preparing_) {
            cache_.splice(cache_.begin(), cache_, it);
            return *cache_.front().second;
        }
        cache_.erase(it);
    }
    cache_.emplace_front(index, Rebuild(index));
    const std::size_t limit = static_cast<std::size_t>(std::max(report_.PreviewOptions.PagesInCache, 0));
    while (cache_.size() > 1 && cache_.size() > limit) cache_.pop_back();
    return *cache_.front().second;
}

std::pair<int, int> TrpPreviewPages::PageSizeOf(int index) {
    if (index < 0 || index >= PageCount()) return {0, 0};
    const TrpReportPage& page = MaterializePage(index);
    return {static_cast<int>(RoundToInt(page.Width())), static_cast<int>(RoundToInt(page.Height()))};
}

}  // namespace lk63
