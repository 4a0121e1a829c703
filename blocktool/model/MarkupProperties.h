// One named property of a block: its schema data (class, mode bits, value
// list, interval, maximum count, dependency) and its value. Every value is
// text; the value type only decides parsing, checking, comparison with the
// default and the PDF form.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "blocktool/model/PropertyTypes.h"
#include "host/ASText.h"
#include "host/Cos.h"

// A property that counts only while another property (the controller) has a
// given value.
class CPropertyDependency {
 public:
  CPropertyDependency(std::string controller, std::string value, int mode)
      : controller_(std::move(controller)), value_(std::move(value)), mode_(mode) {}
  CPropertyDependency(const CPropertyDependency&) = default;

  const std::string& DependProperty() const { return controller_; }
  const std::string& DependPropertyValue() const { return value_; }
  int DependMode() const { return mode_; }
  // 0 and 1 swap, 2 and 3 swap.
  static void InvertDependMode(int& mode) { mode ^= 1; }
  // Modes 1 and 3 mean the property does not count.
  static bool Counts(int mode) { return (mode & 1) == 0; }

 private:
  std::string controller_;
  std::string value_;
  int mode_;
};

class CMarkupProperties {
 public:
  CMarkupProperties();
  CMarkupProperties(std::string_view name, std::string_view defaultValue, std::string_view description,
                    PropertyClass propertyClass, PropertyMode mode);
  CMarkupProperties(const CMarkupProperties& source);
  CMarkupProperties& operator=(const CMarkupProperties&) = delete;
  virtual ~CMarkupProperties();

  // A copy of the same kind (a colour property copies as a colour property).
  virtual std::unique_ptr<CMarkupProperties> Clone() const;
  // A plain property with every field of this one.
  std::unique_ptr<CMarkupProperties> ClonePlain() const;

  // --- Schema ---------------------------------------------------------------
  PropertyClass GetClass() const;
  PropertyClass GetStoredClass() const { return class_; }
  void SetClass(PropertyClass propertyClass) { class_ = propertyClass; }
  bool IsMatchClass(PropertyClass blockClass) const;
  PropertyPDFType GetPDFType() const { return mode_ & kPDFTypeMask; }
  void TagMode(PropertyMode bits) { mode_ = bits; }
  void AddTagMode(PropertyMode bits) { mode_ |= bits; }
  bool TagHasMode(PropertyMode bits) const { return (mode_ & bits) == bits; }
  PropertyMode GetTagMode() const { return mode_; }
  // Longest value text in UTF-8 bytes the dialog accepts.
  int GetTextLengthLimit() const { return TagHasMode(mode::kName) ? 125 : 4096; }
  int MaxNumOfValues() const { return maxValues_; }
  void MaxNumOfValues(int n) { maxValues_ = n; }
  void ValueInterval(float min, float max, bool exclusive);
  float IntervalMin() const { return intervalMin_; }
  float IntervalMax() const { return intervalMax_; }
  bool IntervalExclusive() const { return intervalExclusive_; }
  void SetDependency(std::string_view controller, std::string_view value, int mode);
  const CPropertyDependency* GetDependency() const { return dependency_.get(); }

  // Value list. A boolean with an empty list offers the true and false keywords.
  int GetValueListSize() const;
  std::string GetNthListValue(int n) const;
  void AddValueToList(std::string_view text) { OwnValueList().emplace_back(text); }
  bool IsListValue(std::string_view text) const;
  const std::vector<std::string>& ValueList() const;
  void ClearValueList() { valueList_.reset(); }

  // The type hint shown beside the value: the bracketed part of the
  // description; for Rect followed by the unit label of the page units.
  std::string TagShortDescription() const;
  std::string TagShortDescription(int pageUnits) const;

  // --- Value and texts --------------------------------------------------------
  // Texts beginning with FE FF are UTF-16BE; anything else is 8-bit text
  // (UTF-8 on this platform).
  void TagName(std::string_view text, host::ASScript script = host::kScriptUTF8);
  const std::string& TagName() const { return name_; }
  void TagASTextName(const host::ASText& text);
  const host::ASText& TagASTextName() const { return nameText_; }
  bool IsTagName(std::string_view text) const { return name_ == text; }
  void TagValue(std::string_view text, host::ASScript script = host::kScriptUTF8);
  const std::string& TagValue() const { return value_; }
  void ASTextValue(const host::ASText& text);
  const host::ASText& ASTextValue() const { return valueText_; }
  std::string ASTextPDFStorageUTF8Value() const { return valueText_.UTF8(); }
  const std::string& TagIntValue(int& out) const;
  bool TagBoolValue() const;
  void TagDescription(std::string_view text) { description_ = std::make_shared<const std::string>(text); }
  const std::string& TagDescription() const;
  void TagDefaultValue(std::string_view text) { default_ = text; }
  const std::string& TagDefaultValue() const { return default_; }
  void TagCosObj(const host::CosObj& obj);
  const host::CosObj& TagCosObj() const { return cosObj_; }
  host::ASScript ScriptEncoding() const { return script_; }

  void RestoreDefaultValue(PropertyMode mask);
  void Invalidated(bool flag) { invalidated_ = flag; }
  bool Invalidated() const { return invalidated_; }
  virtual bool IsDefault() const;
  bool IsValueInInterval(std::string_view text) const;
  bool IsValueMatchValue(std::string_view text) const { return value_ == text; }

  int ParseStringSequence(std::vector<std::string>& out) const;
  int ParseFloatSequence(std::vector<float>& out, bool keepPartial) const;
  int GetSequenceElementsNum() const;

  // Takes over a property added under the same name: 0, or -1 without source.
  int MergeProperties(const CMarkupProperties* source, bool addModes);

  // Whether a typed value may be set: 0, or the number of the message that
  // refuses it (1083 bad value, 1082 name already on the page, 1018 bad
  // characters in a name). nameKnownOnPage answers whether a block of the
  // active page already has a name.
  int CheckNewValue(std::string_view value,
                    const std::function<bool(std::string_view)>& nameKnownOnPage = {}) const;
  // Shows resource string n, formatted with the property name, as a note alert.
  void Alert(int stringNumber) const;

  // --- Stored form in a block dictionary (MarkupPropertiesStorage.cpp) -------
  // Writes the property into the block dictionary when its value is to be
  // stored: 0 (also when nothing was to be written), -1 on a failure.
  // controller: the property this one depends on, when there is one.
  int SavePropertyInBlockDict(host::CosDoc doc, const host::CosObj& blockDict,
                              const CMarkupProperties* controller) const;
  // The PDF object of one value or array element of the given value type.
  host::CosObj CreateSimpleCosObj(host::CosDoc doc, std::string_view text, PropertyPDFType type) const;
  // Whether a stored object of this kind is read into the property.
  bool AcceptsStoredObject(const host::CosObj& obj) const;
  // Reads a stored object into the value: 0, or -1 (the value stays).
  int ReadPropertyObjectFromBlockDict(const host::CosObj& obj);
  // The text of one stored value or element of the given value type.
  std::string ReadSimplePropertyObjectFromBlockDict(const host::CosObj& obj, PropertyPDFType type) const;
  // The value type used for storing: tabalignchar is stored as a number.
  PropertyPDFType StoredPDFType() const;

 protected:
  // Sets the value text without telling subclasses (for values they build).
  void SetValueText(std::string_view text, host::ASScript script);
  // Called after the value was set from outside.
  virtual void ValueChanged() {}

 private:
  host::CosObj CreateArrayCosObj(host::CosDoc doc) const;
  // The value list to change: its own copy when it is shared with another property.
  std::vector<std::string>& OwnValueList();
  bool NumberCheckApplies(std::string_view value) const;
  bool CountCheckPasses(std::string_view value) const;

  int maxValues_ = 1;
  float intervalMin_ = -2147483648.0f;
  float intervalMax_ = 2147483648.0f;
  bool intervalExclusive_ = false;
  std::string name_;
  std::string value_;
  std::string default_;
  // Schema texts that copies of a property share until one of them changes
  // them: a block holds 75 properties and these never differ between blocks.
  std::shared_ptr<const std::string> description_;
  bool invalidated_ = false;
  host::CosObj cosObj_;
  host::ASText valueText_;
  host::ASText nameText_;
  host::ASScript script_ = host::kScriptUTF8;
  PropertyMode mode_ = 0;
  PropertyClass class_ = PropGeneral;
  std::shared_ptr<std::vector<std::string>> valueList_;
  std::shared_ptr<const CPropertyDependency> dependency_;
};
