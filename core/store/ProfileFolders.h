// Where a Linux desktop keeps its ICC profiles: the user's own folders, the
// system's, and colord's store. Profile dialogs start in one and list the
// others in their sidebar.
#pragma once

#include <QString>
#include <QStringList>

class ProfileFolders {
public:
    // The folders that exist, the user's first: $XDG_DATA_HOME/icc (or
    // ~/.local/share/icc), ~/.color/icc, <dir>/color/icc for every entry of
    // $XDG_DATA_DIRS (or /usr/local/share and /usr/share), colord's store.
    static QStringList existing();
    // The user's own folder, where colord and the profile dialogs look and a
    // profile is installed: $XDG_DATA_HOME/icc, else ~/.local/share/icc,
    // whether it exists yet or not.
    static QString userFolder();
    // Where a profile dialog opens: `last` when it is a folder that still
    // exists, else the first system folder that exists, else the home folder.
    static QString startFolder(const QString& last);
    // Whether a file name looks like an ICC profile by its suffix.
    static bool looksLikeProfile(const QString& path);
};
