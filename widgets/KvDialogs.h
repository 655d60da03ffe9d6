// The one door through which the program opens a modal dialog: file choosers,
// the integer input and message boxes. Normally each call runs the toolkit's
// dialog; a test installs a responder that sees every request and answers it
// (or cancels it) without a window ever opening.
#pragma once

#include <QMessageBox>
#include <QString>
#include <QStringList>

#include <functional>

class QDialog;
class QWidget;

struct KvDialogRequest {
    enum Kind { OpenFile, SaveFile, Integer, Message, About, Dialog };
    Kind kind = Message;
    QWidget* parent = nullptr;
    QString caption;
    QString text;        // message text, or the label of the integer input
    QString dir;         // start directory (or proposed file) of a file dialog
    QString filter;      // file filter of a file dialog
    QStringList sidebar; // folders a file dialog offers besides its own places
    int value = 0;       // integer input: initial value, minimum, maximum, step
    int minimum = 0;
    int maximum = 0;
    int step = 1;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    int button0 = QMessageBox::Ok;
    int button1 = QMessageBox::NoButton;
    int button2 = QMessageBox::NoButton;
    QDialog* dialog = nullptr; // a dialog of the program's own: the responder may fill it in (answer.fill)
};

struct KvDialogAnswer {
    bool accepted = false; // false: the user cancelled
    QString path;          // file dialogs
    int value = 0;         // integer input
    int button = QMessageBox::Ok;
    std::function<void(QDialog*)> fill; // a dialog of our own: what the user does in it before OK

    static KvDialogAnswer cancel() { return {}; }
    static KvDialogAnswer file(const QString& p) { return {true, p, 0, QMessageBox::Ok, {}}; }
    static KvDialogAnswer integer(int v) { return {true, QString(), v, QMessageBox::Ok, {}}; }
    static KvDialogAnswer press(int b) { return {true, QString(), 0, b, {}}; }
    static KvDialogAnswer dialog(std::function<void(QDialog*)> f) {
        return {true, QString(), 0, QMessageBox::Ok, std::move(f)};
    }
};

class KvDialogs {
public:
    using Responder = std::function<KvDialogAnswer(const KvDialogRequest&)>;

    // Installs a responder for every later dialog; an empty one restores the real dialogs.
    static void setResponder(Responder responder);
    static bool hasResponder();

    // A null string when cancelled.
    static QString getOpenFileName(QWidget* parent, const QString& caption, const QString& dir,
                                   const QString& filter = QString());
    // A file dialog for ICC profiles: it opens in `lastDir` when that still
    // exists, else in the system's profile folder, filters on profile
    // suffixes first, and lists the system's profile folders in its sidebar.
    static QString getOpenProfileName(QWidget* parent, const QString& caption, const QString& lastDir);
    static QString profileFilter();
    static QString getSaveFileName(QWidget* parent, const QString& caption, const QString& dir,
                                   const QString& filter = QString());
    // The chosen value; *ok tells whether the user accepted.
    static int getInt(QWidget* parent, const QString& caption, const QString& label, int value, int minimum,
                      int maximum, int step, bool* ok);
    // A message box; returns the button pressed.
    static int message(QMessageBox::Icon icon, QWidget* parent, const QString& caption, const QString& text,
                       int button0 = QMessageBox::Ok, int button1 = QMessageBox::NoButton,
                       int button2 = QMessageBox::NoButton, const QString& objectName = QString(),
                       Qt::WindowFlags flags = Qt::WindowFlags());
    static void about(QWidget* parent, const QString& caption, const QString& text);
    // Runs a dialog of the program's own; true when the user accepted it.
    static bool exec(QDialog* dialog);

private:
    static KvDialogAnswer ask(const KvDialogRequest& request);
};
