// The engine's C entry points used by the colour-check chart.
#pragma once

#include "KvIccTypes.h"

// Opaque handle; its first 32-bit field is the source colour space it was made for.
typedef void* KvCMSHandle;

KvCMSHandle KvCMSInit(icColorSpaceSignature sourceSpace, icColorSpaceSignature destinationSpace,
                      const char* sourceProfile, const char* destinationProfile, int a, int b, int c);
void KvCMSDestroy(KvCMSHandle handle);
// CMYK bytes are 0..255 in the order K, C, M, Y.
bool KvCMSCMYKToLab(KvCMSHandle handle, const unsigned char* kcmy, double* L, double* a, double* b);
bool KvCMSCMYKToLabRelative(KvCMSHandle handle, const unsigned char* kcmy, double* L, double* a, double* b);
bool KvCMSLabD50ToCMYK(KvCMSHandle handle, double L, double a, double b, unsigned char* kcmy);
bool KvCMSLabToRGB(KvCMSHandle handle, double L, double a, double b, unsigned char* rgb);
double KvCMS_ColourDiff_CIE94(const double* sampleLab, const double* referenceLab);
double KvCMS_ColourDiff_DeltaE(const double* measuredLab, const double* targetLab);
