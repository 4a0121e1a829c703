#include <gtest/gtest.h>

#include <algorithm>

#include "host/PDE.h"
#include "host/Platform.h"
#include "support/HostHarness.h"

namespace {

using korvid::testing::HostHarness;

// DejaVu Sans comes with every machine the project builds on.
TEST(SystemFonts, FamiliesComeGroupedWithTheirStylesAndFormats) {
  HostHarness harness;
  auto* platform = static_cast<host::PlatformTable*>(harness.Host().Core().GetTable("Macintosh", 0x20002));
  ASSERT_NE(platform, nullptr);
  const auto families = platform->SystemFontFamilies();
  EXPECT_TRUE(std::is_sorted(families.begin(), families.end(),
                             [](const auto& a, const auto& b) { return a.name < b.name; }));
  const auto dejaVu = std::find_if(families.begin(), families.end(), [](const auto& f) { return f.name == "DejaVu Sans"; });
  ASSERT_NE(dejaVu, families.end());
  const auto has = [&](int style) {
    return std::any_of(dejaVu->instances.begin(), dejaVu->instances.end(), [&](const host::SysFontInstance& i) {
      return i.style == style && i.format == host::SysFontFormat::TrueType;
    });
  };
  EXPECT_TRUE(has(0));
  EXPECT_TRUE(has(1));
}

TEST(SystemFonts, PdfFontNamesFindTheirSystemFont) {
  HostHarness harness;
  host::CoreTable& core = harness.Host().Core();
  auto* sysFonts = static_cast<host::PDSysFontTable*>(core.GetTable("PDSysFont", 0x40000));
  ASSERT_NE(sysFonts, nullptr);
  const auto find = [&](const char* name) {
    host::PDEFontAttrs attrs;
    attrs.name = core.AtomFromString(name);
    const auto found = sysFonts->FindSysFont(attrs, 1);
    return found ? core.AtomGetString(found->name) + " " + core.AtomGetString(found->type) : std::string("none");
  };
  EXPECT_EQ(find("DejaVuSans-Bold"), "DejaVuSans-Bold TrueType");
  EXPECT_EQ(find("ABCDEF+DejaVuSans-Bold"), "DejaVuSans-Bold TrueType") << "a subset's tag is not part of the name";
  EXPECT_EQ(find("DejaVu Sans,Bold"), "DejaVuSans-Bold TrueType");
  EXPECT_EQ(find("NoSuchFontAnywhere-Bold"), "none");
}

}  // namespace
