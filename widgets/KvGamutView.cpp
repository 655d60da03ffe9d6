#include "KvGamutView.h"
#include "KvGamutFill.h"

#include <QFile>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace {

bool forcedOff = false;
constexpr double abRange = KvGamutFill::range;

} // namespace

KvGamutView::KvGamutView(QWidget* parent, const char* name) : QWidget(parent) {
    if (name)
        setObjectName(QString::fromLatin1(name));
    setMinimumSize(200, 200);
    connect(&job, &KvGamutJob::finished, this, &KvGamutView::arrive, Qt::QueuedConnection);
}

bool KvGamutView::supported() {
    return !forcedOff;
}

void KvGamutView::forceUnsupported(bool unsupported) {
    forcedOff = unsupported;
}

const KvGamutModel& KvGamutView::model() const {
    static const KvGamutModel none;
    return gamut ? *gamut : none;
}

// Whether the profile can be used at all is quick to tell, and callers learn
// it at once; the sampling, the volume and the fill take up to a few tenths
// of a second and come later.
int KvGamutView::fromICC(const char* profilePath, const char* monitorPath, int intent) {
    gamut.reset();
    fill = QImage();
    auto opened = std::make_unique<KvGamutModel>();
    const Status s = opened->open(QFile::decodeName(profilePath ? profilePath : ""), intent);
    const bool usable = s.ok();
    problem = usable ? QString() : QString::fromStdString(s.failure().text());
    description = opened->description();
    pending = usable;
    if (usable)
        job.start(std::move(opened), QFile::decodeName(monitorPath ? monitorPath : ""));
    else
        job.abandon(); // the gamut still measuring must not arrive in its place
    update();
    return usable ? 0 : -1;
}

void KvGamutView::arrive() {
    KvGamutJob::Result result = job.take();
    if (!result.model)
        return; // a later fromICC superseded this job
    pending = false;
    if (!result.status) {
        problem = QString::fromStdString(result.status.failure().text());
    } else {
        gamut = std::move(result.model);
        fill = QImage(KvGamutFill::side, KvGamutFill::side, QImage::Format_RGB32);
        for (int y = 0; y < KvGamutFill::side; ++y)
            std::copy_n(result.fill.data() + std::size_t(y) * KvGamutFill::side, KvGamutFill::side,
                        reinterpret_cast<std::uint32_t*>(fill.scanLine(y)));
    }
    update();
}

QRectF KvGamutView::plotRect() const {
    // Square, so one unit of a* is as long as one of b*.
    const double margin = 36;
    const double side = std::max(10.0, std::min(width(), height()) - 2 * margin);
    return {(width() - side) / 2, (height() - side) / 2 + 8, side, side};
}

QPointF KvGamutView::toScreen(double a, double b) const {
    const QRectF plot = plotRect();
    return {plot.left() + (a + abRange) / (2 * abRange) * plot.width(),
            plot.top() + (abRange - b) / (2 * abRange) * plot.height()};
}

void KvGamutView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(rect(), QColor(96, 96, 96));
    if (!problem.isEmpty()) {
        paintMessage(p, tr("No gamut to show.") + "\n" + problem);
        return;
    }
    paintAxes(p);
    if (gamut)
        paintGamut(p);
    paintCaption(p);
}

void KvGamutView::paintMessage(QPainter& p, const QString& text) {
    p.setPen(Qt::white);
    p.drawText(rect().adjusted(12, 12, -12, -12), Qt::AlignCenter | Qt::TextWordWrap, text);
}

// Axes through the neutral point, ticks every 20 units.
void KvGamutView::paintAxes(QPainter& p) {
    p.setPen(QPen(QColor(200, 200, 200), 1));
    p.drawLine(toScreen(-abRange, 0), toScreen(abRange, 0));
    p.drawLine(toScreen(0, -abRange), toScreen(0, abRange));
    QFont small = font();
    small.setPointSizeF(std::max(6.0, small.pointSizeF() * 0.8));
    p.setFont(small);
    for (int v = -120; v <= 120; v += 20) {
        if (v == 0)
            continue;
        const QPointF x = toScreen(v, 0), y = toScreen(0, v);
        p.drawLine(x + QPointF(0, -3), x + QPointF(0, 3));
        p.drawLine(y + QPointF(-3, 0), y + QPointF(3, 0));
        if (v % 40 == 0) {
            p.drawText(QRectF(x.x() - 15, x.y() + 4, 30, 12), Qt::AlignHCenter | Qt::AlignTop,
                       QString::number(v));
            p.drawText(QRectF(y.x() + 5, y.y() - 6, 30, 12), Qt::AlignLeft | Qt::AlignVCenter,
                       QString::number(v));
        }
    }
    p.drawText(toScreen(abRange, 0) + QPointF(-14, -6), "a*");
    p.drawText(toScreen(0, abRange) + QPointF(6, 10), "b*");
}

void KvGamutView::paintGamut(QPainter& p) {
    auto pathOf = [&](const KvGamutModel::Outline& o) {
        QPainterPath path;
        for (std::size_t i = 0; i < o.size(); ++i)
            i == 0 ? path.moveTo(toScreen(o[i].a, o[i].b)) : path.lineTo(toScreen(o[i].a, o[i].b));
        path.closeSubpath();
        return path;
    };
    const QPainterPath outline = pathOf(gamut->outline());
    p.save();
    p.setClipPath(outline);
    p.drawImage(plotRect(), fill);
    p.restore();
    p.setPen(QPen(Qt::black, 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawPath(outline);
    // Slices: a dark line under a light dashed one reads on any colour.
    for (const KvGamutModel::Slice& s : gamut->slices()) {
        const QPainterPath path = pathOf(s.outline);
        p.setPen(QPen(QColor(0, 0, 0, 110), 2.2));
        p.drawPath(path);
        p.setPen(QPen(Qt::white, 1, Qt::DashLine));
        p.drawPath(path);
        const QRectF box = path.boundingRect();
        p.drawText(QPointF(box.right() + 3, box.center().y()), QStringLiteral("L*%1").arg(s.L));
    }
}

void KvGamutView::paintCaption(QPainter& p) {
    p.setPen(Qt::white);
    QFont small = font();
    small.setPointSizeF(std::max(6.0, small.pointSizeF() * 0.8));
    p.setFont(font());
    const QString volume = gamut && gamut->hasVolume()
                               ? tr("Gamut volume: %1 cubic Lab units").arg(qRound64(gamut->measuredVolume()))
                               : tr("Gamut volume: measuring ...");
    p.drawText(QRectF(8, 4, width() - 16, 40), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
               description + "\n" + volume);
    p.setFont(small);
    p.drawText(QRectF(8, height() - 18, width() - 16, 14), Qt::AlignRight,
               tr("Dashed: slices at L* 20, 40, 60, 80"));
}
