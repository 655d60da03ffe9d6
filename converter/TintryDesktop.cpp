// What the converter does as a citizen of the desktop: values that can be
// selected and copied, profiles dropped from a file manager, and the
// display's own profile as the monitor profile.
#include "Tintry.h"

#include "DisplayProfile.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QStackedWidget>
#include <QUrl>

namespace {

// The one local file a drag carries, or a null string.
QString droppedFile(const QMimeData* mime) {
    if (mime == nullptr || !mime->hasUrls() || mime->urls().size() != 1)
        return QString();
    const QUrl url = mime->urls().constFirst();
    return url.isLocalFile() ? url.toLocalFile() : QString();
}

} // namespace

void Tintry::setupDesktop() {
    for (QLabel* l : {r_label, g_label, b_label, c_label, m_label, y_label, k_label, lab_l_label, lab_a_label,
                      lab_b_label}) {
        l->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        l->setCursor(Qt::IBeamCursor);
    }

    copyAction = new QAction(tr("Copy values"), this);
    copyAction->setShortcut(QKeySequence::Copy);
    copyAction->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    connect(copyAction, &QAction::triggered, this, &Tintry::copyValues);
    addAction(copyAction);

    displayProfileAction = new QAction(tr("Use the display's profile"), this);
    connect(displayProfileAction, &QAction::triggered, this, &Tintry::useDisplayProfile);
    updateDisplayProfileAction();

    for (QPushButton* b : {input_icc_button, output_icc_button, monitor_icc_button}) {
        b->setAcceptDrops(true);
        b->installEventFilter(this);
    }
}

QString Tintry::valuesText() const {
    if (!cmsInOut.transform)
        return QString();
    QString device;
    if (output_stack->currentIndex() == 1)
        device = QString("C %1 M %2 Y %3 K %4")
                     .arg(c_label->text(), m_label->text(), y_label->text(), k_label->text());
    else
        device = QString("R %1 G %2 B %3").arg(r_label->text(), g_label->text(), b_label->text());
    return device +
           QString(" / L %1 a %2 b %3").arg(lab_l_label->text(), lab_a_label->text(), lab_b_label->text());
}

void Tintry::copyValues() {
    // A selection in one of the value labels is what the user marked: copy that.
    for (QLabel* l : findChildren<QLabel*>())
        if (l->hasFocus() && l->hasSelectedText()) {
            QApplication::clipboard()->setText(l->selectedText());
            return;
        }
    const QString text = valuesText();
    if (!text.isEmpty())
        QApplication::clipboard()->setText(text);
}

void Tintry::updateDisplayProfileAction() {
    const DisplayProfile::Found found = DisplayProfile::find(this);
    displayProfileAction->setEnabled(found.available());
    displayProfileAction->setToolTip(
        found.available() ? tr("Use %1, the profile the desktop gives this display").arg(found.path)
                          : tr("The desktop names no profile for this display "
                               "(neither colord nor the X11 _ICC_PROFILE property)"));
}

void Tintry::useDisplayProfile() {
    const DisplayProfile::Found found = DisplayProfile::find(this);
    updateDisplayProfileAction();
    if (found.available())
        useProfile(MonitorProfile, found.path);
}

// A profile dragged from a file manager onto a role's button is taken as if
// it had been chosen in that button's dialog.
bool Tintry::eventFilter(QObject* watched, QEvent* event) {
    ProfileSlot role;
    if (watched == input_icc_button)
        role = InputProfile;
    else if (watched == output_icc_button)
        role = OutputProfile;
    else if (watched == monitor_icc_button)
        role = MonitorProfile;
    else
        return Tintry_UI::eventFilter(watched, event);

    if (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove) {
        auto* drag = static_cast<QDragMoveEvent*>(event);
        if (!droppedFile(drag->mimeData()).isEmpty())
            drag->acceptProposedAction();
        else
            drag->ignore();
        return true;
    }
    if (event->type() == QEvent::Drop) {
        auto* drop = static_cast<QDropEvent*>(event);
        const QString path = droppedFile(drop->mimeData());
        if (path.isEmpty())
            return false;
        drop->acceptProposedAction();
        useProfile(role, path);
        return true;
    }
    return Tintry_UI::eventFilter(watched, event);
}
