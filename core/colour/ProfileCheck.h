// Whether a file can serve as a profile in the role it is chosen for, and if
// not, why. Checked when a profile is chosen and again when a stored choice
// is used, so that a profile the engine cannot use is refused with one reason
// instead of failing later, at every conversion, with none. The converter,
// the chart dialogs, the gamut view and the command line all ask here.
#pragma once

#include "KvIccTypes.h"

#include <lcms2.h>

#include <string>

enum class ProfileRole {
    ConverterInput,  // RGB or CMYK, scanner, monitor or printer; read into Lab
    ConverterOutput, // RGB or CMYK, monitor or printer; written to from Lab
    Monitor,         // RGB monitor; written to from Lab
    ChartProfile,    // CMYK, scanner, monitor or printer; read into Lab
    SwatchProfile,   // CMYK printer; read into Lab and written to from Lab
    GamutProfile,    // any RGB or CMYK device profile; read into Lab
    Preview,         // any RGB device profile a preview is painted through; written to from Lab
};

class ProfileCheck {
public:
    enum Problem {
        Usable,
        NotRegularFile,    // a directory, FIFO or device
        Unreadable,        // cannot be opened or read; error holds errno
        NotAProfile,       // no ICC header, or one LittleCMS cannot parse
        Truncated,         // shorter than its header says
        WrongClass,        // a class the role does not take (a link, say)
        WrongSpace,        // a colour space the role does not take (grey, 6 colours...)
        NoTransform,       // the transform the role needs cannot be built: tags missing or damaged
        DamagedWhitePoint, // the media white point tag is unreadable or not a white
    };

    Problem problem = Usable;
    int error = 0; // errno for Unreadable
    icProfileClassSignature profileClass = icSigNoClass;
    icColorSpaceSignature space = icSigNoSpace;

    bool usable() const { return problem == Usable; }

    static ProfileCheck check(const char* path, ProfileRole role);

    // The reason in English, for the command line: "not an ICC profile".
    std::string describe() const;

    // Opens a profile after the file checks (regular file, size, header,
    // white point); the caller owns the handle. Null on failure, with the
    // reason in *problem when given.
    static cmsHPROFILE open(cmsContext context, const char* path, Problem* problem = nullptr);
    // The role's rules (class, space, the transforms it needs) for a profile
    // opened with open(), so that a caller reads the file once.
    static Problem fits(cmsContext context, cmsHPROFILE profile, ProfileRole role);
};
