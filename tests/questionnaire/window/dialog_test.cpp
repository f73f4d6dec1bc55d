// The window's own dialogs as the customer meets them: the save-file dialog
// with its filter, suffix, proposed name and overwrite question, the
// open-file dialog of Ctrl+O, and the error message box.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>

#include <QAbstractButton>
#include <QDir>
#include <QHeaderView>
#include <QPointer>
#include <QTimer>
#include <QTreeView>

#include "platform/io/temp_folder.h"
#include "questionnaire/window/error_box.h"
#include "questionnaire/window/open_dialog.h"
#include "questionnaire/window/save_dialog.h"
#include "window_fixture.h"

namespace lk63 {
namespace {

using platform::iotest::ReadFile;
using platform::iotest::TTempFolder;

// Answers the modal windows that appear, one step each, in order. A step
// waits for a modal widget of its type and acts on it from a fresh turn of
// the event loop, so that an action that opens another modal window (and
// waits in it) does not stop the script. A script that is not done after a
// while closes whatever is open, so a test never hangs.
class TModalScript {
public:
    template <class W>
    void Then(std::function<void(W&)> action) {
        steps_.push_back({[](QWidget* w) { return qobject_cast<W*>(w) != nullptr; },
                          [action](QWidget& w) { action(static_cast<W&>(w)); }});
    }

    // Runs `trigger` (which opens the first window) while the script answers.
    void Run(const std::function<void()>& trigger) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        QTimer timer;
        timer.setInterval(10);
        QObject::connect(&timer, &QTimer::timeout, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            if (std::chrono::steady_clock::now() > deadline) {
                ADD_FAILURE() << "the dialogs did not go as scripted; " << steps_.size() << " steps left";
                steps_.clear();
                if (modal) modal->close();
                return;
            }
            if (pending_ || !modal || !modal->isVisible() || steps_.empty() || !steps_.front().Matches(modal)) return;
            const TStep step = steps_.front();
            steps_.erase(steps_.begin());
            pending_ = true;
            QTimer::singleShot(0, modal, [this, step, target = QPointer<QWidget>(modal)] {
                pending_ = false;
                if (target) step.Act(*target);
            });
        });
        timer.start();
        trigger();
        timer.stop();
        EXPECT_TRUE(steps_.empty()) << steps_.size() << " steps were never reached";
    }

private:
    struct TStep {
        std::function<bool(QWidget*)> Matches;
        std::function<void(QWidget&)> Act;
    };
    std::vector<TStep> steps_;
    bool pending_ = false;
};

QLineEdit* FileNameEdit(QFileDialog& dialog) {
    auto* edit = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    EXPECT_NE(edit, nullptr);
    return edit;
}

// Sets an environment variable for as long as it lives.
class TScopedEnv {
public:
    TScopedEnv(const char* name, const std::string& value)
        : name_(name), had_(qEnvironmentVariableIsSet(name)), previous_(qgetenv(name)) {
        qputenv(name, QByteArray::fromStdString(value));
    }
    ~TScopedEnv() {
        if (had_) qputenv(name_, previous_);
        else qunsetenv(name_);
    }
    TScopedEnv(const TScopedEnv&) = delete;
    TScopedEnv& operator=(const TScopedEnv&) = delete;

private:
    const char* name_;
    bool had_;
    QByteArray previous_;
};

// A home folder of the test's own, with or without a documents folder.
struct THome {
    explicit THome(bool withDocuments) {
        if (withDocuments) QDir().mkpath(QString::fromStdString(folder / "Documents"));
    }
    TTempFolder folder;
    TScopedEnv home{"HOME", folder.Path()};
    TScopedEnv config{"XDG_CONFIG_HOME", folder / "config"};
};

TEST(SaveDialogTest, FilterSuffixOverwriteQuestionAndProposedName) {
    TTempFolder folder;
    const THome home(true);
    struct Case {
        QString proposed;
        QString directory, name;
    };
    const Case cases[] = {
        {QString(), QString::fromStdString(home.folder / "Documents"), QString()},
        {QString::fromStdString(folder / "Опросный лист.pdf"), QString::fromStdString(folder.Path()),
         QStringLiteral("Опросный лист.pdf")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.proposed.toStdString());
        const std::unique_ptr<QFileDialog> dialog = CreateSaveDialog(nullptr, c.proposed);
        EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptSave);
        EXPECT_EQ(dialog->nameFilters(), QStringList{QStringLiteral("Файл Adobe PDF (*.pdf)")});
        EXPECT_EQ(dialog->defaultSuffix(), QStringLiteral("pdf"));
        EXPECT_FALSE(dialog->testOption(QFileDialog::DontConfirmOverwrite));
        EXPECT_TRUE(dialog->testOption(QFileDialog::DontUseNativeDialog));
        EXPECT_EQ(QDir(dialog->directory()).canonicalPath(), QDir(c.directory).canonicalPath());
        EXPECT_EQ(FileNameEdit(*dialog)->text(), c.name);
    }
}

TEST(SaveDialogTest, TheFirstSaveStartsInTheDocumentsFolderOrAtHome) {
    for (const bool withDocuments : {true, false}) {
        const THome home(withDocuments);
        const std::string expected = withDocuments ? home.folder / "Documents" : home.folder.Path();
        const std::unique_ptr<QFileDialog> dialog = CreateSaveDialog(nullptr, QString());
        EXPECT_EQ(QDir(dialog->directory()).canonicalPath(), QDir(QString::fromStdString(expected)).canonicalPath())
            << (withDocuments ? "with" : "without") << " a documents folder";
    }
}

// Headers and entries in Russian are wider than the dialog's own guesses.
TEST(SaveDialogTest, TheColumnsShowTheirHeadersAndEntriesWhole) {
    TTempFolder folder;
    platform::iotest::WriteFile(folder / "Опросный лист ЛК63-19 для ООО «Ромашка».pdf", "%PDF-1.5\n");
    const std::unique_ptr<QFileDialog> dialog =
        CreateSaveDialog(nullptr, QString::fromStdString(folder / "Опросный лист ЛК63-19 для ООО «Ромашка».pdf"));
    dialog->setViewMode(QFileDialog::Detail);
    dialog->show();
    auto* view = dialog->findChild<QTreeView*>(QStringLiteral("treeView"));
    ASSERT_NE(view, nullptr);
    ASSERT_TRUE(QTest::qWaitFor([&] { return view->model()->rowCount(view->rootIndex()) == 1; }, 5000));
    QApplication::processEvents();
    const QHeaderView* header = view->header();
    for (int column = 0; column < header->count(); ++column) {
        const QString label = view->model()->headerData(column, Qt::Horizontal).toString();
        EXPECT_GE(header->sectionSize(column), header->sectionSizeHint(column)) << label.toStdString();
        const QModelIndex entry = view->model()->index(0, column, view->rootIndex());
        EXPECT_GE(header->sectionSize(column), view->sizeHintForIndex(entry).width())
            << label.toStdString() << ": " << entry.data().toString().toStdString();
    }
    EXPECT_LE(dialog->frameGeometry().width(), dialog->screen()->availableGeometry().width());
}

TEST(OpenDialogTest, AnExistingQuestionnaireOrOrderFromTheGivenFolder) {
    TTempFolder folder;
    const std::unique_ptr<QFileDialog> dialog = CreateOpenDialog(nullptr, QString::fromStdString(folder.Path()));
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Открыть опросный лист"));
    EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptOpen);
    EXPECT_EQ(dialog->fileMode(), QFileDialog::ExistingFile);
    EXPECT_EQ(dialog->nameFilters(), QStringList{QStringLiteral("Опросный лист (*.pdf *.json)")});
    EXPECT_TRUE(dialog->testOption(QFileDialog::DontUseNativeDialog));
    EXPECT_EQ(QDir(dialog->directory()).canonicalPath(), QDir(QString::fromStdString(folder.Path())).canonicalPath());
}

TEST(ErrorBoxTest, CaptionIconTextAndOneButton) {
    const std::unique_ptr<QMessageBox> box = CreateErrorBox(
        nullptr, QStringLiteral("Ошибка"), QStringLiteral("Были обнаружены следующие ошибки:\r\nпервая\r\nвторая\r\n"));
    EXPECT_EQ(box->windowTitle(), QStringLiteral("Ошибка"));
    EXPECT_EQ(box->icon(), QMessageBox::Critical);
    EXPECT_EQ(box->text(), QStringLiteral("Были обнаружены следующие ошибки:\nпервая\nвторая\n"));
    EXPECT_EQ(box->standardButtons(), QMessageBox::Ok);
    EXPECT_EQ(box->textFormat(), Qt::PlainText);
}

class RealDialogTest : public test::TWindowTest {
protected:
    void SetUp() override {
        test::TWindowTest::SetUp();
        form.SetFileDialog(nullptr);
        form.SetMessageBox(nullptr);
        PickAll(test::kFourPoleBreaker, test::kFourPoleAccessories);
    }
    TTempFolder folder;
};

// A bare name gets ".pdf"; saving again proposes that file and asks before
// replacing it; "No" returns to the dialog, whose cancel keeps the file.
TEST_F(RealDialogTest, TheSaveDialogAddsTheSuffixAndAsksBeforeReplacing) {
    const std::string written = folder / "опрос.pdf";
    TModalScript first;
    first.Then<QFileDialog>([&](QFileDialog& d) {
        FileNameEdit(d)->setText(QString::fromStdString(folder / "опрос"));
        QTest::keyClick(FileNameEdit(d), Qt::Key_Return);
    });
    first.Run([&] { ClickButton(form.Button1); });
    ASSERT_EQ(folder.Names(), std::vector<std::string>{"опрос.pdf"});
    const std::string before = ReadFile(written);
    ASSERT_EQ(before.rfind("%PDF-1.5", 0), 0u);

    TModalScript declined;
    declined.Then<QFileDialog>([&](QFileDialog& d) {
        EXPECT_EQ(FileNameEdit(d)->text(), QStringLiteral("опрос.pdf")) << "the file saved last is proposed";
        EXPECT_EQ(QDir(d.directory()).canonicalPath(), QDir(QString::fromStdString(folder.Path())).canonicalPath());
        QTest::keyClick(FileNameEdit(d), Qt::Key_Return);
    });
    declined.Then<QMessageBox>([](QMessageBox& question) {
        EXPECT_TRUE(question.text().contains(QStringLiteral("опрос.pdf"))) << question.text().toStdString();
        question.button(QMessageBox::No)->click();
    });
    declined.Then<QFileDialog>([](QFileDialog& d) { d.reject(); });
    declined.Run([&] { ClickButton(form.Button1); });
    EXPECT_EQ(ReadFile(written), before) << "declined and cancelled: the file is untouched";

    TModalScript replaced;
    replaced.Then<QFileDialog>([&](QFileDialog& d) { QTest::keyClick(FileNameEdit(d), Qt::Key_Return); });
    replaced.Then<QMessageBox>([](QMessageBox& question) { question.button(QMessageBox::Yes)->click(); });
    replaced.Run([&] { ClickButton(form.Button1); });
    const std::string after = ReadFile(written);
    EXPECT_EQ(after.rfind("%PDF-1.5", 0), 0u);
    EXPECT_NE(after, before) << "a new document, with its own ID";
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"опрос.pdf"});
}

TEST_F(RealDialogTest, AQuantityErrorIsAnErrorBox) {
    TypeQuantity(QString());
    TModalScript script;
    script.Then<QMessageBox>([](QMessageBox& box) {
        EXPECT_EQ(box.windowTitle(), QStringLiteral("Ошибка"));
        EXPECT_EQ(box.icon(), QMessageBox::Critical);
        EXPECT_EQ(box.text(), QStringLiteral("Количество выключателей, шт.: введите целое число от 1 до 999999"));
        box.button(QMessageBox::Ok)->click();
    });
    script.Run([&] { ClickButton(form.Button1); });
    EXPECT_TRUE(form.isActiveWindow()) << "the window is active again";
    EXPECT_TRUE(form.Edit4->hasFocus()) << (QApplication::focusWidget() ? QApplication::focusWidget()->metaObject()->className() : "none");
    EXPECT_TRUE(folder.Names().empty());
}

// Ctrl+O starts in the documents folder, then beside the file opened last;
// a bad file is an error box over the unchanged window.
TEST_F(RealDialogTest, CtrlOOpensThroughTheDialog) {
    const THome home(true);
    ClickButton(form.Button3);
    platform::iotest::WriteFile(folder / "заказ.json", R"({"organisation": "ООО", "breaker": [8, 3]})");
    platform::iotest::WriteFile(folder / "плохой.json", "{");
    const auto ctrlO = [&] {
        form.Edit1->setFocus();
        test::Key(Qt::Key_O, Qt::ControlModifier);
        QApplication::processEvents();
    };

    TModalScript first;
    first.Then<QFileDialog>([&](QFileDialog& d) {
        EXPECT_EQ(QDir(d.directory()).canonicalPath(),
                  QDir(QString::fromStdString(home.folder / "Documents")).canonicalPath());
        FileNameEdit(d)->setText(QString::fromStdString(folder / "заказ.json"));
        QTest::keyClick(FileNameEdit(d), Qt::Key_Return);
    });
    first.Run(ctrlO);
    EXPECT_EQ(form.Edit1->text(), QStringLiteral("ООО"));
    EXPECT_EQ(form.InspectorGrid1->CellText({1, 1}).toStdString(),
              form.Questionnaire().OptionList(TGroup::Breaker, 1).at(3).Text);
    const test::TWindowState opened = State();

    TModalScript bad;
    bad.Then<QFileDialog>([&](QFileDialog& d) {
        EXPECT_EQ(QDir(d.directory()).canonicalPath(), QDir(QString::fromStdString(folder.Path())).canonicalPath())
            << "beside the file opened last";
        FileNameEdit(d)->setText(QStringLiteral("плохой.json"));
        QTest::keyClick(FileNameEdit(d), Qt::Key_Return);
    });
    bad.Then<QMessageBox>([](QMessageBox& box) {
        EXPECT_EQ(box.windowTitle(), QStringLiteral("Ошибка"));
        EXPECT_TRUE(box.text().contains(QStringLiteral("плохой.json"))) << box.text().toStdString();
        box.button(QMessageBox::Ok)->click();
    });
    bad.Run(ctrlO);
    EXPECT_EQ(State(), opened);
    EXPECT_TRUE(form.isActiveWindow()) << "the window is active again";
}

}  // namespace
}  // namespace lk63
