// A test that needs an outside tool or data set (transicc, gs, a Debian
// profile...) skips on a developer's machine that lacks it, naming what is
// missing; with TINTRY_REQUIRE_TOOLS=1, as CI runs, it fails instead, so a CI
// machine without the oracles can never pass green.
#pragma once

#include <QTest>
#include <QtGlobal>

#define TINTRY_NEED_TOOL(ok, what)                                                                           \
    do {                                                                                                     \
        if (!(ok)) {                                                                                         \
            if (qEnvironmentVariableIntValue("TINTRY_REQUIRE_TOOLS") != 0)                                   \
                QFAIL(qPrintable(QStringLiteral("required by TINTRY_REQUIRE_TOOLS: ") + QString(what)));     \
            QSKIP(qPrintable(QString(what)));                                                                \
        }                                                                                                    \
    } while (0)
