#pragma once
// rpReport1 filled from a complete questionnaire, prepared into pages, and a
// readable account of what the pages hold.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/number_text.h"
#include "platform/unicode.h"
#include "questionnaire/choose.h"
#include "questionnaire/report_binding.h"
#include "questionnaire/report_template.h"
#include "questionnaire/report_texts.h"
#include "report/band.h"
#include "report/memo_view.h"
#include "report/page.h"
#include "report/prepared_pages.h"
#include "report/user_interface.h"

namespace lk63::testing {

class TCapturedMessages : public TrpUserInterface {
public:
    void ShowError(const std::string& caption, const std::string& text) override {
        Shown.push_back(caption + ": " + text);
    }
    void ProcessMessages() override { ++Processed; }
    std::vector<std::string> Shown;
    int Processed = 0;
};

// A placed band as the store rebuilds it.
struct TPlacedBand {
    int Page;  // from 1
    std::string Name;
    double Top, Height;
    std::vector<const TrpComponent*> Views;
};

class QuestionnairePages : public ::testing::Test {
protected:
    void SetUp() override {
        ChooseAll(questionnaire, std::vector<int>(8, 0), std::vector<int>(10, 0));
        ConnectReportDataSets(questionnaire, rpUserDataSet1, rpUserDataSet2, rpUserDataSet3);
        report = BuildQuestionnaireReport(rpUserDataSet1, rpUserDataSet2, rpUserDataSet3);
        report->UserInterface = &messages;
        fields = {"ООО Ромашка", "г. Москва, +7 495 000-00-00", "Иванов И. И.", "2", ""};
    }

    void Fill() { FillReportVariables(*report, questionnaire, fields, rpUserDataSet3); }

    // One-line values throughout: a short description and `lines`
    // composition rows.
    void FillSynthetic(int lines) {
        Fill();
        report->Variables().Set("Описание", QuoteLiteral("Выключатель ЛК63-19"));
        for (TrpUserDataSet* d : {&rpUserDataSet1, &rpUserDataSet2}) {
            d->OnGetValue = [d](const std::string& name, TVariant& value) {
                value = name + " " + std::to_string(d->RecNo() + 1);
            };
        }
        rpUserDataSet3.RangeEndCount = lines;
        rpUserDataSet3.OnGetValue = [this](const std::string&, TVariant& value) {
            value = "Строка состава " + std::to_string(rpUserDataSet3.RecNo() + 1);
        };
    }

    bool Prepare() { return report->PreparePages(true); }

    static std::string Words(int count) {
        std::string text;
        for (int i = 0; i < count; ++i) text += (i ? " " : "") + std::string("слово") + std::to_string(i);
        return text;
    }

    std::vector<TPlacedBand> Placed() {
        std::vector<TPlacedBand> out;
        TrpPreviewPages& store = report->PreviewPages();
        for (int p = 0; p < store.PageCount(); ++p) {
            const TrpReportPage& page = store.MaterializePage(p);
            for (const auto& child : page.Objects()) {
                TPlacedBand b{p + 1, child->Name(), child->Top(), child->Height(), {}};
                if (child->ClassName() == "TrpNullBand") b.Name = "(page views)";
                for (const auto& view : child->Objects()) b.Views.push_back(view.get());
                out.push_back(std::move(b));
            }
        }
        return out;
    }

    const TPlacedBand* Find(const std::vector<TPlacedBand>& placed, const std::string& name, int nth = 0) {
        for (const TPlacedBand& b : placed) {
            if (b.Name == name && nth-- == 0) return &b;
        }
        return nullptr;
    }

    // Band, top, height; each view's bounds and text.
    std::string Dump() {
        std::string out;
        int page = 0;
        for (const TPlacedBand& b : Placed()) {
            if (b.Page != page) {
                page = b.Page;
                out += "page " + std::to_string(page) + "\n";
            }
            out += "  " + b.Name + " top " + platform::FixedDecimal(b.Top, 5) + " height " +
                   platform::FixedDecimal(b.Height, 5) + "\n";
            for (const TrpComponent* v : b.Views) {
                out += "    " + v->Name() + " " + platform::FixedDecimal(v->Left(), 5) + " " +
                       platform::FixedDecimal(v->Top(), 5) + " " + platform::FixedDecimal(v->Width(), 5) + " " +
                       platform::FixedDecimal(v->Height(), 5);
                if (const auto* memo = dynamic_cast<const TrpCustomMemoView*>(v)) {
                    std::string text;
                    for (std::size_t i = 0; i < memo->Memo.Count(); ++i) {
                        if (i) text += "|";
                        text += platform::Utf16ToUtf8(memo->Memo[i]);
                    }
                    out += " \"" + text + "\"";
                }
                out += "\n";
            }
        }
        return out;
    }

    TrpUserDataSet rpUserDataSet1, rpUserDataSet2, rpUserDataSet3;
    TQuestionnaire questionnaire;
    std::unique_ptr<TrpReport> report;
    TCapturedMessages messages;
    TReportFields fields;
};

}  // namespace lk63::testing
