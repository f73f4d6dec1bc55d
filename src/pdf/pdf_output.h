#pragma once
// The byte stream of a PDF document with its object offsets: the allocator
// of object numbers and the source of the cross-reference table.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "pdf/pdf_sink.h"

namespace lk63 {

class TrpPDFOutput {
public:
    explicit TrpPDFOutput(TrpPDFSink& sink) : sink_(sink) {}
    TrpPDFOutput(const TrpPDFOutput&) = delete;
    TrpPDFOutput& operator=(const TrpPDFOutput&) = delete;

    // Buffered; the sink sees the bytes in large pieces and at Flush.
    void Write(std::string_view bytes);
    // The line followed by CR LF, the end of every line of PDF syntax.
    void WriteLine(std::string_view line);
    void Flush();

    [[nodiscard]] std::uint64_t Position() const { return flushed_ + buffer_.size(); }

    // Records the current position as the offset of a new object and returns
    // its number: object n has its offset at index n - 1.
    int NewObjectNumber();
    // A reserved object is written later: its offset becomes the current position.
    void SetObjectOffset(int number);
    [[nodiscard]] int ObjectCount() const { return static_cast<int>(offsets_.size()); }
    [[nodiscard]] const std::vector<std::uint64_t>& Offsets() const { return offsets_; }

private:
    static constexpr std::size_t kFlushSize = 1 << 16;

    TrpPDFSink& sink_;
    std::string buffer_;
    std::uint64_t flushed_ = 0;
    std::vector<std::uint64_t> offsets_;
};

// "n 0 obj" and "n 0 R".
std::string ObjectHeader(int number);
std::string ObjectReference(int number);

}  // namespace lk63
