// A view of where a profile's colours lie: the gamut's outline on the a*b*
// plane with slices at several L* levels, filled with the colours themselves
// as the monitor shows them, and the profile's description and gamut volume.
#pragma once

#include "KvGamutModel.h"

#include <QImage>
#include <QWidget>

class KvGamutView : public QWidget {
    Q_OBJECT
public:
    explicit KvGamutView(QWidget* parent = nullptr, const char* name = nullptr);

    // Whether gamut views can be drawn here.
    static bool supported();
    // For tests of callers: pretend gamut views cannot be drawn.
    static void forceUnsupported(bool unsupported);

    // Loads a profile to show, previewed through the monitor profile (sRGB
    // when the path is empty or unusable). 0 on success; on failure the view
    // shows why instead of a gamut.
    int fromICC(const char* profilePath, const char* monitorPath);

    const KvGamutModel& model() const { return gamut; }
    const QString& message() const { return problem; }
    QSize sizeHint() const override { return {400, 400}; }

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    void buildFill(const QString& monitorPath);
    QRectF plotRect() const;

    KvGamutModel gamut;
    QString problem;
    QImage fill; // the a*b* plane, -128..128 on both axes, in monitor colours
    bool loaded = false;
};
