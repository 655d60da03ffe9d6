// The main window: caption, menus and their keys, About, New Window, and the
// rule that every window saves on close so the one closed last decides.
#include "DialogScript.h"
#include "KvMainWindow.h"
#include "KvRegistry.h"
#include "TestMain.h"
#include "Tintry.h"

#include <QMenuBar>
#include <QPointer>

namespace {

char program[] = "/opt/tintry/bin/tintry";
char* args[] = {program, nullptr};

QMenu* menuTitled(QMainWindow* w, const QString& title) {
    for (QAction* a : w->menuBar()->actions())
        if (a->text() == title)
            return a->menu();
    return nullptr;
}

QAction* entry(QMenu* menu, const QString& text) {
    for (QAction* a : menu->actions())
        if (a->text() == text)
            return a;
    return nullptr;
}

void closeAndDelete(QWidget* w) {
    QPointer<QWidget> p(w);
    w->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(p.isNull());
}

KvRegistry stored(const std::string& name) {
    KvRegistry r;
    r.open(name);
    return r;
}

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
private slots:
    void init() { QFile::remove(QString::fromStdString(KvRegistry::pathForName(storeName()))); }

    void captionAndMenus() {
        auto* w = new KvMainWindow(1, args);
        QCOMPARE(w->objectName(), QString("KvMainWindow"));
        QCOMPARE(w->windowTitle(), QString("Quillon Tintry 1.2"));
        QVERIFY(w->testAttribute(Qt::WA_DeleteOnClose));
        QVERIFY(w->parentWidget() == nullptr);
        QVERIFY(qobject_cast<Tintry*>(w->centralWidget()));

        QStringList titles;
        for (QAction* a : w->menuBar()->actions())
            titles << a->text();
        // No translations beside the test, so no Language menu.
        QCOMPARE(titles, QStringList({"Project", "Help"}));

        QMenu* project = menuTitled(w, "Project");
        QStringList texts;
        for (QAction* a : project->actions())
            texts << a->text() + "=" + a->shortcut().toString();
        QCOMPARE(texts, QStringList({"New Window=Ctrl+N", "Close=Ctrl+W", "Clear all=", "Quit=Ctrl+Q"}));
        QMenu* help = menuTitled(w, "Help");
        texts.clear();
        for (QAction* a : help->actions())
            texts << a->text() + "=" + a->shortcut().toString();
        QCOMPARE(texts, QStringList({"What's &This=Shift+F1", "About="}));

        // Slots in their order in the meta-object.
        const QMetaObject* mo = w->metaObject();
        QStringList slotNames;
        for (int i = mo->methodOffset(); i < mo->methodCount(); ++i)
            if (mo->method(i).methodType() == QMetaMethod::Slot)
                slotNames << mo->method(i).methodSignature();
        QCOMPARE(slotNames, QStringList({"about()", "quit()", "newtool()", "changelanguage(int)"}));
        closeAndDelete(w);
    }

    void aboutBox() {
        DialogScript dialogs;
        auto* w = new KvMainWindow(1, args);
        entry(menuTitled(w, "Help"), "About")->trigger();
        QCOMPARE(dialogs.requests.size(), 1);
        QCOMPARE(dialogs.requests[0].kind, KvDialogRequest::About);
        QCOMPARE(dialogs.requests[0].caption, QString("About"));
        QVERIFY(dialogs.requests[0].text.startsWith("<b>Quillon Tintry</b> version 1.2<br>"));
        QVERIFY(dialogs.requests[0].text.contains("<br><br>"));
        QVERIFY(dialogs.requests[0].text.contains("Ctrl+Shift+P: colour chart from an ICC profile"));
        QVERIFY(dialogs.requests[0].text.contains("Ctrl+Shift+S: colour chart from a swatches file"));
        closeAndDelete(w);
    }

    void closeSavesSizeAndLanguage() {
        auto* w = new KvMainWindow(1, args);
        w->resize(700, 500);
        closeAndDelete(w);
        KvRegistry r = stored(storeName());
        QCOMPARE(r.getlong("kvmainwindow", "width"), 700L);
        QCOMPARE(r.getlong("kvmainwindow", "height"), 500L);
        // The converter's settings went into the same store.
        QCOMPARE(r.getlong("tintry", "accuracy"), 0L);
        QVERIFY(QFile::exists(QString::fromStdString(KvRegistry::pathForName(storeName()))));

        auto* again = new KvMainWindow(1, args);
        QCOMPARE(again->size(), QSize(700, 500));
        closeAndDelete(again);
    }

    void newWindowOpensWithTheSavedSize() {
        auto* first = new KvMainWindow(1, args);
        first->resize(720, 510);
        QPointer<QWidget> second;
        const QWidgetList before = QApplication::topLevelWidgets();
        entry(menuTitled(first, "Project"), "New Window")->trigger();
        for (QWidget* t : QApplication::topLevelWidgets())
            if (!before.contains(t) && qobject_cast<KvMainWindow*>(t))
                second = t;
        QVERIFY(second);
        QCOMPARE(second->size(), QSize(720, 510));
        // The store was written before the new window was built.
        QCOMPARE(stored(storeName()).getlong("kvmainwindow", "width"), 720L);

        // Closing one leaves the other.
        closeAndDelete(first);
        QVERIFY(second);
        closeAndDelete(second);
    }

    void lastClosedDecides_data() {
        QTest::addColumn<bool>("firstClosedLast");
        QTest::newRow("first closed last") << true;
        QTest::newRow("second closed last") << false;
    }
    void lastClosedDecides() {
        QFETCH(bool, firstClosedLast);
        auto* a = new KvMainWindow(1, args);
        auto* b = new KvMainWindow(1, args);
        a->resize(610, 410);
        b->resize(620, 420);
        if (firstClosedLast) {
            closeAndDelete(b);
            closeAndDelete(a);
        } else {
            closeAndDelete(a);
            closeAndDelete(b);
        }
        QCOMPARE(stored(storeName()).getlong("kvmainwindow", "width"), firstClosedLast ? 610L : 620L);
    }

    void quitClosesEveryWindow() {
        auto* a = new KvMainWindow(1, args);
        auto* b = new KvMainWindow(1, args);
        a->show();
        b->show();
        QPointer<QWidget> pa(a), pb(b);
        entry(menuTitled(a, "Project"), "Quit")->trigger();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(pa.isNull());
        QVERIFY(pb.isNull());
    }

private:
    static std::string storeName() { return KvRegistry::getregname("/opt/tintry/bin", "tintry"); }
};

TINTRY_TEST_MAIN(TestMainWindow)
#include "test_mainwindow.moc"
