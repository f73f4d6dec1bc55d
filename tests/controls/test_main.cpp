// GUI tests run on Qt's offscreen platform with one application object.
#include <gtest/gtest.h>

#include <QApplication>

extern "C" const char* __lsan_default_suppressions() {
    // Caches that font and platform libraries keep until the process ends.
    return "leak:libfontconfig\nleak:libQt6Gui\nleak:libQt6Core\nleak:libglib\n";
}

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
