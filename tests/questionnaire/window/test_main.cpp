// The window's tests run on Qt's offscreen platform with one application object.
#include <gtest/gtest.h>

#include <QApplication>

#include "controls/event_guard.h"

namespace {

QtMessageHandler g_defaultHandler = nullptr;

// The offscreen platform cannot raise windows or pass on size hints, and says so each time.
void Messages(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (text == QLatin1String("This plugin does not support raise()") ||
        text == QLatin1String("This plugin does not support propagateSizeHints()"))
        return;
    g_defaultHandler(type, context, text);
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    testing::InitGoogleTest(&argc, argv);
    g_defaultHandler = qInstallMessageHandler(&Messages);
    QApplication app(argc, argv);
    // A failure inside an event handler would otherwise wait for a message box.
    lk63::SetExceptionHandler([](const char* message) { ADD_FAILURE() << "event handler failed: " << message; });
    return RUN_ALL_TESTS();
}
