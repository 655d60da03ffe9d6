// Where a reading comes from. The instrument panel holds one source at a
// time and only draws what the source says; every source answers the same
// questions (available? what does it say? may it read now?) and delivers a
// reading, at once or later, through the same signal:
//   - ManualSource: the Lab typed into the panel;
//   - InstrumentSource: a spectrophotometer through ArgyllCMS's spotread;
//   - FileSource: a measurement file, row by row or a whole chart at once;
//   - SimulatedSource: the target moved by a set CIEDE2000 error.
// The panel's words are the sources' own, translated in the panel's context.
#pragma once

#include "PanelSettings.h"

#include <QObject>
#include <QString>

#include <cstddef>

class ChartSession;

class ReadingSource : public QObject {
    Q_OBJECT

public:
    enum Kind {
        Manual = PanelSettings::Manual,
        Spotread = PanelSettings::Spotread,
        File = PanelSettings::File,
        Simulated = PanelSettings::Simulated
    };

    // What a reading is for: the current patch of a chart, or a free reading
    // of the colour typed in the panel.
    struct Target {
        const ChartSession* chart = nullptr; // null, or empty: a free reading
        std::size_t patch = 0;
        double typed[3] = {0, 0, 0};
        bool charted() const;
        // The Lab the reading aims at: the patch's target, else the typed Lab.
        const double* lab() const;
    };

    using QObject::QObject;

    virtual Kind kind() const = 0;
    virtual bool available() const { return true; }
    // What the panel says of the source now; empty for nothing.
    virtual QString status(const Target& target) const = 0;
    virtual bool canRead(const Target& target) const = 0;
    // Emits reading() now or later, or says in statusChanged() why not.
    virtual void read(const Target& target) = 0;
    virtual void cancel() {}
    virtual bool busy() const { return false; }

    // What the panel shows for the source: the typed Lab, a Load button, a
    // Cancel button.
    virtual bool takesTypedLab(bool chartMode) const { return !chartMode; }
    virtual bool loadsFiles() const { return false; }
    virtual bool cancels() const { return false; }

    static QString labText(double L, double a, double b);

signals:
    void reading(double L, double a, double b);
    void statusChanged();
};
