// The window tests on Qt run offscreen: every widget is real, nothing reaches a display.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    // As the program itself starts: its name is the title the windows show, and the icon lives
    // in the forms library, whose resources a static library must pull in.
    QApplication::setApplicationName(QStringLiteral("Tessarn"));
    Q_INIT_RESOURCE(tessarn);
    QApplication::setQuitOnLastWindowClosed(false);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
