// One colour transform of the engine, held by value. It keeps its rendering
// intent and accuracy across close() and create(); after close() or a failed
// create() both colour-space members are 0 and every conversion returns false
// without touching its outputs.
#pragma once

#include "KvIccTypes.h"

class KvCmsIcc {
public:
    KvCmsIcc();
    ~KvCmsIcc();
    KvCmsIcc(const KvCmsIcc&) = delete;
    KvCmsIcc& operator=(const KvCmsIcc&) = delete;

    // Public in this order; callers read them directly.
    void* transform = nullptr; // non-null while a transform is built
    icColorSpaceSignature sourceSpace = icSigNoSpace;
    icColorSpaceSignature destinationSpace = icSigNoSpace;
    icRenderingIntent renderingIntent = icPerceptual;
    ICCACCURACY accuracy = ICC_ACCURACY_NORMAL;

    static bool getICCprofileClass(const char* path, icProfileClassSignature* profileClass,
                                   icColorSpaceSignature* colourSpace);

    bool create(const char* sourcePath, const char* destinationPath);
    void close();
    bool setrenderingIntent(icRenderingIntent intent);
    bool setinterpolationAccuracy(ICCACCURACY acc);

    bool rgb2rgb(unsigned long r, unsigned long g, unsigned long b, unsigned long* R, unsigned long* G,
                 unsigned long* B);
    bool rgb2cmyk(unsigned long r, unsigned long g, unsigned long b, unsigned long* c, unsigned long* m,
                  unsigned long* y, unsigned long* k);
    bool rgb2lab(unsigned long r, unsigned long g, unsigned long b, double* L, double* a, double* bb);
    bool cmyk2rgb(unsigned long c, unsigned long m, unsigned long y, unsigned long k, unsigned long* r,
                  unsigned long* g, unsigned long* b);
    bool cmyk2cmyk(unsigned long c, unsigned long m, unsigned long y, unsigned long k, unsigned long* C,
                   unsigned long* M, unsigned long* Y, unsigned long* K);
    bool cmyk2lab(unsigned long c, unsigned long m, unsigned long y, unsigned long k, double* L, double* a,
                  double* b);
    bool lab2rgb(double L, double a, double b, unsigned long* r, unsigned long* g, unsigned long* bb);
    bool lab2cmyk(double L, double a, double b, unsigned long* c, unsigned long* m, unsigned long* y,
                  unsigned long* k);
    bool D50lab2rlab(double L, double a, double b, double* rL, double* ra, double* rb);

private:
    bool rebuildOpenTransform();

    struct Impl;
    Impl* d = nullptr; // engine-private state (context, helper transforms)
};
