// Small value types shared by the host and its plug-ins: atoms, fixed-point
// numbers, page and device rectangles, colour values.
#pragma once

#include <cstdint>

#define KORVID_HOST_API __attribute__((visibility("default")))

namespace host {

// Host atoms: equal texts give equal atoms (16-bit, as the plug-ins store them).
using ASAtom = std::uint16_t;
inline constexpr ASAtom ASAtomNull = 0xFFFF;

using ASBool = std::int16_t;
using ASInt32 = std::int32_t;

// 16.16 fixed point: the signed 32-bit value divided by 65536.
using ASFixed = std::int32_t;
inline constexpr ASFixed fixedOne = 0x10000;
inline constexpr ASFixed fixedZero = 0;

// Converts with rounding half away from zero in the form the stored block
// format has always used (integer part of 0.5 + 65536 v), saturating at the
// ends of the 32-bit range instead of overflowing.
KORVID_HOST_API ASFixed FloatToFixed(double v);
KORVID_HOST_API double FixedToFloat(ASFixed f);
// True when v converts to 16.16 without saturating.
KORVID_HOST_API bool FitsFixed(double v);

// Page rectangle in PDF user space (y upwards, so top > bottom).
struct ASFixedRect {
  ASFixed left = 0;
  ASFixed top = 0;
  ASFixed right = 0;
  ASFixed bottom = 0;
  friend bool operator==(const ASFixedRect&, const ASFixedRect&) = default;
};

struct ASFixedPoint {
  ASFixed h = 0;
  ASFixed v = 0;
  friend bool operator==(const ASFixedPoint&, const ASFixedPoint&) = default;
};

struct ASFixedMatrix {
  ASFixed a = fixedOne, b = 0, c = 0, d = fixedOne, h = 0, v = 0;
  friend bool operator==(const ASFixedMatrix&, const ASFixedMatrix&) = default;
};

// Device coordinates of a page view: pixels, y downwards (top < bottom).
using AVDevCoord = std::int32_t;

struct AVRect {
  AVDevCoord left = 0;
  AVDevCoord top = 0;
  AVDevCoord right = 0;
  AVDevCoord bottom = 0;
  friend bool operator==(const AVRect&, const AVRect&) = default;
};

struct AVPoint {
  AVDevCoord h = 0;
  AVDevCoord v = 0;
  friend bool operator==(const AVPoint&, const AVPoint&) = default;
};

// Colour value of the forms layer and of exported colour setters.
enum class PDColorSpaceCode : std::uint8_t { DeviceGray = 0, DeviceRGB = 1, DeviceCMYK = 2 };

struct PDColorValue {
  PDColorSpaceCode space = PDColorSpaceCode::DeviceGray;
  ASFixed value[4] = {0, 0, 0, 0};
};

// 16-bit-per-channel RGB, as the dialog manager's drawer and colour picker use.
struct RGBColor16 {
  std::uint16_t red = 0;
  std::uint16_t green = 0;
  std::uint16_t blue = 0;
  friend bool operator==(const RGBColor16&, const RGBColor16&) = default;
};

// Modifier bits of clicks, drags and keys.
inline constexpr int kModifierShift = 0x01;
inline constexpr int kModifierOption = 0x08;

// Key codes delivered to tools.
inline constexpr int kKeyEnter = 3;
inline constexpr int kKeyBackspace = 8;
inline constexpr int kKeyTab = 9;
inline constexpr int kKeyLeftArrow = 28;
inline constexpr int kKeyRightArrow = 29;
inline constexpr int kKeyUpArrow = 30;
inline constexpr int kKeyDownArrow = 31;
inline constexpr int kKeySpace = 32;

}  // namespace host
