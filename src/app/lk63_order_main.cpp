// lk63-order: the questionnaire's rules and texts from the command line, for
// integrators and tests. Bad input: one line on stderr, exit status 2.
#include <iostream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "app/order_input.h"

namespace {

constexpr int kBadInput = 2;

constexpr const char* kUsage =
    "Usage:\n"
    "  lk63-order options ORDER.json --row ROW   the pick list row ROW (1.1 .. 2.10) offers,\n"
    "                                            one entry per line\n"
    "  lk63-order derive  ORDER.json             JSON: description, order_code, composition\n"
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
