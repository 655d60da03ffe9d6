// Keeps a window's size in the settings store.
#pragma once

class QWidget;
class KvRegistry;

class KvWidgetUtil {
public:
    static void saveSizeToRegistry(QWidget* widget, KvRegistry* registry, const char* section);
    // useDefault: with no stored size, give the widget its size hint.
    // fitScreen: never make the widget larger than the screen it is on.
    static void restoreSizeFromRegistry(QWidget* widget, KvRegistry* registry, const char* section,
                                        bool useDefault, bool fitScreen);
};
