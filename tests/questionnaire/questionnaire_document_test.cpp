// "Сохранить в pdf" without its window: the fields as the window hands them
// over, the real template, engine and export, and the file read back by
// independent readers.
#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "pdf/export_progress.h"
#include "pdf/inflate.h"
#include "pdf/pdf_check.h"
#include "platform/io/temp_folder.h"
#include "questionnaire/choose.h"
#include "questionnaire/quantity.h"
#include "questionnaire/questionnaire_document.h"
#include "report/prepared_pages.h"
#include "report/user_interface.h"

namespace lk63 {
namespace {

using platform::iotest::ReadFile;
using platform::iotest::TTempFolder;
using platform::iotest::WriteFile;

TEST(SaveFields, ControlCharactersOfSingleLineFieldsBecomeSpaces) {
    struct Case {
        std::string text, clean;
    } const cases[] = {
        {"ООО Ромашка", "ООО Ромашка"},
        {"a\tb", "a b"},
        {"a\r\nb", "a  b"},
        {"\x01x\x7F", " x "},
        {"a\u2028b\u2029c", "a b c"},  // line and paragraph separators would split the memo line
        {"a\u0085b", "a b"},           // next line, a C1 control
        {"© 2025, Ωμέγα 😀", "© 2025, Ωμέγα 😀"},
        {"", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(SingleLineText(c.text), c.clean) << c.text;
}

TEST(SaveFields, QuantityIsPrintedOnlyAsAWholeNumberWithinTheBounds) {
    struct Case {
        const char* text;
        bool printable;
    } const cases[] = {
        {"1", true},       {"2", true},   {"007", true},  {"999999", true}, {"0999999", true},
        {"0", false},      {"000", false}, {"1000000", false}, {"99999999999999999999", false},
        {"", false},       {" 5", false}, {"5 ", false},  {"-1", false},    {"+1", false},
        {"1.0", false},    {"1e3", false}, {"١", false},  // an Arabic-Indic digit is no ASCII digit
    };
    for (const Case& c : cases) EXPECT_EQ(IsPrintableQuantity(c.text), c.printable) << c.text;
}

class TCapturedMessages : public TrpUserInterface {
public:
    void ShowError(const std::string& caption, const std::string& text) override {
        Shown.push_back(caption + ": " + text);
    }
    void ProcessMessages() override {}
    std::vector<std::string> Shown;
};

class TCancelOnPage : public TrpExportProgress {
public:
    TCancelOnPage(TrpReport& report, int page) : report_(report), page_(page) {}
    void Start(int pageCount) override { Pages = pageCount; }
    void Page(int number) override {
        if (number == page_) report_.Terminated = true;
    }
    void Stop() override {}
    int Pages = 0;

private:
    TrpReport& report_;
    int page_;
};

std::string Expected(const std::string& name) {
    std::ifstream in(std::string(LK63_PDF_DATA_DIR) + "/" + name, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Compares with an expected file; a mismatch leaves the actual bytes in the
// build folder beside the test for a look.
void ExpectSameAsFile(const std::string& actual, const std::string& name) {
    const std::string expected = Expected(name);
    if (actual == expected) return;
    const std::string path = std::string(LK63_ACTUAL_DIR) + "/" + name;
    std::ofstream(path, std::ios::binary) << actual;
    std::size_t at = 0;
    while (at < actual.size() && at < expected.size() && actual[at] == expected[at]) ++at;
    ADD_FAILURE() << name << " differs from byte " << at << " on; actual bytes in " << path;
}

// Whitespace of the text layer folded to single blanks: wrapped lines join.
std::string FoldedText(const std::string& text) { return std::regex_replace(text, std::regex(R"(\s+)"), " "); }

class SaveCommand : public ::testing::Test {
protected:
    SaveCommand() {
        lk63::testing::ChooseAll(questionnaire_, std::vector<int>(8, 0), std::vector<int>(10, 0));
        document_ = std::make_unique<TQuestionnaireDocument>(questionnaire_, &messages_);
        fields_ = {"ООО Ромашка", "г. Москва, +7 495 000-00-00", "Иванов И. И.", "2", "Примечание к заказу"};
    }

    // Prepares and exports; gives the file's bytes.
    std::string Save(const std::string& name = "out.pdf") {
        EXPECT_EQ(document_->Prepare(fields_), TSavePreparation::Prepared) << ::testing::PrintToString(messages_.Shown);
        EXPECT_TRUE(document_->Export(folder_ / name)) << ::testing::PrintToString(messages_.Shown);
        return ReadFile(folder_ / name);
    }

    std::string Variable(const std::string& name) const {
        return document_->Report().Variables().Get(name).ToUtf8();
    }

    test::TToolResult Tool(const std::string& command, const std::string& name = "out.pdf") const {
        return test::RunTool(command + " " + test::Quote(folder_ / name));
    }

    TQuestionnaire questionnaire_;
    TCapturedMessages messages_;
    std::unique_ptr<TQuestionnaireDocument> document_;
    TReportFields fields_;
    TTempFolder folder_;
};

TEST_F(SaveCommand, BadQuantityPreparesNothing) {
    for (const char* quantity : {"0", "1000000", "12a", "", " 5"}) {
        SCOPED_TRACE(quantity);
        fields_.Quantity = quantity;
        EXPECT_EQ(document_->Prepare(fields_), TSavePreparation::BadQuantity);
        EXPECT_EQ(document_->Report().PreviewPages().PageCount(), 0);
        EXPECT_EQ(Variable("Количество данного типоисполнения"), "");
    }
    EXPECT_EQ(kQuantityMessage, "Количество выключателей, шт.: введите целое число от 1 до 999999");
    EXPECT_TRUE(messages_.Shown.empty());
}

TEST_F(SaveCommand, SetsTheVariablesAsTheWindowWouldType) {
    fields_ = {"ООО 'Ромашка'", "г. Москва,\r\nул. Ленина", "Иванов\tИ. И.", "007",
               "  \n\n Первая строка\nвторая строка \n\n "};
    ASSERT_EQ(document_->Prepare(fields_), TSavePreparation::Prepared);
    EXPECT_EQ(Variable("Наименование организации"), "'ООО ''Ромашка'''");
    EXPECT_EQ(Variable("Адрес и номер телефона организации"), "'г. Москва,  ул. Ленина'");
    EXPECT_EQ(Variable("ФИО контактного лица"), "'Иванов И. И.'");
    EXPECT_EQ(Variable("Количество данного типоисполнения"), "'007'");
    // Trimmed, its line breaks CR LF, and passed raw because it has several lines.
    EXPECT_EQ(document_->TrimmedNote(), "Первая строка\r\nвторая строка");
    EXPECT_EQ(Variable("Дополнительные сведения"), "Первая строка\r\nвторая строка");

    fields_.Note = " одна строка ";
    ASSERT_EQ(document_->Prepare(fields_), TSavePreparation::Prepared);
    EXPECT_EQ(Variable("Дополнительные сведения"), "'одна строка'");
}

// A complete questionnaire with every option 0: one page, two fonts, named
// and without the order as the worked figures give them, or embedded and
// with the order (its file stream and the dictionary naming it) as the questionnaire
// saves.
TEST_F(SaveCommand, AllFirstOptionsGiveOnePageWithTwoFonts) {
    struct Case {
        bool embedded;
        int objects;
        const char* boldName;
        const char* regularName;
        const char* embeddedSubsetUnicode;
    } const cases[] = {
        {false, 15, "Arial,Bold", "Arial", "no +no +yes"},
        {true, 19, "[A-Z]{6}\\+LiberationSans-Bold", "[A-Z]{6}\\+LiberationSans", "yes +yes +yes"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.embedded ? "embedded" : "named");
        document_->PdfExport().EmbeddedFonts = c.embedded;
        document_->AttachOrder = c.embedded;
        const std::string pdf = Save();
        const test::TCrossReference xref = test::ReadCrossReference(pdf);
        EXPECT_TRUE(xref.Problems.empty()) << ::testing::PrintToString(xref.Problems);
        EXPECT_EQ(xref.Objects, c.objects);
        EXPECT_EQ(pdf.compare(xref.TableOffset, 12, "xref\r\n0 " + std::to_string(c.objects + 1) + "\r\n"), 0);
        const std::regex bold(std::string("/BaseFont /") + c.boldName + "\r\n");
        const std::regex regular(std::string("/BaseFont /") + c.regularName + "\r\n");
        EXPECT_TRUE(std::regex_search(test::ObjectText(pdf, xref, 3), bold));
        EXPECT_TRUE(std::regex_search(test::ObjectText(pdf, xref, 4), regular));

        const test::TToolResult check = Tool("qpdf --check");
        EXPECT_EQ(check.Status, 0) << check.Output;
        const test::TToolResult fonts = Tool("pdffonts");
        for (const char* name : {c.boldName, c.regularName})
            EXPECT_TRUE(std::regex_search(fonts.Output, std::regex(std::string("\n") + name +
                                                                   " +CID TrueType +Identity-H +" +
                                                                   c.embeddedSubsetUnicode)))
                << fonts.Output;
        EXPECT_EQ(std::count(fonts.Output.begin(), fonts.Output.end(), '\n'), 4) << fonts.Output;  // two fonts
    }

    // In content order, and without joining words across a hyphen at a line end.
    const test::TToolResult text = Tool("pdftotext -raw -enc UTF-8");
    ASSERT_EQ(text.Status, 0) << text.Output;
    const std::string page = FoldedText(ReadFile(folder_ / "out.txt"));
    std::vector<std::string> expected = {
        "Автоматические выключатели в литом корпусе серии ЛК63-19",
        "Опросный лист",
        "Данные организации, заполнившей опросный лист",
        "Наименование организации", "ООО Ромашка",
        "Адрес и номер телефона организации", "г. Москва, +7 495 000-00-00",
        "ФИО контактного лица", "Иванов И. И.",
        "1 Автоматический выключатель", "2 Аксессуары",
        "Количество выключателей, шт.", "Примечание", "Примечание к заказу",
        "Описание", FoldedText(questionnaire_.Texts().Description),
        "Структурный состав", questionnaire_.Texts().OrderCode,
    };
    for (const std::string& line : questionnaire_.Texts().Composition) expected.push_back(line);
    for (const TGroup group : {TGroup::Breaker, TGroup::Accessory}) {
        for (int row = 0; row < TQuestionnaire::RowCount(group); ++row) {
            expected.push_back(FoldedText(std::string(TQuestionnaire::Caption(group, row))));
            expected.push_back(FoldedText(questionnaire_.CellText(group, 1, row)));
        }
    }
    for (const std::string& piece : expected) EXPECT_NE(page.find(piece), std::string::npos) << piece << "\n" << page;
}

// Every operator, number and glyph string of the page, pinned: the same
// whether the fonts are named or embedded, as glyph ids are the codes.
TEST_F(SaveCommand, PageContentIsPinned) {
    for (const bool embedded : {false, true}) {
        SCOPED_TRACE(embedded ? "embedded" : "named");
        document_->PdfExport().EmbeddedFonts = embedded;
        const std::string pdf = Save();
        const test::TCrossReference xref = test::ReadCrossReference(pdf);
        ExpectSameAsFile(test::Inflate(test::StreamOf(pdf, xref, 2)), "all_first.content.txt");
    }
}

// The whole file with what differs from run to run masked: the ID and the
// dates. Named fonts: the file of the worked figures.
TEST_F(SaveCommand, WholeFileIsPinnedButForIdAndDates) {
    document_->PdfExport().EmbeddedFonts = false;
    document_->AttachOrder = false;
    ExpectSameAsFile(test::MaskRunFields(Save()), "all_first.masked.pdf");
}

// Embedded, two saves differ only in the ID and the dates: the subset names
// follow from the glyphs used.
TEST_F(SaveCommand, EmbeddedSavesDifferOnlyInIdAndDates) {
    const std::string first = test::MaskRunFields(Save("first.pdf"));
    const std::string second = test::MaskRunFields(Save("second.pdf"));
    EXPECT_EQ(first, second);
    EXPECT_NE(first.find("/FontFile2 "), std::string::npos);
}

TEST_F(SaveCommand, PageRendersAtA4Size) {
    Save();
    const test::TToolResult render =
        test::RunTool("pdftoppm -png -r 80 -singlefile " + test::Quote(folder_ / "out.pdf") + " " +
                      test::Quote(folder_ / "page"));
    ASSERT_EQ(render.Status, 0) << render.Output;
    const std::string png = ReadFile(folder_ / "page.png");
    ASSERT_GT(png.size(), 24u);
    const auto be32 = [&](std::size_t at) {
        return (static_cast<unsigned char>(png[at]) << 24) | (static_cast<unsigned char>(png[at + 1]) << 16) |
               (static_cast<unsigned char>(png[at + 2]) << 8) | static_cast<unsigned char>(png[at + 3]);
    };
    EXPECT_EQ(be32(16), 662u);  // 595.28 pt at 80 dpi, rounded up
    EXPECT_EQ(be32(20), 936u);  // 841.89 pt
}

// A note of several pages: 13 + 2n objects with named fonts and no order; a
// font program more for each embedded font, and two objects for the order;
// every page valid.
TEST_F(SaveCommand, LongNoteGivesSeveralValidPages) {
    fields_.Note.clear();
    for (int i = 1; i <= 120; ++i) fields_.Note += "Строка примечания " + std::to_string(i) + "\n";
    document_->PdfExport().EmbeddedFonts = false;
    document_->AttachOrder = false;
    const int namedObjects = test::ReadCrossReference(Save()).Objects;
    document_->PdfExport().EmbeddedFonts = true;
    document_->AttachOrder = true;
    const std::string pdf = Save();
    const int pages = document_->Report().PreviewPages().PageCount();
    ASSERT_GE(pages, 3);
    EXPECT_EQ(namedObjects, 13 + 2 * pages);
    const test::TCrossReference xref = test::ReadCrossReference(pdf);
    EXPECT_TRUE(xref.Problems.empty()) << ::testing::PrintToString(xref.Problems);
    EXPECT_EQ(xref.Objects, 17 + 2 * pages);
    EXPECT_EQ(Tool("qpdf --check").Status, 0);
    const test::TToolResult text = Tool("pdftotext -enc UTF-8");
    ASSERT_EQ(text.Status, 0) << text.Output;
    const std::string page = ReadFile(folder_ / "out.txt");
    EXPECT_NE(page.find("Строка примечания 1\n"), std::string::npos);
    EXPECT_NE(page.find("Строка примечания 120\n"), std::string::npos);
    EXPECT_EQ(std::count(page.begin(), page.end(), '\f'), pages);
}

// Text the font has no glyph for prints as the missing glyph; nothing breaks,
// and each such character still reads back as itself.
TEST_F(SaveCommand, TextOutsideTheOldCodePageKeepsTheFileValid) {
    fields_.Organisation = "Ωμέγα עברית 中文 😀";
    Save();
    const test::TToolResult check = Tool("qpdf --check");
    EXPECT_EQ(check.Status, 0) << check.Output;
    ASSERT_EQ(Tool("pdftotext -enc UTF-8").Status, 0);
    const std::string page = ReadFile(folder_ / "out.txt");
    for (const char* word : {"Ωμέγα", "עברית", "中文", "😀"}) EXPECT_NE(page.find(word), std::string::npos) << word << page;
}

TEST_F(SaveCommand, CancelDuringPageTwoOfThreeWritesNothing) {
    fields_.Note.clear();
    for (int i = 1; i <= 80; ++i) fields_.Note += "Строка " + std::to_string(i) + "\n";
    const std::string target = folder_ / "out.pdf";
    WriteFile(target, "old document");
    TCancelOnPage progress(document_->Report(), 2);
    document_->PdfExport().Progress = &progress;
    ASSERT_EQ(document_->Prepare(fields_), TSavePreparation::Prepared);
    ASSERT_EQ(document_->Report().PreviewPages().PageCount(), 3);
    EXPECT_TRUE(document_->Export(target));
    EXPECT_TRUE(document_->PdfExport().Cancelled());
    EXPECT_EQ(progress.Pages, 3);
    EXPECT_EQ(ReadFile(target), "old document");
    EXPECT_EQ(folder_.Names(), std::vector<std::string>{"out.pdf"});
    EXPECT_TRUE(messages_.Shown.empty());
}

TEST_F(SaveCommand, FailedSaveShowsTheErrorAndKeepsTheFileName) {
    ASSERT_EQ(document_->Prepare(fields_), TSavePreparation::Prepared);
    const std::string target = folder_ / "missing/out.pdf";
    EXPECT_FALSE(document_->Export(target));
    ASSERT_EQ(messages_.Shown.size(), 1u);
    EXPECT_EQ(messages_.Shown[0], "Ошибка: Были обнаружены следующие ошибки:\r\nCannot create file \"" + target +
                                      "\". No such file or directory");
    EXPECT_EQ(document_->PdfExport().FileName, target);  // proposed again next time
    EXPECT_TRUE(folder_.Names().empty());
}

}  // namespace
}  // namespace lk63
