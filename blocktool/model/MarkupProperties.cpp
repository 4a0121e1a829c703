#include "blocktool/model/MarkupProperties.h"

#include <algorithm>

#include "blocktool/model/NumberText.h"
#include "blocktool/model/Service.h"
#include "host/PluginEntry.h"

namespace {

host::ASText TextFrom8Bit(std::string_view text, host::ASScript script) {
  if (text.size() >= 2 && static_cast<unsigned char>(text[0]) == 0xFE && static_cast<unsigned char>(text[1]) == 0xFF) {
    return host::ASText::FromUTF16BE(text);
  }
  return host::ASText::FromScriptText(text, script);
}

// Unit labels of Rect by the host's page-units preference 0 to 4.
constexpr int kUnitLabels[] = {36, 33, 34, 32, 35};

const std::string kNoText;
const std::vector<std::string> kNoValues;

}  // namespace

CMarkupProperties::CMarkupProperties() = default;

CMarkupProperties::CMarkupProperties(std::string_view name, std::string_view defaultValue,
                                     std::string_view description, PropertyClass propertyClass, PropertyMode mode)
    : default_(defaultValue),
      description_(std::make_shared<const std::string>(description)),
      mode_(mode),
      class_(propertyClass) {
  TagName(name);
  SetValueText(defaultValue, script_);
}

CMarkupProperties::CMarkupProperties(const CMarkupProperties& source)
    : maxValues_(source.maxValues_),
      intervalMin_(source.intervalMin_),
      intervalMax_(source.intervalMax_),
      intervalExclusive_(source.intervalExclusive_),
      name_(source.name_),
      value_(source.value_),
      default_(source.default_),
      description_(source.description_),
      invalidated_(source.invalidated_),
      cosObj_(source.cosObj_),
      valueText_(source.valueText_),
      nameText_(source.nameText_),
      script_(source.script_),
      mode_(source.mode_),
      class_(source.class_),
      valueList_(source.valueList_),
      dependency_(source.dependency_) {}

CMarkupProperties::~CMarkupProperties() = default;

std::unique_ptr<CMarkupProperties> CMarkupProperties::Clone() const { return ClonePlain(); }

std::unique_ptr<CMarkupProperties> CMarkupProperties::ClonePlain() const {
  return std::make_unique<CMarkupProperties>(*this);
}

PropertyClass CMarkupProperties::GetClass() const {
  if (class_ == PropInternal) return PropInternalReported;
  if (class_ == PropCustom) return PropCustom;
  return class_ & PropKindBits;
}

bool CMarkupProperties::IsMatchClass(PropertyClass c) const {
  const PropertyClass a = GetClass();
  if ((a & PropKindBits) == 0) return true;
  if (!(c & PropText) && !(a & PropTextflow) && !(a & PropRulerTab) && !(c & PropImage) && !(c & PropPDF)) return true;
  return (a & c) != 0 || (c == PropText && (a & (PropTextflow | PropRulerTab)) != 0);
}

void CMarkupProperties::ValueInterval(float min, float max, bool exclusive) {
  intervalMin_ = min;
  intervalMax_ = max;
  intervalExclusive_ = exclusive;
}

void CMarkupProperties::SetDependency(std::string_view controller, std::string_view value, int mode) {
  dependency_ = std::make_shared<const CPropertyDependency>(std::string(controller), std::string(value), mode);
}

const std::string& CMarkupProperties::TagDescription() const { return description_ ? *description_ : kNoText; }

const std::vector<std::string>& CMarkupProperties::ValueList() const { return valueList_ ? *valueList_ : kNoValues; }

std::vector<std::string>& CMarkupProperties::OwnValueList() {
  if (!valueList_) {
    valueList_ = std::make_shared<std::vector<std::string>>();
  } else if (valueList_.use_count() > 1) {
    valueList_ = std::make_shared<std::vector<std::string>>(*valueList_);
  }
  return *valueList_;
}

int CMarkupProperties::GetValueListSize() const {
  const std::vector<std::string>& values = ValueList();
  if (TagHasMode(mode::kBoolean) && values.empty()) return 2;
  return static_cast<int>(values.size());
}

std::string CMarkupProperties::GetNthListValue(int n) const {
  if (n < 0) return {};
  if (const std::vector<std::string>& values = ValueList(); static_cast<std::size_t>(n) < values.size()) return values[n];
  if (TagHasMode(mode::kBoolean)) return Service.GetStringByID(n == 0 ? str::kTrue : str::kFalse);
  return {};
}

bool CMarkupProperties::IsListValue(std::string_view text) const {
  if (!(mode_ & (mode::kBoolean | mode::kClosedList | mode::kOpenList))) return false;
  const std::vector<std::string>& values = ValueList();
  return std::find(values.begin(), values.end(), text) != values.end();
}

std::string CMarkupProperties::TagShortDescription() const {
  return TagShortDescription(gAcroViewHFT ? gAcroViewHFT->PageUnits() : 0);
}

std::string CMarkupProperties::TagShortDescription(int pageUnits) const {
  if (class_ == PropCustom) {
    int typeName = str::kTypeText;
    if (TagHasMode(mode::kName)) {
      typeName = str::kTypePDFName;
    } else if (TagHasMode(mode::kNumber)) {
      typeName = str::kTypeNumber;
    } else if (TagHasMode(mode::kArray)) {
      typeName = str::kTypeSequence;
    }
    return "  (" + Service.GetStringByID(typeName) + ")";
  }
  const std::string& description = TagDescription();
  std::size_t open = description.find('[');
  std::size_t close = std::string::npos;
  if (open != std::string::npos) {
    close = description.find(']', open + 1);
  } else if ((open = description.rfind('(')) != std::string::npos) {
    close = description.find(')', open + 1);
  }
  std::string hint = "  ";
  if (open != std::string::npos && close != std::string::npos) hint += description.substr(open + 1, close - open - 1);
  if (name_ == "Rect") {
    hint += (pageUnits >= 0 && pageUnits <= 4) ? Service.GetStringByID(kUnitLabels[pageUnits]) : " (unknown)";
  }
  return hint;
}

void CMarkupProperties::TagName(std::string_view text, host::ASScript script) {
  nameText_ = TextFrom8Bit(text, script);
  name_ = nameText_.ScriptText(script_);
}

void CMarkupProperties::TagASTextName(const host::ASText& text) {
  nameText_ = text;
  name_ = Service.GetBestEncodedStringFromASText(text, script_);
}

void CMarkupProperties::SetValueText(std::string_view text, host::ASScript script) {
  valueText_ = TextFrom8Bit(text, script);
  script_ = script;
  value_ = valueText_.ScriptText(script_);
}

void CMarkupProperties::TagValue(std::string_view text, host::ASScript script) {
  SetValueText(text, script);
  ValueChanged();
}

void CMarkupProperties::ASTextValue(const host::ASText& text) {
  valueText_ = text;
  script_ = text.BestScript();
  value_ = Service.GetBestEncodedStringFromASText(text, script_);
  ValueChanged();
}

const std::string& CMarkupProperties::TagIntValue(int& out) const {
  out = korvid::numbers::LeadingInteger(value_);
  return value_;
}

bool CMarkupProperties::TagBoolValue() const {
  return TagHasMode(mode::kBoolean) && value_ == Service.GetStringByID(str::kTrue);
}

void CMarkupProperties::TagCosObj(const host::CosObj& obj) {
  cosObj_ = obj;
  TagValue(obj.IsNull() ? "0" : "1");
}

void CMarkupProperties::RestoreDefaultValue(PropertyMode mask) {
  if (class_ == PropCustom || (mode_ & mask) != 0) return;
  TagValue(default_);
}

bool CMarkupProperties::IsDefault() const {
  PropertyPDFType type = GetPDFType();
  if (type == PDFTypeNameOrNumber) type = IsListValue(value_) ? PDFTypeName : PDFTypeNumber;
  if (type == PDFTypeNumber) return Service.GetFloatFromLocal(value_) == Service.GetFloatFromLocal(default_);
  return value_ == default_;
}

bool CMarkupProperties::IsValueInInterval(std::string_view text) const {
  if (!TagHasMode(mode::kNumber)) return true;
  const auto passes = [this](float x) {
    return intervalExclusive_ ? (x < intervalMin_ || x > intervalMax_) : (intervalMin_ <= x && x <= intervalMax_);
  };
  if (TagHasMode(mode::kArray)) {
    std::vector<float> numbers;
    if (Service.ParseFloatSequence(text, numbers, false) == 0) return false;
    return std::all_of(numbers.begin(), numbers.end(), passes);
  }
  return passes(Service.GetFloatFromLocal(text));
}

int CMarkupProperties::ParseStringSequence(std::vector<std::string>& out) const {
  return Service.ParseStringSequence(value_, out);
}

int CMarkupProperties::ParseFloatSequence(std::vector<float>& out, bool keepPartial) const {
  return Service.ParseFloatSequence(value_, out, keepPartial);
}

int CMarkupProperties::GetSequenceElementsNum() const { return Service.GetSequenceElementsNum(value_); }

int CMarkupProperties::MergeProperties(const CMarkupProperties* source, bool addModes) {
  if (!source) return -1;
  mode_ = addModes ? (mode_ | source->mode_) : source->mode_;
  invalidated_ = source->invalidated_;
  if (!source->name_.empty()) TagName(source->name_, source->script_);
  if (!source->value_.empty()) TagValue(source->value_, source->script_);
  if (!source->TagDescription().empty()) description_ = source->description_;
  for (const std::string& entry : source->ValueList()) {
    const std::vector<std::string>& values = ValueList();
    if (std::find(values.begin(), values.end(), entry) == values.end()) OwnValueList().push_back(entry);
  }
  return 0;
}

bool CMarkupProperties::NumberCheckApplies(std::string_view value) const {
  if (!TagHasMode(mode::kNumber)) return false;
  const bool nameOrNumber = (GetPDFType() & ~mode::kArray) == PDFTypeNameOrNumber;
  return !(nameOrNumber && IsListValue(value));
}

bool CMarkupProperties::CountCheckPasses(std::string_view value) const {
  const int count = Service.GetSequenceElementsNum(value);
  if (class_ == PropCustom && count >= 1) return true;
  if (TagHasMode(mode::kBoundedCount)) return count >= 1 && count <= maxValues_;
  return count == GetSequenceElementsNum();
}

int CMarkupProperties::CheckNewValue(std::string_view value,
                                     const std::function<bool(std::string_view)>& nameKnownOnPage) const {
  if (value.empty() && (TagHasMode(mode::kRequired) || class_ == PropCustom)) return str::kValueRefused;
  if (name_ == "Name" && value != value_ && nameKnownOnPage && nameKnownOnPage(value)) return str::kNameExists;
  if (TagHasMode(mode::kName)) {
    std::string repaired(value);
    if (Service.CheckKeyName(repaired)) return str::kNameCharacters;
  }
  if (NumberCheckApplies(value)) {
    if (!IsValueInInterval(value)) return str::kValueRefused;
    if (!TagHasMode(mode::kArray) && Service.GetSequenceElementsNum(value) != 1) return str::kValueRefused;
    if (!Service.CheckPercentageValue(value, TagHasMode(mode::kPercentage))) return str::kValueRefused;
  }
  if (TagHasMode(mode::kFixedCount) && !CountCheckPasses(value)) return str::kValueRefused;
  return 0;
}

void CMarkupProperties::Alert(int stringNumber) const {
  if (!gAcroViewHFT) return;
  gAcroViewHFT->AlertNote(korvid::numbers::FormatString(Service.GetStringByID(stringNumber), name_));
}
