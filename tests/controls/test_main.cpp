// GUI tests run on Qt's offscreen platform with one application object.
#include <gtest/gtest.h>

#include <QApplication>

#include "controls/event_guard.h"

extern "C" const char* __lsan_default_suppressions() {
    // Caches that font and platform libraries keep until the process ends.
    return "leak:libfontconfig\nleak:libQt6Gui\nleak:libQt6Core\nleak:libglib\n";
}

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    // A failure inside an event handler would otherwise wait for a message box.
    lk63::SetExceptionHandler([](const char* message) { ADD_FAILURE() << "event handler failed: " << message; });
    return RUN_ALL_TESTS();
}
