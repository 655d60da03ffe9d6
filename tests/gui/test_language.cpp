// Language selection: where the language directory is found, what start-up
// does with the stored choice, and how a choice in the menu is recorded for
// the next start.
#include "DialogScript.h"
#include "KvLangKit.h"
#include "KvMainWindow.h"
#include "KvPopupMenu.h"
#include "KvRegistry.h"
#include "LanguageStartup.h"
#include "TestMain.h"

#include <QDir>
#include <QMenuBar>
#include <QPointer>
#include <QProcess>
#include <QTranslator>

namespace {

char program[] = "/opt/tintry/bin/tintry";
char* args[] = {program, nullptr};

std::string storeName() {
    return KvRegistry::getregname("/opt/tintry/bin", "tintry");
}

void storeLanguage(const std::string& menuString) {
    KvRegistry r;
    r.open(storeName());
    r.putstring("kvmainwindow", "lang", menuString);
    QVERIFY(r.save(storeName()));
}

std::string storedLanguage() {
    KvRegistry r;
    r.open(storeName());
    return r.getstring("kvmainwindow", "lang");
}

// A tiny German translation, compiled with the Linguist tools' lrelease.
bool makeGermanQm(const QString& qmPath) {
    const QString ts = qmPath + ".ts";
    QFile f(ts);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    f.write(R"(<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS><TS version="2.1" language="de">
<context><name>KvMainWindow</name>
<message><source>Quillon Tintry</source><translation>Quillon Tintry (de)</translation></message>
<message><source>Project</source><translation>Projekt</translation></message>
<message><source>Help</source><translation>Hilfe</translation></message>
</context></TS>
)");
    f.close();
    QString lrelease = "/usr/lib/qt6/bin/lrelease";
    if (!QFile::exists(lrelease))
        lrelease = "lrelease";
    return QProcess::execute(lrelease, {"-silent", ts, "-qm", qmPath}) == 0 && QFile::exists(qmPath);
}

void closeAndDelete(QWidget* w) {
    QPointer<QWidget> p(w);
    w->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(p.isNull());
}

QStringList menuTitles(QMainWindow* w) {
    QStringList out;
    for (QAction* a : w->menuBar()->actions())
        out << a->text();
    return out;
}

} // namespace

class TestLanguage : public QObject {
    Q_OBJECT

    QTemporaryDir install;
    QString home;

private slots:
    void initTestCase() {
        home = QDir::currentPath();
        QVERIFY(QDir(install.path()).mkpath("lang"));
        QVERIFY(makeGermanQm(install.filePath("lang/tintry_de.qm")));
        QFile broken(install.filePath("lang/tintry_fr.qm"));
        QVERIFY(broken.open(QIODevice::WriteOnly));
        broken.write("this is not a translation file");
    }
    void init() {
        QVERIFY(QDir::setCurrent(install.path()));
        QFile::remove(QString::fromStdString(KvRegistry::pathForName(storeName())));
    }
    void cleanup() {
        if (translator) {
            QCoreApplication::removeTranslator(translator);
            delete translator;
            translator = nullptr;
        }
        QDir::setCurrent(home);
    }

    void languageDirectoryOrder() {
        QTemporaryDir root;
        QDir d(root.path());
        QVERIFY(d.mkpath("a/b/c"));
        QVERIFY(QDir::setCurrent(root.filePath("a/b/c")));
        QCOMPARE(findLangDir(), std::string("lang"));
        QVERIFY(d.mkpath("a/lang"));
        QCOMPARE(findLangDir(), std::string("../../lang"));
        QVERIFY(d.mkpath("a/b/lang"));
        QCOMPARE(findLangDir(), std::string("../lang"));
        QVERIFY(d.mkpath("a/b/c/lang"));
        QCOMPARE(findLangDir(), std::string("lang"));
    }

    void menuStringsMapToFiles() {
        QCOMPARE(KvLangKit::langMenuStringToLangFile("Deutsch", "tintry", "lang"),
                 QString("lang/tintry_de.qm"));
        QCOMPARE(KvLangKit::langMenuStringToLangFile("Français", "tintry", "lang"),
                 QString("lang/tintry_fr.qm"));
        QVERIFY(KvLangKit::langMenuStringToLangFile("English", "tintry", "lang").isNull());
        QVERIFY(KvLangKit::langMenuStringToLangFile("", "tintry", "lang").isNull());
        QVERIFY(KvLangKit::langMenuStringToLangFile("Klingon", "tintry", "lang").isNull());
        QVERIFY(KvLangKit::langMenuStringToLangFile("Deutsch", "tintry", "nowhere").isNull());
        QVERIFY(!KvLangKit::updateLangMenuTicks(nullptr, "Deutsch"));
    }

    void unknownStoredLanguageUsesBuiltInTexts() {
        storeLanguage("Klingon");
        DialogScript dialogs;
        loadStartupLanguage(1, args);
        QVERIFY(translator == nullptr);
        QCOMPARE(dialogs.requests.size(), 0);
    }

    void brokenTranslationWarnsOnce_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("not a translation") << QByteArray("this is not a translation file");
        // A real translation cut short, and one whose lookup tables point
        // outside the file: Qt's loader accepts both and reads past them later.
        QFile german(install.filePath("lang/tintry_de.qm"));
        QVERIFY(german.open(QIODevice::ReadOnly));
        const QByteArray whole = german.readAll();
        QTest::newRow("cut short") << whole.left(whole.size() / 2);
        QFile found(qEnvironmentVariable("TINTRY_TEST_DATA") + "/fuzz/langkit/lookup-past-its-block.qm");
        QVERIFY(found.open(QIODevice::ReadOnly));
        QTest::newRow("found by the fuzzer") << found.readAll();
    }
    void brokenTranslationWarnsOnce() {
        QFETCH(QByteArray, bytes);
        QFile broken(install.filePath("lang/tintry_fr.qm"));
        QVERIFY(broken.open(QIODevice::WriteOnly));
        broken.write(bytes);
        broken.close();
        storeLanguage("Français");
        DialogScript dialogs;
        loadStartupLanguage(1, args);
        QVERIFY(translator == nullptr);
        QCOMPARE(dialogs.messages(), QStringList({"Language failed|Failed to load the requested language\n"
                                                  "Using the built-in default language"}));
        QCOMPARE(dialogs.requests[0].icon, QMessageBox::Warning);
        QCOMPARE(storedLanguage(), std::string("Français"));
        auto* w = new KvMainWindow(1, args);
        QCOMPARE(w->windowTitle(), QString("Quillon Tintry 1.2"));
        closeAndDelete(w);
        QCOMPARE(dialogs.requests.size(), 1);
    }

    void choiceTakesEffectAfterRestart() {
        DialogScript dialogs;
        auto* w = new KvMainWindow(1, args);
        KvPopupMenu* menu = w->languageMenu();
        QVERIFY(menu);
        QCOMPARE(menuTitles(w), QStringList({"Project", "Language", "Help"}));
        QStringList entries;
        for (int id = 0; id < menu->count(); ++id)
            entries << menu->text(id);
        QCOMPARE(entries, QStringList({"English", "Deutsch", "Français"}));
        QVERIFY(menu->actionFor(0)->isChecked()); // nothing chosen yet: built-in

        const int deutsch = entries.indexOf("Deutsch");
        menu->actionFor(deutsch)->trigger();
        menu->actionFor(deutsch)->trigger();
        QCOMPARE(dialogs.messages(),
                 QStringList(2, "Language Changed|You must restart Tintry\nfor the changes to take effect"));
        QVERIFY(menu->actionFor(deutsch)->isChecked());
        QVERIFY(!menu->actionFor(0)->isChecked());
        // Nothing visible changes until the next start.
        QCOMPARE(w->windowTitle(), QString("Quillon Tintry 1.2"));
        QCOMPARE(storedLanguage(), std::string());
        closeAndDelete(w);
        QCOMPARE(storedLanguage(), std::string("Deutsch"));

        // The next start installs the translator before the first window.
        loadStartupLanguage(1, args);
        QVERIFY(translator);
        auto* again = new KvMainWindow(1, args);
        QCOMPARE(again->windowTitle(), QString("Quillon Tintry (de) 1.2"));
        QCOMPARE(menuTitles(again).first(), QString("Projekt"));
        QVERIFY(again->languageMenu()->actionFor(deutsch)->isChecked());
        closeAndDelete(again);
    }

    // With nothing stored, a German desktop starts in German; any stored
    // choice, English included, wins over the desktop, and a desktop language
    // without a translation keeps the built-in texts.
    void followsTheDesktopUntilChosen() {
        QCOMPARE(effectiveLanguage("", "lang", QLocale("de_DE")), QString("Deutsch"));
        QCOMPARE(effectiveLanguage("", "lang", QLocale("de_AT")), QString("Deutsch"));
        QVERIFY(effectiveLanguage("", "lang", QLocale("ja_JP")).isNull());
        QVERIFY(effectiveLanguage("", "nowhere", QLocale("de_DE")).isNull());
        QCOMPARE(effectiveLanguage("English", "lang", QLocale("de_DE")), QString("English"));

        DialogScript dialogs;
        storeLanguage("English");
        loadStartupLanguage(1, args, QLocale("de_DE"));
        QVERIFY(translator == nullptr);
        storeLanguage("");
        loadStartupLanguage(1, args, QLocale("ja_JP"));
        QVERIFY(translator == nullptr);

        loadStartupLanguage(1, args, QLocale("de_DE"));
        QVERIFY(translator);
        auto* w = new KvMainWindow(1, args);
        QCOMPARE(menuTitles(w).first(), QString("Projekt"));
        closeAndDelete(w);
        // Following the desktop is not a choice: a later German-less desktop
        // is followed as well.
        QCOMPARE(storedLanguage(), std::string());
        QCOMPARE(dialogs.requests.size(), 0);
    }

    void lastClosedWindowDecides() {
        DialogScript dialogs;
        auto* a = new KvMainWindow(1, args);
        auto* b = new KvMainWindow(1, args);
        a->languageMenu()->actionFor(1)->trigger();
        b->languageMenu()->actionFor(2)->trigger();
        const std::string bChoice = b->languageMenu()->text(2).toStdString();
        closeAndDelete(a);
        closeAndDelete(b);
        QCOMPARE(storedLanguage(), bChoice);
    }
};

TINTRY_TEST_MAIN(TestLanguage)
#include "test_language.moc"
