#include "calc/NumberText.h"

#include <cfloat>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <locale.h>

namespace {

bool isSkipped(char c) { return c == ' ' || c == '\t' || c == '\n'; }

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Position of the next character that takes part in the number.
size_t nextSignificant(std::string_view text, size_t pos) {
    while (pos < text.size() && isSkipped(text[pos])) ++pos;
    return pos;
}

double clampToFinite(double value) {
    if (std::isnan(value)) return 0.0;
    if (std::isinf(value)) return value > 0 ? DBL_MAX : -DBL_MAX;
    return value;
}

// &H and &O integers, accumulated in double precision so that long digit
// runs cannot overflow an integer type.
double parseRadixInteger(std::string_view text, size_t pos, int radix, size_t& end) {
    double value = 0.0;
    for (pos = nextSignificant(text, pos); pos < text.size(); pos = nextSignificant(text, pos + 1)) {
        const char c = text[pos];
        int digit = -1;
        if (isDigit(c)) {
            digit = c - '0';
        } else if (radix == 16 && c >= 'a' && c <= 'f') {
            digit = c - 'a' + 10;
        } else if (radix == 16 && c >= 'A' && c <= 'F') {
            digit = c - 'A' + 10;
        }
        if (digit < 0 || digit >= radix) break;
        value = value * radix + digit;
        end = nextSignificant(text, pos + 1);
    }
    return clampToFinite(value);
}

locale_t cLocale() {
    static const locale_t locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return locale;
}

// Converts a clean decimal text ("-12.5e3") exactly, whatever the process locale.
double convertDecimal(const std::string& clean) {
    return clampToFinite(strtod_l(clean.c_str(), nullptr, cLocale()));
}

struct Digits {
    std::string digits;  // significant digits, no leading or trailing zeros
    int exponent = 0;    // decimal exponent of the first digit
    bool negative = false;
};

// The value rounded to 15 significant digits, as digits and an exponent.
Digits roundedDigits(double value) {
    Digits d;
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.14e", value);
    const char* p = buffer;
    if (*p == '-') {
        d.negative = true;
        ++p;
    }
    for (; *p && *p != 'e'; ++p) {
        if (isDigit(*p)) d.digits.push_back(*p);
    }
    if (*p == 'e') d.exponent = std::atoi(p + 1);
    while (d.digits.size() > 1 && d.digits.back() == '0') d.digits.pop_back();
    return d;
}

}  // namespace

// ParseNumber's reading; `end` tells where it stopped (0 when it read no number).
static double readNumber(std::string_view text, size_t& end) {
    end = 0;
    size_t pos = nextSignificant(text, 0);
    if (pos < text.size() && text[pos] == '&') {
        const size_t letter = nextSignificant(text, pos + 1);
        if (letter < text.size()) {
            const char c = text[letter];
            if (c == 'H' || c == 'h') return parseRadixInteger(text, letter + 1, 16, end);
            if (c == 'O' || c == 'o') return parseRadixInteger(text, letter + 1, 8, end);
        }
        return 0.0;
    }

    std::string clean;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        clean.push_back(text[pos]);
        pos = nextSignificant(text, pos + 1);
    }
    bool anyDigit = false;
    bool period = false;
    for (; pos < text.size(); pos = nextSignificant(text, pos + 1)) {
        const char c = text[pos];
        if (isDigit(c)) {
            anyDigit = true;
            clean.push_back(c);
        } else if (c == '.' && !period) {
            period = true;
            clean.push_back(c);
        } else {
            break;
        }
    }
    if (!anyDigit) return 0.0;

    // Exponent: E or D, an optional sign, digits. Without digits it is not
    // part of the number ("1E" reads as 1).
    if (pos < text.size() && (text[pos] == 'E' || text[pos] == 'e' || text[pos] == 'D' || text[pos] == 'd')) {
        std::string exponent = "e";
        size_t p = nextSignificant(text, pos + 1);
        if (p < text.size() && (text[p] == '+' || text[p] == '-')) {
            exponent.push_back(text[p]);
            p = nextSignificant(text, p + 1);
        }
        bool exponentDigits = false;
        std::string significant;
        for (; p < text.size() && isDigit(text[p]); p = nextSignificant(text, p + 1)) {
            exponentDigits = true;
            if (significant.empty() && text[p] == '0') continue;
            significant.push_back(text[p]);
        }
        // Beyond six digits an exponent only says "overflow" or "underflow".
        if (significant.size() > 6) significant = "999999";
        exponent += significant.empty() ? "0" : significant;
        if (exponentDigits) {
            clean += exponent;
            pos = p;
        }
    }
    end = pos;
    return convertDecimal(clean);
}

std::string NumberText(double value) {
    if (!std::isfinite(value)) return {};
    if (value == 0.0) return "0";

    const Digits d = roundedDigits(value);
    std::string text = d.negative ? "-" : "";
    const int count = static_cast<int>(d.digits.size());

    if (d.exponent >= 15 || d.exponent < -5) {
        text += d.digits[0];
        if (count > 1) {
            text += '.';
            text.append(d.digits, 1);
        }
        char exponent[16];
        std::snprintf(exponent, sizeof exponent, "E%c%02d", d.exponent < 0 ? '-' : '+',
                      std::abs(d.exponent));
        return text + exponent;
    }
    if (d.exponent < 0) {
        text += "0.";
        text.append(static_cast<size_t>(-d.exponent - 1), '0');
        return text + d.digits;
    }
    const int integerDigits = d.exponent + 1;
    if (count <= integerDigits) {
        text += d.digits;
        text.append(static_cast<size_t>(integerDigits - count), '0');
        return text;
    }
    text.append(d.digits, 0, static_cast<size_t>(integerDigits));
    text += '.';
    text.append(d.digits, static_cast<size_t>(integerDigits));
    return text;
}

std::string FormatNumber(double value, std::string_view pattern) {
    if (!std::isfinite(value)) return {};

    const size_t point = pattern.find('.');
    int minIntegerDigits = 0;
    int decimals = 0;
    for (size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] != '0') continue;
        if (point != std::string_view::npos && i > point) {
            ++decimals;
        } else {
            ++minIntegerDigits;
        }
    }

    // The exact decimal expansion of the double (a double has at most 1074
    // fractional digits), so that halves are recognised exactly.
    std::string exact(1500, '\0');
    const int length = std::snprintf(exact.data(), exact.size(), "%.1080f", std::fabs(value));
    exact.resize(static_cast<size_t>(length));
    const size_t dot = exact.find('.');
    std::string integerPart = exact.substr(0, dot);
    std::string fraction = exact.substr(dot + 1);

    std::string kept = integerPart + fraction.substr(0, static_cast<size_t>(decimals));
    const bool roundUp = fraction[static_cast<size_t>(decimals)] >= '5';
    if (roundUp) {
        int i = static_cast<int>(kept.size()) - 1;
        for (; i >= 0; --i) {
            if (kept[static_cast<size_t>(i)] == '9') {
                kept[static_cast<size_t>(i)] = '0';
            } else {
                ++kept[static_cast<size_t>(i)];
                break;
            }
        }
        if (i < 0) kept.insert(kept.begin(), '1');
    }

    const size_t integerCount = kept.size() - static_cast<size_t>(decimals);
    std::string integerDigits = kept.substr(0, integerCount);
    const std::string decimalDigits = kept.substr(integerCount);
    // Drop leading zeros beyond what the pattern asks for.
    size_t firstNonZero = integerDigits.find_first_not_of('0');
    if (firstNonZero == std::string::npos) firstNonZero = integerDigits.size();
    integerDigits.erase(0, firstNonZero);
    if (static_cast<int>(integerDigits.size()) < minIntegerDigits) {
        integerDigits.insert(0, static_cast<size_t>(minIntegerDigits) - integerDigits.size(), '0');
    }

    const bool allZero = kept.find_first_not_of('0') == std::string::npos;
    std::string text = (value < 0 && !allZero) ? "-" : "";
    text += integerDigits;
    if (decimals > 0) text += "." + decimalDigits;
    return text;
}

double ParseNumber(std::string_view text) {
    size_t end = 0;
    return readNumber(text, end);
}

NumberPrefix ParseNumberPrefix(std::string_view text) {
    NumberPrefix prefix;
    prefix.value = readNumber(text, prefix.length);
    return prefix;
}

bool IsWholeNumber(std::string_view text) {
    const size_t length = ParseNumberPrefix(text).length;
    return length > 0 && length == text.size();
}
