// One colour space of a colour property: parses, checks, formats, reads and
// writes the colour in that space. The PDF form is a two- or three-element
// array built through the host's object layer.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "host/Cos.h"
#include "host/PDE.h"

class CColorSpaceProperty;

struct ColorSpaceData {
  std::string spaceName;
  std::string defaultValues;
  int numValues = -1;
};

namespace colorspace {
inline constexpr const char* kNone = "None";
inline constexpr const char* kDeviceGray = "DeviceGray";
inline constexpr const char* kDeviceRGB = "DeviceRGB";
inline constexpr const char* kDeviceCMYK = "DeviceCMYK";
inline constexpr const char* kSeparation = "Separation";
inline constexpr const char* kLab = "Lab";
}  // namespace colorspace

class CColorSpaceSpec {
 public:
  CColorSpaceSpec(CColorSpaceProperty& owner, ColorSpaceData data);
  CColorSpaceSpec(const CColorSpaceSpec&) = delete;
  CColorSpaceSpec& operator=(const CColorSpaceSpec&) = delete;
  virtual ~CColorSpaceSpec();

  virtual std::string ColorSpaceName() const;
  virtual void ColorValues(std::string_view text);
  virtual const std::string& ColorValues() const;
  virtual int ParseColorValues();
  virtual void SetColorValues(const std::vector<float>& values);
  virtual void SetColorValues(const host::PDEColorSpec& color);
  virtual int GetColorValues(std::vector<float>& out) const;
  virtual int GetNumOfColorValues() const;
  virtual void ConstructPropertyValue();
  virtual bool IsValid(std::string_view text) const;
  virtual bool IsDefault(std::string_view defaultText) const;
  virtual const ColorSpaceData& GetColorSpaceDefault() const;
  virtual int ReadColorSpaceObjectFromBlockDict(const host::CosObj& array);
  // The caller makes the array; answers 0, or -1 when the colour does not fit
  // its space (nothing must then be written).
  virtual int SaveColorSpaceInBlockDict(host::CosDoc doc, host::CosObj& array);
  virtual void SetColorSpec(const CColorSpaceProperty& source);
  virtual int ReadColorSpaceNameObjectFromBlockDict(const host::CosObj& array);
  virtual int ReadColorSpaceNameArrayFromBlockDict(const host::CosObj& array);
  virtual int ReadColorSpaceValueObjectFromBlockDict(const host::CosObj& array);
  virtual int ReadColorSpaceValueArrayFromBlockDict(const host::CosObj& array);
  virtual int SaveColorSpaceNameObjectInBlockDict(host::CosDoc doc, host::CosObj& array);
  virtual int SaveColorSpaceNameArrayInBlockDict(host::CosDoc doc, host::CosObj& array);
  virtual int SaveColorSpaceValueObjectInBlockDict(host::CosDoc doc, host::CosObj& array);
  virtual int SaveColorSpaceValueArrayInBlockDict(host::CosDoc doc, host::CosObj& array);

 protected:
  CColorSpaceProperty& Owner() const { return owner_; }
  void SetComponentsText(std::string_view text) { valuesText_ = text; }
  // Components whose count fits the space.
  bool HasFittingComponents() const;

  std::string valuesText_;
  std::vector<float> values_;
  ColorSpaceData data_;

 private:
  CColorSpaceProperty& owner_;
};

class CColorSpaceNone final : public CColorSpaceSpec {
 public:
  explicit CColorSpaceNone(CColorSpaceProperty& owner);
  int ReadColorSpaceObjectFromBlockDict(const host::CosObj& array) override;
};

class CColorSpaceDeviceGray final : public CColorSpaceSpec {
 public:
  explicit CColorSpaceDeviceGray(CColorSpaceProperty& owner);
  int SaveColorSpaceInBlockDict(host::CosDoc doc, host::CosObj& array) override;
};

class CColorSpaceDeviceRGB final : public CColorSpaceSpec {
 public:
  explicit CColorSpaceDeviceRGB(CColorSpaceProperty& owner);
};

class CColorSpaceDeviceCMYK final : public CColorSpaceSpec {
 public:
  explicit CColorSpaceDeviceCMYK(CColorSpaceProperty& owner);
};

class CColorSpaceLab final : public CColorSpaceSpec {
 public:
  explicit CColorSpaceLab(CColorSpaceProperty& owner);
  bool IsValid(std::string_view text) const override;
  int ReadColorSpaceObjectFromBlockDict(const host::CosObj& array) override;
  int SaveColorSpaceInBlockDict(host::CosDoc doc, host::CosObj& array) override;
};

// A spot colour: "name: tint=t" and optionally " Alternate=" followed by the
// alternate colour's own value text.
class CColorSpaceSeparation final : public CColorSpaceSpec {
 public:
  explicit CColorSpaceSeparation(CColorSpaceProperty& owner);
  void ColorValues(std::string_view text) override;
  const std::string& ColorValues() const override { return CColorSpaceSpec::ColorValues(); }
  void SetColorValues(const host::PDEColorSpec& color) override;
  using CColorSpaceSpec::SetColorValues;
  void ConstructPropertyValue() override;
  bool IsValid(std::string_view text) const override;
  int ReadColorSpaceObjectFromBlockDict(const host::CosObj& array) override;
  int SaveColorSpaceInBlockDict(host::CosDoc doc, host::CosObj& array) override;

  const std::string& SpotName() const { return spotName_; }
  float Tint() const { return tint_; }
  const std::string& AlternateColor() const { return alternate_; }

 private:
  void ParseSeparationValue(std::string_view text);

  std::string alternate_;
  std::string spotName_;
  float tint_ = 1.0f;
};
