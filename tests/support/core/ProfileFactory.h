// Small synthetic ICC profiles for tests, written with LittleCMS into a
// directory the test owns: one of each profile class and colour space the
// program meets, and files that only pretend to be profiles. Each accessor
// writes its file on first call and returns the same path afterwards.
//
//     QTemporaryDir dir;
//     ProfileFactory f(dir.path());
//     KvCmsIcc t;
//     t.create(f.rgbMonitor().toLocal8Bit(), f.cmykPrinter().toLocal8Bit());
#pragma once

#include <QByteArray>
#include <QString>

class ProfileFactory {
public:
    explicit ProfileFactory(const QString& directory);

    // Readable profiles. The RGB ones have sRGB primaries (version 4); the
    // CMYK printer is a LUT profile (version 2, Lab connection space) from a
    // simple ink model whose paper is darker and yellower than D50, so that
    // absolute and relative colorimetry differ.
    QString rgbMonitor();  // 'mntr', RGB
    QString rgbScanner();  // 'scnr', RGB
    QString rgbPrinter();  // 'prtr', RGB
    QString cmykPrinter(); // 'prtr', CMYK
    QString grayMonitor(); // 'mntr', GRAY
    QString labAbstract(); // 'abst', Lab to Lab
    QString link();        // 'link', CMYK to CMYK ink limiting

    // An RGB printer whose gamut is a box in Lab, known exactly: green runs
    // L* from lo to hi, red a* and blue b*, each in a straight line, so RGB
    // 0 is (lo.L, lo.a, lo.b) and RGB 1 is (hi.L, hi.a, hi.b). Named by
    // `name`, written once per name.
    struct LabCorner {
        double L, a, b;
    };
    QString labBox(const char* name, LabCorner lo, LabCorner hi);

    // Not readable as profiles.
    QString truncated(); // the CMYK printer cut to half its length
    QString badMagic();  // a monitor profile whose 'acsp' signature is damaged
    QString empty();     // zero bytes
    QString text();      // a few hundred bytes of prose
    QString directory(); // a directory named like a profile
    QString missing();   // a path where no file exists

    // The bytes of any of the files above, for tests that damage them further.
    static QByteArray contents(const QString& path);

private:
    QString path(const char* name) const;
    QString writeBytes(const char* name, const QByteArray& bytes);

    QString dir_;
};
