// Profile bytes at every place a profile path enters the colour engine.
#include "FuzzFiles.h"
#include "KvCMS.h"
#include "KvCmsIcc.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray path = QFile::encodeName(fuzzFile("profile.icc", data, size));
    icProfileClassSignature cls;
    icColorSpaceSignature space;
    if (!KvCmsIcc::getICCprofileClass(path.constData(), &cls, &space))
        space = icSigRgbData;

    KvCmsIcc t;
    if (t.create(path.constData(), path.constData())) {
        unsigned long o[4];
        double lab[3];
        t.rgb2lab(10, 200, 30, &lab[0], &lab[1], &lab[2]);
        t.cmyk2lab(10, 20, 30, 40, &lab[0], &lab[1], &lab[2]);
        t.lab2rgb(50, 20, -20, &o[0], &o[1], &o[2]);
        t.lab2cmyk(50, 20, -20, &o[0], &o[1], &o[2], &o[3]);
        t.D50lab2rlab(50, 20, -20, &lab[0], &lab[1], &lab[2]);
    }
    for (icColorSpaceSignature s : {space, icSigRgbData, icSigCmykData}) {
        KvCMSHandle h = KvCMSInit(s, s, path.constData(), path.constData(), 1, 0, 0);
        const unsigned char kcmy[4] = {10, 200, 30, 90};
        double L, a, b;
        unsigned char back[4];
        KvCMSCMYKToLab(h, kcmy, &L, &a, &b);
        KvCMSCMYKToLabRelative(h, kcmy, &L, &a, &b);
        KvCMSLabD50ToCMYK(h, 50, 10, 10, back);
        KvCMSDestroy(h);
    }
    KvCMSHandle monitor = KvCMSInit(icSigLabData, icSigRgbData, nullptr, path.constData(), 1, 0, 0);
    unsigned char rgb[3];
    KvCMSLabToRGB(monitor, 50, 10, 10, rgb);
    KvCMSDestroy(monitor);
    return 0;
}
