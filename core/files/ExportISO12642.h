// Writes named colours as an ISO 12642 measurement file: CGATS.17 text with
// ORIGINATOR, DESCRIPTOR and CREATED, the fields SAMPLE_ID SAMPLE_NAME LAB_L
// LAB_A LAB_B, and one row per Lab record in list order. Numbers carry a
// decimal point in every locale, and the file is written whole or not at all.
#pragma once

#include "KvComboColour.h"
#include "KvIccTypes.h"

#include <ctime>
#include <string>

// An instrument's description; no instrument driver provides one yet.
struct SPECTROPHOTOMETERINFO;

class ExportISO12642 {
public:
    // 0 when the file is in place; -1 with "Cannot open file <path>" on
    // standard error otherwise, leaving any old file as it was. Only Lab
    // (icSigLabData) is written; records without Lab are left out.
    static int exportColours(const std::string& path, const SPECTROPHOTOMETERINFO* instrument,
                             KVCOMBOCOLOUR_CC& colours, icColorSpaceSignature space);
    // The same with a fixed creation time, so that two exports can be compared.
    static int exportColours(const std::string& path, const SPECTROPHOTOMETERINFO* instrument,
                             KVCOMBOCOLOUR_CC& colours, icColorSpaceSignature space, std::time_t created);

    // The file's text; empty when it cannot be made.
    static std::string text(const KVCOMBOCOLOUR* first, std::time_t created);
};
