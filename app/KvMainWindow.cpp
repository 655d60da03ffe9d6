#include "KvMainWindow.h"

#include "AppConstants.h"
#include "KvDialogs.h"
#include "KvLangKit.h"
#include "KvPopupMenu.h"
#include "KvWidgetUtil.h"
#include "LanguageStartup.h"
#include "Tintry.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMenuBar>
#include <QWhatsThis>

KvMainWindow::KvMainWindow(int argc_, char** argv_, QWidget*, const char*, Qt::WindowFlags)
    : QMainWindow(nullptr, Qt::Window), argc(argc_), argv(argv_) {
    setObjectName("KvMainWindow");
    setAttribute(Qt::WA_DeleteOnClose);
    regName = settingsStoreName(argv);
    registry.open(regName);
    init();
    restoreSettings();
}

KvMainWindow::~KvMainWindow() {
    registry.save(regName);
}

Tintry* KvMainWindow::converter() const {
    return qobject_cast<Tintry*>(centralWidget());
}

void KvMainWindow::init() {
    setCentralWidget(new Tintry(&registry, this, nullptr, {}));
    setWindowTitle(tr("Quillon Tintry") + " " + tintryVersion);
    createProjectMenu();
    createLanguageMenu();
    createHelpMenu();
}

void KvMainWindow::createProjectMenu() {
    auto* project = new QMenu(this);
    Tintry* tintry = converter();
    if (!tintry || !menuBar() || !project)
        return;
    project->setTitle(tr("Project"));
    project->addAction(tr("New Window"), QKeySequence(Qt::CTRL | Qt::Key_N), this, &KvMainWindow::newtool);
    project->addAction(tr("Close"), QKeySequence(Qt::CTRL | Qt::Key_W), this, &QWidget::close);
    project->addAction(tr("Clear all"), tintry, &Tintry::clearallselections);
    project->addAction(tr("Quit"), QKeySequence(Qt::CTRL | Qt::Key_Q), this, &KvMainWindow::quit);
    menuBar()->addMenu(project);
}

void KvMainWindow::createLanguageMenu() {
    const std::string langDir = findLangDir();
    langMenu =
        KvLangKit::addLangMenu(menuBar(), QString::fromLatin1(appName), QString::fromStdString(langDir));
    if (!langMenu)
        return;
    connect(langMenu, &KvPopupMenu::activated, this, &KvMainWindow::changelanguage);
    langMenu->setTitle(tr("Language"));
    menuBar()->addMenu(langMenu);
}

void KvMainWindow::createHelpMenu() {
    auto* help = new QMenu(this);
    help->setTitle(tr("Help"));
    help->addAction(tr("What's &This"), QKeySequence(Qt::SHIFT | Qt::Key_F1), this,
                    [] { QWhatsThis::enterWhatsThisMode(); });
    help->addAction(tr("About"), this, &KvMainWindow::about);
    menuBar()->addMenu(help);
}

void KvMainWindow::about() {
    // Left untranslated on purpose: names, notice and address read the same in every language.
    QString text = "<b>Quillon Tintry</b>";
    text += " version ";
    text += tintryVersion;
    text += "<br>";
    text += "Copyright &copy; 2002-2026 <b>Quillon</b>. All rights reserved.<br><br>";
    text += "For updates and support visit the Quillon web site.";
    // The chart launchers have no menu entry; this is where their keys are told.
    text += "<br><br>Ctrl+Shift+P: colour chart from an ICC profile"
            "<br>Ctrl+Shift+S: colour chart from a swatches file";
    KvDialogs::about(this, tr("About"), text);
}

void KvMainWindow::quit() {
    QApplication::closeAllWindows();
}

void KvMainWindow::newtool() {
    saveSettings();
    registry.save(regName);
    auto* window = new KvMainWindow(argc, argv, nullptr, nullptr, {});
    window->show();
}

void KvMainWindow::changelanguage(int newlanguage) {
    const QString text = langMenu ? langMenu->text(newlanguage) : QString();
    if (text.isNull())
        return;
    KvLangKit::updateLangMenuTicks(langMenu, text);
    // Kept as UTF-8 so that names such as "Français" survive the store.
    language = text.toUtf8().toStdString();
    KvDialogs::message(QMessageBox::Information, this, tr("Language Changed"),
                       tr("You must restart Tintry\nfor the changes to take effect"));
}

void KvMainWindow::restoreSettings() {
    KvWidgetUtil::restoreSizeFromRegistry(this, &registry, mainWindowSection, true, true);
    language = registry.getstring(mainWindowSection, languageKey);
    // With nothing stored, the language that start-up followed is ticked.
    KvLangKit::updateLangMenuTicks(langMenu, effectiveLanguage(language, findLangDir()));
}

void KvMainWindow::saveSettings() {
    KvWidgetUtil::saveSizeToRegistry(this, &registry, mainWindowSection);
    registry.putstring(mainWindowSection, languageKey, language);
}

void KvMainWindow::closeEvent(QCloseEvent* e) {
    saveSettings();
    e->accept();
}
