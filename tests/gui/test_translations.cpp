// The translations: every text of the program has a finished German and
// French translation that keeps its placeholders, markup and line breaks, and
// a translated start really shows the program in that language.
#include "KvMainWindow.h"
#include "KvTranslator.h"
#include "TestMain.h"
#include "Tintry.h"

#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QXmlStreamReader>

namespace {

QString sourceDir() {
    const QString fromTest = qEnvironmentVariable("TINTRY_SOURCE_DIR");
    return fromTest.isEmpty() ? QFileInfo(QStringLiteral(__FILE__)).absolutePath() + "/.." : fromTest;
}

QString lupdate() {
    const QString qt = "/usr/lib/qt6/bin/lupdate";
    return QFile::exists(qt) ? qt : QStandardPaths::findExecutable("lupdate");
}

int count(const QString& text, const QString& what) {
    return int(text.count(what));
}

char program[] = "/opt/tintry/bin/tintry";
char* args[] = {program, nullptr};

} // namespace

class TestTranslations : public QObject {
    Q_OBJECT
private slots:
    void complete_data() {
        QTest::addColumn<QString>("ts");
        // The shipped languages are listed here, so a missing file fails instead of testing nothing.
        for (const char* f : {"tintry_de.ts", "tintry_fr.ts"})
            QTest::newRow(f) << sourceDir() + "/lang/" + f;
    }
    // Brought up to date with today's sources, no entry is left unfinished.
    void complete() {
        QFETCH(QString, ts);
        QVERIFY2(QFile::exists(ts), qPrintable(ts + " is missing"));
        if (lupdate().isEmpty())
            QSKIP("lupdate (qt6-l10n-tools) is not installed");
        QTemporaryDir dir;
        const QString copy = dir.filePath("copy.ts");
        QVERIFY(QFile::copy(ts, copy));
        QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner);
        QProcess p;
        p.setWorkingDirectory(sourceDir());
        p.start(lupdate(), {"-silent", "-no-obsolete", "-locations", "none", "app", "converter", "chart",
                            "widgets", "core", "cli", "-ts", copy});
        QVERIFY(p.waitForFinished(120000));
        QCOMPARE(p.exitCode(), 0);

        QFile f(copy);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QXmlStreamReader xml(&f);
        QStringList missing, damaged;
        int messages = 0;
        QString source;
        while (xml.readNext() != QXmlStreamReader::Invalid && !xml.atEnd()) {
            if (!xml.isStartElement())
                continue;
            if (xml.name() == u"message") {
                ++messages;
            } else if (xml.name() == u"source") {
                source = xml.readElementText();
            } else if (xml.name() == u"translation") {
                const bool unfinished = xml.attributes().value("type") == u"unfinished";
                const QString text = xml.readElementText();
                if (unfinished || text.isEmpty()) {
                    missing << source;
                    continue;
                }
                // What the program fills in or the toolkit renders must survive.
                for (const char* token : {"%1", "%2", "%3", "<b>", "</b>", "<br>", "\n"})
                    if (count(source, QString::fromLatin1(token)) != count(text, QString::fromLatin1(token)))
                        damaged << source + "  ->  " + text;
            }
        }
        QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
        QVERIFY(messages > 100);
        QVERIFY2(missing.isEmpty(), qPrintable("untranslated:\n" + missing.join("\n")));
        damaged.removeDuplicates();
        QVERIFY2(damaged.isEmpty(), qPrintable("placeholders or markup changed:\n" + damaged.join("\n")));
    }

    // Started in German, the menus, buttons and combo items
    // are German.
    void germanWindow() {
        const QString qm =
            QFileInfo(qEnvironmentVariable("TINTRY_BINARY")).absolutePath() + "/lang/tintry_de.qm";
        if (!QFile::exists(qm))
            QSKIP("the German translation is not built");
        // Loaded as start-up loads it, through the check of the file.
        KvTranslator translator;
        QVERIFY(translator.loadChecked(qm));
        QCoreApplication::installTranslator(&translator);
        auto* w = new KvMainWindow(1, args);
        QStringList english, same;
        const auto check = [&](const QString& shown, const QString& original) {
            english << original;
            if (shown == original)
                same << original;
        };
        // The caption is the product's name and stays as it is.
        QCOMPARE(w->windowTitle(), QString("Quillon Tintry 1.2"));
        QStringList titles;
        for (QAction* a : w->menuBar()->actions())
            titles << a->text();
        check(titles.join('|'), "Project|Help");
        Tintry* t = w->converter();
        check(t->input_icc_button->text(), "Select Input ICC ...");
        check(t->keep_button->text(), "Keep");
        check(t->input_group->title(), "Input");
        check(t->rendering_combo->itemText(0), "Perceptual");
        check(t->rendering_combo->itemText(1), "Relative Colourimetric");
        check(t->accuracy_combo->itemText(1), "Best");
        check(t->textLabel7->text(), "Rendering Intent:");
        check(t->input_icc_button->whatsThis().left(20), "Allows selection of ");
        QVERIFY2(same.isEmpty(), qPrintable("still English: " + same.join(", ")));
        QPointer<QWidget> p(w);
        w->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::removeTranslator(&translator);
    }
};

TINTRY_TEST_MAIN(TestTranslations)
#include "test_translations.moc"
