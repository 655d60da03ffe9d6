#include "KvTranslator.h"

#include "RegularFile.h"

#include <QFile>
#include <QFileInfo>
#include <QtEndian>

#include <cstring>
#include <string>

namespace {

// The layout of a .qm file: a magic number, then blocks of tag, length and
// bytes. Messages are records of tags, most followed by a length.
const uchar magic[16] = {0x3c, 0xb8, 0x64, 0x18, 0xca, 0xef, 0x9c, 0x95,
                         0xcd, 0x21, 0x1c, 0xbf, 0x60, 0xa1, 0xbd, 0xdd};
enum Block : uchar { Contexts = 0x2f, Hashes = 0x42, Messages = 0x69, Dependencies = 0x96 };
enum Tag : uchar {
    TagEnd = 1,
    TagTranslation = 3,
    TagObsolete1 = 5,
    TagSourceText = 6,
    TagContext = 7,
    TagComment = 8,
};

quint32 be32(const uchar* p) {
    return qFromBigEndian<quint32>(p);
}
quint16 be16(const uchar* p) {
    return qFromBigEndian<quint16>(p);
}

struct Span {
    const uchar* data = nullptr;
    quint32 size = 0;
};

// One message record from `m`, as a lookup reads it: every length it reads
// and every byte it compares lie inside the messages block.
bool recordFits(const uchar* m, const uchar* end) {
    while (m < end) {
        switch (*m++) {
        case TagEnd:
            return true;
        case TagObsolete1:
            if (end - m < 4)
                return false;
            m += 4;
            break;
        case TagTranslation:
        case TagSourceText:
        case TagContext:
        case TagComment: {
            if (end - m < 4)
                return false;
            const quint32 length = be32(m);
            m += 4;
            if (length > quint32(end - m) || (length == 0 && m == end))
                return false; // a comment's first byte is read even when it is empty
            m += length;
            break;
        }
        default:
            return true; // the lookup stops at a tag it does not know, reading no further
        }
    }
    return true; // the lookup stops at the end of the block
}

// The context hash table: its size, every bucket's offset, and the names
// each bucket lists.
bool contextsFit(Span c) {
    if (c.size == 0)
        return true;
    if (c.size < 2)
        return false;
    const quint32 buckets = be16(c.data);
    const quint64 names = 2 + 2 * quint64(buckets);
    if (buckets == 0 || names > c.size)
        return false;
    for (quint32 b = 0; b < buckets; ++b) {
        const quint16 offset = be16(c.data + 2 + 2 * b);
        if (offset == 0)
            continue;
        quint64 at = names + 2 * quint64(offset);
        for (;;) {
            if (at >= c.size)
                return false;
            const uchar length = c.data[at];
            if (length == 0)
                break;
            at += 1 + quint64(length);
            if (at > c.size)
                return false;
        }
    }
    return true;
}

} // namespace

KvTranslator::KvTranslator(QObject* parent) : QTranslator(parent) {}

bool KvTranslator::isSound(const QByteArray& file) {
    if (file.size() < qsizetype(sizeof magic) || file.size() > maximumFileSize ||
        std::memcmp(file.constData(), magic, sizeof magic) != 0)
        return false;
    const auto* data = reinterpret_cast<const uchar*>(file.constData()) + sizeof magic;
    const auto* end = reinterpret_cast<const uchar*>(file.constData()) + file.size();
    Span contexts, hashes, messages;
    // The blocks as the loader finds them: a later block of a kind replaces
    // an earlier one, a zero tag or length ends the list.
    while (end - data > 5) {
        const uchar tag = *data++;
        const quint32 length = be32(data);
        data += 4;
        if (tag == 0 || length == 0)
            break;
        if (quint32(end - data) < length)
            return false;
        const Span block{data, length};
        if (tag == Contexts)
            contexts = block;
        else if (tag == Hashes)
            hashes = block;
        else if (tag == Messages)
            messages = block;
        else if (tag == Dependencies)
            return false; // would load further files by name; ours never have any
        // Numerus rules Qt checks itself; the language name is only text.
        data += length;
    }
    if (!contextsFit(contexts))
        return false;
    // Hash entries are (hash, offset) pairs; each offset starts a record.
    if (hashes.size % 8 != 0)
        return false;
    const uchar* messagesEnd = messages.data + messages.size;
    for (quint32 i = 0; i < hashes.size; i += 8) {
        const quint32 offset = be32(hashes.data + i + 4);
        if (offset >= messages.size || !recordFits(messages.data + offset, messagesEnd))
            return false;
    }
    return true;
}

bool KvTranslator::loadChecked(const QString& path) {
    std::string bytesRead;
    if (RegularFile::readAll(QFile::encodeName(path).constData(), std::size_t(maximumFileSize), bytesRead) !=
        RegularFile::Read)
        return false;
    QByteArray read = QByteArray::fromStdString(bytesRead);
    if (!isSound(read))
        return false;
    bytes = std::move(read);
    if (load(reinterpret_cast<const uchar*>(bytes.constData()), int(bytes.size()),
             QFileInfo(path).absolutePath()))
        return true;
    bytes.clear();
    return false;
}
