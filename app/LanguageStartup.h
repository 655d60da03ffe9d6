// Choosing the translation at start-up, before any window exists.
#pragma once

#include <string>

class QTranslator;

// The translator installed at start-up; null when the built-in texts are used.
extern QTranslator* translator;

// The first of lang, ../lang, ../../lang that exists (relative to the current
// directory), or "lang" when none does.
std::string findLangDir();

// The settings-store name every window and the start-up loader share.
std::string settingsStoreName(char** argv);

// Installs the translator of the stored language; on a failed load shows a
// warning and keeps the built-in texts.
void loadStartupLanguage(int argc, char** argv);
