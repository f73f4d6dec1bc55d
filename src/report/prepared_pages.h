#pragma once
// The store of prepared pages. Every template page is kept once as a source
// page; each placed object is recorded as its source object's alias plus the
// properties that differ from it. A finished page is rebuilt on request into
// an ordinary page object and kept in a small cache.

#include <cstddef>
#include <list>
#include <memory>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "report/prepared_pages_dictionary.h"
#include "report/prepared_pages_xml.h"
#include "report/serializer.h"

namespace lk63 {

class TrpBand;
class TrpComponent;
class TrpReport;
class TrpReportPage;

// The prepared pages store. It keeps the name the report's file format and
// its callers know it by; nothing in it is a preview: there is no preview
// window, the PDF export walks it.
class TrpPreviewPages {
public:
    explicit TrpPreviewPages(TrpReport& report);
    ~TrpPreviewPages();
    TrpPreviewPages(const TrpPreviewPages&) = delete;
    TrpPreviewPages& operator=(const TrpPreviewPages&) = delete;

    // Called by the band engine, in the order of a run.
    void ResetStore();
    // Throws TrpError when the report asks for the file cache, which this
    // system does not have.
    void BeginPreparation();
    void RegisterSourcePage(TrpReportPage& page);
    // An object made during the run joins the last source page.
    void RegisterExtraSourceObject(TrpComponent& object);
    void OpenPreparedPage(const TrpReportPage* page);
    // The component and its visible children, as records on the current page.
    void RecordObject(TrpComponent& component);
    [[nodiscard]] bool HasBandOnPage(const TrpBand& band) const;
    [[nodiscard]] int ObjectCountOnPage() const;
    // Moves the records from `position` on to the held records; gives the
    // page's record count afterwards.
    int DetachObjectsFrom(int position);
    // Appends the held records to the current page, the first at (x, y) and
    // the others shifted alike.
    void ReattachObjectsAt(double x, double y);
    // The lowest bottom of the bands on the current page.
    [[nodiscard]] double BandsBottom(double columnPosition) const;
    void MarkPassStart();
    void DropPassPages();
    void CountLogicalPage();
    void CloseLogicalRun();
    [[nodiscard]] int LogicalPageNumber() const;
    [[nodiscard]] int LogicalPageTotal(int totalPages) const;
    void RecordAnchor(const std::string& text, double y);
    void EndPreparation();

    // The file cache of prepared pages does not exist in this system:
    // asking for it throws TrpError; turning it off does nothing.
    void UseFileCache(bool value);

    // The engine asks for a new page to be appended rather than written over.
    bool AppendRequested = false;

    // For the export.
    [[nodiscard]] int PageCount() const;
    // The rebuilt page, owned by the cache; valid until the cache drops it.
    TrpReportPage& MaterializePage(int index);
    // Width and height of a page, rounded; (0, 0) out of range.
    [[nodiscard]] std::pair<int, int> PageSizeOf(int index);

    [[nodiscard]] int CurrentPage() const { return currentPage_; }
    [[nodiscard]] bool Preparing() const { return preparing_; }
    [[nodiscard]] const TrpXMLDocument& Document() const { return document_; }
    [[nodiscard]] const TrpDictionary& Dictionary() const { return dictionary_; }
    [[nodiscard]] std::size_t SourcePageCount() const { return sourcePages_.size(); }
    [[nodiscard]] std::size_t CachedPageCount() const { return cache_.size(); }
    [[nodiscard]] long long RecordSize() const { return recordSize_; }
    // The source object a template object was copied to during this run.
    [[nodiscard]] TrpComponent* SourceOf(const TrpComponent& templateObject) const;

private:
    struct TSourcePage {
        std::unique_ptr<TrpReportPage> Page;
        const TrpReportPage* Template = nullptr;
    };
    struct TSourceObject {
        TrpStoredProperties Stored;
        int SourcePage = -1;
    };

    TrpXMLItem& Pages();
    [[nodiscard]] const TrpXMLItem* PagesNode() const;
    [[nodiscard]] const TrpXMLItem* CurrentPageNode() const;
    [[nodiscard]] TrpXMLItem* CurrentPageNode();
    void Record(TrpComponent& component, TrpXMLItem& parent);
    [[nodiscard]] TrpComponent* SourceOfRecord(const TrpXMLItem& record) const;
    void RegisterObject(TrpComponent& copy, TrpComponent& original, int sourcePage);
    std::unique_ptr<TrpReportPage> Rebuild(int index);

    TrpReport& report_;
    TrpXMLDocument document_;
    TrpDictionary dictionary_;
    std::vector<TSourcePage> sourcePages_;
    std::unordered_map<const TrpComponent*, TrpComponent*> templateToSource_;
    std::unordered_map<const TrpComponent*, TSourceObject> sourceObjects_;
    std::list<std::pair<int, std::unique_ptr<TrpReportPage>>> cache_;  // most recent first
    int currentPage_ = -1;
    int passFirstPage_ = 0;
    int passFirstObject_ = 0;
    int logicalCounter_ = 0;
    long long recordSize_ = 0;
    double lastY_ = 0;
    bool preparing_ = false;
};

}  // namespace lk63
