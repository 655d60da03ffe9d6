#include "KvGamut3DView.h"

#include "MonitorPreview.h"

#include <QFile>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <algorithm>

namespace {

// Dots drawn at most; every reading is still counted.
constexpr std::size_t mostDots = 20000;

QString textOf(const Status& s) {
    return s ? QString() : QString::fromStdString(s.failure().text());
}

} // namespace

KvGamut3DView::KvGamut3DView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("gamut3d_view"));
    setMinimumSize(240, 240);
    setFocusPolicy(Qt::StrongFocus);
    setToolTip(tr("Drag or use the arrow keys to turn, the wheel or + and - to zoom, Home to reset"));
    connect(&jobA, &KvGamutJob::finished, this, &KvGamut3DView::arriveA, Qt::QueuedConnection);
    connect(&jobB, &KvGamutJob::finished, this, &KvGamut3DView::arriveB, Qt::QueuedConnection);
}

const KvGamutModel& KvGamut3DView::model() const {
    static const KvGamutModel none;
    return gamut ? *gamut : none;
}

int KvGamut3DView::fromICC(const QString& profilePath, const QString& monitorPath, int intent) {
    jobB.abandon();
    gamut.reset();
    other.reset();
    compared.reset();
    comparisonProblem.clear();
    otherDescription.clear();
    pendingB = false;
    scene.clear();
    profile = profilePath;
    monitor = monitorPath;
    readIntent = intent;
    auto m = std::make_unique<KvGamutModel>();
    const Status s = m->open(profilePath, intent);
    const bool usable = s.ok();
    problem = textOf(s);
    description = m->description();
    pendingA = usable;
    if (usable)
        jobA.start(std::move(m), monitorPath);
    else
        jobA.abandon();
    judgeReadings();
    update();
    return usable ? 0 : -1;
}

Status KvGamut3DView::compareWith(const QString& profilePath) {
    if (profile.isEmpty() || !problem.isEmpty())
        return Failure{profilePath.toStdString(), "there is no gamut to compare it with"};
    auto b = std::make_unique<KvGamutModel>();
    if (Status s = b->open(profilePath, readIntent); !s)
        return s;
    // The job compares a model of its own; the one shown stays with the view.
    auto a = std::make_unique<KvGamutModel>();
    if (Status s = a->open(profile, readIntent); !s)
        return s;
    other.reset();
    compared.reset();
    comparisonProblem.clear();
    scene.setOther({}, {});
    otherDescription = b->description();
    pendingB = true;
    jobB.start(std::move(b), monitor, std::move(a));
    update();
    return {};
}

void KvGamut3DView::arriveA() {
    KvGamutJob::Result r = jobA.take();
    if (!r.model)
        return; // a later fromICC superseded this job
    pendingA = false;
    if (!r.status) {
        problem = textOf(r.status);
    } else {
        gamut = std::move(r.model);
        scene.setGamut(gamut->samples(), r.shell, r.colours);
    }
    judgeReadings();
    update();
}

void KvGamut3DView::arriveB() {
    KvGamutJob::Result r = jobB.take();
    if (!r.model)
        return;
    pendingB = false;
    if (!r.status) {
        comparisonProblem = textOf(r.status);
    } else {
        other = std::move(r.model);
        scene.setOther(other->samples(), r.shell);
        compared = std::move(r.comparison);
        comparisonProblem = textOf(r.compared);
    }
    update();
}

void KvGamut3DView::setReadings(std::vector<KvLabPoint> lab, const QString& source) {
    readings = std::move(lab);
    readingSource = source;
    judgeReadings();
    update();
}

// Against the first gamut's own boundary, the one drawn solid.
void KvGamut3DView::judgeReadings() {
    outsideCount = 0;
    std::vector<KvGamutScene::Dot> dots;
    if (!gamut || readings.empty()) {
        scene.setDots({});
        return;
    }
    const KvGamutSurface& boundary = gamut->boundary();
    const MonitorPreview screen = MonitorPreview::openOrSrgb(QFile::encodeName(monitor).toStdString());
    const std::size_t every = std::max<std::size_t>(1, readings.size() / mostDots);
    for (std::size_t i = 0; i < readings.size(); ++i) {
        const KvLabPoint& p = readings[i];
        const bool outside = !boundary.contains(p);
        outsideCount += outside ? 1 : 0;
        if (i % every != 0)
            continue;
        const double lab[3] = {p.L, p.a, p.b};
        unsigned char rgb[3] = {128, 128, 128};
        screen.toRgb(lab, rgb);
        dots.push_back({p, qRgb(rgb[0], rgb[1], rgb[2]), outside});
    }
    scene.setDots(std::move(dots));
}

QStringList KvGamut3DView::figures() const {
    QStringList lines;
    if (!problem.isEmpty())
        return lines;
    const auto units = [](double v) { return tr("%L1 cubic Lab units").arg(qRound64(v)); };
    if (pendingA) {
        lines << tr("Gamut volume: measuring ...");
    } else if (gamut && !compared && !pendingB) {
        lines << tr("Gamut volume: %1").arg(units(gamut->measuredVolume()));
    }
    if (pendingB) {
        lines << tr("Comparing with %1: measuring ...").arg(otherDescription);
    } else if (compared) {
        lines << tr("A (solid, %1): %2").arg(description, units(compared->volumeA()));
        lines << tr("B (wireframe, %1): %2").arg(otherDescription, units(compared->volumeB()));
        lines << tr("Both hold: %1").arg(units(compared->overlap()));
        lines << tr("A inside B: %L1 %, B inside A: %L2 %")
                     .arg(compared->aInB(), 0, 'f', 1)
                     .arg(compared->bInA(), 0, 'f', 1);
    } else if (!comparisonProblem.isEmpty()) {
        lines << tr("No comparison with %1: %2").arg(otherDescription, comparisonProblem);
    }
    if (!readings.empty() && gamut)
        lines << tr("%1: %L2 of %L3 readings lie outside")
                     .arg(readingSource)
                     .arg(qulonglong(outsideCount))
                     .arg(qulonglong(readings.size()));
    return lines;
}

void KvGamut3DView::setWireframe(bool on) {
    wires = on;
    update();
}

void KvGamut3DView::setCamera(const KvGamutScene::Camera& camera) {
    eye = camera;
    eye.pitch = std::clamp(eye.pitch, -90.0, 90.0);
    eye.zoom = std::clamp(eye.zoom, 0.25, 8.0);
    eye.yaw = std::remainder(eye.yaw, 360.0);
    update();
}

void KvGamut3DView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), QColor::fromRgb(background));
    if (!problem.isEmpty()) {
        p.setPen(Qt::white);
        p.drawText(rect().adjusted(12, 12, -12, -12), Qt::AlignCenter | Qt::TextWordWrap,
                   tr("No gamut to show.") + "\n" + problem);
        return;
    }
    scene.paint(p, QRectF(rect()).adjusted(0, 24, 0, 0), eye, wires);
    paintCaption(p);
}

void KvGamut3DView::paintCaption(QPainter& p) {
    QStringList lines = figures();
    if (!compared)
        lines.prepend(description);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(Qt::white);
    p.drawText(QRectF(8, 4, width() - 16, height() - 8), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
               lines.join('\n'));
}

void KvGamut3DView::mousePressEvent(QMouseEvent* e) {
    dragFrom = e->position().toPoint();
    setFocus(Qt::MouseFocusReason);
}

void KvGamut3DView::mouseMoveEvent(QMouseEvent* e) {
    if (!(e->buttons() & Qt::LeftButton))
        return;
    const QPoint now = e->position().toPoint();
    const QPoint moved = now - dragFrom;
    dragFrom = now;
    KvGamutScene::Camera c = eye;
    c.yaw += moved.x() * 0.5;
    c.pitch += moved.y() * 0.5;
    setCamera(c);
}

void KvGamut3DView::wheelEvent(QWheelEvent* e) {
    KvGamutScene::Camera c = eye;
    c.zoom *= std::pow(1.15, e->angleDelta().y() / 120.0);
    setCamera(c);
    e->accept();
}

void KvGamut3DView::keyPressEvent(QKeyEvent* e) {
    KvGamutScene::Camera c = eye;
    switch (e->key()) {
    case Qt::Key_Left:
        c.yaw -= 5;
        break;
    case Qt::Key_Right:
        c.yaw += 5;
        break;
    case Qt::Key_Up:
        c.pitch += 5;
        break;
    case Qt::Key_Down:
        c.pitch -= 5;
        break;
    case Qt::Key_Plus:
    case Qt::Key_Equal:
        c.zoom *= 1.15;
        break;
    case Qt::Key_Minus:
        c.zoom /= 1.15;
        break;
    case Qt::Key_Home:
        c = KvGamutScene::Camera();
        break;
    default:
        QWidget::keyPressEvent(e);
        return;
    }
    setCamera(c);
}
