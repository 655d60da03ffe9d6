#include "PatchGrid.h"

int PatchGrid::generate(CHARTPATCH** patches, KvCMSHandle profile, KvCMSHandle preview, std::FILE* out) {
    CHARTPATCH* grid = nullptr;
    const int result = generateForCull(&grid, profile, ChartOptions{}, nullptr, out);
    complete(grid, profile, preview);
    for (CHARTPATCH *p = grid, *next = nullptr; p != nullptr; p = next) {
        next = KvNext(p);
        AddList(patches, p);
    }
    return result;
}

int PatchGrid::generateForCull(CHARTPATCH** patches, KvCMSHandle profile, const ChartOptions& options,
                               const std::function<bool(const unsigned char*)>& skip, std::FILE* out) {
    const int n = options.levels;
    int skipped = 0;
    for (int c = 0; c < n; ++c)
        for (int m = 0; m < n; ++m)
            for (int y = 0; y < n; ++y)
                for (int k = 0; k < n; ++k) {
                    unsigned char kcmy[4];
                    kcmy[INK_K] = level(k, n);
                    kcmy[INK_C] = level(c, n);
                    kcmy[INK_M] = level(m, n);
                    kcmy[INK_Y] = level(y, n);
                    // Unprinted paper tells nothing about the inks, and what
                    // the press cannot carry must never be chosen.
                    const unsigned total = 0u + kcmy[0] + kcmy[1] + kcmy[2] + kcmy[3];
                    if (total == 0 || !options.inkAllowed(total) || (skip && skip(kcmy))) {
                        ++skipped;
                        continue;
                    }
                    CHARTPATCH* p = makeCandidate(kcmy, profile);
                    if (p == nullptr)
                        return -1;
                    AddList(patches, p);
                }
    std::fprintf(out, "all done: %d patches created %d skipped\n", ListLength(*patches), skipped);
    return 0;
}

CHARTPATCH* PatchGrid::makeCandidate(const unsigned char* kcmy, KvCMSHandle profile) {
    auto* p = static_cast<CHARTPATCH*>(Kv_calloc(1, sizeof(CHARTPATCH)));
    if (p == nullptr) {
        std::fprintf(stderr, "Cannot allocate memory\n");
        return nullptr;
    }
    p->kind = CHARTPATCH_KIND;
    for (int i = 0; i < 4; ++i)
        p->cmyk[i] = kcmy[i];
    KvCMSCMYKToLab(profile, p->cmyk, &p->labD50[0], &p->labD50[1], &p->labD50[2]);
    return p;
}

void PatchGrid::complete(CHARTPATCH* patches, KvCMSHandle profile, KvCMSHandle preview) {
    for (CHARTPATCH* p = patches; p != nullptr; p = KvNext(p)) {
        KvCMSCMYKToLabRelative(profile, p->cmyk, &p->labRelative[0], &p->labRelative[1], &p->labRelative[2]);
        KvCMSLabToRGB(preview, p->labD50[0], p->labD50[1], p->labD50[2], p->rgb);
    }
}

CHARTPATCH* PatchGrid::makePatch(const unsigned char* kcmy, KvCMSHandle profile, KvCMSHandle preview) {
    CHARTPATCH* p = makeCandidate(kcmy, profile);
    if (p != nullptr)
        complete(p, profile, preview);
    return p;
}
