// The main window after a save the machine made fail: one error box, nothing
// written, nothing of the questionnaire lost, and the window takes input and
// saves again. The file dialog is the window's test hook.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <functional>

#include "platform/io/file_error.h"
#include "platform/io/temp_folder.h"
#include "questionnaire/window/file_error_text.h"
#include "questionnaire/window/window_fixture.h"

namespace lk63 {
namespace {

namespace fs = std::filesystem;
using platform::iotest::TTempFolder;
using platform::iotest::WriteFile;

class WindowFaults : public test::TWindowTest {
protected:
    void SetUp() override {
        test::TWindowTest::SetUp();
        PickAll(test::kFourPoleBreaker, test::kFourPoleAccessories);
        TypeInto(form.Edit1, QStringLiteral("ООО Ромашка"));
        ASSERT_TRUE(form.Button1->isEnabled());
    }

    void Save(const std::string& path) {
        nextPaths = {QString::fromStdString(path)};
        ClickButton(form.Button1);
    }

    TTempFolder folder;
};

TEST_F(WindowFaults, AfterAFailedSaveTheWindowStaysUsable) {
    struct Case {
        const char* Name;
        std::function<std::string(const TTempFolder&)> Arrange;  // gives the path the dialog answers
        std::function<void(const TTempFolder&)> DuringDialog;
        const char* Error;
        std::vector<std::string> After;
    } const cases[] = {
        {"full disk",
         [](const TTempFolder& f) {
             EXPECT_EQ(::mknod((f / "full").c_str(), S_IFCHR | 0666, ::makedev(1, 7)), 0);
             return f / "full";
         },
         nullptr, "Не удаётся записать файл «", {"full"}},
        {"a folder",
         [](const TTempFolder& f) {
             fs::create_directory(f / "folder.pdf");
             return f / "folder.pdf";
         },
         nullptr, "»: это папка, а не файл.", {"folder.pdf"}},
        {"name of 256 bytes", [](const TTempFolder& f) { return f / std::string(252, 'n') + ".pdf"; }, nullptr,
         "»: слишком длинное имя.", {}},
        {"target replaced by a folder while the dialog is open",
         [](const TTempFolder& f) {
             WriteFile(f / "out.pdf", "old document");
             return f / "out.pdf";
         },
         [](const TTempFolder& f) {
             fs::remove(f / "out.pdf");
             fs::create_directory(f / "out.pdf");
         },
         "Не удаётся создать файл «", {"out.pdf"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        TTempFolder scratch;
        const std::string path = c.Arrange(scratch);
        duringDialog = c.DuringDialog ? std::function<void()>([&] { c.DuringDialog(scratch); }) : nullptr;
        const test::TWindowState before = State();
        messages.clear();
        Save(path);
        duringDialog = nullptr;
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].Caption, QStringLiteral("Ошибка"));
        EXPECT_TRUE(messages[0].Text.contains(QString::fromUtf8(c.Error))) << messages[0].Text.toStdString();
        // In Russian throughout: the window's heading and its own words for the cause.
        EXPECT_TRUE(messages[0].Text.startsWith(QStringLiteral("Были обнаружены следующие ошибки:")));
        EXPECT_FALSE(messages[0].Text.contains(QStringLiteral("Cannot"))) << messages[0].Text.toStdString();
        EXPECT_FALSE(form.Saving());
        EXPECT_EQ(scratch.Names(), c.After);
        EXPECT_EQ(State(), before);

        // Still takes input, and saves.
        TypeInto(form.Edit3, QStringLiteral("И"));
        messages.clear();
        Save(folder / "after.pdf");
        EXPECT_TRUE(messages.empty());
        EXPECT_TRUE(fs::is_regular_file(folder / "after.pdf"));
        fs::remove(folder / "after.pdf");
    }
}

// The window's words for the common causes of a failed save; the system's
// text for the rest. The file name is shown as given, its control
// characters escaped.
TEST(WindowFileErrorText, CommonCausesInTheProgramsOwnWords) {
    using platform::TFileAction;
    using platform::TFileError;
    const struct {
        TFileAction Action;
        int Code;
        std::string Expected;
    } cases[] = {
        {TFileAction::Create, ENOENT, "Не удаётся создать файл «/a/b.pdf»: такой папки нет."},
        {TFileAction::Create, ENOTDIR, "Не удаётся создать файл «/a/b.pdf»: такой папки нет."},
        {TFileAction::Create, EACCES, "Не удаётся создать файл «/a/b.pdf»: нет прав на запись."},
        {TFileAction::Create, EPERM, "Не удаётся создать файл «/a/b.pdf»: нет прав на запись."},
        {TFileAction::Write, ENOSPC, "Не удаётся записать файл «/a/b.pdf»: на диске нет места."},
        {TFileAction::Write, EDQUOT, "Не удаётся записать файл «/a/b.pdf»: на диске нет места."},
        {TFileAction::Create, ENAMETOOLONG, "Не удаётся создать файл «/a/b.pdf»: слишком длинное имя."},
        {TFileAction::Create, EISDIR, "Не удаётся создать файл «/a/b.pdf»: это папка, а не файл."},
        {TFileAction::Create, EROFS, "Не удаётся создать файл «/a/b.pdf»: диск доступен только для чтения."},
        {TFileAction::Write, EIO, "Не удаётся записать файл «/a/b.pdf»: " + std::string(std::strerror(EIO)) + "."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Code);
        EXPECT_EQ(WindowFileErrorText(TFileError(c.Action, "/a/b.pdf", c.Code)), c.Expected);
    }
    EXPECT_EQ(WindowFileErrorText(TFileError(TFileAction::Create, "/a/Опросный\nлист.pdf", ENOENT)),
              "Не удаётся создать файл «/a/Опросный\\nлист.pdf»: такой папки нет.");
}

}  // namespace
}  // namespace lk63
