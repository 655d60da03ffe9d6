// A menu whose entries carry integer identifiers, announced through
// activated(int) when chosen, as the language menu and its callers expect.
#pragma once

#include <QMenu>

class KvPopupMenu : public QMenu {
    Q_OBJECT
public:
    explicit KvPopupMenu(QWidget* parent = nullptr);

    // Appends an entry; returns its identifier (0, 1, 2, ... in order of insertion).
    int insertItem(const QString& text);
    // The entry's text, or a null string for an unknown identifier.
    QString text(int id) const;
    QAction* actionFor(int id) const;
    int idOf(const QAction* action) const;
    int count() const { return int(entries.size()); }

signals:
    void activated(int id);

private:
    QList<QAction*> entries;
};
