// Generation and culling of colour-check charts: the 9^4 grid, the progress
// lines, the counts reached, and the fast cull proved patch for patch equal to
// the plain list walk (ReferenceCull) on both Ghostscript CMYK profiles.
#include "ChartControls.h"
#include "ChartGeneration.h"
#include "ChartHandles.h"
#include "ChartRecords.h"
#include "ChartShuffle.h"
#include "ChartTestKit.h"
#include "CoreTestMain.h"
#include "PatchGrid.h"
#include "ReferenceCull.h"
#include "RoughCull.h"

#include <QFile>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <vector>

namespace {

const char* const kDefaultCmyk = chartkit::defaultCmyk;
const char* const kPsCmyk = chartkit::psCmyk;

// The lines a piece of code writes to standard output.
struct Capture {
    chartkit::StreamCapture stream{1};
    std::FILE* file = stdout;
    QStringList lines() { return QString::fromLatin1(stream.text()).split('\n', Qt::SkipEmptyParts); }
};

// A list built from record values, links cleared.
CHARTPATCH* listOf(const std::vector<CHARTPATCH>& values) {
    CHARTPATCH* head = nullptr;
    for (const CHARTPATCH& v : values) {
        auto* p = static_cast<CHARTPATCH*>(Kv_calloc(1, sizeof(CHARTPATCH)));
        *p = v;
        p->link = KvListLink{};
        AddList(&head, p);
    }
    return head;
}

std::vector<CHARTPATCH> valuesOf(const CHARTPATCH* head) {
    std::vector<CHARTPATCH> v;
    for (const CHARTPATCH* p = head; p; p = KvNext(p))
        v.push_back(*p);
    return v;
}

QList<quint32> inksOf(const CHARTPATCH* head) {
    QList<quint32> v;
    for (const CHARTPATCH* p = head; p; p = KvNext(p))
        v << chartPatchCMYK(*p);
    return v;
}

CHARTPATCH labPatch(double L, double a, double b, unsigned char k) {
    CHARTPATCH p{};
    p.kind = CHARTPATCH_KIND;
    p.cmyk[INK_K] = k;
    p.labD50[0] = L;
    p.labD50[1] = a;
    p.labD50[2] = b;
    return p;
}

// The uncut grid of a profile, made once per profile and grid for the whole test.
const std::vector<CHARTPATCH>& grid(const char* profile, int levels = PatchGrid::levels) {
    static std::map<QByteArray, std::vector<CHARTPATCH>> made;
    std::vector<CHARTPATCH>& g = made[QByteArray(profile) + QByteArray::number(levels)];
    if (g.empty()) {
        ChartHandles h;
        if (h.openForGrid(profile, nullptr)) {
            CHARTPATCH* head = nullptr;
            Capture out;
            ChartOptions options;
            options.levels = levels;
            PatchGrid::generateForCull(&head, h.profile, options, nullptr, out.file);
            g = valuesOf(head);
            FreeList(&head);
        }
    }
    return g;
}

// Everything the plain cull does on the way down to 8 patches. By the rules
// of the cull, a run to any larger count is this run cut short at the moment
// the list reaches that count, so one plain run gives the expected result of
// every count.
struct Trace {
    struct Pass {
        QString direction;
        double tolerance;
        QList<quint32> removed;
    };
    QList<Pass> passes;

    // The lines and the surviving inks of a run down to `count`.
    QStringList linesFor(unsigned long count, int total) const {
        QStringList lines;
        int left = total;
        for (const Pass& p : passes) {
            int removed = 0;
            for (int i = 0; i < p.removed.size() && left > int(count); ++i, ++removed)
                --left;
            lines << QString::asprintf(
                "%s rough cull: Tolerance %f, removed %d duplicates, patches left = %d",
                qPrintable(p.direction), p.tolerance, removed, left);
            if (left <= int(count))
                break;
        }
        return lines;
    }
    QList<quint32> survivorsFor(unsigned long count, const QList<quint32>& all) const {
        QList<quint32> gone;
        for (const Pass& p : passes)
            for (quint32 r : p.removed)
                if (all.size() - gone.size() > int(count))
                    gone << r;
        QList<quint32> left;
        for (quint32 i : all)
            if (!gone.contains(i))
                left << i;
        return left;
    }
};

Trace referenceTrace(const char* profile, int levels = PatchGrid::levels, unsigned long down = 8) {
    Trace t;
    CHARTPATCH* head = listOf(grid(profile, levels));
    ReferenceCull reference;
    reference.removed = [&](const CHARTPATCH& p) { t.passes.last().removed << chartPatchCMYK(p); };
    Capture out;
    RoughCull::cullLoop(&head, down, [&](double tolerance, bool& reverse) {
        t.passes.append({reverse ? "reverse" : "forward", tolerance, {}});
        reference.pass(&head, tolerance, reverse, down, out.file);
    });
    FreeList(&head);
    return t;
}

// FNV-1a over the inks of a chart, in chart order.
quint64 inkDigest(const CHARTPATCH* head) {
    quint64 h = Q_UINT64_C(14695981039346656037);
    for (const CHARTPATCH* p = head; p; p = KvNext(p))
        for (int i = 0; i < 4; ++i) {
            h ^= p->cmyk[i];
            h *= Q_UINT64_C(1099511628211);
        }
    return h;
}

} // namespace

class TestChartGeneration : public QObject {
    Q_OBJECT
private slots:
    // The chart without options, patch for patch as it always was: a digest of
    // the inks in chart order, taken from the generation before the options
    // existed, on both Ghostscript CMYK profiles.
    void defaultChartUnchanged_data() {
        QTest::addColumn<QByteArray>("profile");
        QTest::addColumn<int>("count");
        QTest::addColumn<quint64>("digest");
        QTest::newRow("default 8") << QByteArray(kDefaultCmyk) << 8 << Q_UINT64_C(8852072631028736473);
        QTest::newRow("default 64") << QByteArray(kDefaultCmyk) << 64 << Q_UINT64_C(5895047237755448418);
        QTest::newRow("default 333") << QByteArray(kDefaultCmyk) << 333 << Q_UINT64_C(15497274024273167542);
        QTest::newRow("default 512") << QByteArray(kDefaultCmyk) << 512 << Q_UINT64_C(4292431003844732416);
        QTest::newRow("ps 64") << QByteArray(kPsCmyk) << 64 << Q_UINT64_C(6411886470650281494);
        QTest::newRow("ps 512") << QByteArray(kPsCmyk) << 512 << Q_UINT64_C(13147579540892773252);
    }
    void defaultChartUnchanged() {
        QFETCH(QByteArray, profile);
        QFETCH(int, count);
        QFETCH(quint64, digest);
        ChartHandles h;
        QVERIFY(h.openForGrid(profile, nullptr));
        CHARTPATCH* head = nullptr;
        Capture out;
        QCOMPARE(ChartGeneration::generatePatches(&head, h.profile, h.preview, count, out.file), 0);
        QCOMPARE(ListLength(head), count);
        const quint64 got = inkDigest(head);
        FreeList(&head);
        QVERIFY2(got == digest, qPrintable(QString("digest %1").arg(got)));
    }

    void gridOrderAndSummary() {
        ChartHandles h;
        QVERIFY(h.openForGrid(kDefaultCmyk, nullptr));
        CHARTPATCH* head = nullptr;
        Capture out;
        QCOMPARE(PatchGrid::generate(&head, h.profile, h.preview, out.file), 0);
        QCOMPARE(out.lines(), QStringList{"all done: 6560 patches created 1 skipped"});
        QCOMPARE(ListLength(head), 6560);
        QCOMPARE(chartPatchCMYK(*head), 32u);         // C=M=Y=0, K=32
        QCOMPARE(chartPatchCMYK(*KvNext(head)), 64u); // K fastest
        QCOMPARE(chartPatchCMYK(*reinterpret_cast<CHARTPATCH*>(head->link.last)), 0xffffffffu);
        // Lab of K 12.5 % and of all inks solid, from LittleCMS's transicc
        // (-t3 for D50, -t1 for relative); 0.01 covers its 4-decimal print.
        const CHARTPATCH* last = reinterpret_cast<CHARTPATCH*>(head->link.last);
        const double expected[4][3] = {{79.7380, -0.4116, 2.7387},
                                       {9.0743, 0.6302, 1.1632},
                                       {90.0398, -0.1992, -0.6719},
                                       {11.7724, 0.7656, 0.3281}};
        const double* got[4] = {head->labD50, last->labD50, head->labRelative, last->labRelative};
        for (int i = 0; i < 4; ++i)
            for (int j = 0; j < 3; ++j)
                QVERIFY2(std::fabs(got[i][j] - expected[i][j]) < 0.01,
                         qPrintable(QString::number(got[i][j])));
        QCOMPARE(head->kind, int(CHARTPATCH_KIND));
        QVERIFY(head->rgb[0] > 150 && last->rgb[0] < 80);
        FreeList(&head);
    }

    void cullReachesCount_data() {
        QTest::addColumn<QByteArray>("profile");
        QTest::addColumn<int>("count");
        QTest::newRow("default 512") << QByteArray(kDefaultCmyk) << 512;
        QTest::newRow("default 64") << QByteArray(kDefaultCmyk) << 64;
        QTest::newRow("default 8") << QByteArray(kDefaultCmyk) << 8;
        QTest::newRow("ps 64") << QByteArray(kPsCmyk) << 64;
    }
    void cullReachesCount() {
        QFETCH(QByteArray, profile);
        QFETCH(int, count);
        ChartHandles h;
        QVERIFY(h.openForGrid(profile, nullptr));
        CHARTPATCH* head = nullptr;
        Capture out;
        QCOMPARE(ChartGeneration::generateChart(&head, h.profile, h.preview, count, out.file), 0);
        QCOMPARE(ListLength(head), count);
        const QStringList lines = out.lines();
        QVERIFY(lines.size() >= 3);
        QCOMPARE(lines[0], QString("all done: 6560 patches created 1 skipped"));
        QVERIFY2(lines[1].startsWith("forward rough cull: Tolerance 2.000000, removed "),
                 qPrintable(lines[1]));
        QVERIFY2(lines[2].startsWith("reverse rough cull: Tolerance 2.250000, removed "),
                 qPrintable(lines[2]));
        QVERIFY(lines.last().endsWith(QString(" duplicates, patches left = %1").arg(count)));
        // Directions alternate and the tolerance climbs by a quarter each pass.
        for (int i = 1; i < lines.size(); ++i) {
            const QString tolerance = QString::number(2.0 + 0.25 * (i - 1), 'f', 6);
            QVERIFY2(lines[i].startsWith(QString(i % 2 ? "forward" : "reverse") + " rough cull: Tolerance " +
                                         tolerance + ","),
                     qPrintable(lines[i]));
        }
        FreeList(&head);
    }

    // The fast cull against the plain one: same survivors in the same order
    // and the same lines, for counts 8 to 512 (every count with
    // TINTRY_EXHAUSTIVE set, otherwise steps of 25 and the edges).
    void fastMatchesReference_data() {
        QTest::addColumn<QByteArray>("profile");
        QTest::newRow("default_cmyk") << QByteArray(kDefaultCmyk);
        QTest::newRow("ps_cmyk") << QByteArray(kPsCmyk);
    }
    void fastMatchesReference() {
        QFETCH(QByteArray, profile);
        const std::vector<CHARTPATCH>& g = grid(profile);
        QCOMPARE(int(g.size()), PatchGrid::candidates);
        const Trace trace = referenceTrace(profile);
        CHARTPATCH* all = listOf(g);
        const QList<quint32> allInks = inksOf(all);
        FreeList(&all);

        QList<unsigned long> counts;
        const unsigned long step = qEnvironmentVariableIsSet("TINTRY_EXHAUSTIVE") ? 1 : 25;
        for (unsigned long c = 8; c <= 512; c += step)
            counts << c;
        counts << 9 << 511 << 512;
        for (unsigned long count : counts) {
            CHARTPATCH* head = listOf(g);
            Capture out;
            RoughCull::cullToCount(&head, count, out.file);
            QCOMPARE(out.lines(), trace.linesFor(count, PatchGrid::candidates));
            QCOMPARE(inksOf(head), trace.survivorsFor(count, allInks));
            FreeList(&head);
        }
    }

    // A finer grid is culled by the same rule: the fast cull equals the plain
    // one on the 13-level grid (28560 candidates) for a sample of counts up
    // to the largest chart.
    void fineGridMatchesReference() {
        const std::vector<CHARTPATCH>& g = grid(kPsCmyk, 13);
        QCOMPARE(int(g.size()), 13 * 13 * 13 * 13 - 1);
        const Trace trace = referenceTrace(kPsCmyk, 13, 300);
        CHARTPATCH* all = listOf(g);
        const QList<quint32> allInks = inksOf(all);
        FreeList(&all);
        for (unsigned long count : {2000ul, 1237ul, 512ul, 301ul}) {
            CHARTPATCH* head = listOf(g);
            Capture out;
            RoughCull::cullToCount(&head, count, out.file);
            QCOMPARE(out.lines(), trace.linesFor(count, int(g.size())));
            QCOMPARE(inksOf(head), trace.survivorsFor(count, allInks));
            FreeList(&head);
        }
    }

    // Patches the cull must keep stay, in both culls, in both directions, even
    // where they lie closer to others than the tolerance.
    void keptPatchesSurvive() {
        const std::vector<CHARTPATCH> v = {labPatch(50, 0, 0, 1), labPatch(50.5, 0, 0, 2),
                                           labPatch(51, 0, 0, 3), labPatch(51.2, 0, 0, 4),
                                           labPatch(70, 0, 0, 5)};
        for (bool fast : {false, true}) {
            CHARTPATCH* head = listOf(v);
            Capture out;
            if (fast)
                RoughCull::cullToCount(&head, 1, out.file, 2);
            else
                ReferenceCull().cullToCount(&head, 1, out.file, 2);
            QCOMPARE(inksOf(head).mid(0, 2), (QList<quint32>{1, 2}));
            QCOMPARE(ListLength(head), 2); // never below the kept ones, and the loop ends
            FreeList(&head);
        }
    }

    // The controls: paper, solids and overprints with exact inks, then a
    // neutral ramp, all at the start and counted in the chart; an ink limit
    // leaves out what it forbids, controls included.
    void controlsAndInkLimit_data() {
        QTest::addColumn<QByteArray>("profile");
        QTest::addColumn<int>("limit");
        QTest::addColumn<int>("levels");
        QTest::addColumn<int>("count");
        QTest::newRow("default 64") << QByteArray(kDefaultCmyk) << 0 << 9 << 64;
        QTest::newRow("ps 300 % 512") << QByteArray(kPsCmyk) << 300 << 13 << 512;
        QTest::newRow("default 180 % 100") << QByteArray(kDefaultCmyk) << 180 << 9 << 100;
    }
    void controlsAndInkLimit() {
        QFETCH(QByteArray, profile);
        QFETCH(int, limit);
        QFETCH(int, levels);
        QFETCH(int, count);
        ChartHandles h;
        QVERIFY(h.openForGrid(profile, nullptr));
        ChartOptions options;
        options.controls = true;
        options.inkLimit = limit;
        options.levels = levels;
        CHARTPATCH* head = nullptr;
        Capture out;
        QCOMPARE(ChartGeneration::generatePatches(&head, h.profile, h.preview, count, out.file, options), 0);
        QCOMPARE(ListLength(head), count);
        QList<quint32> fixed = {0, 0xff000000, 0xff0000, 0xff00, 0xff};
        if (limit == 0 || limit >= 200)
            fixed << 0xffff0000 << 0xff00ff00 << 0xffff00;
        const QList<quint32> inks = inksOf(head);
        QCOMPARE(inks.mid(0, fixed.size()), fixed);
        // The ramp: cyan, magenta and yellow only, printing neutral, darker step by step.
        const CHARTPATCH* p = head;
        for (int i = 0; i < fixed.size(); ++i)
            p = KvNext(p);
        double lastL = 101;
        for (int i = 0; i < ChartControls::rampSteps; ++i, p = KvNext(p)) {
            QCOMPARE(int(p->cmyk[INK_K]), 0);
            QVERIFY(p->cmyk[INK_C] > 0);
            QVERIFY2(std::hypot(p->labRelative[1], p->labRelative[2]) < 3.0,
                     qPrintable(QString("%1 %2").arg(p->labRelative[1]).arg(p->labRelative[2])));
            QVERIFY(p->labRelative[0] < lastL);
            lastL = p->labRelative[0];
        }
        for (const CHARTPATCH* q = head; q; q = KvNext(q)) {
            const unsigned total = 0u + q->cmyk[0] + q->cmyk[1] + q->cmyk[2] + q->cmyk[3];
            QVERIFY2(limit == 0 || total * 100 <= unsigned(limit) * 255, qPrintable(QString::number(total)));
            // Completed after the cull, not left with the D50 Lab alone.
            double rel[3];
            KvCMSCMYKToLabRelative(h.profile, q->cmyk, &rel[0], &rel[1], &rel[2]);
            QCOMPARE(q->labRelative[0], rel[0]);
            QCOMPARE(q->labRelative[2], rel[2]);
            // The fit moves patches with their own inks' Lab.
            double lab[3];
            KvCMSCMYKToLab(h.profile, q->cmyk, &lab[0], &lab[1], &lab[2]);
            QCOMPARE(q->labD50[0], lab[0]);
            QCOMPARE(q->labD50[1], lab[1]);
            QCOMPARE(inks.count(chartPatchCMYK(*q)), 1);
        }
        FreeList(&head);
    }

    // The shuffle permutes the very patches of the plain chart, the same way
    // for the same seed, and the names travel with the patches.
    void shuffleKeepsPatchesAndNames() {
        ChartHandles h;
        QVERIFY(h.openForGrid(kDefaultCmyk, nullptr));
        Capture out;
        auto chart = [&](std::uint32_t seed, bool shuffle) {
            ChartOptions options;
            options.shuffle = shuffle;
            options.seed = seed;
            CHARTPATCH* head = nullptr;
            ChartGeneration::generatePatches(&head, h.profile, h.preview, 64, out.file, options);
            return head;
        };
        CHARTPATCH* plain = chart(0, false);
        CHARTPATCH* first = chart(7, true);
        CHARTPATCH* again = chart(7, true);
        CHARTPATCH* other = chart(8, true);
        const QList<quint32> plainInks = inksOf(plain);
        QCOMPARE(inksOf(first), inksOf(again));
        QVERIFY(inksOf(first) != plainInks);
        QVERIFY(inksOf(first) != inksOf(other));
        QList<quint32> sorted = inksOf(first), plainSorted = plainInks;
        std::sort(sorted.begin(), sorted.end());
        std::sort(plainSorted.begin(), plainSorted.end());
        QCOMPARE(sorted, plainSorted);
        // Each name is the patch's place in the unshuffled chart.
        KVCOMBOCOLOUR_CC records;
        QVERIFY(ChartRecords::fill(first, records));
        const CHARTPATCH* p = first;
        for (const KVCOMBOCOLOUR* r = records.list; r; r = KvNext(r), p = KvNext(p)) {
            const int number = QByteArray(r->name).mid(6).toInt();
            QCOMPARE(plainInks.value(number - 1), chartPatchCMYK(*p));
        }
        for (CHARTPATCH* head : {plain, first, again, other})
            FreeList(&head);
        // Small and empty orders are still permutations.
        QCOMPARE(ChartShuffle::order(1, 3), std::vector<std::size_t>{0});
        QVERIFY(ChartShuffle::order(0, 3).empty());
    }

    // Both culls straight on the same small lists, including the case where
    // the reference reaches the count in the middle of a walk.
    void smallListsAgree_data() {
        QTest::addColumn<bool>("reverse");
        QTest::addColumn<int>("count");
        QTest::addColumn<QList<quint32>>("expected");
        // Lab L values 50, 51, 52, 50.5, 60 under tolerance 2.0: the difference
        // is exactly dL for neutral colours, and 2.0 itself does not count.
        QTest::newRow("forward keeps the earlier") << false << 1 << QList<quint32>{1, 3, 5};
        QTest::newRow("forward stops at count") << false << 4 << QList<quint32>{1, 3, 4, 5};
        QTest::newRow("reverse keeps the later") << true << 1 << QList<quint32>{4, 5};
        QTest::newRow("reverse stops at count") << true << 4 << QList<quint32>{1, 2, 4, 5};
    }
    void smallListsAgree() {
        QFETCH(bool, reverse);
        QFETCH(int, count);
        QFETCH(QList<quint32>, expected);
        const std::vector<CHARTPATCH> v = {labPatch(50, 0, 0, 1), labPatch(51, 0, 0, 2),
                                           labPatch(52, 0, 0, 3), labPatch(50.5, 0, 0, 4),
                                           labPatch(60, 0, 0, 5)};
        for (bool fast : {false, true}) {
            CHARTPATCH* head = listOf(v);
            Capture out;
            bool direction = reverse;
            if (fast)
                RoughCull::pass(&head, 2.0, direction, count, out.file);
            else
                ReferenceCull().pass(&head, 2.0, direction, count, out.file);
            QCOMPARE(direction, !reverse);
            QCOMPARE(inksOf(head), expected);
            QCOMPARE(out.lines().size(), 1);
            FreeList(&head);
        }
    }

    // Patches the engine gave no finite Lab can never be removed; the cull must
    // still end.
    void nonFiniteLabEnds() {
        std::vector<CHARTPATCH> v;
        for (int i = 0; i < 12; ++i)
            v.push_back(labPatch(i < 3 ? 20.0 * i : NAN, 0, 0, static_cast<unsigned char>(i + 1)));
        CHARTPATCH* head = listOf(v);
        Capture out;
        RoughCull::cullToCount(&head, 8, out.file);
        QCOMPARE(ListLength(head), 10); // one finite patch kept, nine without Lab
        FreeList(&head);
    }

    void emptyOrAlreadySmall() {
        CHARTPATCH* head = nullptr;
        Capture out;
        bool reverse = false;
        RoughCull::pass(&head, 2.0, reverse, 8, out.file);
        QCOMPARE(reverse, false); // an empty list: no line, no flip
        head = listOf({labPatch(50, 0, 0, 1), labPatch(50, 0, 0, 2)});
        RoughCull::cullToCount(&head, 8, out.file);
        QCOMPARE(ListLength(head), 2);
        QVERIFY(out.lines().isEmpty());
        FreeList(&head);
    }

    void swatchPatches() {
        ChartHandles h;
        QVERIFY(h.openForSwatches(kDefaultCmyk, nullptr));
        QVERIFY(!ChartHandles().openForSwatches(chartkit::srgb, nullptr));
        KVCOMBOCOLOUR_CC records;
        auto* ink = static_cast<KVCOMBOCOLOUR*>(Kv_calloc(1, sizeof(KVCOMBOCOLOUR)));
        ink->cmyk = 0xff804000u; // C 255, M 128, Y 64, K 0
        QVERIFY(records.insertCombo(ink));
        auto* lab = static_cast<KVCOMBOCOLOUR*>(Kv_calloc(1, sizeof(KVCOMBOCOLOUR)));
        lab->flags = KVCOMBO_LAB_VALID;
        lab->L = 50;
        lab->a = 10;
        lab->b = -20;
        QVERIFY(records.insertCombo(lab));

        CHARTPATCH* head = nullptr;
        ChartGeneration::patchesFromSwatches(&head, records.list, h);
        QCOMPARE(ListLength(head), 2);
        QCOMPARE(chartPatchCMYK(*head), 0xff804000u);
        const CHARTPATCH* second = KvNext(head);
        QCOMPARE(second->labD50[0], 50.0);
        QCOMPARE(second->labD50[2], -20.0);
        // The inks come from the inverse and print back close to the asked Lab.
        double L, a, b;
        KvCMSCMYKToLab(h.profile, second->cmyk, &L, &a, &b);
        QVERIFY2(std::hypot(L - 50, a - 10, b + 20) < 3.0,
                 qPrintable(QString("%1 %2 %3").arg(L).arg(a).arg(b)));
        FreeList(&head);
    }
};

TINTRY_CORE_TEST_MAIN(TestChartGeneration)
#include "test_chart_generation.moc"
