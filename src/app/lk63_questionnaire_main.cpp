// lk63-questionnaire: the window in which a customer fills in the ЛК63-19
// order questionnaire and saves it as a PDF document.
//
// --startup-time prints how long the program took from main() to its first
// painted window, then quits; it is there to measure start-up.

#include <chrono>
#include <cstdio>
#include <cstring>

#include <QApplication>
#include <QEvent>
#include <QLibraryInfo>
#include <QLocale>
#include <QTimer>
#include <QTranslator>

#include "platform/io/temporary_files.h"
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
    bool measure = false;
    for (int i = 1; i < argc; ++i) measure = measure || std::strcmp(argv[i], "--startup-time") == 0;

    // A logout or Ctrl+C during a save leaves no temporary file; before Qt
    // starts its threads.
    lk63::platform::RemoveTemporaryFilesOnSignals();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("lk63-questionnaire"));
    QApplication::setDesktopFileName(QStringLiteral("lk63-questionnaire"));
    // The window speaks Russian whatever the desktop's language; the file
    // dialog and the message boxes follow it where the toolkit has the texts.
    QTranslator toolkitTexts;
    if (toolkitTexts.load(QLocale(QLocale::Russian, QLocale::Russia), QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&toolkitTexts);

    lk63::TMainForm form;
    TFirstPaint firstPaint(start);
    if (measure) form.installEventFilter(&firstPaint);
    form.show();
    return QApplication::exec();
}
