// ReadPdfAttachment loads qpdf, in the module liblk63-pdf-reading.so, on first
// use only: most runs read no PDF document and need not pay for loading it
// and its chain of libraries at every start.
#include "platform/io/pdf_attachment.h"

#include <dlfcn.h>

#include <algorithm>
#include <exception>
#include <filesystem>
#include <optional>
#include <system_error>

#include "platform/io/pdf_attachment_module.h"

namespace lk63::platform {
namespace {

namespace fs = std::filesystem;

struct TModule {
    TReadPdfAttachmentEntry* Entry = nullptr;
    std::string Error;  // why Entry is missing
};

// The folder of the running program, where the build puts the module; an
// installed program finds it in ../lib/lk63-questionnaire beside its bin/.
std::optional<fs::path> ProgramFolder() {
    std::error_code error;
    const fs::path program = fs::read_symlink("/proc/self/exe", error);
    if (error) return std::nullopt;
    return program.parent_path();
}

TModule LoadModule() {
    const std::optional<fs::path> folder = ProgramFolder();
    if (!folder) return {nullptr, "the program's own folder is unknown"};
    const fs::path beside = *folder / kPdfReadingModule;
    const fs::path installed = *folder / LK63_PDF_READING_MODULE_DIR / kPdfReadingModule;
    for (const fs::path& path : {beside, installed}) {
        std::error_code error;
        if (!fs::exists(path, error)) continue;
        void* handle = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (handle == nullptr) {
            const char* why = ::dlerror();
            return {nullptr, why != nullptr ? why : path.string() + " cannot be loaded"};
        }
        // Stays loaded to the end of the process.
        if (void* entry = ::dlsym(handle, kPdfReadingEntry))
            return {reinterpret_cast<TReadPdfAttachmentEntry*>(entry), {}};
        return {nullptr, path.string() + " has no " + kPdfReadingEntry};
    }
    return {nullptr, std::string(kPdfReadingModule) + " is not beside the program nor in " + LK63_PDF_READING_MODULE_DIR};
}

const TModule& Module() {
    static const TModule module = LoadModule();  // once, whichever thread asks first
    return module;
}

// What the module answered; an exception of the copying is kept to be thrown here.
struct TAnswer {
    std::string Data;
    std::optional<TPdfReadError> Error;
    std::exception_ptr Exception;
};

void TakeData(void* caller, const char* bytes, std::size_t size) {
    auto& answer = *static_cast<TAnswer*>(caller);
    try {
        answer.Data.assign(bytes, size);
    } catch (...) {
        answer.Exception = std::current_exception();
    }
}

void TakeFailure(void* caller, TPdfReadFailure failure, const char* message, std::size_t size) {
    auto& answer = *static_cast<TAnswer*>(caller);
    try {
        answer.Error.emplace(failure, std::string(message, size));
    } catch (...) {
        answer.Exception = std::current_exception();
    }
}

}  // namespace

std::string ReadPdfAttachment(std::string_view pdf, const std::string& name, std::size_t maxSize) {
    if (pdf.substr(0, std::min<std::size_t>(pdf.size(), 1024)).find("%PDF-") == std::string_view::npos)
        throw TPdfReadError(TPdfReadFailure::NotPdf, "not a PDF document");
    const TModule& module = Module();
    if (module.Entry == nullptr)
        throw TPdfReadError(TPdfReadFailure::ReaderMissing, "the PDF reader cannot be loaded: " + module.Error);
    TAnswer answer;
    const TPdfAttachmentReply reply{&answer, &TakeData, &TakeFailure};
    module.Entry(pdf.data(), pdf.size(), name.data(), name.size(), maxSize, &reply);
    if (answer.Exception) std::rethrow_exception(answer.Exception);
    if (answer.Error) throw *answer.Error;
    return std::move(answer.Data);
}

}  // namespace lk63::platform
