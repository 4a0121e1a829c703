// Host text objects: Unicode text held as UTF-8, with its UTF-16 form, its
// 8-bit "script" form and its form as a PDF text string.
//
// Every script is UTF-8 on this platform, so the script argument of the
// 8-bit conversions only exists to keep callers' intent readable; the best
// script of any text is kScriptUTF8.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>

#include "host/HostTypes.h"

namespace host {

using ASScript = int;
inline constexpr ASScript kScriptRoman = 0;
inline constexpr ASScript kScriptUTF8 = 0;

class KORVID_HOST_API ASText {
 public:
  ASText() = default;

  static ASText FromUTF8(std::string_view utf8);
  // UTF-16 in host order; a leading byte-order mark is dropped.
  static ASText FromUTF16(std::u16string_view utf16);
  // UTF-16BE bytes, with or without a leading FE FF.
  static ASText FromUTF16BE(std::string_view bytes);
  static ASText FromScriptText(std::string_view bytes, ASScript script = kScriptUTF8);
  // A PDF text string: UTF-16BE when it is at least 2 bytes long and starts
  // with FE FF (so FE FF alone is the empty text), else PDFDocEncoding.
  static ASText FromPDText(std::string_view bytes);

  const std::string& UTF8() const { return utf8_; }
  std::u16string UTF16() const;
  std::string ScriptText(ASScript script = kScriptUTF8) const;
  // PDFDocEncoding when every character has a code there, else FE FF
  // followed by UTF-16BE.
  std::string PDText() const;
  ASScript BestScript() const { return kScriptUTF8; }

  bool IsEmpty() const { return utf8_.empty(); }
  std::size_t ByteLength() const { return utf8_.size(); }

  // Replaces every occurrence of placeholder ("%1") by replacement.
  void ReplacePlaceholder(std::string_view placeholder, const ASText& replacement);
  void Append(const ASText& other) { utf8_ += other.utf8_; }

  friend bool operator==(const ASText&, const ASText&) = default;
  friend auto operator<=>(const ASText& a, const ASText& b) { return a.utf8_ <=> b.utf8_; }

 private:
  explicit ASText(std::string utf8) : utf8_(std::move(utf8)) {}
  std::string utf8_;
};

// UTF-8 helpers used wherever limits count bytes.
namespace text {

// Makes malformed UTF-8 well-formed (each bad byte becomes U+FFFD).
KORVID_HOST_API std::string SanitizeUTF8(std::string_view bytes);
KORVID_HOST_API bool IsValidUTF8(std::string_view bytes);
// The longest prefix of s that is at most maxBytes long and ends on a
// character boundary.
KORVID_HOST_API std::string TruncateUTF8(std::string_view s, std::size_t maxBytes);
KORVID_HOST_API std::u16string UTF8ToUTF16(std::string_view utf8);
KORVID_HOST_API std::string UTF16ToUTF8(std::u16string_view utf16);
// First code point of s, or -1 when s is empty.
KORVID_HOST_API long FirstCodePoint(std::string_view utf8);
// UTF-8 of one code point; empty for surrogates and values beyond U+10FFFF.
KORVID_HOST_API std::string CodePointToUTF8(long cp);
KORVID_HOST_API std::string PDFDocToUTF8(std::string_view bytes);
// False when some character has no PDFDocEncoding code.
KORVID_HOST_API bool UTF8ToPDFDoc(std::string_view utf8, std::string& out);

}  // namespace text

}  // namespace host
