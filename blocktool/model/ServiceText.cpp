// The value utilities of the service object: locale-independent number
// conversions, token sequences, local decimal separator, name repair,
// trimming and path separators.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

#include "blocktool/model/MarkupProperties.h"
#include "blocktool/host/MarkupContentInit.h"
#include "blocktool/model/NumberText.h"
#include "blocktool/model/Service.h"

using namespace korvid::numbers;

bool CService::ConvertStringToFloat(std::string_view text, float& out) const {
  double v = 0;
  if (!ParseWholeDecimal(text, v)) return false;
  out = static_cast<float>(v);
  return true;
}

bool CService::ConvertStringToInt(std::string_view text, int& out) const {
  std::int64_t v = 0;
  if (!ParseWholeInteger(text, v)) return false;
  out = static_cast<int>(v);
  return true;
}

void CService::ParseStringArray(std::string_view text, std::vector<std::string>& out) const {
  if (text.empty()) return;
  if (text.find(' ') == std::string_view::npos) {
    out.emplace_back(text);
    return;
  }
  std::size_t start = 0;
  for (std::size_t blank; (blank = text.find(' ', start)) != std::string_view::npos;) {
    const std::string_view token = text.substr(start, blank - start);
    if (!token.empty() && token != "[") out.emplace_back(token);
    start = blank + 1;
    while (start < text.size() && text[start] == ' ') ++start;
  }
}

int CService::ParseStringSequence(std::string_view text, std::vector<std::string>& out) const {
  std::string wrapped = "[ ";
  wrapped.append(text);
  wrapped += " ]";
  const std::size_t before = out.size();
  ParseStringArray(wrapped, out);
  return static_cast<int>(out.size() - before);
}

namespace {

// The shared walk of the number sequence parsers: percent signs, the local
// separator and the cut at the first blank, then a strict conversion.
template <typename Number, typename Convert>
bool ParseNumberTokens(const std::vector<std::string>& tokens, std::vector<Number>& out, bool keepPartial,
                       bool localSeparator, Convert convert) {
  out.clear();
  bool ok = true;
  bool percentFailure = false;
  for (std::string token : tokens) {
    if (token.empty()) {
      ok = false;
      break;
    }
    if (const std::size_t percent = token.find('%'); percent != std::string::npos) {
      token[percent] = ' ';
      if (token.find('%') != std::string::npos) {
        percentFailure = true;
        continue;
      }
      percentFailure = false;
    } else if (percentFailure) {
      continue;
    }
    if (localSeparator && cDecimalSeparator != '.') {
      if (const std::size_t sep = token.rfind(cDecimalSeparator); sep != std::string::npos) token[sep] = '.';
    }
    if (const std::size_t blank = token.find(' '); blank != std::string::npos) token.resize(blank);
    Number n{};
    if (!convert(token, n)) {
      if (!keepPartial) ok = false;
      break;
    }
    out.push_back(n);
  }
  if (percentFailure) ok = false;
  if (!ok) out.clear();
  return ok;
}

std::string Wrapped(std::string_view text) {
  std::string wrapped = "[ ";
  wrapped.append(text);
  wrapped += " ]";
  return wrapped;
}

}  // namespace

bool CService::ParseFloatArray(std::string_view text, std::vector<float>& out, bool keepPartial) const {
  std::vector<std::string> tokens;
  ParseStringArray(text, tokens);
  return ParseNumberTokens(tokens, out, keepPartial, true,
                           [this](const std::string& t, float& n) { return ConvertStringToFloat(t, n); });
}

bool CService::ParseIntArray(std::string_view text, std::vector<int>& out, bool keepPartial) const {
  std::vector<std::string> tokens;
  ParseStringArray(text, tokens);
  return ParseNumberTokens(tokens, out, keepPartial, false,
                           [this](const std::string& t, int& n) { return ConvertStringToInt(t, n); });
}

int CService::ParseFloatSequence(std::string_view text, std::vector<float>& out, bool keepPartial) const {
  ParseFloatArray(Wrapped(text), out, keepPartial);
  return static_cast<int>(out.size());
}

int CService::ParseIntSequence(std::string_view text, std::vector<int>& out, bool keepPartial) const {
  ParseIntArray(Wrapped(text), out, keepPartial);
  return static_cast<int>(out.size());
}

int CService::GetSequenceElementsNum(std::string_view text) const {
  std::vector<float> numbers;
  return ParseFloatSequence(text, numbers, false);
}

bool CService::CheckPercentageValue(std::string_view text, bool percentageAllowed) const {
  if (percentageAllowed) return GetSequenceElementsNum(text) > 0;
  return text.find('%') == std::string_view::npos;
}

float CService::GetFloatFromLocal(std::string_view text) const {
  std::string t(text);
  if (cDecimalSeparator != '.') {
    if (const std::size_t sep = t.find(cDecimalSeparator); sep != std::string::npos) t[sep] = '.';
  }
  return ToFloat(LeadingDecimal(t));
}

std::string CService::GetFloatAsLocal(std::string_view text) const {
  std::string t(text);
  const std::size_t point = t.find('.');
  if (point == std::string::npos) return t;
  const float v = GetFloatFromLocal(text);
  if (std::trunc(v) == v) {
    t.resize(point);
  } else {
    t[point] = cDecimalSeparator;
  }
  return t;
}

std::string CService::RealAsLocal(double v) const {
  const int decimals = (v == 0 || std::fabs(v) >= 1) ? 2 : 3;
  return GetFloatAsLocal(FormatFixed(v, decimals));
}

std::string CService::FloatAsLocalShort(double v) const {
  const int decimals = (v == 0 || std::fabs(v) >= 1) ? 1 : 3;
  return GetFloatAsLocal(FormatFixed(v, decimals));
}

int CService::CheckKeyName(std::string& text, bool) const {
  int changed = 0;
  for (char& c : text) {
    if (c == '[' || c == ']' || c == '/') {
      c = '_';
      changed = 1;
    }
  }
  return changed;
}

std::string CService::GetBestEncodedStringFromASText(const host::ASText& text, host::ASScript script) const {
  return text.ScriptText(script);
}

std::string CService::TrimLeft(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  return first == std::string_view::npos ? std::string() : std::string(text.substr(first));
}

std::string CService::TrimRight(std::string_view text) {
  const std::size_t last = text.find_last_not_of(' ');
  return last == std::string_view::npos ? std::string() : std::string(text.substr(0, last + 1));
}

std::string CService::TrimLeftRight(std::string_view text) { return TrimLeft(TrimRight(text)); }

namespace {

int ReplaceSeparators(CMarkupProperties* property, char from, char to) {
  if (!property) return -1;
  if (from == to) return 0;
  std::string value = property->TagValue();
  if (value.find(from) == std::string::npos) return 0;
  std::replace(value.begin(), value.end(), from, to);
  property->TagValue(value);
  return 0;
}

}  // namespace

int CService::NormalizePathProperty(CMarkupProperties* property) const {
  return ReplaceSeparators(property, alternativeSeparator_, '/');
}

int CService::ReNormalizePathProperty(CMarkupProperties* property) const {
  return ReplaceSeparators(property, '/', alternativeSeparator_);
}

std::string CService::CosNumberText(const host::CosObj& obj) const {
  if (obj.Type() == host::CosType::Integer) return std::to_string(obj.IntegerValue());
  return RealAsLocal(obj.RealValue());
}

std::string CService::GetValueOfSimpleCosObj(const host::CosObj& obj, PropertyPDFType type) {
  const host::CosType kind = obj.Type();
  PropertyPDFType element = type & ~mode::kArray;
  if (element == PDFTypeNameOrNumber) element = kind == host::CosType::Name ? PDFTypeName : PDFTypeNumber;
  switch (element) {
    case PDFTypeName:
      return kind == host::CosType::Name ? obj.NameValue() : std::string();
    case PDFTypeNumber:
      if (kind == host::CosType::Integer || kind == host::CosType::Real) return CosNumberText(obj);
      if (kind == host::CosType::Array) {
        std::string text;
        const host::CosObj first = obj.ArrayGet(0);
        if (first.Type() == host::CosType::Integer || first.Type() == host::CosType::Real) {
          text = CosNumberText(first);
          const host::CosObj second = obj.ArrayGet(1);
          if (second.Type() == host::CosType::String) text += second.StringValue();
        }
        return text;
      }
      return {};
    default:
      if (kind == host::CosType::String) return obj.StringValue();
      if (kind == host::CosType::Boolean) return GetStringByID(obj.BooleanValue() ? str::kTrue : str::kFalse);
      return {};
  }
}

PropertyClass CService::GetSubtypeClass(const CMarkupProperties* subtype) {
  if (!subtype) return PropText;
  const std::string& value = subtype->TagValue();
  if (value == GetStringByID(str::kTextSubtype)) return PropText;
  if (value == GetStringByID(str::kImageSubtype)) return PropImage;
  if (value == GetStringByID(str::kPDFSubtype)) return PropPDF;
  return -1;
}
