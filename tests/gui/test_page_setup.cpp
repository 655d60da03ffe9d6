// The chart window's export to paper: the page set-up dialog (what it offers,
// what it refuses, what it remembers) and the export it drives, PostScript or
// PDF by the file's name, with every failure told in the window.
#include "ChartWindowKit.h"
#include "DialogScript.h"
#include "PageSetupDialog.h"
#include "TestMain.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>

#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>

using namespace chartkit;

namespace {

// Answers the page set-up by setting it as a person would, then pressing OK
// if OK can be pressed.
KvDialogAnswer setUp(const KvDialogRequest& r, const std::function<void(PageSetupDialog&)>& change) {
    auto* dialog = qobject_cast<PageSetupDialog*>(r.dialog);
    if (dialog == nullptr)
        return KvDialogAnswer::cancel();
    change(*dialog);
    const bool ok = dialog->buttons->button(QDialogButtonBox::Ok)->isEnabled();
    return ok ? KvDialogAnswer::press(QMessageBox::Ok) : KvDialogAnswer::cancel();
}

} // namespace

class TestPageSetup : public QObject {
    Q_OBJECT
private slots:
    // The paper of the locale by default; a size that cannot work is
    // explained and cannot be accepted.
    void dialogShowsWhatFits() {
        KvRegistry store;
        PageSetupDialog d(512);
        d.load(&store);
        QCOMPARE(d.paperCombo->currentText(), QString("A4")); // the C locale's paper
        QCOMPARE(d.summaryLabel->text(), QString("Pages: 3, each up to 13 x 16 patches."));
        QVERIFY(d.buttons->button(QDialogButtonBox::Ok)->isEnabled());
        QVERIFY(!d.widthSpin->isEnabled());
        d.patchSpin->setValue(200);
        QVERIFY(d.summaryLabel->text().startsWith("This cannot be printed: a patch of 200 mm does not fit"));
        QVERIFY(!d.buttons->button(QDialogButtonBox::Ok)->isEnabled());
        d.patchSpin->setValue(11.3);
        d.paperCombo->setCurrentIndex(4); // custom
        QVERIFY(d.widthSpin->isEnabled());
        d.widthSpin->setValue(100);
        d.heightSpin->setValue(150);
        QCOMPARE(d.summaryLabel->text(), QString("Pages: 15, each up to 5 x 7 patches."));
        d.paperCombo->setCurrentIndex(5); // fit
        QVERIFY(!d.patchSpin->isEnabled());
        QVERIFY(d.layout().fit);
    }

    // Choices made once come back in the next export, written in any locale
    // as numbers with points.
    void choicesAreRemembered() {
        KvRegistry store;
        {
            PageSetupDialog d(64);
            d.load(&store);
            d.paperCombo->setCurrentIndex(2);
            d.landscapeCheck->setChecked(true);
            d.patchSpin->setValue(8.5);
            d.save(&store);
        }
        QCOMPARE(store.getstring("colourcheck", "print_paper"), std::string("a3"));
        QCOMPARE(store.getstring("colourcheck", "print_patch"), std::string("8.5"));
        PageSetupDialog again(64);
        again.load(&store);
        QCOMPARE(again.paperCombo->currentIndex(), 2);
        QVERIFY(again.landscapeCheck->isChecked());
        QCOMPARE(again.patchSpin->value(), 8.5);
    }

    // Through the window: PDF for a .pdf name, PostScript pages otherwise;
    // a cancelled set-up writes nothing.
    void windowExports() {
        Window w;
        QCOMPARE(w.chart->chartFromICC(defaultCmyk, nullptr, 64), 0);
        QTemporaryDir dir;
        DialogScript dialogs;
        dialogs.openFile(dir.filePath("c.pdf"));
        dialogs.cancel();
        QMetaObject::invokeMethod(w.chart, "exportChart");
        QCOMPARE(dialogs.requests.size(), 2);
        QCOMPARE(dialogs.requests[1].kind, KvDialogRequest::Dialog);
        QVERIFY(QDir(dir.path()).isEmpty());

        KvDialogs::setResponder([&](const KvDialogRequest& r) {
            if (r.kind == KvDialogRequest::SaveFile)
                return KvDialogAnswer::file(dir.filePath("c.pdf"));
            return setUp(r, [](PageSetupDialog& d) { d.paperCombo->setCurrentIndex(1); });
        });
        QMetaObject::invokeMethod(w.chart, "exportChart");
        QVERIFY(readAll(dir.filePath("c.pdf")).startsWith("%PDF-"));
        QCOMPARE(w.store.getstring("colourcheck", "print_paper"), std::string("letter"));
        KvDialogs::setResponder([&](const KvDialogRequest& r) {
            if (r.kind == KvDialogRequest::SaveFile)
                return KvDialogAnswer::file(dir.filePath("c.ps"));
            return setUp(r, [](PageSetupDialog&) {});
        });
        QMetaObject::invokeMethod(w.chart, "exportChart");
        const QByteArray ps = readAll(dir.filePath("c.ps"));
        QVERIFY(ps.contains("%%Title: Colour check chart, default_cmyk.icc, 64 patches, "));
        QVERIFY(ps.contains("%%DocumentMedia: (Letter) 612.00 792.00 0 () ()\n"));
        QVERIFY(ps.contains("(Patch 0064)"));
    }

    // A failed export is told in the window with its reason; the old file
    // stays as it was, permissions and all, and no partial file is left.
    void failureIsToldInTheWindow() {
        Window w;
        QCOMPARE(w.chart->chartFromICC(defaultCmyk, nullptr, 512), 0);
        QTemporaryDir dir;
        const QString old = dir.filePath("old.ps");
        QFile f(old);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("old\n");
        f.close();
        QVERIFY(::chmod(QFile::encodeName(old).constData(), 0640) == 0);
        const QStringList targets{dir.path(), dir.filePath("no/such/dir/c.pdf"), old};
        DialogScript dialogs;
        rlimit saved{};
        getrlimit(RLIMIT_FSIZE, &saved);
        rlimit small = saved;
        small.rlim_cur = 4096;
        auto previous = std::signal(SIGXFSZ, SIG_IGN);
        for (const QString& target : targets) {
            dialogs.openFile(target);
            dialogs.answer(KvDialogAnswer::press(QMessageBox::Ok));
            setrlimit(RLIMIT_FSIZE, &small);
            QMetaObject::invokeMethod(w.chart, "exportChart");
            setrlimit(RLIMIT_FSIZE, &saved);
        }
        std::signal(SIGXFSZ, previous);
        const QString text = "Export chart|The chart could not be written to %1: %2.";
        QCOMPARE(dialogs.messages(), QStringList({text.arg(targets[0], "Is a directory"),
                                                  text.arg(targets[1], "No such file or directory"),
                                                  text.arg(targets[2], "File too large")}));
        QCOMPARE(readAll(old), QByteArray("old\n"));
        struct stat st {};
        QVERIFY(::stat(QFile::encodeName(old).constData(), &st) == 0);
        QCOMPARE(st.st_mode & 0777, 0640u);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"old.ps"});
    }
};

TINTRY_TEST_MAIN(TestPageSetup)
#include "test_page_setup.moc"
