// "Сохранить в pdf" from the window: what reaches the PDF, the note trimmed on
// screen, the file name proposed again, the progress window with its cancel,
// the error messages, and a window that takes no input while it saves.
#include <gtest/gtest.h>

#include <clocale>
#include <regex>
#include <stdexcept>

#include <QLocale>
#include <QProgressBar>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

#include "pdf/pdf_check.h"
#include "platform/io/temp_folder.h"
#include "questionnaire/window/progress_window.h"
#include "window_fixture.h"

namespace lk63 {
namespace {

using platform::iotest::ReadFile;
using platform::iotest::TTempFolder;
using platform::iotest::WriteFile;
using test::Key;
using test::TypeText;

const QString kQuantityMessage = QStringLiteral("Количество выключателей, шт.: введите целое число от 1 до 999999");

class SaveTest : public test::TWindowTest {
protected:
    void SetUp() override {
        test::TWindowTest::SetUp();
        PickAll(test::kFourPoleBreaker, test::kFourPoleAccessories);
        ASSERT_TRUE(form.Button1->isEnabled());
    }

    // Saves through the button, the dialog answering `name` in the folder.
    std::string SaveAs(const std::string& name) {
        const std::string path = folder / name;
        nextPaths = {QString::fromStdString(path)};
        ClickButton(form.Button1);
        return path;
    }

    static std::string TextOf(const std::string& path) {
        const test::TToolResult text = test::RunTool("pdftotext -raw -enc UTF-8 " + test::Quote(path) + " -");
        EXPECT_EQ(text.Status, 0) << text.Output;
        return text.Output;
    }

    // Types the note line by line, Enter between the lines.
    void TypeNote(const QStringList& lines) {
        form.Memo4->clear();
        QTest::mouseClick(form.Memo4->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
        for (qsizetype i = 0; i < lines.size(); ++i) {
            if (i > 0) Key(Qt::Key_Return);
            TypeText(lines[i]);
        }
    }

    void Fill(QLineEdit* field, const QString& text) {
        field->clear();
        if (!text.isEmpty()) TypeInto(field, text);
    }

    TTempFolder folder;
};

// The fields as typed, and the lines of the page's text that must follow each other.
TEST_F(SaveTest, FieldsArePrintedAsTyped) {
    struct Case {
        const char* what;
        QString organisation, address, contact;
        QStringList note;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"a quote in the name is printed once", QStringLiteral("ООО 'Ромашка' и O'Brien"), QStringLiteral("Москва"),
         QStringLiteral("Иванов"), {QStringLiteral("примечание")},
         {"Наименование организации ООО 'Ромашка' и O'Brien", "Адрес и номер телефона организации Москва"}},
        {"empty fields and note print as empty cells", {}, {}, {}, {},
         {"Данные организации, заполнившей опросный лист", "Наименование организации",
          "Адрес и номер телефона организации", "ФИО контактного лица", "1 Автоматический выключатель"}},
        {"an empty note", QStringLiteral("ООО"), {}, {}, {}, {"Примечание", "Описание"}},
        {"a two-line note prints on two lines", QStringLiteral("ООО"), {}, {},
         {QStringLiteral("первая строка"), QStringLiteral("вторая строка")},
         {"Примечание", "первая строка", "вторая строка", "Описание"}},
        {"a one-line note is printed literally, not evaluated", QStringLiteral("ООО"), {}, {},
         {QStringLiteral("Итого 1+1, ['x'] и \"кавычки\"")}, {"Примечание", "Итого 1+1, ['x'] и \"кавычки\"", "Описание"}},
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Fill(form.Edit1, c.organisation);
        Fill(form.Edit2, c.address);
        Fill(form.Edit3, c.contact);
        TypeNote(c.note);
        const std::string path = SaveAs("case" + std::to_string(n++) + ".pdf");
        ASSERT_TRUE(messages.empty()) << messages.front().Text.toStdString();
        std::string block;
        for (const std::string& line : c.lines) block += line + "\n";
        const std::string text = TextOf(path);
        EXPECT_NE(("\n" + text).find("\n" + block), std::string::npos) << text;
    }
}

TEST_F(SaveTest, ALongOneLineNoteWrapsOnScreenAndPrintsWhole) {
    QString note;
    for (int i = 0; i < 30; ++i) note += QStringLiteral("слово%1 ").arg(i);
    note = note.trimmed();
    TypeNote({note});
    ASSERT_EQ(form.Memo4->document()->blockCount(), 1);
    EXPECT_GT(form.Memo4->document()->firstBlock().layout()->lineCount(), 1) << "the memo wraps it";
    const std::string text = TextOf(SaveAs("wide.pdf"));
    EXPECT_NE(std::regex_replace(text, std::regex(R"(\s+)"), " ").find(note.toStdString()), std::string::npos)
        << text;
}

TEST_F(SaveTest, TheNoteIsTrimmedInTheWindowToo) {
    struct Case {
        QStringList typed;
        QString shown;
    };
    const Case cases[] = {
        {{QStringLiteral("   "), QString(), QStringLiteral("  заметка  "), QStringLiteral("  ")},
         QStringLiteral("заметка")},
        {{QString(), QStringLiteral(" первая "), QStringLiteral(" вторая "), QString()},
         QStringLiteral("первая \n вторая")},
        {{QStringLiteral("   ")}, QString()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed.join(u'|').toStdString());
        TypeNote(c.typed);
        ClickButton(form.Button1);  // the dialog is cancelled
        EXPECT_EQ(form.Memo4->toPlainText(), c.shown);
    }
    EXPECT_EQ(proposals.size(), std::size(cases));
    EXPECT_TRUE(folder.Names().empty());
}

TEST_F(SaveTest, TheFileSavedLastIsProposedNextTime) {
    const std::string first = SaveAs("first.pdf");
    ClickButton(form.Button1);  // cancelled
    const std::string second = SaveAs("second.pdf");
    ClickButton(form.Button3);
    PickAll(test::kFourPoleBreaker, test::kFourPoleAccessories);
    ClickButton(form.Button1);  // cancelled
    const std::vector<QString> expected = {QString(), QString::fromStdString(first), QString::fromStdString(first),
                                           QString::fromStdString(second)};
    EXPECT_EQ(proposals, expected);
    EXPECT_EQ(folder.Names(), (std::vector<std::string>{"first.pdf", "second.pdf"}));
}

TEST_F(SaveTest, ACancelledDialogWritesNothing) {
    WriteFile(folder / "kept.pdf", "an older document");
    ClickButton(form.Button1);
    EXPECT_EQ(proposals.size(), 1u);
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"kept.pdf"});
    EXPECT_EQ(ReadFile(folder / "kept.pdf"), "an older document");
    EXPECT_TRUE(messages.empty());
    EXPECT_TRUE(form.Button1->isEnabled());
    EXPECT_FALSE(form.Saving());
}

TEST_F(SaveTest, AQuantityThatIsNoWholeNumberIsRefusedWithAMessage) {
    // The spin edit takes the locale's decimal point, and nothing else but digits and signs.
    const QString fraction = QStringLiteral("1") + QLocale().decimalPoint() + QStringLiteral("5");
    for (const QString& quantity : {QString(), fraction, QStringLiteral("+5")}) {
        SCOPED_TRACE(quantity.toStdString());
        messages.clear();
        TypeQuantity(quantity);
        ClickButton(form.Button1);
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].Caption, QStringLiteral("Ошибка"));
        EXPECT_EQ(messages[0].Text, kQuantityMessage);
        EXPECT_TRUE(form.Edit4->hasFocus()) << "the focus goes into the quantity";
    }
    EXPECT_TRUE(proposals.empty()) << "no dialog";
    TypeQuantity(QStringLiteral("007"));
    const std::string text = TextOf(SaveAs("seven.pdf"));
    EXPECT_NE(text.find("Количество выключателей, шт. 007\n"), std::string::npos) << text;
}

// The toolkit sets the process locale from the desktop; a Russian one writes
// decimal commas where a C library formats numbers.
TEST_F(SaveTest, UnderARussianLocaleTheFileKeepsItsDecimalPoints) {
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    ASSERT_NE(std::setlocale(LC_ALL, "ru_RU.UTF-8"), nullptr) << "locale ru_RU.UTF-8 is not installed";
    struct TRestore {
        std::string locale;
        ~TRestore() { std::setlocale(LC_ALL, locale.c_str()); }
    } restore{previous};
    const std::string path = SaveAs("ru.pdf");
    EXPECT_NE(ReadFile(path).find("/MediaBox [0 0 595.28 841.89 ]"), std::string::npos);
    const test::TToolResult check = test::RunTool("qpdf --check " + test::Quote(path));
    EXPECT_EQ(check.Status, 0) << check.Output;
}

TEST_F(SaveTest, AFailedExportShowsTheErrorsAndTheWindowStaysUsable) {
    const std::string missing = folder / "missing/out.pdf";
    nextPaths = {QString::fromStdString(missing)};
    ClickButton(form.Button1);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].Caption, QStringLiteral("Ошибка"));
    EXPECT_TRUE(messages[0].Text.startsWith(QStringLiteral("Были обнаружены следующие ошибки:\r\n")))
        << messages[0].Text.toStdString();
    EXPECT_TRUE(messages[0].Text.contains(QString::fromStdString(missing)));
    EXPECT_FALSE(form.Saving());

    SaveAs("out.pdf");
    EXPECT_EQ(proposals.back(), QString::fromStdString(missing)) << "the failed name is proposed again";
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"out.pdf"});
}

// The progress window of a three-page export, cancelled or not.
TEST_F(SaveTest, TheProgressWindowShowsEachPageAndCancels) {
    struct Case {
        const char* how;
        int cancelOnPage;  // 0: not cancelled
        std::function<void(TProgressWindow&)> cancel;
    };
    const Case cases[] = {
        {"not cancelled", 0, nullptr},
        {"Escape", 2,
         [this](TProgressWindow&) {
             QWidget* focus = form.focusWidget();
             QTest::keyClick(focus ? focus : &form, Qt::Key_Escape);
         }},
        {"Отмена", 2, [](TProgressWindow& w) { QTest::mouseClick(w.CancelButton(), Qt::LeftButton); }},
    };
    QString note;
    for (int i = 1; i <= 80; ++i) note += QStringLiteral("Строка %1\n").arg(i);
    form.Memo4->setPlainText(note);
    TProgressWindow& progress = *form.ProgressWindow();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.how);
        const std::string target = folder / "long.pdf";
        WriteFile(target, "old document");
        std::vector<QString> shown;
        progress.OnPageShown = [&](int number) {
            shown.push_back(progress.Message()->text());
            EXPECT_TRUE(progress.isVisible());
            EXPECT_EQ(progress.size(), QSize(271, 101));
            EXPECT_FALSE(progress.Bar()->isVisible());
            ClickButton(form.Button3);
            EXPECT_TRUE(form.Button1->isEnabled()) << "no reset meanwhile";
            if (number == c.cancelOnPage) c.cancel(progress);
        };
        nextPaths = {QString::fromStdString(target)};
        ClickButton(form.Button1);
        progress.OnPageShown = nullptr;
        EXPECT_FALSE(progress.isVisible());
        EXPECT_TRUE(form.isActiveWindow()) << "the window has the keyboard again";
        EXPECT_TRUE(messages.empty());
        if (c.cancelOnPage == 0) {
            EXPECT_EQ(shown, (std::vector<QString>{QStringLiteral("Экспорт страницы 1"),
                                                   QStringLiteral("Экспорт страницы 2"),
                                                   QStringLiteral("Экспорт страницы 3")}));
            EXPECT_EQ(ReadFile(target).rfind("%PDF-1.5", 0), 0u);
        } else {
            EXPECT_EQ(shown.size(), 2u) << "no page after the cancel";
            EXPECT_EQ(ReadFile(target), "old document") << "a cancelled save changes nothing";
            EXPECT_EQ(folder.Names(), std::vector<std::string>{"long.pdf"});
        }
    }
}

TEST_F(SaveTest, NoInputReachesTheWindowWhileItSavesAndClosingWaits) {
    const test::TWindowState before = State();
    int dialogs = 0;
    duringDialog = [&] {
        ++dialogs;
        EXPECT_TRUE(form.Saving());
        ClickButton(form.Button3);  // no reset
        ClickButton(form.Button1);  // no second save
        QTest::mouseClick(form.Edit1, Qt::LeftButton, {}, QPoint(5, 5));
        QTest::keyClicks(form.Edit1, "typed");
        QTest::mouseClick(form.InspectorGrid1->viewport(), Qt::LeftButton, {},
                          form.InspectorGrid1->CellBounds({0, 2}).center());
        form.close();
        EXPECT_TRUE(form.isVisible()) << "closing waits for the save";
    };
    const std::string path = SaveAs("during.pdf");
    EXPECT_EQ(dialogs, 1);
    EXPECT_EQ(State(), before);
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"during.pdf"});
    EXPECT_FALSE(form.isVisible()) << "the close asked for during the save happens after it";
    EXPECT_FALSE(form.Saving());
}

TEST_F(SaveTest, AFailureInsideTheSaveIsShownAndTheWindowStaysUsable) {
    test::TFailureCatcher failures;
    form.SetFileDialog([](QWidget*, const QString&) -> std::optional<QString> {
        throw std::runtime_error("the dialog failed");
    });
    ClickButton(form.Button1);
    EXPECT_EQ(failures.Messages(), std::vector<std::string>{"the dialog failed"});
    EXPECT_FALSE(form.Saving());

    form.SetFileDialog([this](QWidget*, const QString&) -> std::optional<QString> {
        return QString::fromStdString(folder / "after.pdf");
    });
    ClickButton(form.Button1);
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"after.pdf"});
}

}  // namespace
}  // namespace lk63
