// Test entry point for widgets and windows: the core's pinning, then an
// application object on the offscreen platform at 96 dpi.
#pragma once

#include "CoreTestMain.h"

#include <QApplication>

#define TINTRY_TEST_MAIN(TestClass)                                                                          \
    int main(int argc, char** argv) {                                                                        \
        TINTRY_PIN_TEST_ENVIRONMENT();                                                                       \
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))                                                  \
            qputenv("QT_QPA_PLATFORM", "offscreen");                                                         \
        QApplication app(argc, argv);                                                                        \
        TINTRY_PIN_TEST_LOCALE();                                                                            \
        app.setAttribute(Qt::AA_Use96Dpi, true);                                                             \
        TestClass tc;                                                                                        \
        QTEST_SET_MAIN_SOURCE_PATH                                                                           \
        return QTest::qExec(&tc, argc, argv);                                                                \
    }
