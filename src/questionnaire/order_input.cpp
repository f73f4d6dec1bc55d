#include "questionnaire/order_input.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <climits>
#include <cstdint>
#include <set>
#include <utility>

#include <nlohmann/json.hpp>

#include "platform/io/echoed_text.h"
#include "platform/io/file_error.h"
#include "platform/io/pdf_attachment.h"
#include "questionnaire/json_string.h"
#include "questionnaire/quantity.h"

namespace lk63 {
namespace {

using nlohmann::json;

// A text of the input as a message shows it: in quotes, control characters escaped.
std::string Quoted(std::string_view s) { return "\"" + platform::EchoedText(s) + "\""; }

std::string RowWithCaption(TRowRef row) {
    return "row " + RowName(row) + " (" + std::string(TQuestionnaire::Caption(row.Group, row.Row)) + ")";
}

// Rows are chosen top to bottom: the first row above `row` still open, if any.
std::optional<TRowRef> FirstUnchosenAbove(const TQuestionnaire& q, TRowRef row) {
    for (const TGroup group : {TGroup::Breaker, TGroup::Accessory}) {
        for (int r = 0; r < TQuestionnaire::RowCount(group); ++r) {
            if (group == row.Group && r == row.Row) return std::nullopt;
            if (q.Selection(group, r) < 0) return TRowRef{group, r};
        }
    }
    return std::nullopt;
}

std::string OptionalText(const json& doc, const char* key) {
    auto it = doc.find(key);
    if (it == doc.end() || it->is_null()) return {};
    if (!it->is_string()) throw TOrderError(std::string("\"") + key + "\": expected a text");
    return it->get<std::string>();
}

bool FitsLongLong(const json& number) {
    return !number.is_number_unsigned() ||
           number.get<unsigned long long>() <= static_cast<unsigned long long>(LLONG_MAX);
}

// A whole number within the quantity bounds, as text ("007" stays "007").
std::string QuantityText(const json& doc) {
    auto it = doc.find("quantity");
    if (it == doc.end() || it->is_null()) return "1";
    std::string text;
    long long value = 0;
    if (it->is_number_integer()) {
        // Past the range of long long the value would wrap around.
        value = FitsLongLong(*it) ? it->get<long long>() : -1;
        text = it->dump();
    } else if (it->is_string()) {
        text = it->get<std::string>();
        const char* end = text.data() + text.size();
        const bool digits = !text.empty() && text.find_first_not_of("0123456789") == std::string::npos;
        if (!digits || std::from_chars(text.data(), end, value).ptr != end) value = -1;
    } else {
        throw TOrderError("\"quantity\": expected " + std::string(kQuantityRangeText));
    }
    if (value < kMinQuantity || value > kMaxQuantity)
        throw TOrderError("\"quantity\": " + (it->is_string() ? Quoted(text) : text) +
                          " is not " + std::string(kQuantityRangeText));
    return text;
}

std::vector<TOrderChoice> Choices(const json& doc, const char* key, TGroup group) {
    std::vector<TOrderChoice> out;
    auto it = doc.find(key);
    if (it == doc.end() || it->is_null()) return out;
    if (!it->is_array()) throw TOrderError(std::string("\"") + key + "\": expected an array");
    const auto rows = static_cast<std::size_t>(TQuestionnaire::RowCount(group));
    if (it->size() > rows)
        throw TOrderError(std::string("\"") + key + "\": " + std::to_string(it->size()) +
                          " entries, the group has " + std::to_string(rows) + " rows");
    for (std::size_t i = 0; i < it->size(); ++i) {
        const json& e = (*it)[i];
        if (e.is_number_integer()) {
            if (!FitsLongLong(e))
                throw TOrderError("row " + RowName({group, static_cast<int>(i)}) + ": there is no option " + e.dump());
            out.emplace_back(e.get<long long>());
        } else if (e.is_string()) {
            out.emplace_back(e.get<std::string>());
        } else {
            throw TOrderError("row " + RowName({group, static_cast<int>(i)}) +
                              ": expected an option number or the option text");
        }
    }
    return out;
}

// The offered entries as "N "text"" items, N being the option number.
std::string OfferedList(const TOptionList& options, const std::vector<std::string>& offered) {
    if (offered.empty()) return "nothing";
    std::string out;
    for (const std::string& text : offered) {
        for (std::size_t i = 0; i < options.size(); ++i) {
            if (options[i].Text != text) continue;
            if (!out.empty()) out += ", ";
            out += std::to_string(i) + " " + Quoted(text);
            break;
        }
    }
    return out;
}

void ApplyChoice(TQuestionnaire& q, TRowRef row, const TOrderChoice& choice) {
    const TOptionList& options = q.OptionList(row.Group, row.Row);
    const std::vector<std::string> offered = q.EditList(row.Group, row.Row);
    const std::string where = RowWithCaption(row);

    std::string text;
    std::string asGiven;
    if (const auto* n = std::get_if<long long>(&choice)) {
        asGiven = "option " + std::to_string(*n);
        if (*n < 0 || *n >= static_cast<long long>(options.size()))
            throw TOrderError(where + ": there is no " + asGiven + "; offered: " + OfferedList(options, offered),
                              TOrderFailure::RefusedChoice);
        text = options[static_cast<std::size_t>(*n)].Text;
        asGiven += " " + Quoted(text);
    } else {
        text = std::get<std::string>(choice);
        asGiven = Quoted(text);
        bool known = false;
        for (const TOptionItem& o : options) known = known || o.Text == text;
        if (!known)
            throw TOrderError(where + ": unknown option " + asGiven + "; offered: " + OfferedList(options, offered),
                              TOrderFailure::RefusedChoice);
    }
    if (offered.empty()) {
        if (const std::optional<TRowRef> open = FirstUnchosenAbove(q, row))
            throw TOrderError(where + ": " + asGiven + " cannot be chosen while " + RowWithCaption(*open) +
                              " is not chosen",
                              TOrderFailure::RefusedChoice);
    }
    for (std::size_t i = 0; i < offered.size(); ++i) {
        if (offered[i] == text) {
            q.CloseUp(row.Group, row.Row, static_cast<int>(i), true);
            return;
        }
    }
    throw TOrderError(where + ": " + asGiven + " is not offered after the choices above; offered: " +
                          OfferedList(options, offered),
                      TOrderFailure::RefusedChoice);
}

TOrderFailure OrderFailureOf(platform::TPdfReadFailure failure) {
    switch (failure) {
        case platform::TPdfReadFailure::NoAttachment:
            return TOrderFailure::NoOrder;
        case platform::TPdfReadFailure::AttachmentTooLarge:
            return TOrderFailure::OrderTooLarge;
        case platform::TPdfReadFailure::ReaderMissing:
            return TOrderFailure::Unreadable;
        case platform::TPdfReadFailure::NotPdf:
        case platform::TPdfReadFailure::Damaged:
            break;
    }
    return TOrderFailure::DamagedPdf;
}

}  // namespace

TOrderError::TOrderError(std::string_view message, TOrderFailure failure, int errorCode)
    : std::runtime_error(platform::EchoedText(message)), failure_(failure), errorCode_(errorCode) {}

std::optional<TRowRef> ParseRowRef(std::string_view text) {
    if (text.size() < 3 || text[1] != '.') return std::nullopt;
    const char g = text[0];
    if (g != '1' && g != '2') return std::nullopt;
    int n = 0;
    const char* first = text.data() + 2;
    const char* last = text.data() + text.size();
    if (*first == '0' || std::from_chars(first, last, n).ptr != last) return std::nullopt;
    const TGroup group = g == '1' ? TGroup::Breaker : TGroup::Accessory;
    if (n < 1 || n > TQuestionnaire::RowCount(group)) return std::nullopt;
    return TRowRef{group, n - 1};
}

std::string RowName(TRowRef row) {
    return std::string(row.Group == TGroup::Breaker ? "1." : "2.") + std::to_string(row.Row + 1);
}

TOrder ParseOrder(std::string_view text) {
    // The parser would take a NUL for the end of the input and ignore the rest.
    if (const std::size_t nul = text.find('\0'); nul != std::string_view::npos)
        throw TOrderError("invalid JSON: a NUL byte at byte " + std::to_string(nul + 1), TOrderFailure::InvalidJson);
    // A key given twice would silently give the last value; refuse it.
    std::vector<std::set<std::string>> keys;
    const json::parser_callback_t refuseDuplicates = [&keys](int, json::parse_event_t event, json& parsed) {
        if (event == json::parse_event_t::object_start) {
            keys.emplace_back();
        } else if (event == json::parse_event_t::object_end) {
            keys.pop_back();
        } else if (event == json::parse_event_t::key && !keys.back().insert(parsed.get<std::string>()).second) {
            throw TOrderError("duplicate key " + Quoted(parsed.get<std::string>()), TOrderFailure::InvalidJson);
        }
        return true;
    };
    json doc;
    try {
        doc = json::parse(text.begin(), text.end(), refuseDuplicates);
    } catch (const json::exception& e) {  // a syntax error, or a number beyond any type
        // The library's text names the byte position; keep its first line only.
        std::string what = e.what();
        throw TOrderError("invalid JSON: " + what.substr(0, what.find('\n')), TOrderFailure::InvalidJson);
    }
    if (!doc.is_object()) throw TOrderError("expected a JSON object");
    static const char* const kKeys[] = {"format",      "organisation", "address",    "contact",
                                        "quantity",    "note",         "breaker",    "accessories",
                                        "description", "order_code",   "composition"};
    for (const auto& [key, value] : doc.items()) {
        bool known = false;
        for (const char* k : kKeys) known = known || key == k;
        if (!known) throw TOrderError("unknown key " + Quoted(key));
    }
    if (const auto format = doc.find("format"); format != doc.end()) {
        if (!format->is_number_integer() || !FitsLongLong(*format) || format->get<long long>() < 1)
            throw TOrderError("\"format\": expected a version number such as " + std::to_string(kOrderFormat));
        if (format->get<long long>() > kOrderFormat)
            throw TOrderError("\"format\": the order is of version " + format->dump() +
                              ", newer than this program reads (" + std::to_string(kOrderFormat) + ")",
                              TOrderFailure::FutureFormat);
    }
    // Derived from the choices when the order was saved: for a reader of the
    // file, not for this program, which derives them again.
    OptionalText(doc, "description");
    OptionalText(doc, "order_code");
    if (const auto composition = doc.find("composition"); composition != doc.end() && !composition->is_null()) {
        bool texts = composition->is_array();
        for (const json& line : texts ? *composition : json::array()) texts = texts && line.is_string();
        if (!texts) throw TOrderError("\"composition\": expected an array of texts");
    }
    TOrder order;
    order.Organisation = OptionalText(doc, "organisation");
    order.Address = OptionalText(doc, "address");
    order.Contact = OptionalText(doc, "contact");
    order.Note = OptionalText(doc, "note");
    order.Quantity = QuantityText(doc);
    order.Breaker = Choices(doc, "breaker", TGroup::Breaker);
    order.Accessories = Choices(doc, "accessories", TGroup::Accessory);
    return order;
}

std::string ReadOrderText(const std::string& path) {
    const bool standardInput = path == "-";
    const std::string name = standardInput ? std::string("standard input") : path;
    const auto refuse = [&](int code) {
        return TOrderError("cannot read " + platform::EchoedText(name) + ": " + platform::ErrnoText(code),
                           TOrderFailure::Unreadable, code);
    };
    const auto tooLarge = [&] {
        return TOrderError("cannot read " + platform::EchoedText(name) + ": larger than " +
                           std::to_string(kMaxOrderBytes >> 20) + " MiB, the most an ORDER.json may hold",
                           TOrderFailure::TooLarge);
    };
    const int fd = standardInput ? STDIN_FILENO : ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) throw refuse(errno);
    struct TClose {
        int Fd;
        bool Owned;
        ~TClose() {
            if (Owned) ::close(Fd);
        }
    } close{fd, !standardInput};

    struct stat status {};
    if (::fstat(fd, &status) != 0) throw refuse(errno);
    if (S_ISDIR(status.st_mode)) throw refuse(EISDIR);
    if (S_ISREG(status.st_mode) && static_cast<std::uintmax_t>(status.st_size) > kMaxQuestionnairePdfBytes)
        throw tooLarge();

    // Devices and pipes tell no size: read one byte past the limit at most.
    // A saved questionnaire may be larger than ORDER.json; what it is shows
    // in its first bytes.
    std::string text;
    char buffer[1 << 16];
    const auto isPdf = [&text] { return text.compare(0, 5, "%PDF-") == 0; };
    while (true) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR) continue;
            throw refuse(errno);
        }
        if (n == 0) break;
        text.append(buffer, static_cast<std::size_t>(n));
        if (text.size() > (isPdf() ? kMaxQuestionnairePdfBytes : kMaxOrderBytes)) {
            if (isPdf())
                throw TOrderError("cannot read " + platform::EchoedText(name) + ": larger than " +
                                  std::to_string(kMaxQuestionnairePdfBytes >> 20) +
                                  " MiB, the most a saved questionnaire may hold",
                                  TOrderFailure::TooLarge);
            throw tooLarge();
        }
    }
    if (!isPdf()) return text;
    try {
        return platform::ReadPdfAttachment(text, kOrderAttachment, kMaxAttachedOrderBytes);
    } catch (const platform::TPdfReadError& e) {
        // A missing reader is no fault of the file: "cannot access a needed shared library".
        const int errorCode = e.Failure() == platform::TPdfReadFailure::ReaderMissing ? ELIBACC : 0;
        throw TOrderError("cannot read the order of " + platform::EchoedText(name) + ": " + e.what(),
                          OrderFailureOf(e.Failure()), errorCode);
    }
}

std::string OrderJson(TOrder order, const TQuestionnaire& q) {
    nlohmann::ordered_json out;
    out["format"] = kOrderFormat;
    out["organisation"] = std::move(order.Organisation);
    out["address"] = std::move(order.Address);
    out["contact"] = std::move(order.Contact);
    out["quantity"] = std::move(order.Quantity);
    // A well-formed note is quoted below, as the writer would but faster;
    // the writer keeps to itself what it must mend.
    const bool quoteNoteHere = IsWellFormedUtf8(order.Note);
    out["note"] = quoteNoteHere ? std::string() : std::move(order.Note);
    for (const auto& [key, group] : {std::pair{"breaker", TGroup::Breaker}, std::pair{"accessories", TGroup::Accessory}}) {
        nlohmann::ordered_json choices = nlohmann::ordered_json::array();
        for (int row = 0; row < TQuestionnaire::RowCount(group); ++row) {
            const int chosen = q.Selection(group, row);
            if (chosen < 0) throw std::logic_error("an order is written of a complete questionnaire only");
            choices.push_back(q.OptionList(group, row)[static_cast<std::size_t>(chosen)].Text);
        }
        out[key] = std::move(choices);
    }
    const TDerivedTexts& texts = q.Texts();
    out["description"] = texts.Description;
    out["order_code"] = texts.OrderCode;
    out["composition"] = texts.Composition;
    // Texts that are not well-formed UTF-8 are kept, their bad bytes as U+FFFD.
    std::string text = out.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
    if (quoteNoteHere) {
        // The first line that starts with this key is the note's: no text
        // value holds a line break of its own.
        static constexpr std::string_view kNoteLine = "\n  \"note\": \"\"";
        const std::size_t at = text.find(kNoteLine);
        if (at == std::string::npos) throw std::logic_error("the order's JSON has no note");
        const std::size_t quotes = at + kNoteLine.size() - 2;
        std::string whole;
        whole.reserve(text.size() - 2 + JsonStringSize(order.Note) + 1);  // and the closing line break
        whole.append(text, 0, quotes);
        AppendJsonString(whole, order.Note);
        whole.append(text, quotes + 2);
        text = std::move(whole);
    }
    text += '\n';
    text.shrink_to_fit();  // kept until the document is written
    return text;
}

void ApplyChoices(TQuestionnaire& q, const TOrder& order, std::optional<TRowRef> stopAt) {
    auto apply = [&](TGroup group, const std::vector<TOrderChoice>& choices) {
        for (std::size_t i = 0; i < choices.size(); ++i) {
            const TRowRef row{group, static_cast<int>(i)};
            if (stopAt && (row.Group > stopAt->Group ||
                           (row.Group == stopAt->Group && row.Row >= stopAt->Row)))
                return;
            ApplyChoice(q, row, choices[i]);
        }
    };
    apply(TGroup::Breaker, order.Breaker);
    apply(TGroup::Accessory, order.Accessories);
}

std::vector<std::string> OfferedOptions(TQuestionnaire& q, TRowRef row) {
    std::vector<std::string> offered = q.EditList(row.Group, row.Row);
    if (offered.empty()) {
        const std::optional<TRowRef> open = FirstUnchosenAbove(q, row);
        throw TOrderError(RowWithCaption(row) + " offers nothing" +
                          (open ? " while " + RowWithCaption(*open) + " is not chosen" : " after the choices above"),
                          TOrderFailure::Incomplete);
    }
    return offered;
}

void RequireComplete(const TQuestionnaire& q) {
    for (TGroup group : {TGroup::Breaker, TGroup::Accessory}) {
        for (int r = 0; r < TQuestionnaire::RowCount(group); ++r) {
            if (q.Selection(group, r) < 0)
                throw TOrderError("the questionnaire is incomplete: " + RowWithCaption({group, r}) + " is not chosen",
                                  TOrderFailure::Incomplete);
        }
    }
}

}  // namespace lk63
