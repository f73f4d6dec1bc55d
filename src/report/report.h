#pragma once
// The report: root of a template and the runtime of its runs (variables,
// data set list, error list, expression cache).

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "report/component.h"
#include "report/data_set_lookup.h"
#include "report/engine_options.h"
#include "report/error_list.h"
#include "report/expression_cache.h"
#include "report/report_data_sets.h"
#include "report/report_options.h"
#include "report/variables.h"

namespace lk63 {

class TrpDataSet;
class TrpDrawText;
class TrpEngine;
class TrpPreviewPages;
class TrpUserInterface;

// Frees the run-time parts of a report where their types are complete.
struct TrpRuntimeDeleter {
    void operator()(TrpDrawText* p) const;
    void operator()(TrpEngine* p) const;
    void operator()(TrpPreviewPages* p) const;
};

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

    // The value of an expression. A name resolves first; anything else is
    // evaluated. A failure is added to the error list, prefixed with
    // CurObject, and raised as TrpError.
    [[nodiscard]] TVariant Calc(std::string_view expression);
    // A data set field (`Set."Field"`), a system variable, the value event,
    // a report variable (a string without CR LF is evaluated in turn), a
    // process-wide variable. False when the name is none of these.
    bool ResolveName(std::string_view expression, TVariant& value);
    // Adds "CurObject: message" (just the message without a current object)
    // to the error list and raises it.
    [[noreturn]] void RaiseError(const std::string& message);

    // Asked for names before the report's variables; an answer other than
    // Null is the value.
    std::function<void(const std::string& name, TVariant& value)> OnGetValue;
    // Page and line numbers of a run, given by the engine; none: Null.
    std::function<TVariant(std::string_view name)> OnSystemVariable;
    // Date and time the run started (system variables Date and Time).
    TVariant StartDate, StartTime;

    // Run state.
    [[nodiscard]] TrpErrorList& Errors() { return errors_; }
    [[nodiscard]] const TrpErrorList& Errors() const { return errors_; }
    // Name of the object whose content is being fetched; prefixes expression errors.
    std::string CurObject;
    [[nodiscard]] TrpExpressionCache& ExpressionCache() { return expressionCache_; }

    // Prepares the pages into PreviewPages. False when anything failed; the
    // errors are then shown through UserInterface (or kept silent, or
    // raised, as EngineOptions.NewSilentMode says).
    bool PreparePages(bool clearLast = true);
    // The run's error list under its heading, as EngineOptions.NewSilentMode
    // says: in a message box through UserInterface, not at all, or raised
    // as a TrpError.
    void ShowErrors();
    // A run ends early once set.
    bool Terminated = false;
    void StopReport() { Terminated = true; }
    // Shows errors and processes pending window messages; none: nothing is shown.
    TrpUserInterface* UserInterface = nullptr;
    [[nodiscard]] TrpEngine& Engine();
    [[nodiscard]] TrpPreviewPages& PreviewPages();
    [[nodiscard]] TrpDrawText& DrawText();

    void DefineProperties(TPropertyList& list) override;

private:
    TrpDataSetRef dataSet_;
    TrpReportDataSets datasets_{this};
    TrpVariables variables_;
    TrpErrorList errors_;
    TrpExpressionCache expressionCache_;
    std::vector<int> resolving_;  // variables being evaluated, innermost last
    // Last, so that they go before the objects they refer to.
    std::unique_ptr<TrpDrawText, TrpRuntimeDeleter> drawText_;
    std::unique_ptr<TrpPreviewPages, TrpRuntimeDeleter> previewPages_;
    std::unique_ptr<TrpEngine, TrpRuntimeDeleter> engine_;
};

}  // namespace lk63
