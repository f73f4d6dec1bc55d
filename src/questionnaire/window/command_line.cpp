#include "questionnaire/window/command_line.h"

namespace lk63 {

TCommandLine ParseCommandLine(const QStringList& arguments) {
    TCommandLine line;
    bool options = true;
    for (const QString& argument : arguments) {
        if (options && argument == QStringLiteral("--")) {
            options = false;
        } else if (options && argument == QStringLiteral("--startup-time")) {
            line.MeasureStartup = true;
        } else if (options && argument.startsWith(u'-') && argument != QStringLiteral("-")) {
            line.Error = QStringLiteral("unknown option ") + argument;
            return line;
        } else if (!line.File.isEmpty()) {
            line.Error = QStringLiteral("one file at most: ") + argument;
            return line;
        } else if (argument.isEmpty()) {
            line.Error = QStringLiteral("an empty file name");
            return line;
        } else {
            line.File = argument;
        }
    }
    return line;
}

}  // namespace lk63
