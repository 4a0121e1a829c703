#include "host/ASText.h"

#include <array>

namespace host {
namespace text {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Decodes one UTF-8 sequence at s[i]; answers the code point (U+FFFD for a
// malformed sequence) and advances i.
char32_t DecodeOne(std::string_view s, std::size_t& i) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
  const unsigned char b0 = byte(i);
  if (b0 < 0x80) {
    ++i;
    return b0;
  }
  int length = 0;
  char32_t cp = 0;
  char32_t minimum = 0;
  if ((b0 & 0xE0) == 0xC0) {
    length = 2, cp = b0 & 0x1F, minimum = 0x80;
  } else if ((b0 & 0xF0) == 0xE0) {
    length = 3, cp = b0 & 0x0F, minimum = 0x800;
  } else if ((b0 & 0xF8) == 0xF0) {
    length = 4, cp = b0 & 0x07, minimum = 0x10000;
  } else {
    ++i;
    return kReplacement;
  }
  if (i + length > s.size()) {
    ++i;
    return kReplacement;
  }
  for (int k = 1; k < length; ++k) {
    const unsigned char b = byte(i + k);
    if ((b & 0xC0) != 0x80) {
      ++i;
      return kReplacement;
    }
    cp = (cp << 6) | (b & 0x3F);
  }
  if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
    ++i;
    return kReplacement;
  }
  i += length;
  return cp;
}

void EncodeOne(char32_t cp, std::string& out) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

// PDFDocEncoding codes that differ from ISO Latin-1; 0 marks an undefined code.
constexpr std::array<char16_t, 8> kPdfDoc18 = {0x02D8, 0x02C7, 0x02C6, 0x02D9, 0x02DD, 0x02DB, 0x02DA, 0x02DC};
constexpr std::array<char16_t, 33> kPdfDoc80 = {
    0x2022, 0x2020, 0x2021, 0x2026, 0x2014, 0x2013, 0x0192, 0x2044, 0x2039, 0x203A, 0x2212,
    0x2030, 0x201E, 0x201C, 0x201D, 0x2018, 0x2019, 0x201A, 0x2122, 0xFB01, 0xFB02, 0x0141,
    0x0152, 0x0160, 0x0178, 0x017D, 0x0131, 0x0142, 0x0153, 0x0161, 0x017E, 0x0000, 0x20AC};

char32_t PdfDocToUnicode(unsigned char c) {
  if (c >= 0x18 && c <= 0x1F) return kPdfDoc18[c - 0x18];
  if (c >= 0x80 && c <= 0xA0) {
    const char16_t u = kPdfDoc80[c - 0x80];
    return u ? u : kReplacement;
  }
  if (c == 0x7F || c == 0xAD) return kReplacement;
  return c;
}

bool UnicodeToPdfDoc(char32_t cp, unsigned char& out) {
  if ((cp < 0x18) || (cp >= 0x20 && cp < 0x7F) || (cp >= 0xA1 && cp <= 0xFF && cp != 0xAD)) {
    out = static_cast<unsigned char>(cp);
    return true;
  }
  for (std::size_t k = 0; k < kPdfDoc18.size(); ++k) {
    if (kPdfDoc18[k] == cp) {
      out = static_cast<unsigned char>(0x18 + k);
      return true;
    }
  }
  for (std::size_t k = 0; k < kPdfDoc80.size(); ++k) {
    if (kPdfDoc80[k] != 0 && kPdfDoc80[k] == cp) {
      out = static_cast<unsigned char>(0x80 + k);
      return true;
    }
  }
  return false;
}

}  // namespace

std::string SanitizeUTF8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (std::size_t i = 0; i < bytes.size();) EncodeOne(DecodeOne(bytes, i), out);
  return out;
}

bool IsValidUTF8(std::string_view bytes) {
  for (std::size_t i = 0; i < bytes.size();) {
    const std::size_t start = i;
    if (DecodeOne(bytes, i) == kReplacement) {
      // A literal U+FFFD is valid; a decoding failure advanced by one byte.
      if (i - start != 3) return false;
    }
  }
  return true;
}

std::string TruncateUTF8(std::string_view s, std::size_t maxBytes) {
  if (s.size() <= maxBytes) return std::string(s);
  std::size_t end = maxBytes;
  // Step back over continuation bytes to the start of the character that
  // would be cut.
  while (end > 0 && (static_cast<unsigned char>(s[end]) & 0xC0) == 0x80) --end;
  return std::string(s.substr(0, end));
}

std::u16string UTF8ToUTF16(std::string_view utf8) {
  std::u16string out;
  out.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size();) {
    char32_t cp = DecodeOne(utf8, i);
    if (cp >= 0x10000) {
      cp -= 0x10000;
      out += static_cast<char16_t>(0xD800 + (cp >> 10));
      out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
    } else {
      out += static_cast<char16_t>(cp);
    }
  }
  return out;
}

std::string UTF16ToUTF8(std::u16string_view utf16) {
  std::string out;
  out.reserve(utf16.size());
  for (std::size_t i = 0; i < utf16.size(); ++i) {
    char32_t cp = utf16[i];
    if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 && utf16[i + 1] <= 0xDFFF) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (utf16[i + 1] - 0xDC00);
      ++i;
    } else if (cp >= 0xD800 && cp <= 0xDFFF) {
      cp = kReplacement;
    }
    EncodeOne(cp, out);
  }
  return out;
}

long FirstCodePoint(std::string_view utf8) {
  if (utf8.empty()) return -1;
  std::size_t i = 0;
  return static_cast<long>(DecodeOne(utf8, i));
}

std::string CodePointToUTF8(long cp) {
  std::string out;
  if (cp < 0 || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return out;
  EncodeOne(static_cast<char32_t>(cp), out);
  return out;
}

std::string PDFDocToUTF8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (char c : bytes) EncodeOne(PdfDocToUnicode(static_cast<unsigned char>(c)), out);
  return out;
}

bool UTF8ToPDFDoc(std::string_view utf8, std::string& out) {
  out.clear();
  for (std::size_t i = 0; i < utf8.size();) {
    unsigned char code = 0;
    if (!UnicodeToPdfDoc(DecodeOne(utf8, i), code)) return false;
    out += static_cast<char>(code);
  }
  return true;
}

}  // namespace text

ASText ASText::FromUTF8(std::string_view utf8) { return ASText(text::SanitizeUTF8(utf8)); }

ASText ASText::FromUTF16(std::u16string_view utf16) {
  if (!utf16.empty() && utf16.front() == 0xFEFF) utf16.remove_prefix(1);
  return ASText(text::UTF16ToUTF8(utf16));
}

ASText ASText::FromUTF16BE(std::string_view bytes) {
  if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFE &&
      static_cast<unsigned char>(bytes[1]) == 0xFF) {
    bytes.remove_prefix(2);
  }
  std::u16string units;
  units.reserve(bytes.size() / 2);
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    units += static_cast<char16_t>((static_cast<unsigned char>(bytes[i]) << 8) | static_cast<unsigned char>(bytes[i + 1]));
  }
  return ASText(text::UTF16ToUTF8(units));
}

ASText ASText::FromScriptText(std::string_view bytes, ASScript) { return FromUTF8(bytes); }

ASText ASText::FromPDText(std::string_view bytes) {
  if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFE &&
      static_cast<unsigned char>(bytes[1]) == 0xFF) {
    return FromUTF16BE(bytes);
  }
  return ASText(text::PDFDocToUTF8(bytes));
}

std::u16string ASText::UTF16() const { return text::UTF8ToUTF16(utf8_); }

std::string ASText::ScriptText(ASScript) const { return utf8_; }

std::string ASText::PDText() const {
  std::string pdfDoc;
  if (text::UTF8ToPDFDoc(utf8_, pdfDoc)) return pdfDoc;
  std::string out = "\xFE\xFF";
  for (char16_t u : UTF16()) {
    out += static_cast<char>(u >> 8);
    out += static_cast<char>(u & 0xFF);
  }
  return out;
}

void ASText::ReplacePlaceholder(std::string_view placeholder, const ASText& replacement) {
  if (placeholder.empty()) return;
  std::string result;
  std::size_t from = 0;
  for (std::size_t at; (at = utf8_.find(placeholder, from)) != std::string::npos; from = at + placeholder.size()) {
    result.append(utf8_, from, at - from);
    result += replacement.utf8_;
  }
  result.append(utf8_, from, std::string::npos);
  utf8_ = std::move(result);
}

}  // namespace host
