#pragma once
// ORDER.json, the order as data: organisation data, quantity, note and the
// choices of the eighteen rows, applied through the same pick lists a
// customer uses in the window. The command-line tool reads it, a saved
// questionnaire carries it as its attachment "order.json", and the window
// and the tool open it from there again.

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "questionnaire/questionnaire.h"

namespace lk63 {

// What is wrong with the input, for a caller that words it its own way.
enum class TOrderFailure {
    Unreadable,     // the file cannot be read; ErrorCode() is the system's reason
    TooLarge,       // larger than a file of its kind may be
    DamagedPdf,     // a PDF document that cannot be read, or whose order cannot be decoded
    NoOrder,        // a PDF document that carries no order
    OrderTooLarge,  // the order a PDF document carries is over kMaxAttachedOrderBytes
    InvalidJson,    // not strict JSON
    FutureFormat,   // written by a later version of the program
    BadOrder,       // JSON, but not an order: a key, a type or a value
    RefusedChoice,  // a choice the rules refuse; the message names the row and what it offers
    Incomplete,     // a row is not chosen where it must be
};

// Bad input: the message is one line that says what is wrong and where.
// Control characters of the message, which may echo the input, are written
// as escapes ("\n", "\u001b"); a NUL cuts nothing.
class TOrderError : public std::runtime_error {
public:
    explicit TOrderError(std::string_view message, TOrderFailure failure = TOrderFailure::BadOrder,
                         int errorCode = 0);
    [[nodiscard]] TOrderFailure Failure() const { return failure_; }
    // The errno value for TOrderFailure::Unreadable, else 0.
    [[nodiscard]] int ErrorCode() const { return errorCode_; }

private:
    TOrderFailure failure_;
    int errorCode_;
};

// The largest ORDER.json read: 16 MiB. Larger input is refused before it
// is parsed.
inline constexpr std::size_t kMaxOrderBytes = std::size_t{16} << 20;
// The largest saved questionnaire read for the order it carries, and the
// most that order may hold.
inline constexpr std::size_t kMaxQuestionnairePdfBytes = std::size_t{256} << 20;
inline constexpr std::size_t kMaxAttachedOrderBytes = std::size_t{1} << 20;
// The attachment of a saved questionnaire that holds its order.
inline constexpr const char* kOrderAttachment = "order.json";
// The version of the order's "format" that this program writes; orders of a
// later version are refused, older ones (and ORDER.json without it) read.
inline constexpr int kOrderFormat = 1;

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

// Refuses what is not strict JSON of the expected shape: a syntax error, a
// NUL byte anywhere, a key given twice in one object, an unknown key, a value
// of the wrong type or out of range, a "format" newer than kOrderFormat. The
// derived texts a saved order carries for reference ("description",
// "order_code", "composition") are checked for their type and not used.
TOrder ParseOrder(std::string_view json);
// Reads ORDER.json from a file, or standard input for "-": at most
// kMaxOrderBytes, and never a folder. A saved questionnaire (a PDF
// document, at most kMaxQuestionnairePdfBytes) gives the order attached to
// it; one without it, a damaged one or an attachment over
// kMaxAttachedOrderBytes is an error that says so.
std::string ReadOrderText(const std::string& path);

// The order as a saved questionnaire carries it: "format", the texts of
// `order` (its choices are not used) and the eighteen choices of `q` as
// option texts, then for reference the description, order code and
// composition derived from them. `q` must be complete.
std::string OrderJson(TOrder order, const TQuestionnaire& q);

// Applies the order's choices top to bottom; with `stopAt`, only the rows above it.
void ApplyChoices(TQuestionnaire& q, const TOrder& order, std::optional<TRowRef> stopAt = {});

// Checks that all eighteen rows are chosen.
void RequireComplete(const TQuestionnaire& q);

// What the row's pick list offers after the choices above it. A row that
// offers nothing because a row above is not chosen names that row.
std::vector<std::string> OfferedOptions(TQuestionnaire& q, TRowRef row);

}  // namespace lk63
