// Choosing the three profiles, checking their classes, building the three
// transforms from them, and the converter's error messages.
#include "Tintry.h"

#include "KvDialogs.h"
#include "KvFileInfo.h"

#include "ProfileCheck.h"

#include <QDir>
#include <QFile>

#include <cstring>

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

// What the failed check means to the person who chose the file. A profile of
// the wrong class or space gets the table's own text instead.
QString problemText(const ProfileCheck& check) {
    switch (check.problem) {
    case ProfileCheck::Usable:
    case ProfileCheck::WrongClass:
    case ProfileCheck::WrongSpace:
        break;
    case ProfileCheck::NotRegularFile:
        return Tintry::tr("It is not a regular file (a folder, a pipe or a device).");
    case ProfileCheck::Unreadable:
        return Tintry::tr("It cannot be read: %1.").arg(QString::fromLocal8Bit(std::strerror(check.error)));
    case ProfileCheck::NotAProfile:
        return Tintry::tr("It is not an ICC profile.");
    case ProfileCheck::Truncated:
        return Tintry::tr("The profile is truncated: the file is shorter than its header says.");
    case ProfileCheck::NoTransform:
        return Tintry::tr("The profile lacks the tables needed to convert colours into it or out of it, "
                          "or they are damaged.");
    case ProfileCheck::DamagedWhitePoint:
        return Tintry::tr("The profile's media white point is damaged; every absolute colour would be "
                          "wrong.");
    }
    return {};
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

void Tintry::chooseProfile(ProfileSlot slot, const QString& caption) {
    const QString path = KvDialogs::getOpenProfileName(this, caption, lastdir_icc);
    if (path.isEmpty())
        return;
    // Remembered before the file is checked: a user who picked the wrong file
    // usually wants the next dialog to open in the same folder.
    lastdir_icc = QString::fromStdString(KvFileInfo::dirnameFromPath(path.toStdString()));
    useProfile(slot, path);
}

bool Tintry::useProfile(ProfileSlot slot, const QString& path) {
    struct Slot {
        ProfileRole role;
        QString* field;
        int messageCode;
    };
    const Slot roles[] = {{ProfileRole::ConverterInput, &inICC, 1},
                          {ProfileRole::ConverterOutput, &outICC, 2},
                          {ProfileRole::Monitor, &monitorICC, 3}};
    const Slot& s = roles[slot];
    if (!profileUsable(path, s.role, s.messageCode))
        return false; // the old choice stays
    *s.field = path;
    refresh();
    return true;
}

// One message, saying what is wrong with the file, or nothing when it is fit.
bool Tintry::profileUsable(const QString& path, ProfileRole role, int messageCode) {
    const ProfileCheck check = ProfileCheck::check(QFile::encodeName(path).constData(), role);
    if (check.usable())
        return true;
    if (check.problem == ProfileCheck::WrongClass || check.problem == ProfileCheck::WrongSpace) {
        showMessage(messageCode, this, QMessageBox::Ok, QMessageBox::NoButton, QMessageBox::NoButton);
        return false;
    }
    QString caption;
    for (const TintryMessage* m = messageTable; m->code != 6; ++m)
        if (m->code == messageCode)
            caption = QString::fromLatin1(m->caption);
    KvDialogs::message(QMessageBox::Critical, this, caption,
                       tr("%1\ncannot be used.\n%2").arg(QDir::toNativeSeparators(path), problemText(check)),
                       QMessageBox::Ok, QMessageBox::NoButton, QMessageBox::NoButton,
                       QStringLiteral("nothing"),
                       Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowStaysOnTopHint);
    return false;
}

// Rebuilt from the paths on every refresh. Stored paths are checked again
// here because the files may have changed or gone since they were chosen; a
// refused path gets its one message and is cleared, and the refresh's save
// makes the store forget it, so it is not refused again at the next refresh
// or start. The other profiles are still used.
void Tintry::setupTransforms() {
    cmsInOut.close();
    cmsInLab.close();
    cmsInMonitor.close();

    const auto keep = [this](QString& field, ProfileRole role, int code) {
        if (!field.isEmpty() && !profileUsable(field, role, code))
            field = QString();
    };
    keep(monitorICC, ProfileRole::Monitor, 3);
    keep(inICC, ProfileRole::ConverterInput, 1);
    keep(outICC, ProfileRole::ConverterOutput, 2);

    if (inICC.isEmpty() || outICC.isEmpty())
        return;

    const QByteArray inPath = QFile::encodeName(inICC);
    const QByteArray outPath = QFile::encodeName(outICC);
    const QByteArray monitorPath = QFile::encodeName(monitorICC);

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
