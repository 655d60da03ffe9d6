#include "ProfileAccuracy.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>

namespace {

// Four decimals: far below anything an instrument can tell apart.
double rounded(double v) {
    return std::round(v * 1e4) / 1e4;
}

QJsonObject figures(const ChartVerdict& v, bool withCount) {
    QJsonObject o;
    if (withCount)
        o["patches"] = qint64(v.measured);
    o["mean"] = rounded(v.mean);
    o["p95"] = rounded(v.p95);
    o["max"] = rounded(v.maximum);
    return o;
}

QString number(double v) {
    return QString::number(v, 'f', 2);
}

} // namespace

QString ProfileAccuracy::advice() const {
    if (!unseenChecked)
        return tr("Only the fit was checked, and a fit flatters: the profile was made from these very "
                  "patches. Expect larger errors for the colours between them. The check on unseen patches "
                  "(done for charts of 300 patches or more) gives a figure to believe.");
    if (unseen.mean >= fit.mean)
        return tr("Believe the unseen patches: mean %1, 95th percentile %2. The fit only says how well the "
                  "profile reproduces the patches it was made from; the unseen patches were left out of a "
                  "second profile made the same way, so its error on them is what to expect for colours "
                  "between the patches. The profile written is made from every patch, so it is, if "
                  "anything, a little better than that.")
            .arg(number(unseen.mean), number(unseen.p95));
    return tr("The unseen patches came out better than the fit, which is chance: a tenth of the chart is a "
              "small sample. Believe the larger figures, the fit's mean %1 and 95th percentile %2, and "
              "measure a larger chart for a surer answer.")
        .arg(number(fit.mean), number(fit.p95));
}

namespace {

QString section(const QString& heading, const ChartVerdict& v, std::size_t worstShown) {
    QString text = heading + '\n';
    text += ProfileAccuracy::tr("DeltaE 2000: mean %1, median %2, 95th percentile %3, maximum %4")
                .arg(number(v.mean), number(v.median), number(v.p95), number(v.maximum)) +
            '\n';
    if (!v.worst.empty() && worstShown > 0) {
        text += ProfileAccuracy::tr("Worst patches:");
        for (std::size_t i = 0; i < v.worst.size() && i < worstShown; ++i)
            text += QLatin1String("  ") + QString::fromStdString(v.worst[i].name) + ' ' +
                    number(v.worst[i].deltaE);
        text += '\n';
    }
    return text;
}

} // namespace

QString ProfileAccuracy::report(std::size_t worstShown) const {
    QString text = section(tr("Fit: the %1 patches the profile was made from, through it").arg(fit.measured),
                           fit, worstShown);
    if (unseenChecked)
        text += '\n' + section(tr("Unseen: %1 patches left out of a second profile made from the other %2, "
                                  "through that profile")
                                   .arg(unseen.measured)
                                   .arg(patches - unseen.measured),
                               unseen, worstShown);
    return text + '\n' + advice() + '\n';
}

std::string ProfileAccuracy::json() const {
    QJsonObject o;
    o["profile"] = QString::fromStdString(profile);
    o["patches"] = qint64(patches);
    o["fit"] = figures(fit, false);
    o["unseen"] = unseenChecked ? QJsonValue(figures(unseen, true)) : QJsonValue(QJsonValue::Null);
    o["installed"] =
        installed.empty() ? QJsonValue(QJsonValue::Null) : QJsonValue(QString::fromStdString(installed));
    return QJsonDocument(o).toJson(QJsonDocument::Indented).toStdString();
}
