// Shared by the tests of making a profile from measurements: Debian's FOGRA
// characterisation data, parts of it, and fake colprof programs that talk as
// the real one does, copy a known profile in place of making one, fail, die
// or hang.
#pragma once

#include "InstrumentTestKit.h"
#include "MeasuredSet.h"

#include <QByteArray>
#include <QFile>
#include <QString>

namespace profilekit {

inline const char* const fogra29 = "/usr/share/color/icc/FOGRA29L.ti3";
inline const char* const defaultCmyk = "/usr/share/color/icc/ghostscript/default_cmyk.icc";

// A whole file, or nothing when it cannot be read.
inline QByteArray fileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Every `step`-th patch of `set`, from the first.
inline MeasuredSet everyNth(const MeasuredSet& set, std::size_t step) {
    MeasuredSet part = set;
    part.patches.clear();
    for (std::size_t i = 0; i < set.size(); i += step)
        part.patches.push_back(set.patches[i]);
    return part;
}

// The shell lines that find colprof's -O argument and note the arguments in
// the file the environment variable FAKE_COLPROF_LOG names, when set.
inline QByteArray fakeStart() {
    return "#!/bin/sh\nout=''\nprev=''\nfor a in \"$@\"; do [ \"$prev\" = -O ] && out=\"$a\"; prev=\"$a\"; "
           "done\n"
           "[ -n \"$FAKE_COLPROF_LOG\" ] && echo \"$@\" >> \"$FAKE_COLPROF_LOG\"\n";
}

// colprof's verbose stages, with percentages as it prints them.
inline QByteArray fakeChatter() {
    return "echo 'No of test patches = 100'\necho 'Estimating white point'\n"
           "echo 'About to optimise input, matrix and output together'\nprintf '  0%%  40%% 100%%\\n'\n"
           "echo 'Create final clut from scattered data'\necho 'Creating B to A tables'\n"
           "printf ' 0%%\\r 50%%\\r100%%\\r'\necho\necho 'Done B to A tables'\n"
           "echo 'Creating gamut boundary table'\n";
}

// A colprof that "makes" `profile` (a copy of it) after talking as colprof does.
inline QByteArray copying(const QByteArray& profile) {
    return fakeStart() + fakeChatter() + "cp '" + profile + "' \"$out\"\n";
}

// One that fails as colprof does on a file it does not like.
inline QByteArray failing() {
    return fakeStart() +
           "echo 'Estimating white point'\n"
           "echo 'colprof: Error - Input file doesn'\"'\"'t contain keyword DEVICE_CLASS' >&2\nexit 1\n";
}

// One that is killed (by the system, say) half-way, having written half a profile.
inline QByteArray killed() {
    return fakeStart() + fakeChatter() + "head -c 300 '" + defaultCmyk + "' > \"$out\"\nkill -9 $$\n";
}

// One that starts a grandchild and never says another word.
inline QByteArray hanging() {
    return fakeStart() + "echo 'Estimating white point'\nsleep 1000\n";
}

// One that succeeds, but what it writes is no profile.
inline QByteArray writingJunk() {
    return fakeStart() + "echo 'not a profile' > \"$out\"\n";
}

} // namespace profilekit
