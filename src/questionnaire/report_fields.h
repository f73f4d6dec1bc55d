#pragma once
// What the window's own fields hold for the report to print.

#include <string>

namespace lk63 {

struct TReportFields {
    std::string Organisation;
    std::string Address;
    std::string Contact;
    std::string Quantity;  // as the field shows it
    std::string Note;
};

}  // namespace lk63
