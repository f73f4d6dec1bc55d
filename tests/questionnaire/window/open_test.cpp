// Opening a saved questionnaire or an ORDER.json in the window: Ctrl+O, a
// dropped file and the command line; the window afterwards as if the rows had
// been chosen by hand; the next save proposing the opened file; Ctrl+S; and
// every bad file refused with the window left exactly as it was.
#include <gtest/gtest.h>

#include <array>
#include <filesystem>

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

#include "pdf/pdf_check.h"
#include "platform/io/temp_folder.h"
#include "questionnaire/window/command_line.h"
#include "questionnaire/window/file_drop.h"
#include "window_fixture.h"

namespace lk63 {
namespace {

using platform::iotest::TTempFolder;
using platform::iotest::WriteFile;
using test::Key;

// The questionnaire behind the window: what was chosen and what follows from it.
struct TModel {
    std::array<TQuestionnaire::TSelection, kBreakerRows> Breaker{};
    std::array<TQuestionnaire::TSelection, kAccessoryRows> Accessory{};
    int TableID = -1;
    std::string TableIDText;
    TDerivedTexts Texts;
    bool SaveEnabled = false;
    friend bool operator==(const TModel&, const TModel&) = default;
};

std::ostream& operator<<(std::ostream& os, const TModel& m) {
    os << "{";
    for (const auto s : m.Breaker) os << int(s) << " ";
    os << "| ";
    for (const auto s : m.Accessory) os << int(s) << " ";
    return os << "table " << m.TableID << " [" << m.TableIDText << "] code [" << m.Texts.OrderCode << "] save "
              << m.SaveEnabled << "}";
}

// ORDER.json of the four-pole breaker with every accessory, by option numbers.
std::string FourPoleOrder(const std::string& fields) {
    return "{" + fields + (fields.empty() ? "" : ", ") +
           R"("breaker": [8, 3, 3, 1, 1, 9, 3, 2], "accessories": [1, 1, 1, 1, 2, 3, 2, 1, 3, 1]})";
}

class OpenTest : public test::TWindowTest {
protected:
    OpenTest() {
        form.SetOpenDialog([this](QWidget*, const QString& folder) -> std::optional<QString> {
            openFolders.push_back(folder);
            if (nextOpen.empty()) return std::nullopt;
            const QString path = nextOpen.front();
            nextOpen.erase(nextOpen.begin());
            return path;
        });
    }

    TModel Model() const {
        const TQuestionnaire& q = form.Questionnaire();
        return {q.Breaker(), q.Accessory(), q.TableID(), q.TableIDText(), q.Texts(), q.SaveEnabled()};
    }

    // Ctrl+O from the organisation's field, the dialog answering `path`.
    void OpenWithKeys(const std::string& path) {
        nextOpen = {QString::fromStdString(path)};
        form.Edit1->setFocus();
        Key(Qt::Key_O, Qt::ControlModifier);
        QApplication::processEvents();
        EXPECT_TRUE(nextOpen.empty()) << "Ctrl+O showed the open dialog";
    }

    // The name Ctrl+S proposes, the dialog cancelled; none when it shows no dialog.
    std::optional<QString> ProposedBySave() {
        const std::size_t before = proposals.size();
        nextPaths.clear();
        form.Edit1->setFocus();
        Key(Qt::Key_S, Qt::ControlModifier);
        QApplication::processEvents();
        if (proposals.size() == before) return std::nullopt;
        return proposals.back();
    }

    // The customer's own entries: every row by hand, the fields typed.
    void FillByHand() {
        PickAll(test::kFourPoleBreaker, test::kFourPoleAccessories);
        TypeInto(form.Edit1, QStringLiteral("ООО «Ромашка» & O'Brien"));
        TypeInto(form.Edit2, QStringLiteral("г. Москва, +7 495 000-00-00"));
        TypeInto(form.Edit3, QStringLiteral("Иванов И. И."));
        TypeQuantity(QStringLiteral("007"));
        QTest::mouseClick(form.Memo4->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
        test::TypeText(QStringLiteral("первая строка"));
        Key(Qt::Key_Return);
        test::TypeText(QStringLiteral("вторая строка"));
    }

    std::string Tool(const std::string& arguments) const {
        const test::TToolResult r = test::RunTool(test::Quote(LK63_ORDER_TOOL) + " " + arguments);
        EXPECT_EQ(r.Status, 0) << arguments << ": " << r.Output;
        return r.Output;
    }

    std::vector<QString> openFolders;
    std::vector<QString> nextOpen;
    TTempFolder folder;
};

// The same questionnaire saved by the window, and typed as ORDER.json by an
// integrator, opens into a reset window exactly as it was filled in.
TEST_F(OpenTest, ASavedQuestionnaireAndAnOrderJsonOpenAsFilledInByHand) {
    FillByHand();
    const std::string saved = folder / "опрос.pdf";
    nextPaths = {QString::fromStdString(saved)};
    ClickButton(form.Button1);
    ASSERT_TRUE(messages.empty()) << messages.front().Text.toStdString();
    const test::TWindowState byHand = State();
    const TModel model = Model();
    ASSERT_TRUE(byHand.SaveEnabled);
    ASSERT_EQ(byHand.Note, QStringLiteral("первая строка\nвторая строка"));

    WriteFile(folder / "заказ.json",
              FourPoleOrder(R"("organisation": "ООО «Ромашка» & O'Brien", "address": "г. Москва, +7 495 000-00-00",)"
                            R"( "contact": "Иванов И. И.", "quantity": "007", "note": "первая строка\r\nвторая строка")"));
    Tool("pdf " + test::Quote(folder / "заказ.json") + " -o " + test::Quote(folder / "tool.pdf"));
    WriteFile(folder / "read.json", Tool("read " + test::Quote(saved)));

    struct Case {
        const char* what;
        std::string path, proposed;
    };
    const Case cases[] = {
        {"the PDF the window saved", saved, saved},
        {"an ORDER.json by option numbers", folder / "заказ.json", folder / "заказ.pdf"},
        {"the PDF the tool saved", folder / "tool.pdf", folder / "tool.pdf"},
        {"the order the tool read from the saved PDF", folder / "read.json", folder / "read.pdf"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ClickButton(form.Button3);
        TypeInto(form.Edit1, QStringLiteral("замена"));
        ASSERT_NE(State(), byHand);
        OpenWithKeys(c.path);
        ASSERT_TRUE(messages.empty()) << messages.front().Text.toStdString();
        EXPECT_EQ(State(), byHand);
        EXPECT_EQ(Model(), model);
        EXPECT_EQ(ProposedBySave(), QString::fromStdString(c.proposed)) << "the next save proposes the opened file";
    }
}

// The grids' editors show the opened rows, as a repaint after each choice would.
TEST_F(OpenTest, TheGridsShowTheOpenedRowsAtOnce) {
    WriteFile(folder / "a.json", FourPoleOrder(""));
    Pick(TGroup::Breaker, 0, 0);
    ASSERT_NE(Grid(TGroup::Breaker)->Editor(), nullptr);
    OpenWithKeys(folder / "a.json");
    ASSERT_TRUE(messages.empty()) << messages.front().Text.toStdString();
    for (const TGroup group : {TGroup::Breaker, TGroup::Accessory}) {
        for (int row = 0; row < Rows(group); ++row) {
            const std::string chosen = form.Questionnaire()
                                           .OptionList(group, row)
                                           .at(static_cast<std::size_t>(form.Questionnaire().Selection(group, row)))
                                           .Text;
            EXPECT_EQ(Grid(group)->CellText({1, row}).toStdString(), chosen);
        }
    }
    TInspectorGrid* grid = Grid(TGroup::Breaker);
    EXPECT_EQ(grid->Editor()->text(), grid->CellText(grid->FocusedCell())) << "the open editor shows the new value";
    EXPECT_FALSE(form.Memo1->toPlainText().isEmpty());
    EXPECT_FALSE(form.Memo3->toPlainText().isEmpty());
}

// Texts from a file reach the fields as typing or pasting would leave them:
// no control characters in a one-line field, the memo's own line breaks.
TEST_F(OpenTest, FieldsTakeTheTextsAsTheyWouldBeTyped) {
    WriteFile(folder / "texts.json",
              R"({"organisation": "ООО\n«Ромашка»\tи\u001bК", "address": "", "contact": "\r\n",)"
              R"( "quantity": 42, "note": "раз\tдва\r\nтри\rчетыре\n", "breaker": [8]})");
    OpenWithKeys(folder / "texts.json");
    ASSERT_TRUE(messages.empty()) << messages.front().Text.toStdString();
    EXPECT_EQ(form.Edit1->text(), QStringLiteral("ООО «Ромашка» и К"));
    EXPECT_EQ(form.Edit2->text(), QString());
    EXPECT_EQ(form.Edit3->text(), QStringLiteral("  "));
    EXPECT_EQ(form.Edit4->text(), QStringLiteral("42"));
    EXPECT_EQ(form.Memo4->toPlainText(), QStringLiteral("раз два\nтри\nчетыре\n"));
}

// An order that stops early shows the rows chosen so far, like a window
// filled in that far; the save stays disabled.
TEST_F(OpenTest, AnIncompleteOrderShowsTheRowsChosenSoFar) {
    for (int row = 0; row < 3; ++row) Pick(TGroup::Breaker, row, test::kFourPoleBreaker[static_cast<std::size_t>(row)]);
    const test::TWindowState byHand = State();
    const TModel model = Model();
    ASSERT_FALSE(byHand.SaveEnabled);
    ClickButton(form.Button3);

    WriteFile(folder / "part.json", R"({"breaker": [8, 3, 3]})");
    OpenWithKeys(folder / "part.json");
    ASSERT_TRUE(messages.empty()) << messages.front().Text.toStdString();
    EXPECT_EQ(State(), byHand);
    EXPECT_EQ(Model(), model);
    EXPECT_EQ(ProposedBySave(), std::nullopt) << "Ctrl+S does nothing while the save is disabled";
}

// Every bad file: the error names the cause, and the window, its questionnaire
// and the name the next save proposes stay as they were.
TEST_F(OpenTest, ABadFileShowsTheErrorAndChangesNothing) {
    WriteFile(folder / "good.json", FourPoleOrder(R"("organisation": "ООО")"));
    OpenWithKeys(folder / "good.json");
    ASSERT_TRUE(messages.empty());
    TypeInto(form.Edit2, QStringLiteral("набрано после открытия"));
    Pick(TGroup::Accessory, 9, 0);
    const test::TWindowState before = State();
    const TModel model = Model();

    const std::string saved = folder / "saved.pdf";
    Tool("pdf " + test::Quote(folder / "good.json") + " -o " + test::Quote(saved));
    const auto qpdf = [&](const std::string& arguments, const std::string& out) {
        const test::TToolResult r = test::RunTool("qpdf " + test::Quote(saved) + " " + arguments + " " + test::Quote(out));
        EXPECT_TRUE(r.Status == 0 || r.Status == 3) << arguments << ": " << r.Output;  // 3: warnings only
        return out;
    };
    std::filesystem::create_directory(folder / "папка.json");
    WriteFile(folder / "big.json", std::string((std::size_t{1} << 20) + 1, ' '));
    WriteFile(folder / "not-json.txt", "это не JSON");
    WriteFile(folder / "huge.json", std::string((std::size_t{17} << 20), ' '));
    WriteFile(folder / "damaged.pdf", "%PDF-1.5\nnothing of a document follows\n");
    WriteFile(folder / "cut.json", R"({"organisation": )");
    WriteFile(folder / "next.json", FourPoleOrder(R"("format": 2)"));
    WriteFile(folder / "key.json", FourPoleOrder(R"("colour": "red")"));
    // Rows 1.1 and 1.2 are accepted; after them row 1.3 offers one size only.
    WriteFile(folder / "refused.json", R"({"breaker": [8, 3, 0, 1, 1, 9, 3, 2]})");

    struct Case {
        const char* what;
        std::string path;
        QString cause;        // the program's own words
        std::string detail;   // the reader's detail, where it is quoted
    };
    const Case cases[] = {
        {"a file that is not there", folder / "нет.pdf", QStringLiteral("такого файла нет"), ""},
        {"a folder", folder / "папка.json", QStringLiteral("это папка, а не файл"), ""},
        {"too large for an order", folder / "huge.json", QStringLiteral("слишком велик"), ""},
        {"a PDF without the order", qpdf("--remove-attachment=order.json --", folder / "plain.pdf"),
         QStringLiteral("нет данных заказа"), ""},
        {"a damaged PDF", folder / "damaged.pdf", QStringLiteral("повреждён"), "damaged PDF document"},
        {"an order over 1 MB",
         qpdf("--add-attachment " + test::Quote(folder / "big.json") + " --key=order.json --replace --", folder / "big.pdf"),
         QStringLiteral("больше 1 МБ"), ""},
        {"an attached order that is no JSON",
         qpdf("--add-attachment " + test::Quote(folder / "not-json.txt") + " --key=order.json --replace --",
              folder / "not-json.pdf"),
         QStringLiteral("это не JSON"), "invalid JSON"},
        {"invalid JSON", folder / "cut.json", QStringLiteral("это не JSON"), "invalid JSON"},
        {"a format from the future", folder / "next.json", QStringLiteral("более новой версией программы"),
         "version 2"},
        {"a key the order does not have", folder / "key.json", QStringLiteral("неверны"), "unknown key \"colour\""},
        {"a choice the rules refuse after rows they accept", folder / "refused.json",
         QStringLiteral("не допускается правилами"),
         R"(row 1.3 (1.3 Габарит): option 0 "ЛК63-19-1000" is not offered after the choices above; offered: 3 "ЛК63-19-2500H")"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        messages.clear();
        OpenWithKeys(c.path);
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages.front().Caption, QStringLiteral("Ошибка"));
        const QString& text = messages.front().Text;
        EXPECT_TRUE(text.contains(QString::fromStdString(c.path))) << text.toStdString();
        EXPECT_TRUE(text.contains(c.cause)) << text.toStdString();
        EXPECT_TRUE(text.contains(QString::fromStdString(c.detail))) << text.toStdString();
        EXPECT_EQ(State(), before);
        EXPECT_EQ(Model(), model);
    }
    EXPECT_EQ(ProposedBySave(), QString::fromStdString(folder / "good.pdf")) << "still the file opened last";
}

// Ctrl+S is "Сохранить в pdf", wherever the keyboard is.
TEST_F(OpenTest, CtrlSSavesFromEveryField) {
    PickAll(test::kFourPoleBreaker, test::kFourPoleAccessories);
    const std::pair<const char*, QWidget*> places[] = {
        {"organisation", form.Edit1},
        {"quantity", form.Edit4},
        {"note", form.Memo4},
        {"description", form.Memo1},
        {"the accessories' editor", Grid(TGroup::Accessory)->Editor()},
        {"the save button", form.Button1},
    };
    int n = 0;
    for (const auto& [what, widget] : places) {
        SCOPED_TRACE(what);
        ASSERT_NE(widget, nullptr);
        widget->setFocus();
        ASSERT_TRUE(widget->hasFocus());
        const std::string path = folder / ("ctrl-s-" + std::to_string(n++) + ".pdf");
        nextPaths = {QString::fromStdString(path)};
        Key(Qt::Key_S, Qt::ControlModifier);
        QApplication::processEvents();
        ASSERT_TRUE(messages.empty()) << messages.front().Text.toStdString();
        EXPECT_TRUE(nextPaths.empty()) << "the save dialog was asked";
        EXPECT_TRUE(std::filesystem::is_regular_file(path));
    }
}

// While a save runs the window takes no input: neither Ctrl+O, nor a drop,
// nor a file handed to it.
TEST_F(OpenTest, NothingOpensWhileASaveRuns) {
    WriteFile(folder / "other.json", R"({"organisation": "другая", "breaker": [0]})");
    PickAll(test::kFourPoleBreaker, test::kFourPoleAccessories);
    const test::TWindowState before = State();
    const TModel model = Model();
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(folder / "other.json"))});
    duringDialog = [&] {
        ASSERT_TRUE(form.Saving());
        nextOpen = {QString::fromStdString(folder / "other.json")};
        QTest::keyClick(form.Edit1, Qt::Key_O, Qt::ControlModifier);
        QDropEvent drop(QPointF(20, 20), Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(&form, &drop);
        form.OpenFile(QString::fromStdString(folder / "other.json"));
        QApplication::processEvents();
    };
    ClickButton(form.Button1);
    QApplication::processEvents();
    EXPECT_EQ(openFolders.size(), 0u) << "no open dialog";
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(State(), before);
    EXPECT_EQ(Model(), model);
}

// A file dropped anywhere on the window opens; other drops open nothing.
TEST_F(OpenTest, AFileDroppedOnTheWindowOpens) {
    WriteFile(folder / "dropped.json", FourPoleOrder(R"("organisation": "брошено")"));
    const QUrl file = QUrl::fromLocalFile(QString::fromStdString(folder / "dropped.json"));
    struct Case {
        const char* what;
        QList<QUrl> urls;
        QWidget* target;
        bool opens;
    };
    const Case cases[] = {
        {"two files", {file, file}, &form, false},
        {"a web address", {QUrl(QStringLiteral("https://example.org/dropped.json"))}, &form, false},
        {"on the organisation's field", {file}, form.Edit1, true},
        {"on the note", {file}, form.Memo4->viewport(), true},
        {"on a grid", {file}, form.InspectorGrid1->viewport(), true},
        {"on a label", {file}, form.Label1, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ClickButton(form.Button3);
        QMimeData data;
        data.setUrls(c.urls);
        const QPoint at(5, 5);
        QDragEnterEvent enter(at, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(c.target, &enter);
        EXPECT_EQ(enter.isAccepted(), c.opens);
        QDropEvent drop(at, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(c.target, &drop);
        QApplication::processEvents();
        EXPECT_TRUE(messages.empty());
        EXPECT_EQ(form.Edit1->text(), c.opens ? QStringLiteral("брошено") : QString());
        EXPECT_EQ(form.Button1->isEnabled(), c.opens);
    }
}

TEST(CommandLineTest, OneFileAndTheStartupOption) {
    struct Case {
        QStringList arguments;
        bool measure;
        QString file;
        bool refused;
    };
    const Case cases[] = {
        {{}, false, {}, false},
        {{QStringLiteral("опрос.pdf")}, false, QStringLiteral("опрос.pdf"), false},
        {{QStringLiteral("--startup-time"), QStringLiteral("a.json")}, true, QStringLiteral("a.json"), false},
        {{QStringLiteral("--"), QStringLiteral("-a.pdf")}, false, QStringLiteral("-a.pdf"), false},
        {{QStringLiteral("-")}, false, QStringLiteral("-"), false},
        {{QStringLiteral("a.pdf"), QStringLiteral("b.pdf")}, false, QStringLiteral("a.pdf"), true},
        {{QStringLiteral("--open"), QStringLiteral("a.pdf")}, false, {}, true},
        {{QString()}, false, {}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments.join(u' ').toStdString());
        const TCommandLine line = ParseCommandLine(c.arguments);
        EXPECT_EQ(line.MeasureStartup, c.measure);
        EXPECT_EQ(line.Error.isEmpty(), !c.refused) << line.Error.toStdString();
        if (!c.refused) {
            EXPECT_EQ(line.File, c.file);
        }
    }
}

}  // namespace
}  // namespace lk63
