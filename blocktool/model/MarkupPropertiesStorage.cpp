// The stored form of a property inside a block dictionary: which objects a
// value becomes, which stored objects a property accepts, and how they read
// back into value text.
#include <cmath>
#include <cstdint>
#include <vector>

#include "blocktool/model/ColorSpaceProperty.h"
#include "blocktool/model/MarkupProperties.h"
#include "blocktool/model/NumberText.h"
#include "blocktool/model/Service.h"
#include "blocktool/model/StoredBlockTree.h"
#include "blocktool/model/StoredNumber.h"
#include "blocktool/host/MarkupContentInit.h"

namespace {

constexpr std::string_view kTabAlignChar = "tabalignchar";
// Every element of the ruler is kept, equal neighbours included.
constexpr std::string_view kRuler = "ruler";

// A number in local text, read as a double so that large whole numbers
// keep every digit.
double LocalNumber(std::string_view text) {
  std::string t(text);
  if (cDecimalSeparator != '.') {
    if (const std::size_t sep = t.find(cDecimalSeparator); sep != std::string::npos) t[sep] = '.';
  }
  return korvid::numbers::LeadingDecimal(t);
}

bool IsNumber(const host::CosObj& obj) {
  return obj.Type() == host::CosType::Integer || obj.Type() == host::CosType::Real;
}

// Characters a stored tabalignchar may name: every code point except
// surrogates and the null character.
bool IsStorableCodePoint(std::int64_t cp) {
  return cp >= 1 && cp <= 0x10FFFF && !(cp >= 0xD800 && cp <= 0xDFFF);
}

}  // namespace

PropertyPDFType CMarkupProperties::StoredPDFType() const {
  return name_ == kTabAlignChar ? PDFTypeNumber : GetPDFType();
}

// --- Writing --------------------------------------------------------------------

int CMarkupProperties::SavePropertyInBlockDict(host::CosDoc doc, const host::CosObj& blockDict,
                                               const CMarkupProperties* controller) const {
  try {
    const bool required = TagHasMode(mode::kRequired);
    if (dependency_ && controller) {
      int dependMode = dependency_->DependMode();
      if (!controller->IsValueMatchValue(dependency_->DependPropertyValue())) {
        CPropertyDependency::InvertDependMode(dependMode);
      }
      if (!CPropertyDependency::Counts(dependMode) && !required) return 0;
    }
    if (!required && (IsDefault() || value_.empty())) return 0;

    host::CosObj target = blockDict;
    if (class_ == PropCustom) {
      if (!blockDict.IsDict()) return -1;
      target = blockDict.DictGet(CStoredBlockTree::kCustom);
      if (!target.IsDict()) {
        target = doc->NewDict(false, 1);
        host::CosObj(blockDict).DictPut(CStoredBlockTree::kCustom, target);
      }
    }
    if (!target.IsDict()) return -1;
    const std::string key = class_ == PropCustom ? nameText_.UTF8() : name_;

    PropertyPDFType type = StoredPDFType();
    host::CosObj value;
    if (type & mode::kArray) {
      value = CreateArrayCosObj(doc);
    } else if (type == PDFTypeColor) {
      // A colour that cannot be written whole is not written at all: it
      // then reads back as the default instead of as a malformed entry.
      value = CColorSpaceProperty(*this).MakeColorArray(doc);
    } else if (type == PDFTypeCosObject) {
      value = cosObj_;
    } else if (name_ == kTabAlignChar) {
      value = doc->NewInteger(false, host::text::FirstCodePoint(value_));
    } else {
      if (type == PDFTypeNameOrNumber) type = IsListValue(value_) ? PDFTypeName : PDFTypeNumber;
      value = CreateSimpleCosObj(doc, value_, type);
    }
    if (value.IsNull()) return 0;
    target.DictPut(key, value);
    return 0;
  } catch (...) {
    Service.ExceptionAlert("SavePropertyInBlockDict");
    return -1;
  }
}

host::CosObj CMarkupProperties::CreateArrayCosObj(host::CosDoc doc) const {
  PropertyPDFType elementType = StoredPDFType() & ~mode::kArray;
  // The choice between name and number is made once for the whole value.
  if (elementType == PDFTypeNameOrNumber) elementType = IsListValue(value_) ? PDFTypeName : PDFTypeNumber;
  std::vector<std::string> elements;
  Service.ParseStringSequence(value_, elements);
  host::CosObj array = doc->NewArray(false, static_cast<int>(elements.size()));
  // Bounded number arrays leave out an element equal to the one before it:
  // "2 2" is stored as [2].
  const bool dropRepeats = elementType == PDFTypeNumber && TagHasMode(mode::kBoundedCount) && name_ != kRuler;
  for (std::size_t i = 0; i < elements.size(); ++i) {
    if (dropRepeats && i > 0 &&
        Service.GetFloatFromLocal(elements[i]) == Service.GetFloatFromLocal(elements[i - 1])) {
      continue;
    }
    array.ArrayPut(static_cast<int>(i), CreateSimpleCosObj(doc, elements[i], elementType));
  }
  return array;
}

host::CosObj CMarkupProperties::CreateSimpleCosObj(host::CosDoc doc, std::string_view text,
                                                   PropertyPDFType type) const {
  if (type == PDFTypeNameOrNumber) type = IsListValue(text) ? PDFTypeName : PDFTypeNumber;
  switch (type) {
    case PDFTypeName:
      return doc->NewName(false, text);
    case PDFTypeNumber: {
      const double v = LocalNumber(text);
      if (TagHasMode(mode::kPercentage) && text.find('%') != std::string_view::npos) {
        host::CosObj percentage = doc->NewArray(false, 2);
        percentage.ArrayPut(0, korvid::storage::NewStoredReal(doc, v));
        percentage.ArrayPut(1, doc->NewString(false, "%"));
        return percentage;
      }
      return korvid::storage::NewStoredNumber(doc, v);
    }
    default:
      if (TagHasMode(mode::kBoolean)) return doc->NewBoolean(false, text == Service.GetStringByID(str::kTrue));
      return doc->NewString(false, host::ASText::FromUTF8(text).PDText());
  }
}

// --- Reading ----------------------------------------------------------------------

bool CMarkupProperties::AcceptsStoredObject(const host::CosObj& obj) const {
  const host::CosType kind = obj.Type();
  const PropertyPDFType type = StoredPDFType();
  const bool percentageArray = kind == host::CosType::Array && TagHasMode(mode::kPercentage);
  if (type & mode::kArray) return kind == host::CosType::Array;
  switch (type) {
    case PDFTypeName:
      return kind == host::CosType::Name;
    case PDFTypeNumber:
      if (name_ == kTabAlignChar) return IsNumber(obj);
      return IsNumber(obj) || percentageArray;
    case PDFTypeNameOrNumber:
      return kind == host::CosType::Name || IsNumber(obj) || percentageArray;
    case PDFTypeColor:
      return kind == host::CosType::Array;
    case PDFTypeCosObject:
      return kind == host::CosType::Dict && obj.IsIndirect();
    default:
      return kind == host::CosType::String || kind == host::CosType::Boolean;
  }
}

int CMarkupProperties::ReadPropertyObjectFromBlockDict(const host::CosObj& obj) {
  try {
    if (obj.IsNull()) return -1;
    const PropertyPDFType type = StoredPDFType();
    if (name_ == kTabAlignChar) {
      if (!IsNumber(obj)) return -1;
      const double code = obj.RealValue();
      if (!(code >= 1 && code <= 0x10FFFF) || !IsStorableCodePoint(static_cast<std::int64_t>(code))) return -1;
      TagValue(host::text::CodePointToUTF8(static_cast<long>(code)));
      return 0;
    }
    std::string text;
    if (type & mode::kArray) {
      if (!obj.IsArray()) return -1;
      const PropertyPDFType elementType = type & ~mode::kArray;
      const int count = obj.ArrayLength();
      for (int i = 0; i < count; ++i) {
        text += ReadSimplePropertyObjectFromBlockDict(obj.ArrayGet(i), elementType);
        text += ' ';
      }
    } else if (type == PDFTypeColor) {
      if (!obj.IsArray() || obj.ArrayLength() < 2 || obj.ArrayLength() > 3) return -1;
      CColorSpaceProperty color(*this);
      if (color.ReadColorArray(obj) != 0) return -1;
      TagValue(color.TagValue(), color.ScriptEncoding());
      return 0;
    } else if (type == PDFTypeCosObject) {
      if (!obj.IsDict() || !obj.IsIndirect()) return -1;
      TagCosObj(obj);
      return 0;
    } else {
      text = ReadSimplePropertyObjectFromBlockDict(obj, type);
    }
    if (text.empty()) return 0;
    if ((type & ~mode::kArray) == PDFTypeName) {
      TagValue(text);
    } else {
      ASTextValue(host::ASText::FromPDText(text));
    }
    return 0;
  } catch (...) {
    Service.ExceptionAlert("ReadPropertyObjectFromBlockDict");
    return -1;
  }
}

std::string CMarkupProperties::ReadSimplePropertyObjectFromBlockDict(const host::CosObj& obj,
                                                                     PropertyPDFType type) const {
  try {
    return Service.GetValueOfSimpleCosObj(obj, type);
  } catch (...) {
    Service.ExceptionAlert("ReadSimplePropertyObjectFromBlockDict");
    return {};
  }
}
