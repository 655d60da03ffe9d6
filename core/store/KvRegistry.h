// Settings store: string and long values by section and key, loaded from and
// written to one INI file per store name in the user's configuration
// directory. A missing, unreadable or corrupt file reads as an empty store;
// a key never stored reads as "" or 0.
#pragma once

#include <map>
#include <string>

class KvRegistry {
public:
    KvRegistry() = default;

    // The store name for an installation directory and an application name.
    // Deterministic: the same inputs always give the same name.
    static std::string getregname(const std::string& directory, const std::string& application);
    // Where the store of that name lives on disk.
    static std::string pathForName(const std::string& name);

    bool open(const std::string& name);
    bool save(const std::string& name);

    const std::string& getstring(const std::string& section, const std::string& key);
    long getlong(const std::string& section, const std::string& key);
    void putstring(const std::string& section, const std::string& key, const std::string& value);
    void putlong(const std::string& section, const std::string& key, long value);

    const std::string& getstring(const char* section, const char* key);
    long getlong(const char* section, const char* key);
    void putstring(const char* section, const char* key, const char* value);
    void putlong(const char* section, const char* key, long value);

private:
    static std::string reg_fixup_null_cstr(const char* s);

    // section -> key -> value; longs are kept as their decimal text
    std::map<std::string, std::map<std::string, std::string>> values;
    std::string empty;
};
