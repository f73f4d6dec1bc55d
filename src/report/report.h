#pragma once
// The report: root of a template and the runtime of its runs (variables,
// data set list, error list, expression cache).

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "report/component.h"
#include "report/data_set_lookup.h"
#include "report/engine_options.h"
#include "report/error_list.h"
#include "report/report_data_sets.h"
#include "report/variables.h"

namespace lk63 {

class TrpDataSet;

inline constexpr std::array<std::string_view, 9> kSystemVariableNames{
    "Date", "Time", "Page", "Page#", "TotalPages", "TotalPages#", "Line", "Line#", "CopyName#"};

class TrpReport : public TrpComponent {
public:
    TrpReport();
    ~TrpReport() override;
    [[nodiscard]] std::string_view ClassName() const override { return "TrpReport"; }

    std::string Version = "1.0";
    std::string ScriptLanguage = "Pascal";
    std::vector<std::string> ScriptText{"begin", "", "end."};
    std::string Style;
    TrpEngineOptions EngineOptions;
    bool ShowProgress = true;
    bool StoreInForm = true;
    bool OldStyleProgress = false;
    bool DotMatrixReport = false;
    // Carried, not used by this system.
    TrpReportOptions ReportOptions;
    TrpPreviewOptions PreviewOptions;
    TrpPrintOptions PrintOptions;
    std::string IniFile;

    [[nodiscard]] TrpDataSet* DataSet() const { return dataSet_.DataSet(); }
    void SetDataSet(TrpDataSet* dataSet) { dataSet_.SetDataSet(dataSet); }
    [[nodiscard]] std::string DataSetName() const { return dataSet_.DataSetName(); }
    void SetDataSetName(std::string name) { dataSet_.SetDataSetName(this, std::move(name)); }

    [[nodiscard]] TrpReportDataSets& Datasets() { return datasets_; }
    [[nodiscard]] const TrpReportDataSets& Datasets() const { return datasets_; }
    [[nodiscard]] TrpVariables& Variables() { return variables_; }
    [[nodiscard]] const TrpVariables& Variables() const { return variables_; }

    // The data set of the first item whose data set has this UserName
    // (ignoring ASCII case), or none.
    [[nodiscard]] TrpDataSet* GetDataset(std::string_view alias) const;

    // Run state.
    [[nodiscard]] TrpErrorList& Errors() { return errors_; }
    [[nodiscard]] const TrpErrorList& Errors() const { return errors_; }
    // Name of the object whose content is being fetched; prefixes expression errors.
    std::string CurObject;

    void DefineProperties(TPropertyList& list) override;

private:
    TrpDataSetRef dataSet_;
    TrpReportDataSets datasets_{this};
    TrpVariables variables_;
    TrpErrorList errors_;
};

}  // namespace lk63
