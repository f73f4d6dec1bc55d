#include <grp.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <filesystem>
#include <functional>
#include <memory>
#include <regex>
#include <string>
#include <vector>

#include "inflate.h"
#include "pdf/export_pages.h"
#include "pdf/export_progress.h"
#include "pdf/pdf_export.h"
#include "pdf/pdf_sink.h"
#include "pdf_check.h"
#include "platform/io/temp_folder.h"
#include "report/band.h"
#include "report/error.h"
#include "report/memo_view.h"
#include "report/page.h"
#include "report/report.h"
#include "report/units.h"
#include "report/user_interface.h"

namespace lk63 {
namespace {

using platform::iotest::ReadFile;
using platform::iotest::TTempFolder;
using platform::iotest::WriteFile;
using TNames = std::vector<std::string>;

constexpr std::uint8_t kBold = static_cast<std::uint8_t>(TrpFontStyle::fsBold);

TrpFont Font(int height, std::uint8_t style = 0) {
    TrpFont font;
    font.SetHeight(height);
    font.SetStyle(style);
    return font;
}

TrpMemoView* AddMemo(TrpBand& band, double top, std::u16string text, const TrpFont& font) {
    auto* memo = band.Add(std::make_unique<TrpMemoView>());
    memo->SetBounds(0, top, 718.1107, 22.67718);
    memo->SetFont(font);
    memo->Frame.SetTyp(kAllFrameSides);
    memo->Memo = {std::move(text)};
    return memo;
}

// A prepared A4 page as the store rebuilds it: a heading in bold Arial
// first, then a data band with a regular memo and a closing line.
std::unique_ptr<TrpReportPage> MakePage(const std::u16string& heading, const std::u16string& body) {
    auto page = std::make_unique<TrpReportPage>();
    page->LeftMargin = page->RightMargin = page->TopMargin = page->BottomMargin = 10;
    auto* title = page->Add(std::make_unique<TrpReportTitle>());
    title->SetBounds(0, 0, 718.1107, 40);
    AddMemo(*title, 0, heading, Font(-16, kBold));
    auto* data = page->Add(std::make_unique<TrpMasterData>());
    data->SetBounds(0, 60, 718.1107, 40);
    AddMemo(*data, 0, body, Font(-13));
    auto* line = data->Add(std::make_unique<TrpLineView>());
    line->SetBounds(0, 30, 718.1107, 0);
    line->Frame.SetTyp(static_cast<std::uint8_t>(TrpFrameSide::ftTop));
    return page;
}

class TPages : public TrpExportPages {
public:
    explicit TPages(int count) {
        for (int i = 0; i < count; ++i)
            pages_.push_back(MakePage(u"Страница " + std::u16string(1, char16_t(u'1' + i)) + u" из [TotalPages#]",
                                      u"Опросный лист"));
    }
    int PageCount() override { return static_cast<int>(pages_.size()); }
    TrpReportPage& MaterializePage(int index) override {
        if (OnMaterialize) OnMaterialize(index);
        return *pages_[static_cast<std::size_t>(index)];
    }
    TrpReportPage& Page(int index) { return *pages_[static_cast<std::size_t>(index)]; }
    std::function<void(int)> OnMaterialize;

private:
    std::vector<std::unique_ptr<TrpReportPage>> pages_;
};

class TRecordingUi : public TrpUserInterface {
public:
    void ShowError(const std::string& caption, const std::string& text) override { Shown.push_back({caption, text}); }
    void ProcessMessages() override {
        ++Processed;
        if (OnProcess) OnProcess(Processed);
    }
    std::vector<std::pair<std::string, std::string>> Shown;
    int Processed = 0;
    std::function<void(int)> OnProcess;
};

class TRecordingProgress : public TrpExportProgress {
public:
    void Start(int pageCount) override { Events.push_back("start " + std::to_string(pageCount)); }
    void Page(int number) override {
        Events.push_back("page " + std::to_string(number));
        if (OnPage) OnPage(number);
    }
    void Stop() override { Events.push_back("stop"); }
    std::vector<std::string> Events;
    std::function<void(int)> OnPage;
};

class PdfExportTest : public testing::Test {
protected:
    PdfExportTest() {
        report_.UserInterface = &ui_;
        export_.Progress = &progress_;
    }

    // The document as bytes, written through a caller's stream.
    std::string ExportToString(TrpExportPages& pages) {
        std::string bytes;
        TrpStringSink sink(bytes);
        export_.Stream = &sink;
        EXPECT_TRUE(export_.ExportTo(report_, pages));
        export_.Stream = nullptr;
        return bytes;
    }

    std::string ExportToFile(TrpExportPages& pages, const std::string& name = "out.pdf") {
        export_.FileName = folder_ / name;
        EXPECT_TRUE(export_.ExportTo(report_, pages)) << ErrorsText();
        return export_.FileName;
    }

    std::string ErrorsText() const {
        std::string text;
        for (const std::string& e : report_.Errors().Items()) text += e + "\n";
        return text;
    }

    // The failed run reported `reason` once, in the list and on the screen.
    void ExpectShownError(const std::string& reason) {
        ASSERT_EQ(report_.Errors().Count(), 1u);
        const std::string message = report_.Errors()[0];
        EXPECT_NE(message.find(reason), std::string::npos) << message;
        EXPECT_EQ(message.find('\n'), std::string::npos) << message;
        ASSERT_EQ(ui_.Shown.size(), 1u);
        EXPECT_EQ(ui_.Shown[0].first, "Ошибка");
        EXPECT_EQ(ui_.Shown[0].second, "Были обнаружены следующие ошибки:\r\n" + message);
    }

    TTempFolder folder_;
    TrpReport report_;
    TRecordingUi ui_;
    TRecordingProgress progress_;
    TrpPDFExport export_;
};

TEST_F(PdfExportTest, OnePageWithTwoFontsHasFifteenObjects) {
    TPages pages(1);
    const std::string pdf = ExportToString(pages);
    ASSERT_EQ(pdf.rfind("%PDF-1.5\r\n", 0), 0u);
    const test::TCrossReference xref = test::ReadCrossReference(pdf);
    EXPECT_TRUE(xref.Problems.empty()) << testing::PrintToString(xref.Problems);
    EXPECT_EQ(xref.Objects, 15);
    EXPECT_EQ(pdf.compare(xref.TableOffset, 12, "xref\r\n0 16\r\n"), 0);

    // 1 page tree, 2 content, 3 and 4 Type0 fonts, 5 page, 6-9 and 10-13 the
    // fonts' other objects, 14 information, 15 catalog.
    EXPECT_NE(test::ObjectText(pdf, xref, 2).find("/Filter /FlateDecode /Length "), std::string::npos);
    EXPECT_NE(test::ObjectText(pdf, xref, 3).find("/Subtype /Type0\r\n/BaseFont /Arial,Bold\r\n"), std::string::npos);
    EXPECT_NE(test::ObjectText(pdf, xref, 3).find("/DescendantFonts [9 0 R]\r\n/ToUnicode 7 0 R\r\n"),
              std::string::npos);
    EXPECT_NE(test::ObjectText(pdf, xref, 4).find("/BaseFont /Arial\r\n"), std::string::npos);
    EXPECT_NE(test::ObjectText(pdf, xref, 4).find("/DescendantFonts [13 0 R]\r\n/ToUnicode 11 0 R\r\n"),
              std::string::npos);
    EXPECT_EQ(test::ObjectText(pdf, xref, 5),
              "5 0 obj\r\n<<\r\n/Type /Page\r\n/Parent 1 0 R\r\n/MediaBox [0 0 595.28 841.89 ]\r\n/Resources <<\r\n"
              "/Font << /F0 3 0 R /F1 4 0 R >>\r\n/ProcSet [/PDF /Text /ImageC ]\r\n>>\r\n/Contents 2 0 R\r\n"
              ">>\r\nendobj\r\n");
    EXPECT_NE(test::ObjectText(pdf, xref, 6).find("/Type /FontDescriptor"), std::string::npos);
    EXPECT_NE(test::ObjectText(pdf, xref, 8).find("/Ordering (Identity)"), std::string::npos);
    EXPECT_NE(test::ObjectText(pdf, xref, 10).find("/FontName /Arial\r\n"), std::string::npos);
    // The page tree was reserved first and written after the fonts.
    EXPECT_GT(xref.Offsets[0], xref.Offsets[12]);
    EXPECT_EQ(test::ObjectText(pdf, xref, 1),
              "1 0 obj\r\n<<\r\n/Type /Pages\r\n/Kids [5 0 R ]\r\n/Count 1\r\n>>\r\nendobj\r\n");
    EXPECT_EQ(test::ObjectText(pdf, xref, 15),
              "15 0 obj\r\n<<\r\n/Type /Catalog\r\n/Pages 1 0 R\r\n/PageMode /UseNone\r\n/ViewerPreferences <<\r\n"
              "/PrintScaling /None\r\n>>\r\n>>\r\nendobj\r\n");

    const std::string& id = export_.DocumentId();
    EXPECT_TRUE(std::regex_match(id, std::regex("[0-9a-f]{32}"))) << id;
    const std::string trailer = pdf.substr(pdf.find("trailer\r\n"));
    EXPECT_EQ(trailer, "trailer\r\n<<\r\n/Size 16\r\n/Root 15 0 R\r\n/Info 14 0 R\r\n/ID [<" + id + "><" + id +
                           ">]\r\n>>\r\nstartxref\r\n" + std::to_string(xref.TableOffset) + "\r\n%%EOF\r\n");
}

TEST_F(PdfExportTest, EveryPageAddsAContentStreamAndAPageObject) {
    for (int n = 1; n <= 4; ++n) {
        SCOPED_TRACE(n);
        TPages pages(n);
        const std::string pdf = ExportToString(pages);
        const test::TCrossReference xref = test::ReadCrossReference(pdf);
        EXPECT_TRUE(xref.Problems.empty()) << testing::PrintToString(xref.Problems);
        EXPECT_EQ(xref.Objects, 13 + 2 * n);
        // Page k > 1: content 2k + 2, page object 2k + 3 (the fonts were
        // reserved after the first page's content).
        std::string kids = "/Kids [5 0 R ";
        for (int k = 2; k <= n; ++k) kids += std::to_string(2 * k + 3) + " 0 R ";
        EXPECT_NE(test::ObjectText(pdf, xref, 1).find(kids + "]\r\n/Count " + std::to_string(n) + "\r\n"),
                  std::string::npos)
            << test::ObjectText(pdf, xref, 1);
        // Every page names all fonts used so far.
        for (int k = 2; k <= n; ++k)
            EXPECT_NE(test::ObjectText(pdf, xref, 2 * k + 3).find("/Font << /F0 3 0 R /F1 4 0 R >>"),
                      std::string::npos);
    }
}

// Pages given as they are, without page tags.
class TListedPages : public TrpExportPages {
public:
    int PageCount() override { return static_cast<int>(Pages.size()); }
    TrpReportPage& MaterializePage(int index) override { return *Pages[static_cast<std::size_t>(index)]; }
    std::vector<std::unique_ptr<TrpReportPage>> Pages;
};

// A page's content is deflated on another thread while the next page is
// laid out: the file is byte for byte the one that writing every page as it
// closes gives, also where a later page brings fonts of its own.
TEST_F(PdfExportTest, PagesDeflatedAheadGiveTheSameFile) {
    TListedPages pages;
    for (int i = 0; i < 4; ++i) pages.Pages.push_back(MakePage(u"Опросный лист", u"Страница"));
    auto& second = dynamic_cast<TrpBand&>(*pages.Pages[1]->Objects()[1]);
    AddMemo(second, 10, u"中文 Ελληνικά שלום", Font(-13));
    auto& fourth = dynamic_cast<TrpBand&>(*pages.Pages[3]->Objects()[1]);
    AddMemo(fourth, 10, u"Курсив", Font(-13, static_cast<std::uint8_t>(TrpFontStyle::fsItalic)));
    export_.EmbeddedFonts = true;
    export_.Attachments.push_back({"order.json", "application/json", "", std::string(300000, 'x')});

    const std::string ahead = ExportToString(pages);

    std::string bytes;
    TrpStringSink sink(bytes);
    export_.Stream = &sink;
    ASSERT_TRUE(export_.OpenDocument());
    for (int i = 0; i < pages.PageCount(); ++i) {
        TrpReportPage& page = pages.MaterializePage(i);
        export_.OpenPage(page);
        page.SetLeft(page.LeftMargin * rp01cm);
        page.SetTop(page.TopMargin * rp01cm);
        for (const auto& object : page.Objects()) {
            export_.WriteObject(*object);
            for (const auto& child : object->Objects()) export_.WriteObject(*child);
        }
        export_.ClosePage();
    }
    export_.CloseDocument();
    export_.Stream = nullptr;

    // Bold, regular, a fallback font from the second page, italic from the fourth.
    std::size_t fontPrograms = 0;
    for (std::size_t at = ahead.find("/FontFile2"); at != std::string::npos; at = ahead.find("/FontFile2", at + 1))
        ++fontPrograms;
    EXPECT_GE(fontPrograms, 4u);
    EXPECT_EQ(test::MaskRunFields(ahead), test::MaskRunFields(bytes));
}

TEST_F(PdfExportTest, IndependentReadersAcceptTheFile) {
    TPages pages(3);
    const std::string path = ExportToFile(pages);
    const test::TToolResult check = test::RunTool("qpdf --check " + test::Quote(path));
    EXPECT_EQ(check.Status, 0) << check.Output;
    EXPECT_NE(check.Output.find("No syntax or stream encoding errors"), std::string::npos) << check.Output;

    const test::TToolResult fonts = test::RunTool("pdffonts " + test::Quote(path));
    ASSERT_EQ(fonts.Status, 0) << fonts.Output;
    EXPECT_TRUE(std::regex_search(fonts.Output, std::regex(R"(\nArial,Bold +CID TrueType +Identity-H +no +no +yes)")))
        << fonts.Output;
    EXPECT_TRUE(std::regex_search(fonts.Output, std::regex(R"(\nArial +CID TrueType +Identity-H +no +no +yes)")))
        << fonts.Output;

    // [TotalPages#] in any letter case became the page count.
    const test::TToolResult text = test::RunTool("pdftotext -layout " + test::Quote(path) + " -");
    ASSERT_EQ(text.Status, 0) << text.Output;
    for (const char* expected : {"Страница 1 из 3", "Страница 2 из 3", "Страница 3 из 3", "Опросный лист"})
        EXPECT_NE(text.Output.find(expected), std::string::npos) << expected << "\n" << text.Output;
}

// Files carried in the document: listed by qpdf, extracted byte for byte by
// pdfdetach, in the catalog's name tree (sorted) and /AF array.
TEST_F(PdfExportTest, AttachmentsAreEmbeddedFilesReadersList) {
    TPages pages(1);
    std::string binary;
    for (int i = 0; i < 256; ++i) binary += static_cast<char>(i);
    export_.Attachments = {
        {"order.json", "application/json", "Опросный лист, данные", "{\"format\": 1, \"note\": \"Ёлка\"}\n"},
        {"Данные.bin", "application/octet-stream", "", binary},
    };
    for (const bool compressed : {true, false}) {
        SCOPED_TRACE(compressed ? "compressed" : "plain");
        export_.Compressed = compressed;
        const std::string path = ExportToFile(pages);
        const test::TToolResult check = test::RunTool("qpdf --check " + test::Quote(path));
        EXPECT_EQ(check.Status, 0) << check.Output;
        const test::TToolResult listed = test::RunTool("qpdf --list-attachments " + test::Quote(path));
        EXPECT_EQ(listed.Output.find("order.json -> "), 0u) << listed.Output;
        EXPECT_NE(listed.Output.find("Данные.bin -> "), std::string::npos) << listed.Output;

        const test::TToolResult detach = test::RunTool("pdfdetach -list -enc UTF-8 " + test::Quote(path));
        EXPECT_NE(detach.Output.find("2 embedded files\n1: order.json\n2: Данные.bin\n"), std::string::npos)
            << detach.Output;
        for (const auto& [number, attachment] : {std::pair{1, &export_.Attachments[0]}, std::pair{2, &export_.Attachments[1]}}) {
            const std::string saved = folder_ / ("saved-" + std::to_string(number));
            ASSERT_EQ(test::RunTool("pdfdetach -save " + std::to_string(number) + " -o " + test::Quote(saved) + " " +
                                    test::Quote(path))
                          .Status,
                      0);
            EXPECT_EQ(ReadFile(saved), attachment->Data);
        }
        const std::string pdf = ReadFile(path);
        EXPECT_NE(pdf.find("/Subtype /application#2Fjson /Params << /Size " +
                           std::to_string(export_.Attachments[0].Data.size()) + " /CheckSum <"),
                  std::string::npos);
        EXPECT_NE(pdf.find("/AFRelationship /Data\r\n"), std::string::npos);
        EXPECT_TRUE(std::regex_search(pdf, std::regex(R"(/AF \[\d+ 0 R \d+ 0 R \])")));
    }
}

TEST_F(PdfExportTest, PageTagsAreReplacedWhateverTheirLetterCase) {
    TPages pages(2);
    auto& memo = dynamic_cast<TrpMemoView&>(*pages.Page(1).Objects()[1]->Objects()[0]);
    memo.Memo = {u"[totalpages#]/[TOTALPAGES#]/[TotalPages#] [copyname#]!", u"[TOTALPAGES]"};
    ExportToString(pages);
    EXPECT_EQ(memo.Memo, (TWideStrings{u"2/2/2 !", u"[TOTALPAGES]"}));

    memo.AllowExpressions = false;
    memo.Memo = {u"[TotalPages#]"};
    ExportToString(pages);
    EXPECT_EQ(memo.Memo, (TWideStrings{u"[TotalPages#]"}));
}

TEST_F(PdfExportTest, InformationHoldsTheOptionsAsUnicodeTextStrings) {
    export_.Clock = [] {
        std::tm t{};
        t.tm_year = 2025 - 1900;
        t.tm_mon = 0;
        t.tm_mday = 2;
        t.tm_hour = 3;
        t.tm_min = 4;
        t.tm_sec = 5;
        return t;
    };
    TPages pages(1);
    std::string pdf = ExportToString(pages);
    test::TCrossReference xref = test::ReadCrossReference(pdf);
    EXPECT_EQ(test::ObjectText(pdf, xref, 14),
              "14 0 obj\r\n<<\r\n/Title <FEFF>\r\n"
              "/Author <FEFF00420061006E0064005200650070006F00720074>\r\n"
              "/Subject <FEFF00420061006E0064005200650070006F0072007400200050004400460020006500780070006F00720074>\r\n"
              "/Keywords <FEFF>\r\n/Creator <FEFF>\r\n/Producer <FEFF>\r\n"
              "/CreationDate (D:20250102030405)\r\n/ModDate (D:20250102030405)\r\n>>\r\nendobj\r\n");

    export_.Title = "Лист 😀";
    export_.HideToolbar = export_.HideMenubar = export_.HideWindowUI = true;
    export_.FitWindow = export_.CenterWindow = export_.PrintScaling = true;
    pdf = ExportToString(pages);
    xref = test::ReadCrossReference(pdf);
    EXPECT_NE(test::ObjectText(pdf, xref, 14).find("/Title <FEFF041B0438044104420020D83DDE00>\r\n"),
              std::string::npos);
    EXPECT_NE(test::ObjectText(pdf, xref, 15)
                  .find("/ViewerPreferences <<\r\n/DisplayDocTitle true\r\n/HideToolbar true\r\n/HideMenubar true\r\n"
                        "/HideWindowUI true\r\n/FitWindow true\r\n/CenterWindow true\r\n>>\r\n"),
              std::string::npos);
}

TEST_F(PdfExportTest, TwoRunsDifferOnlyInTheIdAndTheDates) {
    TPages pages(2);
    const std::string first = ExportToString(pages);
    const std::string firstId = export_.DocumentId();
    const std::string second = ExportToString(pages);
    EXPECT_NE(firstId, export_.DocumentId());
    EXPECT_NE(first.find(firstId), std::string::npos);
    EXPECT_EQ(second.find(firstId), std::string::npos);
    EXPECT_EQ(test::MaskRunFields(first), test::MaskRunFields(second));
}

TEST_F(PdfExportTest, UncompressedContentIsWrittenAsIs) {
    export_.Compressed = false;
    TPages pages(1);
    const std::string pdf = ExportToString(pages);
    const test::TCrossReference xref = test::ReadCrossReference(pdf);
    EXPECT_TRUE(xref.Problems.empty());
    const std::string content = test::ObjectText(pdf, xref, 2);
    EXPECT_EQ(content.rfind("2 0 obj\r\n<< /Length ", 0), 0u) << content;
    EXPECT_EQ(content.find("/Filter"), std::string::npos);
    EXPECT_EQ(test::StreamOf(pdf, xref, 2).rfind("q\r\n", 0), 0u);
    EXPECT_NE(test::ObjectText(pdf, xref, 7).find("<< /Length 4"), std::string::npos);  // ToUnicode, plain
}

TEST_F(PdfExportTest, ContentStreamInflatesToItsDeclaredLength) {
    TPages pages(1);
    const std::string pdf = ExportToString(pages);
    const test::TCrossReference xref = test::ReadCrossReference(pdf);
    const std::string object = test::ObjectText(pdf, xref, 2);
    std::smatch m;
    ASSERT_TRUE(std::regex_search(object, m, std::regex(R"(/Length (\d+) /Length1 (\d+) >>)")));
    const std::string content = test::Inflate(test::StreamOf(pdf, xref, 2));
    EXPECT_EQ(content.size(), std::stoul(m[2]));
    EXPECT_NE(content.find("/F0 12 Tf\r\n"), std::string::npos);
    EXPECT_NE(content.find("/F1 10 Tf\r\n"), std::string::npos);
    EXPECT_EQ(object.substr(object.size() - 21), "\r\nendstream\r\nendobj\r\n");
}

// Views without vsExport are skipped; views without vsPrint too unless the
// export asks for them; DataOnly keeps only what sits in data bands.
TEST_F(PdfExportTest, WritesTheViewsTheOptionsAskFor) {
    struct Case {
        const char* name;
        std::uint8_t titleVisibility;
        bool exportNotPrintable, dataOnly;
        bool titleWritten;
    } const cases[] = {
        {"All", kAllVisibility, false, false, true},
        {"NotExported", 5, false, false, false},
        {"NotPrintable", 3, false, false, false},
        {"NotPrintableAskedFor", 3, true, false, true},
        {"DataOnly", kAllVisibility, false, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TPages pages(1);
        auto& title = dynamic_cast<TrpMemoView&>(*pages.Page(0).Objects()[0]->Objects()[0]);
        title.Visibility = c.titleVisibility;
        export_.ExportNotPrintable = c.exportNotPrintable;
        export_.DataOnly = c.dataOnly;
        export_.Compressed = false;
        const std::string pdf = ExportToString(pages);
        const test::TCrossReference xref = test::ReadCrossReference(pdf);
        const std::string content = test::StreamOf(pdf, xref, 2);
        EXPECT_EQ(content.find("12 Tf") != std::string::npos, c.titleWritten);
        EXPECT_NE(content.find("10 Tf"), std::string::npos);  // the data band's memo
        EXPECT_EQ(xref.Objects, c.titleWritten ? 15 : 10);    // one font less
    }
}

TEST_F(PdfExportTest, ReportsProgressPerPage) {
    TPages pages(3);
    ExportToString(pages);
    EXPECT_EQ(progress_.Events, (TNames{"start 3", "page 1", "page 2", "page 3", "stop"}));
    EXPECT_EQ(ui_.Processed, 3);
    EXPECT_EQ(ExportPageMessage(2), "Экспорт страницы 2");

    progress_.Events.clear();
    export_.ShowProgress = false;
    ExportToString(pages);
    EXPECT_TRUE(progress_.Events.empty());
}

// Cancelled while page 2 of 3 is written, or in the messages handled after the
// last page (the progress window still shows): nothing new on the disk.
TEST_F(PdfExportTest, CancelLeavesNoNewFileAndAnExistingOneUntouched) {
    for (const bool afterLastPage : {false, true})
    for (const bool existing : {false, true}) {
        SCOPED_TRACE(existing ? "existing file" : "new file");
        SCOPED_TRACE(afterLastPage ? "after the last page" : "during page 2");
        const std::string target = folder_ / "cancelled.pdf";
        if (existing) WriteFile(target, "old document");
        TPages pages(3);
        ui_.Processed = 0;
        progress_.OnPage = [this, afterLastPage](int number) {
            if (!afterLastPage && number == 2) report_.Terminated = true;
        };
        ui_.OnProcess = [this, afterLastPage](int processed) {
            if (afterLastPage && processed == 3) report_.Terminated = true;
        };
        export_.FileName = target;
        EXPECT_TRUE(export_.ExportTo(report_, pages));
        EXPECT_TRUE(export_.Cancelled());
        EXPECT_TRUE(report_.Errors().Empty());
        EXPECT_TRUE(ui_.Shown.empty());
        EXPECT_EQ(progress_.Events.back(), "stop");
        if (existing) {
            EXPECT_EQ(ReadFile(target), "old document");
        }
        EXPECT_EQ(folder_.Names(), existing ? TNames{"cancelled.pdf"} : TNames{});
        progress_.OnPage = {};
        ui_.OnProcess = {};
        if (existing) std::filesystem::remove(target);
    }
    // The flag is cleared at the start of the next run.
    TPages pages(1);
    ExportToFile(pages);
    EXPECT_FALSE(export_.Cancelled());
}

TEST_F(PdfExportTest, MissingFolderIsAnErrorAndWritesNothing) {
    TPages pages(1);
    export_.FileName = folder_ / "no/such/folder/out.pdf";
    EXPECT_FALSE(export_.ExportTo(report_, pages));
    ExpectShownError("No such file or directory");
    EXPECT_NE(report_.Errors()[0].find("Cannot create file \"" + export_.FileName + "\""), std::string::npos);
    EXPECT_TRUE(progress_.Events.empty());  // stopped before the first page
    EXPECT_EQ(folder_.Names(), TNames{});
}

constexpr uid_t kOrdinaryUser = 65534;

// Root may write anywhere: the permission case runs in a child as nobody.
testing::AssertionResult RunAsOrdinaryUser(const std::function<std::string()>& body) {
    std::array<int, 2> channel{};
    if (::pipe(channel.data()) != 0) return testing::AssertionFailure() << "pipe failed";
    const pid_t child = ::fork();
    if (child < 0) return testing::AssertionFailure() << "fork failed";
    if (child == 0) {
        ::close(channel[0]);
        std::string failure;
        if (::geteuid() == 0 &&
            (::setgroups(0, nullptr) != 0 || ::setgid(kOrdinaryUser) != 0 || ::setuid(kOrdinaryUser) != 0))
            failure = "cannot drop root";
        else
            failure = body();
        [[maybe_unused]] const ssize_t sent = ::write(channel[1], failure.data(), failure.size());
        ::_exit(failure.empty() ? 0 : 1);
    }
    ::close(channel[1]);
    std::string failure;
    char buffer[512];
    for (ssize_t n; (n = ::read(channel[0], buffer, sizeof buffer)) > 0;) failure.append(buffer, n);
    ::close(channel[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (WIFEXITED(status) && WEXITSTATUS(status) == 0) return testing::AssertionSuccess();
    return testing::AssertionFailure() << (failure.empty() ? "child failed" : failure);
}

TEST_F(PdfExportTest, FolderWithoutWritePermissionIsAnErrorAndWritesNothing) {
    const std::string locked = folder_ / "locked";
    ASSERT_EQ(::mkdir(locked.c_str(), 0555), 0);
    ASSERT_EQ(::chmod(folder_.Path().c_str(), 0755), 0);
    EXPECT_TRUE(RunAsOrdinaryUser([&]() -> std::string {
        TPages pages(1);
        export_.FileName = locked + "/out.pdf";
        if (export_.ExportTo(report_, pages)) return "export succeeded";
        if (ui_.Shown.size() != 1 || ui_.Shown[0].second.find("Permission denied") == std::string::npos)
            return "no error shown: " + ErrorsText();
        return {};
    }));
    EXPECT_EQ(TTempFolder::NamesIn(locked), TNames{});
}

// A device that is always full, made in our own folder (never /dev/full itself).
TEST_F(PdfExportTest, FullDiskIsAnErrorAndLeavesTheDeviceADevice) {
    const std::string device = folder_ / "full";
    ASSERT_EQ(::mknod(device.c_str(), S_IFCHR | 0666, ::makedev(1, 7)), 0) << std::strerror(errno);
    TPages pages(2);
    export_.FileName = device;
    EXPECT_FALSE(export_.ExportTo(report_, pages));
    ExpectShownError("No space left on device");
    struct stat status {};
    ASSERT_EQ(::lstat(device.c_str(), &status), 0);
    EXPECT_TRUE(S_ISCHR(status.st_mode));
    EXPECT_EQ(folder_.Names(), TNames{"full"});
}

TEST_F(PdfExportTest, ErrorWhilePagesAreWrittenKeepsTheExistingFile) {
    const std::string target = folder_ / "out.pdf";
    WriteFile(target, "old document");
    TPages pages(3);
    pages.OnMaterialize = [](int index) {
        if (index == 1) throw TrpError("page 2 cannot be rebuilt");
    };
    export_.FileName = target;
    EXPECT_FALSE(export_.ExportTo(report_, pages));
    ExpectShownError("page 2 cannot be rebuilt");
    EXPECT_EQ(ReadFile(target), "old document");
    EXPECT_EQ(folder_.Names(), TNames{"out.pdf"});
    EXPECT_EQ(progress_.Events, (TNames{"start 3", "page 1", "stop"}));
}

TEST_F(PdfExportTest, SilentModesKeepOrRaiseTheError) {
    TPages pages(1);
    export_.FileName = folder_ / "missing/out.pdf";
    report_.EngineOptions.NewSilentMode = TrpSilentMode::simSilent;
    EXPECT_FALSE(export_.ExportTo(report_, pages));
    EXPECT_EQ(report_.Errors().Count(), 1u);
    EXPECT_TRUE(ui_.Shown.empty());
    report_.EngineOptions.NewSilentMode = TrpSilentMode::simReThrow;
    EXPECT_THROW(export_.ExportTo(report_, pages), TrpError);
    EXPECT_TRUE(ui_.Shown.empty());
}

TEST_F(PdfExportTest, NothingToWriteToWritesNothing) {
    TPages pages(1);
    export_.FileName.clear();
    EXPECT_FALSE(export_.ExportTo(report_, pages));
    EXPECT_TRUE(report_.Errors().Empty());
    EXPECT_TRUE(ui_.Shown.empty());
    EXPECT_TRUE(progress_.Events.empty());
}

TEST_F(PdfExportTest, FileNameWithoutFolderGoesToTheDefaultPath) {
    TPages pages(1);
    export_.DefaultPath = folder_.Path();
    export_.FileName = "plain.pdf";
    EXPECT_TRUE(export_.ExportTo(report_, pages)) << ErrorsText();
    EXPECT_EQ(folder_.Names(), TNames{"plain.pdf"});
    EXPECT_EQ(ReadFile(folder_ / "plain.pdf").rfind("%PDF-1.5\r\n", 0), 0u);
}

}  // namespace
}  // namespace lk63
