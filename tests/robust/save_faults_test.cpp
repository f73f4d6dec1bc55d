// What the machine can do to a save: a full disk, a read-only folder, a path
// that is a folder, long names, the target changed while the file dialog is
// open, no fonts at all. Each is a clear error or a sound fallback, never a
// crash or a partial file, through the save path and through lk63-order pdf.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "pdf/pdf_check.h"
#include "platform/io/temp_folder.h"
#include "questionnaire/questionnaire_document.h"
#include "report/user_interface.h"

namespace lk63 {
namespace {

namespace fs = std::filesystem;
using platform::iotest::ReadFile;
using platform::iotest::TScopedTmpfs;
using platform::iotest::TTempFolder;
using platform::iotest::WriteFile;

class TRecordedErrors : public TrpUserInterface {
public:
    void ShowError(const std::string& caption, const std::string& text) override { Shown.push_back(caption + ": " + text); }
    void ProcessMessages() override {}
    std::vector<std::string> Shown;
};

void ChooseFirstOptions(TQuestionnaire& q) {
    for (const TGroup group : {TGroup::Breaker, TGroup::Accessory})
        for (int row = 0; row < TQuestionnaire::RowCount(group); ++row) {
            (void)q.EditList(group, row);
            q.CloseUp(group, row, 0, true);
        }
}

bool IsCompletePdf(const std::string& path) {
    return test::RunTool("qpdf --check " + test::Quote(path)).Status == 0;
}

// How a fault is set up in the test's folder; gives the path to save to.
struct TFault {
    const char* Name;
    std::function<std::string(const TTempFolder&)> Arrange;
    const char* Error;  // a piece of the one error shown; nullptr: the save succeeds
    std::vector<std::string> After;  // the folder's entries afterwards
};

std::string FullDevice(const TTempFolder& folder) {
    const std::string device = folder / "full";
    if (::mknod(device.c_str(), S_IFCHR | 0666, ::makedev(1, 7)) != 0) ADD_FAILURE() << "mknod: " << std::strerror(errno);
    return device;
}

std::string AFolder(const TTempFolder& folder) {
    fs::create_directory(folder / "folder.pdf");
    return folder / "folder.pdf";
}

const std::vector<TFault>& Faults() {
    static const std::vector<TFault> faults = {
        {"full disk", FullDevice, "No space left on device", {"full"}},
        {"a folder", AFolder, "Is a directory", {"folder.pdf"}},
        {"name of 255 bytes", [](const TTempFolder& f) { return f / std::string(251, 'n') + ".pdf"; }, nullptr,
         {std::string(251, 'n') + ".pdf"}},
        {"name of 256 bytes", [](const TTempFolder& f) { return f / std::string(252, 'n') + ".pdf"; },
         "File name too long", {}},
        {"missing folder", [](const TTempFolder& f) { return f / "missing/out.pdf"; }, "No such file or directory", {}},
    };
    return faults;
}

class SaveFaults : public ::testing::Test {
protected:
    SaveFaults() { ChooseFirstOptions(questionnaire_); }

    void Prepare() {
        ASSERT_EQ(document_.Prepare(fields_), TSavePreparation::Prepared) << ::testing::PrintToString(errors_.Shown);
    }

    // One error, naming the piece, and nothing else.
    void ExpectOneError(const std::string& piece) {
        ASSERT_EQ(errors_.Shown.size(), 1u) << ::testing::PrintToString(errors_.Shown);
        EXPECT_NE(errors_.Shown[0].find(piece), std::string::npos) << errors_.Shown[0];
        errors_.Shown.clear();
    }

    TQuestionnaire questionnaire_;
    TRecordedErrors errors_;
    TQuestionnaireDocument document_{questionnaire_, &errors_};
    TReportFields fields_{"ООО Ромашка", "г. Москва", "Иванов И. И.", "2", "first line\nsecond line"};
};

TEST_F(SaveFaults, EachFaultIsAClearErrorOrACompleteFile) {
    for (const TFault& fault : Faults()) {
        SCOPED_TRACE(fault.Name);
        TTempFolder folder;
        const std::string path = fault.Arrange(folder);
        Prepare();
        const bool saved = document_.Export(path);
        if (fault.Error) {
            EXPECT_FALSE(saved);
            ExpectOneError(fault.Error);
        } else {
            EXPECT_TRUE(saved) << ::testing::PrintToString(errors_.Shown);
            EXPECT_TRUE(IsCompletePdf(path));
        }
        EXPECT_EQ(folder.Names(), fault.After);
    }
}

TEST_F(SaveFaults, ReadOnlyFolderIsAClearErrorAndKeepsWhatItHolds) {
    TTempFolder folder;
    const std::string mount = folder / "ro";
    fs::create_directory(mount);
    TScopedTmpfs tmpfs(mount, false, "size=1m");
    ASSERT_TRUE(tmpfs.Mounted()) << "cannot mount a tmpfs: " << tmpfs.Error();
    WriteFile(mount + "/out.pdf", "old document");
    ASSERT_TRUE(tmpfs.RemountReadOnly()) << tmpfs.Error();
    Prepare();
    for (const char* name : {"out.pdf", "new.pdf"}) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(document_.Export(mount + "/" + name));
        ExpectOneError("Read-only file system");
        EXPECT_EQ(TTempFolder::NamesIn(mount), std::vector<std::string>{"out.pdf"});
        EXPECT_EQ(ReadFile(mount + "/out.pdf"), "old document");
    }
}

// The file dialog has given its answer, then the target changes before the
// export writes it.
TEST_F(SaveFaults, TargetChangedWhileTheDialogIsOpen) {
    struct Case {
        const char* Name;
        std::function<void(const TTempFolder&)> Change;
        const char* Error;
        std::vector<std::string> After;
    } const cases[] = {
        {"deleted", [](const TTempFolder& f) { fs::remove(f / "out.pdf"); }, nullptr, {"out.pdf"}},
        {"replaced by another file",
         [](const TTempFolder& f) {
             WriteFile(f / "other", "another document");
             fs::rename(f / "other", f / "out.pdf");
         },
         nullptr, {"out.pdf"}},
        {"replaced by a folder",
         [](const TTempFolder& f) {
             fs::remove(f / "out.pdf");
             fs::create_directory(f / "out.pdf");
         },
         "Is a directory", {"out.pdf"}},
        {"replaced by a link",
         [](const TTempFolder& f) {
             fs::remove(f / "out.pdf");
             WriteFile(f / "linked.pdf", "linked document");
             fs::create_symlink("linked.pdf", f / "out.pdf");
         },
         nullptr, {"linked.pdf", "out.pdf"}},
        {"its folder deleted", [](const TTempFolder& f) { fs::remove_all(f / "sub"); }, "No such file or directory", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        TTempFolder folder;
        WriteFile(folder / "out.pdf", "old document");
        const bool inSub = std::string(c.Name) == "its folder deleted";
        if (inSub) {
            fs::create_directory(folder / "sub");
            fs::rename(folder / "out.pdf", folder / "sub/out.pdf");
        }
        const std::string target = inSub ? folder / "sub/out.pdf" : folder / "out.pdf";
        Prepare();
        c.Change(folder);
        const bool saved = document_.Export(target);
        if (c.Error) {
            EXPECT_FALSE(saved);
            ExpectOneError(c.Error);
        } else {
            EXPECT_TRUE(saved) << ::testing::PrintToString(errors_.Shown);
            EXPECT_TRUE(IsCompletePdf(target));
        }
        EXPECT_EQ(folder.Names(), c.After);
        if (std::string(c.Name) == "replaced by a link") {
            EXPECT_TRUE(fs::is_symlink(folder / "out.pdf"));
            EXPECT_TRUE(IsCompletePdf(folder / "linked.pdf"));
        }
        if (std::string(c.Name) == "replaced by a folder") {
            EXPECT_TRUE(fs::is_empty(target));
        }
    }
}

// A save after a failed one works: nothing of the failure is left over.
TEST_F(SaveFaults, SavingAgainAfterAFailureWritesTheFile) {
    TTempFolder folder;
    const std::string device = FullDevice(folder);
    Prepare();
    EXPECT_FALSE(document_.Export(device));
    ExpectOneError("No space left on device");
    EXPECT_TRUE(document_.Export(folder / "out.pdf")) << ::testing::PrintToString(errors_.Shown);
    EXPECT_TRUE(IsCompletePdf(folder / "out.pdf"));
    EXPECT_EQ(folder.Names(), (std::vector<std::string>{"full", "out.pdf"}));
}

// Run by FontsMissing below in a child process whose fontconfig knows no
// font at all (fontconfig reads its configuration once per process).
TEST_F(SaveFaults, DISABLED_NoFontsChild) {
    TTempFolder folder;
    WriteFile(folder / "out.pdf", "old document");
    Prepare();
    EXPECT_FALSE(document_.Export(folder / "out.pdf"));
    ExpectOneError("Font \"Arial\" cannot be found");
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"out.pdf"});
    EXPECT_EQ(ReadFile(folder / "out.pdf"), "old document");
}

TEST(SaveWithoutFonts, IsAClearErrorAndWritesNothing) {
    const std::string self = fs::read_symlink("/proc/self/exe");
    const test::TToolResult child =
        test::RunTool("FONTCONFIG_FILE=" + test::Quote(LK63_NO_FONTS_CONFIG) + " " + test::Quote(self) +
                      " --gtest_also_run_disabled_tests --gtest_filter=SaveFaults.DISABLED_NoFontsChild");
    EXPECT_EQ(child.Status, 0) << child.Output;
    EXPECT_NE(child.Output.find("[  PASSED  ] 1 test."), std::string::npos) << child.Output;
}

// The same faults met by the command-line tool: exit status 1, one line on
// stderr, no file.
class OrderToolFaults : public ::testing::Test {
protected:
    test::TToolResult Pdf(const std::string& out, const std::string& environment = "") {
        return test::RunTool(environment + test::Quote(LK63_ORDER_TOOL) + " pdf " +
                             test::Quote(std::string(LK63_ORDER_DATA) + "/all_first.json") + " -o " + test::Quote(out));
    }

    static void ExpectOneLine(const test::TToolResult& r, const std::string& piece) {
        EXPECT_EQ(r.Status, 1) << r.Output;
        EXPECT_EQ(std::count(r.Output.begin(), r.Output.end(), '\n'), 1) << r.Output;
        EXPECT_EQ(r.Output.rfind("lk63-order: ", 0), 0u) << r.Output;
        EXPECT_NE(r.Output.find(piece), std::string::npos) << r.Output;
    }
};

TEST_F(OrderToolFaults, EachFaultIsOneLineOnStandardErrorOrACompleteFile) {
    for (const TFault& fault : Faults()) {
        SCOPED_TRACE(fault.Name);
        TTempFolder folder;
        const std::string path = fault.Arrange(folder);
        const test::TToolResult r = Pdf(path);
        if (fault.Error) {
            ExpectOneLine(r, fault.Error);
        } else {
            EXPECT_EQ(r.Status, 0) << r.Output;
            EXPECT_TRUE(IsCompletePdf(path));
        }
        EXPECT_EQ(folder.Names(), fault.After);
    }
}

TEST_F(OrderToolFaults, ReadOnlyFolder) {
    TTempFolder folder;
    const std::string mount = folder / "ro";
    fs::create_directory(mount);
    TScopedTmpfs tmpfs(mount, true, "size=1m");
    ASSERT_TRUE(tmpfs.Mounted()) << "cannot mount a tmpfs: " << tmpfs.Error();
    ExpectOneLine(Pdf(mount + "/out.pdf"), "Read-only file system");
    EXPECT_TRUE(TTempFolder::NamesIn(mount).empty());
}

TEST_F(OrderToolFaults, NoFontsAtAll) {
    TTempFolder folder;
    WriteFile(folder / "out.pdf", "old document");
    ExpectOneLine(Pdf(folder / "out.pdf", "FONTCONFIG_FILE=" + test::Quote(LK63_NO_FONTS_CONFIG) + " "),
                  "Font \"Arial\" cannot be found");
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"out.pdf"});
    EXPECT_EQ(ReadFile(folder / "out.pdf"), "old document");
}

}  // namespace
}  // namespace lk63
