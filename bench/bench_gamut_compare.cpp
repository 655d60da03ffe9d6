// Comparing two gamuts as a script does it, beside ArgyllCMS: for each pair,
// `tintry-gamut A --compare B --json` as one whole process, against
// `iccgamut -ir` on each profile and `viewgam -i` on the two .gam files, three
// processes one after the other. Wall time is the median of five runs (for
// ArgyllCMS the three processes' times added up); peak memory is each
// process's whole resident peak, libraries included (for ArgyllCMS the
// largest of the three). The figures both print are shown side by side.
#include "ChildRun.h"

#include <QCoreApplication>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int runs = 5;

struct Figures {
    double a = 0, b = 0, overlap = 0, aInB = 0, bInA = 0;
};

struct Timing {
    double ms = 0;
    long peakKiB = 0;
    Figures figures;
    QString problem;
};

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

Timing ours(const std::string& program, const QString& a, const QString& b) {
    Timing t;
    std::vector<double> times;
    ChildRun last;
    for (int i = 0; i < runs; ++i) {
        last = ChildRun::of({program, a.toStdString(), "--compare", b.toStdString(), "--json"});
        times.push_back(last.ms);
        t.peakKiB = std::max(t.peakKiB, last.maxRssKiB);
    }
    if (!last.ok)
        t.problem = last.out.trimmed();
    const QJsonObject json = QJsonDocument::fromJson(last.out.toUtf8()).object();
    t.figures = {json["a"].toObject()["volume"].toDouble(), json["b"].toObject()["volume"].toDouble(),
                 json["overlap"].toDouble(), json["a_in_b"].toDouble(), json["b_in_a"].toDouble()};
    t.ms = median(times);
    return t;
}

// iccgamut writes its .gam beside the profile, viewgam its picture in the
// folder it runs in: both work on copies in a folder of their own.
Timing argyll(const std::string& iccgamut, const std::string& viewgam, const QString& a, const QString& b) {
    Timing t;
    QTemporaryDir dir;
    if (!QFile::copy(a, dir.filePath("a.icc")) || !QFile::copy(b, dir.filePath("b.icc"))) {
        t.problem = "cannot copy the profiles";
        return t;
    }
    std::vector<double> times;
    ChildRun view;
    for (int i = 0; i < runs; ++i) {
        double ms = 0;
        for (const char* p : {"a.icc", "b.icc"}) {
            const ChildRun g = ChildRun::of({iccgamut, "-ir", p}, dir.path());
            if (!g.ok)
                t.problem = "iccgamut: " + g.out.trimmed().section('\n', -1);
            ms += g.ms;
            t.peakKiB = std::max(t.peakKiB, g.maxRssKiB);
        }
        view = ChildRun::of({viewgam, "-i", "a.gam", "b.gam", "both"}, dir.path());
        if (!view.ok)
            t.problem = "viewgam: " + view.out.trimmed().section('\n', -1);
        times.push_back(ms + view.ms);
        t.peakKiB = std::max(t.peakKiB, view.maxRssKiB);
    }
    const auto number = [&view](const QString& pattern, int group) {
        return QRegularExpression(pattern).match(view.out).captured(group).toDouble();
    };
    const QString volumeOfA = R"('a.gam' volume = ([0-9.]+) cubic units, intersect = ([0-9.]+)%)";
    const QString volumeOfB = R"('b.gam' volume = ([0-9.]+) cubic units, intersect = ([0-9.]+)%)";
    t.figures = {number(volumeOfA, 1), number(volumeOfB, 1), number(R"(Intersecting volume = ([0-9.]+))", 1),
                 number(volumeOfA, 2), number(volumeOfB, 2)};
    t.ms = median(times);
    return t;
}

void print(const char* who, const Timing& t) {
    if (!t.problem.isEmpty()) {
        std::printf("  %-9s failed: %s\n", who, qPrintable(t.problem));
        return;
    }
    const Figures& f = t.figures;
    std::printf("  %-9s %7.0f ms  peak %5.1f MiB   A %8.0f  B %8.0f  overlap %8.0f  A in B %6.2f %%  B in A "
                "%6.2f %%\n",
                who, t.ms, double(t.peakKiB) / 1024, f.a, f.b, f.overlap, f.aInB, f.bInA);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const std::string program = argc > 1 ? argv[1] : TINTRY_GAMUT_BINARY;
    const std::string iccgamut = QStandardPaths::findExecutable("iccgamut").toStdString();
    const std::string viewgam = QStandardPaths::findExecutable("viewgam").toStdString();
    const QString icc = "/usr/share/color/icc/";
    const QString sRGB = icc + "sRGB.icc", adobe = icc + "compatibleWithAdobeRGB1998.icc",
                  cmyk = icc + "ghostscript/default_cmyk.icc";
    const std::vector<std::pair<QString, QString>> pairs = {{sRGB, adobe}, {sRGB, cmyk}, {adobe, cmyk}};
    for (const auto& [a, b] : pairs) {
        std::printf("A %s, B %s\n", qPrintable(a.section('/', -1)), qPrintable(b.section('/', -1)));
        print("tintry", ours(program, a, b));
        if (iccgamut.empty() || viewgam.empty())
            std::printf("  ArgyllCMS (iccgamut, viewgam) not installed\n");
        else
            print("ArgyllCMS", argyll(iccgamut, viewgam, a, b));
    }
    return 0;
}
