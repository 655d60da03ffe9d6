// Files that claim to be enormous are refused without the memory they
// claim (a hang would meet CTest's time-out): a CGATS table of 2^31 sets, an ASE file of four billion
// blocks, a profile whose header claims gigabytes.
#include "CoreTestMain.h"
#include "KvCMS.h"
#include "KvCmsIcc.h"
#include "MeasurementFile.h"
#include "SwatchImporter.h"

#include <QFile>
#include <QTemporaryDir>

#include <sys/resource.h>

namespace {

long peakKb() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss;
}

QByteArray be32(quint32 v) {
    const char b[4] = {char(v >> 24), char(v >> 16), char(v >> 8), char(v)};
    return QByteArray(b, 4);
}

} // namespace

class TestHostileInput : public QObject {
    Q_OBJECT
private slots:
    void enormousClaims_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray cgats =
            "CGATS.17\nNUMBER_OF_FIELDS 4\nBEGIN_DATA_FORMAT\nSAMPLE_ID LAB_L LAB_A LAB_B\n"
            "END_DATA_FORMAT\nNUMBER_OF_SETS %1\nBEGIN_DATA\n1 50 0 0\n2 60 1 1\nEND_DATA\n";
        QTest::newRow("CGATS with 2^31 sets") << "cgats" << QByteArray(cgats).replace("%1", "2147483648");
        QTest::newRow("CGATS with 2^31-1 sets") << "cgats" << QByteArray(cgats).replace("%1", "2147483647");
        QTest::newRow("CGATS with 2^31 fields")
            << "cgats"
            << QByteArray("CGATS.17\nNUMBER_OF_FIELDS 2147483648\nBEGIN_DATA_FORMAT\nLAB_L\nEND_DATA_FORMAT\n"
                          "NUMBER_OF_SETS 1\nBEGIN_DATA\n1\nEND_DATA\n");
        QByteArray ase = QByteArray("ASEF") + QByteArray("\x00\x01\x00\x00", 4) + be32(0xffffffffu);
        QTest::newRow("ASE with four billion blocks") << "ase" << ase;
        QByteArray block = QByteArray("\x00\x01", 2) + be32(0xfffffff0u) + QByteArray(16, 'x');
        QTest::newRow("ASE block of four gigabytes") << "ase" << ase + block;
        QByteArray header(128, '\0');
        header.replace(0, 4, be32(0x7ffffff0u));
        header.replace(36, 4, "acsp");
        QTest::newRow("profile claiming two gigabytes") << "profile" << header + QByteArray(4096, '\0');
    }
    void enormousClaims() {
        QFETCH(QString, kind);
        QFETCH(QByteArray, bytes);
        QTemporaryDir dir;
        const QString path = dir.filePath("claims");
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        f.close();
        const QByteArray local = QFile::encodeName(path);

        const long before = peakKb();
        if (kind == "profile") {
            icProfileClassSignature c;
            icColorSpaceSignature s;
            QVERIFY(!KvCmsIcc::getICCprofileClass(local.constData(), &c, &s));
            KvCmsIcc t;
            QVERIFY(!t.create(local.constData(), local.constData()));
            QVERIFY(KvCMSInit(icSigCmykData, icSigCmykData, local.constData(), local.constData(), 1, 0, 0) ==
                    nullptr);
        } else {
            SwatchType type = SWATCH_UNKNOWN;
            KVCOMBOCOLOUR* list = SwatchImporter::import(local.constData(), type, 0);
            // Nothing of a file that claims the impossible: no half-read table.
            QCOMPARE(ListLength(list), 0);
            KvPacketFreeList(&list, KV_PACKET_COMBOCOLOUR);
        }
        QVERIFY2(peakKb() - before < 64 * 1024, qPrintable(QString("grew %1 kB").arg(peakKb() - before)));
    }

    // CGATS that LittleCMS's reader would mishandle never reaches it: a file
    // naming another to include (the reader would open it), and tables whose
    // field or set count changes after it sized them (the reader then reads
    // past them).
    void cgatsTheReaderMustNotSee_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QByteArray>("sound"); // the same without the fault, read as one reading
        const QByteArray format =
            "CGATS.17\nNUMBER_OF_FIELDS 4\nBEGIN_DATA_FORMAT\nSAMPLE_ID LAB_L LAB_A LAB_B\nEND_DATA_FORMAT\n";
        const QByteArray data = "NUMBER_OF_SETS 1\nBEGIN_DATA\n1 50 0 0\nEND_DATA\n";
        QTest::newRow("include") << "$INCLUDE \"%1\"\n" + format + data << format + data;
        QTest::newRow("include, lower case") << "$include \"%1\"\n" + format + data << format + data;
        QTest::newRow("fields grow after the format")
            << format + "NUMBER_OF_FIELDS 8\n" + data << format + data;
        QTest::newRow("sets change inside the data")
            << format + "NUMBER_OF_SETS 1\nBEGIN_DATA\n1 50 0 0\nNUMBER_OF_SETS 9\nEND_DATA\n"
            << format + data;
        QTest::newRow("two tables, each sound")
            << QByteArray()
            << format + data +
                   "CGATS.17\nNUMBER_OF_FIELDS 4\nBEGIN_DATA_FORMAT\nSAMPLE_ID LAB_L LAB_A LAB_B\n"
                   "END_DATA_FORMAT\nNUMBER_OF_SETS 1\nBEGIN_DATA\n2 60 0 0\nEND_DATA\n";
        QFile found(qEnvironmentVariable("TINTRY_TEST_DATA") + "/fuzz/cgats/fields-grow-after-format.txt");
        if (found.open(QIODevice::ReadOnly))
            QTest::newRow("found by the fuzzer") << found.readAll() << QByteArray();
    }
    void cgatsTheReaderMustNotSee() {
        QFETCH(QByteArray, bytes);
        QFETCH(QByteArray, sound);
        MeasurementFile file;
        if (!bytes.isEmpty()) {
            // What an included file would add: a property of its own.
            QTemporaryDir dir;
            QFile included(dir.filePath("included.txt"));
            QVERIFY(included.open(QIODevice::WriteOnly));
            included.write("ORIGINATOR \"elsewhere\"\n");
            included.close();
            bytes.replace("%1", QFile::encodeName(included.fileName()));

            QVERIFY(SwatchImporter::fromCGATS(bytes.constData(), size_t(bytes.size())) == nullptr);
            QVERIFY(!file.parse(bytes.constData(), size_t(bytes.size())));
            QCOMPARE(file.problem(), MeasurementFile::NotMeasurement);
        }
        if (!sound.isEmpty()) {
            QVERIFY(file.parse(sound.constData(), size_t(sound.size())));
            QCOMPARE(file.readings().size(), size_t(1));
            KVCOMBOCOLOUR* list = SwatchImporter::fromCGATS(sound.constData(), size_t(sound.size()));
            QCOMPARE(ListLength(list), 1);
            KvPacketFreeList(&list, KV_PACKET_COMBOCOLOUR);
        }
    }

    // The word "include" is refused only where the reader would act on it,
    // and a leading byte order mark is no reason to refuse a file.
    void includeOnlyWhereTheReaderActs_data() {
        QTest::addColumn<QByteArray>("header");
        QTest::addColumn<bool>("read");
        QTest::newRow("in a comment") << QByteArray("# include the sheet from 2024\n") << true;
        QTest::newRow("in a descriptor") << QByteArray("DESCRIPTOR \"Swatches to include\"\n") << true;
        QTest::newRow("a value mid-line") << QByteArray("ORIGINATOR include\n") << true;
        QTest::newRow("comment after a keyword") << QByteArray("ORIGINATOR \"x\" # $INCLUDE y\n") << true;
        QTest::newRow("byte order mark") << QByteArray("\xEF\xBB\xBF") << true;
        QTest::newRow("directive opening a line") << QByteArray("INCLUDE \"x\"\n") << false;
        QTest::newRow("indented directive") << QByteArray("  .include \"x\"\n") << false;
        QTest::newRow("directive mid-line") << QByteArray("ORIGINATOR $INCLUDE\n") << false;
        QTest::newRow("directive after an open quote")
            << QByteArray("DESCRIPTOR \"open\n$INCLUDE \"x\"\n") << false;
    }
    void includeOnlyWhereTheReaderActs() {
        QFETCH(QByteArray, header);
        QFETCH(bool, read);
        // The mark goes before everything; any other header after the first line.
        const bool mark = header.startsWith("\xEF");
        const QByteArray bytes =
            (mark ? header : QByteArray()) + "CGATS.17\n" + (mark ? QByteArray() : header) +
            "NUMBER_OF_FIELDS 4\nBEGIN_DATA_FORMAT\nSAMPLE_ID LAB_L LAB_A LAB_B\nEND_DATA_FORMAT\n"
            "NUMBER_OF_SETS 1\nBEGIN_DATA\n1 50 0 0\nEND_DATA\n";
        MeasurementFile file;
        QCOMPARE(file.parse(bytes.constData(), size_t(bytes.size())), read);
        KVCOMBOCOLOUR* list = SwatchImporter::fromCGATS(bytes.constData(), size_t(bytes.size()));
        QCOMPARE(ListLength(list), read ? 1 : 0);
        KvPacketFreeList(&list, KV_PACKET_COMBOCOLOUR);
    }
};

TINTRY_CORE_TEST_MAIN(TestHostileInput)
#include "test_hostile_input.moc"
