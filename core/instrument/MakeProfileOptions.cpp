#include "MakeProfileOptions.h"

#include "MeasuredSet.h"

namespace {

const char* const qualityNames[] = {"low", "medium", "high", "ultra"};
const char* const qualityLetters[] = {"l", "m", "h", "u"};
const char* const blackNames[] = {"ramp", "zero", "half", "max"};
const char* const blackLetters[] = {"r", "z", "h", "x"};
const char* const unseenNames[] = {"auto", "always", "never"};

template <class E, std::size_t N>
bool fromName(const std::string& text, const char* const (&names)[N], E* out) {
    for (std::size_t i = 0; i < N; ++i)
        if (text == names[i]) {
            *out = E(i);
            return true;
        }
    return false;
}

} // namespace

bool MakeProfileOptions::checksUnseen(std::size_t patches) const {
    return unseen == Always || (unseen == Automatic && patches >= unseenFrom);
}

int MakeProfileOptions::inkLimitFor(const MeasuredSet& set) const {
    if (inkLimit >= minInkLimit && inkLimit <= maxInkLimit)
        return inkLimit;
    return set.inkLimit;
}

std::string MakeProfileOptions::descriptionFor(const MeasuredSet& set, std::time_t now) const {
    if (!description.empty())
        return description;
    std::tm tm{};
    ::localtime_r(&now, &tm);
    char date[16];
    std::strftime(date, sizeof date, "%Y-%m-%d", &tm);
    return (set.source.empty() ? std::string("Measured chart") : set.source) + ", " + date;
}

QStringList MakeProfileOptions::colprofArguments(const MeasuredSet& set, std::time_t now,
                                                 bool onlyForTheCheck) const {
    QStringList args{"-v", QStringLiteral("-q") + qualityLetters[quality],
                     QStringLiteral("-k") + blackLetters[black]};
    if (const int limit = inkLimitFor(set); limit > 0)
        args << "-l" << QString::number(limit);
    if (onlyForTheCheck)
        args << "-bn";
    args << "-D" << QString::fromStdString(descriptionFor(set, now));
    return args;
}

const char* MakeProfileOptions::name(Quality q) {
    return qualityNames[q];
}
const char* MakeProfileOptions::name(Black b) {
    return blackNames[b];
}
const char* MakeProfileOptions::name(Unseen u) {
    return unseenNames[u];
}
bool MakeProfileOptions::parse(const std::string& text, Quality* q) {
    return fromName(text, qualityNames, q);
}
bool MakeProfileOptions::parse(const std::string& text, Black* b) {
    return fromName(text, blackNames, b);
}
bool MakeProfileOptions::parse(const std::string& text, Unseen* u) {
    return fromName(text, unseenNames, u);
}
