#include "report/report.h"

#include "report/data_set.h"
#include "report/error.h"
#include "report/messages.h"
#include "report/user_interface.h"
#include "report/wide_strings.h"

namespace lk63 {

TrpReport::TrpReport() = default;
TrpReport::~TrpReport() = default;

TrpDataSet* TrpReport::GetDataset(std::string_view alias) const {
    const TrpDataSetItem* item = datasets_.Find(alias);
    return item ? item->DataSet() : nullptr;
}

void TrpReport::ShowErrors() {
    std::string message(RpMessage("ErrorsFound"));
    for (const std::string& error : errors_.Items()) message += "\r\n" + error;
    switch (EngineOptions.NewSilentMode) {
        case TrpSilentMode::simMessageBoxes:
            if (UserInterface) UserInterface->ShowError(std::string(RpMessage("ErrorCaption")), message);
            break;
        case TrpSilentMode::simSilent:
            break;
        case TrpSilentMode::simReThrow:
            throw TrpError(message);
    }
}

void TrpReport::DefineProperties(TPropertyList& list) {
    TrpComponent::DefineProperties(list);
    list.Text("Version", Version);
    list.Text("ScriptLanguage", ScriptLanguage);
    list.Text(
        "ScriptText", [this] { return JoinLines(ScriptText); },
        [this](std::string v) { ScriptText = SplitLines(v); });
    dataSet_.DefineProperties(list);
    list.Text("Style", Style);
    list.Boolean("EngineOptions.ConvertNulls", EngineOptions.ConvertNulls);
    list.Boolean("EngineOptions.DoublePass", EngineOptions.DoublePass);
    list.Integer("EngineOptions.MaxMemSize", EngineOptions.MaxMemSize);
    list.Boolean("EngineOptions.PrintIfEmpty", EngineOptions.PrintIfEmpty);
    list.Enum("EngineOptions.NewSilentMode", kSilentModeNames, EngineOptions.NewSilentMode);
    list.Text("EngineOptions.TempDir", EngineOptions.TempDir);
    list.Boolean("EngineOptions.UseFileCache", EngineOptions.UseFileCache);
    list.Boolean("EngineOptions.IgnoreDevByZero", EngineOptions.IgnoreDevByZero);
    list.Boolean("ShowProgress", ShowProgress);
    list.Boolean("StoreInForm", StoreInForm);
    list.Boolean("OldStyleProgress", OldStyleProgress);
    list.Boolean("DotMatrixReport", DotMatrixReport);
    list.Text("ReportOptions.Name", ReportOptions.Name);
    list.Text("ReportOptions.Author", ReportOptions.Author);
    list.Text("ReportOptions.Description", ReportOptions.Description);
    list.Integer("PreviewOptions.PagesInCache", PreviewOptions.PagesInCache);
    list.Boolean("PreviewOptions.PictureCacheInFile", PreviewOptions.PictureCacheInFile);
    list.Integer("PrintOptions.Copies", PrintOptions.Copies);
    list.Boolean("PrintOptions.Collate", PrintOptions.Collate);
    list.Text("PrintOptions.Printer", PrintOptions.Printer);
    list.Text("IniFile", IniFile);
}

}  // namespace lk63
