#pragma once
// What an export run reads: the prepared pages, rebuilt one at a time.

namespace lk63 {

class TrpReportPage;

class TrpExportPages {
public:
    virtual ~TrpExportPages() = default;
    [[nodiscard]] virtual int PageCount() = 0;
    // The rebuilt page; it stays valid until the next call.
    virtual TrpReportPage& MaterializePage(int index) = 0;
};

}  // namespace lk63
