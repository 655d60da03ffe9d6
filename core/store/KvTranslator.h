// A translator that checks a translation file before it trusts it. Qt's own
// loader takes the lengths and offsets inside a .qm file on faith when it
// looks a text up, so a damaged or hostile file in the language folder could
// crash the program on its first translated text. This one reads the file
// into memory, walks every block, hash entry and message record the lookup
// will touch, and only then hands the bytes, which it keeps, to QTranslator.
#pragma once

#include <QByteArray>
#include <QTranslator>

class KvTranslator : public QTranslator {
    Q_OBJECT
public:
    static constexpr qsizetype maximumFileSize = 16 << 20;

    explicit KvTranslator(QObject* parent = nullptr);

    // False, with nothing loaded, for a missing, unreadable, oversized or
    // damaged file, and for one that names other translation files to load.
    bool loadChecked(const QString& path);

    // The check alone, on the bytes of a .qm file.
    static bool isSound(const QByteArray& bytes);

private:
    QByteArray bytes; // what QTranslator reads from; it does not copy it
};
