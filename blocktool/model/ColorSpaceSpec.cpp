#include "blocktool/model/ColorSpaceSpec.h"

#include <cmath>
#include <optional>

#include "blocktool/model/ColorSpaceProperty.h"
#include "blocktool/model/NumberText.h"
#include "blocktool/model/Service.h"
#include "blocktool/model/StoredNumber.h"

using korvid::numbers::FormatFixed;
using korvid::numbers::FormatGeneral;

namespace {

// Text of a name, string or number element.
std::optional<std::string> ElementText(const host::CosObj& obj) {
  switch (obj.Type()) {
    case host::CosType::Name:
      return obj.NameValue();
    case host::CosType::String:
      return obj.StringValue();
    case host::CosType::Integer:
    case host::CosType::Real:
      return Service.CosNumberText(obj);
    default:
      return std::nullopt;
  }
}

bool IsNumber(const host::CosObj& obj) {
  return obj.Type() == host::CosType::Integer || obj.Type() == host::CosType::Real;
}

std::string Between(std::string_view text, char open, char close) {
  const std::size_t from = text.find(open);
  if (from == std::string_view::npos) return std::string(text);
  const std::size_t to = text.find(close, from + 1);
  if (to == std::string_view::npos) return std::string(text);
  return std::string(text.substr(from + 1, to - from - 1));
}

bool AllIn(const std::vector<float>& values, float min, float max) {
  for (float v : values) {
    if (!(v >= min && v <= max)) return false;
  }
  return true;
}

}  // namespace

CColorSpaceSpec::CColorSpaceSpec(CColorSpaceProperty& owner, ColorSpaceData data)
    : data_(std::move(data)), owner_(owner) {}

CColorSpaceSpec::~CColorSpaceSpec() = default;

std::string CColorSpaceSpec::ColorSpaceName() const { return data_.spaceName; }

void CColorSpaceSpec::ColorValues(std::string_view text) {
  valuesText_ = text;
  ParseColorValues();
}

const std::string& CColorSpaceSpec::ColorValues() const { return valuesText_; }

int CColorSpaceSpec::ParseColorValues() {
  return Service.ParseFloatSequence(Between(valuesText_, '[', ']'), values_, false);
}

void CColorSpaceSpec::SetColorValues(const std::vector<float>& values) {
  std::string text;
  for (float v : values) {
    if (!text.empty()) text += ' ';
    text += FormatGeneral(v);
  }
  valuesText_ = text;
  values_ = values;
}

void CColorSpaceSpec::SetColorValues(const host::PDEColorSpec& color) {
  std::string text;
  for (int i = 0; i < data_.numValues && i < 4; ++i) {
    if (!text.empty()) text += ' ';
    text += Service.GetFloatAsLocal(FormatFixed(host::FixedToFloat(color.value[i]), 1));
  }
  ColorValues(text);
}

int CColorSpaceSpec::GetColorValues(std::vector<float>& out) const {
  out = values_;
  return static_cast<int>(out.size());
}

int CColorSpaceSpec::GetNumOfColorValues() const { return static_cast<int>(values_.size()); }

void CColorSpaceSpec::ConstructPropertyValue() {
  const std::string name = ColorSpaceName();
  if (name.empty() || name == colorspace::kNone || valuesText_.empty()) {
    owner_.SetConstructedValue("");
  } else {
    owner_.SetConstructedValue(name + " [" + valuesText_ + "]");
  }
}

bool CColorSpaceSpec::IsValid(std::string_view text) const {
  std::vector<float> values;
  if (Service.ParseFloatSequence(text, values, false) != data_.numValues) return false;
  return AllIn(values, 0, 1);
}

bool CColorSpaceSpec::IsDefault(std::string_view defaultText) const {
  const std::string name = ColorSpaceName();
  if (defaultText.empty() && valuesText_.empty() && name == colorspace::kNone) return true;
  return defaultText == name + " [" + valuesText_ + "]";
}

const ColorSpaceData& CColorSpaceSpec::GetColorSpaceDefault() const { return data_; }

bool CColorSpaceSpec::HasFittingComponents() const {
  if (static_cast<int>(values_.size()) != data_.numValues) return false;
  for (float v : values_) {
    if (!std::isfinite(v)) return false;
  }
  return true;
}

int CColorSpaceSpec::ReadColorSpaceObjectFromBlockDict(const host::CosObj& array) {
  ReadColorSpaceNameObjectFromBlockDict(array);
  const host::CosObj values = array.ArrayGet(1);
  if (values.IsArray()) return ReadColorSpaceValueArrayFromBlockDict(array);
  return ReadColorSpaceValueObjectFromBlockDict(array);
}

int CColorSpaceSpec::SaveColorSpaceInBlockDict(host::CosDoc doc, host::CosObj& array) {
  if (!HasFittingComponents()) return -1;
  if (const int result = SaveColorSpaceNameObjectInBlockDict(doc, array); result != 0) return result;
  return SaveColorSpaceValueArrayInBlockDict(doc, array);
}

void CColorSpaceSpec::SetColorSpec(const CColorSpaceProperty& source) {
  if (const CColorSpaceSpec* same = source.FindColorSpec(ColorSpaceName())) ColorValues(same->ColorValues());
}

int CColorSpaceSpec::ReadColorSpaceNameObjectFromBlockDict(const host::CosObj& array) {
  const host::CosObj first = array.ArrayGet(0);
  if (first.Type() == host::CosType::Name || first.IsArray()) owner_.SetCurrentSpace(ColorSpaceName());
  return 0;
}

int CColorSpaceSpec::ReadColorSpaceNameArrayFromBlockDict(const host::CosObj& array) {
  if (array.ArrayGet(0).IsArray()) owner_.SetCurrentSpace(ColorSpaceName());
  return 0;
}

int CColorSpaceSpec::ReadColorSpaceValueObjectFromBlockDict(const host::CosObj& array) {
  const host::CosObj value = array.ArrayGet(1);
  if (!IsNumber(value)) return -1;
  ColorValues(Service.CosNumberText(value));
  return 0;
}

int CColorSpaceSpec::ReadColorSpaceValueArrayFromBlockDict(const host::CosObj& array) {
  const host::CosObj values = array.ArrayGet(1);
  if (!values.IsArray()) return -1;
  std::string text;
  const int count = values.ArrayLength();
  for (int i = 0; i < count; ++i) {
    const std::optional<std::string> element = ElementText(values.ArrayGet(i));
    if (!element) continue;
    if (!text.empty()) text += ' ';
    text += *element;
  }
  ColorValues(text);
  return 0;
}

int CColorSpaceSpec::SaveColorSpaceNameObjectInBlockDict(host::CosDoc doc, host::CosObj& array) {
  array.ArrayPut(0, doc->NewName(false, ColorSpaceName()));
  return 0;
}

int CColorSpaceSpec::SaveColorSpaceNameArrayInBlockDict(host::CosDoc doc, host::CosObj& array) {
  host::CosObj names = doc->NewArray(false, 1);
  names.ArrayPut(0, doc->NewName(false, ColorSpaceName()));
  array.ArrayPut(0, names);
  return 0;
}

int CColorSpaceSpec::SaveColorSpaceValueObjectInBlockDict(host::CosDoc doc, host::CosObj& array) {
  if (values_.size() != 1) return -1;
  array.ArrayPut(1, korvid::storage::NewStoredReal(doc, values_.front()));
  return 0;
}

int CColorSpaceSpec::SaveColorSpaceValueArrayInBlockDict(host::CosDoc doc, host::CosObj& array) {
  if (values_.size() < 2) return -1;
  host::CosObj values = doc->NewArray(false, static_cast<int>(values_.size()));
  for (std::size_t i = 0; i < values_.size(); ++i) {
    values.ArrayPut(static_cast<int>(i), korvid::storage::NewStoredReal(doc, values_[i]));
  }
  array.ArrayPut(1, values);
  return 0;
}

// --- None -------------------------------------------------------------------

CColorSpaceNone::CColorSpaceNone(CColorSpaceProperty& owner)
    : CColorSpaceSpec(owner, {colorspace::kNone, "", 0}) {}

int CColorSpaceNone::ReadColorSpaceObjectFromBlockDict(const host::CosObj& array) {
  return ReadColorArrayBySpace(Owner(), array, true);
}

// --- Device spaces ------------------------------------------------------------

CColorSpaceDeviceGray::CColorSpaceDeviceGray(CColorSpaceProperty& owner)
    : CColorSpaceSpec(owner, {colorspace::kDeviceGray, "0", 1}) {}

int CColorSpaceDeviceGray::SaveColorSpaceInBlockDict(host::CosDoc doc, host::CosObj& array) {
  if (!HasFittingComponents()) return -1;
  if (const int result = SaveColorSpaceNameObjectInBlockDict(doc, array); result != 0) return result;
  return SaveColorSpaceValueObjectInBlockDict(doc, array);
}

CColorSpaceDeviceRGB::CColorSpaceDeviceRGB(CColorSpaceProperty& owner)
    : CColorSpaceSpec(owner, {colorspace::kDeviceRGB, "0 0 0", 3}) {}

CColorSpaceDeviceCMYK::CColorSpaceDeviceCMYK(CColorSpaceProperty& owner)
    : CColorSpaceSpec(owner, {colorspace::kDeviceCMYK, "0 0 0 0", 4}) {}

// --- Lab ----------------------------------------------------------------------

CColorSpaceLab::CColorSpaceLab(CColorSpaceProperty& owner) : CColorSpaceSpec(owner, {colorspace::kLab, "0 0 0", 3}) {}

bool CColorSpaceLab::IsValid(std::string_view text) const {
  std::vector<float> values;
  if (Service.ParseFloatSequence(text, values, false) != 3) return false;
  return values[0] >= 0 && values[0] <= 100 && values[1] >= -127 && values[1] <= 128 && values[2] >= -127 &&
         values[2] <= 128;
}

int CColorSpaceLab::ReadColorSpaceObjectFromBlockDict(const host::CosObj& array) {
  ReadColorSpaceNameArrayFromBlockDict(array);
  return ReadColorSpaceValueArrayFromBlockDict(array);
}

int CColorSpaceLab::SaveColorSpaceInBlockDict(host::CosDoc doc, host::CosObj& array) {
  if (!HasFittingComponents()) return -1;
  if (const int result = SaveColorSpaceNameArrayInBlockDict(doc, array); result != 0) return result;
  return SaveColorSpaceValueArrayInBlockDict(doc, array);
}

// --- Separation -----------------------------------------------------------------

CColorSpaceSeparation::CColorSpaceSeparation(CColorSpaceProperty& owner)
    : CColorSpaceSpec(owner, {colorspace::kSeparation, " 1", 1}) {}

void CColorSpaceSeparation::ColorValues(std::string_view text) {
  valuesText_ = text;
  ParseSeparationValue(text);
  values_ = {tint_};
}

void CColorSpaceSeparation::ParseSeparationValue(std::string_view text) {
  const std::size_t colon = text.find(':');
  if (colon == std::string_view::npos) return;
  spotName_ = text.substr(0, colon);
  const std::size_t equals = text.find('=', colon);
  if (equals == std::string_view::npos) return;
  const std::size_t end = text.find(' ', equals + 1);
  const std::string_view word = text.substr(equals + 1, end == std::string_view::npos ? end : end - equals - 1);
  tint_ = Service.GetFloatFromLocal(word);
  if (end == std::string_view::npos) return;
  const std::string_view rest = text.substr(end);
  const std::size_t next = rest.find('=');
  alternate_ = next == std::string_view::npos ? std::string() : std::string(rest.substr(next + 1));
}

void CColorSpaceSeparation::SetColorValues(const host::PDEColorSpec& color) {
  const host::CosObj& space = color.space.cosObj;
  if (!space.IsArray() || space.ArrayLength() < 2) return;
  const host::CosObj family = space.ArrayGet(0);
  const host::CosObj spot = space.ArrayGet(1);
  if (family.Type() != host::CosType::Name || family.NameValue() != colorspace::kSeparation) return;
  if (spot.Type() != host::CosType::Name) return;
  ColorValues(spot.NameValue() + ": tint=" +
              Service.GetFloatAsLocal(FormatFixed(host::FixedToFloat(color.value[0]), 3)));
}

void CColorSpaceSeparation::ConstructPropertyValue() { Owner().SetConstructedValue(valuesText_); }

bool CColorSpaceSeparation::IsValid(std::string_view text) const {
  const std::size_t equals = text.find('=');
  if (equals == std::string_view::npos) return false;
  const std::size_t end = text.find(' ', equals + 1);
  const std::string_view word = text.substr(equals + 1, end == std::string_view::npos ? end : end - equals - 1);
  std::vector<float> values;
  if (Service.ParseFloatSequence(word, values, false) != 1) return false;
  return AllIn(values, 0, 1);
}

int CColorSpaceSeparation::ReadColorSpaceObjectFromBlockDict(const host::CosObj& array) {
  const host::CosObj names = array.ArrayGet(0);
  if (!names.IsArray() || names.ArrayLength() < 2) return -1;
  const host::CosObj spot = names.ArrayGet(1);
  if (spot.Type() != host::CosType::Name && spot.Type() != host::CosType::String) return -1;
  const host::CosObj tint = array.ArrayGet(1);
  if (!IsNumber(tint)) return -1;
  std::string text = *ElementText(spot) + ": tint=" + Service.CosNumberText(tint);
  const host::CosObj alternate = array.ArrayGet(2);
  if (alternate.IsArray()) {
    std::unique_ptr<CColorSpaceProperty> temporary = Owner().MakeTemporary();
    if (ReadColorArrayBySpace(*temporary, alternate, false) != 0) return -1;
    temporary->ConstructPropertyValue();
    text += " Alternate=" + temporary->TagValue();
  }
  Owner().SetCurrentSpace(colorspace::kSeparation);
  ColorValues(text);
  return 0;
}

int CColorSpaceSeparation::SaveColorSpaceInBlockDict(host::CosDoc doc, host::CosObj& array) {
  if (!std::isfinite(tint_)) return -1;
  host::CosObj alternateArray;
  if (!alternate_.empty()) {
    std::unique_ptr<CColorSpaceProperty> temporary = Owner().MakeTemporary();
    temporary->TagValue(alternate_);
    CColorSpaceSpec* spec = temporary->GetColorSpec("");
    const std::string space = spec->ColorSpaceName();
    // An alternate is a process colour; a spot colour inside a spot colour
    // is never written.
    if (space == colorspace::kSeparation || space == colorspace::kNone) return -1;
    alternateArray = doc->NewArray(false, 2);
    if (spec->SaveColorSpaceInBlockDict(doc, alternateArray) != 0) return -1;
  }
  host::CosObj names = doc->NewArray(false, 2);
  names.ArrayPut(0, doc->NewName(false, colorspace::kSeparation));
  names.ArrayPut(1, doc->NewName(false, spotName_));
  array.ArrayPut(0, names);
  array.ArrayPut(1, korvid::storage::NewStoredReal(doc, tint_));
  if (!alternateArray.IsNull()) array.ArrayPut(2, alternateArray);
  return 0;
}
