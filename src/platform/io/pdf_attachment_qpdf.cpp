// The module liblk63-pdf-reading.so: the only code that talks to qpdf.
#include "platform/io/pdf_attachment_module.h"

#include <qpdf/Pipeline.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFEmbeddedFileDocumentHelper.hh>
#include <qpdf/QPDFExc.hh>
#include <qpdf/QPDFFileSpecObjectHelper.hh>

namespace lk63::platform {
namespace {

// Keeps what fits and notes that more came.
class TBoundedPipeline : public Pipeline {
public:
    TBoundedPipeline(std::string& out, std::size_t limit) : Pipeline("bounded", nullptr), out_(out), limit_(limit) {}
    void write(unsigned char const* data, size_t length) override {
        if (overflow_) return;
        if (length > limit_ - out_.size()) {
            overflow_ = true;
            return;
        }
        out_.append(reinterpret_cast<const char*>(data), length);
    }
    void finish() override {}
    bool Overflow() const { return overflow_; }

private:
    std::string& out_;
    std::size_t limit_;
    bool overflow_ = false;
};

// The attachment's data; TPdfReadError when it cannot be had.
std::string ReadWithQpdf(std::string_view pdf, const std::string& name, std::size_t maxSize) {
    std::string data;
    try {
        QPDF document;
        document.setSuppressWarnings(true);
        document.processMemoryFile("document", pdf.data(), pdf.size());
        QPDFEmbeddedFileDocumentHelper files(document);
        const auto file = files.getEmbeddedFile(name);
        if (!file)
            throw TPdfReadError(TPdfReadFailure::NoAttachment, "the document has no attachment \"" + name + "\"");
        QPDFObjectHandle stream = file->getEmbeddedFileStream();
        if (!stream.isStream())
            throw TPdfReadError(TPdfReadFailure::Damaged, "the attachment \"" + name + "\" holds no data");
        TBoundedPipeline bounded(data, maxSize);
        bool filtered = false;
        const bool ok = stream.pipeStreamData(&bounded, &filtered, 0, qpdf_dl_all, true);
        if (bounded.Overflow())
            throw TPdfReadError(TPdfReadFailure::AttachmentTooLarge,
                                "the attachment \"" + name + "\" is larger than " + std::to_string(maxSize) + " bytes");
        if (!ok || !filtered)
            throw TPdfReadError(TPdfReadFailure::Damaged,
                                "the data of the attachment \"" + name + "\" cannot be decoded");
    } catch (const TPdfReadError&) {
        throw;
    } catch (const std::exception& e) {
        throw TPdfReadError(TPdfReadFailure::Damaged, std::string("damaged PDF document: ") + e.what());
    }
    return data;
}

}  // namespace
}  // namespace lk63::platform

extern "C" __attribute__((visibility("default"))) void lk63_read_pdf_attachment(
    const char* pdf, std::size_t pdfSize, const char* name, std::size_t nameSize, std::size_t maxSize,
    const lk63::platform::TPdfAttachmentReply* reply) noexcept {
    using namespace lk63::platform;
    const auto fail = [reply](TPdfReadFailure failure, std::string_view message) {
        reply->Failure(reply->Caller, failure, message.data(), message.size());
    };
    try {
        const std::string data = ReadWithQpdf({pdf, pdfSize}, std::string(name, nameSize), maxSize);
        reply->Data(reply->Caller, data.data(), data.size());
    } catch (const TPdfReadError& e) {
        fail(e.Failure(), e.what());
    } catch (const std::exception& e) {
        fail(TPdfReadFailure::Damaged, std::string("damaged PDF document: ") + e.what());
    } catch (...) {
        fail(TPdfReadFailure::Damaged, "damaged PDF document");
    }
}
