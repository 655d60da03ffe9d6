// Choosing the translation at start-up, before any window exists.
#pragma once

#include <QLocale>
#include <QString>

#include <string>

class QTranslator;

// The translator installed at start-up; null when the built-in texts are used.
extern QTranslator* translator;

// The first of lang, ../lang, ../../lang and the installed data folder that
// exists (relative to the current directory), or "lang" when none does.
std::string findLangDir();

// The settings-store name every window and the start-up loader share.
std::string settingsStoreName(char** argv);

// The language menu string in effect: the stored one, or with none stored the
// locale's language when the folder holds a translation for it, else null
// (the built-in texts).
QString effectiveLanguage(const std::string& stored, const std::string& langDir,
                          const QLocale& locale = QLocale::system());

// Installs the translator of the stored language; on a failed load shows a
// warning and keeps the built-in texts.
void loadStartupLanguage(int argc, char** argv);
// The same for a given desktop locale.
void loadStartupLanguage(int argc, char** argv, const QLocale& locale);
