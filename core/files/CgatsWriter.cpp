#include "CgatsWriter.h"

#include "Kvlib.h"
#include "SafeTarget.h"

#include <sys/stat.h>

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstring>

CgatsWriter::CgatsWriter(const std::string& sheet) : head(sheet + "\n") {}

void CgatsWriter::declareKeyword(const std::string& name) {
    head += "KEYWORD\t\"" + name + "\"\n";
}

void CgatsWriter::property(const std::string& name, const std::string& value) {
    head += name + "\t" + quoted(value.c_str()) + "\n";
}

void CgatsWriter::fields(const std::vector<std::string>& fieldNames) {
    names = fieldNames;
}

void CgatsWriter::row(const std::vector<std::string>& values) {
    std::string line;
    for (std::size_t i = 0; i < values.size(); ++i)
        line += (i ? "\t" : "") + values[i];
    rows.push_back(line);
}

std::string CgatsWriter::text() const {
    std::string out = head;
    out += "NUMBER_OF_FIELDS\t" + std::to_string(names.size()) + "\n";
    out += "BEGIN_DATA_FORMAT\n";
    for (std::size_t i = 0; i < names.size(); ++i)
        out += (i ? "\t" : "") + names[i];
    out += "\nEND_DATA_FORMAT\n";
    out += "NUMBER_OF_SETS\t" + std::to_string(rows.size()) + "\n";
    out += "BEGIN_DATA\n";
    for (const std::string& line : rows)
        out += line + "\n";
    out += "END_DATA\n";
    return out;
}

std::string CgatsWriter::number(double v) {
    if (!std::isfinite(v))
        v = 0.0; // the chart's own values are finite; a file must stay readable regardless
    char text[64];
    const auto result = std::to_chars(text, text + sizeof text, v, std::chars_format::general, 10);
    return std::string(text, result.ptr);
}

std::string CgatsWriter::fixed(double v, int decimals) {
    if (!std::isfinite(v))
        v = 0.0;
    char text[64];
    const auto result = std::to_chars(text, text + sizeof text, v, std::chars_format::fixed, decimals);
    return std::string(text, result.ptr);
}

std::string CgatsWriter::quoted(const char* name) {
    std::string s = name ? name : "";
    for (char& ch : s) {
        if (ch == '"')
            ch = '\'';
        else if (static_cast<unsigned char>(ch) < 0x20 || ch == 0x7f)
            ch = ' ';
    }
    return '"' + s + '"';
}

namespace {

// Why `path` is no place for an export, when SafeTarget turned it down.
std::string refusal(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return std::strerror(errno);
    if (S_ISDIR(st.st_mode))
        return std::strerror(EISDIR);
    if (!S_ISREG(st.st_mode))
        return "not a regular file";
    return std::strerror(EACCES);
}

} // namespace

int CgatsWriter::save(const std::string& path, const std::string& body, std::string& why) {
    const std::string target = SafeTarget::resolve(path.c_str());
    if (target.empty()) {
        why = path.empty() ? "no file name" : refusal(path);
        return -1;
    }
    errno = 0;
    KvFile* f = Kv_fopen(target.c_str(), "w");
    if (f == nullptr) {
        why = errno ? std::strerror(errno) : "the file cannot be created";
        return -1;
    }
    errno = 0;
    Kv_fwrite(body.data(), body.size(), 1, f);
    if (Kv_fclose(f) != 0) {
        why = errno ? std::strerror(errno) : "the file could not be written";
        return -1;
    }
    why.clear();
    return 0;
}
