#pragma once
// How a memo formats values. Only fkText is used by this system.

#include <string>

namespace lk63 {

enum class TrpFormatKind { fkText, fkNumeric, fkDateTime, fkBoolean };

struct TrpFormat {
    TrpFormatKind Kind = TrpFormatKind::fkText;
    std::string FormatStr;
    std::string DecimalSeparator;
    std::string ThousandSeparator;
    friend bool operator==(const TrpFormat&, const TrpFormat&) = default;
};

}  // namespace lk63
