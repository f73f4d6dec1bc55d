#pragma once
// A file carried inside the PDF document: an embedded file stream with the
// dictionary that names it, listed in the catalog's /EmbeddedFiles name tree
// and /AF array, as readers list attachments.

#include <string>
#include <vector>

namespace lk63 {

class TrpPDFOutput;

struct TrpAttachment {
    std::string Name;         // file name as readers show it, e.g. "order.json"
    std::string MimeType;     // e.g. "application/json"
    std::string Description;  // shown beside the name
    std::string Data;
    // How the file relates to the document: "Data" for the data the pages show.
    std::string Relationship = "Data";
};

// The stream data of an attachment (deflated when `compressed`) and the
// MD5 of its bytes, upper-case hex; a large file's may be made ahead.
struct TrpPackedAttachment {
    std::string Data;
    std::string Md5;
};
TrpPackedAttachment PackAttachment(const TrpAttachment& attachment, bool compressed);

// Writes the embedded file stream (the data PackAttachment gave, its size
// and MD5 in /Params) and the dictionary that names it; gives that
// dictionary's object number, the one the catalog refers to.
int WriteAttachment(TrpPDFOutput& out, const TrpAttachment& attachment, bool compressed,
                    const TrpPackedAttachment& packed);

// The catalog's entries for the attachments whose naming dictionaries are
// `entries` (same order): "/Names << /EmbeddedFiles << /Names [...] >> >>"
// with the names sorted as a name tree wants them, and "/AF [...]".
std::vector<std::string> AttachmentCatalogEntries(const std::vector<TrpAttachment>& attachments,
                                                  const std::vector<int>& entries);

}  // namespace lk63
