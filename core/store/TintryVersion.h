// The program's version text, shown in the caption and the About box and
// written into the PostScript charts.
#pragma once

inline constexpr const char* tintryVersion = "1.2";
