#include "report/template_loader.h"

#include <gtest/gtest.h>

#include <memory>

#include "report/band.h"
#include "report/data_set.h"
#include "report/error.h"
#include "report/memo_view.h"
#include "report/page.h"
#include "report/serializer.h"

namespace lk63 {
namespace {

// Forward references, a data set of the caller, one of the report's own data
// page, and every kind of variable value.
constexpr std::string_view kDescription = R"(<TrpReport Name="rpReport1">
  <!-- data sets in the order the report lists them -->
  <Datasets>
    <item DataSet="Outside" DataSetName="Shared"/>
    <item DataSet="Inside" DataSetName="stale"/>
    <item DataSetName="Missing"/>
  </Datasets>
  <Variables>
    <item Name=" Heading"/>
    <item Name="Empty" Value=""/>
    <item Name="Text" Value="'It''s'"/>
    <item Name="Lines" Value="one&#13;&#10;two"/>
    <item Name="Count" Value="-12" Type="Integer"/>
    <item Name="Ratio" Value="0.1" Type="Float"/>
    <item Name="Flag" Value="True" Type="Boolean"/>
    <item Name="When" Value="45000.5" Type="DateTime"/>
    <item Name="Wide" Value="Ω" Type="WideString"/>
  </Variables>
  <TrpDataPage Name="Data" w="1000" h="1000">
    <TrpUserDataSet Name="Inside" UserName="InsideUser"/>
  </TrpDataPage>
  <TrpReportPage Name="Page1" LeftMargin="10">
    <TrpReportTitle Name="Title" t="18.89765" h="83.14966" Child="Child2" KeepChild="True">
      <TrpMemoView Name="Label" w="100" Font.Height="-16" Font.Style="1" ParentFont="False" Text="Title &amp; more"/>
    </TrpReportTitle>
    <TrpMasterData Name="Rows" DataSet="Outside" DataSetName="whatever">
      <TrpMemoView Name="Bound" DataSet="Outside" DataField="Param"/>
      <TrpMemoView Name="ByName" DataSetName="insideuser"/>
    </TrpMasterData>
    <TrpChild Name="Child2" t="124.72449"/>
  </TrpReportPage>
</TrpReport>
)";

class Loader : public ::testing::Test {
protected:
    Loader() {
        outside.SetName("Outside");  // references name the object, not its UserName
        outside.SetUserName("Shared");
        loader.RegisterDataSet("Outside", outside);
    }
    TrpUserDataSet outside;
    TrpTemplateLoader loader;
};

TEST_F(Loader, BuildsTheTreeInStoredOrderAndResolvesReferencesAfterwards) {
    const auto report = loader.Load(kDescription);
    EXPECT_TRUE(loader.Problems().empty());
    EXPECT_EQ(report->Name(), "rpReport1");
    ASSERT_EQ(report->Objects().size(), 2u);
    EXPECT_EQ(report->Objects()[0]->ClassName(), "TrpDataPage");
    EXPECT_EQ(report->Objects()[0]->Width(), 1000);

    auto* title = dynamic_cast<TrpReportTitle*>(report->FindObject("Title"));
    auto* child = dynamic_cast<TrpChild*>(report->FindObject("Child2"));
    ASSERT_TRUE(title && child);
    EXPECT_EQ(title->Child(), child);  // stored before the child existed
    EXPECT_TRUE(title->KeepChild);

    auto* label = dynamic_cast<TrpMemoView*>(report->FindObject("Label"));
    ASSERT_TRUE(label);
    EXPECT_EQ(label->Font().Size(), 12);
    EXPECT_TRUE(label->Font().Has(TrpFontStyle::fsBold));
    EXPECT_FALSE(label->ParentFont());
    EXPECT_EQ(label->Memo, TWideStrings{u"Title & more"});

    // A stored object wins and lends its UserName; a bare name is looked up.
    auto* rows = dynamic_cast<TrpMasterData*>(report->FindObject("Rows"));
    auto* bound = dynamic_cast<TrpMemoView*>(report->FindObject("Bound"));
    auto* byName = dynamic_cast<TrpMemoView*>(report->FindObject("ByName"));
    auto* inside = dynamic_cast<TrpUserDataSet*>(report->FindObject("Inside"));
    ASSERT_TRUE(rows && bound && byName && inside);
    EXPECT_EQ(rows->DataSet(), &outside);
    EXPECT_EQ(rows->DataSetName(), "Shared");
    EXPECT_EQ(bound->DataSet(), &outside);
    EXPECT_TRUE(bound->IsDataField());
    EXPECT_EQ(byName->DataSet(), inside);
    EXPECT_EQ(byName->DataSetName(), "InsideUser");
}

TEST_F(Loader, KeepsDataSetItemsAndVariablesInStoredOrder) {
    const auto report = loader.Load(kDescription);
    const TrpReportDataSets& items = report->Datasets();
    ASSERT_EQ(items.Count(), 3u);
    EXPECT_EQ(items[0].DataSet(), &outside);
    EXPECT_EQ(items[0].DataSetName(), "Shared");
    EXPECT_EQ(items[1].DataSet(), report->FindObject("Inside"));
    EXPECT_EQ(items[1].DataSetName(), "InsideUser");
    EXPECT_EQ(items[2].DataSet(), nullptr);  // the next run reports it missing
    EXPECT_EQ(items[2].DataSetName(), "Missing");

    struct Case {
        const char* name;
        TVariant value;
    } const cases[] = {
        {" Heading", {}},        {"Empty", std::string()},     {"Text", "'It''s'"},
        {"Lines", "one\r\ntwo"}, {"Count", std::int64_t{-12}}, {"Ratio", 0.1},
        {"Flag", true},          {"When", TDateTime{45000.5}}, {"Wide", std::u16string(u"Ω")},
    };
    ASSERT_EQ(report->Variables().Count(), std::size(cases));
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_EQ(report->Variables().Items(i).Name, cases[i].name);
        EXPECT_EQ(report->Variables().Items(i).Value, cases[i].value) << cases[i].name;
    }
}

TEST_F(Loader, WhatCannotBeBuiltIsLeftOutAndListed) {
    const auto report = loader.Load(R"(<TrpReport>
      <Datasets><item DataSet="Nowhere" DataSetName="Shared"/></Datasets>
      <TrpReportPage Name="Page1">
        <TrpPictureView Name="Logo"><TrpMemoView Name="Inner"/></TrpPictureView>
        <TrpReportTitle Name="A" Child="B"/>
        <TrpChild Name="B" Child="C"/>
        <TrpChild Name="C" Child="B"/>
        <TrpMasterData Name="D" DataSet="Nowhere" DataSetName="Shared"/>
        <TrpFooter Name="E" Child="A"/>
      </TrpReportPage>
    </TrpReport>)");
    EXPECT_EQ(report->FindObject("Logo"), nullptr);
    EXPECT_EQ(report->FindObject("Inner"), nullptr);
    ASSERT_EQ(loader.Problems().size(), 5u);
    EXPECT_NE(loader.Problems()[0].find("TrpPictureView"), std::string::npos);
    auto* b = dynamic_cast<TrpChild*>(report->FindObject("B"));
    auto* c = dynamic_cast<TrpChild*>(report->FindObject("C"));
    EXPECT_EQ(b->Child(), c);
    EXPECT_EQ(c->Child(), nullptr);  // would close the circle
    // A stored reference that does not resolve stays empty: no lookup by name.
    EXPECT_EQ(dynamic_cast<TrpMasterData*>(report->FindObject("D"))->DataSet(), nullptr);
    EXPECT_EQ(dynamic_cast<TrpFooter*>(report->FindObject("E"))->Child(), nullptr);  // not a child band
    EXPECT_EQ(report->Datasets()[0].DataSet(), nullptr);
    EXPECT_EQ(report->Datasets()[0].DataSetName(), "Shared");
}

TEST_F(Loader, MalformedDescriptionsAreRefusedWithAnError) {
    const char* const texts[] = {
        "",
        "   <!-- only a comment -->",
        "plain text",
        "<TrpReport>",
        "<TrpReport></TrpReportPage>",
        "<TrpReport/><TrpReport/>",
        "<TrpReport/> trailing",
        "<TrpReport>text</TrpReport>",
        "<TrpReportPage/>",
        "<TrpReport><!-- open </TrpReport>",
        "<TrpReport Name=\"x/>",
        "<TrpReport Name=\"x\" Bogus=\"1\"/>",
        "<TrpReport GapX=\"1\"/>",
        "<TrpReport><TrpReportPage PaperSize=\"A4\"/></TrpReport>",
        "<TrpReport><Datasets><row/></Datasets></TrpReport>",
        "<TrpReport><Datasets><item Other=\"1\"/></Datasets></TrpReport>",
        "<TrpReport><Variables><item Value=\"1\"/></Variables></TrpReport>",
        "<TrpReport><Variables><item Name=\"n\" Value=\"x\" Type=\"Integer\"/></Variables></TrpReport>",
        "<TrpReport><Variables><item Name=\"n\" Value=\"x\" Type=\"Currency\"/></Variables></TrpReport>",
        "<TrpReport><Variables><item Name=\"n\" Type=\"Float\"/></Variables></TrpReport>",
        "<TrpReport><Variables><item Name=\"n\"><item Name=\"m\"/></item></Variables></TrpReport>",
        "<TrpReport>< TrpReportPage/></TrpReport>",
        "<TrpReport></ TrpReport>",
        "<TrpReport></TrpReport",
    };
    for (const char* text : texts) EXPECT_THROW(loader.Load(text), TrpError) << text;
}

TEST_F(Loader, DeepNestingIsRefusedNotRecursedInto) {
    std::string deep = "<TrpReport>";
    for (int i = 0; i < 100000; ++i) deep += "<TrpMemoView>";
    EXPECT_THROW(loader.Load(deep), TrpError);
}

TEST_F(Loader, AWrittenDescriptionLoadsBackToTheSameReport) {
    const auto first = loader.Load(kDescription);
    const std::string written = WriteDescription(*first);
    const auto second = loader.Load(written);
    EXPECT_TRUE(loader.Problems().empty()) << written;
    EXPECT_EQ(WriteDescription(*second), written);
    const auto a = first->AllObjects();
    const auto b = second->AllObjects();
    ASSERT_EQ(a.size(), b.size());
    for (std::size_t i = 0; i < a.size(); ++i) EXPECT_EQ(FullPropertyText(*b[i]), FullPropertyText(*a[i]));
    ASSERT_EQ(second->Variables().Count(), first->Variables().Count());
    for (std::size_t i = 0; i < first->Variables().Count(); ++i) {
        EXPECT_EQ(second->Variables().Items(i).Name, first->Variables().Items(i).Name);
        EXPECT_EQ(second->Variables().Items(i).Value, first->Variables().Items(i).Value);
    }
    ASSERT_EQ(second->Datasets().Count(), 3u);
    EXPECT_EQ(second->Datasets()[0].DataSet(), &outside);
    EXPECT_EQ(second->Datasets()[1].DataSet(), second->FindObject("Inside"));
    EXPECT_EQ(second->Datasets()[2].DataSetName(), "Missing");
}

}  // namespace
}  // namespace lk63
