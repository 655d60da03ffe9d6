// spotread as a child process: its result line parsed or refused, fake
// spotreads that answer, answer slowly, never answer, answer garbage, ask for
// a calibration or die, the states shown on the way, time-out and Cancel
// ending the child and its group with nothing left behind, and a reading
// reaching the converter's Lab input through the panel.
#include "ConverterTestKit.h"
#include "InstrumentTestKit.h"
#include "SpectroBuddy.h"
#include "SpotreadSource.h"
#include "TestMain.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QUrl>

using namespace instrumentkit;

Q_DECLARE_METATYPE(SpotreadSource::State)

class TestSpotread : public QObject {
    Q_OBJECT

private slots:
    void parseLine_data();
    void parseLine();
    void readingsOneChildMany();
    void slowAnswerStaysResponsive();
    void silentTimesOut();
    void cancelEndsTheChild();
    void chatterDoesNotMoveTheDeadline();
    void cancelEndsAGrandchildThatIgnoresTerm();
    void oneRequestGivesOneReading();
    void garbledLineIsAnError_data();
    void garbledLineIsAnError();
    void calibrationWaitsForThePerson();
    void childThatDiesIsAnError();
    void notInstalled();
    void readingReachesTheConverter();

private:
    QTemporaryDir dir;
};

void TestSpotread::parseLine_data() {
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QList<double>>("lab");
    const QList<double> none;
    QTest::newRow("spotread's own") << QByteArray(" Result is XYZ: 91.530824 94.988403 78.290393, D50 Lab: "
                                                  "97.993013 -1.009823 -2.145961")
                                    << int(SpotreadSource::ResultLine)
                                    << QList<double>{97.993013, -1.009823, -2.145961};
    QTest::newRow("prompt") << QByteArray(readingPrompt) << int(SpotreadSource::OtherLine) << none;
    QTest::newRow("another illuminant") << QByteArray(" Result is XYZ: 1 2 3, D65 Lab: 50 -10 4")
                                        << int(SpotreadSource::NotD50Result) << none;
    QTest::newRow("Lab missing") << QByteArray(" Result is XYZ: 1 2 3") << int(SpotreadSource::GarbledResult)
                                 << none;
    QTest::newRow("word for a number") << QByteArray(" Result is XYZ: 1 2 3, D50 Lab: fifty -10 4")
                                       << int(SpotreadSource::GarbledResult) << none;
    QTest::newRow("comma decimals") << QByteArray(" Result is XYZ: 1 2 3, D50 Lab: 50,5 -10,2 4,1")
                                    << int(SpotreadSource::GarbledResult) << none;
    QTest::newRow("not a number") << QByteArray(" Result is XYZ: 1 2 3, D50 Lab: nan 0 0")
                                  << int(SpotreadSource::GarbledResult) << none;
    QTest::newRow("absurd lightness") << QByteArray(" Result is XYZ: 1 2 3, D50 Lab: 1e9 0 0")
                                      << int(SpotreadSource::GarbledResult) << none;
    QTest::newRow("emissive luminance")
        << QByteArray(" Result is Y: 120.5, L*: 99.1") << int(SpotreadSource::GarbledResult) << none;
}

void TestSpotread::parseLine() {
    QFETCH(QByteArray, line);
    QFETCH(int, kind);
    QFETCH(QList<double>, lab);
    double got[3] = {0, 0, 0};
    QCOMPARE(int(SpotreadSource::parseLine(line, got)), kind);
    for (int i = 0; i < lab.size(); ++i)
        QCOMPARE(got[i], lab[i]);
}

void TestSpotread::readingsOneChildMany() {
    SpotreadSource source;
    source.setProgram(writeProgram(dir, "answers", answering({"50.4 -10.6 3.5", "20 30 -40"})));
    source.setTimeout(5000);
    QSignalSpy readings(&source, &SpotreadSource::reading);
    QSignalSpy states(&source, &SpotreadSource::stateChanged);

    source.read();
    QTRY_COMPARE(readings.count(), 1);
    QCOMPARE(readings[0][0].toDouble(), 50.4);
    QCOMPARE(readings[0][1].toDouble(), -10.6);
    QCOMPARE(readings[0][2].toDouble(), 3.5);
    QList<SpotreadSource::State> seen;
    for (const QList<QVariant>& s : states)
        seen << s[0].value<SpotreadSource::State>();
    QVERIFY(seen.contains(SpotreadSource::Starting));
    QVERIFY(seen.contains(SpotreadSource::Reading));
    QTRY_COMPARE(source.state(), SpotreadSource::Ready);

    // The second reading is a key press to the same child.
    const qint64 pid = source.processId();
    source.read();
    QTRY_COMPARE(readings.count(), 2);
    QCOMPARE(readings[1][2].toDouble(), -40.0);
    QCOMPARE(source.processId(), pid);
}

void TestSpotread::slowAnswerStaysResponsive() {
    SpotreadSource source;
    source.setProgram(writeProgram(dir, "slow", answering({"60 1 2"}, "0.8")));
    source.setTimeout(5000);
    QSignalSpy readings(&source, &SpotreadSource::reading);
    QElapsedTimer clock;
    clock.start();
    source.read();
    // read() only starts things: the answer comes through the event loop.
    QVERIFY(clock.elapsed() < 500);
    QCOMPARE(readings.count(), 0);
    QTRY_COMPARE_WITH_TIMEOUT(readings.count(), 1, 5000);
    QVERIFY(clock.elapsed() >= 700);
}

void TestSpotread::silentTimesOut() {
    SpotreadSource source;
    source.setProgram(writeProgram(dir, "silent", silent()));
    source.setTimeout(400);
    QSignalSpy readings(&source, &SpotreadSource::reading);
    source.read();
    QTRY_VERIFY(source.processId() > 0);
    const qint64 pid = source.processId();
    QTRY_VERIFY(!sessionMembers(pid).isEmpty()); // the shell and its sleep
    QTRY_COMPARE_WITH_TIMEOUT(source.state(), SpotreadSource::Error, 3000);
    QVERIFY2(source.message().contains("no answer"), qPrintable(source.message()));
    QVERIFY(!source.isRunning());
    // Ended and reaped: no zombie, and the grandchild went with it.
    QTRY_VERIFY_WITH_TIMEOUT(processGone(pid), 3000);
    QTRY_VERIFY_WITH_TIMEOUT(sessionMembers(pid).isEmpty(), 3000);
    QCOMPARE(readings.count(), 0);
}

void TestSpotread::cancelEndsTheChild() {
    SpotreadSource source;
    source.setProgram(writeProgram(dir, "silent", silent()));
    source.setTimeout(60000);
    source.read();
    QTRY_VERIFY(source.processId() > 0);
    const qint64 pid = source.processId();
    source.cancel();
    QCOMPARE(source.state(), SpotreadSource::Idle);
    QVERIFY(!source.isRunning());
    QTRY_VERIFY_WITH_TIMEOUT(processGone(pid), 3000);
    QTRY_VERIFY_WITH_TIMEOUT(sessionMembers(pid).isEmpty(), 3000);

    // And the destructor ends one still running.
    qint64 second = 0;
    {
        SpotreadSource other;
        other.setProgram(dir.filePath("silent"));
        other.read();
        QTRY_VERIFY(other.processId() > 0);
        second = other.processId();
    }
    QTRY_VERIFY_WITH_TIMEOUT(processGone(second), 3000);
    QTRY_VERIFY_WITH_TIMEOUT(sessionMembers(second).isEmpty(), 3000);
}

// A spotread that keeps printing but never answers must still time out.
void TestSpotread::chatterDoesNotMoveTheDeadline() {
    SpotreadSource source;
    source.setProgram(
        writeProgram(dir, "chatty", "#!/bin/sh\nwhile :; do echo 'Instrument busy'; sleep 0.1; done\n"));
    source.setTimeout(600);
    QElapsedTimer clock;
    clock.start();
    source.read();
    QTRY_COMPARE_WITH_TIMEOUT(source.state(), SpotreadSource::Error, 4000);
    QVERIFY2(source.message().contains("no answer"), qPrintable(source.message()));
    QVERIFY(clock.elapsed() < 2500);
}

// The leader dies on TERM, its child ignores TERM: Cancel must still end it.
void TestSpotread::cancelEndsAGrandchildThatIgnoresTerm() {
    SpotreadSource source;
    source.setProgram(
        writeProgram(dir, "stubborn", "#!/bin/sh\n(trap '' TERM; exec sleep 1000) &\nexec sleep 1000\n"));
    source.setTimeout(60000);
    source.read();
    QTRY_VERIFY(source.processId() > 0);
    const qint64 pid = source.processId();
    QTRY_COMPARE(sessionMembers(pid).size(), 2);
    source.cancel();
    QTRY_VERIFY_WITH_TIMEOUT(sessionMembers(pid).isEmpty(), 4000);
}

// Two result lines after one key press, and one before any press: only the
// answer to the press is a reading.
void TestSpotread::oneRequestGivesOneReading() {
    const QByteArray result = "echo ' Result is XYZ: 18.000000 19.000000 15.000000, D50 Lab: ";
    const QByteArray script = "#!/bin/sh\n" + result + "10 0 0'\nprintf '" + readingPrompt + "'\nread key\n" +
                              result + "50 1 2'\n" + result + "70 3 4'\nprintf '" + readingPrompt +
                              "'\nexec sleep 1000\n";
    SpotreadSource source;
    source.setProgram(writeProgram(dir, "twice", script));
    source.setTimeout(5000);
    QSignalSpy readings(&source, &SpotreadSource::reading);
    source.read();
    QTRY_COMPARE(readings.count(), 1);
    QTRY_COMPARE(source.state(), SpotreadSource::Ready);
    QTest::qWait(300);
    QCOMPARE(readings.count(), 1);
    QCOMPARE(readings[0][0].toDouble(), 50.0);
}

void TestSpotread::garbledLineIsAnError_data() {
    QTest::addColumn<QByteArray>("line");
    QTest::newRow("cut short") << QByteArray(" Result is XYZ: 18.0 19.0, D50 Lab: 50.1");
    QTest::newRow("words") << QByteArray(" Result is XYZ: a b c, D50 Lab: d e f");
}

void TestSpotread::garbledLineIsAnError() {
    QFETCH(QByteArray, line);
    const QByteArray script = "#!/bin/sh\nprintf '" + readingPrompt + "'\nread key\necho '" + line +
                              "'\nprintf '" + readingPrompt + "'\nexec sleep 1000\n";
    QGroupBox box;
    auto* panel = new SpectroBuddy(&box, true);
    panel->findChild<QLineEdit*>("spectro_program_edit")->setText(writeProgram(dir, "garbled", script));
    panel->setSource(SpectroBuddy::SourceSpotread);
    QSignalSpy spy(panel, &SpectroBuddy::spotLab);
    panel->findChild<QPushButton*>("spectro_read_button")->click();
    QTRY_COMPARE_WITH_TIMEOUT(panel->spotread().state(), SpotreadSource::Error, 5000);
    const QString shown = panel->findChild<QLabel*>("spectro_status_label")->text();
    QVERIFY2(shown.startsWith("Error:") && shown.contains("not a reading"), qPrintable(shown));
    QCOMPARE(spy.count(), 0);
    QVERIFY(!panel->spotread().isRunning());
}

void TestSpotread::calibrationWaitsForThePerson() {
    // A calibration prompt is the person's turn: no time-out runs, and the
    // key that answers it does not take a reading off the white tile.
    const QByteArray calibrate = "echo 'Place the instrument on its reflective white reference'\n"
                                 "printf 'and then hit any key to continue:'\nread key\n";
    SpotreadSource source;
    source.setProgram(writeProgram(dir, "calibrates", answering({"70 0 0"}, "0", calibrate)));
    source.setTimeout(500);
    QSignalSpy readings(&source, &SpotreadSource::reading);
    source.read();
    QTRY_COMPARE(source.state(), SpotreadSource::WaitingForUser);
    QVERIFY2(source.message().contains("white reference"), qPrintable(source.message()));
    QTest::qWait(800); // longer than the time-out
    QCOMPARE(source.state(), SpotreadSource::WaitingForUser);

    source.read(); // the tile is done
    QTRY_COMPARE(source.state(), SpotreadSource::Ready);
    QCOMPARE(readings.count(), 0);
    source.read();
    QTRY_COMPARE(readings.count(), 1);
    QCOMPARE(readings[0][0].toDouble(), 70.0);
}

void TestSpotread::childThatDiesIsAnError() {
    SpotreadSource source;
    source.setProgram(writeProgram(dir, "dies", "#!/bin/sh\necho 'Failed to find any instrument'\nexit 1\n"));
    source.setTimeout(5000);
    source.read();
    QTRY_COMPARE(source.state(), SpotreadSource::Error);
    QVERIFY2(source.message().contains("exit code 1") && source.message().contains("Failed to find"),
             qPrintable(source.message()));
}

void TestSpotread::notInstalled() {
    QGroupBox box;
    auto* panel = new SpectroBuddy(&box, true);
    panel->findChild<QLineEdit*>("spectro_program_edit")->setText(dir.filePath("no-such-spotread"));
    QVERIFY(!panel->sourceAvailable(SpectroBuddy::SourceSpotread));
    auto* combo = panel->findChild<QComboBox*>("spectro_source_combo");
    const int item = combo->findData(int(SpectroBuddy::SourceSpotread));
    QVERIFY(combo->itemText(item).contains("not installed"));
    QVERIFY(!(qobject_cast<QStandardItemModel*>(combo->model())->item(item)->flags() & Qt::ItemIsEnabled));
    panel->setSource(SpectroBuddy::SourceSpotread);
    QCOMPARE(panel->source(), SpectroBuddy::SourceManual);

    // Named again, it comes back.
    panel->findChild<QLineEdit*>("spectro_program_edit")
        ->setText(writeProgram(dir, "answers2", answering({})));
    QVERIFY(panel->sourceAvailable(SpectroBuddy::SourceSpotread));
    QVERIFY(!combo->itemText(item).contains("not installed"));
}

void TestSpotread::readingReachesTheConverter() {
    if (!kit::haveProfiles())
        QSKIP("the system ICC profiles (icc-profiles-free, libgs-common) are not installed");
    DialogScript script;
    KvRegistry store;
    kit::store(store, kit::cmyk, kit::sRGB, kit::sRGB);
    const QString program =
        writeProgram(dir, "converter", answering({"50.400000 -10.600000 3.500000"}, "0.2"));
    store.putstring(kit::section, "instrument",
                    "addmode=1;source=spotread;timeout=5;program=" +
                        QUrl::toPercentEncoding(program).toStdString());
    Tintry t(&store);
    QCOMPARE(t.spectro->source(), SpectroBuddy::SourceSpotread);
    t.spectro->findChild<QPushButton*>("spectro_read_button")->click();
    QTRY_COMPARE_WITH_TIMEOUT(t.labin_l_spin->value(), 50, 5000);
    QCOMPARE(t.labin_a_spin->value(), -11);
    QCOMPARE(t.labin_b_spin->value(), 4);
    QVERIFY(t.labInput);
    QCOMPARE(t.history_combo->count(), 2); // add mode keeps it
    QCOMPARE(script.unanswered, 0);
}

TINTRY_TEST_MAIN(TestSpotread)
#include "test_spotread.moc"
