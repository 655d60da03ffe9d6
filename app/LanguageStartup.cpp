#include "LanguageStartup.h"

#include "AppConstants.h"
#include "KvDialogs.h"
#include "KvFileInfo.h"
#include "KvLangKit.h"
#include "KvRegistry.h"
#include "KvTranslator.h"

#include <QCoreApplication>
#include <QLocale>
#include <QObject>
#include <QTranslator>

QTranslator* translator = nullptr;

#ifndef TINTRY_LANG_FROM_BIN
#define TINTRY_LANG_FROM_BIN "../share/tintry/lang"
#endif

std::string findLangDir() {
    // Beside the program (a build or a folder install) first, then where an
    // installation in the GNU directories puts shared data.
    const std::string candidates[] = {"lang", std::string("..") + "/lang", std::string("../..") + "/lang",
                                      TINTRY_LANG_FROM_BIN};
    KvFileInfo info(candidates[0]);
    for (const std::string& c : candidates) {
        info.setFile(c);
        if (info.exists())
            return c;
    }
    return "lang";
}

std::string settingsStoreName(char** argv) {
    const std::string program = (argv && argv[0]) ? argv[0] : "";
    return KvRegistry::getregname(KvFileInfo::dirnameFromPath(program), appName);
}

QString effectiveLanguage(const std::string& stored, const std::string& langDir, const QLocale& locale) {
    if (!stored.empty())
        return QString::fromUtf8(stored.c_str());
    // Nothing chosen yet: the desktop's language, when there is a translation
    // for it ("de_AT" falls back to "de").
    const QString application = QString::fromLatin1(appName);
    const QString dir = QString::fromStdString(langDir);
    for (const QString& name : locale.uiLanguages()) {
        const QString tag = QString(name).replace('-', '_');
        for (const QString& candidate : {tag, tag.section('_', 0, 0)}) {
            const QString menuString = KvLangKit::menuNameForLocale(candidate);
            if (!KvLangKit::langMenuStringToLangFile(menuString, application, dir).isNull())
                return menuString;
        }
    }
    return QString();
}

void loadStartupLanguage(int argc, char** argv) {
    loadStartupLanguage(argc, argv, QLocale::system());
}

void loadStartupLanguage(int, char** argv, const QLocale& locale) {
    KvRegistry store;
    store.open(settingsStoreName(argv));
    const std::string langDir = findLangDir();
    const QString menuString =
        effectiveLanguage(store.getstring(mainWindowSection, languageKey), langDir, locale);
    const QString file = KvLangKit::langMenuStringToLangFile(menuString, QString::fromLatin1(appName),
                                                             QString::fromStdString(langDir));
    if (file.isNull())
        return;
    auto* checked = new KvTranslator(nullptr);
    translator = checked;
    if (checked->loadChecked(file)) {
        QCoreApplication::installTranslator(translator);
        return;
    }
    QCoreApplication::removeTranslator(translator);
    delete translator;
    translator = nullptr;
    KvDialogs::message(
        QMessageBox::Warning, nullptr, QObject::tr("Language failed"),
        QObject::tr("Failed to load the requested language\nUsing the built-in default language"));
}
