#pragma once

#include <clocale>
#include <cstdlib>
#include <cstring>
#include <string>

// The test runs in a decimal-comma locale (tests/CMakeLists.txt). Standard
// library only, so that the calculation tests can use it without Qt.

// True when CTest runs the program in the comma locale: then the locale
// must be in effect, or the run proves nothing.
inline bool commaLocaleRunRequested() { return std::getenv("CC_TEST_COMMA_LOCALE") != nullptr; }

// The decimal point of the C library's current LC_NUMERIC locale.
inline std::string currentDecimalPoint() {
    const std::lconv* conventions = std::localeconv();
    return conventions && conventions->decimal_point ? conventions->decimal_point : "";
}

inline bool decimalPointIsComma() { return currentDecimalPoint() == ","; }
