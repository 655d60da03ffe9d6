// Where the fuzz targets put their bytes when the reader takes a path: one
// scratch directory per process, removed at exit.
#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

inline QTemporaryDir& fuzzScratch() {
    static QTemporaryDir dir;
    return dir;
}

// Writes the bytes to `name` in the scratch directory; returns its path.
inline QString fuzzFile(const QString& name, const uint8_t* data, size_t size) {
    const QString path = fuzzScratch().filePath(name);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(reinterpret_cast<const char*>(data), qint64(size));
    return path;
}
