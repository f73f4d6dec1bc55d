#include "questionnaire/report_binding.h"

#include "questionnaire/report_texts.h"

#include <string>
#include <utility>

namespace lk63 {
namespace {

void AnswerRows(const TQuestionnaire& q, TGroup group, TrpUserDataSet& data) {
    data.OnGetValue = [&q, group, &data](const std::string& name, TVariant& value) {
        const int row = data.RecNo();
        if (row < 0 || row >= TQuestionnaire::RowCount(group)) return;
        if (name == "Param") {
            value = std::string(TQuestionnaire::Caption(group, row));
        } else if (name == "Value") {
            value = q.Selection(group, row) < 0 ? std::string() : q.CellText(group, 1, row);
        }
    };
}

}  // namespace

void ConnectReportDataSets(const TQuestionnaire& questionnaire, TrpUserDataSet& rpUserDataSet1,
                           TrpUserDataSet& rpUserDataSet2, TrpUserDataSet& rpUserDataSet3) {
    const struct {
        TrpUserDataSet& Data;
        const char* Name;
        const char* UserName;
        std::vector<std::string> Fields;
        int Count;
    } settings[] = {
        {rpUserDataSet1, "rpUserDataSet1", "rpUserDataSet1", {"Param", "Value"}, kBreakerRows},
        {rpUserDataSet2, "rpUserDataSet2", "rpUserDataSet1", {"Param", "Value"}, kAccessoryRows},
        {rpUserDataSet3, "rpUserDataSet3", "rpUserDataSet3", {"line"}, 0},
    };
    for (const auto& s : settings) {
        s.Data.SetName(s.Name);
        s.Data.SetUserName(s.UserName);
        s.Data.Fields = s.Fields;
        s.Data.RangeEnd = TrpRangeEnd::reCount;
        s.Data.RangeEndCount = s.Count;
    }
    AnswerRows(questionnaire, TGroup::Breaker, rpUserDataSet1);
    AnswerRows(questionnaire, TGroup::Accessory, rpUserDataSet2);
    rpUserDataSet3.OnGetValue = [&questionnaire, &rpUserDataSet3](const std::string&, TVariant& value) {
        const auto& lines = questionnaire.Texts().Composition;
        const int row = rpUserDataSet3.RecNo();
        if (row >= 0 && row < static_cast<int>(lines.size())) value = lines[static_cast<std::size_t>(row)];
    };
}

void FillReportVariables(TrpReport& report, const TQuestionnaire& questionnaire, const TReportFields& fields,
                         TrpUserDataSet& rpUserDataSet3) {
    std::string note = TrimNote(fields.Note);
    const TDerivedTexts& texts = questionnaire.Texts();
    rpUserDataSet3.RangeEnd = TrpRangeEnd::reCount;
    rpUserDataSet3.RangeEndCount = static_cast<int>(texts.Composition.size());
    TrpVariables& v = report.Variables();
    v.Set("Наименование организации", QuoteLiteral(fields.Organisation));
    v.Set("Адрес и номер телефона организации", QuoteLiteral(fields.Address));
    v.Set("ФИО контактного лица", QuoteLiteral(fields.Contact));
    v.Set("Количество данного типоисполнения", QuoteLiteral(fields.Quantity));
    v.Set("Описание", QuoteLiteral(texts.Description));
    v.Set("Дополнительные сведения", note.find("\r\n") == std::string::npos ? QuoteLiteral(note) : std::move(note));
    v.Set("Код для заказа", QuoteLiteral(texts.OrderCode));
}

}  // namespace lk63
