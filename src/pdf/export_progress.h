#pragma once
// Progress of an export run and its cancel button. The window shows a
// progress dialog; the command-line tool shows nothing and never cancels.

#include <string>

namespace lk63 {

class TrpExportProgress {
public:
    virtual ~TrpExportProgress() = default;
    // Before the first page.
    virtual void Start(int pageCount) = 0;
    // Page `number` (from 1) is being written; a window shows
    // ExportPageMessage(number) and lets pending messages through.
    virtual void Page(int number) = 0;
    // Once the pages are written or the run stopped.
    virtual void Stop() = 0;
};
// "Отмена" sets the report's Terminated flag; the run stops after the object
// being written.

// "Экспорт страницы 3".
std::string ExportPageMessage(int number);

}  // namespace lk63
