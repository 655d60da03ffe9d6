// The gamut in three dimensions, headless: its picture holds the gamut's own
// colours through the monitor profile with the background around them, the
// faces that show are the ones facing the viewer, it turns and zooms; a
// second profile is laid over it with the core's figures; measured colours
// are counted inside and outside; the picture exports as PNG; and a gamut
// superseded while it measures never arrives in its successor's place.
#include "ChartSession.h"
#include "ChartTestKit.h"
#include "DialogScript.h"
#include "KvGamut3DView.h"
#include "KvGamutComparison.h"
#include "KvGamutView.h"
#include "KvGamutWindow.h"
#include "MeasuredChartFile.h"
#include "MonitorPreview.h"
#include "ProfileFactory.h"
#include "TestMain.h"

#include <QComboBox>
#include <QFile>
#include <QImage>
#include <QTabWidget>
#include <QTemporaryDir>

#include <cmath>

namespace {

const QString icc = "/usr/share/color/icc/";
const QString sRGB = icc + "sRGB.icc";
const QString adobe = icc + "compatibleWithAdobeRGB1998.icc";
const QString defaultCmyk = icc + "ghostscript/default_cmyk.icc";

QImage pictureOf(QWidget& w) {
    return w.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

bool waitFor(const KvGamut3DView& view) {
    return QTest::qWaitFor([&] { return !view.measuring(); }, 20000);
}

// Pixels of a rectangle that are not the background.
double coveredShare(const QImage& image, const QRect& r) {
    int covered = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            covered += image.pixel(x, y) != KvGamut3DView::background ? 1 : 0;
    return double(covered) / (r.width() * r.height());
}

bool near(QRgb got, const unsigned char* want, int tolerance) {
    return std::abs(qRed(got) - want[0]) <= tolerance && std::abs(qGreen(got) - want[1]) <= tolerance &&
           std::abs(qBlue(got) - want[2]) <= tolerance;
}

QString describe(QRgb c) {
    return QString("(%1, %2, %3)").arg(qRed(c)).arg(qGreen(c)).arg(qBlue(c));
}

// Where a colour on the top or bottom face of a box lands, seen from straight
// above or below with yaw 0: a* across, b* down the picture from above.
QPoint onPicture(const KvGamut3DView& v, double a, double b, bool fromAbove) {
    const double top = 24, scale = std::min(double(v.width()), v.height() - top) / (2 * KvGamutScene::reach);
    const double y = top + (v.height() - top) / 2 + (fromAbove ? b : -b) * scale;
    return {int(std::lround(v.width() / 2.0 + a * scale)), int(std::lround(y))};
}

} // namespace

class TestGamut3D : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    std::unique_ptr<ProfileFactory> factory;

    QString box() { return factory->labBox("box.icc", {20, -40, -40}, {80, 40, 40}); }

    QString measurements(const QString& name, const QList<KvLabPoint>& lab) {
        QByteArray text = "CGATS.17\nNUMBER_OF_FIELDS 4\nBEGIN_DATA_FORMAT\nSAMPLE_ID LAB_L LAB_A LAB_B\n"
                          "END_DATA_FORMAT\nNUMBER_OF_SETS " +
                          QByteArray::number(lab.size()) + "\nBEGIN_DATA\n";
        for (int i = 0; i < lab.size(); ++i)
            text += QString("%1 %2 %3 %4\n").arg(i + 1).arg(lab[i].L).arg(lab[i].a).arg(lab[i].b).toLatin1();
        text += "END_DATA\n";
        QFile f(dir.filePath(name));
        f.open(QIODevice::WriteOnly);
        f.write(text);
        return f.fileName();
    }

private slots:
    void initTestCase() { factory = std::make_unique<ProfileFactory>(dir.path()); }

    void drawsHeadless_data() {
        QTest::addColumn<QString>("profile");
        QTest::addColumn<bool>("wireframe");
        QTest::newRow("sRGB, solid") << sRGB << false;
        QTest::newRow("default_cmyk, solid") << defaultCmyk << false;
        QTest::newRow("sRGB, wireframe") << sRGB << true;
    }
    void drawsHeadless() {
        QFETCH(QString, profile);
        QFETCH(bool, wireframe);
        KvGamut3DView view;
        view.resize(480, 480);
        QCOMPARE(view.fromICC(profile, QString()), 0);
        QVERIFY(view.measuring());
        QVERIFY(view.figures().join(' ').contains("measuring"));
        QVERIFY(waitFor(view));
        view.setWireframe(wireframe);
        const QImage shot = pictureOf(view);
        for (QPoint corner : {QPoint(2, 477), QPoint(477, 477), QPoint(477, 40)})
            QCOMPARE(describe(shot.pixel(corner)), describe(KvGamut3DView::background));
        const double middle = coveredShare(shot, QRect(200, 212, 80, 80));
        if (wireframe) {
            QVERIFY2(middle > 0.05 && middle < 0.6, qPrintable(QString::number(middle)));
        } else {
            QVERIFY2(middle > 0.97, qPrintable(QString::number(middle)));
            // Many of the gamut's colours, and chromatic ones among them.
            QSet<QRgb> colours;
            int chromatic = 0;
            for (int y = 100; y < 400; y += 3)
                for (int x = 100; x < 400; x += 3) {
                    const QRgb c = shot.pixel(x, y);
                    colours.insert(c);
                    chromatic +=
                        std::max({qRed(c), qGreen(c), qBlue(c)}) - std::min({qRed(c), qGreen(c), qBlue(c)}) >
                                80
                            ? 1
                            : 0;
                }
            QVERIFY2(colours.size() > 500 && chromatic > 300,
                     qPrintable(QString("%1 colours, %2 chromatic").arg(colours.size()).arg(chromatic)));
        }
    }

    void facesTowardTheViewerShow_data() {
        QTest::addColumn<QString>("monitor");
        QTest::addColumn<double>("pitch");
        QTest::addColumn<double>("L");
        QTest::addColumn<double>("a");
        // Off the L* axis, which is drawn in front of the face it pierces.
        QTest::newRow("from above, sRGB monitor") << QString() << 90.0 << 80.0 << 10.0;
        QTest::newRow("from below, sRGB monitor") << QString() << -90.0 << 20.0 << 10.0;
        QTest::newRow("from above, a red, sRGB monitor") << QString() << 90.0 << 80.0 << 25.0;
        QTest::newRow("from above, a red, Adobe RGB monitor") << adobe << 90.0 << 80.0 << 25.0;
    }
    // Seen straight from above the box shows its white face (L* 80), from
    // below its black one (L* 20), each in the colour the monitor shows for
    // it; the wrong faces would be the other.
    void facesTowardTheViewerShow() {
        QFETCH(QString, monitor);
        QFETCH(double, pitch);
        QFETCH(double, L);
        QFETCH(double, a);
        KvGamut3DView view;
        view.resize(424, 424);
        QCOMPARE(view.fromICC(box(), monitor), 0);
        QVERIFY(waitFor(view));
        view.setCamera({0, pitch, 1});
        const QImage shot = pictureOf(view);
        const QRgb got = shot.pixel(onPicture(view, a, 0, pitch > 0));
        const double lab[3] = {L, a, 0};
        unsigned char want[3];
        QVERIFY(MonitorPreview::openOrSrgb(QFile::encodeName(monitor).toStdString()).toRgb(lab, want));
        QVERIFY2(near(got, want, 6),
                 qPrintable(describe(got) + " for " + describe(qRgb(want[0], want[1], want[2]))));
    }

    void turnsAndZooms() {
        KvGamut3DView view;
        view.resize(400, 400);
        view.fromICC(sRGB, QString());
        QVERIFY(waitFor(view));
        const QImage first = pictureOf(view);
        for (int key : {Qt::Key_Right, Qt::Key_Up, Qt::Key_Plus}) {
            const QImage before = pictureOf(view);
            QTest::keyClick(&view, Qt::Key(key));
            QVERIFY2(pictureOf(view) != before, qPrintable(QString::number(key, 16)));
        }
        QTest::keyClick(&view, Qt::Key_Home);
        QCOMPARE(pictureOf(view), first);
        // A drag sideways turns about L*, a wheel turn zooms.
        QTest::mousePress(&view, Qt::LeftButton, {}, QPoint(100, 200));
        QMouseEvent move(QEvent::MouseMove, QPointF(160, 200), QPointF(160, 200), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&view, &move);
        QCOMPARE(view.camera().yaw, KvGamutScene::Camera().yaw + 30);
        QWheelEvent wheel(QPointF(200, 200), QPointF(200, 200), QPoint(), QPoint(0, 240), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(&view, &wheel);
        QVERIFY(view.camera().zoom > 1.3);
    }

    // The figures are the core's; sRGB's wireframe reaches out around the
    // printer's solid.
    void comparesWithASecondProfile() {
        KvGamut3DView view;
        view.resize(400, 400);
        view.fromICC(defaultCmyk, QString());
        QVERIFY(waitFor(view));
        const double alone = coveredShare(pictureOf(view), view.rect().adjusted(0, 60, 0, 0));
        const Status s = view.compareWith(sRGB);
        QVERIFY(s);
        QVERIFY(view.measuring());
        QVERIFY(waitFor(view));
        QVERIFY(view.comparison());
        KvGamutModel a, b;
        QVERIFY(a.load(defaultCmyk) && b.load(sRGB));
        const auto c = KvGamutComparison::measure(a, b);
        QVERIFY(c);
        QCOMPARE(view.comparison()->overlap(), c->overlap());
        QCOMPARE(view.comparison()->bInA(), c->bInA());
        const QString figures = view.figures().join('\n');
        QVERIFY2(figures.contains(QString("B inside A: %1 %").arg(c->bInA(), 0, 'f', 1)),
                 qPrintable(figures));
        const double both = coveredShare(pictureOf(view), view.rect().adjusted(0, 60, 0, 0));
        QVERIFY2(both > alone + 0.02, qPrintable(QString("%1 then %2").arg(alone).arg(both)));
    }

    void refusesToCompareWithNoProfile() {
        KvGamut3DView view;
        view.fromICC(sRGB, QString());
        const Status s = view.compareWith(factory->text());
        QVERIFY(!s);
        QVERIFY2(s.failure().why.find("not an ICC profile") != std::string::npos, s.failure().why.c_str());
        QVERIFY(waitFor(view));
        QVERIFY(!view.comparison());
    }

    void countsReadingsOutside_data() {
        QTest::addColumn<bool>("chart");
        QTest::newRow("measurement file") << false;
        QTest::newRow("measured chart") << true;
    }
    // Three readings inside the box, two outside; given while the gamut is
    // still measuring, they are judged once it arrives.
    void countsReadingsOutside() {
        QFETCH(bool, chart);
        const QList<KvLabPoint> lab = {{50, 0, 0}, {70, 30, -30}, {50, 45, 0}, {25, -35, 35}, {85, 0, 0}};
        QString path;
        if (!chart) {
            path = measurements("readings.txt", lab);
        } else {
            ChartSession session;
            QList<QByteArray> inks;
            for (int i = 0; i < 6; ++i)
                inks << QByteArray(4, char(i * 40));
            session.reset(chartkit::patchList(inks));
            for (int i = 0; i < lab.size(); ++i)
                session.recordAt(std::size_t(i), lab[i].L, lab[i].a, lab[i].b); // the sixth stays unmeasured
            path = dir.filePath("chart.ti3");
            const Status saved = MeasuredChartFile::save(session, path.toStdString(), "test");
            QVERIFY2(saved, saved ? "" : saved.failure().text().c_str());
        }
        DialogScript script;
        KvGamutWindow window(box(), QString(), dir.path());
        script.openFile(path);
        window.showReadings();
        QVERIFY(script.messages().isEmpty());
        QVERIFY(waitFor(*window.view()));
        QCOMPARE(window.view()->readingCount(), std::size_t(5));
        QCOMPARE(window.view()->readingsOutside(), std::size_t(2));
        QVERIFY(window.view()->figures().join('\n').contains("2 of 5 readings lie outside"));
    }

    void refusesDamagedReadings() {
        QFile f(dir.filePath("damaged.txt"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("CGATS.17\nNUMBER_OF_FIELDS 3\nBEGIN_DATA_FORMAT\nLAB_L LAB_A LAB_B\nEND_DATA_FORMAT\n"
                "NUMBER_OF_SETS 2\nBEGIN_DATA\n50 0 0\n50 nan 0\nEND_DATA\n");
        f.close();
        DialogScript script;
        KvGamutWindow window(sRGB, QString(), dir.path());
        script.openFile(f.fileName());
        window.showReadings();
        QCOMPARE(script.messages().size(), 1);
        QVERIFY2(script.messages()[0].contains("damaged.txt: row 2"), qPrintable(script.messages()[0]));
        QCOMPARE(window.view()->readingCount(), std::size_t(0));
    }

    void exportsThePictureShown() {
        DialogScript script;
        KvGamutWindow window(sRGB, QString(), dir.path());
        window.resize(600, 560);
        QVERIFY(waitFor(*window.view()));
        const QString path = dir.filePath("gamut.png");
        script.openFile(path);
        window.exportPicture();
        QCOMPARE(script.requests[0].dir, dir.filePath("sRGB-gamut.png"));
        QVERIFY(script.messages().isEmpty());
        QImage saved(path);
        QCOMPARE(saved.convertToFormat(QImage::Format_RGB32), pictureOf(*window.view()));

        // The a*b* tab exports its own picture; a folder is no target.
        window.tabs()->setCurrentWidget(window.plane());
        script.openFile(dir.path());
        window.exportPicture();
        QCOMPARE(script.messages().size(), 1);
        QVERIFY2(script.messages()[0].contains("Is a directory"), qPrintable(script.messages()[0]));
    }

    // The printer's paper is darker than the PCS white: read absolutely, both
    // views measure a smaller gamut.
    void intentRereadsBothViews() {
        KvGamutWindow window(factory->cmykPrinter(), QString(), dir.path());
        QVERIFY(waitFor(*window.view()));
        const double relative = window.view()->model().measuredVolume();
        window.findChild<QComboBox*>("intent_combo")->setCurrentIndex(3);
        QVERIFY(waitFor(*window.view()));
        QTRY_VERIFY_WITH_TIMEOUT(!window.plane()->measuring(), 20000);
        const double absolute = window.view()->model().measuredVolume();
        QVERIFY2(absolute < relative * 0.98, qPrintable(QString("%1 vs %2").arg(absolute).arg(relative)));
        QCOMPARE(window.plane()->model().measuredVolume(), absolute);
    }

    // A profile that cannot be used replaces one still measuring: the first
    // must not arrive afterwards and be shown under the second's message.
    void supersededGamutNeverArrives() {
        KvGamut3DView solid;
        KvGamutView flat;
        QCOMPARE(solid.fromICC(defaultCmyk, QString()), 0);
        QCOMPARE(flat.fromICC(QFile::encodeName(defaultCmyk).constData(), ""), 0);
        QCOMPARE(solid.fromICC(factory->text(), QString()), -1);
        QCOMPARE(flat.fromICC(QFile::encodeName(factory->text()).constData(), ""), -1);
        QTest::qWait(1500);
        QVERIFY(solid.model().samples().empty() && flat.model().samples().empty());
        QVERIFY(!solid.message().isEmpty() && !flat.message().isEmpty());
    }
};

TINTRY_TEST_MAIN(TestGamut3D)
#include "test_gamut3d.moc"
