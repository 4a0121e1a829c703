// The forms layer ("Forms" table): form fields of widget annotations.
#pragma once

#include <cstdint>
#include <string>

#include "host/Cos.h"
#include "host/HostTypes.h"
#include "host/Tables.h"

namespace host {

struct FormsTextAppearance {
  ASFixed charSpacing = 0;
  ASFixed wordSpacing = 0;
  ASFixed hScale = 100 * fixedOne;
  ASFixed fontSize = 0;  // 0 = automatic
  PDColorValue strokeColor;
  PDColorValue fillColor;
  int renderMode = 0;
  int quadding = 0;  // 0 left, 1 centre, 2 right
  ASAtom fontName = ASAtomNull;
};

class FormsTable : public HostTable {
 public:
  // The field of a widget annotation dictionary (null when none).
  virtual CosObj FieldFromWidget(const CosObj& widget) = 0;
  virtual bool IsValidField(const CosObj& field) = 0;
  // Fully qualified name as PDF text bytes.
  virtual std::string FieldQualifiedName(const CosObj& field) = 0;
  // Rotation of the widget (0, 90, 180, 270).
  virtual int WidgetRotation(const CosObj& widget) = 0;
  virtual bool DefaultTextAppearance(const CosObj& field, FormsTextAppearance* out) = 0;
  virtual bool WidgetBorderWidth(const CosObj& widget, std::int32_t* width) = 0;
};

}  // namespace host
