// The page-content layer: a page's content streams interpreted into
// elements (text, paths, images, forms, marked-content containers), which a
// plug-in may read, remove and write back.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "host/Core.h"
#include "host/Cos.h"
#include "host/HostTypes.h"
#include "host/PD.h"

namespace host {

enum class PDEType : int {
  Unknown = 0,
  Text = 1,
  Path = 2,
  Image = 3,
  Form = 4,
  PS = 5,
  XObject = 6,
  Clip = 7,
  Shading = 8,
  BeginContainer = 10,
  EndContainer = 11,
  Container = 12,
  Place = 13,
};

// Path painting: 0 none, bit 0x1 stroke, bit 0x2 fill, bit 0x4 even-odd fill.
inline constexpr int kPDEStroke = 0x1;
inline constexpr int kPDEFill = 0x2;
inline constexpr int kPDEEoFill = 0x4;

// Path data items (each a 32-bit value; coordinates 16.16 fixed).
enum PDEPathOp : std::int32_t {
  kPDEMoveTo = 0,     // x y
  kPDELineTo = 1,     // x y
  kPDECurveTo = 2,    // x1 y1 x2 y2 x3 y3
  kPDECurveToV = 3,   // x2 y2 x3 y3 (first control point = current point)
  kPDECurveToY = 4,   // x1 y1 x3 y3 (last control point = end point)
  kPDERect = 5,       // x y w h
  kPDEClosePath = 6,
};

struct PDEColorSpace {
  ASAtom family = ASAtomNull;  // "DeviceGray", "DeviceRGB", "Separation", "ICCBased", ...
  CosObj cosObj;               // the colour space object (array or name)
  int numComponents = 1;
};

struct PDEColorSpec {
  PDEColorSpace space;
  ASFixed value[4] = {0, 0, 0, 0};
};

struct PDEGraphicState {
  PDEColorSpec fill;
  PDEColorSpec stroke;
  ASFixed lineWidth = fixedOne;
};

// Flags of PDETextState::setFlags: which fields were set by the content.
inline constexpr int kPDETextCharSpacing = 0x1;
inline constexpr int kPDETextWordSpacing = 0x2;
inline constexpr int kPDETextRenderMode = 0x4;
inline constexpr int kPDETextFontSize = 0x8;
inline constexpr int kPDETextHScale = 0x10;
inline constexpr int kPDETextRise = 0x20;

struct PDETextState {
  int setFlags = 0;
  ASFixed charSpacing = 0;
  ASFixed wordSpacing = 0;
  int renderMode = 0;
  ASFixed fontSize = fixedOne;
  ASFixed hScale = 100 * fixedOne;
  ASFixed textRise = 0;
};

struct PDEFontAttrs {
  ASAtom name = ASAtomNull;
  ASAtom type = ASAtomNull;      // "Type1", "TrueType", "Type0", "MMType1", "Type3"
  ASAtom charSet = ASAtomNull;
  ASAtom encoding = ASAtomNull;  // "WinAnsiEncoding", ...
  int wMode = 0;
  int flags = 0;                 // font descriptor flags
};

class PDEContent;

// One element of a page's content. Accessors for another kind of element
// raise kErrBadObjectType.
class KORVID_HOST_API PDEElement {
 public:
  virtual ~PDEElement();
  virtual PDEType Type() const = 0;
  virtual ASFixedRect BBox() const = 0;  // user space of the page
  virtual PDEGraphicState GState() const = 0;

  // Paths.
  virtual int PaintOp() const = 0;
  virtual std::vector<std::int32_t> PathData() const = 0;

  // Text.
  virtual int NumRuns() const = 0;
  virtual ASFixedRect RunBBox(int run) const = 0;
  virtual PDEGraphicState RunGState(int run) const = 0;
  virtual PDETextState RunTextState(int run) const = 0;
  virtual ASFixedMatrix RunMatrix(int run) const = 0;
  virtual PDEFontAttrs RunFont(int run) const = 0;
  virtual std::string RunText(int run) const = 0;  // the shown bytes

  // Forms and marked-content containers.
  virtual std::shared_ptr<PDEContent> Content() const = 0;
  virtual ASAtom ContainerTag() const = 0;
};

using PDEElementRef = std::shared_ptr<PDEElement>;

class KORVID_HOST_API PDEContent {
 public:
  virtual ~PDEContent();
  virtual int NumElems() const = 0;
  virtual PDEElementRef GetElem(int index) const = 0;
  virtual void RemoveElem(int index) = 0;
};

using PDEContentRef = std::shared_ptr<PDEContent>;

// "PagePDEContent": page content acquired for one plug-in, and written back
// to the page (only the spans of removed elements change).
class PagePDEContentTable : public HostTable {
 public:
  virtual PDEContentRef AcquirePageContent(const PDPage& page, ExtensionID owner) = 0;
  virtual void SetPageContent(const PDPage& page, ExtensionID owner, const PDEContentRef& content) = 0;
  virtual void ReleasePageContent(const PDPage& page, ExtensionID owner) = 0;
};

// "PDSysFont": the system font that matches a font's attributes.
class PDSysFontTable : public HostTable {
 public:
  // matchOption 1: match by name, allowing close names.
  virtual std::optional<PDEFontAttrs> FindSysFont(const PDEFontAttrs& attrs, int matchOption) = 0;
};

// Marker tables: acquired by plug-ins, with no operations of their own here.
class PDFEditReadTable : public HostTable {};
class PDFEditWriteTable : public HostTable {};

}  // namespace host
