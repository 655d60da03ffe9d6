// The first table of a CGATS text (IT8.7/4, ISO 12642, ArgyllCMS .ti1/.ti2/
// .ti3), read through LittleCMS's IT8 reader, with one rule for its values:
// a number is plain digits with an optional sign, decimal point and
// exponent, and nothing else. A decimal comma, nan, inf, a word or an empty
// value is not a number and is never read as 0. Every complaint names the
// row (counted from 1) and the field.
#pragma once

#include "LcmsHandles.h"

#include <cstddef>
#include <string>

class CgatsTable {
public:
    CgatsTable() = default;
    CgatsTable(const CgatsTable&) = delete;
    CgatsTable& operator=(const CgatsTable&) = delete;

    // False, with the reason in `why`, when the text is not a CGATS table
    // this reader may be given (see cgatsPrecheck) or LittleCMS refuses it.
    bool load(const void* data, std::size_t size, std::string& why);

    // How many tables the text holds, and which one the calls below read
    // (the first, after load()); false for a table that is not there.
    int tables() const;
    bool select(int table);
    // A keyword of the table's header, or empty.
    std::string property(const char* name) const;

    // The field's column, or -1.
    int column(const char* field) const;
    bool hasColumns(const char* const* fields, int count) const;
    // NUMBER_OF_SETS as the file declares it; 0 when absent or absurd.
    int declaredRows(int maximum) const;

    // The value's text without surrounding blanks; false when the row or the
    // field is missing.
    bool text(int row, int column, std::string& out) const;
    // A plain number; false with "row N: FIELD ..." in `why` otherwise.
    bool number(int row, int column, double& out, std::string& why) const;

    static bool plainNumber(const std::string& text, double& out);
    // "row 12: LAB_L" style, for the caller's own complaints about a value.
    std::string where(int row, int column) const;

private:
    std::string lcmsComplaint; // the context's user data: declared first, so it outlives the context
    lcms::ContextPtr context;
    lcms::IT8Ptr it8;
};
