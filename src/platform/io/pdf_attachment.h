#pragma once
// Files carried inside a PDF document, read with qpdf: whatever program last
// saved the file (object streams, incremental updates, a damaged table that
// can be recovered), the embedded file is found by its name.

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>

namespace lk63::platform {

// The reason in words a person understands: "not a PDF document", "the
// document has no attachment \"order.json\"", ...
class TPdfReadError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The decoded data of the embedded file `name` of the document `pdf`. Throws
// TPdfReadError when `pdf` cannot be read as a PDF document, has no such
// attachment, its data cannot be decoded, or it holds more than `maxSize`
// bytes (decoding stops there: a small stream that inflates without end
// costs no memory). qpdf's warnings are not printed.
std::string ReadPdfAttachment(std::string_view pdf, const std::string& name, std::size_t maxSize);

}  // namespace lk63::platform
