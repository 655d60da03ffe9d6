// Writes named colours as an ISO 12642 (IT8.7/4 layout) file: CGATS.17 text
// with ORIGINATOR, DESCRIPTOR and CREATED, the fields SAMPLE_ID (the
// position), SAMPLE_NAME, CMYK_C, CMYK_M, CMYK_Y, CMYK_K (percent) and LAB_L,
// LAB_A, LAB_B, one row per Lab record in list order. The CMYK fields are
// written when every such record carries inks, so that importing the file
// rebuilds the chart it came from. Numbers carry a decimal point in every
// locale, any number of rows may be written, and the file is written whole
// or not at all.
#pragma once

#include "KvComboColour.h"
#include "KvIccTypes.h"
#include "Outcome.h"

#include <ctime>
#include <string>

// An instrument's description; no instrument driver provides one yet.
struct SPECTROPHOTOMETERINFO;

class ExportISO12642 {
public:
    static constexpr const char* defaultDescriptor = "Colour check chart";

    // 0 when the file is in place; -1 with "Cannot open file <path>" on
    // standard error otherwise, leaving any old file as it was. Only Lab
    // (icSigLabData) is written; records without Lab are left out.
    static int exportColours(const std::string& path, const SPECTROPHOTOMETERINFO* instrument,
                             KVCOMBOCOLOUR_CC& colours, icColorSpaceSignature space);
    // The same with a fixed creation time, so that two exports can be compared.
    static int exportColours(const std::string& path, const SPECTROPHOTOMETERINFO* instrument,
                             KVCOMBOCOLOUR_CC& colours, icColorSpaceSignature space, std::time_t created);
    // The same with the file's DESCRIPTOR (say where the inks came from), and
    // the reason for a failure in `why` (strerror's text where there is one).
    static int exportColours(const std::string& path, const KVCOMBOCOLOUR* first,
                             const std::string& descriptor, std::time_t created, std::string& why);

    // The core's call: the file written whole, or the reason it was not.
    static Status save(const std::string& path, const KVCOMBOCOLOUR* first, const std::string& descriptor,
                       std::time_t created);

    // The file's text.
    static std::string text(const KVCOMBOCOLOUR* first, std::time_t created,
                            const std::string& descriptor = defaultDescriptor);
};
