// lk63-order: the questionnaire's rules and texts from the command line, for
// integrators and tests. Bad input: one line on stderr, exit status 2.
#include <algorithm>
#include <iostream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "app/order_input.h"
#include "questionnaire/questionnaire_document.h"
#include "report/user_interface.h"

namespace {

constexpr int kBadInput = 2;

constexpr const char* kUsage =
    "Usage:\n"
    "  lk63-order options ORDER.json --row ROW   the pick list row ROW (1.1 .. 2.10) offers,\n"
    "                                            one entry per line\n"
    "  lk63-order derive  ORDER.json             JSON: description, order_code, composition\n"
    "  lk63-order pdf     ORDER.json -o OUT.pdf  the questionnaire PDF, as \"Сохранить в pdf\" writes it\n"
    "             [--fonts-by-name]              name the fonts instead of embedding them\n"
    "  lk63-order --help                         this text\n"
    "\n"
    "ORDER.json (\"-\" reads standard input) is an object with the optional keys\n"
    "organisation, address, contact, note (texts), quantity (1 to 999999) and\n"
    "breaker (8 entries), accessories (10 entries): each entry an option number\n"
    "or the exact option text, applied top to bottom.\n";

class TUsageError : public lk63::TOrderError {
public:
    using lk63::TOrderError::TOrderError;
};

int Options(const std::vector<std::string>& args) {
    std::string file, rowText;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--row") {
            if (i + 1 >= args.size()) throw TUsageError("--row needs a row such as 2.2");
            rowText = args[++i];
        } else if (file.empty()) {
            file = args[i];
        } else {
            throw TUsageError("unexpected argument " + args[i]);
        }
    }
    if (file.empty()) throw TUsageError("options needs ORDER.json");
    if (rowText.empty()) throw TUsageError("options needs --row ROW");
    const auto row = lk63::ParseRowRef(rowText);
    if (!row) throw TUsageError("no row " + rowText + " (rows are 1.1 to 1.8 and 2.1 to 2.10)");

    const lk63::TOrder order = lk63::ParseOrder(lk63::ReadOrderText(file));
    lk63::TQuestionnaire q;
    lk63::ApplyChoices(q, order, row);
    for (const std::string& entry : q.EditList(row->Group, row->Row)) std::cout << entry << '\n';
    return 0;
}

int Derive(const std::vector<std::string>& args) {
    if (args.size() != 1) throw TUsageError("derive needs exactly one ORDER.json");
    const lk63::TOrder order = lk63::ParseOrder(lk63::ReadOrderText(args[0]));
    lk63::TQuestionnaire q;
    lk63::ApplyChoices(q, order);
    lk63::RequireComplete(q);
    const lk63::TDerivedTexts& texts = q.Texts();
    nlohmann::ordered_json out;
    out["description"] = texts.Description;
    out["order_code"] = texts.OrderCode;
    out["composition"] = texts.Composition;
    std::cout << out.dump(2) << '\n';
    return 0;
}

// Errors of preparing and exporting, which the window shows in a message box.
class TStderrUserInterface : public lk63::TrpUserInterface {
public:
    // One line: the heading, then the errors separated by "; ".
    void ShowError(const std::string& caption, const std::string& text) override {
        std::string line;
        std::size_t start = 0;
        for (int n = 0; start < text.size(); ++n) {
            const std::size_t end = std::min(text.find("\r\n", start), text.size());
            if (end > start) line += (n == 0 ? "" : n == 1 ? " " : "; ") + text.substr(start, end - start);
            start = end + 2;
        }
        std::cerr << "lk63-order: " << caption << ": " << line << '\n';
    }
    void ProcessMessages() override {}
};

constexpr int kSaveFailed = 1;

int Pdf(const std::vector<std::string>& args) {
    std::string file, output;
    bool fontsByName = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "-o") {
            if (i + 1 >= args.size()) throw TUsageError("-o needs the path of the PDF file");
            output = args[++i];
        } else if (args[i] == "--fonts-by-name") {
            fontsByName = true;
        } else if (file.empty()) {
            file = args[i];
        } else {
            throw TUsageError("unexpected argument " + args[i]);
        }
    }
    if (file.empty()) throw TUsageError("pdf needs ORDER.json");
    if (output.empty()) throw TUsageError("pdf needs -o OUT.pdf");

    const lk63::TOrder order = lk63::ParseOrder(lk63::ReadOrderText(file));
    lk63::TQuestionnaire q;
    lk63::ApplyChoices(q, order);
    lk63::RequireComplete(q);

    TStderrUserInterface ui;
    lk63::TQuestionnaireDocument document(q, &ui);
    // The file as it was before fonts travelled with it: readable only where
    // the named fonts have the same glyph ids as here.
    if (fontsByName) document.PdfExport().EmbeddedFonts = false;
    switch (document.Prepare({order.Organisation, order.Address, order.Contact, order.Quantity, order.Note})) {
        case lk63::TSavePreparation::Prepared:
            break;
        case lk63::TSavePreparation::BadQuantity:
            throw lk63::TOrderError(std::string(lk63::kQuantityMessage));
        case lk63::TSavePreparation::Failed:
            return kSaveFailed;
    }
    return document.Export(output) ? 0 : kSaveFailed;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    try {
        if (args.empty()) throw TUsageError("no command");
        const std::string command = args.front();
        args.erase(args.begin());
        if (command == "--help" || command == "-h" || command == "help") {
            std::cout << kUsage;
            return 0;
        }
        if (command == "options") return Options(args);
        if (command == "derive") return Derive(args);
        if (command == "pdf") return Pdf(args);
        throw TUsageError("unknown command " + command);
    } catch (const TUsageError& e) {
        std::cerr << "lk63-order: " << e.what() << " (see lk63-order --help)\n";
        return kBadInput;
    } catch (const lk63::TOrderError& e) {
        std::cerr << "lk63-order: " << e.what() << '\n';
        return kBadInput;
    } catch (const std::exception& e) {
        std::cerr << "lk63-order: " << e.what() << '\n';
        return 1;
    }
}
