// Whether a document's XFA form asks, in its configuration packet, to be
// rendered dynamically. The viewer lays such forms out itself at run time,
// so blocks placed over their pages would not stay where they were put; both
// plug-ins refuse to work on them.
#pragma once

#include <cstddef>
#include <exception>
#include <string>
#include <string_view>

#include "host/ASText.h"
#include "host/Cos.h"

namespace host::xfa {

// Decoded configurations longer than this are not examined and count as
// absent: real ones are a few kilobytes, and the check runs at every menu
// update.
inline constexpr std::size_t kMaxConfigBytes = std::size_t{4} << 20;

// The configuration says "required" inside its dynamicRender element, and
// that element comes after the <acrobat7> element inside the <acrobat> one.
inline bool ConfigRequiresDynamicRender(std::string_view config) {
  constexpr std::string_view kOpen = "dynamicRender";
  constexpr std::string_view kClose = "/dynamicRender";
  const std::size_t appElement = config.find("acrobat");
  if (appElement == std::string_view::npos) return false;
  const std::size_t versionElement = config.find("acrobat7", appElement);
  if (versionElement == std::string_view::npos) return false;
  const std::size_t open = config.find(kOpen, versionElement);
  const std::size_t close = config.find(kClose, versionElement);
  if (open == std::string_view::npos || close == std::string_view::npos) return false;
  const std::size_t valueStart = open + kOpen.size();
  if (close < valueStart) return false;
  return config.substr(valueStart, close - valueStart).find("required") != std::string_view::npos;
}

// The stream that follows the packet name "config" in the catalogue's
// AcroForm XFA array; the null object when there is none.
inline CosObj FindConfigPacket(const CosObj& catalog) {
  if (!catalog.IsDict()) return {};
  const CosObj form = catalog.DictGet("AcroForm");
  if (!form.IsDict()) return {};
  const CosObj packets = form.DictGet("XFA");
  if (!packets.IsArray()) return {};
  const int count = packets.ArrayLength();
  for (int i = 0; i + 1 < count; ++i) {
    const CosObj name = packets.ArrayGet(i);
    if (name.Type() != CosType::String || ASText::FromPDText(name.StringValue()).UTF8() != "config") continue;
    CosObj packet = packets.ArrayGet(i + 1);
    if (packet.Type() == CosType::Stream) return packet;
  }
  return {};
}

// True unless the document's XFA configuration requires dynamic rendering.
// A configuration that cannot be read, or is too large to examine, does not
// refuse the document.
inline bool PermitsBlockEditing(const CosObj& catalog) {
  try {
    const CosObj packet = FindConfigPacket(catalog);
    if (packet.IsNull()) return true;
    bool truncated = false;
    const std::string config = packet.StreamDecoded(kMaxConfigBytes, &truncated);
    return truncated || !ConfigRequiresDynamicRender(config);
  } catch (const std::exception&) {
    return true;
  }
}

}  // namespace host::xfa
