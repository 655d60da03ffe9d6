// The language menu: one checkable entry per translation file
// "<application>_<locale>.qm" in the language directory, named by the
// language's own name, plus the built-in English texts.
#pragma once

#include <QString>

class QMenuBar;
class KvPopupMenu;

class KvLangKit {
public:
    // A filled menu (not inserted into the bar), or null when the directory
    // holds no translation of the application.
    static KvPopupMenu* addLangMenu(QMenuBar* bar, const QString& application, const QString& langDir);
    // The translation file for a menu string, or a null string when the
    // built-in texts are to be used (also for a string that names no file).
    static QString langMenuStringToLangFile(const QString& menuString, const QString& application,
                                            const QString& langDir);
    // Ticks the entry with that text and clears the others; accepts a null menu.
    static bool updateLangMenuTicks(KvPopupMenu* menu, const QString& menuString);

    // The menu text of the built-in language.
    static QString builtInName();
    // The menu text for a locale name such as "de" or "fr_CA".
    static QString menuNameForLocale(const QString& locale);
};
