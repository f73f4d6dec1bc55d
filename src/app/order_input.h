#pragma once
// ORDER.json, the order input of the command-line tool: organisation data,
// quantity, note and the choices of the eighteen rows, applied through the same
// pick lists a customer uses in the window.

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "questionnaire/questionnaire.h"

namespace lk63 {

// Bad input: the message is one line that says what is wrong and where.
class TOrderError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// An entry of "breaker" or "accessories": an option number or the option text.
using TOrderChoice = std::variant<long long, std::string>;

struct TOrder {
    std::string Organisation;
    std::string Address;
    std::string Contact;
    std::string Quantity = "1";  // as the quantity field would show it
    std::string Note;
    std::vector<TOrderChoice> Breaker;
    std::vector<TOrderChoice> Accessories;
};

// A questionnaire row by its number as the customer sees it ("1.3", "2.10").
struct TRowRef {
    TGroup Group;
    int Row;  // from 0 within the group
};

std::optional<TRowRef> ParseRowRef(std::string_view text);
std::string RowName(TRowRef row);

TOrder ParseOrder(std::string_view json);
// Reads a file, or standard input for "-".
std::string ReadOrderText(const std::string& path);

// Applies the order's choices top to bottom; with `stopAt`, only the rows above it.
void ApplyChoices(TQuestionnaire& q, const TOrder& order, std::optional<TRowRef> stopAt = {});

// Checks that all eighteen rows are chosen.
void RequireComplete(const TQuestionnaire& q);

}  // namespace lk63
