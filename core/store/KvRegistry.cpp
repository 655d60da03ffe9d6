#include "KvRegistry.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QSettings>
#include <QStandardPaths>

#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>

namespace {

// Section and key names go into INI group and key names; QSettings escapes
// what INI cannot hold, so any byte string round-trips.
QString qs(const std::string& s) {
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

} // namespace

std::string KvRegistry::getregname(const std::string& directory, const std::string& application) {
    // One store per installation, as a registry key per install path would be.
    // The directory is normalised so that "/opt/tintry/" and "/opt/tintry" agree.
    QString dir = QDir::cleanPath(qs(directory));
    QByteArray hash = QCryptographicHash::hash(dir.toUtf8(), QCryptographicHash::Sha1).toHex().left(12);
    std::string app = application.empty() ? std::string("kvapp") : application;
    for (char& c : app) {
        if (!(std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_'))
            c = '_';
    }
    return app + "-" + hash.toStdString();
}

std::string KvRegistry::pathForName(const std::string& name) {
    QString base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return (base + "/tintry/" + qs(name) + ".ini").toStdString();
}

bool KvRegistry::open(const std::string& name) {
    values.clear();
    const QString path = qs(pathForName(name));
    QFileInfo info(path);
    if (!info.exists() || !info.isFile() || !info.isReadable())
        return false;
    QSettings settings(path, QSettings::IniFormat);
    if (settings.status() != QSettings::NoError)
        return false;
    for (const QString& group : settings.childGroups()) {
        settings.beginGroup(group);
        for (const QString& key : settings.childKeys()) {
            // A hand-edited value with commas reads back as a list; keep its text.
            const QVariant v = settings.value(key);
            const QString text =
                v.typeId() == QMetaType::QStringList ? v.toStringList().join(", ") : v.toString();
            values[group.toStdString()][key.toStdString()] = text.toStdString();
        }
        settings.endGroup();
    }
    return true;
}

bool KvRegistry::save(const std::string& name) {
    const QString path = qs(pathForName(name));
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    // QSettings writes through its own save file, so the store on disk is
    // either the old one or the new one, never half of each. We start from an
    // empty file of our own so that nothing stale survives.
    const QString temp = path + ".new";
    QFile::remove(temp);
    {
        QSettings settings(temp, QSettings::IniFormat);
        for (const auto& [section, keys] : values) {
            settings.beginGroup(qs(section));
            for (const auto& [key, value] : keys)
                settings.setValue(qs(key), qs(value));
            settings.endGroup();
        }
        settings.sync();
        if (settings.status() != QSettings::NoError) {
            QFile::remove(temp);
            return false;
        }
    }
    if (values.empty()) {
        // QSettings writes no file for an empty store; an empty store is an empty file.
        QSaveFile f(temp);
        if (!f.open(QIODevice::WriteOnly) || !f.commit())
            return false;
    }
    if (std::rename(QFile::encodeName(temp).constData(), QFile::encodeName(path).constData()) != 0) {
        QFile::remove(temp);
        return false;
    }
    return true;
}

const std::string& KvRegistry::getstring(const std::string& section, const std::string& key) {
    auto s = values.find(section);
    if (s == values.end())
        return empty;
    auto k = s->second.find(key);
    return k == s->second.end() ? empty : k->second;
}

long KvRegistry::getlong(const std::string& section, const std::string& key) {
    const std::string& text = getstring(section, key);
    if (text.empty())
        return 0;
    errno = 0;
    char* end = nullptr;
    long v = std::strtol(text.c_str(), &end, 10);
    // Anything that is not a whole number reads as "no value".
    if (errno != 0 || end == text.c_str() || *end != '\0')
        return 0;
    return v;
}

void KvRegistry::putstring(const std::string& section, const std::string& key, const std::string& value) {
    values[section][key] = value;
}

void KvRegistry::putlong(const std::string& section, const std::string& key, long value) {
    values[section][key] = std::to_string(value);
}

std::string KvRegistry::reg_fixup_null_cstr(const char* s) {
    return s ? std::string(s) : std::string();
}

const std::string& KvRegistry::getstring(const char* section, const char* key) {
    return getstring(reg_fixup_null_cstr(section), reg_fixup_null_cstr(key));
}
long KvRegistry::getlong(const char* section, const char* key) {
    return getlong(reg_fixup_null_cstr(section), reg_fixup_null_cstr(key));
}
void KvRegistry::putstring(const char* section, const char* key, const char* value) {
    putstring(reg_fixup_null_cstr(section), reg_fixup_null_cstr(key), reg_fixup_null_cstr(value));
}
void KvRegistry::putlong(const char* section, const char* key, long value) {
    putlong(reg_fixup_null_cstr(section), reg_fixup_null_cstr(key), value);
}
