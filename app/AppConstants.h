// Names shared by start-up, the main window and language selection.
#pragma once

#include "TintryVersion.h"

inline constexpr const char* appName = "tintry";
inline constexpr const char* mainWindowSection = "kvmainwindow";
inline constexpr const char* languageKey = "lang";
