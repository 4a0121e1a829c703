#include "viewer/pdf/content/ColorSpaces.h"

#include <algorithm>

namespace viewer::pdf {
namespace {

int ComponentsOf(const std::string& family, QPDFObjectHandle array) {
  if (family == "DeviceRGB" || family == "CalRGB" || family == "Lab") return 3;
  if (family == "DeviceCMYK") return 4;
  if (family == "ICCBased" && array.isArray() && array.getArrayNItems() > 1) {
    QPDFObjectHandle profile = array.getArrayItem(1);
    if (profile.isStream()) {
      QPDFObjectHandle n = profile.getDict().getKey("/N");
      if (n.isInteger() && n.getIntValue() >= 1 && n.getIntValue() <= 4) return n.getIntValueAsInt();
    }
    return 3;
  }
  if (family == "DeviceN" && array.isArray() && array.getArrayNItems() > 1) {
    QPDFObjectHandle names = array.getArrayItem(1);
    if (names.isArray() && names.getArrayNItems() >= 1) return std::min(names.getArrayNItems(), 4);
  }
  return 1;
}

ColorState Initial(std::string family, QPDFObjectHandle space, int components) {
  ColorState state;
  state.family = std::move(family);
  state.space = std::move(space);
  state.components = components;
  if (state.family == "DeviceCMYK") state.value = {0, 0, 0, 1};
  if (state.family == "Separation" || state.family == "DeviceN") state.value = {1, 1, 1, 1};
  return state;
}

}  // namespace

ColorState DeviceColor(const char* family, int components) {
  return Initial(family, QPDFObjectHandle::newName(std::string("/") + family), components);
}

ColorState ColorSpaceFor(QPDFObjectHandle operand, QPDFObjectHandle resources) {
  if (!operand.isName()) return DeviceColor("DeviceGray", 1);
  const std::string name = operand.getName();
  if (name == "/DeviceGray" || name == "/DeviceRGB" || name == "/DeviceCMYK" || name == "/Pattern") {
    const std::string family = name.substr(1);
    return Initial(family, operand, ComponentsOf(family, QPDFObjectHandle::newNull()));
  }
  QPDFObjectHandle space = QPDFObjectHandle::newNull();
  if (resources.isDictionary()) {
    QPDFObjectHandle spaces = resources.getKey("/ColorSpace");
    if (spaces.isDictionary()) space = spaces.getKey(name);
  }
  if (space.isName()) return ColorSpaceFor(space, QPDFObjectHandle::newNull());
  if (space.isArray() && space.getArrayNItems() >= 1 && space.getArrayItem(0).isName()) {
    const std::string family = space.getArrayItem(0).getName().substr(1);
    return Initial(family, space, ComponentsOf(family, space));
  }
  return DeviceColor("DeviceGray", 1);
}

}  // namespace viewer::pdf
