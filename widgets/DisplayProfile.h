// The ICC profile the desktop assigns to the display a window is on: asked of
// colord over D-Bus, else read from the X11 _ICC_PROFILE property that
// colour daemons and calibration tools set on the root window.
#pragma once

#include <QString>

class QScreen;
class QWidget;

class DisplayProfile {
public:
    struct Found {
        QString path;   // a profile file; empty when the desktop names none
        QString source; // "colord" or "X11"
        bool available() const { return !path.isEmpty(); }
    };

    static Found find(const QWidget* widget);

    // The profile file colord gives the display device of that output name
    // (its sole display device when none carries the name); empty without
    // colord. Asked on the system bus, with a short time-out.
    static QString fromColord(const QString& outputName);
    // The profile the X server holds for the screen of that index, copied to
    // a file in the user's cache folder; empty when the property is not set
    // or the program does not run on X11.
    static QString fromX11(int screenIndex);
};
