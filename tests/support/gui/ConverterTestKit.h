// Shared by the converter tests: the real profiles of the test machine, a
// converter on its own settings store, profile choice through the dialog seam,
// and transicc as the independent reference.
#pragma once

#include "DialogScript.h"
#include "KvRegistry.h"
#include "Tintry.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QStackedWidget>
#include <QStandardPaths>
#include <QStringList>
#include <QTest>

#include <memory>

namespace kit {

inline const QString sRGB = QStringLiteral("/usr/share/color/icc/sRGB.icc");
inline const QString adobeRGB = QStringLiteral("/usr/share/color/icc/compatibleWithAdobeRGB1998.icc");
inline const QString cmyk = QStringLiteral("/usr/share/color/icc/ghostscript/default_cmyk.icc");
inline const QString gray = QStringLiteral("/usr/share/color/icc/Gray.icc");                // 'mntr', GRAY
inline const QString colourSpace = QStringLiteral("/usr/share/color/icc/ITULab.icc");       // 'spac'
inline const QString abstractLab = QStringLiteral("/usr/share/color/icc/CineLogCurve.icc"); // 'abst'

inline const std::string section = "tintry";

inline bool haveProfiles() {
    for (const QString& p : {sRGB, adobeRGB, cmyk, gray, colourSpace, abstractLab})
        if (!QFileInfo::exists(p))
            return false;
    return true;
}

inline void store(KvRegistry& r, const QString& in, const QString& out, const QString& monitor = QString()) {
    r.putstring(section, "inICC", in.toStdString());
    r.putstring(section, "outICC", out.toStdString());
    r.putstring(section, "monitorICC", monitor.toStdString());
}

inline QString stored(KvRegistry& r, const char* key) {
    return QString::fromStdString(r.getstring(section, key));
}

// Chooses a profile with the given button as a user would.
inline void choose(DialogScript& script, QPushButton* button, const QString& path) {
    script.openFile(path);
    button->click();
}

// transicc's answer for one colour, as numbers. `args` carries the flags.
inline QList<double> transicc(const QStringList& args, const QString& input) {
    QProcess p;
    p.start(QStringLiteral("transicc"), args + QStringList{QStringLiteral("-n")});
    if (!p.waitForStarted())
        return {};
    p.write(input.toLatin1() + "\n");
    p.closeWriteChannel();
    p.waitForFinished();
    QList<double> out;
    const QStringList lines = QString::fromLatin1(p.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    if (lines.isEmpty())
        return {};
    for (const QString& f : lines.last().split(' ', Qt::SkipEmptyParts))
        out << f.toDouble();
    return out;
}

inline bool haveTransicc() {
    return !QStandardPaths::findExecutable(QStringLiteral("transicc")).isEmpty();
}

} // namespace kit
