// A language directory holding a corrupt translation file: the language menu
// is built from it, the stored choice mapped to it, and the file loaded as
// start-up would load it, and texts looked up in it.
#include "FuzzFiles.h"
#include "KvLangKit.h"
#include "KvPopupMenu.h"
#include "KvTranslator.h"

#include <QApplication>
#include <QMenuBar>

#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString dir = fuzzScratch().filePath("lang");
    fuzzFile("lang/tintry_de.qm", data, size);
    QMenuBar bar;
    KvPopupMenu* menu = KvLangKit::addLangMenu(&bar, "tintry", dir);
    KvLangKit::updateLangMenuTicks(menu, "Deutsch");
    delete menu;
    const QString file = KvLangKit::langMenuStringToLangFile("Deutsch", "tintry", dir);
    if (!file.isNull()) {
        KvTranslator t;
        if (t.loadChecked(file)) {
            (void)t.translate("KvMainWindow", "Quillon Tintry");
            (void)t.translate("Tintry_UI", "Input");
            (void)t.translate("Tintry", "%1 %2 %3", nullptr, 3);
        }
    }
    return 0;
}
