// "Macintosh" (the platform table) and "PDSysFont": system fonts, the tick
// clock, and the plug-ins' resources.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "host/PDE.h"
#include "host/Platform.h"
#include "viewer/core/AtomTable.h"
#include "viewer/core/ServedTable.h"
#include "viewer/core/SystemFonts.h"

namespace viewer {

class ResourceStore;

// The system font list, read on first use (enumerating fonts is slow).
class LazySystemFonts {
 public:
  const SystemFonts& Get();

 private:
  std::unique_ptr<SystemFonts> fonts_;
};

class PlatformServices final : public ServedTable<host::PlatformTable> {
 public:
  PlatformServices(host::TableVersion version, LazySystemFonts& fonts, std::function<std::uint32_t()> ticks,
                   ResourceStore& resources)
      : ServedTable("Macintosh", version), fonts_(fonts), ticks_(std::move(ticks)), resources_(resources) {}

  std::vector<host::SysFontFamily> SystemFontFamilies() override { return fonts_.Get().Families(); }
  std::uint32_t TickCount() override { return ticks_(); }
  std::optional<std::string> GetResourceString(host::ExtensionID plugin, int listID, int index) override;
  std::optional<std::string> GetResourceData(host::ExtensionID plugin, std::string_view type, int id,
                                             std::string_view name) override;

 private:
  LazySystemFonts& fonts_;
  std::function<std::uint32_t()> ticks_;
  ResourceStore& resources_;
};

class SysFontServices final : public ServedTable<host::PDSysFontTable> {
 public:
  SysFontServices(host::TableVersion version, LazySystemFonts& fonts, AtomTable& atoms)
      : ServedTable("PDSysFont", version), fonts_(fonts), atoms_(atoms) {}

  std::optional<host::PDEFontAttrs> FindSysFont(const host::PDEFontAttrs& attrs, int matchOption) override;

 private:
  LazySystemFonts& fonts_;
  AtomTable& atoms_;
};

}  // namespace viewer
