// The windows the converter opens: the gamut view from its context menu, the
// two chart launchers (and their keys), and saving on close.
#include "Colourcheck.h"
#include "ConverterTestKit.h"
#include "KvGamut3DView.h"
#include "KvGamutView.h"
#include "TestMain.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QPointer>
#include <QShortcut>
#include <QTimer>

namespace {

QList<QWidget*> newTopLevels(const QWidgetList& before) {
    QList<QWidget*> out;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (!before.contains(w) && w->isVisible())
            out << w;
    return out;
}

void closeAll(const QList<QWidget*>& windows) {
    for (QWidget* w : windows)
        w->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Opens the context menu as a right click would and returns its entries.
QStringList contextMenuOf(Tintry& t) {
    QStringList seen;
    bool shown = false;
    QTimer::singleShot(0, [&] {
        if (auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
            shown = true;
            for (QAction* a : popup->actions())
                seen << a->text();
            popup->close();
        }
    });
    QContextMenuEvent e(QContextMenuEvent::Mouse, QPoint(5, 5), t.mapToGlobal(QPoint(5, 5)));
    e.ignore();
    QCoreApplication::sendEvent(&t, &e);
    QCoreApplication::processEvents();
    if (!e.isAccepted())
        return {"<not accepted>"};
    return shown ? seen : QStringList();
}

// A two-patch CGATS file of Lab values.
QString writeSwatches(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return QString();
    f.write(
        "CGATS.17\nNUMBER_OF_FIELDS 4\nBEGIN_DATA_FORMAT\nSAMPLE_NAME LAB_L LAB_A LAB_B\nEND_DATA_FORMAT\n"
        "NUMBER_OF_SETS 2\nBEGIN_DATA\n\"red\" 50 60 40\n\"blue\" 40 10 -50\nEND_DATA\n");
    return path;
}

} // namespace

class TestConverterWindows : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { KvGamutView::forceUnsupported(false); }

    void contextMenuOffersTheGamut() {
        DialogScript script;
        KvRegistry store;
        Tintry t(&store);
        const QStringList always = {"Copy values", "Use the display's profile", "Export kept colours..."};
        QCOMPARE(contextMenuOf(t), QStringList{"Display gamut"} + always);

        KvGamutView::forceUnsupported(true);
        QCOMPARE(contextMenuOf(t), always);
        const QWidgetList before = QApplication::topLevelWidgets();
        QMetaObject::invokeMethod(&t, "showGamut");
        QCOMPARE(script.requests.size(), 0);
        QCOMPARE(newTopLevels(before).size(), 0);
    }

    void gamutWindowsPerProfile() {
        DialogScript script;
        KvRegistry store;
        Tintry t(&store);
        const QWidgetList before = QApplication::topLevelWidgets();

        script.cancel();
        t.showGamut();
        QCOMPARE(newTopLevels(before).size(), 0);
        QVERIFY(t.lastdir_icc.isEmpty());

        script.openFile(kit::sRGB);
        t.showGamut();
        script.openFile(kit::cmyk);
        t.showGamut();
        QCOMPARE(script.requests[1].caption, QString("Choose an ICC profile for Gamut viewing"));
        const QList<QWidget*> windows = newTopLevels(before);
        QStringList captions;
        for (QWidget* w : windows) {
            captions << w->windowTitle();
            QCOMPARE(w->size(), QSize(640, 600));
            QVERIFY(w->testAttribute(Qt::WA_DeleteOnClose));
            QVERIFY(w->findChild<KvGamutView*>());
            QVERIFY(w->findChild<KvGamut3DView*>());
        }
        captions.sort();
        QCOMPARE(captions, QStringList({"default_cmyk.icc", "sRGB.icc"}));

        // The next profile dialog of the converter starts where the gamut's did.
        QCOMPARE(t.lastdir_icc, QString("/usr/share/color/icc/ghostscript"));
        script.cancel();
        t.input_icc_button->click();
        QCOMPARE(script.requests.last().dir, QString("/usr/share/color/icc/ghostscript"));
        closeAll(windows);
    }

    void chartLaunchersSaveTheirDirectories() {
        QTemporaryDir dir;
        DialogScript script;
        KvRegistry store;
        Tintry t(&store);
        QVERIFY(t.monitorICC.isEmpty());
        const QWidgetList before = QApplication::topLevelWidgets();

        script.openFile(kit::cmyk);
        script.integer(8);
        t.colourchartFromICC();
        QCOMPARE(kit::stored(store, "lastdir_icc"), QString("/usr/share/color/icc/ghostscript"));

        script.openFile(writeSwatches(dir.filePath("two.cgats")));
        script.openFile(kit::cmyk);
        t.colourchartFromFile();
        QCOMPARE(kit::stored(store, "lastdir_file"), dir.path());

        const QList<QWidget*> windows = newTopLevels(before);
        QCOMPARE(windows.size(), 2);
        QList<Colourcheck*> charts;
        for (QWidget* w : windows)
            charts << (qobject_cast<Colourcheck*>(w) ? qobject_cast<Colourcheck*>(w)
                                                     : w->findChild<Colourcheck*>());
        for (Colourcheck* c : charts) {
            QVERIFY(c);
            QCOMPARE(c->previewProfile, std::string()); // no monitor profile chosen
        }
        QCOMPARE(int(charts[0]->patchWidgets.size() + charts[1]->patchWidgets.size()), 8 + 2);
        closeAll(windows);
    }

    void keysReachTheLaunchers_data() {
        QTest::addColumn<QKeySequence>("keys");
        QTest::newRow("from a profile") << QKeySequence("Ctrl+Shift+P");
        QTest::newRow("from swatches") << QKeySequence("Ctrl+Shift+S");
    }
    void keysReachTheLaunchers() {
        QFETCH(QKeySequence, keys);
        DialogScript script;
        KvRegistry store;
        Tintry t(&store);
        QShortcut* found = nullptr;
        for (QShortcut* s : t.findChildren<QShortcut*>())
            if (s->key() == keys)
                found = s;
        QVERIFY(found);
        const QWidgetList before = QApplication::topLevelWidgets();
        script.cancel();
        emit found->activated();
        QCOMPARE(script.requests.size(), 1); // its first dialog asked, and was cancelled
        const QList<QWidget*> windows = newTopLevels(before);
        QCOMPARE(windows.size(), 1); // the chart window opens all the same
        closeAll(windows);
    }

    void closingSavesTheSettings() {
        DialogScript script;
        KvRegistry store;
        Tintry t(&store);
        t.lastdir_file = "/srv/swatches";
        t.close();
        QCOMPARE(kit::stored(store, "lastdir_file"), QString("/srv/swatches"));
    }
};

TINTRY_TEST_MAIN(TestConverterWindows)
#include "test_converter_windows.moc"
