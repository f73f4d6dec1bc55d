#pragma once
// Settings a template carries besides its engine options. Only the number
// of pages the prepared pages store keeps built acts here; the report's
// catalogue entry and the printer settings are kept and saved again.

#include <string>

namespace lk63 {

struct TrpReportOptions {
    std::string Name;
    std::string Author;
    std::string Description;
};

struct TrpPreviewOptions {
    int PagesInCache = 50;  // built pages the prepared pages store keeps
    bool PictureCacheInFile = false;
};

struct TrpPrintOptions {
    int Copies = 1;
    bool Collate = true;
    std::string Printer = "Default";
};

}  // namespace lk63
