#include "LanguageStartup.h"

#include "AppConstants.h"
#include "KvDialogs.h"
#include "KvFileInfo.h"
#include "KvLangKit.h"
#include "KvRegistry.h"
#include "KvTranslator.h"

#include <QCoreApplication>
#include <QObject>
#include <QTranslator>

QTranslator* translator = nullptr;

std::string findLangDir() {
    const std::string candidates[] = {"lang", std::string("..") + "/lang", std::string("../..") + "/lang"};
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

void loadStartupLanguage(int, char** argv) {
    KvRegistry store;
    store.open(settingsStoreName(argv));
    const std::string menuString = store.getstring(mainWindowSection, languageKey);
    const std::string langDir = findLangDir();
    const QString file = KvLangKit::langMenuStringToLangFile(
        QString::fromUtf8(menuString.c_str()), QString::fromLatin1(appName), QString::fromStdString(langDir));
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
