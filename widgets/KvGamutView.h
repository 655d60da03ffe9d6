// A view of where a profile's colours lie: the gamut's outline on the a*b*
// plane with slices at several L* levels, filled with the colours themselves
// as the monitor shows them, and the profile's description and gamut volume.
// The gamut is worked out off the GUI thread; until it arrives the view says
// it is measuring.
#pragma once

#include "KvGamutJob.h"
#include "KvGamutModel.h"

#include <QImage>
#include <QWidget>

#include <memory>

class KvGamutView : public QWidget {
    Q_OBJECT
public:
    explicit KvGamutView(QWidget* parent = nullptr, const char* name = nullptr);

    // Whether gamut views can be drawn here.
    static bool supported();
    // For tests of callers: pretend gamut views cannot be drawn.
    static void forceUnsupported(bool unsupported);

    // Loads a profile to show, its colours read through `intent` (relative
    // colorimetric unless told), previewed through the monitor profile (sRGB
    // when the path is empty or unusable). 0 when the profile can be used and
    // is being measured; on failure the view shows why instead of a gamut.
    int fromICC(const char* profilePath, const char* monitorPath, int intent = 1);

    // True from a successful fromICC until the gamut has arrived.
    bool measuring() const { return pending; }
    // The gamut shown; empty while measuring or after a failure.
    const KvGamutModel& model() const;
    const QString& message() const { return problem; }
    QSize sizeHint() const override { return {400, 400}; }

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    void arrive();
    void paintMessage(QPainter& p, const QString& text);
    void paintAxes(QPainter& p);
    void paintGamut(QPainter& p);
    void paintCaption(QPainter& p);
    QRectF plotRect() const;
    QPointF toScreen(double a, double b) const;

    KvGamutJob job;
    std::unique_ptr<KvGamutModel> gamut;
    QString description;
    QString problem;
    QImage fill; // the a*b* plane, -128..128 on both axes, in monitor colours
    bool pending = false;
};
