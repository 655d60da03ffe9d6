// Answers the program's dialogs in a test. Queue answers in the order the
// dialogs will open; every request is recorded. A dialog with no queued
// answer is cancelled (message boxes: Ok) and counted as unexpected.
#pragma once

#include "KvDialogs.h"

#include <QList>

class DialogScript {
public:
    DialogScript();
    ~DialogScript();
    DialogScript(const DialogScript&) = delete;
    DialogScript& operator=(const DialogScript&) = delete;

    void answer(const KvDialogAnswer& a) { answers.append(a); }
    void openFile(const QString& path) { answer(KvDialogAnswer::file(path)); }
    void cancel() { answer(KvDialogAnswer::cancel()); }
    void integer(int v) { answer(KvDialogAnswer::integer(v)); }

    QList<KvDialogRequest> requests; // every dialog shown, in order
    QList<KvDialogAnswer> answers;   // still to be given
    int unanswered = 0;              // dialogs shown with no answer queued

    // The message boxes shown, as "caption|text".
    QStringList messages() const;
    void clear() {
        requests.clear();
        answers.clear();
        unanswered = 0;
    }
};
