// Shared by the chart tests: the two Ghostscript CMYK profiles, what a piece
// of code writes to a standard stream, and colour records made by hand.
#pragma once

#include "ChartCommand.h"
#include "ChartPatch.h"
#include "KvComboColour.h"

#include <QByteArray>
#include <QFile>
#include <QStringList>
#include <QTemporaryFile>

#include <cstdio>
#include <unistd.h>

#include <vector>

namespace chartkit {

// Reproducible ink bytes (K, C, M, Y) over the whole range, from `seed`.
inline QList<QByteArray> randomInks(int n, quint32 seed) {
    QList<QByteArray> out;
    quint32 state = seed;
    for (int i = 0; i < n; ++i) {
        QByteArray v(4, 0);
        for (int k = 0; k < 4; ++k) {
            state = state * 1103515245u + 12345u;
            v[k] = char(state >> 16);
        }
        out << v;
    }
    return out;
}

inline const char* const defaultCmyk = "/usr/share/color/icc/ghostscript/default_cmyk.icc";
inline const char* const psCmyk = "/usr/share/color/icc/ghostscript/ps_cmyk.icc";
inline const char* const srgb = "/usr/share/color/icc/ghostscript/srgb.icc";

// Everything written to standard output or standard error (fd 1 or 2) while
// the object lives, taken at the file-descriptor level so that C stdio and
// anything else are caught alike.
class StreamCapture {
public:
    explicit StreamCapture(int fd) : fd_(fd) {
        file_.open();
        std::fflush(nullptr);
        saved_ = ::dup(fd_);
        ::dup2(file_.handle(), fd_);
    }
    ~StreamCapture() { restore(); }
    QByteArray text() {
        restore();
        QFile f(file_.fileName());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

private:
    void restore() {
        if (saved_ < 0)
            return;
        std::fflush(nullptr);
        ::dup2(saved_, fd_);
        ::close(saved_);
        saved_ = -1;
    }
    int fd_;
    int saved_ = -1;
    QTemporaryFile file_;
};

// A whole file, or nothing when it cannot be read.
inline QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// tintry-chart run in this process: its exit status and what it wrote to
// standard output and standard error.
struct Run {
    int status;
    QByteArray out;
    QByteArray err;
};

inline Run runChart(QStringList args) {
    args.prepend("tintry-chart");
    QList<QByteArray> bytes;
    for (const QString& a : args)
        bytes << QFile::encodeName(a);
    std::vector<char*> argv;
    for (QByteArray& b : bytes)
        argv.push_back(b.data());
    argv.push_back(nullptr);
    StreamCapture out(1);
    StreamCapture err(2);
    const int status = ChartCommand::run(int(argv.size()) - 1, argv.data());
    return {status, out.text(), err.text()};
}

inline KVCOMBOCOLOUR* record(const char* name) {
    auto* r = static_cast<KVCOMBOCOLOUR*>(Kv_calloc(1, sizeof(KVCOMBOCOLOUR)));
    r->name = AllocateAndCopyString(name);
    return r;
}

inline KVCOMBOCOLOUR* labRecord(const char* name, double L, double a, double b) {
    KVCOMBOCOLOUR* r = record(name);
    r->flags = KVCOMBO_LAB_VALID;
    r->L = L;
    r->a = a;
    r->b = b;
    return r;
}

// A chart list of patches with the given K, C, M, Y bytes, in order.
inline CHARTPATCH* patchList(const QList<QByteArray>& kcmy) {
    CHARTPATCH* head = nullptr;
    for (const QByteArray& v : kcmy) {
        auto* p = static_cast<CHARTPATCH*>(Kv_calloc(1, sizeof(CHARTPATCH)));
        p->kind = CHARTPATCH_KIND;
        for (int i = 0; i < 4; ++i)
            p->cmyk[i] = static_cast<unsigned char>(v[i]);
        p->labD50[0] = 100.0 - v[0] * 100.0 / 255.0;
        AddList(&head, p);
    }
    return head;
}

} // namespace chartkit
