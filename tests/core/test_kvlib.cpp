// The support library: list links stay consistent through every removal, the
// colour-record container owns what it takes, files are written whole or not
// at all with locale-free numbers, and path parts split as callers expect.
#include "CoreTestMain.h"
#include "KvComboColour.h"
#include "KvFileInfo.h"
#include "Kvlib.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <clocale>
#include <cstring>

namespace {

struct Rec {
    KvListLink link;
    int value;
};

Rec* make(int v) {
    auto* r = static_cast<Rec*>(Kv_calloc(1, sizeof(Rec)));
    r->value = v;
    return r;
}

// Walks the list forwards and backwards and checks every link against the values.
void checkList(Rec* head, const QList<int>& values) {
    QCOMPARE(ListLength(head), int(values.size()));
    if (values.isEmpty()) {
        QVERIFY(head == nullptr);
        return;
    }
    QList<int> seen;
    Rec* last = nullptr;
    for (Rec* r = head; r; r = KvNext(r)) {
        QVERIFY(r->link.first == &head->link);
        seen << r->value;
        last = r;
    }
    QCOMPARE(seen, values);
    QVERIFY(head->link.last == &last->link);
    QVERIFY(head->link.previous == nullptr);
    QList<int> back;
    for (Rec* r = last; r; r = KvPrevious(r))
        back.prepend(r->value);
    QCOMPARE(back, values);
}

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

} // namespace

class TestKvlib : public QObject {
    Q_OBJECT
private slots:
    void startUpSequence() {
        QCOMPARE(Kv_InitSubSystems(0), 0);
        const std::uintptr_t g = KvInitGlobals();
        QVERIFY(g != 0);
        QCOMPARE(KvInitStorageClasses(g), 0);
        QVERIFY(KvInitStorageClasses(0) != 0);
    }

    void listLinks_data() {
        QTest::addColumn<int>("removeIndex");
        QTest::newRow("first") << 0;
        QTest::newRow("middle") << 2;
        QTest::newRow("last") << 4;
    }
    void listLinks() {
        QFETCH(int, removeIndex);
        Rec* head = nullptr;
        QList<Rec*> recs;
        for (int i = 0; i < 5; ++i) {
            recs << make(i);
            AddList(&head, recs.last());
        }
        checkList(head, {0, 1, 2, 3, 4});
        RemoveList(&head, recs[removeIndex]);
        QList<int> expected = {0, 1, 2, 3, 4};
        expected.removeAt(removeIndex);
        checkList(head, expected);
        Kv_free(recs[removeIndex]);
        // The list keeps working after a removal.
        AddList(&head, make(9));
        expected << 9;
        checkList(head, expected);
        FreeList(&head);
        QVERIFY(head == nullptr);
        QCOMPARE(ListLength(head), 0);
        // The head is reused afterwards.
        Rec* seven = make(7);
        AddList(&head, seven);
        checkList(head, {7});
        RemoveList(&head, seven);
        QVERIFY(head == nullptr);
        Kv_free(seven);
    }

    void callocZeroFills() {
        auto* p = static_cast<unsigned char*>(Kv_calloc(3, 100));
        QVERIFY(p);
        for (int i = 0; i < 300; ++i)
            QCOMPARE(int(p[i]), 0);
        Kv_free(p);
        // An absurd request fails instead of wrapping round.
        QVERIFY(Kv_calloc(SIZE_MAX / 2, 16) == nullptr);
        QVERIFY(AllocateAndCopyString(nullptr) == nullptr);
    }

    void comboContainerOwnsRecords() {
        KVCOMBOCOLOUR_CC cc;
        for (int i = 0; i < 3; ++i) {
            auto* c = static_cast<KVCOMBOCOLOUR*>(Kv_calloc(1, sizeof(KVCOMBOCOLOUR)));
            c->name = AllocateAndCopyString(QByteArray::number(i).constData());
            c->cmyk = 0x11223344u;
            QVERIFY(cc.insertCombo(c));
            // Linked already: refused, so the caller keeps and frees it.
            if (i == 2)
                QVERIFY(!cc.insertCombo(c));
        }
        QCOMPARE(ListLength(cc.list), 3);
        QCOMPARE(QByteArray(cc.list->name), QByteArray("0"));
        QCOMPARE(QByteArray(KvNext(KvNext(cc.list))->name), QByteArray("2"));
        // Released by the destructor; the sanitizer build reports it otherwise.
    }

    void filesAreWholeOrNothing() {
        QTemporaryDir dir;
        const QString path = dir.filePath("chart.ps");
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("old contents");
        old.close();

        KvFile* f = Kv_fopen(QFile::encodeName(path).constData(), "w");
        QVERIFY(f);
        Kv_fprintf(f, "%%!PS new %d\n", 1);
        // Until closed the old file stands.
        QCOMPARE(readAll(path), QByteArray("old contents"));
        Kv_fabort(f);
        QCOMPARE(readAll(path), QByteArray("old contents"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 1);

        f = Kv_fopen(QFile::encodeName(path).constData(), "w");
        Kv_fprintf(f, "%%!PS new %d\n", 2);
        Kv_fwrite("tail", 4, 1, f);
        QCOMPARE(Kv_fclose(f), 0);
        QCOMPARE(readAll(path), QByteArray("%!PS new 2\ntail"));
        QCOMPARE(QFileInfo(path).permissions() & QFile::ReadOther, QFile::ReadOther);

        // A link keeps being a link; its file gets the contents.
        const QString real = dir.filePath("real.ps"), link = dir.filePath("link.ps");
        QFile::copy(path, real);
        QVERIFY(QFile::link(real, link));
        f = Kv_fopen(QFile::encodeName(link).constData(), "w");
        Kv_fprintf(f, "via link");
        QCOMPARE(Kv_fclose(f), 0);
        QVERIFY(QFileInfo(link).isSymLink());
        QCOMPARE(readAll(real), QByteArray("via link"));

        // Unwritable places, directories and devices give no handle.
        QVERIFY(Kv_fopen(QFile::encodeName(dir.path()).constData(), "w") == nullptr);
        QVERIFY(Kv_fopen("/dev/null", "w") == nullptr);
        QVERIFY(Kv_fopen(QFile::encodeName(dir.filePath("no/such/dir/x.ps")).constData(), "w") == nullptr);
        QVERIFY(Kv_fopen("", "w") == nullptr);
        QVERIFY(Kv_fopen(nullptr, "w") == nullptr);
    }

    void failedCloseLeavesNoFile() {
        // The target turns out to be a directory: nothing may be put in place,
        // and no temporary file may be left behind.
        QTemporaryDir dir;
        const QString path = dir.filePath("out.ps");
        KvFile* f = Kv_fopen(QFile::encodeName(path).constData(), "w");
        QVERIFY(f);
        Kv_fprintf(f, "data\n");
        QVERIFY(QDir().mkdir(path));
        QVERIFY(Kv_fclose(f) != 0);
        QVERIFY(QFileInfo(path).isDir());
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 0);
    }

    void numbersIgnoreLocale() {
        const char* de = std::setlocale(LC_ALL, "de_DE.UTF-8");
        if (!de)
            de = std::setlocale(LC_ALL, "fr_FR.UTF-8");
        if (!de || std::strcmp(std::localeconv()->decimal_point, ",") != 0) {
            std::setlocale(LC_ALL, "C");
            QSKIP("no comma-decimal locale (de_DE.UTF-8 or fr_FR.UTF-8) is installed; "
                  "tools/install-deps.sh generates de_DE.UTF-8");
        }
        QTemporaryDir dir;
        const QString path = dir.filePath("n.txt");
        KvFile* f = Kv_fopen(QFile::encodeName(path).constData(), "w");
        Kv_fprintf(f, "%.2f", 12.5);
        QCOMPARE(Kv_fclose(f), 0);
        std::setlocale(LC_ALL, "C");
        QCOMPARE(readAll(path), QByteArray("12.50"));
    }

    void dateText() {
        const std::time_t t = 0;
        char buffer[64];
        const char* s = Kv_ctime(&t, buffer);
        QVERIFY(s == buffer);
        QVERIFY(std::strlen(s) >= 24);
        QVERIFY(s[std::strlen(s) - 1] == '\n');
    }

    void pathParts_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("dir");
        QTest::addColumn<QString>("file");
        QTest::newRow("absolute") << "/usr/share/color/icc/sRGB.icc"
                                  << "/usr/share/color/icc"
                                  << "sRGB.icc";
        QTest::newRow("root file") << "/tintry"
                                   << "/"
                                   << "tintry";
        QTest::newRow("bare name") << "tintry"
                                   << ""
                                   << "tintry";
        QTest::newRow("relative") << "bin/tintry"
                                  << "bin"
                                  << "tintry";
        QTest::newRow("trailing slash") << "/a/b/"
                                        << "/a/b"
                                        << "";
        QTest::newRow("empty") << ""
                               << ""
                               << "";
        QTest::newRow("non-ASCII") << "/home/é/Profile Überprüfung/x.icc"
                                   << "/home/é/Profile Überprüfung"
                                   << "x.icc";
    }
    void pathParts() {
        QFETCH(QString, path);
        QFETCH(QString, dir);
        QFETCH(QString, file);
        QCOMPARE(QString::fromStdString(KvFileInfo::dirnameFromPath(path.toStdString())), dir);
        QCOMPARE(QString::fromStdString(KvFileInfo::filenameFromPath(path.toStdString())), file);
    }

    void existence() {
        QTemporaryDir dir;
        KvFileInfo info(dir.path().toStdString());
        QVERIFY(info.exists());
        info.setFile(dir.filePath("missing").toStdString());
        QVERIFY(!info.exists());
        info.setFile("");
        QVERIFY(!info.exists());
    }
};

TINTRY_CORE_TEST_MAIN(TestKvlib)
#include "test_kvlib.moc"
