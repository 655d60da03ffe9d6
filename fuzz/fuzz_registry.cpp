// A settings store file of any bytes: opened, read, written back, reopened.
#include "FuzzFiles.h"
#include "KvRegistry.h"

#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    qputenv("XDG_CONFIG_HOME", fuzzScratch().path().toUtf8());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string name = "fuzzed";
    const QString path = QString::fromStdString(KvRegistry::pathForName(name));
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return 0;
    f.write(reinterpret_cast<const char*>(data), qint64(size));
    f.close();

    KvRegistry r;
    r.open(name);
    for (const char* key :
         {"inICC", "outICC", "monitorICC", "lastdir_icc", "intent", "accuracy", "instrument"}) {
        (void)r.getstring("tintry", key);
        (void)r.getlong("tintry", key);
    }
    (void)r.getlong("kvmainwindow", "width");
    (void)r.getstring("kvmainwindow", "lang");
    r.putlong("tintry", "intent", 1);
    r.save("fuzzed-copy");
    KvRegistry again;
    again.open("fuzzed-copy");
    (void)again.getlong("tintry", "intent");
    return 0;
}
