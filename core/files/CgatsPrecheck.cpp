#include "CgatsPrecheck.h"

#include <cctype>
#include <string_view>

namespace {

bool isWordChar(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}

bool sameWord(std::string_view word, std::string_view keyword) {
    if (word.size() != keyword.size())
        return false;
    for (std::size_t i = 0; i < word.size(); ++i)
        if (std::toupper(static_cast<unsigned char>(word[i])) != keyword[i])
            return false;
    return true;
}

} // namespace

// Words are the longest runs of letters, digits and underscores. The reader's
// own words may hold more characters than these, so every keyword it sees
// is seen here as well.
bool cgatsPrecheck(const void* data, std::size_t size) {
    if (data == nullptr)
        return false;
    const std::string_view text(static_cast<const char*>(data), size);
    bool formatBegun = false, dataBegun = false;
    int fields = 0, sets = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        if (!isWordChar(static_cast<unsigned char>(text[i]))) {
            ++i;
            continue;
        }
        const std::size_t start = i;
        while (i < text.size() && isWordChar(static_cast<unsigned char>(text[i])))
            ++i;
        const std::string_view word = text.substr(start, i - start);
        if (sameWord(word, "INCLUDE")) {
            return false;
        } else if (sameWord(word, "NUMBER_OF_FIELDS")) {
            if (++fields > 1 || formatBegun)
                return false;
        } else if (sameWord(word, "NUMBER_OF_SETS")) {
            if (++sets > 1 || dataBegun)
                return false;
        } else if (sameWord(word, "BEGIN_DATA_FORMAT")) {
            formatBegun = true;
        } else if (sameWord(word, "BEGIN_DATA")) {
            dataBegun = true;
        } else if (sameWord(word, "END_DATA")) {
            formatBegun = dataBegun = false;
            fields = sets = 0;
        }
    }
    return true;
}
