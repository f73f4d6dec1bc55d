#pragma once
// The desktop program's command line:
//     lk63-questionnaire [--startup-time] [FILE]
// FILE, a saved questionnaire or an ORDER.json, opens in the window as
// Ctrl+O would open it. "--" ends the options, so a file may begin with "-".

#include <QString>
#include <QStringList>

namespace lk63 {

struct TCommandLine {
    bool MeasureStartup = false;  // print the time to the first painted window, then quit
    QString File;                 // empty: none
    QString Error;                // not empty: the command line is refused for this reason
};

inline constexpr const char* kQuestionnaireUsage = "usage: lk63-questionnaire [--startup-time] [FILE]";

// `arguments` without the program's name, the toolkit's own options taken out.
TCommandLine ParseCommandLine(const QStringList& arguments);

}  // namespace lk63
