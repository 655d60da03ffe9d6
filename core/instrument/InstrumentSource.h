// Readings from a spectrophotometer: SpotreadSource runs ArgyllCMS's
// spotread, this says what it is doing in the panel's words and hands its
// readings on.
#pragma once

#include "ReadingSource.h"
#include "SpotreadSource.h"

class InstrumentSource : public ReadingSource {
    Q_OBJECT

public:
    explicit InstrumentSource(QObject* parent = nullptr);

    Kind kind() const override { return Spotread; }
    bool available() const override { return child.isAvailable(); }
    QString status(const Target& target) const override;
    bool canRead(const Target& target) const override;
    void read(const Target&) override { child.read(); }
    void cancel() override { child.cancel(); }
    bool busy() const override { return child.isRunning(); }
    bool takesTypedLab(bool) const override { return false; }
    bool cancels() const override { return true; }

    SpotreadSource& spotread() { return child; }
    const SpotreadSource& spotread() const { return child; }

private:
    SpotreadSource child;
};
