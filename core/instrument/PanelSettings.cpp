#include "PanelSettings.h"

#include "SpotreadSource.h"

#include <QStringList>
#include <QUrl>

#include <algorithm>
#include <cmath>
#include <iterator>

static_assert(PanelSettings::defaultTimeoutSeconds * 1000 == SpotreadSource::defaultTimeout);

namespace {

const char* const sourceNames[] = {"manual", "spotread", "file", "simulated"};

QString encoded(const QString& value) {
    return QString::fromLatin1(QUrl::toPercentEncoding(value));
}

// Sets one known field from its text; false when the text is not a sound
// value for it. Unknown names are left alone and count as sound.
bool setField(PanelSettings& s, const QString& name, const QString& value, bool* known) {
    bool ok = true;
    *known = true;
    if (name == QLatin1String("addmode")) {
        ok = value == QLatin1String("0") || value == QLatin1String("1");
        s.addMode = value == QLatin1String("1");
    } else if (name == QLatin1String("source")) {
        const auto* it = std::find_if(std::begin(sourceNames), std::end(sourceNames),
                                      [&](const char* n) { return value == QLatin1String(n); });
        ok = it != std::end(sourceNames);
        s.source = int(it - std::begin(sourceNames));
    } else if (name == QLatin1String("program")) {
        s.program = value;
    } else if (name == QLatin1String("options")) {
        s.options = value;
    } else if (name == QLatin1String("timeout")) {
        s.timeoutSeconds = value.toInt(&ok);
        ok = ok && s.timeoutSeconds >= 1 && s.timeoutSeconds <= 3600;
    } else if (name == QLatin1String("simerror")) {
        s.simulatedError = value.toDouble(&ok);
        ok = ok && std::isfinite(s.simulatedError) && s.simulatedError >= 0 &&
             s.simulatedError <= PanelSettings::largestSimulatedError;
    } else if (name == QLatin1String("filedir")) {
        s.fileDir = value;
    } else {
        *known = false;
    }
    return ok;
}

} // namespace

bool PanelSettings::parse(const std::string& stored, PanelSettings* out) {
    PanelSettings s;
    bool found = false;
    for (const QString& field : QString::fromStdString(stored).split(';', Qt::SkipEmptyParts)) {
        const qsizetype eq = field.indexOf('=');
        if (eq <= 0)
            return false;
        const QString name = field.left(eq).trimmed();
        const QString value = QUrl::fromPercentEncoding(field.mid(eq + 1).trimmed().toUtf8());
        bool known = false;
        if (!setField(s, name, value, &known))
            return false;
        found = found || known;
    }
    if (found)
        *out = s;
    return found;
}

std::string PanelSettings::encode() const {
    const int at = std::clamp(source, int(Manual), int(Simulated));
    // Joined, not formatted with arg(): an encoded value holds "%2F" and the like.
    const QString value = QLatin1String("addmode=") + (addMode ? '1' : '0') + QLatin1String(";source=") +
                          QLatin1String(sourceNames[at]) + QLatin1String(";program=") + encoded(program) +
                          QLatin1String(";options=") + encoded(options) + QLatin1String(";timeout=") +
                          QString::number(timeoutSeconds) + QLatin1String(";simerror=") +
                          QString::number(simulatedError, 'g', 6) + QLatin1String(";filedir=") +
                          encoded(fileDir);
    return value.toStdString();
}
