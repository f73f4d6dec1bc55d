#include "pdf/pdf_output.h"

#include <stdexcept>

namespace lk63 {

void TrpPDFOutput::Write(std::string_view bytes) {
    if (bytes.size() >= kFlushSize) {
        Flush();
        sink_.Write(bytes);
        flushed_ += bytes.size();
        return;
    }
    buffer_.append(bytes);
    if (buffer_.size() >= kFlushSize) Flush();
}

void TrpPDFOutput::WriteLine(std::string_view line) {
    buffer_.append(line);
    buffer_.append("\r\n");
    if (buffer_.size() >= kFlushSize) Flush();
}

void TrpPDFOutput::Flush() {
    if (buffer_.empty()) return;
    // Counted only once written: a failed write leaves the position as it was.
    sink_.Write(buffer_);
    flushed_ += buffer_.size();
    buffer_.clear();
}

int TrpPDFOutput::NewObjectNumber() {
    offsets_.push_back(Position());
    return static_cast<int>(offsets_.size());
}

void TrpPDFOutput::SetObjectOffset(int number) {
    if (number < 1 || number > ObjectCount()) throw std::out_of_range("no PDF object " + std::to_string(number));
    offsets_[static_cast<std::size_t>(number - 1)] = Position();
}

std::string ObjectHeader(int number) { return std::to_string(number) + " 0 obj"; }
std::string ObjectReference(int number) { return std::to_string(number) + " 0 R"; }

}  // namespace lk63
