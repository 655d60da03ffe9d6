// A window that shows where a profile's colours lie.
#pragma once

#include <QWidget>

class KvGamutView : public QWidget {
    Q_OBJECT
public:
    explicit KvGamutView(QWidget* parent = nullptr, const char* name = nullptr);

    // Whether gamut views can be drawn here.
    static bool supported();
    // Loads a profile to show, previewed through the monitor profile (sRGB when none); 0 on success.
    int fromICC(const char* profilePath, const char* monitorPath);
};
