#include "dialogframework/ADMAcroSDK.h"

#include <array>
#include <memory>

#include "dialogframework/SafeResources.h"
#include "host/PluginEntry.h"

namespace {

namespace adm = host::adm;

struct SuiteName {
  const char* name;
  int version;
};

constexpr std::array<SuiteName, 13> kSuites = {{
    {adm::kBasicSuite, 7},
    {adm::kDialogSuite, 7},
    {adm::kItemSuite, 6},
    {adm::kListSuite, 3},
    {adm::kEntrySuite, 5},
    {adm::kImageSuite, 2},
    {adm::kIconSuite, 2},
    {adm::kDialogGroupSuite, 3},
    {adm::kDrawerSuite, 4},
    {adm::kNotifierSuite, 2},
    {adm::kTrackerSuite, 1},
    {adm::kHierarchyListSuite, 3},
    {adm::kListEntrySuite, 4},
}};
constexpr std::size_t kBasic = 0;
constexpr std::size_t kDialog = 1;
constexpr std::size_t kDrawer = 8;

// The suites and the resource scope of this plug-in, held while any
// InitializeADM is not yet matched by its ReleaseADM.
struct HeldSuites {
  int count = 0;
  std::array<host::ADMSuite*, kSuites.size()> suites{};
  std::unique_ptr<StADMResourceContext> resources;
};

HeldSuites& Held() {
  static HeldSuites held;
  return held;
}

void ReleaseEach(const std::array<host::ADMSuite*, kSuites.size()>& suites) {
  for (host::ADMSuite* suite : suites)
    if (suite) gAcroViewSweetPeaHFT->ReleaseSuite(suite);
}

}  // namespace

namespace ADMUtils {

bool InitializeADM() {
  if (!gAcroViewSweetPeaHFT) return false;
  std::array<host::ADMSuite*, kSuites.size()> acquired{};
  for (std::size_t i = 0; i < kSuites.size(); ++i) {
    acquired[i] = gAcroViewSweetPeaHFT->AcquireSuite(kSuites[i].name, kSuites[i].version);
    if (!acquired[i]) {
      ReleaseEach(acquired);
      return false;
    }
  }
  HeldSuites& held = Held();
  held.suites = acquired;
  if (held.count++ == 0) held.resources = std::make_unique<StADMResourceContext>();
  return true;
}

void ReleaseADM() {
  HeldSuites& held = Held();
  if (held.count == 0) return;
  ReleaseEach(held.suites);
  if (--held.count > 0) return;
  held.resources.reset();
  held.suites = {};
}

int HeldCount() { return Held().count; }

host::ADMBasicSuite* BasicSuite() { return static_cast<host::ADMBasicSuite*>(Held().suites[kBasic]); }
host::ADMDialogSuite* DialogSuite() { return static_cast<host::ADMDialogSuite*>(Held().suites[kDialog]); }
host::ADMDrawerSuite* DrawerSuite() { return static_cast<host::ADMDrawerSuite*>(Held().suites[kDrawer]); }

void SetASText(host::ADMItem* item, const host::ASText* text) {
  if (item) item->SetTextW(text ? text->UTF16() : std::u16string());
}

void SetASText(host::ADMEntry* entry, const host::ASText* text) {
  if (entry) entry->SetTextW(text ? text->UTF16() : std::u16string());
}

void SetASText(host::ADMDialog* dialog, const host::ASText* text) {
  if (dialog) dialog->SetTextW(text ? text->UTF16() : std::u16string());
}

host::ASText GetASText(host::ADMItem* item) {
  return item ? host::ASText::FromUTF16(item->GetTextW()) : host::ASText();
}

void GetASText(host::ADMItem* item, host::ASText& text) { text = GetASText(item); }

host::ASText GetASText(host::ADMEntry* entry) {
  return entry ? host::ASText::FromUTF16(entry->GetTextW()) : host::ASText();
}

void GetASText(host::ADMEntry* entry, host::ASText& text) { text = GetASText(entry); }

}  // namespace ADMUtils
