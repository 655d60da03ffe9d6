#include "KvGamutView.h"

KvGamutView::KvGamutView(QWidget* parent, const char* name) : QWidget(parent) {
    if (name)
        setObjectName(QString::fromLatin1(name));
}

// The gamut drawing is not in this build yet; callers then offer no gamut view.
bool KvGamutView::supported() { return false; }

int KvGamutView::fromICC(const char*, const char*) { return -1; }
