#include "platform/io/pdf_attachment.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "platform/io/temp_folder.h"

namespace lk63::platform {
namespace {

using iotest::ReadFile;
using iotest::TTempFolder;
using iotest::WriteFile;

constexpr std::size_t kLimit = 1 << 20;

class PdfAttachment : public testing::Test {
protected:
    // An empty document with `data` attached as order.json by qpdf, with
    // `options` (object streams, ...) as qpdf writes it.
    std::string Document(const std::string& data, const std::string& options = "") {
        WriteFile(folder_ / "order.json", data);
        const std::string command = "qpdf --empty " + options + " --add-attachment '" + (folder_ / "order.json") +
                                    "' -- '" + (folder_ / "doc.pdf") + "' >/dev/null 2>&1";
        EXPECT_EQ(std::system(command.c_str()), 0) << command;
        return ReadFile(folder_ / "doc.pdf");
    }

    // The error reading order.json from `pdf`; none when it was read.
    static std::optional<TPdfReadError> ErrorOf(std::string_view pdf) {
        try {
            ReadPdfAttachment(pdf, "order.json", kLimit);
            return std::nullopt;
        } catch (const TPdfReadError& e) {
            return e;
        }
    }

    TTempFolder folder_;
};

TEST_F(PdfAttachment, ReadsTheFileByNameHoweverTheDocumentWasWritten) {
    const std::string data = "{\"format\": 1, \"organisation\": \"ООО «Ромашка»\"}\n";
    for (const char* options : {"", "--object-streams=generate", "--compress-streams=n", "--qdf"}) {
        SCOPED_TRACE(options);
        EXPECT_EQ(ReadPdfAttachment(Document(data, options), "order.json", kLimit), data);
    }
    EXPECT_EQ(ReadPdfAttachment(Document(std::string(kLimit, 'x')), "order.json", kLimit).size(), kLimit);
}

TEST_F(PdfAttachment, BadDocumentsAreErrorsThatSayWhy) {
    const std::string good = Document("{}");
    struct Case {
        const char* name;
        std::string pdf;
        const char* reason;
        TPdfReadFailure failure;
    } const cases[] = {
        {"NotAPdf", "{\"format\": 1}", "not a PDF document", TPdfReadFailure::NotPdf},
        {"Empty", "", "not a PDF document", TPdfReadFailure::NotPdf},
        {"NoAttachment", ReadFile([&] {
             std::system(("qpdf --empty '" + (folder_ / "plain.pdf") + "'").c_str());
             return folder_ / "plain.pdf";
         }()),
         "the document has no attachment \"order.json\"", TPdfReadFailure::NoAttachment},
        {"Cut", good.substr(0, 40), "damaged PDF document", TPdfReadFailure::Damaged},
        {"TooLarge", Document(std::string(kLimit + 1, 'x')), "larger than 1048576 bytes",
         TPdfReadFailure::AttachmentTooLarge},
        // 64 MB of zeros deflate to a few dozen kilobytes: decoding stops at the limit.
        {"InflatesWithoutEnd", Document(std::string(64u << 20, '\0')), "larger than 1048576 bytes",
         TPdfReadFailure::AttachmentTooLarge},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::optional<TPdfReadError> error = ErrorOf(c.pdf);
        ASSERT_TRUE(error.has_value());
        EXPECT_NE(std::string(error->what()).find(c.reason), std::string::npos) << error->what();
        EXPECT_EQ(error->Failure(), c.failure) << error->what();
    }
}

}  // namespace
}  // namespace lk63::platform
