// Installing a profile into the user's profile folder: into $XDG_DATA_HOME/icc
// (made when missing) under its own name, the same bytes again found where
// they are, other bytes of the same name given the next free name and never
// written over another file, and what is no profile refused.
#include "CoreTestMain.h"
#include "ProfileFolders.h"
#include "ProfileInstaller.h"
#include "ProfileMakingKit.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <unistd.h>

using namespace profilekit;

namespace {

const char* const psCmyk = "/usr/share/color/icc/ghostscript/ps_cmyk.icc";

} // namespace

class TestProfileInstall : public QObject {
    Q_OBJECT

private slots:
    void init() {
        if (!QFile::exists(defaultCmyk) || !QFile::exists(psCmyk))
            QSKIP("libgs-common's profiles are not installed");
        home.reset(new QTemporaryDir);
        qputenv("XDG_DATA_HOME", home->path().toUtf8());
    }

    void intoTheUsersFolder() {
        QCOMPARE(ProfileFolders::userFolder(), home->path() + "/icc");
        const QString printer = home->filePath("printer.icc");
        QVERIFY(QFile::copy(defaultCmyk, printer));
        const auto first = ProfileInstaller::install(printer.toStdString());
        QVERIFY2(first, first ? "" : first.failure().text().c_str());
        QCOMPARE(QString::fromStdString(first->path), home->path() + "/icc/printer.icc");
        QVERIFY(!first->alreadyThere);
        QCOMPARE(fileBytes(QString::fromStdString(first->path)), fileBytes(defaultCmyk));
        // Readable by others, as profiles are, not the owner's alone.
        QVERIFY(QFile(QString::fromStdString(first->path)).permissions() & QFile::ReadOther);
        QVERIFY(ProfileFolders::existing().contains(home->path() + "/icc"));

        // The same bytes again: already there, nothing new written.
        const auto again = ProfileInstaller::install(printer.toStdString());
        QVERIFY(again && again->alreadyThere);
        QCOMPARE(again->path, first->path);

        // A new profile of the same name does not replace the one installed.
        QFile::remove(printer);
        QVERIFY(QFile::copy(psCmyk, printer));
        const auto second = ProfileInstaller::install(printer.toStdString());
        QVERIFY(second && !second->alreadyThere);
        QCOMPARE(QString::fromStdString(second->path), home->path() + "/icc/printer-2.icc");
        QCOMPARE(fileBytes(QString::fromStdString(first->path)), fileBytes(defaultCmyk));
        QCOMPARE(fileBytes(QString::fromStdString(second->path)), fileBytes(psCmyk));
        // No temporary file is left in the folder.
        QCOMPARE(QDir(home->path() + "/icc").entryList(QDir::Files | QDir::Hidden),
                 QStringList({"printer-2.icc", "printer.icc"}));
    }

    void refusals_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("folderWritable");
        QTest::addColumn<QString>("why");
        QTest::newRow("not a profile") << QByteArray("just text") << true << "not an ICC profile";
        QTest::newRow("folder read-only") << fileBytes(defaultCmyk) << false << "Permission denied";
    }
    void refusals() {
        QFETCH(QByteArray, content);
        QFETCH(bool, folderWritable);
        QFETCH(QString, why);
        if (!folderWritable && ::geteuid() == 0)
            QSKIP("root writes into a read-only folder");
        const QString source = home->filePath("p.icc");
        QFile f(source);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(content);
        f.close();
        const QString folder = home->filePath("icc");
        QVERIFY(QDir().mkpath(folder));
        if (!folderWritable)
            QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
        const auto r = ProfileInstaller::install(source.toStdString());
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QVERIFY(!r);
        QVERIFY2(QString::fromStdString(r.failure().text()).contains(why), r.failure().text().c_str());
        QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden).size(), 0);
    }

private:
    std::unique_ptr<QTemporaryDir> home;
};

TINTRY_CORE_TEST_MAIN(TestProfileInstall)
#include "test_profile_install.moc"
