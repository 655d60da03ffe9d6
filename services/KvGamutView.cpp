#include "KvGamutView.h"

#include <QFile>
#include <QPainter>
#include <QPainterPath>
#include <QTimer>

#include <lcms2.h>

#include <cmath>

namespace {

bool forcedOff = false;
constexpr int fillSide = 256; // one cell per a*b* unit
constexpr double abRange = 128.0;

void quietErrors(cmsContext, cmsUInt32Number, const char*) {}

} // namespace

KvGamutView::KvGamutView(QWidget* parent, const char* name) : QWidget(parent) {
    if (name)
        setObjectName(QString::fromLatin1(name));
    setMinimumSize(200, 200);
}

bool KvGamutView::supported() {
    return !forcedOff;
}

void KvGamutView::forceUnsupported(bool unsupported) {
    forcedOff = unsupported;
}

int KvGamutView::fromICC(const char* profilePath, const char* monitorPath) {
    loaded = gamut.load(QFile::decodeName(profilePath ? profilePath : ""));
    problem = loaded ? QString() : gamut.error();
    fill = QImage();
    if (loaded) {
        buildFill(QFile::decodeName(monitorPath ? monitorPath : ""));
        // The volume takes a few tenths of a second: let the window show first.
        QTimer::singleShot(0, this, [this] {
            gamut.volume();
            update();
        });
    }
    update();
    return loaded ? 0 : -1;
}

// Seen from above: each a*b* cell takes the lightest sampled colour over it,
// shown through the monitor profile. Cells the samples missed borrow from a
// neighbour; the outline clips the rest when painting.
void KvGamutView::buildFill(const QString& monitorPath) {
    std::vector<double> top(std::size_t(fillSide) * fillSide, -1.0);
    std::vector<KvLabPoint> colour(top.size());
    for (const KvLabPoint& p : gamut.samples()) {
        const int x = int(std::floor(p.a + abRange)), y = int(std::floor(abRange - p.b));
        if (x < 0 || y < 0 || x >= fillSide || y >= fillSide)
            continue;
        const std::size_t i = std::size_t(y) * fillSide + std::size_t(x);
        if (p.L > top[i]) {
            top[i] = p.L;
            colour[i] = p;
        }
    }
    for (int pass = 0; pass < 6; ++pass) {
        std::vector<double> nextTop = top;
        for (int y = 0; y < fillSide; ++y)
            for (int x = 0; x < fillSide; ++x) {
                const std::size_t i = std::size_t(y) * fillSide + std::size_t(x);
                if (top[i] >= 0)
                    continue;
                for (auto [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) {
                    const int nx = x + dx, ny = y + dy;
                    if (nx < 0 || ny < 0 || nx >= fillSide || ny >= fillSide)
                        continue;
                    const std::size_t j = std::size_t(ny) * fillSide + std::size_t(nx);
                    if (top[j] >= 0) {
                        nextTop[i] = top[j];
                        colour[i] = {colour[j].L, colour[j].a, colour[j].b};
                        break;
                    }
                }
            }
        top.swap(nextTop);
    }

    cmsContext ctx = cmsCreateContext(nullptr, nullptr);
    cmsSetLogErrorHandlerTHR(ctx, quietErrors);
    cmsHPROFILE lab = cmsCreateLab4ProfileTHR(ctx, nullptr);
    cmsHPROFILE monitor =
        monitorPath.isEmpty()
            ? nullptr
            : cmsOpenProfileFromFileTHR(ctx, QFile::encodeName(monitorPath).constData(), "r");
    if (monitor &&
        (cmsGetColorSpace(monitor) != cmsSigRgbData || cmsGetDeviceClass(monitor) == cmsSigLinkClass)) {
        cmsCloseProfile(monitor);
        monitor = nullptr;
    }
    if (!monitor)
        monitor = cmsCreate_sRGBProfileTHR(ctx);
    cmsHTRANSFORM toScreen =
        cmsCreateTransformTHR(ctx, lab, TYPE_Lab_DBL, monitor, TYPE_RGB_8, INTENT_RELATIVE_COLORIMETRIC, 0);
    fill = QImage(fillSide, fillSide, QImage::Format_ARGB32);
    fill.fill(Qt::transparent);
    if (toScreen) {
        for (int y = 0; y < fillSide; ++y) {
            auto* line = reinterpret_cast<QRgb*>(fill.scanLine(y));
            for (int x = 0; x < fillSide; ++x) {
                const std::size_t i = std::size_t(y) * fillSide + std::size_t(x);
                if (top[i] < 0)
                    continue;
                const double lab3[3] = {colour[i].L, colour[i].a, colour[i].b};
                unsigned char rgb[3];
                cmsDoTransform(toScreen, lab3, rgb, 1);
                line[x] = qRgb(rgb[0], rgb[1], rgb[2]);
            }
        }
        cmsDeleteTransform(toScreen);
    }
    cmsCloseProfile(monitor);
    cmsCloseProfile(lab);
    cmsDeleteContext(ctx);
}

QRectF KvGamutView::plotRect() const {
    // Square, so one unit of a* is as long as one of b*.
    const double margin = 36;
    const double side = std::max(10.0, std::min(width(), height()) - 2 * margin);
    return {(width() - side) / 2, (height() - side) / 2 + 8, side, side};
}

void KvGamutView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(rect(), QColor(96, 96, 96));
    if (!loaded) {
        p.setPen(Qt::white);
        p.drawText(rect().adjusted(12, 12, -12, -12), Qt::AlignCenter | Qt::TextWordWrap,
                   tr("No gamut to show.") + "\n" + problem);
        return;
    }
    const QRectF plot = plotRect();
    auto toScreen = [&](double a, double b) {
        return QPointF(plot.left() + (a + abRange) / (2 * abRange) * plot.width(),
                       plot.top() + (abRange - b) / (2 * abRange) * plot.height());
    };
    auto pathOf = [&](const KvGamutModel::Outline& o) {
        QPainterPath path;
        for (std::size_t i = 0; i < o.size(); ++i)
            i == 0 ? path.moveTo(toScreen(o[i].a, o[i].b)) : path.lineTo(toScreen(o[i].a, o[i].b));
        path.closeSubpath();
        return path;
    };

    // Axes through the neutral point, ticks every 20 units.
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

    const QPainterPath outline = pathOf(gamut.outline());
    p.save();
    p.setClipPath(outline);
    p.drawImage(plot, fill);
    p.restore();
    p.setPen(QPen(Qt::black, 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawPath(outline);
    for (const KvGamutModel::Slice& s : gamut.slices()) {
        const int grey = int(40 + s.L * 2);
        p.setPen(QPen(QColor(grey, grey, grey), 1, Qt::DashLine));
        p.drawPath(pathOf(s.outline));
    }

    p.setPen(Qt::white);
    p.setFont(font());
    const QString volume = gamut.hasVolume() ? tr("Gamut volume: %1 cubic Lab units").arg(qRound64(gamut.volume()))
                                             : tr("Gamut volume: measuring ...");
    p.drawText(QRectF(8, 4, width() - 16, 40), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
               gamut.description() + "\n" + volume);
    p.setFont(small);
    p.drawText(QRectF(8, height() - 18, width() - 16, 14), Qt::AlignRight,
               tr("Dashed: slices at L* 20, 40, 60, 80"));
}
