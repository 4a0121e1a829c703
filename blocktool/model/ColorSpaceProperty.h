// A property whose value is a colour: "space [components]", "" for none, or
// a spot colour text with "tint=". It owns one spec per colour space.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "blocktool/model/ColorSpaceSpec.h"
#include "blocktool/model/MarkupProperties.h"

class CColorSpaceProperty : public CMarkupProperties {
 public:
  CColorSpaceProperty(std::string_view name, std::string_view defaultValue, std::string_view description,
                      PropertyClass propertyClass, PropertyMode mode);
  explicit CColorSpaceProperty(const CMarkupProperties& source);
  CColorSpaceProperty(const CColorSpaceProperty& source);
  ~CColorSpaceProperty() override;

  std::unique_ptr<CMarkupProperties> Clone() const override;

  // Drops all specs and makes one per space, each taking its components from
  // the same space of source when given.
  void InitializeValuesList(const CColorSpaceProperty* source);
  // "" means the current space (None when that is "" too); an unknown name
  // makes DeviceGray current.
  CColorSpaceSpec* GetColorSpec(std::string_view spaceName);
  const CColorSpaceSpec* FindColorSpec(std::string_view spaceName) const;
  void ColorSpaceName(std::string_view spaceName);
  const std::string& ColorSpaceName() const { return currentSpace_; }
  void ColorValues(std::string_view text);
  std::string ColorValues();
  // Value text to space and components: 0 when understood, else -1.
  int ParsePropertyValue();
  void ConstructPropertyValue();
  ColorSpaceData GetColorSpaceDefault(std::string_view spaceName) const;
  void IgnoreMatch(std::int16_t flag) { ignoreMatch_ = flag; }
  std::int16_t IgnoreMatch() const { return ignoreMatch_; }
  bool IsDefault() const override;

  // The PDF form of the value: a new two- or three-element array, or the
  // null object when the colour cannot be written (no colour, or components
  // that do not fit the space).
  host::CosObj MakeColorArray(host::CosDoc doc) const;
  // Reads a stored colour array: 0, or -1 (the value is then unchanged) when
  // it is not an array of two or three elements that some space reads.
  int ReadColorArray(const host::CosObj& array);

  // Used by the specs.
  void SetCurrentSpace(std::string_view spaceName) { currentSpace_ = spaceName; }
  void SetConstructedValue(std::string_view text);
  // A scratch colour property named like this one (for alternates).
  std::unique_ptr<CColorSpaceProperty> MakeTemporary() const;

 protected:
  void ValueChanged() override;

 private:
  std::unique_ptr<CColorSpaceSpec> MakeSpec(std::string_view spaceName);

  std::string currentSpace_;
  std::int16_t ignoreMatch_ = 0;
  std::map<std::string, std::unique_ptr<CColorSpaceSpec>, std::less<>> specs_;
  bool parsing_ = false;
};

// Reads a colour array through the space its first element names; a
// Separation may be refused (alternates are never spot colours), and None
// never reads itself again.
int ReadColorArrayBySpace(CColorSpaceProperty& owner, const host::CosObj& array, bool allowSeparation);
