// Feeds random texts to the value parsers of every value type: strict and
// leading numbers, sequences with percentages and separators, the typed
// value check of every standard property, colour values of every space, and
// name repair. The first byte picks the local decimal separator.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "blocktool/host/MarkupContentInit.h"
#include "blocktool/model/ColorSpaceProperty.h"
#include "blocktool/model/MarkupBlockProperties.h"
#include "blocktool/model/Service.h"
#include "host/PluginEntry.h"

const host::PIResourceBlob gEmbeddedResources{nullptr, 0};

namespace {

CMarkupBlockProperties& StandardList() {
  static CMarkupBlockProperties list(1);
  return list;
}

void ParseNumbers(std::string_view text) {
  float f = 0;
  int i = 0;
  Service.ConvertStringToFloat(text, f);
  Service.ConvertStringToInt(text, i);
  std::vector<float> floats;
  std::vector<int> ints;
  std::vector<std::string> tokens;
  Service.ParseFloatSequence(text, floats, false);
  Service.ParseFloatSequence(text, floats, true);
  Service.ParseIntSequence(text, ints, true);
  Service.ParseStringSequence(text, tokens);
  Service.GetSequenceElementsNum(text);
  Service.CheckPercentageValue(text, true);
  Service.GetFloatFromLocal(text);
  Service.GetFloatAsLocal(text);
  std::string name(text);
  Service.CheckKeyName(name);
}

void CheckEveryProperty(std::string_view text) {
  CMarkupBlockProperties& list = StandardList();
  for (const std::string& name : list.Names()) {
    CMarkupProperties& property = *list.GetProperty(name);
    property.CheckNewValue(text);
    property.IsValueInInterval(text);
  }
}

void ParseColor(std::string_view text) {
  CColorSpaceProperty color("fillcolor", "DeviceGray [0]", "", PropText, 0x01000208);
  color.TagValue(text);
  color.IsDefault();
  for (const char* space : {"None", "DeviceGray", "DeviceRGB", "DeviceCMYK", "Separation", "Lab"}) {
    CColorSpaceSpec* spec = color.GetColorSpec(space);
    spec->IsValid(text);
    spec->ColorValues(text);
    spec->ConstructPropertyValue();
  }
  CColorSpaceProperty copy(color);
  copy.ParsePropertyValue();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  cDecimalSeparator = (data[0] & 1) ? ',' : '.';
  const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
  ParseNumbers(text);
  CheckEveryProperty(text);
  ParseColor(text);
  cDecimalSeparator = '.';
  return 0;
}
