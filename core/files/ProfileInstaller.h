// Installs a profile where the desktop finds it: a copy in the user's profile
// folder ($XDG_DATA_HOME/icc, else ~/.local/share/icc), where colord and the
// program's own profile dialogs look, under the file's own name.
//
// Never over another file: a profile already installed may be in use by a
// printer queue or a colord device. When the name is taken by the very same
// bytes, the profile is already installed there; by other bytes, the copy
// gets the next free name (NAME-2.icc, NAME-3.icc, ...). The copy appears
// whole or not at all: it is written whole under a hidden temporary name and
// then linked to its own name, which fails instead of replacing a file that
// another program put there in the meantime.
#pragma once

#include "Outcome.h"

#include <string>

class ProfileInstaller {
public:
    struct Installed {
        std::string path;
        bool alreadyThere = false; // the same bytes were installed under this name before
    };

    static Result<Installed> install(const std::string& profilePath);
    // Into `folder`, made when missing.
    static Result<Installed> install(const std::string& profilePath, const std::string& folder);
};
