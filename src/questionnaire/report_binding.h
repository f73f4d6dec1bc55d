#pragma once
// Filling rpReport1 the way the save command does: the seven variables as
// string literals of the expression language, the record count of the
// composition data set, and the value events of the three data sets answered
// from the questionnaire.

#include "questionnaire/questionnaire.h"
#include "questionnaire/report_fields.h"
#include "report/data_set.h"
#include "report/report.h"

namespace lk63 {

// The window's settings of the three data sets (names, fields, row counts);
// rpUserDataSet1 and 2 answer "Param" with the row caption and "Value" with
// the chosen option (empty when not chosen); rpUserDataSet3 answers any
// field with its composition line. The questionnaire must outlive the runs.
void ConnectReportDataSets(const TQuestionnaire& questionnaire, TrpUserDataSet& rpUserDataSet1,
                           TrpUserDataSet& rpUserDataSet2, TrpUserDataSet& rpUserDataSet3);

// The variables and the composition record count; a note of several lines
// is passed raw, anything else quoted.
void FillReportVariables(TrpReport& report, const TQuestionnaire& questionnaire, const TReportFields& fields,
                         TrpUserDataSet& rpUserDataSet3);

}  // namespace lk63
