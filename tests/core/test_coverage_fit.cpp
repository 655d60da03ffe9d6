// The last stage of a chart with controls: the CIE94 index it stands on must
// give the engine's own answers, and the fit must cover the candidates better
// on average than the cull it starts from, never worse at the worst, with
// every patch still a candidate of its own.
#include "ChartHandles.h"
#include "ChartTestKit.h"
#include "Cie94Index.h"
#include "CoreTestMain.h"
#include "CoverageFit.h"
#include "PatchGrid.h"
#include "RoughCull.h"

#include <QSet>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

namespace {

using Point = Cie94Index::Point;

// Clustered colours of every chroma, with exact duplicates and shared L
// values, so that ties and the weighting of chroma are both exercised.
std::vector<Point> colours(unsigned seed, int n) {
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> L(0, 100), ab(-120, 120), near(-1.5, 1.5);
    std::vector<Point> v;
    while (static_cast<int>(v.size()) < n) {
        double lab[3] = {L(random), ab(random), ab(random)};
        if (v.size() % 7 == 3)
            std::copy(v[v.size() / 2].lab, v[v.size() / 2].lab + 3, lab);
        else if (v.size() % 5 == 1)
            lab[0] = v.front().lab[0];
        else if (v.size() % 3 == 2)
            for (double& x : lab)
                x = v.back().lab[&x - lab] + near(random);
        v.push_back(Point::of(lab));
    }
    return v;
}

struct Coverage {
    double mean = 0, max = 0;
};

// Every candidate's distance to its nearest patch, by the engine, the slow way.
Coverage coverage(const std::vector<CoverageFit::Candidate>& candidates, const CHARTPATCH* patches) {
    Coverage c;
    for (const auto& s : candidates) {
        double best = HUGE_VAL;
        for (const CHARTPATCH* p = patches; p; p = KvNext(p))
            best = std::min(best, KvCMS_ColourDiff_CIE94(s.lab, p->labD50));
        c.mean += best;
        c.max = std::max(c.max, best);
    }
    c.mean /= double(candidates.size());
    return c;
}

quint32 packedKcmy(const unsigned char* kcmy) {
    CHARTPATCH p{};
    std::copy(kcmy, kcmy + 4, p.cmyk);
    return chartPatchCMYK(p);
}

} // namespace

class TestCoverageFit : public QObject {
    Q_OBJECT
private slots:
    // The bound never exceeds the engine's difference, and the nearest two and
    // the colours within a radius are exactly those a search of every point
    // by the engine finds, with or without a hint.
    void indexAgreesWithEngine() {
        const std::vector<Point> points = colours(7, 400);
        const std::vector<Point> queries = colours(11, 300);
        const Cie94Index index(points);
        for (const Point& q : queries) {
            std::vector<double> d;
            for (const Point& p : points) {
                d.push_back(Cie94Index::distance(q, p));
                QVERIFY(Cie94Index::lowerBoundSquared(q, p) <= d.back() * d.back());
            }
            std::vector<double> sorted = d;
            std::sort(sorted.begin(), sorted.end());
            for (int hint : {-1, 0, int(&q - queries.data()) % int(points.size())}) {
                const Cie94Index::Two t = index.nearestTwo(q, hint);
                QCOMPARE(t.firstDistance, sorted[0]);
                QCOMPARE(t.secondDistance, sorted[1]);
                QCOMPARE(d[t.first], sorted[0]);
                QCOMPARE(d[t.second], sorted[1]);
                QVERIFY(t.first != t.second);
            }
            const double radius = 25.0;
            const auto limit = [](int i) { return i % 2 ? 18.0 : HUGE_VAL; };
            QSet<int> found;
            index.within(q, radius, limit, [&](int i, double dist) {
                QCOMPARE(dist, d[i]);
                found << i;
            });
            QSet<int> expected;
            for (int i = 0; i < int(points.size()); ++i)
                if (d[i] < std::min(radius, limit(i)))
                    expected << i;
            QCOMPARE(found, expected);
        }
        const std::vector<Point> one = {points.front()};
        const Cie94Index single(one);
        const Cie94Index::Two t = single.nearestTwo(queries.front());
        QCOMPARE(t.first, 0);
        QCOMPARE(t.second, -1);
        QVERIFY(std::isinf(t.secondDistance));
    }

    // From the cull of a real grid: a clearly lower mean distance, a worst
    // distance no higher, the kept patches untouched at the start, and the
    // rest distinct candidates, with their own inks' Lab, in grid order.
    void fitCoversBetterThanCull() {
        ChartHandles h;
        QVERIFY(h.openForGrid(chartkit::defaultCmyk, nullptr));
        CHARTPATCH* head = nullptr;
        chartkit::StreamCapture quiet(1);
        QCOMPARE(PatchGrid::generateForCull(&head, h.profile, ChartOptions{}, nullptr, stdout), 0);
        const std::vector<CoverageFit::Candidate> candidates = CoverageFit::candidatesOf(head, 0);
        QCOMPARE(int(candidates.size()), PatchGrid::candidates);
        RoughCull::cullToCount(&head, 200, stdout);
        const Coverage culled = coverage(candidates, head);
        std::vector<CHARTPATCH> kept;
        for (const CHARTPATCH* p = head; p && kept.size() < 5; p = KvNext(p))
            kept.push_back(*p);

        chartkit::StreamCapture out(1);
        CoverageFit::fit(&head, candidates, 5, stdout);
        const QByteArray line = out.text();
        QVERIFY2(line.startsWith("coverage fit: ") && line.count('\n') == 1, line.constData());
        QCOMPARE(ListLength(head), 200);
        const Coverage fitted = coverage(candidates, head);
        // The fit keeps every candidate's nearest patch up to date as it
        // goes; the mean it reports is the one found the slow way.
        QVERIFY2(
            line.trimmed().endsWith(QString::asprintf(" %.2f from %.2f", fitted.mean, culled.mean).toUtf8()),
            line.constData());
        QVERIFY2(fitted.mean < 0.9 * culled.mean && fitted.max <= culled.max,
                 qPrintable(QString("mean %1 -> %2, max %3 -> %4")
                                .arg(culled.mean)
                                .arg(fitted.mean)
                                .arg(culled.max)
                                .arg(fitted.max)));

        QMap<quint32, const CoverageFit::Candidate*> byInks;
        for (const auto& c : candidates)
            byInks.insert(packedKcmy(c.kcmy), &c);
        QSet<quint32> seen;
        quint32 previous = 0;
        int index = 0;
        for (const CHARTPATCH* p = head; p; p = KvNext(p), ++index) {
            const quint32 inks = chartPatchCMYK(*p);
            QVERIFY(!seen.contains(inks));
            seen << inks;
            if (index < 5) {
                QCOMPARE(inks, chartPatchCMYK(kept[index]));
                continue;
            }
            QVERIFY(index == 5 || inks > previous);
            previous = inks;
            QVERIFY(byInks.contains(inks));
            for (int i = 0; i < 3; ++i)
                QCOMPARE(p->labD50[i], byInks[inks]->lab[i]);
        }
        FreeList(&head);
    }

    // Nothing to move: every patch kept, no candidates, or a patch the
    // engine gave no Lab, which stays where it is.
    void fitLeavesWhatItCannotMove() {
        const std::vector<CoverageFit::Candidate> candidates = {
            {{50, 0, 0}, {0, 10, 0, 0}}, {{60, 10, 0}, {0, 20, 0, 0}}, {{70, 0, 10}, {0, 30, 0, 0}}};
        auto listOf = [](std::vector<CoverageFit::Candidate> v) {
            CHARTPATCH* head = nullptr;
            for (const auto& c : v) {
                auto* p = static_cast<CHARTPATCH*>(Kv_calloc(1, sizeof(CHARTPATCH)));
                std::copy(c.lab, c.lab + 3, p->labD50);
                std::copy(c.kcmy, c.kcmy + 4, p->cmyk);
                AddList(&head, p);
            }
            return head;
        };
        chartkit::StreamCapture out(1);
        CHARTPATCH* head = listOf({candidates[2], candidates[0]});
        CoverageFit::fit(&head, candidates, 2, stdout);
        CoverageFit::fit(&head, {}, 0, stdout);
        QCOMPARE(ListLength(head), 2);
        QCOMPARE(head->cmyk[INK_C], 30);
        FreeList(&head);
        QVERIFY(out.text().isEmpty());
        chartkit::StreamCapture rest(1);

        CoverageFit::Candidate lost{{NAN, 0, 0}, {0, 0, 90, 0}};
        head = listOf({lost, candidates[0]});
        QCOMPARE(int(CoverageFit::candidatesOf(head, 0).size()), 1);
        CoverageFit::fit(&head, candidates, 0, stdout);
        QCOMPARE(ListLength(head), 2);
        int unmoved = 0;
        for (const CHARTPATCH* p = head; p; p = KvNext(p))
            unmoved += p->cmyk[INK_M] == 90 && std::isnan(p->labD50[0]);
        QCOMPARE(unmoved, 1);
        FreeList(&head);
    }
};

TINTRY_CORE_TEST_MAIN(TestCoverageFit)
#include "test_coverage_fit.moc"
