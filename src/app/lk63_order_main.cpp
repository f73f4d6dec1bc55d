// lk63-order: the questionnaire's rules and texts from the command line, for
// integrators and tests. Bad input: one line on stderr, exit status 2; a
// failed write: one line on stderr, exit status 1.
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <new>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <nlohmann/json.hpp>

#include "pdf/pdf_sink.h"
#include "platform/io/atomic_file_writer.h"
#include "platform/io/echoed_text.h"
#include "platform/io/file_error.h"
#include "platform/io/temporary_files.h"
#include "questionnaire/order_input.h"
#include "questionnaire/quantity.h"
#include "questionnaire/questionnaire_document.h"
#include "report/messages.h"
#include "report/user_interface.h"

namespace {

constexpr int kBadInput = 2;
constexpr int kWriteFailed = 1;

constexpr const char* kUsage =
    "Usage:\n"
    "  lk63-order options ORDER.json --row ROW   the pick list row ROW (1.1 .. 2.10) offers,\n"
    "                                            one entry per line\n"
    "  lk63-order derive  ORDER.json             JSON: description, order_code, composition\n"
    "  lk63-order pdf     ORDER.json -o OUT.pdf  the questionnaire PDF, as \"Сохранить в pdf\" writes it;\n"
    "                                            -o - writes it to standard output\n"
    "             [--fonts-by-name]              name the fonts instead of embedding them\n"
    "  lk63-order read     FILE.pdf               the order a saved questionnaire carries, as ORDER.json\n"
    "  lk63-order --help                         this text\n"
    "\n"
    "ORDER.json (\"-\" reads standard input, at most 16 MiB) is an object with the\n"
    "optional keys organisation, address, contact, note (texts), quantity (1 to\n"
    "999999) and breaker (8 entries), accessories (10 entries): each entry an option\n"
    "number or the exact option text, applied top to bottom. A saved questionnaire\n"
    "(PDF, at most 256 MiB) may stand in its place: its attached order is read.\n"
    "\n"
    "Exit status: 0 done, 1 the output could not be written, 2 bad input.\n";

class TUsageError : public lk63::TOrderError {
public:
    using lk63::TOrderError::TOrderError;
};

// An argument as a message echoes it.
std::string Shown(std::string_view argument) { return "\"" + lk63::platform::EchoedText(argument) + "\""; }

// One line on stderr, whatever the text holds.
void Complain(std::string_view text) {
    const std::string line = "lk63-order: " + lk63::platform::EchoedText(text) + "\n";
    std::string_view rest = line;
    while (!rest.empty()) {
        const ssize_t n = ::write(STDERR_FILENO, rest.data(), rest.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return;  // nowhere left to say it
        rest.remove_prefix(static_cast<std::size_t>(n));
    }
}

// Writes all of `text` to standard output and closes it, so that a full disk
// or a closed pipe is an error and not a success with nothing written.
void WriteStandardOutput(std::string_view text) {
    lk63::platform::TAtomicFileWriter out(STDOUT_FILENO, "standard output");
    out.Write(text);
    out.Commit();
    // The duplicate is closed; closing the descriptor itself reports what a
    // file system defers to the last close.
    if (::close(STDOUT_FILENO) != 0 && errno != EINTR)
        throw lk63::platform::TFileError(lk63::platform::TFileAction::Write, "standard output", errno);
}

int Options(const std::vector<std::string>& args) {
    std::string file, rowText;
    bool rowGiven = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--row") {
            if (i + 1 >= args.size()) throw TUsageError("--row needs a row such as 2.2");
            rowText = args[++i];
            rowGiven = true;
        } else if (file.empty()) {
            file = args[i];
        } else {
            throw TUsageError("unexpected argument " + Shown(args[i]));
        }
    }
    if (file.empty()) throw TUsageError("options needs ORDER.json");
    if (!rowGiven) throw TUsageError("options needs --row ROW");
    const auto row = lk63::ParseRowRef(rowText);
    if (!row) throw TUsageError("no row " + Shown(rowText) + " (rows are 1.1 to 1.8 and 2.1 to 2.10)");

    lk63::TOrder order = lk63::ParseOrder(lk63::ReadOrderText(file));
    lk63::TQuestionnaire q;
    lk63::ApplyChoices(q, order, row);
    std::string out;
    for (const std::string& entry : lk63::OfferedOptions(q, *row)) out += entry + '\n';
    WriteStandardOutput(out);
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
    WriteStandardOutput(out.dump(2) + '\n');
    return 0;
}

// The order attached to a saved questionnaire, as it was written; checked
// as every ORDER.json is.
int Read(const std::vector<std::string>& args) {
    if (args.size() != 1) throw TUsageError("read needs exactly one saved questionnaire");
    const std::string text = lk63::ReadOrderText(args[0]);
    lk63::ParseOrder(text);
    WriteStandardOutput(text);
    return 0;
}

// Errors of preparing and exporting, which the window shows in a message box
// under its Russian caption and heading: here just the errors, on one line.
class TStderrUserInterface : public lk63::TrpUserInterface {
public:
    void ShowError(const std::string& /*caption*/, const std::string& text) override {
        std::string line;
        std::size_t start = 0;
        while (start < text.size()) {
            const std::size_t end = std::min(text.find("\r\n", start), text.size());
            const std::string_view item = std::string_view(text).substr(start, end - start);
            if (!item.empty() && item != lk63::RpMessage("ErrorsFound")) {
                if (!line.empty()) line += "; ";
                line += item;
            }
            start = end + 2;
        }
        Complain(line);
    }
    void ProcessMessages() override {}
};

// The export's bytes into a writer the tool owns (standard output).
class TWriterSink : public lk63::TrpPDFSink {
public:
    explicit TWriterSink(lk63::platform::TAtomicFileWriter& writer) : writer_(writer) {}
    void Write(std::string_view bytes) override { writer_.Write(bytes); }

private:
    lk63::platform::TAtomicFileWriter& writer_;
};

int Pdf(const std::vector<std::string>& args) {
    std::string file, output;
    bool fontsByName = false;
    bool outputGiven = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "-o") {
            if (i + 1 >= args.size()) throw TUsageError("-o needs the path of the PDF file");
            output = args[++i];
            outputGiven = true;
        } else if (args[i] == "--fonts-by-name") {
            fontsByName = true;
        } else if (file.empty()) {
            file = args[i];
        } else {
            throw TUsageError("unexpected argument " + Shown(args[i]));
        }
    }
    if (file.empty()) throw TUsageError("pdf needs ORDER.json");
    if (!outputGiven) throw TUsageError("pdf needs -o OUT.pdf");
    if (output.empty()) throw TUsageError("-o needs the path of the PDF file");

    const lk63::TOrder order = lk63::ParseOrder(lk63::ReadOrderText(file));
    lk63::TQuestionnaire q;
    lk63::ApplyChoices(q, order);
    lk63::RequireComplete(q);

    TStderrUserInterface ui;
    lk63::TQuestionnaireDocument document(q, &ui);
    // The file as it was before fonts travelled with it: readable only where
    // the named fonts have the same glyph ids as here.
    if (fontsByName) document.PdfExport().EmbeddedFonts = false;
    // The texts are handed over and gone before the export: a note may hold megabytes.
    const lk63::TSavePreparation prepared =
        document.Prepare({std::move(order.Organisation), std::move(order.Address), std::move(order.Contact),
                          std::move(order.Quantity), std::move(order.Note)});
    switch (prepared) {
        case lk63::TSavePreparation::Prepared:
            break;
        case lk63::TSavePreparation::BadQuantity:
            throw lk63::TOrderError(lk63::kQuantityMessage);
        case lk63::TSavePreparation::Failed:
            return kWriteFailed;
    }
    if (output != "-") return document.Export(output) ? 0 : kWriteFailed;

    lk63::platform::TAtomicFileWriter standardOutput(STDOUT_FILENO, "standard output");
    TWriterSink sink(standardOutput);
    document.PdfExport().Stream = &sink;
    if (!document.Export(output)) return kWriteFailed;
    standardOutput.Commit();
    return 0;
}

int Run(std::vector<std::string> args) {
    if (args.empty()) throw TUsageError("no command");
    const std::string command = args.front();
    args.erase(args.begin());
    if (command == "--help" || command == "-h" || command == "help") {
        WriteStandardOutput(kUsage);
        return 0;
    }
    if (command == "options") return Options(args);
    if (command == "derive") return Derive(args);
    if (command == "pdf") return Pdf(args);
    if (command == "read") return Read(args);
    throw TUsageError("unknown command " + Shown(command));
}

}  // namespace

int main(int argc, char** argv) {
    // Ctrl+C, SIGTERM, a hang-up: no temporary file is left beside the target.
    lk63::platform::RemoveTemporaryFilesOnSignals();
    try {
        return Run(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const TUsageError& e) {
        Complain(std::string(e.what()) + " (see lk63-order --help)");
        return kBadInput;
    } catch (const lk63::TOrderError& e) {
        Complain(e.what());
        return kBadInput;
    } catch (const lk63::platform::TFileError& e) {
        Complain(e.what());
        return kWriteFailed;
    } catch (const std::bad_alloc&) {
        Complain("out of memory");
        return kWriteFailed;
    } catch (const std::exception& e) {
        Complain(e.what());
        return kWriteFailed;
    }
}
