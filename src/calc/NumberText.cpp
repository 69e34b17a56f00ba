#include "calc/NumberText.h"

#include <algorithm>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <system_error>

// Every conversion between text and double goes through std::from_chars and
// std::to_chars: the C library's printf and strtod follow the process locale,
// which Qt sets from the environment, and a decimal comma there would reach
// the fields and the files.

namespace {

bool isSkipped(char c) { return c == ' ' || c == '\t' || c == '\n'; }

bool isDigit(char c) { return c >= '0' && c <= '9'; }

double clampToFinite(double value) {
    if (std::isnan(value)) return 0.0;
    if (std::isinf(value)) return value > 0 ? DBL_MAX : -DBL_MAX;
    return value;
}

// Walks a text for the number readers: with `skipBlanks` (a field's text)
// blanks, tabs and line feeds between the characters of the number are
// passed over; without (a whole-text number) every character counts.
class Cursor {
public:
    Cursor(std::string_view text, bool skipBlanks) : m_text(text), m_skipBlanks(skipBlanks) {
        skip();
    }
    bool atEnd() const { return m_pos >= m_text.size(); }
    char peek() const { return atEnd() ? '\0' : m_text[m_pos]; }
    void advance() {
        ++m_pos;
        skip();
    }
    size_t position() const { return m_pos; }
    void rewind(size_t pos) { m_pos = pos; }

private:
    void skip() {
        while (m_skipBlanks && m_pos < m_text.size() && isSkipped(m_text[m_pos])) ++m_pos;
    }
    std::string_view m_text;
    bool m_skipBlanks;
    size_t m_pos = 0;
};

struct Scanned {
    double value = 0.0;
    bool found = false;  // a number was read
};

// &H and &O integers after the letter, accumulated in double precision so
// that long digit runs cannot overflow an integer type.
Scanned scanRadixInteger(Cursor& in, int radix) {
    Scanned s;
    for (; !in.atEnd(); in.advance()) {
        const char c = in.peek();
        int digit = -1;
        if (isDigit(c)) {
            digit = c - '0';
        } else if (radix == 16 && c >= 'a' && c <= 'f') {
            digit = c - 'a' + 10;
        } else if (radix == 16 && c >= 'A' && c <= 'F') {
            digit = c - 'A' + 10;
        }
        if (digit < 0 || digit >= radix) break;
        s.value = s.value * radix + digit;
        s.found = true;
    }
    s.value = clampToFinite(s.value);
    return s;
}

// A decimal number from its digits as written (leading zeros included) and
// the position of its decimal point counted from the first digit, the
// exponent added.
double convertDecimal(bool negative, const std::string& digits, long long pointPosition) {
    const size_t first = digits.find_first_not_of('0');
    if (first == std::string::npos) return negative ? -0.0 : 0.0;
    const size_t last = digits.find_last_not_of('0');
    // The decimal exponent of the first significant digit.
    const long long magnitude = pointPosition - static_cast<long long>(first) - 1;
    if (magnitude > 400) return negative ? -DBL_MAX : DBL_MAX;
    if (magnitude < -400) return negative ? -0.0 : 0.0;

    std::string text = digits.substr(first, last - first + 1);
    const long long lastDigitExponent = magnitude - static_cast<long long>(text.size()) + 1;
    text += 'e';
    text += std::to_string(lastDigitExponent);
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value,
                                              std::chars_format::scientific);
    (void)end;
    if (error == std::errc::result_out_of_range) {
        value = magnitude > 0 ? DBL_MAX : 0.0;
    } else if (error != std::errc()) {
        value = 0.0;  // cannot happen for the digits built above
    }
    value = clampToFinite(value);
    return negative ? -value : value;
}

// The number at the cursor: a sign, digits with at most one period, and an
// exponent (E or D, a sign, digits), or an &H / &O integer. The cursor stops
// after the last character that belongs to the number.
Scanned scanNumber(Cursor& in) {
    if (in.peek() == '&') {
        in.advance();
        const char c = in.peek();
        if (c == 'H' || c == 'h' || c == 'O' || c == 'o') {
            in.advance();
            return scanRadixInteger(in, c == 'H' || c == 'h' ? 16 : 8);
        }
        return {};
    }

    bool negative = false;
    if (in.peek() == '+' || in.peek() == '-') {
        negative = in.peek() == '-';
        in.advance();
    }
    std::string digits;
    long long integerDigits = 0;
    bool period = false;
    for (; !in.atEnd(); in.advance()) {
        const char c = in.peek();
        if (isDigit(c)) {
            digits.push_back(c);
            if (!period) ++integerDigits;
        } else if (c == '.' && !period) {
            period = true;
        } else {
            break;
        }
    }
    if (digits.empty()) return {};

    // Exponent: E or D, an optional sign, digits. Without digits it is not
    // part of the number ("1E" reads as 1).
    long long exponent = 0;
    const char e = in.peek();
    if (e == 'E' || e == 'e' || e == 'D' || e == 'd') {
        const size_t beforeExponent = in.position();
        in.advance();
        bool exponentNegative = false;
        if (in.peek() == '+' || in.peek() == '-') {
            exponentNegative = in.peek() == '-';
            in.advance();
        }
        bool exponentDigits = false;
        for (; isDigit(in.peek()); in.advance()) {
            exponentDigits = true;
            // Beyond six digits an exponent only says "overflow" or "underflow".
            exponent = std::min(exponent * 10 + (in.peek() - '0'), 999999LL);
        }
        if (exponentDigits) {
            if (exponentNegative) exponent = -exponent;
        } else {
            exponent = 0;
            in.rewind(beforeExponent);
        }
    }
    return {convertDecimal(negative, digits, integerDigits + exponent), true};
}

struct Digits {
    std::string digits;  // significant digits, no trailing zeros
    int exponent = 0;    // decimal exponent of the first digit
    bool negative = false;
};

// The value rounded to 15 significant digits, as digits and an exponent.
Digits roundedDigits(double value) {
    Digits d;
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 14);
    const std::string_view text(buffer, static_cast<size_t>(result.ptr - buffer));
    size_t i = 0;
    if (i < text.size() && text[i] == '-') {
        d.negative = true;
        ++i;
    }
    for (; i < text.size() && text[i] != 'e'; ++i) {
        if (isDigit(text[i])) d.digits.push_back(text[i]);
    }
    if (i < text.size()) {
        ++i;  // 'e'
        const bool negativeExponent = i < text.size() && text[i] == '-';
        if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
        int exponent = 0;
        std::from_chars(text.data() + i, text.data() + text.size(), exponent);
        d.exponent = negativeExponent ? -exponent : exponent;
    }
    while (d.digits.size() > 1 && d.digits.back() == '0') d.digits.pop_back();
    return d;
}

}  // namespace

double ParseNumber(std::string_view text) {
    Cursor in(text, true);
    return scanNumber(in).value;
}

std::optional<double> ParseWholeNumber(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    Cursor in(text, false);
    const Scanned s = scanNumber(in);
    if (!s.found || !in.atEnd()) return std::nullopt;
    return s.value;
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
        text += 'E';
        text += d.exponent < 0 ? '-' : '+';
        const int magnitude = std::abs(d.exponent);
        if (magnitude < 10) text += '0';
        text += std::to_string(magnitude);
        return text;
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

    // The exact decimal expansion of the double: a double has at most 1074
    // fractional digits and 309 integer digits, so that halves are
    // recognised exactly.
    constexpr int kExactDecimals = 1074;
    char exact[kExactDecimals + 330];
    const auto result = std::to_chars(exact, exact + sizeof exact, std::fabs(value),
                                      std::chars_format::fixed, kExactDecimals);
    const std::string_view expansion(exact, static_cast<size_t>(result.ptr - exact));
    const size_t dot = expansion.find('.');
    const std::string_view integerPart = expansion.substr(0, dot);
    std::string fraction(expansion.substr(dot + 1));
    // A pattern with more decimals than a double has: the rest are zeros.
    if (fraction.size() <= static_cast<size_t>(decimals)) {
        fraction.append(static_cast<size_t>(decimals) + 1 - fraction.size(), '0');
    }

    std::string kept(integerPart);
    kept.append(fraction, 0, static_cast<size_t>(decimals));
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
