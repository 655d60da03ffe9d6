// Readings typed in by hand: each Read takes the L, a, b in the panel.
#pragma once

#include "ReadingSource.h"

class ManualSource : public ReadingSource {
    Q_OBJECT

public:
    using ReadingSource::ReadingSource;

    Kind kind() const override { return Manual; }
    QString status(const Target&) const override { return {}; }
    bool canRead(const Target&) const override { return true; }
    void read(const Target& target) override {
        emit reading(target.typed[0], target.typed[1], target.typed[2]);
    }
    bool takesTypedLab(bool) const override { return true; }
};
