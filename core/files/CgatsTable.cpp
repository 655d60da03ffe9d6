#include "CgatsTable.h"

#include "CNumericLocale.h"
#include "CgatsPrecheck.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace {

std::string trimmed(const char* s) {
    const std::string t = s ? s : "";
    const auto begin = t.find_first_not_of(" \t\r\n");
    if (begin == std::string::npos)
        return {};
    return t.substr(begin, t.find_last_not_of(" \t\r\n") - begin + 1);
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// [+-] digits [. digits] [(e|E) [+-] digits], with at least one digit before
// the exponent. from_chars alone would take "nan", "inf" and hex floats.
bool plainForm(const std::string& t) {
    std::size_t i = 0;
    if (i < t.size() && (t[i] == '+' || t[i] == '-'))
        ++i;
    std::size_t digits = 0;
    while (i < t.size() && isDigit(t[i]))
        ++i, ++digits;
    if (i < t.size() && t[i] == '.') {
        ++i;
        while (i < t.size() && isDigit(t[i]))
            ++i, ++digits;
    }
    if (digits == 0)
        return false;
    if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
        ++i;
        if (i < t.size() && (t[i] == '+' || t[i] == '-'))
            ++i;
        std::size_t exponent = 0;
        while (i < t.size() && isDigit(t[i]))
            ++i, ++exponent;
        if (exponent == 0)
            return false;
    }
    return i == t.size();
}

// The first complaint of a load: later ones follow from it.
void keepComplaint(cmsContext context, cmsUInt32Number, const char* text) {
    auto* kept = static_cast<std::string*>(cmsGetContextUserData(context));
    if (kept == nullptr || !kept->empty() || text == nullptr)
        return;
    std::string t = text;
    const auto begin = t.find_first_not_of(" :\t\r\n");
    t = begin == std::string::npos ? std::string() : t.substr(begin);
    while (!t.empty() && (t.back() == '\n' || t.back() == ' ' || t.back() == '.'))
        t.pop_back();
    *kept = t.substr(0, 200);
}

} // namespace

bool CgatsTable::load(const void* data, std::size_t size, std::string& why) {
    it8.reset();
    context.reset();
    if (data == nullptr || size == 0) {
        why = "the file is empty";
        return false;
    }
    if (size > std::numeric_limits<cmsUInt32Number>::max() || !cgatsPrecheck(data, size)) {
        why = "not a CGATS table this program can read";
        return false;
    }
    // LittleCMS says where a file went wrong ("Line 12, Count mismatch ...");
    // keep its words for the user instead of dropping them.
    lcmsComplaint.clear();
    context.reset(cmsCreateContext(nullptr, &lcmsComplaint));
    if (context)
        cmsSetLogErrorHandlerTHR(context.get(), keepComplaint);
    if (!context) {
        why = "out of memory";
        return false;
    }
    // Without a byte order mark, which LittleCMS would refuse; a mark alone
    // is an empty file, which LittleCMS must not be given (it aborts).
    const std::string_view text = cgatsText(data, size);
    if (text.empty()) {
        why = "the file is empty";
        return false;
    }
    // LittleCMS turns the numbers it reads back into text with the C
    // library, which follows the user's decimal comma.
    CNumericLocale numbers;
    it8.reset(cmsIT8LoadFromMem(context.get(), text.data(), static_cast<cmsUInt32Number>(text.size())));
    if (!it8 || cmsIT8SetTable(it8.get(), 0) < 0) {
        it8.reset();
        why = "not a CGATS table, or a damaged one";
        if (!lcmsComplaint.empty())
            why += " (" + lcmsComplaint + ")";
        return false;
    }
    return true;
}

int CgatsTable::tables() const {
    return it8 ? int(cmsIT8TableCount(it8.get())) : 0;
}

bool CgatsTable::select(int table) {
    return it8 && table >= 0 && table < tables() && cmsIT8SetTable(it8.get(), cmsUInt32Number(table)) >= 0;
}

std::string CgatsTable::property(const char* name) const {
    const char* value = it8 ? cmsIT8GetProperty(it8.get(), name) : nullptr;
    return value ? value : "";
}

int CgatsTable::column(const char* field) const {
    return it8 ? cmsIT8FindDataFormat(it8.get(), field) : -1;
}

bool CgatsTable::hasColumns(const char* const* fields, int count) const {
    for (int i = 0; i < count; ++i)
        if (column(fields[i]) < 0)
            return false;
    return true;
}

int CgatsTable::declaredRows(int maximum) const {
    if (!it8)
        return 0;
    const double declared = cmsIT8GetPropertyDbl(it8.get(), "NUMBER_OF_SETS");
    return declared >= 1 && declared <= maximum ? static_cast<int>(declared) : 0;
}

bool CgatsTable::text(int row, int col, std::string& out) const {
    const char* value = it8 && col >= 0 ? cmsIT8GetDataRowCol(it8.get(), row, col) : nullptr;
    if (value == nullptr)
        return false;
    out = trimmed(value);
    return true;
}

std::string CgatsTable::where(int row, int col) const {
    std::string field = "field " + std::to_string(col + 1);
    char** names = nullptr;
    if (it8 && col >= 0 && col < cmsIT8EnumDataFormat(it8.get(), &names) && names && names[col])
        field = names[col];
    return "row " + std::to_string(row + 1) + ": " + field;
}

bool CgatsTable::plainNumber(const std::string& t, double& out) {
    if (!plainForm(t))
        return false;
    const char* begin = t.data() + (t[0] == '+' ? 1 : 0);
    const char* end = t.data() + t.size();
    const auto [stop, error] = std::from_chars(begin, end, out);
    return error == std::errc() && stop == end && std::isfinite(out);
}

bool CgatsTable::number(int row, int col, double& out, std::string& why) const {
    std::string t;
    if (!text(row, col, t)) {
        why = where(row, col) + " is missing";
        return false;
    }
    if (plainNumber(t, out))
        return true;
    if (t.empty())
        why = where(row, col) + " is empty";
    else if (t.find(',') != std::string::npos)
        why = where(row, col) + " has a decimal comma; only a decimal point is read";
    else
        why = where(row, col) + " is not a plain number";
    return false;
}
