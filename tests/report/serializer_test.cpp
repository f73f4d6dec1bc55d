#include "report/serializer.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <memory>

#include "report/attribute_text.h"
#include "report/band.h"
#include "report/error.h"
#include "report/memo_view.h"
#include "report/page.h"
#include "report/report.h"

namespace lk63 {
namespace {

TEST(AttributeText, ValuesSurviveEscapingWhateverTheyHold) {
    const std::string values[] = {
        "",
        "plain",
        "a & b < c > d \"quoted\" 'single'",
        "line one\r\nline two\ttab\x01",
        "Автоматические выключатели в литом корпусе серии ЛК63-19",
        "&amp; stays literal",
        "emoji \xF0\x9F\x98\x80 and \xE2\x80\xA8 separator",
        std::string("nul \0 inside", 12),  // written as &#0;, so it must read back
    };
    std::string text;
    for (std::size_t i = 0; i < std::size(values); ++i)
        AppendAttribute(text, "A" + std::to_string(i), values[i]);
    EXPECT_EQ(text.find('\r'), std::string::npos);  // one line of text
    const auto parsed = ParseAttributes(text);
    ASSERT_EQ(parsed.size(), std::size(values));
    for (std::size_t i = 0; i < std::size(values); ++i) {
        EXPECT_EQ(parsed[i].first, "A" + std::to_string(i));
        EXPECT_EQ(parsed[i].second, values[i]);
    }
}

TEST(AttributeText, ReadsReferencesAndBlanksAroundTheEqualsSign) {
    const auto parsed = ParseAttributes("\n a = \"&#1055;&#x440;&lt;&gt;&apos;&quot;\"\tb=\"\" ");
    ASSERT_EQ(parsed.size(), 2u);
    EXPECT_EQ(parsed[0].second, "Пр<>'\"");
    EXPECT_EQ(parsed[1].first, "b");
    EXPECT_TRUE(ParseAttributes("").empty());
    EXPECT_TRUE(ParseAttributes("   ").empty());
}

TEST(AttributeText, MalformedTextIsRefused) {
    const char* const texts[] = {
        "Name",
        " Name=",
        " Name=\"open",
        " Name=bare",
        " 1st=\"x\"",
        " a=\"x\"b=\"y\"",
        " a=\"&bogus;\"",
        " a=\"&#xD800;\"",
        " a=\"&#1114112;\"",
        " a=\"&amp\"",
        " a=\"&#;\"",
        " a=\"&#x;\"",
        " a=\"&#12a;\"",
        " =\"x\"",
        " a=\"x\" \"y\"",
        " a.b-c=\"x\"",
    };
    for (const char* text : texts) EXPECT_THROW(ParseAttributes(text), TrpError) << text;
}

TEST(Serializer, NumbersReadBackToTheSameDoubleUnderAnyLocale) {
    const char* previous = std::setlocale(LC_ALL, nullptr);
    const std::string saved = previous ? previous : "C";
    ASSERT_TRUE(std::setlocale(LC_ALL, "ru_RU.UTF-8")) << "locale ru_RU.UTF-8 is not installed";
    const double values[] = {0,      0.1,      718.1107,      49.13383874,        22.67716535,
                             1e-300, -3.77953, 123456789.125, 0.30000000000000004};
    for (const double v : values) {
        TrpMemoView m;
        m.GapX = v;
        for (const auto& [name, value] : ParseAttributes(PropertyText(m))) {
            if (name == "GapX") {
                EXPECT_EQ(value.find(','), std::string::npos) << value;
            }
        }
        const auto copy = BuildComponent(FullPropertyText(m));
        EXPECT_EQ(static_cast<TrpMemoView&>(*copy).GapX, v);
    }
    TrpMemoView m;
    m.GapX = 718.1107;
    EXPECT_NE(PropertyText(m).find(" GapX=\"718.1107\""), std::string::npos);
    std::setlocale(LC_ALL, saved.c_str());
}

std::vector<std::string> ClassNames() {
    return {"TrpReport",       "TrpReportPage",     "TrpDataPage",      "TrpMemoView",    "TrpCustomMemoView",
            "TrpLineView",     "TrpCustomLineView", "TrpBand",          "TrpReportTitle", "TrpReportSummary",
            "TrpPageHeader",   "TrpPageFooter",     "TrpHeader",        "TrpFooter",      "TrpDataBand",
            "TrpMasterData",   "TrpDetailData",     "TrpSubdetailData", "TrpDataBand4",   "TrpDataBand5",
            "TrpDataBand6",    "TrpGroupHeader",    "TrpGroupFooter",   "TrpChild",       "TrpColumnHeader",
            "TrpColumnFooter", "TrpOverlay",        "TrpNullBand",      "TrpDataSet",     "TrpUserDataSet"};
}

TEST(Serializer, EveryClassIsCreatedByNameAndReadsBackItsOwnText) {
    for (const std::string& name : ClassNames()) {
        const auto object = CreateComponent(name);
        ASSERT_TRUE(object) << name;
        EXPECT_EQ(object->ClassName(), name);
        const std::string text = FullPropertyText(*object);
        EXPECT_TRUE(text.starts_with(name + " Name=\"\"")) << text;
        const auto copy = BuildComponent(text);
        EXPECT_EQ(copy->ClassName(), name);
        EXPECT_EQ(FullPropertyText(*copy), text);
    }
    EXPECT_EQ(CreateComponent("TrpPictureView"), nullptr);
    EXPECT_EQ(CreateComponent("trpmemoview"), nullptr);
    EXPECT_THROW(BuildComponent("TrpPictureView Name=\"x\""), TrpError);
}

// A memo with every kind of property changed from its default.
std::unique_ptr<TrpMemoView> UnusualMemo() {
    auto m = std::make_unique<TrpMemoView>();
    m->SetName("Memo13");
    m->SetBounds(0.5, 26.45671, 718.1107, 22.67716535);
    TrpFont f;
    f.SetName("Times New Roman");
    f.SetHeight(-21);
    f.SetColor(8210719);
    f.SetStyle(static_cast<std::uint8_t>(TrpFontStyle::fsBold) |
               static_cast<std::uint8_t>(TrpFontStyle::fsItalic));
    f.SetCharset(204);
    m->SetFont(f);
    m->SetVisible(false);
    m->SetTag(-7);
    m->Frame.SetTyp(kAllFrameSides);
    m->Frame.SetWidth(1.5);
    m->Frame.TopLine.Style = TrpFrameStyle::fsDashDotDot;
    m->Frame.DropShadow = true;
    m->SetColor(15853019);
    m->ShiftMode = TrpShiftMode::smWhenOverlapped;
    m->Visibility = static_cast<std::uint8_t>(TrpVisibilityType::vsPrint);
    m->DataField = "Param";
    m->Hint = "hint \"with\" quotes";
    m->StretchMode = TrpStretchMode::smMaxHeight;
    m->Memo = TWideStrings{u"[Наименование организации]", u"", u"second <line> & more"};
    m->ExpressionDelimiters = "<%,%>";
    m->DisplayFormat.Kind = TrpFormatKind::fkNumeric;
    m->DisplayFormat.DecimalSeparator = ",";
    m->HAlign = TrpHAlign::haBlock;
    m->VAlign = TrpVAlign::vaCenter;
    m->GapX = 5;
    m->LineSpacing = -1.25;
    m->WordWrap = false;
    m->Rotation = 90;
    m->FirstParaBreak = true;
    return m;
}

TEST(Serializer, AMemoReadsBackEqualInEveryProperty) {
    const auto m = UnusualMemo();
    const auto copy = BuildComponent(FullPropertyText(*m));
    auto& c = static_cast<TrpMemoView&>(*copy);
    EXPECT_EQ(FullPropertyText(c), FullPropertyText(*m));
    // The same, property by property, independent of the text form.
    EXPECT_EQ(c.Name(), "Memo13");
    EXPECT_EQ(c.Top(), 26.45671);
    EXPECT_EQ(c.Height(), 22.67716535);
    EXPECT_EQ(c.Font(), m->Font());
    EXPECT_FALSE(c.ParentFont());
    EXPECT_FALSE(c.Visible());
    EXPECT_EQ(c.Tag(), -7);
    EXPECT_EQ(c.Frame, m->Frame);
    EXPECT_EQ(c.Frame.TopLine.Style, TrpFrameStyle::fsDashDotDot);
    EXPECT_EQ(c.Frame.LeftLine.Width, 1.5);
    EXPECT_EQ(c.Fill, m->Fill);
    EXPECT_EQ(c.ShiftMode, TrpShiftMode::smWhenOverlapped);
    EXPECT_EQ(c.Visibility, m->Visibility);
    EXPECT_EQ(c.Hint, m->Hint);
    EXPECT_EQ(c.StretchMode, TrpStretchMode::smMaxHeight);
    EXPECT_EQ(c.Memo, m->Memo);
    EXPECT_EQ(c.ExpressionDelimiters, "<%,%>");
    EXPECT_EQ(c.DisplayFormat, m->DisplayFormat);
    EXPECT_EQ(c.HAlign, TrpHAlign::haBlock);
    EXPECT_EQ(c.VAlign, TrpVAlign::vaCenter);
    EXPECT_EQ(c.LineSpacing, -1.25);
    EXPECT_FALSE(c.WordWrap);
    EXPECT_EQ(c.Rotation, 90);
    EXPECT_TRUE(c.FirstParaBreak);
}

TEST(Serializer, PagesBandsAndDataSetsReadBackEqual) {
    TrpReportPage page;
    page.SetOrientation(TrpPrinterOrientation::poLandscape);
    page.SetPaperSize(11);
    page.LeftMargin = 10;
    page.MirrorMargins = true;
    TrpReportPage custom;
    custom.SetPaperWidth(123.45678901);
    custom.SetPaperHeight(77);
    TrpMasterData band;
    band.SetBounds(0, 699.21305, 718.1107, 18.89765);
    band.SetRowCount(3);
    band.AllowSplit = band.Stretched = true;
    band.Fill.BackColor = clGray;
    band.FillGap.Left = 2;
    band.Filter = "<rpUserDataSet3.\"line\"> <> ''";
    TrpHeader header;
    header.ReprintOnNewPage = true;
    TrpUserDataSet data;
    data.SetName("rpUserDataSet2");
    data.SetUserName("rpUserDataSet1");
    data.Fields = {"Param", "Value"};
    data.RangeEnd = TrpRangeEnd::reCount;
    data.RangeEndCount = 10;
    TrpReport report;
    report.ScriptText = {"begin", "  x := 1;", "end."};
    report.DotMatrixReport = true;
    report.EngineOptions.NewSilentMode = TrpSilentMode::simReThrow;
    report.PreviewOptions.PagesInCache = 3;

    for (const TrpComponent* object :
         std::initializer_list<const TrpComponent*>{&page, &custom, &band, &header, &data, &report}) {
        const auto copy = BuildComponent(FullPropertyText(*object));
        EXPECT_EQ(FullPropertyText(*copy), FullPropertyText(*object)) << object->ClassName();
    }
    const auto p = BuildComponent(FullPropertyText(page));
    EXPECT_EQ(static_cast<TrpReportPage&>(*p).PaperWidth(), 210);
    EXPECT_EQ(static_cast<TrpReportPage&>(*p).PaperHeight(), 148);
    EXPECT_EQ(p->Width(), 794);
    const auto c = BuildComponent(FullPropertyText(custom));
    EXPECT_EQ(static_cast<TrpReportPage&>(*c).PaperSize(), 256);
    EXPECT_EQ(static_cast<TrpReportPage&>(*c).PaperWidth(), 123.45678901);
    const auto b = BuildComponent(FullPropertyText(band));
    EXPECT_EQ(static_cast<TrpMasterData&>(*b).HiddenDataSet().RangeEndCount, 3);
    const auto d = BuildComponent(FullPropertyText(data));
    EXPECT_EQ(static_cast<TrpUserDataSet&>(*d).UserName(), "rpUserDataSet1");
    EXPECT_EQ(static_cast<TrpUserDataSet&>(*d).Fields, data.Fields);
    const auto r = BuildComponent(FullPropertyText(report));
    EXPECT_EQ(static_cast<TrpReport&>(*r).ScriptText, report.ScriptText);
}

TEST(Serializer, LaterAttributesOverrideEarlierOnes) {
    TrpMemoView m;
    ApplyProperties(m, " GapX=\"3\" Text=\"a\" GapX=\"7\" Text=\"b&#13;&#10;c\"");
    EXPECT_EQ(m.GapX, 7);
    EXPECT_EQ(m.Memo, (TWideStrings{u"b", u"c"}));
}

TEST(Serializer, ABadAttributeChangesNothing) {
    const char* const texts[] = {
        " GapX=\"9\" Unknown=\"1\"",        // no such property
        " GapX=\"9\" GapY=\"1,5\"",         // decimal comma
        " GapX=\"9\" WordWrap=\"yes\"",     // booleans are True or False
        " GapX=\"9\" HAlign=\"haMiddle\"",  // no such value
        " GapX=\"9\" Font.Style=\"16\"",    // bits outside the set
        " GapX=\"9\" Frame.Typ=\"-1\"",
        " GapX=\"9\" Rotation=\"99999999999\"",  // does not fit
        " GapX=\"9\" GapY=\"inf\"",
        " GapX=\"9\" GapY=\"nan\"",
        " GapX=\"9\" Rotation=\"+1\"",
        " GapX=\"9\" l=\"\"",
        " GapX=\"9\" gapx=\"1\"",  // names are exact
        " GapX=\"9\" GapY=\"2",    // syntax
    };
    for (const char* text : texts) {
        auto m = UnusualMemo();
        const std::string before = FullPropertyText(*m);
        EXPECT_THROW(ApplyProperties(*m, text), TrpError) << text;
        EXPECT_EQ(FullPropertyText(*m), before) << text;
    }
    TrpUserDataSet d;
    d.SetName("rpUserDataSet3");
    EXPECT_THROW(ApplyProperties(d, " UserName=\" \""), TrpError);
    EXPECT_EQ(d.UserName(), "rpUserDataSet3");
}

TEST(Serializer, TheDifferenceTextHoldsWhatChangedAndRebuildsTheObject) {
    const auto source = UnusualMemo();
    auto placed = BuildComponent(FullPropertyText(*source));
    auto& memo = static_cast<TrpMemoView&>(*placed);
    EXPECT_EQ(DifferenceText(memo, *source), "");

    memo.SetTop(100.25);
    memo.SetHeight(33);
    memo.Memo = TWideStrings{u"ООО \"Ромашка\""};
    memo.LastParaBreak = true;
    EXPECT_EQ(DifferenceText(memo, *source),
              " t=\"100.25\" h=\"33\" Text=\"ООО &quot;Ромашка&quot;&#13;&#10;\" LastParaBreak=\"True\"");
    const auto rebuilt = BuildComponent(FullPropertyText(*source) + " " + DifferenceText(memo, *source));
    EXPECT_EQ(FullPropertyText(*rebuilt), FullPropertyText(memo));
}

TEST(Serializer, AFontDifferenceCarriesTheWholeFont) {
    TrpMasterData band;
    auto* source = band.Add(std::make_unique<TrpMemoView>());  // follows the band's font
    TrpMasterData other;
    TrpFont big;
    big.SetHeight(-16);
    other.SetFont(big);
    auto* placed = other.Add(std::make_unique<TrpMemoView>());
    ASSERT_TRUE(placed->ParentFont());
    const std::string diff = DifferenceText(*placed, *source);
    EXPECT_NE(diff.find(" Font.Name=\"Arial\""), std::string::npos) << diff;
    EXPECT_NE(diff.find(" Font.Height=\"-16\""), std::string::npos) << diff;
    EXPECT_NE(diff.find(" ParentFont=\"True\""), std::string::npos) << diff;
    const auto rebuilt = BuildComponent(FullPropertyText(*source) + diff);
    EXPECT_EQ(rebuilt->Font(), placed->Font());
    EXPECT_TRUE(rebuilt->ParentFont());
}

TEST(Serializer, ABandAlwaysCarriesItsPosition) {
    TrpMasterData source;
    source.SetBounds(0, 340.1577, 718.1107, 18.89765);
    TrpMasterData placed;
    placed.SetBounds(0, 340.1577, 718.1107, 33);
    EXPECT_EQ(DifferenceText(placed, source), " l=\"0\" t=\"340.1577\" h=\"33\"");
    TrpChild child;
    EXPECT_EQ(DifferenceText(placed, child).find(" Name=\"\""), 0u);  // another class: everything
}

TEST(Serializer, ReferencesAreNamesAndResolveLater) {
    TrpReport report;
    auto* page = report.Add(std::make_unique<TrpReportPage>());
    auto* title = page->Add(std::make_unique<TrpReportTitle>());
    auto* child = page->Add(std::make_unique<TrpChild>());
    child->SetName("Child2");
    auto* memo = child->Add(std::make_unique<TrpMemoView>());
    memo->SetName("Memo1");

    std::vector<TrpPendingReference> pending;
    ApplyProperties(*title, " Child=\"Child2\" KeepChild=\"True\"", &pending);
    ASSERT_EQ(pending.size(), 1u);
    EXPECT_EQ(title->Child(), nullptr);
    EXPECT_TRUE(title->KeepChild);
    EXPECT_EQ(pending[0].Property, "Child");
    EXPECT_EQ(pending[0].Target, "Child2");
    EXPECT_TRUE(ResolveReference(pending[0], child));
    EXPECT_EQ(title->Child(), child);
    EXPECT_FALSE(ResolveReference({title, "Child", "Memo1"}, memo));  // not a child band
    EXPECT_EQ(title->Child(), child);
    EXPECT_FALSE(ResolveReference({child, "Child", "Child2"}, child));  // circular
    EXPECT_EQ(child->Child(), nullptr);

    // Without a pending list a reference is looked up in the object's report.
    ApplyProperties(*title, " Child=\"\"");
    EXPECT_EQ(title->Child(), nullptr);
    ApplyProperties(*title, " Child=\"child2\"");
    EXPECT_EQ(title->Child(), child);
    ApplyProperties(*title, " Child=\"Nowhere\"");
    EXPECT_EQ(title->Child(), nullptr);
    EXPECT_NE(FullPropertyText(*memo).find(" DataSet=\"\""), std::string::npos);
}

TEST(Serializer, AssigningCopiesPropertiesAndReferences) {
    TrpUserDataSet data;
    data.SetName("rpUserDataSet3");
    auto source = UnusualMemo();
    source->SetDataSet(&data);
    TrpMemoView target;
    AssignProperties(target, *source);
    EXPECT_EQ(FullPropertyText(target), FullPropertyText(*source));
    EXPECT_EQ(target.DataSet(), &data);
    TrpLineView line;
    EXPECT_THROW(AssignProperties(line, *source), TrpError);
}

}  // namespace
}  // namespace lk63
