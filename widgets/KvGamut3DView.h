// A profile's gamut in three dimensions (CIELAB, L* up), turned with the
// mouse or the arrow keys and zoomed with the wheel or +/-, solid or as a
// wireframe, in its own colours as the monitor shows them. A second profile
// can be laid over it as a wireframe, with the figures of the comparison;
// measured colours show as dots, those outside the gamut ringed and counted.
// Gamuts are worked out off the GUI thread; until they arrive the view says
// it is measuring.
#pragma once

#include "KvGamutJob.h"
#include "KvGamutScene.h"
#include "Outcome.h"

#include <QPoint>
#include <QWidget>

#include <memory>
#include <optional>
#include <vector>

class KvGamut3DView : public QWidget {
    Q_OBJECT
public:
    static constexpr QRgb background = 0xff484848;

    explicit KvGamut3DView(QWidget* parent = nullptr);

    // Loads the profile to show (replacing any comparison), its colours read
    // through `intent`, previewed through the monitor profile (sRGB when the
    // path is empty or unusable). 0 when the profile can be used and is being
    // measured; on failure the view shows why instead of a gamut.
    int fromICC(const QString& profilePath, const QString& monitorPath, int intent = 1);
    // Lays a second profile over the first and measures how they compare.
    // Fails at once, leaving the view as it was, when either profile cannot
    // be used.
    Status compareWith(const QString& profilePath);
    // Measured colours to show; `source` names them in the caption.
    void setReadings(std::vector<KvLabPoint> lab, const QString& source);

    bool measuring() const { return pendingA || pendingB; }
    const KvGamutModel& model() const;
    const std::optional<KvGamutComparison>& comparison() const { return compared; }
    const QString& message() const { return problem; }
    // The figures the caption shows, one to a line.
    QStringList figures() const;
    std::size_t readingsOutside() const { return outsideCount; }
    std::size_t readingCount() const { return readings.size(); }

    void setWireframe(bool on);
    bool wireframe() const { return wires; }
    const KvGamutScene::Camera& camera() const { return eye; }
    void setCamera(const KvGamutScene::Camera& camera);

    QSize sizeHint() const override { return {560, 520}; }

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    void arriveA();
    void arriveB();
    void judgeReadings();
    void paintCaption(QPainter& p);

    KvGamutJob jobA, jobB;
    std::unique_ptr<KvGamutModel> gamut;
    std::unique_ptr<KvGamutModel> other;
    std::optional<KvGamutComparison> compared;
    QString comparisonProblem;
    KvGamutScene scene;
    QString profile, monitor, description, otherDescription, problem;
    int readIntent = 1;
    bool pendingA = false, pendingB = false;

    std::vector<KvLabPoint> readings;
    QString readingSource;
    std::size_t outsideCount = 0;

    KvGamutScene::Camera eye;
    bool wires = false;
    QPoint dragFrom;
};
