// Property lists: adding and merging, copying for a new block, clearing,
// renaming, name repair, and the ruler's tab rows.
#include <gtest/gtest.h>

#include "ModelStrings.h"
#include "blocktool/model/ColorSpaceProperty.h"
#include "blocktool/model/MarkupBlockProperties.h"
#include "blocktool/model/Service.h"

namespace {

using korvid::testing::ModelStrings;

class PropertyListTest : public ::testing::Test {
 protected:
  ModelStrings strings_;
};

std::vector<std::string> TabRows(const CMarkupBlockProperties& list) {
  std::vector<std::string> rows;
  for (const std::string& name : list.Names()) {
    const CMarkupProperties* p = list.GetProperty(name);
    if (p->GetClass() == PropRulerTab) rows.push_back(name + "=" + p->TagValue());
  }
  return rows;
}

TEST_F(PropertyListTest, AddMergeRemoveRename) {
  CMarkupBlockProperties list(CMarkupBlockProperties::EmptyList{});
  EXPECT_EQ(list.AddNewProperty(nullptr, true), -1);
  auto first = std::make_unique<CMarkupProperties>("p", "1", "first", 0, 0x1);
  CMarkupProperties* kept = first.get();
  list.AddNewProperty(std::move(first), true);
  list.AddNewProperty(std::make_unique<CMarkupProperties>("p", "2", "", 0, 0x4), true);
  EXPECT_EQ(list.GetProperty("p"), kept);  // the first object stays and merges the second
  EXPECT_EQ(kept->TagValue(), "2");
  EXPECT_EQ(kept->TagDescription(), "first");
  EXPECT_EQ(kept->GetTagMode(), 0x5u);
  EXPECT_EQ(list.GetSize(), 1);

  list.UpdateProperty("q", "x");  // an unknown name is added at the end
  EXPECT_EQ(list.GetNthName(1), "q");
  EXPECT_EQ(list.GetNthName(2), "");
  list.UpdatePropertyName("q", "r", host::ASText::FromUTF8("r"));
  EXPECT_EQ(list.GetNthName(1), "r");
  EXPECT_EQ(list.GetProperty("q"), nullptr);
  EXPECT_EQ(list.GetProperty("r")->TagName(), "r");
  std::unique_ptr<CMarkupProperties> removed = list.RemoveProperty("r");
  ASSERT_NE(removed, nullptr);
  EXPECT_EQ(list.GetNumOfNames(), 1);
  EXPECT_EQ(list.RemoveProperty("r"), nullptr);
}

TEST_F(PropertyListTest, CopyForANewBlock) {
  CMarkupBlockProperties source(4);
  source.GetProperty("fillcolor")->TagValue("DeviceRGB [1 0 0]");
  source.UpdateProperty("Korvid:field:name", "f1");
  CMarkupBlockProperties copy(9, source);
  EXPECT_EQ(copy.Names(), source.Names());
  EXPECT_EQ(copy.GetProperty("ID")->TagValue(), "9");
  EXPECT_EQ(copy.GetProperty("Name")->TagValue(), "Block_4");  // a given name is kept
  EXPECT_NE(dynamic_cast<CColorSpaceProperty*>(copy.GetProperty("fillcolor")), nullptr);
  EXPECT_EQ(copy.GetProperty("fillcolor")->TagValue(), "DeviceRGB [1 0 0]");
  EXPECT_EQ(copy.GetProperty("Korvid:field:name")->TagValue(), "f1");

  source.UpdateProperty("Name", std::string_view(Service.GetStringByID(5)));
  CMarkupBlockProperties fresh(11, source);
  EXPECT_EQ(fresh.GetProperty("Name")->TagValue(), "Block_11");  // the bare stem gets a generated name
}

TEST_F(PropertyListTest, ClearingKeepsInternalPropertiesInMapOrder) {
  CMarkupBlockProperties list(1);
  list.ClearAllProperties(false);
  EXPECT_EQ(list.Names(), (std::vector<std::string>{"AcroForm", "AcroForm_Flags", "ID", "Kids", "ParentID", "SubID"}));
  list.ClearAllProperties(true);
  EXPECT_EQ(list.GetSize(), 0);
}

TEST_F(PropertyListTest, CarryingOverFromDefaultLists) {
  CMarkupBlockProperties defaults(0);
  defaults.GetProperty("fontname")->TagValue("Courier");
  defaults.GetProperty("fontsize")->TagValue("20");
  defaults.GetProperty("dpi")->TagValue("300");
  defaults.AddNewProperty("mine", "v", "", PropCustom, 0);
  CMarkupBlockProperties block(5);
  block.GetProperty("fontsize")->TagValue("14");
  block.GetProperty("fontsize")->Invalidated(true);
  block.CopyPropertiesList(PropText, defaults, false);
  EXPECT_EQ(block.GetProperty("fontname")->TagValue(), "Courier");
  EXPECT_EQ(block.GetProperty("fontsize")->TagValue(), "14");  // changed on the block: kept
  EXPECT_EQ(block.GetProperty("dpi")->TagValue(), "0");        // another class
  EXPECT_EQ(block.GetProperty("mine"), nullptr);
  block.CopyPropertiesList(PropText, defaults, true);
  EXPECT_EQ(block.GetProperty("fontsize")->TagValue(), "20");
  block.CopyPropertiesList(PropCustom, defaults, false);
  ASSERT_NE(block.GetProperty("mine"), nullptr);
  EXPECT_EQ(block.GetProperty("mine")->TagValue(), "v");

  bDetectUnderFonts = 1;
  defaults.GetProperty("fontname")->TagValue("Times-Roman");
  block.CopyPropertiesList(PropText, defaults, true);
  EXPECT_EQ(block.GetProperty("fontname")->TagValue(), "Courier");  // taken from the page instead
  bDetectUnderFonts = 0;
}

TEST_F(PropertyListTest, NameRepairOfListsReadFromFiles) {
  CMarkupBlockProperties list(1);
  list.GetProperty("Name")->TagValue("a/b");
  list.AddNewProperty("x[1]", "1", "", PropCustom, 0);
  EXPECT_TRUE(list.CheckKeyName());
  EXPECT_EQ(list.GetProperty("Name")->TagValue(), "a_b");
  EXPECT_TRUE(list.GetProperty("Name")->Invalidated());
  ASSERT_NE(list.GetProperty("x[1]"), nullptr);  // the key stays
  EXPECT_EQ(list.GetProperty("x[1]")->TagASTextName().UTF8(), "x_1_");
  EXPECT_FALSE(list.CheckKeyName());
}

TEST_F(PropertyListTest, RulerToTabRowsAndBack) {
  CMarkupBlockProperties list(1);
  list.GetProperty("ruler")->TagValue("72 144");
  list.GetProperty("tabalignment")->TagValue("left");
  list.ParseTexFlowRuler();
  EXPECT_EQ(TabRows(list), (std::vector<std::string>{"Tab_1=72 left", "Tab_2=144 left"}));
  EXPECT_EQ(list.GetProperty("Tab_1")->TagDescription(), "Tab stop 1 [position and kind]");
  EXPECT_EQ(list.GetTextflowRulerSize(), 2);

  // Rows added later take the first free counters and are placed by position;
  // equal positions keep the order in which they came.
  list.GetProperty("ruler")->TagValue("100 10 144");
  list.GetProperty("tabalignment")->TagValue("center right decimal");
  list.ParseTexFlowRuler();
  EXPECT_EQ(TabRows(list), (std::vector<std::string>{"Tab_4=10 right", "Tab_1=72 left", "Tab_3=100 center",
                                                     "Tab_2=144 left", "Tab_5=144 decimal"}));

  // Without text flow and the ruler method the stored ruler is emptied.
  list.ConstructTextFlowRuller();
  EXPECT_EQ(list.GetProperty("ruler")->TagValue(), "");
  EXPECT_EQ(list.GetTextflowRulerSize(), 5);

  list.UpdateBoolProperty("textflow", true);
  list.UpdateProperty("hortabmethod", std::string_view(Service.GetStringByID(40)));
  list.GetProperty("Tab_3")->TagValue("");        // no position: dropped
  list.GetProperty("Tab_2")->TagValue("144");     // no kind: left
  list.ConstructTextFlowRuller();
  EXPECT_EQ(list.GetProperty("ruler")->TagValue(), "10 72 144 144");
  EXPECT_EQ(list.GetProperty("tabalignment")->TagValue(), "right left left decimal");
  EXPECT_EQ(list.GetTextflowRulerSize(), 0);
  EXPECT_EQ(list.GetNumOfNames(), 75);
}

TEST_F(PropertyListTest, RulerEdgeCases) {
  CMarkupBlockProperties list(1);
  list.GetProperty("ruler")->TagValue("10");
  list.GetProperty("tabalignment")->TagValue("left right");
  list.ParseTexFlowRuler();  // fewer positions than kinds: no rows
  EXPECT_EQ(list.GetTextflowRulerSize(), 0);
  list.AddNewProperty("Tab_3", "50 left", "", PropRulerTab, 0x01000028);
  list.GetProperty("ruler")->TagValue("60 40");
  list.GetProperty("tabalignment")->TagValue("");
  list.ParseTexFlowRuler();
  EXPECT_EQ(TabRows(list), (std::vector<std::string>{"Tab_2=40 left", "Tab_3=50 left", "Tab_1=60 left"}));
}

// A hostile file may store a huge ruler; reading it must not take quadratic time.
TEST_F(PropertyListTest, LargeRulerIsReadInOnePass) {
  CMarkupBlockProperties list(1);
  constexpr int kTabs = 200000;
  std::string ruler;
  for (int i = kTabs; i > 0; --i) ruler += std::to_string(i % 1000) + ' ';
  list.GetProperty("ruler")->TagValue(ruler);
  list.ParseTexFlowRuler();
  ASSERT_EQ(list.GetTextflowRulerSize(), kTabs);
  int previous = -1;
  for (const std::string& name : list.Names()) {
    const CMarkupProperties* p = list.GetProperty(name);
    if (p->GetClass() != PropRulerTab) continue;
    int position = 0;
    p->TagIntValue(position);
    ASSERT_GE(position, previous);
    previous = position;
  }
}

TEST_F(PropertyListTest, EncodingAndDefaultsAndClass) {
  CMarkupBlockProperties list(1);
  list.GetProperty("defaulttext")->TagValue("Grüße");
  list.GetProperty("encoding")->TagValue("x");
  list.ConstructDefaultTextEncoding();
  EXPECT_EQ(list.GetProperty("encoding")->TagValue(), "");
  list.GetProperty("fontsize")->TagValue("30");
  list.UpdateProperty("extra", "e");
  list.GetProperty("extra")->SetClass(PropCustom);
  list.RestoreDefaultValues(mode::kIdentity);
  EXPECT_EQ(list.GetProperty("fontsize")->TagValue(), "12");
  EXPECT_EQ(list.GetProperty("extra")->TagValue(), "e");
  list.PropertyListClass(PropPDF);
  EXPECT_EQ(list.PropertyListClass(), PropPDF);
  list.GetProperty("Subtype")->TagValue("Other");
  EXPECT_EQ(list.PropertyListClass(), -1);
  list.RemoveProperty("Subtype");
  EXPECT_EQ(list.PropertyListClass(), PropText);
  list.ClearCustomProperties(PropCustom);
  EXPECT_EQ(list.GetProperty("extra"), nullptr);
}

}  // namespace
