#include "viewer/core/PlatformServices.h"

#include "viewer/core/resources/ResourceStore.h"

namespace viewer {

const SystemFonts& LazySystemFonts::Get() {
  if (!fonts_) fonts_ = std::make_unique<SystemFonts>();
  return *fonts_;
}

std::optional<std::string> PlatformServices::GetResourceString(host::ExtensionID plugin, int listID, int index) {
  return resources_.String(plugin, listID, index);
}

std::optional<std::string> PlatformServices::GetResourceData(host::ExtensionID plugin, std::string_view type, int id,
                                                             std::string_view name) {
  return resources_.Data(plugin, type, id, name);
}

std::optional<host::PDEFontAttrs> SysFontServices::FindSysFont(const host::PDEFontAttrs& attrs, int /*matchOption*/) {
  if (attrs.name == host::ASAtomNull) return std::nullopt;
  const auto face = fonts_.Get().Match(atoms_.Text(attrs.name));
  if (!face) return std::nullopt;
  host::PDEFontAttrs found = attrs;
  found.name = atoms_.Intern(face->postscriptName.empty() ? face->family : face->postscriptName);
  found.type = atoms_.Intern(face->format == host::SysFontFormat::TrueType ? "TrueType" : "Type1");
  return found;
}

}  // namespace viewer
