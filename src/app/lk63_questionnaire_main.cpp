// lk63-questionnaire: the window in which a customer fills in the ЛК63-19
// order questionnaire and saves it as a PDF document.
//
//     lk63-questionnaire [--startup-time] [FILE]
//
// FILE, a questionnaire saved before or an ORDER.json, opens in the window.
//
// --startup-time prints how long the program took from main() to its first
// painted window, then quits; it is there to measure start-up.

#include <chrono>
#include <cstdio>

#include <QApplication>
#include <QEvent>
#include <QLibraryInfo>
#include <QLocale>
#include <QTimer>
#include <QTranslator>

#include "platform/io/temporary_files.h"
#include "questionnaire/window/command_line.h"
#include "questionnaire/window/main_form.h"

namespace {

using TClock = std::chrono::steady_clock;

// Reports the first paint of the window once the whole window is on screen.
class TFirstPaint : public QObject {
public:
    explicit TFirstPaint(TClock::time_point start) : start_(start) {}

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::Paint || reported_) return false;
        reported_ = true;
        // Children paint in the same pass; a zero timer fires after it.
        QTimer::singleShot(0, [this] {
            const double ms = std::chrono::duration<double, std::milli>(TClock::now() - start_).count();
            const auto wall = std::chrono::duration_cast<std::chrono::microseconds>(
                std::chrono::system_clock::now().time_since_epoch());
            std::printf("first paint %.1f ms after main (wall clock %lld us)\n", ms,
                        static_cast<long long>(wall.count()));
            std::fflush(stdout);
            QApplication::quit();
        });
        return false;
    }

private:
    TClock::time_point start_;
    bool reported_ = false;
};

}  // namespace

int main(int argc, char** argv) {
    const TClock::time_point start = TClock::now();

    // A logout or Ctrl+C during a save leaves no temporary file; before Qt
    // starts its threads.
    lk63::platform::RemoveTemporaryFilesOnSignals();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("lk63-questionnaire"));
    QApplication::setDesktopFileName(QStringLiteral("lk63-questionnaire"));
    const lk63::TCommandLine commandLine = lk63::ParseCommandLine(QApplication::arguments().mid(1));
    if (!commandLine.Error.isEmpty()) {
        std::fprintf(stderr, "lk63-questionnaire: %s\n%s\n", commandLine.Error.toLocal8Bit().constData(),
                     lk63::kQuestionnaireUsage);
        return 2;
    }
    // The window speaks Russian whatever the desktop's language; the file
    // dialog and the message boxes follow it where the toolkit has the texts.
    QTranslator toolkitTexts;
    if (toolkitTexts.load(QLocale(QLocale::Russian, QLocale::Russia), QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&toolkitTexts);

    lk63::TMainForm form;
    TFirstPaint firstPaint(start);
    if (commandLine.MeasureStartup) form.installEventFilter(&firstPaint);
    form.show();
    // Once the window is on screen, so that an error has a window to stand over.
    if (!commandLine.File.isEmpty())
        QTimer::singleShot(0, &form, [&form, &commandLine] { form.OpenFile(commandLine.File); });
    return QApplication::exec();
}
