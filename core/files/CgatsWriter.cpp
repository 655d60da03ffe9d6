#include "CgatsWriter.h"

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

void CgatsWriter::nextTable(const std::string& sheet) {
    done += table();
    head = sheet + "\n";
    names.clear();
    rows.clear();
}

std::string CgatsWriter::text() const {
    return done + table();
}

std::string CgatsWriter::table() const {
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

std::string CgatsWriter::precise(double v) {
    if (!std::isfinite(v))
        v = 0.0;
    char text[64];
    const auto result = std::to_chars(text, text + sizeof text, v, std::chars_format::general, 15);
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
