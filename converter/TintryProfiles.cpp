// Choosing the three profiles, checking their classes, building the three
// transforms from them, and the converter's error messages.
#include "Tintry.h"

#include "KvDialogs.h"
#include "KvFileInfo.h"

#include <QFile>

#include <algorithm>
#include <initializer_list>

namespace {

struct TintryMessage {
    int code;
    const char* caption;
    const char* text;
};

// Fixed when the program starts, before any translation is loaded, so these
// always appear as written here. Code 6 ends the table.
const TintryMessage messageTable[] = {
    {1, "Invalid input ICC profile",
     "The ICC profile you have selected is of the wrong type.\nValid input profiles are montitor, scanner or "
     "printer profiles\nthat are either RGB or CMYK"},
    {2, "Invalid output ICC profile",
     "The ICC profile you have selected is of the wrong type.\nValid output profiles are montitor, or "
     "printer "
     "profiles\nthat are either RGB or CMYK"},
    {3, "Invalid monitor ICC profile",
     "The ICC profile you have selected is of the wrong type.\nPlease select an ICC profile of type monitor"},
    {4, "CMS init failed",
     "The initialisation of the CMS for the monitor failed\nEither ran out of memory or some of the profiles "
     "have "
     "been deleted"},
    {5, "CMS init failed",
     "The initialisation of the CMS failed\nEither ran out of memory or some of the profiles have been "
     "deleted"},
    {6, "", ""},
};

const icProfileClassSignature inputClasses[] = {icSigInputClass, icSigDisplayClass, icSigOutputClass};
const icProfileClassSignature outputClasses[] = {icSigDisplayClass, icSigOutputClass};
const icProfileClassSignature monitorClasses[] = {icSigDisplayClass};

enum ClassCheck { Unreadable, WrongClass, Accepted };

ClassCheck checkClass(const QByteArray& path, const icProfileClassSignature* accepted, int count) {
    icProfileClassSignature profileClass = icSigNoClass;
    icColorSpaceSignature space = icSigNoSpace;
    if (!KvCmsIcc::getICCprofileClass(path.constData(), &profileClass, &space))
        return Unreadable;
    return std::find(accepted, accepted + count, profileClass) != accepted + count ? Accepted : WrongClass;
}

} // namespace

int Tintry::showMessage(int code, QWidget* parent, int button0, int button1, int button2) {
    QString caption;
    QString text;
    for (const TintryMessage* m = messageTable; m->code != 6; ++m) {
        if (m->code == code) {
            caption = QString::fromLatin1(m->caption);
            text = QString::fromLatin1(m->text);
            break;
        }
    }
    KvDialogs::message(QMessageBox::Critical, parent, caption, text, button0, button1, button2,
                       QStringLiteral("nothing"),
                       Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowStaysOnTopHint);
    return 0;
}

void Tintry::getICCin() {
    chooseProfile(InputProfile, tr("Choose an input ICC profile"));
}

void Tintry::getICCout() {
    chooseProfile(OutputProfile, tr("Choose an output ICC profile"));
}

void Tintry::getICCmonitor() {
    chooseProfile(MonitorProfile, tr("Choose a monitor ICC profile"));
}

void Tintry::chooseProfile(ProfileRole role, const QString& caption) {
    const QString path = KvDialogs::getOpenProfileName(this, caption, lastdir_icc);
    if (path.isEmpty())
        return;
    // Remembered before the file is checked: a user who picked the wrong file
    // usually wants the next dialog to open in the same folder.
    lastdir_icc = QString::fromStdString(KvFileInfo::dirnameFromPath(path.toStdString()));
    useProfile(role, path);
}

// Every way of naming a profile for a role (the dialog, a drop, the command
// line, the display's own profile) ends here, so all get the same checks.
bool Tintry::useProfile(ProfileRole role, const QString& path) {
    const icProfileClassSignature* accepted = inputClasses;
    int count = int(std::size(inputClasses));
    QString* field = &inICC;
    int messageCode = 1;
    if (role == OutputProfile) {
        accepted = outputClasses;
        count = int(std::size(outputClasses));
        field = &outICC;
        messageCode = 2;
    } else if (role == MonitorProfile) {
        accepted = monitorClasses;
        count = int(std::size(monitorClasses));
        field = &monitorICC;
        messageCode = 3;
    }
    switch (checkClass(QFile::encodeName(path), accepted, count)) {
    case Unreadable:
        return false;
    case WrongClass:
        showMessage(messageCode, this, QMessageBox::Ok, QMessageBox::NoButton, QMessageBox::NoButton);
        return false;
    case Accepted:
        *field = path;
        refresh();
        return true;
    }
    return false;
}

// Rebuilt from the paths on every refresh. Stored paths are checked again
// here because the files may have changed or gone since they were chosen; a
// refused path is cleared, and the refresh's save makes the store forget it.
void Tintry::setupTransforms() {
    cmsInOut.close();
    cmsInLab.close();
    cmsInMonitor.close();

    if (inICC.isEmpty() || outICC.isEmpty())
        return;

    const QByteArray inPath = QFile::encodeName(inICC);
    const QByteArray outPath = QFile::encodeName(outICC);
    QByteArray monitorPath;

    const auto refuse = [this](ClassCheck check, QString& field, int code) {
        if (check == WrongClass)
            showMessage(code, this, QMessageBox::Ok, QMessageBox::NoButton, QMessageBox::NoButton);
        field = QString();
    };

    if (!monitorICC.isEmpty()) {
        monitorPath = QFile::encodeName(monitorICC);
        const ClassCheck check = checkClass(monitorPath, monitorClasses, int(std::size(monitorClasses)));
        if (check != Accepted) {
            refuse(check, monitorICC, 3);
            return;
        }
    }
    const ClassCheck inCheck = checkClass(inPath, inputClasses, int(std::size(inputClasses)));
    if (inCheck != Accepted) {
        refuse(inCheck, inICC, 1);
        return;
    }
    const ClassCheck outCheck = checkClass(outPath, outputClasses, int(std::size(outputClasses)));
    if (outCheck != Accepted) {
        refuse(outCheck, outICC, 2);
        return;
    }

    if (!monitorICC.isEmpty() && !cmsInMonitor.create(inPath.constData(), monitorPath.constData())) {
        showMessage(4, this, QMessageBox::Ok, QMessageBox::NoButton, QMessageBox::NoButton);
        return;
    }
    if (!cmsInOut.create(inPath.constData(), outPath.constData())) {
        showMessage(5, this, QMessageBox::Ok, QMessageBox::NoButton, QMessageBox::NoButton);
        cmsInMonitor.close();
    }
    // Attempted even when the output transform failed: the Lab input and the
    // Lab of the input colour need only the input profile.
    if (!cmsInLab.create(inPath.constData(), inPath.constData())) {
        showMessage(5, this, QMessageBox::Ok, QMessageBox::NoButton, QMessageBox::NoButton);
        cmsInMonitor.close();
        cmsInLab.close();
    }
}
