#pragma once
// Data sets deliver rows of named fields one row at a time. Every data set,
// whoever owns it, is in the process-wide list while it lives.

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "report/report_component.h"
#include "report/variant.h"

namespace lk63 {

enum class TrpRangeBegin { rbFirst, rbCurrent };
enum class TrpRangeEnd { reLast, reCurrent, reCount };
enum class TrpFieldType { fftNumeric, fftString, fftBoolean };

inline constexpr std::array<std::string_view, 2> kRangeBeginNames{"rbFirst", "rbCurrent"};
inline constexpr std::array<std::string_view, 3> kRangeEndNames{"reLast", "reCurrent", "reCount"};

class TrpDataSet : public TrpDialogComponent {
public:
    TrpDataSet();
    ~TrpDataSet() override;

    [[nodiscard]] std::string_view ClassName() const override { return "TrpDataSet"; }

    // A data set without a UserName takes its Name; a UserName set stays when
    // the data set is renamed.
    void SetName(std::string name) override;
    [[nodiscard]] const std::string& UserName() const { return userName_; }
    // Throws TrpError for a name that is empty after trimming spaces.
    void SetUserName(std::string name);

    bool Enabled = true;
    TrpRangeBegin RangeBegin = TrpRangeBegin::rbFirst;
    TrpRangeEnd RangeEnd = TrpRangeEnd::reLast;
    int RangeEndCount = 0;

    std::function<void(TrpDataSet& sender, bool& eof)> OnCheckEOF;
    std::function<void(TrpDataSet&sender)> OnFirst, OnNext, OnPrior;

    virtual void First();
    virtual void Next();
    virtual void Prior();
    [[nodiscard]] virtual bool Eof();
    [[nodiscard]] int RecNo() const { return recNo_; }
    [[nodiscard]] int RecordCount() const;

    virtual void Open() {}
    virtual void Close() {}
    [[nodiscard]] virtual TVariant Value(const std::string& field);
    [[nodiscard]] virtual std::u16string DisplayText(const std::string& field);
    [[nodiscard]] virtual TrpFieldType FieldType(const std::string& field) const;
    [[nodiscard]] virtual int FieldsCount() const { return 0; }
    [[nodiscard]] virtual std::vector<std::string> GetFieldList() const { return {}; }
    [[nodiscard]] virtual bool IsBlobField(const std::string& field) const;
    [[nodiscard]] int DisplayWidth(const std::string& field) const;

    // Start and end of a run: the data set remembers the report using it.
    virtual void InitializeRun(TrpReport* report) { runReport_ = report; }
    virtual void FinalizeRun() { runReport_ = nullptr; }
    [[nodiscard]] TrpReport* RunReport() const { return runReport_; }

    void DefineProperties(TPropertyList& list) override;

private:
    std::string userName_;
    int recNo_ = 0;
    bool eofFlag_ = false;
    TrpReport* runReport_ = nullptr;
};

class TrpUserDataSet : public TrpDataSet {
public:
    [[nodiscard]] std::string_view ClassName() const override { return "TrpUserDataSet"; }

    std::vector<std::string> Fields;
    std::function<void(const std::string& varName, TVariant& value)> OnGetValue;
    std::function<void(TrpUserDataSet& sender, const std::string& varName, TVariant& value)> OnNewGetValue;

    // Each call asks the handlers again; the field name is passed as asked.
    [[nodiscard]] TVariant Value(const std::string& field) override;
    [[nodiscard]] std::u16string DisplayText(const std::string& field) override;
    [[nodiscard]] int FieldsCount() const override { return static_cast<int>(Fields.size()); }
    [[nodiscard]] std::vector<std::string> GetFieldList() const override { return Fields; }

    void DefineProperties(TPropertyList& list) override;
};

}  // namespace lk63
