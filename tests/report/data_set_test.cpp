#include "report/data_set.h"

#include <gtest/gtest.h>

#include <memory>

#include "report/band.h"
#include "report/error.h"
#include "report/global_data_set_list.h"
#include "report/memo_view.h"
#include "report/page.h"
#include "report/report.h"

namespace lk63 {
namespace {

std::vector<int> Walk(TrpDataSet& d, int maxSteps = 100) {
    std::vector<int> visited;
    d.First();
    while (!d.Eof() && maxSteps-- > 0) {
        visited.push_back(d.RecNo());
        d.Next();
    }
    return visited;
}

TEST(DataSet, CountedRangeVisitsEveryRowOnce) {
    struct Case {
        int count;
        std::vector<int> visited;
        int lastRecNo;
    } const cases[] = {{0, {}, 0}, {1, {0}, 0}, {8, {0, 1, 2, 3, 4, 5, 6, 7}, 7}};
    for (const Case& c : cases) {
        TrpUserDataSet d;
        d.RangeEnd = TrpRangeEnd::reCount;
        d.RangeEndCount = c.count;
        EXPECT_EQ(Walk(d), c.visited) << c.count;
        EXPECT_EQ(d.RecNo(), c.lastRecNo) << c.count;
        EXPECT_TRUE(d.Eof());
    }
}

TEST(DataSet, TheStepPastTheLastRowDoesNotTellTheOwner) {
    TrpUserDataSet d;
    d.RangeEnd = TrpRangeEnd::reCount;
    d.RangeEndCount = 3;
    int firsts = 0, nexts = 0, priors = 0;
    d.OnFirst = [&](TrpDataSet&) { ++firsts; };
    d.OnNext = [&](TrpDataSet&) { ++nexts; };
    d.OnPrior = [&](TrpDataSet&) { ++priors; };
    Walk(d);
    EXPECT_EQ(firsts, 1);
    EXPECT_EQ(nexts, 2);  // to rows 1 and 2; the third step ends the data
    d.Prior();
    EXPECT_EQ(d.RecNo(), 1);
    EXPECT_EQ(priors, 1);
}

TEST(DataSet, CheckEofMayOverruleTheEnd) {
    TrpDataSet d;  // reLast: never ends on its own
    for (int i = 0; i < 50; ++i) d.Next();
    EXPECT_FALSE(d.Eof());
    d.OnCheckEOF = [](TrpDataSet& sender, bool& eof) { eof = sender.RecNo() >= 2; };
    EXPECT_EQ(Walk(d), (std::vector<int>{0, 1}));
}

TEST(DataSet, RecordCountIsTheCountOnlyForAFirstToCountRange) {
    struct Case {
        TrpRangeBegin begin;
        TrpRangeEnd end;
        int count;
    } const cases[] = {
        {TrpRangeBegin::rbFirst, TrpRangeEnd::reCount, 10},
        {TrpRangeBegin::rbCurrent, TrpRangeEnd::reCount, 0},
        {TrpRangeBegin::rbFirst, TrpRangeEnd::reLast, 0},
        {TrpRangeBegin::rbFirst, TrpRangeEnd::reCurrent, 0},
    };
    for (const Case& c : cases) {
        TrpDataSet d;
        d.RangeBegin = c.begin;
        d.RangeEnd = c.end;
        d.RangeEndCount = 10;
        EXPECT_EQ(d.RecordCount(), c.count);
    }
}

TEST(DataSet, UserNameFollowsTheFirstNameAndRefusesBlanks) {
    TrpUserDataSet d;
    EXPECT_EQ(d.UserName(), "");
    d.SetName("rpUserDataSet2");
    EXPECT_EQ(d.UserName(), "rpUserDataSet2");
    d.SetUserName("rpUserDataSet1");
    d.SetName("Renamed");
    EXPECT_EQ(d.UserName(), "rpUserDataSet1");
    for (const char* blank : {"", " ", "   "}) {
        EXPECT_THROW(d.SetUserName(blank), TrpError) << '"' << blank << '"';
        EXPECT_EQ(d.UserName(), "rpUserDataSet1");
    }
    d.SetUserName(" padded ");
    EXPECT_EQ(d.UserName(), " padded ");
}

TEST(DataSet, BaseAnswersNothing) {
    TrpDataSet d;
    EXPECT_TRUE(d.Value("Param").IsNull());
    EXPECT_EQ(d.DisplayText("Param"), u"");
    EXPECT_EQ(d.FieldType("Param"), TrpFieldType::fftNumeric);
    EXPECT_EQ(d.FieldsCount(), 0);
    EXPECT_TRUE(d.GetFieldList().empty());
    EXPECT_FALSE(d.IsBlobField("Param"));
    EXPECT_EQ(d.DisplayWidth("Param"), 10);
}

TEST(UserDataSet, ValueAsksBothHandlersInTurnWithTheFieldAsAsked) {
    TrpUserDataSet d;
    d.Fields = {"Param", "Value"};
    std::vector<std::string> calls;
    d.OnGetValue = [&](const std::string& name, TVariant& value) {
        calls.push_back("old " + name);
        EXPECT_TRUE(value.IsNull());
        value = std::string("from old");
    };
    EXPECT_EQ(d.Value("Unknown"), TVariant("from old"));
    d.OnNewGetValue = [&](TrpUserDataSet& sender, const std::string& name, TVariant& value) {
        calls.push_back("new " + name);
        EXPECT_EQ(&sender, &d);
        value = value.ToUtf8() + " and new";  // sees what the first handler gave
    };
    EXPECT_EQ(d.Value("Param"), TVariant("from old and new"));
    EXPECT_EQ(calls, (std::vector<std::string>{"old Unknown", "old Param", "new Param"}));
    EXPECT_EQ(d.FieldsCount(), 2);
    EXPECT_EQ(d.GetFieldList(), d.Fields);
}

TEST(UserDataSet, DisplayTextStartsEachHandlerFromNullAndTheNewOneWins) {
    TrpUserDataSet d;
    int oldCalls = 0;
    d.OnGetValue = [&](const std::string&, TVariant& value) {
        ++oldCalls;
        value = 42;
    };
    EXPECT_EQ(d.DisplayText("line"), u"42");
    d.OnNewGetValue = [&](TrpUserDataSet&, const std::string&, TVariant& value) {
        EXPECT_TRUE(value.IsNull());
    };
    EXPECT_EQ(d.DisplayText("line"), u"");  // Null from the new handler wins
    EXPECT_EQ(oldCalls, 2);
    TrpUserDataSet none;
    EXPECT_EQ(none.DisplayText("line"), u"");
}

TEST(GlobalDataSetList, HoldsEveryLiveDataSetInCreationOrder) {
    auto first = std::make_unique<TrpUserDataSet>();
    auto second = std::make_unique<TrpDataSet>();
    TrpMasterData band;  // its hidden data set is a data set too
    auto list = TrpGlobalDataSetList::Instance().Snapshot();
    const auto pos = [&](const TrpDataSet* d) {
        return std::find(list.begin(), list.end(), d) - list.begin();
    };
    EXPECT_LT(pos(first.get()), pos(second.get()));
    EXPECT_LT(pos(second.get()), pos(&band.HiddenDataSet()));
    EXPECT_LT(pos(&band.HiddenDataSet()), static_cast<std::ptrdiff_t>(list.size()));
    TrpDataSet* gone = first.get();
    first.reset();
    list = TrpGlobalDataSetList::Instance().Snapshot();
    EXPECT_EQ(std::find(list.begin(), list.end(), gone), list.end());
}

// A report with its own data set on its data page, and two data sets of the
// window sharing one UserName.
class DataSetNames : public ::testing::Test {
protected:
    DataSetNames() {
        ds1.SetName("rpUserDataSet1");
        ds2.SetName("rpUserDataSet2");
        ds2.SetUserName("rpUserDataSet1");
        ds3.SetName("rpUserDataSet3");
        report.Datasets().Add(&ds2);
        report.Datasets().Add(&ds1);
        report.Datasets().Add(&ds3);
        auto* page = report.Add(std::make_unique<TrpReportPage>());
        band = page->Add(std::make_unique<TrpMasterData>());
        memo = band->Add(std::make_unique<TrpMemoView>());
        other.Add(std::make_unique<TrpDataPage>())
            ->Add(std::make_unique<TrpUserDataSet>())
            ->SetName("Foreign");
        report.Add(std::make_unique<TrpDataPage>())->Add(std::make_unique<TrpUserDataSet>())->SetName("Own");
    }
    TrpReport other;  // before the window's data sets: its data set comes first in the list
    TrpUserDataSet ds1, ds2, ds3;
    TrpReport report;
    TrpMasterData* band;
    TrpMemoView* memo;
};

TEST_F(DataSetNames, TheReportListFindsTheFirstItemIgnoringAsciiCase) {
    for (const char* name : {"rpUserDataSet1", "RPUSERDATASET1", "rpuserdataset1"}) {
        EXPECT_EQ(report.GetDataset(name), &ds2) << name;
    }
    EXPECT_EQ(report.GetDataset("rpUserDataSet3"), &ds3);
    EXPECT_EQ(report.GetDataset("rpUserDataSet2"), nullptr);  // the Name is not the UserName
    EXPECT_EQ(report.Datasets().Find(&ds1), &report.Datasets()[1]);
    EXPECT_EQ(report.Datasets().Find(static_cast<const TrpDataSet*>(nullptr)), nullptr);
}

TEST_F(DataSetNames, AnItemNameIsTheDataSetsCurrentUserName) {
    TrpDataSetItem& item = report.Datasets()[2];
    EXPECT_EQ(item.DataSetName(), "rpUserDataSet3");
    ds3.SetUserName("Composition");
    EXPECT_EQ(item.DataSetName(), "Composition");
    item.SetDataSetName("");
    EXPECT_EQ(item.DataSet(), nullptr);
    EXPECT_EQ(item.DataSetName(), "");
    item.SetDataSetName("composition");
    EXPECT_EQ(item.DataSet(), &ds3);
    EXPECT_EQ(item.DataSetName(), "Composition");
}

TEST_F(DataSetNames, LookupGoesThroughTheProcessWideListByDefault) {
    struct Case {
        const char* name;
        TrpDataSet* expected;
    } const cases[] = {
        {"rpUserDataSet1", &ds1},  // creation order, not the report's list
        {"RPUSERDATASET3", &ds3},
        {"Own", report.FindObject("Own") ? dynamic_cast<TrpDataSet*>(report.FindObject("Own")) : nullptr},
    };
    for (const Case& c : cases) {
        memo->SetDataSetName(c.name);
        EXPECT_EQ(memo->DataSet(), c.expected) << c.name;
    }
    ASSERT_NE(cases[2].expected, nullptr);
    memo->SetDataSetName("Foreign");  // another report's data set is skipped: the memo keeps its own
    EXPECT_EQ(memo->DataSet(), cases[2].expected);
    memo->SetDataSetName("");
    EXPECT_EQ(memo->DataSet(), nullptr);
}

TEST_F(DataSetNames, TheProcessWideListComparesByUnicodeCase) {
    TrpUserDataSet cyrillic;
    cyrillic.SetName("Состав");
    band->SetDataSetName("СОСТАВ");
    EXPECT_EQ(band->DataSet(), &cyrillic);
    EXPECT_EQ(band->DataSetName(), "Состав");
}

TEST_F(DataSetNames, WithoutTheProcessWideListOnlyTheReportListCounts) {
    report.EngineOptions.UseGlobalDataSetList = false;
    band->SetDataSetName("rpuserdataset1");
    EXPECT_EQ(band->DataSet(), &ds2);
    band->SetDataSetName("Own");  // not in the report's list
    EXPECT_EQ(band->DataSet(), nullptr);
    EXPECT_EQ(band->DataSetName(), "Own");
}

TEST_F(DataSetNames, AssigningTheObjectCopiesItsUserName) {
    memo->SetDataSet(&ds2);
    EXPECT_EQ(memo->DataSetName(), "rpUserDataSet1");
    memo->DataField = "Param";
    EXPECT_TRUE(memo->IsDataField());
    memo->SetDataSet(nullptr);
    EXPECT_EQ(memo->DataSetName(), "");
    EXPECT_FALSE(memo->IsDataField());
}

}  // namespace
}  // namespace lk63
