#include <gtest/gtest.h>

#include "DialogTestSupport.h"
#include "viewer/core/dm/Dialog.h"
#include "viewer/core/dm/Item.h"
#include "viewer/core/dm/RecordingSurface.h"
#include "viewer/core/resources/TestBlob.h"
#include "viewer/core/dm/UserActions.h"

namespace viewer::testing {
namespace {

namespace adm = host::adm;

TEST_F(DialogTest, EverySuiteIsServedAtItsVersionAndHeldInPairs) {
  const std::pair<const char*, int> suites[] = {
      {adm::kBasicSuite, 7},   {adm::kDialogSuite, 7},    {adm::kItemSuite, 6},          {adm::kListSuite, 3},
      {adm::kEntrySuite, 5},   {adm::kImageSuite, 2},     {adm::kIconSuite, 2},          {adm::kDialogGroupSuite, 3},
      {adm::kDrawerSuite, 4},  {adm::kNotifierSuite, 2},  {adm::kTrackerSuite, 1},       {adm::kHierarchyListSuite, 3},
      {adm::kListEntrySuite, 4}, {adm::kHostSuite, 6},
  };
  host::AcroViewSweetPeaTable& table = manager.SweetPeaTable();
  EXPECT_EQ(table.TableName(), "AcroViewSweetPea");
  const int heldBefore = manager.SuitesHeld();  // the fixture holds two
  std::vector<host::ADMSuite*> acquired;
  for (const auto& [name, version] : suites) {
    host::ADMSuite* suite = table.AcquireSuite(name, version);
    ASSERT_NE(suite, nullptr) << name;
    EXPECT_EQ(suite->TableName(), name);
    EXPECT_EQ(suite->Version(), static_cast<host::TableVersion>(version));
    EXPECT_EQ(table.AcquireSuite(name, version + 1), nullptr) << name;
    acquired.push_back(suite);
  }
  EXPECT_EQ(table.AcquireSuite("ADM Unknown Suite", 1), nullptr);
  EXPECT_EQ(manager.SuitesHeld(), heldBefore + 14);
  for (host::ADMSuite* suite : acquired) table.ReleaseSuite(suite);
  EXPECT_EQ(manager.SuitesHeld(), heldBefore);
}

TEST_F(DialogTest, BasicSuiteReadsStringsPicksColoursAndSetsTheWaitCursor) {
  auto* basic = Acquire<host::ADMBasicSuite>(adm::kBasicSuite, 7);
  EXPECT_EQ(basic->GetIndexString(kTestModule, 129, 3), "Requires version %i");
  EXPECT_EQ(basic->GetIndexString(kTestModule, 129, 4), "");
  EXPECT_EQ(basic->GetIndexString(FakeModule(3), 129, 3), "");

  host::RGBColor16 out{1, 2, 3};
  EXPECT_FALSE(basic->ChooseColor({}, host::RGBColor16{65535, 0, 0}, &out));
  EXPECT_EQ(out, (host::RGBColor16{1, 2, 3}));
  front.pickAnswer = host::RGBColor16{0, 32768, 65535};
  EXPECT_TRUE(basic->ChooseColor({}, host::RGBColor16{65535, 0, 0}, &out));
  EXPECT_EQ(out, (host::RGBColor16{0, 32768, 65535}));

  basic->SetWaitCursor(true);
  basic->SetWaitCursor(false);
  EXPECT_EQ(front.events, (std::vector<std::string>{"pick 65535", "pick 65535", "wait on", "wait off"}));
}

void DrawBanner(host::ADMItem*, host::ADMDrawer* drawer) {
  drawer->SetRGBColor(host::RGBColor16{65535, 32768, 32768});
  drawer->FillRect(host::ADMRect{2, 2, 2 + drawer->GetFontHeight() + 2, 2 + drawer->GetTextWidthW(u"Név") + 5});
}

TEST_F(DialogTest, DrawersDrawOnTheFrontEndsSurfaceFromTheirOrigin) {
  auto* drawers = Acquire<host::ADMDrawerSuite>(adm::kDrawerSuite, 4);
  dm::RecordingSurface surface;
  EXPECT_EQ(drawers->Create(nullptr, {}, 5), nullptr);
  host::ADMDrawer* drawer = drawers->Create(&surface, host::ADMRect{0, 0, 100, 200}, 5);
  ASSERT_NE(drawer, nullptr);
  drawer->SetOrigin(host::ADMPoint{10, 20});
  drawer->SetRGBColor(host::RGBColor16{32768, 0, 32768});
  drawer->FrameRect(host::ADMRect{1, 2, 3, 4});  // top, left, bottom, right
  drawer->FillRect(host::ADMRect{0, 0, 5, 5});
  EXPECT_EQ(drawer->GetFontHeight(), 11);
  EXPECT_EQ(drawer->GetTextWidthW(u"Grüße"), 30);
  drawer->DrawTextInBoxW(host::ADMRect{5, 3, 16, 40}, u"Grüße");
  drawers->Destroy(drawer);
  EXPECT_EQ(surface.Calls(), (std::vector<std::string>{"color 32768,0,32768", "frame 12,21,14,23", "fill 10,20,15,25",
                                                     "text 13,25,50,36 Grüße"}));

  // An item's draw procedure gets a drawer in the item's coordinates.
  front.onRun = [](dm::Dialog& d) {
    d.GetItem(20)->SetDrawProc(DrawBanner);
    dm::RecordingSurface itemSurface;
    d.FindItem(20)->Draw(itemSurface);
    EXPECT_EQ(itemSurface.Calls(), (std::vector<std::string>{"color 65535,32768,32768", "fill 2,2,25,15"}));
    dm::UserActions(d).PressEscape();
  };
  EXPECT_EQ(RunModal("Test:Every", 200), 2);
}

}  // namespace
}  // namespace viewer::testing
