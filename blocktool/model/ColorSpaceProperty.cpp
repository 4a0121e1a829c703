#include "blocktool/model/ColorSpaceProperty.h"

#include <array>

namespace {

constexpr std::array<const char*, 6> kNamedSpaces = {colorspace::kNone,       colorspace::kDeviceGray,
                                                     colorspace::kDeviceRGB,  colorspace::kDeviceCMYK,
                                                     colorspace::kSeparation, colorspace::kLab};
constexpr std::array<const char*, 4> kUnnamedSpaces = {colorspace::kDeviceGray, colorspace::kDeviceRGB,
                                                       colorspace::kDeviceCMYK, colorspace::kLab};

std::string FirstWord(std::string_view text) { return std::string(text.substr(0, text.find(' '))); }

}  // namespace

CColorSpaceProperty::CColorSpaceProperty(std::string_view name, std::string_view defaultValue,
                                         std::string_view description, PropertyClass propertyClass, PropertyMode mode)
    : CMarkupProperties(name, defaultValue, description, propertyClass, mode) {
  InitializeValuesList(nullptr);
  ParsePropertyValue();
}

CColorSpaceProperty::CColorSpaceProperty(const CMarkupProperties& source) : CMarkupProperties(source) {
  ClearValueList();
  InitializeValuesList(nullptr);
  ParsePropertyValue();
}

CColorSpaceProperty::CColorSpaceProperty(const CColorSpaceProperty& source)
    : CMarkupProperties(source), currentSpace_(source.currentSpace_), ignoreMatch_(source.ignoreMatch_) {
  ClearValueList();
  InitializeValuesList(&source);
  ParsePropertyValue();
}

CColorSpaceProperty::~CColorSpaceProperty() = default;

std::unique_ptr<CMarkupProperties> CColorSpaceProperty::Clone() const {
  return std::make_unique<CColorSpaceProperty>(*this);
}

std::unique_ptr<CColorSpaceSpec> CColorSpaceProperty::MakeSpec(std::string_view spaceName) {
  if (spaceName == colorspace::kNone) return std::make_unique<CColorSpaceNone>(*this);
  if (spaceName == colorspace::kDeviceGray) return std::make_unique<CColorSpaceDeviceGray>(*this);
  if (spaceName == colorspace::kDeviceRGB) return std::make_unique<CColorSpaceDeviceRGB>(*this);
  if (spaceName == colorspace::kDeviceCMYK) return std::make_unique<CColorSpaceDeviceCMYK>(*this);
  if (spaceName == colorspace::kSeparation) return std::make_unique<CColorSpaceSeparation>(*this);
  return std::make_unique<CColorSpaceLab>(*this);
}

void CColorSpaceProperty::InitializeValuesList(const CColorSpaceProperty* source) {
  specs_.clear();
  const auto add = [&](const char* spaceName) {
    std::unique_ptr<CColorSpaceSpec> spec = MakeSpec(spaceName);
    AddValueToList(spaceName);
    if (source) spec->SetColorSpec(*source);
    specs_.emplace(spaceName, std::move(spec));
  };
  if (TagName().empty()) {
    for (const char* spaceName : kUnnamedSpaces) add(spaceName);
  } else {
    for (const char* spaceName : kNamedSpaces) add(spaceName);
  }
}

const CColorSpaceSpec* CColorSpaceProperty::FindColorSpec(std::string_view spaceName) const {
  const auto found = specs_.find(spaceName);
  return found == specs_.end() ? nullptr : found->second.get();
}

CColorSpaceSpec* CColorSpaceProperty::GetColorSpec(std::string_view spaceName) {
  if (spaceName.empty()) spaceName = currentSpace_.empty() ? std::string_view(colorspace::kNone) : currentSpace_;
  if (const auto found = specs_.find(spaceName); found != specs_.end()) return found->second.get();
  currentSpace_ = colorspace::kDeviceGray;
  return specs_.at(colorspace::kDeviceGray).get();
}

void CColorSpaceProperty::ColorSpaceName(std::string_view spaceName) {
  currentSpace_ = spaceName;
  ConstructPropertyValue();
}

void CColorSpaceProperty::ColorValues(std::string_view text) {
  GetColorSpec("")->ColorValues(text);
  ConstructPropertyValue();
}

std::string CColorSpaceProperty::ColorValues() { return GetColorSpec("")->ColorValues(); }

int CColorSpaceProperty::ParsePropertyValue() {
  const std::string value = TagValue();
  currentSpace_ = FirstWord(value);
  const std::size_t open = value.find('[');
  const std::size_t close = open == std::string::npos ? open : value.find(']', open + 1);
  if (const auto found = specs_.find(currentSpace_); found != specs_.end() && close != std::string::npos) {
    found->second->ColorValues(value.substr(open + 1, close - open - 1));
    return 0;
  }
  if (value.find("tint=") != std::string::npos) {
    currentSpace_ = colorspace::kSeparation;
    if (const auto found = specs_.find(currentSpace_); found != specs_.end()) {
      found->second->ColorValues(value);
      return 0;
    }
  }
  return -1;
}

void CColorSpaceProperty::ConstructPropertyValue() { GetColorSpec("")->ConstructPropertyValue(); }

ColorSpaceData CColorSpaceProperty::GetColorSpaceDefault(std::string_view spaceName) const {
  const CColorSpaceSpec* spec = FindColorSpec(spaceName);
  return spec ? spec->GetColorSpaceDefault() : ColorSpaceData{};
}

bool CColorSpaceProperty::IsDefault() const {
  const CColorSpaceSpec* spec = FindColorSpec(currentSpace_.empty() ? colorspace::kNone : currentSpace_);
  if (!spec) spec = FindColorSpec(colorspace::kDeviceGray);
  return spec->IsDefault(TagDefaultValue());
}

void CColorSpaceProperty::SetConstructedValue(std::string_view text) { SetValueText(text, ScriptEncoding()); }

void CColorSpaceProperty::ValueChanged() {
  if (parsing_) return;
  parsing_ = true;
  ParsePropertyValue();
  parsing_ = false;
}

std::unique_ptr<CColorSpaceProperty> CColorSpaceProperty::MakeTemporary() const {
  return std::make_unique<CColorSpaceProperty>(TagName(), "", "", GetStoredClass(), GetTagMode());
}

host::CosObj CColorSpaceProperty::MakeColorArray(host::CosDoc doc) const {
  CColorSpaceProperty temporary(*this);
  CColorSpaceSpec* spec = temporary.GetColorSpec("");
  if (spec->ColorSpaceName() == colorspace::kNone) return {};
  host::CosObj array = doc->NewArray(false, 2);
  if (spec->SaveColorSpaceInBlockDict(doc, array) != 0) return {};
  return array;
}

int CColorSpaceProperty::ReadColorArray(const host::CosObj& array) {
  if (!array.IsArray()) return -1;
  const int length = array.ArrayLength();
  if (length < 2 || length > 3) return -1;
  CColorSpaceProperty scratch(static_cast<const CMarkupProperties&>(*this));
  if (ReadColorArrayBySpace(scratch, array, true) != 0) return -1;
  scratch.ConstructPropertyValue();
  TagValue(scratch.TagValue(), scratch.ScriptEncoding());
  return 0;
}

int ReadColorArrayBySpace(CColorSpaceProperty& owner, const host::CosObj& array, bool allowSeparation) {
  const host::CosObj first = array.ArrayGet(0);
  std::string spaceName;
  if (first.Type() == host::CosType::Name) {
    spaceName = first.NameValue();
  } else if (first.IsArray()) {
    const host::CosObj inner = first.ArrayGet(0);
    if (inner.Type() == host::CosType::Name) spaceName = inner.NameValue();
  } else {
    return -1;
  }
  if (spaceName == colorspace::kNone || spaceName.empty()) return -1;
  if (spaceName == colorspace::kSeparation && !allowSeparation) return -1;
  CColorSpaceSpec* spec = owner.GetColorSpec(spaceName);
  owner.SetCurrentSpace(spec->ColorSpaceName());
  return spec->ReadColorSpaceObjectFromBlockDict(array);
}
