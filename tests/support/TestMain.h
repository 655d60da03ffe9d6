// Test entry point: pins what varies between machines before the application
// object exists. Settings go to a fresh configuration directory so a test
// never reads or writes a user's settings; the locale is C so numbers print
// the same everywhere.
#pragma once

#include <QApplication>
#include <QLocale>
#include <QTemporaryDir>
#include <QTest>

#include <clocale>
#include <cstdlib>

#define TINTRY_TEST_MAIN(TestClass)                                                                          \
    int main(int argc, char** argv) {                                                                        \
        QTemporaryDir configHome;                                                                            \
        qputenv("XDG_CONFIG_HOME", configHome.path().toUtf8());                                              \
        qputenv("LC_ALL", "C");                                                                              \
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))                                                  \
            qputenv("QT_QPA_PLATFORM", "offscreen");                                                         \
        QApplication app(argc, argv);                                                                        \
        std::setlocale(LC_ALL, "C");                                                                         \
        QLocale::setDefault(QLocale::c());                                                                   \
        app.setAttribute(Qt::AA_Use96Dpi, true);                                                             \
        TestClass tc;                                                                                        \
        QTEST_SET_MAIN_SOURCE_PATH                                                                           \
        return QTest::qExec(&tc, argc, argv);                                                                \
    }
