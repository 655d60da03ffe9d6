#include "CgatsPrecheck.h"

#include <cctype>

namespace {

// Separators end a word as they end the reader's own identifiers; '#' and '"'
// start a comment or a string and so end a word too.
bool isWordChar(unsigned char c) {
    return c > 32 && c < 127 && c != '#' && c != '"';
}

bool sameWord(std::string_view word, std::string_view keyword) {
    if (word.size() != keyword.size())
        return false;
    for (std::size_t i = 0; i < word.size(); ++i)
        if (std::toupper(static_cast<unsigned char>(word[i])) != keyword[i])
            return false;
    return true;
}

bool isIncludeDirective(std::string_view word, bool opensLine) {
    if (sameWord(word, "$INCLUDE") || sameWord(word, ".INCLUDE"))
        return true;
    return opensLine && sameWord(word, "INCLUDE");
}

struct TableState {
    bool formatBegun = false;
    bool dataBegun = false;
    int fields = 0;
    int sets = 0;

    // False when the keyword would make the reader misread its tables.
    bool take(std::string_view word) {
        if (sameWord(word, "NUMBER_OF_FIELDS"))
            return ++fields <= 1 && !formatBegun;
        if (sameWord(word, "NUMBER_OF_SETS"))
            return ++sets <= 1 && !dataBegun;
        if (sameWord(word, "BEGIN_DATA_FORMAT"))
            formatBegun = true;
        else if (sameWord(word, "BEGIN_DATA"))
            dataBegun = true;
        else if (sameWord(word, "END_DATA"))
            *this = TableState();
        return true;
    }
};

// Where a comment or a string that starts at i ends. A string ends at its
// closing quote or at the line's end, whichever comes first, so that a stray
// quote cannot hide a directive on a later line.
std::size_t endOf(std::string_view text, std::size_t i, std::string_view ends) {
    const std::size_t at = text.find_first_of(ends, i);
    return at == std::string_view::npos ? text.size() : at;
}

} // namespace

std::string_view cgatsText(const void* data, std::size_t size) {
    if (data == nullptr)
        return {};
    std::string_view text(static_cast<const char*>(data), size);
    if (text.substr(0, 3) == "\xEF\xBB\xBF")
        text.remove_prefix(3);
    return text;
}

bool cgatsPrecheck(const void* data, std::size_t size) {
    if (data == nullptr)
        return false;
    const std::string_view text = cgatsText(data, size);
    TableState table;
    bool opensLine = true;
    std::size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (c == '\n') {
            opensLine = true;
            ++i;
        } else if (c == '#') {
            i = endOf(text, i, "\n");
        } else if (c == '"') {
            i = endOf(text, i + 1, "\"\n");
            if (i < text.size() && text[i] == '"')
                ++i;
            opensLine = false;
        } else if (!isWordChar(static_cast<unsigned char>(c))) {
            ++i;
        } else {
            const std::size_t start = i;
            while (i < text.size() && isWordChar(static_cast<unsigned char>(text[i])))
                ++i;
            const std::string_view word = text.substr(start, i - start);
            if (isIncludeDirective(word, opensLine) || !table.take(word))
                return false;
            opensLine = false;
        }
    }
    return true;
}
