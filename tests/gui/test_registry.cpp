// The settings store: values survive a save and an open, and anything wrong
// with the file on disk reads as an empty store rather than a crash.
#include "KvRegistry.h"
#include "KvWidgetUtil.h"
#include "TestMain.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QWidget>

#include <sys/stat.h>

class TestRegistry : public QObject {
    Q_OBJECT

    static QString storeFile(const std::string& name) {
        return QString::fromStdString(KvRegistry::pathForName(name));
    }

    static void writeFile(const QString& path, const QByteArray& bytes) {
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    }

private slots:
    void valuesSurviveSaveAndOpen() {
        KvRegistry a;
        a.putstring("tintry", "inICC", "/home/ann/Profile Überprüfung/sRGB.icc");
        a.putstring("tintry", "odd", "a, b = [c] ; d\n#e");
        a.putlong("tintry", "intent", 3);
        a.putlong("kvmainwindow", "width", -42);
        a.putstring("kvmainwindow", "lang", "Français");
        QVERIFY(a.save("roundtrip"));

        KvRegistry b;
        QVERIFY(b.open("roundtrip"));
        QCOMPARE(b.getstring("tintry", "inICC"), std::string("/home/ann/Profile Überprüfung/sRGB.icc"));
        QCOMPARE(b.getstring("tintry", "odd"), std::string("a, b = [c] ; d\n#e"));
        QCOMPARE(b.getlong("tintry", "intent"), 3L);
        QCOMPARE(b.getlong("kvmainwindow", "width"), -42L);
        QCOMPARE(b.getstring("kvmainwindow", "lang"), std::string("Français"));
        // Never stored: empty and zero.
        QCOMPARE(b.getstring("tintry", "nothing"), std::string());
        QCOMPARE(b.getlong("nosection", "nothing"), 0L);
        // C-string forms treat a null pointer as an empty name.
        QCOMPARE(b.getstring(static_cast<const char*>(nullptr), "x"), std::string());
        b.putstring("s", nullptr, nullptr);
        QCOMPARE(b.getstring("s", ""), std::string());
    }

    void saveReplacesWholeStore() {
        KvRegistry a;
        a.putstring("s", "old", "1");
        QVERIFY(a.save("replace"));
        KvRegistry b;
        b.putstring("s", "new", "2");
        QVERIFY(b.save("replace"));
        KvRegistry c;
        c.open("replace");
        QCOMPARE(c.getstring("s", "old"), std::string());
        QCOMPARE(c.getstring("s", "new"), std::string("2"));
        // No temporary file is left beside the store.
        const QFileInfo info(storeFile("replace"));
        QCOMPARE(QDir(info.absolutePath()).entryList({info.fileName() + "*"}, QDir::Files).size(), 1);
    }

    void openForgetsPreviousValues() {
        KvRegistry a;
        a.putstring("s", "k", "v");
        a.open("never-saved");
        QCOMPARE(a.getstring("s", "k"), std::string());
    }

    void badStoreFilesReadAsEmpty_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("binary garbage") << QByteArray("\x00\xff\xfe[\x01\x02=\x80\x81\n\r\x00", 12);
        QTest::newRow("truncated") << QByteArray("[tintry]\nintent=2\ninICC=\"/tmp/unter");
        QTest::newRow("no section") << QByteArray("intent=notanumber\n");
        QTest::newRow("garbage numbers")
            << QByteArray("[tintry]\nintent=2x\naccuracy=99999999999999999999999\n");
        QTest::newRow("huge line") << QByteArray(1 << 20, '[');
    }
    void badStoreFilesReadAsEmpty() {
        QFETCH(QByteArray, bytes);
        writeFile(storeFile("bad"), bytes);
        KvRegistry r;
        r.open("bad");
        QCOMPARE(r.getlong("tintry", "accuracy"), 0L);
        QCOMPARE(r.getlong("tintry", "intent") == 2 || r.getlong("tintry", "intent") == 0, true);
        QVERIFY(r.getstring("kvmainwindow", "lang").empty());
    }

    void unreadableStoresReadAsEmpty() {
        // A directory where the file should be, and a file without read permission.
        QDir().mkpath(storeFile("isadir"));
        KvRegistry a;
        QVERIFY(!a.open("isadir"));
        QCOMPARE(a.getlong("tintry", "intent"), 0L);
        QVERIFY(!a.save("isadir"));

        KvRegistry w;
        w.putlong("tintry", "intent", 2);
        QVERIFY(w.save("noread"));
        ::chmod(QFile::encodeName(storeFile("noread")).constData(), 0);
        KvRegistry r;
        r.open("noread");
        if (::geteuid() != 0) // root reads it all the same
            QCOMPARE(r.getlong("tintry", "intent"), 0L);
        ::chmod(QFile::encodeName(storeFile("noread")).constData(), 0644);
    }

    void failedSaveKeepsOldStore() {
        KvRegistry a;
        a.putstring("s", "k", "kept");
        QVERIFY(a.save("locked"));
        const QString dir = QFileInfo(storeFile("locked")).absolutePath();
        if (::geteuid() == 0)
            QSKIP("root can write into a read-only directory");
        QFile::setPermissions(dir, QFile::ReadOwner | QFile::ExeOwner);
        KvRegistry b;
        b.putstring("s", "k", "lost");
        QVERIFY(!b.save("locked"));
        QFile::setPermissions(dir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        KvRegistry c;
        c.open("locked");
        QCOMPARE(c.getstring("s", "k"), std::string("kept"));
    }

    void storeNamesAreStable() {
        const std::string a = KvRegistry::getregname("/opt/tintry/bin", "tintry");
        QCOMPARE(KvRegistry::getregname("/opt/tintry/bin", "tintry"), a);
        QCOMPARE(KvRegistry::getregname("/opt/tintry/bin/", "tintry"), a);
        QVERIFY(KvRegistry::getregname("/opt/other/bin", "tintry") != a);
        QVERIFY(KvRegistry::getregname("/opt/tintry/bin", "other") != a);
        // Whatever the inputs, the name is a plain file name.
        const std::string odd = KvRegistry::getregname("", "../../etc/x y");
        QVERIFY(odd.find('/') == std::string::npos);
        QVERIFY(!odd.empty());
    }

    void windowSizeRoundTrip() {
        KvRegistry r;
        QWidget w;
        w.resize(640, 480);
        KvWidgetUtil::saveSizeToRegistry(&w, &r, "kvmainwindow");
        QWidget v;
        KvWidgetUtil::restoreSizeFromRegistry(&v, &r, "kvmainwindow", true, false);
        QCOMPARE(v.size(), QSize(640, 480));
        // Nonsense sizes are ignored in favour of the widget's own.
        r.putlong("kvmainwindow", "width", -5);
        QWidget u;
        u.resize(300, 200);
        KvWidgetUtil::restoreSizeFromRegistry(&u, &r, "kvmainwindow", false, false);
        QCOMPARE(u.size(), QSize(300, 200));
    }
};

TINTRY_TEST_MAIN(TestRegistry)
#include "test_registry.moc"
