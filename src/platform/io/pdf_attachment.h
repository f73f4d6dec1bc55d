#pragma once
// Files carried inside a PDF document, read with qpdf (loaded on first use):
// whatever program last saved the file (object streams, incremental updates,
// a damaged table that can be recovered), the embedded file is found by its
// name.

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>

namespace lk63::platform {

// What kept the attachment from being read, for a caller that words it its own way.
enum class TPdfReadFailure {
    NotPdf,              // the data is no PDF document
    Damaged,             // a PDF document that cannot be read, or whose attachment cannot be decoded
    NoAttachment,        // the document has no attachment of that name
    AttachmentTooLarge,  // the attachment holds more than the caller takes
    ReaderMissing,       // the module that reads PDF documents is not installed or cannot be loaded
};

// The reason in words a person understands: "not a PDF document", "the
// document has no attachment \"order.json\"", ...
class TPdfReadError : public std::runtime_error {
public:
    TPdfReadError(TPdfReadFailure failure, const std::string& message)
        : std::runtime_error(message), failure_(failure) {}
    [[nodiscard]] TPdfReadFailure Failure() const { return failure_; }

private:
    TPdfReadFailure failure_;
};

// The decoded data of the embedded file `name` of the document `pdf`. Throws
// TPdfReadError when `pdf` cannot be read as a PDF document, has no such
// attachment, its data cannot be decoded, or it holds more than `maxSize`
// bytes (decoding stops there: a small stream that inflates without end
// costs no memory), or when the module holding qpdf cannot be loaded. qpdf's
// warnings are not printed. Safe to call from several threads.
std::string ReadPdfAttachment(std::string_view pdf, const std::string& name, std::size_t maxSize);

}  // namespace lk63::platform
