#include "KvGamutView.h"
#include "LcmsHandles.h"

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

// Each a*b* cell is painted with the colour of that hue and chroma at the
// lightness of the gamut's most chromatic colour of that hue (its cusp), as
// the monitor shows it; the outline clips the rest when painting. The cusp
// lightness is taken per hue sector and blended between sectors, so the
// fill is smooth.
void KvGamutView::buildFill(const QString& monitorPath) {
    constexpr int sectors = 72;
    std::vector<double> cuspL(sectors, 50.0), cuspC(sectors, -1.0);
    for (const KvLabPoint& p : gamut.samples()) {
        double h = std::atan2(p.b, p.a);
        if (h < 0)
            h += 2 * M_PI;
        const int s = std::min(sectors - 1, int(h / (2 * M_PI) * sectors));
        const double c = std::hypot(p.a, p.b);
        if (c > cuspC[std::size_t(s)]) {
            cuspC[std::size_t(s)] = c;
            cuspL[std::size_t(s)] = p.L;
        }
    }
    auto lightnessAt = [&](double a, double b) {
        double h = std::atan2(b, a);
        if (h < 0)
            h += 2 * M_PI;
        const double pos = h / (2 * M_PI) * sectors - 0.5;
        const int s0 = (int(std::floor(pos)) + sectors) % sectors;
        const int s1 = (s0 + 1) % sectors;
        const double t = pos - std::floor(pos);
        const double cusp = cuspL[std::size_t(s0)] * (1 - t) + cuspL[std::size_t(s1)] * t;
        // Towards the neutral axis, blend to a mid grey's lightness.
        const double chroma = std::hypot(a, b);
        const double reach = std::max(1.0, cuspC[std::size_t(s0)] * (1 - t) + cuspC[std::size_t(s1)] * t);
        const double w = std::clamp(chroma / reach, 0.0, 1.0);
        return 60.0 * (1 - w) + cusp * w;
    };

    cmsContext ctx = cmsCreateContext(nullptr, nullptr);
    cmsSetLogErrorHandlerTHR(ctx, lcms::ignoreErrors);
    cmsHPROFILE lab = cmsCreateLab4ProfileTHR(ctx, nullptr);
    cmsHPROFILE monitor =
        monitorPath.isEmpty()
            ? nullptr
            : cmsOpenProfileFromFileTHR(ctx, QFile::encodeName(monitorPath).constData(), "r");
    if (monitor &&
        (lcms::headerSpace(monitor) != cmsSigRgbData || lcms::headerClass(monitor) == cmsSigLinkClass)) {
        cmsCloseProfile(monitor);
        monitor = nullptr;
    }
    if (!monitor)
        monitor = cmsCreate_sRGBProfileTHR(ctx);
    cmsHTRANSFORM toScreen =
        cmsCreateTransformTHR(ctx, lab, TYPE_Lab_DBL, monitor, TYPE_RGB_8, INTENT_RELATIVE_COLORIMETRIC, 0);
    fill = QImage(fillSide, fillSide, QImage::Format_RGB32);
    fill.fill(Qt::gray);
    if (toScreen) {
        std::vector<double> labLine(std::size_t(fillSide) * 3);
        std::vector<unsigned char> rgbLine(std::size_t(fillSide) * 3);
        for (int y = 0; y < fillSide; ++y) {
            const double b = abRange - y - 0.5;
            for (int x = 0; x < fillSide; ++x) {
                const double a = x + 0.5 - abRange;
                labLine[std::size_t(x) * 3] = lightnessAt(a, b);
                labLine[std::size_t(x) * 3 + 1] = a;
                labLine[std::size_t(x) * 3 + 2] = b;
            }
            cmsDoTransform(toScreen, labLine.data(), rgbLine.data(), fillSide);
            auto* line = reinterpret_cast<QRgb*>(fill.scanLine(y));
            for (int x = 0; x < fillSide; ++x)
                line[x] = qRgb(rgbLine[std::size_t(x) * 3], rgbLine[std::size_t(x) * 3 + 1],
                               rgbLine[std::size_t(x) * 3 + 2]);
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
    // Slices: a dark line under a light dashed one reads on any colour.
    for (const KvGamutModel::Slice& s : gamut.slices()) {
        const QPainterPath path = pathOf(s.outline);
        p.setPen(QPen(QColor(0, 0, 0, 110), 2.2));
        p.drawPath(path);
        p.setPen(QPen(Qt::white, 1, Qt::DashLine));
        p.drawPath(path);
        const QRectF box = path.boundingRect();
        p.drawText(QPointF(box.right() + 3, box.center().y()), QStringLiteral("L*%1").arg(s.L));
    }

    p.setPen(Qt::white);
    p.setFont(font());
    const QString volume = gamut.hasVolume()
                               ? tr("Gamut volume: %1 cubic Lab units").arg(qRound64(gamut.volume()))
                               : tr("Gamut volume: measuring ...");
    p.drawText(QRectF(8, 4, width() - 16, 40), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
               gamut.description() + "\n" + volume);
    p.setFont(small);
    p.drawText(QRectF(8, height() - 18, width() - 16, 14), Qt::AlignRight,
               tr("Dashed: slices at L* 20, 40, 60, 80"));
}
