// Number text conversions that never depend on the C locale: strict and
// leading-number parsing of finite decimals, and fixed and general
// formatting with "." as decimal point.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace korvid::numbers {

// The whole text, after leading white space, is one finite decimal number
// (optional sign, digits with an optional point, optional exponent) that
// fits a 32-bit float. No "inf", "nan" or hexadecimal forms.
bool ParseWholeDecimal(std::string_view text, double& out);
// The whole text, after leading white space, is one integer in decimal,
// hexadecimal (0x) or octal (leading 0) form that fits 32 bits.
bool ParseWholeInteger(std::string_view text, std::int64_t& out);
// The leading decimal number of the text after white space; 0 when there is
// none. Saturates at the float range.
double LeadingDecimal(std::string_view text);
// The leading decimal integer; 0 when there is none. Saturates at 32 bits.
int LeadingInteger(std::string_view text);
// The leading decimal integer in 64 bits; 0 when there is none, nullopt
// when it does not fit.
std::optional<std::int64_t> LeadingInteger64(std::string_view text);
// To float, saturating at the largest finite float.
float ToFloat(double v);

// "%.Nf".
std::string FormatFixed(double v, int decimals);
// Default stream formatting of a float: up to six significant digits.
std::string FormatGeneral(double v);
// Replaces the first "%i" (or "%d") of format by n, and the first "%s" by s.
std::string FormatInt(std::string_view format, long long n);
std::string FormatString(std::string_view format, std::string_view s);

}  // namespace korvid::numbers
