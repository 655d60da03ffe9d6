// Test entry point for the core: pins what varies between machines before the
// application object exists. Settings go to a fresh configuration directory
// so a test never reads or writes a user's settings; the locale is C so
// numbers print the same everywhere. No display and no widgets.
#pragma once

#include <QCoreApplication>
#include <QLocale>
#include <QTemporaryDir>
#include <QTest>

#include <clocale>
#include <cstdlib>

#define TINTRY_PIN_TEST_ENVIRONMENT()                                                                        \
    QTemporaryDir configHome;                                                                                \
    qputenv("XDG_CONFIG_HOME", configHome.path().toUtf8());                                                  \
    qputenv("LC_ALL", "C")

#define TINTRY_PIN_TEST_LOCALE()                                                                             \
    std::setlocale(LC_ALL, "C");                                                                             \
    QLocale::setDefault(QLocale::c())

#define TINTRY_CORE_TEST_MAIN(TestClass)                                                                     \
    int main(int argc, char** argv) {                                                                        \
        TINTRY_PIN_TEST_ENVIRONMENT();                                                                       \
        QCoreApplication app(argc, argv);                                                                    \
        TINTRY_PIN_TEST_LOCALE();                                                                            \
        TestClass tc;                                                                                        \
        QTEST_SET_MAIN_SOURCE_PATH                                                                           \
        return QTest::qExec(&tc, argc, argv);                                                                \
    }
