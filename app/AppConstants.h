// Names shared by start-up, the main window and language selection.
#pragma once

inline constexpr const char* appName = "tintry";
inline constexpr const char* mainWindowSection = "kvmainwindow";
inline constexpr const char* languageKey = "lang";
inline constexpr const char* tintryVersion = "1.2";
