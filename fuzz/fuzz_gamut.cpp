// Profile bytes as the gamut window and tintry-gamut take them: opened,
// sampled, their boundary traced and measured, what of their faces to draw
// picked out, and compared with sRGB. A profile refused says why; one taken
// gives a finite volume, a drawing that indexes only its own samples, and a
// comparison whose overlap is no larger than either gamut.
#include "FuzzFiles.h"
#include "KvGamutComparison.h"
#include "KvGamutModel.h"
#include "KvGamutShell.h"
#include "LcmsHandles.h"

#include <lcms2.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace {

const KvGamutModel& srgb() {
    static const KvGamutModel model = [] {
        const QString path = fuzzScratch().filePath("srgb.icc");
        lcms::ProfilePtr p(cmsCreate_sRGBProfile());
        KvGamutModel m;
        if (!p || !cmsSaveProfileToFile(p.get(), QFile::encodeName(path).constData()) || !m.load(path))
            std::abort();
        return m;
    }();
    return model;
}

void check(bool ok) {
    if (!ok)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const KvGamutModel& reference = srgb();
    const QString path = fuzzFile("gamut.icc", data, size);
    KvGamutModel m;
    if (const Status s = m.load(path); !s) {
        check(!s.failure().why.empty() && s.failure().what == path.toStdString());
        check(m.samples().empty());
        return 0;
    }
    check(m.samples().size() == m.faces().samples());
    if (!m.measure())
        return 0;
    const double v = m.volume();
    check(std::isfinite(v) && v >= 0);
    check(m.boundary().contains(m.boundary().centre()));
    const KvGamutShell shell = KvGamutShell::outer(m.faces(), m.samples(), m.boundary());
    for (const auto* quads : {&shell.faces, &shell.wires})
        for (const KvGamutShell::Quad& q : *quads)
            for (std::uint32_t i : q.corner)
                check(i < m.samples().size());
    const auto c = KvGamutComparison::measure(m, reference);
    if (!c) {
        check(!c.failure().why.empty());
        return 0;
    }
    const double slack = 1e-9 * (1 + c->volumeA() + c->volumeB());
    check(std::isfinite(c->overlap()) && c->overlap() >= 0);
    check(c->overlap() <= c->volumeA() + slack && c->overlap() <= c->volumeB() + slack);
    check(c->aInB() >= 0 && c->aInB() <= 100 + 1e-6 && c->bInA() >= 0 && c->bInA() <= 100 + 1e-6);
    return 0;
}
