#pragma once

#include <optional>
#include <string>
#include <string_view>

// How numbers travel between the fields of the windows and the arithmetic.
// Independent of the locale: "." is always the decimal point.

// Reads the longest leading number of a field's text. Blanks, tabs and line
// feeds are skipped wherever they stand. Accepts a sign, digits with one
// period, an exponent with E or D, and &H / &O integers. A comma ends the
// number; text without a leading number reads as 0. Always finite: a value
// beyond the range of a double reads as the largest double of its sign.
double ParseNumber(std::string_view text);

// Reads a text that is one number as a whole, as a calculation file's lines
// hold them: blanks and tabs may stand around it, nothing else, and none
// inside it. The number itself follows ParseNumber's rules (an exponent
// needs its digits, &H / &O need one digit at least) and reads as
// ParseNumber reads it, a value beyond the range of a double included.
// None for any other text. Every text of NumberText reads back this way.
std::optional<double> ParseWholeNumber(std::string_view text);

// The shortest decimal text of a number rounded to 15 significant digits:
// "1275", "0.6", "-117.73", "3.5469". Very large or small magnitudes are
// written as "1E+200", "1.5E-30". Text from NumberText reads back through
// ParseNumber to a number that NumberText writes as the same text.
// A number that is not finite gives the empty text.
std::string NumberText(double value);

// Writes a number by a digit pattern such as "0.00": each 0 is a digit that
// is always written, the period places the decimal point, the number is
// rounded to the pattern's decimals (halves away from zero) and every integer
// digit is written. A value that rounds to zero has no minus sign.
// A number that is not finite gives the empty text.
std::string FormatNumber(double value, std::string_view pattern);
