#pragma once
// The boundary between ReadPdfAttachment and the module that holds qpdf
// (liblk63-pdf-reading.so, loaded on first use so that a run which reads no
// PDF document does not load qpdf and its chain of libraries). Plain C: no
// exception and no object of either side's heap crosses it.

#include <cstddef>

#include "platform/io/pdf_attachment.h"

namespace lk63::platform {

// Where the module puts its answer; the functions copy what they are given
// and never throw.
struct TPdfAttachmentReply {
    void* Caller;
    void (*Data)(void* caller, const char* bytes, std::size_t size);
    void (*Failure)(void* caller, TPdfReadFailure failure, const char* message, std::size_t size);
};

inline constexpr char kPdfReadingModule[] = "liblk63-pdf-reading.so";
inline constexpr char kPdfReadingEntry[] = "lk63_read_pdf_attachment";

}  // namespace lk63::platform

extern "C" {
// Reads the attachment `name` of the document `pdf` (up to `maxSize` bytes)
// and answers through exactly one call of `reply`'s Data or Failure.
using TReadPdfAttachmentEntry = void(const char* pdf, std::size_t pdfSize, const char* name, std::size_t nameSize,
                                     std::size_t maxSize, const lk63::platform::TPdfAttachmentReply* reply) noexcept;
TReadPdfAttachmentEntry lk63_read_pdf_attachment;
}
