#include "report/data_set.h"

#include "report/error.h"
#include "report/global_data_set_list.h"
#include "report/messages.h"
#include "report/wide_strings.h"

namespace lk63 {

TrpDataSet::TrpDataSet() { TrpGlobalDataSetList::Instance().Add(this); }

TrpDataSet::~TrpDataSet() { TrpGlobalDataSetList::Instance().Remove(this); }

void TrpDataSet::SetName(std::string name) {
    if (userName_.empty()) userName_ = name;
    TrpDialogComponent::SetName(std::move(name));
}

void TrpDataSet::SetUserName(std::string name) {
    if (name.find_first_not_of(' ') == std::string::npos)
        throw TrpError(std::string(RpMessage("EmptyUserName")));
    userName_ = std::move(name);
}

void TrpDataSet::First() {
    recNo_ = 0;
    eofFlag_ = false;
    if (OnFirst) OnFirst(*this);
}

void TrpDataSet::Next() {
    eofFlag_ = false;
    ++recNo_;
    if (RangeEnd == TrpRangeEnd::reCount && recNo_ >= RangeEndCount) {
        recNo_ = RangeEndCount - 1;
        eofFlag_ = true;
        return;
    }
    if (OnNext) OnNext(*this);
}

void TrpDataSet::Prior() {
    --recNo_;
    if (OnPrior) OnPrior(*this);
}

bool TrpDataSet::Eof() {
    bool eof = RangeEnd == TrpRangeEnd::reCount && (recNo_ >= RangeEndCount || eofFlag_);
    if (OnCheckEOF) OnCheckEOF(*this, eof);
    return eof;
}

int TrpDataSet::RecordCount() const {
    return RangeBegin == TrpRangeBegin::rbFirst && RangeEnd == TrpRangeEnd::reCount ? RangeEndCount : 0;
}

TVariant TrpDataSet::Value(const std::string&) { return {}; }
std::u16string TrpDataSet::DisplayText(const std::string&) { return {}; }
TrpFieldType TrpDataSet::FieldType(const std::string&) const { return TrpFieldType::fftNumeric; }
bool TrpDataSet::IsBlobField(const std::string&) const { return false; }
int TrpDataSet::DisplayWidth(const std::string&) const { return 10; }

void TrpDataSet::DefineProperties(TPropertyList& list) {
    TrpDialogComponent::DefineProperties(list);
    list.Text(
        "UserName", [this] { return userName_; },
        [this](std::string v) {
            if (v != userName_ && v.find_first_not_of(' ') != std::string::npos) SetUserName(std::move(v));
        },
        // The unchanged value passes, so that a data set whose Name and
        // UserName are both empty reads back from its own text.
        [this](std::string_view v) {
            return v == userName_ || v.find_first_not_of(' ') != std::string_view::npos;
        });
    list.Boolean("Enabled", Enabled);
    list.Enum("RangeBegin", kRangeBeginNames, RangeBegin);
    list.Enum("RangeEnd", kRangeEndNames, RangeEnd);
    list.Integer("RangeEndCount", RangeEndCount);
}

TVariant TrpUserDataSet::Value(const std::string& field) {
    TVariant value;
    if (OnGetValue) OnGetValue(field, value);
    if (OnNewGetValue) OnNewGetValue(*this, field, value);
    return value;
}

std::u16string TrpUserDataSet::DisplayText(const std::string& field) {
    std::u16string text;
    if (OnGetValue) {
        TVariant value;
        OnGetValue(field, value);
        text = value.ToText();
    }
    if (OnNewGetValue) {
        TVariant value;
        OnNewGetValue(*this, field, value);
        text = value.ToText();
    }
    return text;
}

void TrpUserDataSet::DefineProperties(TPropertyList& list) {
    TrpDataSet::DefineProperties(list);
    list.Text(
        "Fields", [this] { return JoinLines(Fields); }, [this](std::string v) { Fields = SplitLines(v); });
}

}  // namespace lk63
