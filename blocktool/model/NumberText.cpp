#include "blocktool/model/NumberText.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace korvid::numbers {
namespace {

constexpr double kFloatMax = std::numeric_limits<float>::max();

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::size_t SkipSpace(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && IsSpace(text[i])) ++i;
  return i;
}

// Length of the decimal number at the start of text (0 when none).
std::size_t DecimalLength(std::string_view text) {
  std::size_t i = 0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  std::size_t digits = 0;
  while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
  }
  if (digits == 0) return 0;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    std::size_t j = i + 1;
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
    if (j < text.size() && IsDigit(text[j])) {
      while (j < text.size() && IsDigit(text[j])) ++j;
      i = j;
    }
  }
  return i;
}

// Reads a decimal number already known to be well formed.
double ReadDecimal(std::string_view number) {
  if (!number.empty() && number.front() == '+') number.remove_prefix(1);
  double v = 0;
  const auto result = std::from_chars(number.data(), number.data() + number.size(), v);
  if (result.ec == std::errc::result_out_of_range) {
    // Too large or too small for a double: saturate or flush to zero.
    const bool negative = !number.empty() && number.front() == '-';
    const std::size_t e = number.find_first_of("eE");
    const bool tiny = e != std::string_view::npos && e + 1 < number.size() && number[e + 1] == '-';
    if (tiny) return negative ? -0.0 : 0.0;
    return negative ? -HUGE_VAL : HUGE_VAL;
  }
  return v;
}

}  // namespace

bool ParseWholeDecimal(std::string_view text, double& out) {
  text.remove_prefix(SkipSpace(text));
  const std::size_t length = DecimalLength(text);
  if (length == 0 || length != text.size()) return false;
  const double v = ReadDecimal(text);
  if (!std::isfinite(v) || std::fabs(v) > kFloatMax) return false;
  out = v;
  return true;
}

bool ParseWholeInteger(std::string_view text, std::int64_t& out) {
  text.remove_prefix(SkipSpace(text));
  bool negative = false;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  int base = 10;
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    base = 16;
    text.remove_prefix(2);
  } else if (text.size() > 1 && text[0] == '0') {
    base = 8;
    text.remove_prefix(1);
  }
  if (text.empty() || text.front() == '+' || text.front() == '-') return false;
  std::uint64_t magnitude = 0;
  const auto result = std::from_chars(text.data(), text.data() + text.size(), magnitude, base);
  if (result.ec != std::errc() || result.ptr != text.data() + text.size()) return false;
  const std::uint64_t limit = negative ? 0x80000000ull : 0x7FFFFFFFull;
  if (magnitude > limit) return false;
  out = negative ? -static_cast<std::int64_t>(magnitude) : static_cast<std::int64_t>(magnitude);
  return true;
}

double LeadingDecimal(std::string_view text) {
  text.remove_prefix(SkipSpace(text));
  const std::size_t length = DecimalLength(text);
  if (length == 0) return 0;
  const double v = ReadDecimal(text.substr(0, length));
  if (v > kFloatMax) return kFloatMax;
  if (v < -kFloatMax) return -kFloatMax;
  return v;
}

int LeadingInteger(std::string_view text) {
  text.remove_prefix(SkipSpace(text));
  bool negative = false;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  std::int64_t v = 0;
  for (char c : text) {
    if (!IsDigit(c)) break;
    v = v * 10 + (c - '0');
    if (v > 0x80000000ll) break;
  }
  if (negative) v = -v;
  if (v > std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
  if (v < std::numeric_limits<int>::min()) return std::numeric_limits<int>::min();
  return static_cast<int>(v);
}

std::optional<std::int64_t> LeadingInteger64(std::string_view text) {
  text.remove_prefix(SkipSpace(text));
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  std::int64_t v = 0;
  const auto result = std::from_chars(text.data(), text.data() + text.size(), v);
  if (result.ec == std::errc::result_out_of_range) return std::nullopt;
  return result.ec == std::errc() ? v : 0;
}

float ToFloat(double v) {
  if (std::isnan(v)) return 0;
  if (v > kFloatMax) return std::numeric_limits<float>::max();
  if (v < -kFloatMax) return -std::numeric_limits<float>::max();
  return static_cast<float>(v);
}

std::string FormatFixed(double v, int decimals) {
  char buffer[400];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::fixed, decimals);
  if (result.ec != std::errc()) return "0";
  return std::string(buffer, result.ptr);
}

std::string FormatGeneral(double v) {
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::general, 6);
  if (result.ec != std::errc()) return "0";
  return std::string(buffer, result.ptr);
}

namespace {
std::string ReplaceFirst(std::string_view format, std::initializer_list<std::string_view> placeholders,
                         std::string_view replacement) {
  std::size_t at = std::string_view::npos;
  std::size_t length = 0;
  for (std::string_view p : placeholders) {
    const std::size_t found = format.find(p);
    if (found < at) at = found, length = p.size();
  }
  std::string out(format);
  if (at != std::string_view::npos) out.replace(at, length, replacement);
  return out;
}
}  // namespace

std::string FormatInt(std::string_view format, long long n) {
  return ReplaceFirst(format, {"%i", "%d"}, std::to_string(n));
}

std::string FormatString(std::string_view format, std::string_view s) { return ReplaceFirst(format, {"%s"}, s); }

}  // namespace korvid::numbers
