#include "KvLangKit.h"

#include "KvPopupMenu.h"

#include <QDir>
#include <QLocale>
#include <QMenuBar>

namespace {

struct LangFile {
    QString menuName;
    QString path;
};

QList<LangFile> translations(const QString& application, const QString& langDir) {
    QList<LangFile> out;
    const QString prefix = application + "_";
    QDir dir(langDir);
    const QStringList files = dir.entryList({prefix + "*.qm"}, QDir::Files | QDir::Readable, QDir::Name);
    for (const QString& f : files) {
        const QString locale = f.mid(prefix.size(), f.size() - prefix.size() - 3);
        if (locale.isEmpty())
            continue;
        out.append({KvLangKit::menuNameForLocale(locale), dir.filePath(f)});
    }
    return out;
}

} // namespace

QString KvLangKit::builtInName() {
    return QStringLiteral("English");
}

QString KvLangKit::menuNameForLocale(const QString& locale) {
    const QLocale l(locale);
    QString name = l.language() == QLocale::C ? locale : l.nativeLanguageName();
    if (!name.isEmpty())
        name[0] = name[0].toUpper();
    return name;
}

KvPopupMenu* KvLangKit::addLangMenu(QMenuBar* bar, const QString& application, const QString& langDir) {
    const QList<LangFile> files = translations(application, langDir);
    if (files.isEmpty())
        return nullptr;
    auto* menu = new KvPopupMenu(bar);
    menu->insertItem(builtInName());
    for (const LangFile& f : files)
        menu->insertItem(f.menuName);
    for (QAction* a : menu->actions())
        a->setCheckable(true);
    return menu;
}

QString KvLangKit::langMenuStringToLangFile(const QString& menuString, const QString& application,
                                            const QString& langDir) {
    if (menuString.isEmpty() || menuString == builtInName())
        return QString();
    for (const LangFile& f : translations(application, langDir))
        if (f.menuName == menuString)
            return f.path;
    return QString();
}

bool KvLangKit::updateLangMenuTicks(KvPopupMenu* menu, const QString& menuString) {
    if (!menu)
        return false;
    // Nothing chosen yet means the built-in texts are in use.
    const QString wanted = menuString.isEmpty() ? builtInName() : menuString;
    bool found = false;
    for (int id = 0; id < menu->count(); ++id) {
        const bool on = menu->text(id) == wanted;
        menu->actionFor(id)->setChecked(on);
        found = found || on;
    }
    return found;
}
