#include "ProfileFolders.h"

#include <QDir>
#include <QFileInfo>

namespace {

QStringList systemCandidates() {
    QString dataDirs = qEnvironmentVariable("XDG_DATA_DIRS");
    if (dataDirs.isEmpty())
        dataDirs = "/usr/local/share:/usr/share";
    QStringList out;
    for (const QString& dir : dataDirs.split(':', Qt::SkipEmptyParts))
        out << QDir::cleanPath(dir + "/color/icc");
    out << "/var/lib/colord/icc";
    return out;
}

QStringList userCandidates() {
    QString dataHome = qEnvironmentVariable("XDG_DATA_HOME");
    if (dataHome.isEmpty())
        dataHome = QDir::homePath() + "/.local/share";
    return {QDir::cleanPath(dataHome + "/icc"), QDir::homePath() + "/.color/icc"};
}

bool isFolder(const QString& path) {
    return !path.isEmpty() && QFileInfo(path).isDir();
}

} // namespace

QString ProfileFolders::userFolder() {
    return userCandidates().first();
}

QStringList ProfileFolders::existing() {
    QStringList out;
    for (const QString& dir : userCandidates() + systemCandidates())
        if (isFolder(dir) && !out.contains(dir))
            out << dir;
    return out;
}

QString ProfileFolders::startFolder(const QString& last) {
    if (isFolder(last))
        return last;
    for (const QString& dir : systemCandidates())
        if (isFolder(dir))
            return dir;
    return QDir::homePath();
}

bool ProfileFolders::looksLikeProfile(const QString& path) {
    return path.endsWith(".icc", Qt::CaseInsensitive) || path.endsWith(".icm", Qt::CaseInsensitive);
}
