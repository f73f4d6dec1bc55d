// `lk63-order pdf` as an integrator runs it: real process, real files.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <regex>
#include <vector>

#include "app/tool_test.h"

namespace {

using lk63::testing::Quote;
using lk63::testing::ReadFile;
using lk63::testing::TResult;
namespace fs = std::filesystem;

class OrderPdf : public lk63::testing::ToolTest {
protected:
    void SetUp() override {
        ToolTest::SetUp();
        fs::create_directories(dir_ / "out");
        fs::permissions(dir_, fs::perms::all & ~fs::perms::others_write & ~fs::perms::group_write);
    }
    void TearDown() override {
        fs::permissions(dir_ / "out", fs::perms::owner_all, fs::perm_options::add);
        ToolTest::TearDown();
    }

    std::vector<std::string> OutNames() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(dir_ / "out")) names.push_back(entry.path().filename());
        std::sort(names.begin(), names.end());
        return names;
    }

    static void ExpectOneLine(const std::string& err, const std::string& piece) {
        EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
        EXPECT_EQ(err.rfind("lk63-order: ", 0), 0u) << err;
        EXPECT_NE(err.find(piece), std::string::npos) << err;
    }
};

TEST_F(OrderPdf, WritesTheQuestionnaireAsTheSaveCommandDoes) {
    // The four-pole order's composition runs onto a second page. Embedded
    // fonts add a font program each to the named fonts' objects; the order
    // the file carries adds its file stream and the dictionary naming it.
    struct Case {
        const char* name;
        const char* options;
        const char* size;
    } const cases[] = {
        {"all_first", "", "20"},
        {"four_pole", "", "22"},
        {"all_first", " --fonts-by-name", "18"},
        {"four_pole", " --fonts-by-name", "20"},
    };
    for (const auto& [name, options, size] : cases) {
        SCOPED_TRACE(std::string(name) + options);
        const fs::path out = dir_ / "out" / (std::string(name) + ".pdf");
        const TResult r = Run("pdf " + Data(std::string(name) + ".json") + " -o " + Quote(out) + options);
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.err, "");
        EXPECT_EQ(r.out, "");
        const std::string pdf = ReadFile(out);
        EXPECT_EQ(pdf.rfind("%PDF-1.5\r\n", 0), 0u);
        EXPECT_NE(pdf.find("\r\nxref\r\n0 " + std::string(size) + "\r\n"), std::string::npos);
        const int check = std::system(("qpdf --check " + Quote(out) + " >/dev/null 2>&1").c_str());
        EXPECT_TRUE(WIFEXITED(check) && WEXITSTATUS(check) == 0);
    }
    // A note of two lines prints on two lines.
    const std::string text = "pdftotext -raw -enc UTF-8 " + Quote(dir_ / "out/all_first.pdf") + " " +
                             Quote(dir_ / "page.txt");
    ASSERT_EQ(std::system(text.c_str()), 0);
    const std::string page = ReadFile(dir_ / "page.txt");
    EXPECT_NE(page.find("\nfirst line\nsecond line\n"), std::string::npos) << page;
}

TEST_F(OrderPdf, BadInputWritesNoFile) {
    const fs::path order = Write("complete.json", ReadFile(fs::path(LK63_TEST_DATA) / "all_first.json"));
    const fs::path incomplete = Write("incomplete.json", R"({"breaker": [0, 0, 0]})");
    const fs::path zero = Write("zero.json", R"({"quantity": 0, "breaker": [0,0,0,0,0,0,0,0],
                                              "accessories": [0,0,0,0,0,0,0,0,0,0]})");
    const fs::path broken = Write("broken.json", "{ not json");
    struct Case {
        std::string args, piece;
    } const cases[] = {
        {"pdf " + Quote(dir_ / "missing.json") + " -o OUT", "missing.json"},
        {"pdf " + Quote(broken) + " -o OUT", "invalid JSON"},
        {"pdf " + Quote(incomplete) + " -o OUT", "row 1.4"},
        {"pdf " + Quote(zero) + " -o OUT", "\"quantity\""},
        {"pdf " + Quote(order) + " -o", "-o needs"},
        {"pdf " + Quote(order), "pdf needs -o OUT.pdf"},
        {"pdf -o OUT", "pdf needs ORDER.json"},
        {"pdf " + Quote(order) + " extra -o OUT", "unexpected argument"},
    };
    for (const bool existing : {false, true}) {
        for (const Case& c : cases) {
            const fs::path out = dir_ / "out" / "order.pdf";
            if (existing) std::ofstream(out, std::ios::binary) << "old document";
            std::string args = c.args;
            args = std::regex_replace(args, std::regex("OUT"), Quote(out));
            SCOPED_TRACE(args);
            const TResult r = Run(args);
            EXPECT_EQ(r.status, 2);
            ExpectOneLine(r.err, c.piece);
            EXPECT_EQ(r.out, "");
            if (existing) {
                EXPECT_EQ(ReadFile(out), "old document");
                EXPECT_EQ(OutNames(), std::vector<std::string>{"order.pdf"});
            } else {
                EXPECT_TRUE(OutNames().empty());
            }
        }
    }
}

// Errors of the export reach stderr through the tool's user interface.
TEST_F(OrderPdf, ExportErrorsReachStandardError) {
    const fs::path missing = dir_ / "out" / "no" / "such.pdf";
    TResult r = Run("pdf " + Data("all_first.json") + " -o " + Quote(missing));
    EXPECT_EQ(r.status, 1);
    // In English, like the rest of the tool: no caption or heading of the window's box.
    EXPECT_EQ(r.err, "lk63-order: Cannot create file \"" + missing.string() + "\". No such file or directory\n");
    EXPECT_TRUE(OutNames().empty());

    // A full disk: a node of the always-full device in our own folder.
    const fs::path full = dir_ / "out" / "full";
    ASSERT_EQ(::mknod(full.c_str(), S_IFCHR | 0666, ::makedev(1, 7)), 0);
    r = Run("pdf " + Data("all_first.json") + " -o " + Quote(full));
    EXPECT_EQ(r.status, 1);
    ExpectOneLine(r.err, "No space left on device");
    EXPECT_TRUE(fs::is_character_file(fs::symlink_status(full)));
    EXPECT_EQ(OutNames(), std::vector<std::string>{"full"});
}

TEST_F(OrderPdf, FolderWithoutWritePermissionIsAnError) {
    const fs::path out = dir_ / "out";
    fs::permissions(out, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                             fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec);
    // As nobody, for whom the folder is read-only (root would ignore the bits).
    const std::string asNobody = ::geteuid() == 0 ? "setpriv --reuid=65534 --regid=65534 --clear-groups " : "";
    const TResult r = Run("pdf " + Data("all_first.json") + " -o " + Quote(out / "denied.pdf"), "", asNobody);
    EXPECT_EQ(r.status, 1) << r.err;
    ExpectOneLine(r.err, "Permission denied");
    EXPECT_TRUE(OutNames().empty());
}

}  // namespace
