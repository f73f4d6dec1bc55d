#pragma once
// The report template of the saved questionnaire, rpReport1: its settings,
// variables, data sets, pages, bands and objects, held as a stored
// description and built by the report's loader.

#include <memory>
#include <string_view>

#include "report/data_set.h"
#include "report/report.h"

namespace lk63 {

// The stored description of rpReport1.
std::string_view QuestionnaireReportDescription();

// rpReport1 with its bands and memos bound to the window's three data sets,
// which stay owned by the caller and must outlive the report's runs.
std::unique_ptr<TrpReport> BuildQuestionnaireReport(TrpUserDataSet& rpUserDataSet1,
                                                    TrpUserDataSet& rpUserDataSet2,
                                                    TrpUserDataSet& rpUserDataSet3);

}  // namespace lk63
