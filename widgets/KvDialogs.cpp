#include "KvDialogs.h"

#include "ProfileFolders.h"

#include <QCoreApplication>
#include <QDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QPushButton>

namespace {

KvDialogs::Responder& responder() {
    static KvDialogs::Responder r;
    return r;
}

KvDialogRequest fileRequest(KvDialogRequest::Kind kind, QWidget* parent, const QString& caption,
                            const QString& dir, const QString& filter) {
    KvDialogRequest r;
    r.kind = kind;
    r.parent = parent;
    r.caption = caption;
    r.dir = dir;
    r.filter = filter;
    return r;
}

} // namespace

void KvDialogs::setResponder(Responder r) {
    responder() = std::move(r);
}

bool KvDialogs::hasResponder() {
    return bool(responder());
}

KvDialogAnswer KvDialogs::ask(const KvDialogRequest& request) {
    return responder()(request);
}

QString KvDialogs::getOpenFileName(QWidget* parent, const QString& caption, const QString& dir,
                                   const QString& filter) {
    if (hasResponder()) {
        const KvDialogAnswer a = ask(fileRequest(KvDialogRequest::OpenFile, parent, caption, dir, filter));
        return a.accepted ? a.path : QString();
    }
    return QFileDialog::getOpenFileName(parent, caption, dir, filter, nullptr,
                                        QFileDialog::DontResolveSymlinks);
}

QString KvDialogs::profileFilter() {
    return QCoreApplication::translate("KvDialogs", "ICC profiles (*.icc *.icm)") + ";;" +
           QCoreApplication::translate("KvDialogs", "All files (*)");
}

QString KvDialogs::getOpenProfileName(QWidget* parent, const QString& caption, const QString& lastDir) {
    KvDialogRequest request = fileRequest(KvDialogRequest::OpenFile, parent, caption,
                                          ProfileFolders::startFolder(lastDir), profileFilter());
    request.sidebar = ProfileFolders::existing();
    if (hasResponder()) {
        const KvDialogAnswer a = ask(request);
        return a.accepted ? a.path : QString();
    }
    QFileDialog dialog(parent, caption, request.dir, request.filter);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::DontResolveSymlinks);
    QList<QUrl> places = dialog.sidebarUrls();
    for (const QString& folder : request.sidebar)
        places << QUrl::fromLocalFile(folder);
    dialog.setSidebarUrls(places);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

QString KvDialogs::getSaveFileName(QWidget* parent, const QString& caption, const QString& dir,
                                   const QString& filter) {
    if (hasResponder()) {
        const KvDialogAnswer a = ask(fileRequest(KvDialogRequest::SaveFile, parent, caption, dir, filter));
        return a.accepted ? a.path : QString();
    }
    return QFileDialog::getSaveFileName(parent, caption, dir, filter, nullptr,
                                        QFileDialog::DontResolveSymlinks);
}

int KvDialogs::getInt(QWidget* parent, const QString& caption, const QString& label, int value, int minimum,
                      int maximum, int step, bool* ok) {
    if (hasResponder()) {
        KvDialogRequest r;
        r.kind = KvDialogRequest::Integer;
        r.parent = parent;
        r.caption = caption;
        r.text = label;
        r.value = value;
        r.minimum = minimum;
        r.maximum = maximum;
        r.step = step;
        const KvDialogAnswer a = ask(r);
        if (ok)
            *ok = a.accepted;
        // The real dialog cannot return a value outside its range; neither does a test.
        return a.accepted ? std::clamp(a.value, minimum, maximum) : value;
    }
    return QInputDialog::getInt(parent, caption, label, value, minimum, maximum, step, ok);
}

int KvDialogs::message(QMessageBox::Icon icon, QWidget* parent, const QString& caption, const QString& text,
                       int button0, int button1, int button2, const QString& objectName,
                       Qt::WindowFlags flags) {
    if (hasResponder()) {
        KvDialogRequest r;
        r.kind = KvDialogRequest::Message;
        r.parent = parent;
        r.caption = caption;
        r.text = text;
        r.icon = icon;
        r.button0 = button0;
        r.button1 = button1;
        r.button2 = button2;
        return ask(r).button;
    }
    QMessageBox::StandardButtons buttons;
    for (int b : {button0, button1, button2})
        if (b != QMessageBox::NoButton)
            buttons |= QMessageBox::StandardButton(b);
    QMessageBox box(icon, caption, text, buttons, parent,
                    flags ? flags : Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
    if (!objectName.isEmpty())
        box.setObjectName(objectName);
    return box.exec();
}

void KvDialogs::about(QWidget* parent, const QString& caption, const QString& text) {
    if (hasResponder()) {
        KvDialogRequest r;
        r.kind = KvDialogRequest::About;
        r.parent = parent;
        r.caption = caption;
        r.text = text;
        ask(r);
        return;
    }
    QMessageBox::about(parent, caption, text);
}

bool KvDialogs::exec(QDialog* dialog) {
    if (hasResponder()) {
        KvDialogRequest r;
        r.kind = KvDialogRequest::Dialog;
        r.parent = dialog->parentWidget();
        r.caption = dialog->windowTitle();
        r.dialog = dialog;
        const KvDialogAnswer a = ask(r);
        if (a.accepted && a.fill)
            a.fill(dialog);
        return a.accepted;
    }
    return dialog->exec() == QDialog::Accepted;
}
