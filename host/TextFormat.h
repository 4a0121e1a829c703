// Filling the printf-style placeholders of resource texts. Translations are
// data: a text whose placeholders do not match the arguments must never read
// an argument that is not there, so the arguments travel as text and every
// placeholder takes the next one, whatever its letter.
#pragma once

#include <charconv>
#include <concepts>
#include <initializer_list>
#include <string>
#include <string_view>

namespace host::text {

class FormatArg {
 public:
  FormatArg(std::string_view text) : text_(text) {}
  FormatArg(const char* text) : text_(text ? text : "") {}
  FormatArg(const std::string& text) : text_(text) {}
  template <std::integral T>
    requires(!std::same_as<T, char> && !std::same_as<T, bool>)
  FormatArg(T value) {
    char digits[24];
    auto [end, ec] = std::to_chars(digits, digits + sizeof digits, value);
    text_.assign(digits, ec == std::errc() ? end : digits);
  }
  const std::string& Text() const { return text_; }

 private:
  std::string text_;
};

// Replaces "%s", "%i", "%d" and "%u" in order by the arguments and "%%" by
// "%". Placeholders beyond the arguments and any other "%" sequence stay as
// written; arguments beyond the placeholders are dropped.
inline std::string FormatText(std::string_view format, std::initializer_list<FormatArg> args) {
  std::string out;
  out.reserve(format.size());
  const FormatArg* next = args.begin();
  for (std::size_t i = 0; i < format.size(); ++i) {
    const char c = format[i];
    if (c != '%' || i + 1 == format.size()) {
      out += c;
      continue;
    }
    const char conversion = format[i + 1];
    if (conversion == '%') {
      out += '%';
      ++i;
    } else if ((conversion == 's' || conversion == 'i' || conversion == 'd' || conversion == 'u') &&
               next != args.end()) {
      out += next->Text();
      ++next;
      ++i;
    } else {
      out += c;
    }
  }
  return out;
}

}  // namespace host::text
