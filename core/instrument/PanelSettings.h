// What the instrument panel keeps in its one settings value, and the codec of
// that value: a list of "name=value" fields separated by ';', the values
// percent-encoded. Unknown fields are skipped, so a newer panel's value still
// loads; a damaged known field makes the whole value void, and the panel
// starts from its defaults (manual entry) rather than half of someone's
// settings. The first panels stored only "addmode=0|1".
#pragma once

#include <QString>

#include <string>

struct PanelSettings {
    // Where readings come from; stored by name, never by number.
    enum Source { Manual = 0, Spotread = 1, File = 2, Simulated = 3 };

    static constexpr int defaultTimeoutSeconds = 30; // as SpotreadSource::defaultTimeout
    static constexpr double defaultSimulatedError = 1.0;
    static constexpr double largestSimulatedError = 50.0;

    bool addMode = false;
    int source = Manual;
    QString program = QStringLiteral("spotread");
    QString options;
    int timeoutSeconds = defaultTimeoutSeconds;
    double simulatedError = defaultSimulatedError;
    QString fileDir;

    // False, and `out` untouched, when the value is missing or damaged.
    static bool parse(const std::string& stored, PanelSettings* out);
    std::string encode() const;
};
