#include "KvPopupMenu.h"

KvPopupMenu::KvPopupMenu(QWidget* parent) : QMenu(parent) {
    connect(this, &QMenu::triggered, this, [this](QAction* a) {
        const int id = idOf(a);
        if (id >= 0)
            emit activated(id);
    });
}

int KvPopupMenu::insertItem(const QString& text) {
    QAction* a = addAction(text);
    entries.append(a);
    return int(entries.size()) - 1;
}

QString KvPopupMenu::text(int id) const {
    const QAction* a = actionFor(id);
    return a ? a->text() : QString();
}

QAction* KvPopupMenu::actionFor(int id) const {
    return id >= 0 && id < entries.size() ? entries[id] : nullptr;
}

int KvPopupMenu::idOf(const QAction* action) const {
    return int(entries.indexOf(const_cast<QAction*>(action)));
}
