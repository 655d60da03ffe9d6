// Holds the "C" numeric locale on this thread for as long as it lives.
// LittleCMS formats and parses numbers with the C library, which follows
// LC_NUMERIC, and Qt sets that from the environment at start-up: under de_DE
// a Lab value would be written as 55,25 and read back as 55.
#pragma once

#include <clocale>
#include <locale.h>

class CNumericLocale {
public:
    CNumericLocale() : c(::newlocale(LC_NUMERIC_MASK, "C", static_cast<locale_t>(0))) {
        if (c)
            previous = ::uselocale(c);
    }
    ~CNumericLocale() {
        if (c) {
            ::uselocale(previous);
            ::freelocale(c);
        }
    }
    CNumericLocale(const CNumericLocale&) = delete;
    CNumericLocale& operator=(const CNumericLocale&) = delete;

private:
    locale_t c;
    locale_t previous = static_cast<locale_t>(0);
};
