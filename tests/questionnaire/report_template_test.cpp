#include "questionnaire/report_template.h"

#include <gtest/gtest.h>

#include <memory>

#include "platform/unicode.h"
#include "report/band.h"
#include "report/error.h"
#include "report/memo_content.h"
#include "report/memo_view.h"
#include "report/page.h"
#include "report/serializer.h"
#include "report/template_loader.h"
#include "report/units.h"

namespace lk63 {
namespace {

constexpr std::uint8_t kAll = kAllFrameSides;
constexpr std::uint8_t kLeftRight = 3;
constexpr std::uint8_t kTop = 4;
constexpr TrpStretchMode S = TrpStretchMode::smDontStretch;
constexpr TrpStretchMode A = TrpStretchMode::smActualHeight;
constexpr TrpStretchMode M = TrpStretchMode::smMaxHeight;
constexpr TrpHAlign L = TrpHAlign::haLeft;
constexpr TrpHAlign C = TrpHAlign::haCenter;
constexpr TrpHAlign R = TrpHAlign::haRight;
constexpr double W = 718.1107;

struct ViewRow {
    const char* name;
    const char* cls;
    const char* parent;
    double left, top, width, height;
    int fontSize;
    bool bold;
    TrpColor fontColor;
    std::uint8_t frame;
    TrpStretchMode stretch;
    std::u16string text;
    int dataSet;  // 1..3: rpUserDataSet1..3 of the window, 0: none
    const char* field;
    double gapX;
    TrpHAlign align;
    bool wordWrap;
    TrpColor fill;
};

const ViewRow kViews[] = {
    {"Memo1", "TrpMemoView", "Header1", 0, 7.55906, W, 22.67718, 12, true, clBlack, kAll, S,
     u"1 Автоматический выключатель", 0, "", 2, L, true, clNone},
    {"Memo2", "TrpMemoView", "MasterData1", 0, 0, 362.83488, 18.89765, 10, false, clBlack, kAll, M,
     u"[rpUserDataSet1.\"Param\"]", 1, "Param", 5, L, true, clNone},
    {"Memo3", "TrpMemoView", "MasterData1", 362.83488, 0, 355.27582, 18.89765, 10, false, clBlack, kAll, M,
     u"[rpUserDataSet1.\"Value\"]", 1, "Value", 5, L, true, clNone},
    {"Memo4", "TrpMemoView", "Header2", 0, 7.55906, W, 22.67716535, 12, true, clBlack, kAll, S,
     u"2 Аксессуары", 0, "", 2, L, true, clNone},
    {"Memo5", "TrpMemoView", "MasterData2", 0, 0, 362.83488, 18.89765, 10, false, clBlack, kAll, M,
     u"[rpUserDataSet1.\"Param\"]", 2, "Param", 5, L, true, clNone},
    {"Memo6", "TrpMemoView", "MasterData2", 362.83488, 0, 355.27582, 18.89765, 10, false, clBlack, kAll, M,
     u"[rpUserDataSet1.\"Value\"]", 2, "Value", 5, L, true, clNone},
    {"Memo19", "TrpMemoView", "Footer1", 0, 6.55906, 362.83488, 18.89765, 10, true, clBlack, kAll, S,
     u"Количество выключателей, шт.", 2, "", 2, L, true, clNone},
    {"Memo20", "TrpMemoView", "Footer1", 362.83488, 6.55906, 355.27582, 18.89765, 10, false, clBlack, kAll, S,
     u"[Количество данного типоисполнения]", 2, "", 5, L, true, clNone},
    {"Memo7", "TrpMemoView", "Footer1", 0, 34.01577, W, 22.67716535, 12, true, clBlack, kAll, S,
     u"Примечание", 0, "", 2, L, true, clNone},
    {"Memo8", "TrpMemoView", "Footer1", 0, 56.69295, W, 18.89765, 10, false, clBlack, kAll, A,
     u"[Дополнительные сведения]", 0, "", 5, L, true, clNone},
    {"Memo9", "TrpMemoView", "Child1", 0, 7.22047, W, 22.67716535, 12, true, clBlack, kAll, S, u"Описание", 0,
     "", 2, L, true, clNone},
    {"Memo24", "TrpMemoView", "Child1", 0, 29.89765, W, 18.89765, 10, false, clBlack, kAll, A, u"[Описание]",
     0, "", 5, L, true, clNone},
    {"Memo12", "TrpMemoView", "MasterData3", 0, 0, W, 18.89765, 10, false, clBlack, kLeftRight, A,
     u"[rpUserDataSet3.\"line\"]", 3, "line", 5, L, true, clNone},
    {"Line1", "TrpLineView", "Footer2", 0, 0, W, 0, 10, false, clBlack, kTop, S, u"", 0, "", 0, L, true,
     clBlack},
    {"Memo10", "TrpMemoView", "Footer2", 566.9295, 7.55906, 151.1812, 15.11811024, 1, false, clBlack, 0, A,
     u"[Код для заказа]", 0, "", 5, R, false, clNone},
    {"Memo13", "TrpMemoView", "ReportTitle1", 0, 0, W, 26.45671, 16, true, 8210719, kAll, S,
     u"Автоматические выключатели в литом корпусе серии ЛК63-19", 0, "", 2, C, true, 15853019},
    {"Memo14", "TrpMemoView", "ReportTitle1", 0, 26.45671, W, 26.45671, 14, true, clGray, 0, S,
     u"Опросный лист", 0, "", 2, C, true, clNone},
    {"Memo15", "TrpMemoView", "ReportTitle1", 0, 60.47248, W, 22.67718, 12, true, clBlack, kAll, S,
     u"Данные организации, заполнившей опросный лист", 0, "", 2, L, true, clNone},
    {"Memo21", "TrpMemoView", "Child2", 0, 0, 272.12616, 18.89765, 10, true, clBlack, kAll, M,
     u"Наименование организации", 0, "", 5, L, true, clNone},
    {"Memo16", "TrpMemoView", "Child2", 272.12616, 0, 445.98454, 18.89765, 10, false, clBlack, kAll, A,
     u"[Наименование организации]", 0, "", 5, L, true, clNone},
    {"Memo22", "TrpMemoView", "Child3", 0, 0, 272.12616, 18.89765, 10, true, clBlack, kAll, M,
     u"Адрес и номер телефона организации", 0, "", 5, L, true, clNone},
    {"Memo17", "TrpMemoView", "Child3", 272.12616, 0, 445.98454, 18.89765, 10, false, clBlack, kAll, A,
     u"[Адрес и номер телефона организации]", 0, "", 5, L, true, clNone},
    {"Memo23", "TrpMemoView", "Child4", 0, 0, 272.12616, 18.89765, 10, true, clBlack, kAll, M,
     u"ФИО контактного лица", 0, "", 5, L, true, clNone},
    {"Memo18", "TrpMemoView", "Child4", 272.12616, 0, 445.98454, 18.89765, 10, false, clBlack, kAll, A,
     u"[ФИО контактного лица]", 0, "", 5, L, true, clNone},
    {"Memo11", "TrpMemoView", "Child5", 0, 8.33859, W, 22.67716535, 12, true, clBlack, kAll, S,
     u"Структурный состав", 0, "", 2, L, true, clNone},
};

struct BandRow {
    const char* name;
    const char* cls;
    double top, height;
    const char* child;
    bool keepChild, stretched, allowSplit;
    int dataSet;
};

// In their stored order.
const BandRow kBands[] = {
    {"Header1", "TrpHeader", 287.24428, 30.23624, "", false, false, false, 0},
    {"MasterData1", "TrpMasterData", 340.1577, 18.89765, "", false, true, false, 1},
    {"Header2", "TrpHeader", 381.73253, 30.23624, "", false, false, false, 0},
    {"MasterData2", "TrpMasterData", 434.64595, 18.89765, "", false, true, false, 2},
    {"Footer1", "TrpFooter", 476.22078, 75.5906, "Child1", false, true, false, 0},
    {"Child1", "TrpChild", 574.48856, 49.13383874, "Child5", false, true, false, 0},
    {"MasterData3", "TrpMasterData", 699.21305, 18.89765, "", false, true, true, 3},
    {"Footer2", "TrpFooter", 740.78788, 22.67718, "", true, false, false, 0},
    {"ReportTitle1", "TrpReportTitle", 18.89765, 83.14966, "Child2", true, false, false, 0},
    {"Child2", "TrpChild", 124.72449, 18.89765, "Child3", true, true, false, 0},
    {"Child3", "TrpChild", 166.29932, 18.89765, "Child4", true, true, false, 0},
    {"Child4", "TrpChild", 207.87415, 18.89765, "", true, true, false, 0},
    {"Child5", "TrpChild", 646.29963, 30.23624, "", false, false, false, 0},
};

// The window's data sets with the settings the save command relies on.
class QuestionnaireReport : public ::testing::Test {
protected:
    QuestionnaireReport() {
        const auto setUp = [](TrpUserDataSet& d, const char* name, const char* userName,
                              std::vector<std::string> fields, int count) {
            d.SetName(name);
            d.SetUserName(userName);
            d.Fields = std::move(fields);
            d.RangeEnd = TrpRangeEnd::reCount;
            d.RangeEndCount = count;
        };
        setUp(ds1, "rpUserDataSet1", "rpUserDataSet1", {"Param", "Value"}, 8);
        setUp(ds2, "rpUserDataSet2", "rpUserDataSet1", {"Param", "Value"}, 10);
        setUp(ds3, "rpUserDataSet3", "rpUserDataSet3", {"line"}, 2);
        report = BuildQuestionnaireReport(ds1, ds2, ds3);
        page = dynamic_cast<TrpReportPage*>(report->FindObject("Page1"));
    }

    [[nodiscard]] TrpDataSet* DataSetNumber(int n) {
        TrpDataSet* sets[] = {nullptr, &ds1, &ds2, &ds3};
        return sets[n];
    }

    // Compares every band and view of `r` with the tables.
    void CheckAgainstTheTemplate(TrpReport& r) {
        auto* p = dynamic_cast<TrpReportPage*>(r.FindObject("Page1"));
        ASSERT_TRUE(p);
        ASSERT_EQ(p->Objects().size(), std::size(kBands));
        for (std::size_t i = 0; i < std::size(kBands); ++i) {
            const BandRow& row = kBands[i];
            SCOPED_TRACE(row.name);
            auto* band = dynamic_cast<TrpBand*>(p->Objects()[i].get());
            ASSERT_TRUE(band);
            EXPECT_EQ(band->Name(), row.name);
            EXPECT_EQ(band->ClassName(), row.cls);
            EXPECT_EQ(band->Left(), 0);
            EXPECT_EQ(band->Top(), row.top);
            EXPECT_EQ(band->Width(), W);
            EXPECT_EQ(band->Height(), row.height);
            EXPECT_EQ(band->Child() ? band->Child()->Name() : "", row.child);
            EXPECT_EQ(band->KeepChild, row.keepChild);
            EXPECT_EQ(band->Stretched, row.stretched);
            EXPECT_EQ(band->AllowSplit, row.allowSplit);
            EXPECT_EQ(band->FillType, TrpFillType::ftBrush);
            EXPECT_EQ(band->Fill.Style, TrpBrushStyle::bsSolid);
            EXPECT_EQ(band->Fill.BackColor, clNone);
            if (auto* data = dynamic_cast<TrpDataBand*>(band)) {
                EXPECT_EQ(data->DataSet(), DataSetNumber(row.dataSet));
                EXPECT_EQ(data->RowCount(), 0);
            } else {
                EXPECT_EQ(row.dataSet, 0);
            }
        }

        std::vector<TrpView*> views;
        for (TrpComponent* c : p->AllObjects()) {
            if (auto* v = dynamic_cast<TrpView*>(c)) views.push_back(v);
        }
        ASSERT_EQ(views.size(), std::size(kViews));
        for (std::size_t i = 0; i < std::size(kViews); ++i) {
            const ViewRow& row = kViews[i];
            SCOPED_TRACE(row.name);
            TrpView& v = *views[i];
            EXPECT_EQ(v.Name(), row.name);
            EXPECT_EQ(v.ClassName(), row.cls);
            EXPECT_EQ(v.Parent()->Name(), row.parent);
            EXPECT_EQ(v.Left(), row.left);
            EXPECT_EQ(v.Top(), row.top);
            EXPECT_EQ(v.Width(), row.width);
            EXPECT_EQ(v.Height(), row.height);
            EXPECT_EQ(v.Font().Name(), "Arial");
            EXPECT_EQ(v.Font().Size(), row.fontSize);
            EXPECT_EQ(v.Font().Style(), row.bold ? static_cast<std::uint8_t>(TrpFontStyle::fsBold) : 0);
            EXPECT_EQ(v.Font().Color(), row.fontColor);
            EXPECT_EQ(v.Font().Charset(), DEFAULT_CHARSET);
            EXPECT_EQ(v.Frame.Typ(), row.frame);
            EXPECT_EQ(v.Frame.Width(), 1);
            EXPECT_EQ(v.Frame.Color(), clBlack);
            EXPECT_EQ(v.Frame.Style(), TrpFrameStyle::fsSolid);
            EXPECT_EQ(v.Color(), row.fill);
            EXPECT_EQ(v.Align, TrpAlign::baNone);
            EXPECT_EQ(dynamic_cast<TrpStretcheable&>(v).StretchMode, row.stretch);
            EXPECT_EQ(v.DataSet(), DataSetNumber(row.dataSet));
            EXPECT_EQ(v.DataField, row.field);
            if (auto* memo = dynamic_cast<TrpMemoView*>(&v)) {
                EXPECT_FALSE(memo->ParentFont());
                EXPECT_EQ(memo->Memo, TWideStrings{row.text});
                EXPECT_EQ(memo->GapX, row.gapX);
                EXPECT_EQ(memo->GapY, 1);
                EXPECT_EQ(memo->HAlign, row.align);
                EXPECT_EQ(memo->VAlign, TrpVAlign::vaTop);
                EXPECT_EQ(memo->WordWrap, row.wordWrap);
                EXPECT_TRUE(memo->AllowExpressions);
                EXPECT_EQ(memo->ExpressionDelimiters, "[,]");
            }
        }
    }

    TrpUserDataSet ds1, ds2, ds3;
    std::unique_ptr<TrpReport> report;
    TrpReportPage* page = nullptr;
};

TEST_F(QuestionnaireReport, EveryBandAndObjectIsAsTheTemplateLists) { CheckAgainstTheTemplate(*report); }

TEST_F(QuestionnaireReport, SettingsVariablesAndDataSets) {
    EXPECT_EQ(report->Name(), "rpReport1");
    EXPECT_EQ(report->Version, "1.0");
    EXPECT_FALSE(report->DotMatrixReport);
    EXPECT_EQ(report->ScriptLanguage, "Pascal");
    EXPECT_EQ(report->ScriptText, (std::vector<std::string>{"begin", "", "end."}));
    EXPECT_EQ(report->Style, "");

    struct Variable {
        const char* name;
        TVariant value;
    } const variables[] = {
        {" Опросный лист", {}},
        {"Описание", {}},
        {"Код для заказа", {}},
        {"Наименование организации", std::string()},
        {"Адрес и номер телефона организации", std::string()},
        {"ФИО контактного лица", std::string()},
        {"Количество данного типоисполнения", std::string()},
        {"Дополнительные сведения", std::string()},
    };
    ASSERT_EQ(report->Variables().Count(), std::size(variables));
    for (std::size_t i = 0; i < std::size(variables); ++i) {
        EXPECT_EQ(report->Variables().Items(i).Name, variables[i].name);
        EXPECT_EQ(report->Variables().Items(i).Value, variables[i].value) << variables[i].name;
    }

    const TrpReportDataSets& items = report->Datasets();
    ASSERT_EQ(items.Count(), 3u);
    EXPECT_EQ(items[0].DataSet(), &ds2);
    EXPECT_EQ(items[1].DataSet(), &ds1);
    EXPECT_EQ(items[2].DataSet(), &ds3);
    EXPECT_EQ(items[0].DataSetName(), "rpUserDataSet1");
    EXPECT_EQ(items[1].DataSetName(), "rpUserDataSet1");
    EXPECT_EQ(items[2].DataSetName(), "rpUserDataSet3");
    // By name the first entry wins; the bands hold the objects themselves.
    EXPECT_EQ(report->GetDataset("RPUSERDATASET1"), &ds2);
    auto* master2 = dynamic_cast<TrpMasterData*>(report->FindObject("MasterData2"));
    EXPECT_EQ(master2->DataSetName(), "rpUserDataSet1");
    EXPECT_EQ(master2->DataSet(), &ds2);
}

TEST_F(QuestionnaireReport, PagesAreTheEmptyDataPageAndAnA4Page) {
    ASSERT_EQ(report->Objects().size(), 2u);
    const TrpComponent& data = *report->Objects()[0];
    EXPECT_EQ(data.Name(), "Data");
    EXPECT_EQ(data.ClassName(), "TrpDataPage");
    EXPECT_EQ(data.Width(), 1000);
    EXPECT_EQ(data.Height(), 1000);
    EXPECT_TRUE(data.Objects().empty());

    ASSERT_EQ(report->Objects()[1].get(), page);
    EXPECT_EQ(page->PaperSize(), 9);
    EXPECT_EQ(page->PaperWidth(), 210);
    EXPECT_EQ(page->PaperHeight(), 297);
    EXPECT_EQ(page->Orientation(), TrpPrinterOrientation::poPortrait);
    EXPECT_EQ(page->Width(), 794);
    EXPECT_EQ(page->Height(), 1123);
    for (const double margin : {page->LeftMargin, page->RightMargin, page->TopMargin, page->BottomMargin}) {
        EXPECT_EQ(margin, 10);
    }
    // Every band spans the width between the margins.
    EXPECT_NEAR((page->PaperWidth() - page->LeftMargin - page->RightMargin) * rp01cm, W, 1e-9);
}

TEST_F(QuestionnaireReport, EveryObjectReadsBackFromItsOwnText) {
    const auto find = [&](const std::string& name) -> TrpComponent* {
        for (TrpUserDataSet* d : {&ds1, &ds2, &ds3}) {
            if (d->Name() == name) return d;
        }
        return report->FindObject(name);
    };
    for (TrpComponent* c : report->AllObjects()) {
        std::vector<TrpPendingReference> references;
        const auto copy = BuildComponent(FullPropertyText(*c), &references);
        for (const auto& r : references) EXPECT_TRUE(ResolveReference(r, find(r.Target))) << r.Target;
        EXPECT_EQ(FullPropertyText(*copy), FullPropertyText(*c)) << c->Name();
    }
}

TEST_F(QuestionnaireReport, AWrittenDescriptionLoadsBackToTheSameTemplate) {
    TrpTemplateLoader loader;
    loader.RegisterDataSet("rpUserDataSet1", ds1);
    loader.RegisterDataSet("rpUserDataSet2", ds2);
    loader.RegisterDataSet("rpUserDataSet3", ds3);
    const auto again = loader.Load(WriteDescription(*report));
    EXPECT_TRUE(loader.Problems().empty());
    CheckAgainstTheTemplate(*again);
    const auto a = report->AllObjects();
    const auto b = again->AllObjects();
    ASSERT_EQ(a.size(), b.size());
    for (std::size_t i = 0; i < a.size(); ++i) EXPECT_EQ(FullPropertyText(*b[i]), FullPropertyText(*a[i]));
    EXPECT_EQ(FullPropertyText(*again), FullPropertyText(*report));
    EXPECT_EQ(WriteDescription(*again), WriteDescription(*report));
}

TEST_F(QuestionnaireReport, RowMemosShowTheirOwnDataSetAndTheRestExpandVariables) {
    ds1.OnGetValue = [](const std::string& name, TVariant& value) { value = "breaker " + name; };
    ds2.OnGetValue = [](const std::string& name, TVariant& value) { value = "accessory " + name; };
    report->Variables().Set("Количество данного типоисполнения", std::string("'2'"));
    report->Variables().Set("Наименование организации", std::string("'ООО ''Ромашка'''"));
    struct Case {
        const char* memo;
        std::u16string printed;
    } const cases[] = {
        {"Memo2", u"breaker Param"},
        {"Memo3", u"breaker Value"},
        {"Memo5", u"accessory Param"},
        {"Memo6", u"accessory Value"},
        {"Memo19", u"Количество выключателей, шт."},
        {"Memo20", u"2"},
        {"Memo16", u"ООО 'Ромашка'"},
    };
    for (const Case& c : cases) {
        auto* memo = dynamic_cast<TrpMemoView*>(report->FindObject(c.memo));
        ASSERT_TRUE(memo) << c.memo;
        report->CurObject = memo->Name();
        FetchMemoContent(*report, *memo);
        EXPECT_EQ(memo->Memo, TWideStrings{c.printed}) << c.memo;
    }
    EXPECT_TRUE(report->Errors().Empty());
}

TEST_F(QuestionnaireReport, TheDescriptionNeedsTheWindowsDataSets) {
    TrpTemplateLoader loader;
    const auto alone = loader.Load(QuestionnaireReportDescription());
    EXPECT_FALSE(loader.Problems().empty());
    EXPECT_EQ(alone->Datasets()[0].DataSet(), nullptr);
    EXPECT_EQ(alone->Datasets()[0].DataSetName(), "rpUserDataSet1");
}

}  // namespace
}  // namespace lk63
