// Builds a CGATS text (ISO 12642 files, ArgyllCMS .ti1) line by line and
// puts it in place whole. LittleCMS's own writer cannot be used for charts:
// it refuses tables of 32,767 rows or more, and it prints numbers through
// the C library, which follows the user's locale. Here numbers always carry
// a decimal point, and a table may have any number of rows.
#pragma once

#include <string>
#include <vector>

class CgatsWriter {
public:
    // `sheet` is the first line: "CGATS.17", or "CTI1" for ArgyllCMS.
    explicit CgatsWriter(const std::string& sheet);

    // KEYWORD "name" first: ArgyllCMS and LittleCMS want keywords outside
    // the standard set declared before use.
    void declareKeyword(const std::string& name);
    void property(const std::string& name, const std::string& value);
    void fields(const std::vector<std::string>& names);
    // Call fields() first; every row must have as many values as fields.
    void row(const std::vector<std::string>& values);
    // Ends the table so far and begins another of the same file, headed by
    // `sheet`; its keywords, fields and rows are set as for the first.
    void nextTable(const std::string& sheet);
    // The whole text, each table with NUMBER_OF_SETS from the rows given.
    std::string text() const;

    // A value as ISO 12642 readers take it: ten significant digits, which
    // LittleCMS reads back to the same ten digits.
    static std::string number(double v);
    static std::string fixed(double v, int decimals);
    // Fifteen significant digits: every digit a double carries that a
    // reader keeping them all gets back.
    static std::string precise(double v);
    // A name in double quotes. CGATS has no escapes: a double quote becomes
    // a single one and control characters become spaces.
    static std::string quoted(const char* name);

private:
    std::string table() const;

    std::string done; // the tables before this one
    std::string head;
    std::vector<std::string> names;
    std::vector<std::string> rows;
};
