#include <gtest/gtest.h>

#include "DialogTestSupport.h"

namespace viewer::testing {
namespace {

struct BadBlock {
  const char* what;
  std::vector<std::string> lines;  // the block's line is 10, its lines 11, 12...
  const char* error;
};

class ScriptDialogPlayerTest : public DialogTest, public ::testing::WithParamInterface<BadBlock> {};

TEST_P(ScriptDialogPlayerTest, ReportsTheLineAndTheDialogIsCancelled) {
  front.blocks.push_back(Block("Test:Every", GetParam().lines));
  EXPECT_EQ(RunModal("Test:Every", 200), 2);
  ASSERT_EQ(front.playErrors.size(), 1u);
  EXPECT_EQ(front.playErrors[0], GetParam().error);
}

INSTANTIATE_TEST_SUITE_P(
    Blocks, ScriptDialogPlayerTest,
    ::testing::Values(
        BadBlock{"UnknownItem", {"press 99"}, "line 11: the dialog has no item 99"},
        BadBlock{"ItemNotANumber", {"press ok"}, "line 11: item \"ok\" is not a number"},
        BadBlock{"PressAField", {"press 4"}, "line 11: cannot press item 4 (ADM Text Edit Type)"},
        BadBlock{"TypeIntoReadOnly", {"set 5 x"}, "line 11: cannot type into item 5 (ADM Text Edit Read-only Type)"},
        BadBlock{"CheckAButton", {"check 20 1"}, "line 11: cannot check item 20 (ADM User Type)"},
        BadBlock{"DisabledItem", {"set 4 a", "set 21 x"}, "line 12: item 21 is disabled"},
        BadBlock{"HiddenItem", {"set 22 x"}, "line 11: item 22 is hidden"},
        BadBlock{"Separator", {"select 7 1"}, "line 11: entry 1 of item 7 is a separator"},
        BadBlock{"DisabledEntry", {"select 7 3"}, "line 11: entry 3 of item 7 is disabled"},
        BadBlock{"NoSuchEntry", {"select 7 9"}, "line 11: item 7 has no entry 9"},
        BadBlock{"RadioOff", {"check 15 0"}, "line 11: a click cannot turn item 15 (a radio button) off"},
        BadBlock{"CheckValue", {"check 14 2"}, "line 11: check takes 0 or 1"},
        BadBlock{"SliderText", {"set 10 lots"}, "line 11: \"lots\" is not a number for item 10"},
        BadBlock{"UnknownVerb", {"click 1"}, "line 11: unknown dialog action \"click\" (set, check, select or press)"},
        BadBlock{"AfterTheEnd", {"press 2", "press 1"}, "line 12: the dialog has already ended"},
        BadBlock{"LeftOpen", {"set 4 a"}, "line 10: the lines of dialog \"Test:Every\" leave it open"}),
    [](const ::testing::TestParamInfo<BadBlock>& info) { return std::string(info.param.what); });

TEST_F(DialogTest, ABlockForAnotherDialogIsRefused) {
  front.blocks.push_back(Block("Test:Tree", {"press 1"}));
  EXPECT_EQ(RunModal("Test:Every", 200), 2);
  ASSERT_EQ(front.playErrors.size(), 1u);
  EXPECT_EQ(front.playErrors[0], "line 10: the block answers \"Test:Tree\" but \"Test:Every\" is open");
}


// A dialog that refuses a field's text puts the focus back into it: a person
// cannot go on to another field, but can correct the text.
class RefusingDialogTest : public DialogTest {
 protected:
  RefusingDialogTest() {
    probe.onItemNotify = [](host::ADMItem& item, host::ADMNotifier& n) {
      const bool leaving = n.IsNotifierType(host::adm::kTextSelectionChangeNotifier) && !item.IsActive();
      if (item.ID() == 4 && leaving && item.GetText() == "bad") item.Activate(true);
    };
  }
};

TEST_F(RefusingDialogTest, KeepsTheFocusInTheRefusedField) {
  front.blocks.push_back(Block("Test:Every", {"set 4 bad", "set 23 x"}));
  EXPECT_EQ(RunModal("Test:Every", 200), 2);
  ASSERT_EQ(front.playErrors.size(), 1u);
  EXPECT_EQ(front.playErrors[0], "line 12: the dialog kept the focus in item 4");

  front.blocks.push_back(Block("Test:Every", {"set 4 bad", "set 4 good", "set 23 x", "press 1"}));
  EXPECT_EQ(RunModal("Test:Every", 200), 1);
  EXPECT_EQ(front.playErrors.size(), 1u);
  EXPECT_EQ(probe.saved[4], "good");
}

}  // namespace
}  // namespace viewer::testing
