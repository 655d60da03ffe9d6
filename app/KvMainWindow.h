// The top-level window: one converter, its own settings store, and the
// Project, Language and Help menus. It deletes itself when closed.
#pragma once

#include "KvRegistry.h"

#include <QMainWindow>

#include <string>

class KvPopupMenu;
class QCloseEvent;
class Tintry;

class KvMainWindow : public QMainWindow {
    Q_OBJECT
public:
    // parent, name and flags are accepted for the callers' sake and ignored:
    // the window is always a parentless top-level window.
    KvMainWindow(int argc, char** argv, QWidget* parent = nullptr, const char* name = nullptr,
                 Qt::WindowFlags f = {});
    ~KvMainWindow() override;

    Tintry* converter() const;
    KvPopupMenu* languageMenu() const { return langMenu; }
    const std::string& storeName() const { return regName; }
    const std::string& chosenLanguage() const { return language; }

protected:
    void closeEvent(QCloseEvent* e) override;

private slots:
    void about();
    void quit();
    void newtool();
    void changelanguage(int newlanguage);

private:
    void init();
    void createProjectMenu();
    void createLanguageMenu();
    void createHelpMenu();
    void restoreSettings();
    void saveSettings();

    KvRegistry registry;
    std::string regName;
    int argc;
    char** argv;
    std::string language;
    KvPopupMenu* langMenu = nullptr;
};
