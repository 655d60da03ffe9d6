#include "PatchGrid.h"

int PatchGrid::generate(CHARTPATCH** patches, KvCMSHandle profile, KvCMSHandle preview, std::FILE* out) {
    int skipped = 0;
    for (int c = 0; c < levels; ++c)
        for (int m = 0; m < levels; ++m)
            for (int y = 0; y < levels; ++y)
                for (int k = 0; k < levels; ++k) {
                    // Unprinted paper tells nothing about the inks.
                    if (c == 0 && m == 0 && y == 0 && k == 0) {
                        ++skipped;
                        continue;
                    }
                    unsigned char kcmy[4];
                    kcmy[INK_K] = level(k);
                    kcmy[INK_C] = level(c);
                    kcmy[INK_M] = level(m);
                    kcmy[INK_Y] = level(y);
                    double relative[3] = {0, 0, 0};
                    KvCMSCMYKToLabRelative(profile, kcmy, &relative[0], &relative[1], &relative[2]);

                    auto* p = static_cast<CHARTPATCH*>(Kv_calloc(1, sizeof(CHARTPATCH)));
                    if (p == nullptr) {
                        std::fprintf(stderr, "Cannot allocate memory\n");
                        return -1;
                    }
                    p->kind = CHARTPATCH_KIND;
                    for (int i = 0; i < 3; ++i)
                        p->labRelative[i] = relative[i];
                    for (int i = 0; i < 4; ++i)
                        p->cmyk[i] = kcmy[i];
                    KvCMSCMYKToLab(profile, p->cmyk, &p->labD50[0], &p->labD50[1], &p->labD50[2]);
                    KvCMSLabToRGB(preview, p->labD50[0], p->labD50[1], p->labD50[2], p->rgb);
                    AddList(patches, p);
                }
    std::fprintf(out, "all done: %d patches created %d skipped\n", ListLength(*patches), skipped);
    return 0;
}
