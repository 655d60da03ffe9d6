// The converter on a desktop: profile dialogs that start among the system's
// profiles, drops that take the dialog's checks, values that can be copied,
// and kept colours that outlive the window and leave it as CGATS.
#include "ConverterTestKit.h"
#include "KvDialogs.h"
#include "ProfileFolders.h"
#include "TestMain.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDropEvent>
#include <QMimeData>
#include <QTemporaryDir>
#include <QUrl>

#include <lcms2.h>

#include <memory>

using namespace kit;

namespace {

// Sends a drag of `mime` onto `target`, as a file manager would: enter, then
// drop. The events only borrow the data, so it goes with the drop.
bool dropOn(QWidget* target, QMimeData* mime) {
    const std::unique_ptr<QMimeData> owned(mime);
    const QPoint at = target->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    if (!enter.isAccepted())
        return false;
    QDropEvent drop(QPointF(at), Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    return drop.isAccepted();
}

QMimeData* filesMime(const QStringList& paths) {
    auto* mime = new QMimeData;
    QList<QUrl> urls;
    for (const QString& p : paths)
        urls << QUrl::fromLocalFile(p);
    mime->setUrls(urls);
    return mime;
}

} // namespace

class TestConverterDesktop : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        if (!haveProfiles())
            QSKIP("the test profiles are not installed");
    }

    // The dialog filters on profiles first, opens in the last folder while it
    // exists and in the system's profile folder otherwise, and lists the
    // user's and the system's profile folders.
    void profileDialogStartsAmongProfiles() {
        QTemporaryDir home;
        QVERIFY(QDir(home.path()).mkpath("data/icc"));
        qputenv("XDG_DATA_HOME", QFile::encodeName(home.filePath("data")));
        KvRegistry store;
        Tintry t(&store);
        DialogScript script;
        script.cancel();
        t.input_icc_button->click();
        QCOMPARE(script.requests.size(), 1);
        const KvDialogRequest first = script.requests.first();
        QCOMPARE(first.filter, QString("ICC profiles (*.icc *.icm);;All files (*)"));
        QCOMPARE(first.dir, QString("/usr/share/color/icc"));
        QCOMPARE(first.sidebar.first(), home.filePath("data/icc"));
        QVERIFY(first.sidebar.contains("/usr/share/color/icc"));
        for (const QString& folder : first.sidebar)
            QVERIFY2(QFileInfo(folder).isDir(), qPrintable(folder));

        // Chosen once, the profile's own folder is where the next dialog opens.
        choose(script, t.output_icc_button, cmyk);
        script.cancel();
        t.monitor_icc_button->click();
        QCOMPARE(script.requests.last().dir, QString("/usr/share/color/icc/ghostscript"));
        // A remembered folder that has gone is not where a dialog opens.
        t.lastdir_icc = home.filePath("gone");
        script.cancel();
        t.monitor_icc_button->click();
        QCOMPARE(script.requests.last().dir, QString("/usr/share/color/icc"));
        qunsetenv("XDG_DATA_HOME");
    }

    // A drop is a choice: the right class sets the role, the wrong one gets the
    // dialog's message and changes nothing, and what is not one local file is
    // refused before it lands.
    void dropGoesThroughTheDialogsChecks() {
        KvRegistry store;
        Tintry t(&store);
        DialogScript script;
        QVERIFY(dropOn(t.input_icc_button, filesMime({sRGB})));
        QVERIFY(dropOn(t.output_icc_button, filesMime({cmyk})));
        QCOMPARE(t.inICC, sRGB);
        QCOMPARE(t.outICC, cmyk);
        QVERIFY(t.cmsInOut.transform != nullptr);
        QCOMPARE(t.input_icc_label->text(), QString("sRGB.icc"));

        dropOn(t.monitor_icc_button, filesMime({cmyk}));
        QCOMPARE(t.monitorICC, QString());
        QCOMPARE(script.messages().size(), 1);
        QVERIFY(script.messages().first().startsWith("Invalid monitor ICC profile|"));

        QVERIFY(!dropOn(t.monitor_icc_button, filesMime({sRGB, adobeRGB})));
        auto* remote = new QMimeData;
        remote->setUrls({QUrl("https://example.org/sRGB.icc")});
        QVERIFY(!dropOn(t.monitor_icc_button, remote));
        auto* text = new QMimeData;
        text->setText(sRGB);
        QVERIFY(!dropOn(t.monitor_icc_button, text));
        QCOMPARE(t.monitorICC, QString());
        QCOMPARE(script.messages().size(), 1);
    }

    // Ctrl+C copies the shown colour as text, output values then Lab; the
    // value labels can be selected; with no transform nothing is copied.
    void copyValues() {
        KvRegistry store;
        store.open("desktop-copy");
        kit::store(store, sRGB, cmyk);
        Tintry t(&store);
        t.r_spin->setValue(200);
        t.g_spin->setValue(30);
        t.b_spin->setValue(15);
        const QString expected =
            QString("C %1 M %2 Y %3 K %4 / L %5 a %6 b %7")
                .arg(t.c_label->text(), t.m_label->text(), t.y_label->text(), t.k_label->text(),
                     t.lab_l_label->text(), t.lab_a_label->text(), t.lab_b_label->text());
        QVERIFY(!expected.contains("value"));
        QCOMPARE(t.valuesText(), expected);
        QCOMPARE(t.copyAction->shortcut(), QKeySequence(QKeySequence::Copy));
        QApplication::clipboard()->clear();
        t.copyAction->trigger();
        QCOMPARE(QApplication::clipboard()->text(), expected);
        QVERIFY(t.c_label->textInteractionFlags() & Qt::TextSelectableByMouse);
        QVERIFY(t.lab_b_label->textInteractionFlags() & Qt::TextSelectableByMouse);

        // RGB out names its channels.
        QVERIFY(t.useProfile(Tintry::OutputProfile, adobeRGB));
        QVERIFY(t.valuesText().startsWith("R " + t.r_label->text() + " G "));

        t.clearallselections();
        QApplication::clipboard()->setText("untouched");
        t.copyAction->trigger();
        QCOMPARE(QApplication::clipboard()->text(), QString("untouched"));
    }

    // Kept colours come back in a new converter on the same store, with their
    // swatches; a store entry we did not write, or of the other input space,
    // is not restored.
    void keptColoursOutliveTheWindow() {
        KvRegistry store;
        kit::store(store, cmyk, sRGB, sRGB);
        {
            Tintry t(&store);
            t.c_spin->setValue(0);
            t.m_spin->setValue(100);
            t.y_spin->setValue(20);
            t.k_spin->setValue(5);
            t.keep_button->click();
            t.labin_l_spin->setValue(54);
            t.labin_a_spin->setValue(-12);
            t.labin_b_spin->setValue(40);
            t.keep_button->click();
        }
        const QString saved = QString::fromStdString(store.getstring(section, "kept"));
        QVERIFY2(saved.startsWith("cmyk|0 100 20 5|#"), qPrintable(saved));
        Tintry again(&store);
        QCOMPARE(again.history_combo->count(), 3);
        QCOMPARE(again.history_combo->itemText(0), QString("0 100 20 5"));
        QCOMPARE(again.history_combo->itemText(1), QString("54 -12 40"));
        QVERIFY(again.history_combo->isEnabled());
        QCOMPARE(QString::fromStdString(store.getstring(section, "kept")), saved);
        QMetaObject::invokeMethod(&again, "doHistory", Q_ARG(int, 1));
        QCOMPARE(again.labin_a_spin->value(), -12);

        store.putstring(section, "kept",
                        "cmyk|1 2 3 4|#ff0000|1 2 3;rgb|1 2 3|#00ff00|1 2 3;cmyk|rm -rf|#0000ff|1 2 3;"
                        "cmyk|1 2 3 4 5 6|#0000ff|1 2 3;junk");
        Tintry filtered(&store);
        QCOMPARE(filtered.history_combo->count(), 2);
        QCOMPARE(filtered.history_combo->itemText(0), QString("1 2 3 4"));

        // "Clear all" is remembered too.
        QMetaObject::invokeMethod(&filtered, "doHistory", Q_ARG(int, 1));
        QCOMPARE(QString::fromStdString(store.getstring(section, "kept")), QString());
    }

    // The export is CGATS that LittleCMS's reader takes back: one row per kept
    // colour, named by its values, with the Lab shown when it was kept.
    void keptColoursExportAsCgats() {
        KvRegistry store;
        kit::store(store, sRGB, cmyk);
        Tintry t(&store);
        t.r_spin->setValue(255);
        t.g_spin->setValue(255);
        t.b_spin->setValue(255);
        const QString whiteLab = t.lab_l_label->text();
        t.keep_button->click();
        t.r_spin->setValue(200);
        t.g_spin->setValue(30);
        t.b_spin->setValue(15);
        t.keep_button->click();
        QTemporaryDir dir;
        const QString path = dir.filePath("kept.txt");
        DialogScript script;
        script.openFile(path);
        QMetaObject::invokeMethod(&t, "exportKeptColours");
        QCOMPARE(script.requests.size(), 1);
        QCOMPARE(script.requests.first().kind, KvDialogRequest::SaveFile);
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray text = f.readAll();
        QVERIFY(text.startsWith("CGATS.17"));
        cmsHANDLE it8 = cmsIT8LoadFromMem(nullptr, text.constData(), cmsUInt32Number(text.size()));
        QVERIFY(it8 != nullptr);
        QCOMPARE(cmsIT8GetPropertyDbl(it8, "NUMBER_OF_SETS"), 2.0);
        QCOMPARE(QByteArray(cmsIT8GetDataRowCol(it8, 0, 1)), QByteArray("255 255 255"));
        QCOMPARE(QByteArray(cmsIT8GetDataRowCol(it8, 1, 1)), QByteArray("200 30 15"));
        // The Lab the converter showed (rounded there) when the colour was kept.
        QCOMPARE(qRound(cmsIT8GetDataRowColDbl(it8, 0, 2)), whiteLab.toInt());
        QVERIFY(cmsIT8GetDataRowColDbl(it8, 1, 3) > 40); // a red: a* well above zero
        cmsIT8Free(it8);

        // A folder that cannot be written is said, not swallowed.
        script.openFile("/nonexistent/kept.txt");
        QMetaObject::invokeMethod(&t, "exportKeptColours");
        QCOMPARE(script.messages().size(), 1);
        QVERIFY(script.messages().first().startsWith("Export failed|"));
    }
};

TINTRY_TEST_MAIN(TestConverterDesktop)
#include "test_converter_desktop.moc"
