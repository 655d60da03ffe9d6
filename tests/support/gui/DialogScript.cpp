#include "DialogScript.h"

DialogScript::DialogScript() {
    KvDialogs::setResponder([this](const KvDialogRequest& r) {
        requests.append(r);
        if (!answers.isEmpty())
            return answers.takeFirst();
        if (r.kind != KvDialogRequest::Message && r.kind != KvDialogRequest::About)
            ++unanswered;
        return r.kind == KvDialogRequest::Message ? KvDialogAnswer::press(r.button0)
                                                  : KvDialogAnswer::cancel();
    });
}

DialogScript::~DialogScript() {
    KvDialogs::setResponder({});
}

QStringList DialogScript::messages() const {
    QStringList out;
    for (const KvDialogRequest& r : requests)
        if (r.kind == KvDialogRequest::Message)
            out << r.caption + "|" + r.text;
    return out;
}
