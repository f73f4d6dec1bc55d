// The order a saved questionnaire carries, as the factory and the customer
// get it back: `lk63-order read`, and a saved PDF wherever ORDER.json goes.
#include <gtest/gtest.h>

#include <algorithm>
#include <regex>

#include "app/tool_test.h"

namespace {

using lk63::testing::Quote;
using lk63::testing::ReadFile;
using lk63::testing::TResult;
namespace fs = std::filesystem;

class OrderRead : public lk63::testing::ToolTest {
protected:
    void SetUp() override {
        ToolTest::SetUp();
        saved_ = dir_ / "saved.pdf";
        const TResult r = Run("pdf " + Data("four_pole.json") + " -o " + Quote(saved_));
        ASSERT_EQ(r.status, 0) << r.err;
    }

    // Runs a shell command in the test's folder; its status.
    int Shell(const std::string& command) {
        return std::system(("cd " + Quote(dir_) + " && " + command + " >/dev/null 2>&1").c_str());
    }

    // `saved_` with `data` attached as order.json in place of its own.
    fs::path WithOrder(const std::string& name, const std::string& data) {
        Write(name + ".json", data);
        EXPECT_EQ(Shell("qpdf saved.pdf --add-attachment " + name + ".json --key=order.json --replace -- " + name +
                        ".pdf"),
                  0);
        return dir_ / (name + ".pdf");
    }

    static void ExpectOneLine(const TResult& r, const std::string& piece) {
        EXPECT_EQ(r.status, 2) << r.err;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
        EXPECT_NE(r.err.find(piece), std::string::npos) << r.err;
        EXPECT_EQ(r.out, "");
    }

    fs::path saved_;
};

TEST_F(OrderRead, TheSavedFileGivesBackItsOrder) {
    const TResult read = Run("read " + Quote(saved_));
    ASSERT_EQ(read.status, 0) << read.err;
    // The attachment as readers list and extract it, byte for byte.
    EXPECT_EQ(Shell("qpdf --list-attachments saved.pdf | grep -q '^order.json -> '"), 0);
    ASSERT_EQ(Shell("pdfdetach -save 1 -o detached.json saved.pdf"), 0);
    EXPECT_EQ(read.out, ReadFile(dir_ / "detached.json"));
    EXPECT_NE(read.out.find("\"format\": 1,"), std::string::npos) << read.out;
    EXPECT_NE(read.out.find("\"ЛК63-19-2500H\""), std::string::npos) << read.out;

    // The same derived texts as from the order it was saved from.
    EXPECT_EQ(Run("derive " + Quote(saved_)).out, Run("derive " + Data("four_pole.json")).out);
    // Saved again from the saved file: the same order, the same pages.
    const fs::path again = dir_ / "again.pdf";
    ASSERT_EQ(Run("pdf " + Quote(saved_) + " -o " + Quote(again)).status, 0);
    EXPECT_EQ(Run("read " + Quote(again)).out, read.out);
    ASSERT_EQ(Shell("pdftotext saved.pdf saved.txt && pdftotext again.pdf again.txt"), 0);
    EXPECT_EQ(ReadFile(dir_ / "saved.txt"), ReadFile(dir_ / "again.txt"));
    // The rows offered after the saved choices.
    const TResult options = Run("options " + Quote(saved_) + " --row 2.2");
    EXPECT_EQ(options.status, 0) << options.err;
    EXPECT_FALSE(options.out.empty());
}

// Files rewritten by other programs: object streams, an incremental update.
TEST_F(OrderRead, FilesOtherProgramsRewroteStillOpen) {
    const std::string expected = Run("read " + Quote(saved_)).out;
    ASSERT_EQ(Shell("qpdf --object-streams=generate saved.pdf streams.pdf"), 0);
    EXPECT_EQ(Run("read " + Quote(dir_ / "streams.pdf")).out, expected);

    // A title set by an update appended to the file, as editors save.
    const std::string pdf = ReadFile(saved_);
    std::smatch m;
    ASSERT_TRUE(std::regex_search(pdf, m, std::regex(R"(/Size (\d+)\r\n/Root (\d+) 0 R\r\n/Info (\d+) 0 R\r\n/ID (\[[^\]]*\]))")));
    const int size = std::stoi(m[1]);
    const std::size_t previous = std::stoul(pdf.substr(pdf.rfind("startxref") + 11));
    std::string update = "\n" + std::to_string(size) + " 0 obj\n<< /Title (Updated) >>\nendobj\n";
    const std::size_t object = pdf.size() + 1;
    const std::size_t table = pdf.size() + update.size();
    char entry[32];
    std::snprintf(entry, sizeof entry, "%010zu 00000 n \n", object);
    update += "xref\n" + std::to_string(size) + " 1\n" + entry + "trailer\n<< /Size " + std::to_string(size + 1) +
              " /Root " + std::string(m[2]) + " 0 R /Info " + std::to_string(size) + " 0 R /ID " + std::string(m[4]) +
              " /Prev " + std::to_string(previous) + " >>\nstartxref\n" + std::to_string(table) + "\n%%EOF\n";
    Write("updated.pdf", pdf + update);
    EXPECT_EQ(Shell("qpdf --check updated.pdf && pdfinfo updated.pdf | grep -q 'Title: *Updated'"), 0);
    EXPECT_EQ(Run("read " + Quote(dir_ / "updated.pdf")).out, expected);
}

TEST_F(OrderRead, BadFilesAreRefusedWithOneLine) {
    const std::string order = Run("read " + Quote(saved_)).out;
    std::string future = order;
    future.replace(future.find("\"format\": 1"), 11, "\"format\": 2");
    std::string refused = order;
    const std::string rated = "\"2500 А\"";
    refused.replace(refused.find(rated), rated.size(), "\"100 А\"");
    ASSERT_EQ(Shell("qpdf --empty plain.pdf"), 0);
    Write("cut.pdf", ReadFile(saved_).substr(0, 12000));
    Write("unreadable.pdf", ReadFile(saved_));
    fs::permissions(dir_ / "unreadable.pdf", fs::perms::none);
    struct Case {
        const char* name;
        fs::path file;
        std::string piece;
    } const cases[] = {
        {"NoAttachment", dir_ / "plain.pdf", "the document has no attachment \"order.json\""},
        {"Damaged", dir_ / "cut.pdf", "damaged PDF document"},
        {"AttachmentOverOneMegabyte", WithOrder("big", std::string(1200000, ' ') + order), "larger than 1048576 bytes"},
        {"InvalidJson", WithOrder("broken", "{ not json"), "invalid JSON"},
        {"FormatFromTheFuture", WithOrder("future", future), "newer than this program reads (1)"},
        {"ChoiceTheRulesRefuse", WithOrder("refused", refused), "row 1.1"},
        {"Missing", dir_ / "missing.pdf", "No such file or directory"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (const char* command : {"read ", "derive "}) {
            // The rules see the choices only when they are applied.
            if (std::string(c.name) == "ChoiceTheRulesRefuse" && std::string(command) == "read ") continue;
            ExpectOneLine(Run(command + Quote(c.file)), c.piece);
        }
        const TResult pdf = Run("pdf " + Quote(c.file) + " -o " + Quote(dir_ / "out.pdf"));
        ExpectOneLine(pdf, c.piece);
        EXPECT_FALSE(fs::exists(dir_ / "out.pdf"));
    }
    // As nobody, for whom the file is unreadable (root would ignore the bits).
    const std::string asNobody = ::geteuid() == 0 ? "setpriv --reuid=65534 --regid=65534 --clear-groups " : "";
    fs::permissions(dir_, fs::perms::others_exec | fs::perms::owner_all, fs::perm_options::add);
    ExpectOneLine(Run("read " + Quote(dir_ / "unreadable.pdf"), "", asNobody), "Permission denied");
}

// qpdf is loaded only when a PDF document is read: a tool whose reader
// module is missing still writes, and refuses to read with a line that says why.
TEST_F(OrderRead, WithoutTheReaderModuleOnlyReadingFails) {
    fs::create_directory(dir_ / "lone");
    fs::copy_file(tool_, dir_ / "lone" / "lk63-order");
    tool_ = dir_ / "lone" / "lk63-order";
    const TResult written = Run("pdf " + Data("four_pole.json") + " -o " + Quote(dir_ / "lone.pdf"));
    EXPECT_EQ(written.status, 0) << written.err;
    ExpectOneLine(Run("read " + Quote(saved_)), "the PDF reader cannot be loaded: liblk63-pdf-reading.so");
}

}  // namespace
