// Editing rows and what OK and Cancel do with the edits: refusals with their
// messages, one undo step, the group case, Reset all and custom rows.
#include <gtest/gtest.h>

#include "PropertiesDialogFixture.h"
#include "blocktool/host/MarkupContentInit.h"
#include "blocktool/model/Service.h"
#include "host/PluginEntry.h"
#include "viewer/core/DocumentManager.h"
#include "viewer/core/Host.h"
#include "viewer/core/dm/Item.h"
#include "viewer/core/dm/UserActions.h"
#include "viewer/pdf/PdfTestSupport.h"
#include "viewer/script/ScriptDialogBlock.h"

namespace korvid::testing {
namespace {

namespace pd = property_dialog;
using viewer::dm::Dialog;
using viewer::dm::UserActions;

using PropertiesDialogEdits = PropertiesDialogTest;

TEST_F(PropertiesDialogEdits, OkWritesTheEditsAndTheSavedFileHasThem) {
  CMarkupBlock& block = AddBlock();
  const int id = block.BlockID();
  EXPECT_EQ(Run([](Dialog& d) {
              UserActions person(d);
              EXPECT_EQ(seen::Field(d, "Rect")->GetText(), "100 192 300 292") << "from the page's top left corner";
              person.SetText(pd::kDescriptionValue, "  Headline  ");
              person.Press(pd::kTextTab);
              person.SetText(seen::Field(d, "fontsize")->ID(), "14");
              auto& style = *seen::Field(d, "fontstyle");
              person.Select(style.ID(), seen::EntryIndex(style, "bold"));
              person.Press(pd::kOK);
            }),
            1);
  EXPECT_EQ(Value(block, "Description"), "Headline") << "blanks around a typed value are dropped";
  EXPECT_EQ(Value(block, "fontsize"), "14");
  EXPECT_EQ(Value(block, "fontstyle"), "bold");
  EXPECT_EQ(Value(block, "Rect"), "100 500 300 600") << "an untouched Rect keeps its stored text";
  EXPECT_TRUE(NeedsSave());

  CMarkupPageCollection& reopened = SaveAndReopen();
  const CMarkupBlock* stored = reopened.GetBlock(id);
  ASSERT_NE(stored, nullptr);
  EXPECT_EQ(Value(*stored, "Description"), "Headline");
  EXPECT_EQ(Value(*stored, "fontsize"), "14");
  EXPECT_EQ(Value(*stored, "fontstyle"), "bold");
  EXPECT_EQ(Value(*stored, "Rect").rfind("100 500 300 600", 0), 0u) << Value(*stored, "Rect");
}

TEST_F(PropertiesDialogEdits, OneUndoRestoresEveryRowOneOkChanged) {
  CMarkupBlock& block = AddBlock();
  const std::size_t stepsBefore = page_->GetBackupCollection()->UndoSize();
  Run([](Dialog& d) {
    UserActions person(d);
    person.SetText(pd::kNameValue, "Renamed");
    person.SetText(seen::Field(d, "linewidth")->ID(), "4");
    person.Press(pd::kTextTab);
    person.SetText(seen::Field(d, "fontsize")->ID(), "30");
    person.Press(pd::kOK);
  });
  EXPECT_EQ(page_->GetBackupCollection()->UndoSize(), stepsBefore + 1);
  page_->RestoreLastBackup();
  const CMarkupBlock& restored = *page_->GetBlock(block.BlockID());
  EXPECT_EQ(Value(restored, "Name"), "Block_0");
  EXPECT_EQ(Value(restored, "linewidth"), "1");
  EXPECT_EQ(Value(restored, "fontsize"), "12");
}

TEST_F(PropertiesDialogEdits, RefusedValuesShowTheirMessageAndKeepTheDialogOpen) {
  struct Case {
    const char* property;
    int tab;
    const char* typed;
    const char* message;
  };
  const Case cases[] = {
      {"fontsize", pd::kTextTab, "", "The value of \"fontsize\" is not valid."},
      {"fontsize", pd::kTextTab, "0", "The value of \"fontsize\" is not valid."},
      {"fontsize", pd::kTextTab, "inf", "The value of \"fontsize\" is not valid."},
      {"horizscaling", pd::kTextTab, "50%%", "The value of \"horizscaling\" is not valid."},
      {"linewidth", pd::kGeneralTab, "wide", "The value of \"linewidth\" is not valid."},
      {"position", pd::kGeneralTab, "10 20 30", "The value of \"position\" is not valid."},
      {"Name", pd::kGeneralTab, "a/b", "A name must not contain \"[\", \"]\" or \"/\"."},
      {"Name", pd::kGeneralTab, "", "The value of \"Name\" is not valid."},
  };
  CMarkupBlock& block = AddBlock();
  for (const Case& c : cases) {
    const std::string before = Value(block, c.property);
    EXPECT_EQ(Run([&](Dialog& d) {
                UserActions person(d);
                person.Press(c.tab);
                const int field = std::string(c.property) == "Name" ? pd::kNameValue : seen::ScrollTo(d, c.property).ID();
                person.SetText(field, c.typed);
                person.Press(pd::kOK);
                EXPECT_FALSE(d.HasEnded()) << c.property << " " << c.typed;
                EXPECT_TRUE(d.FindItem(field)->IsActive()) << "the focus is back in the row";
                person.Press(pd::kCancel);
              }),
              2);
    EXPECT_EQ(NewAlerts(), std::vector<std::string>{c.message}) << c.property << " " << c.typed;
    EXPECT_EQ(Value(block, c.property), before);
  }
}

TEST_F(PropertiesDialogEdits, CancelLeavesBlockFileAndNeedsSaveFlagAlone) {
  CMarkupBlock& block = AddBlock();
  doc_->GetPDDoc()->Save(host::ASPathName(path_), host::kPDSaveFull);
  ASSERT_EQ(NeedsSave(), 0);
  const std::string file = korvid::test::ReadFile(path_);
  const std::size_t steps = page_->GetBackupCollection()->UndoSize();
  EXPECT_EQ(Run([](Dialog& d) {
              UserActions person(d);
              person.SetText(pd::kNameValue, "Changed");
              person.SetText(seen::Field(d, "linewidth")->ID(), "7");
              person.Press(pd::kTextTab);
              person.SetText(seen::Field(d, "fontsize")->ID(), "40");
              person.Press(pd::kResetAll);
              person.Press(pd::kCancel);
            }),
            2);
  EXPECT_EQ(Value(block, "Name"), "Block_0");
  EXPECT_EQ(Value(block, "fontsize"), "12");
  EXPECT_EQ(Value(block, "linewidth"), "1");
  EXPECT_EQ(NeedsSave(), 0);
  EXPECT_EQ(page_->GetBackupCollection()->UndoSize(), steps);
  EXPECT_EQ(korvid::test::ReadFile(path_), file);
}

TEST_F(PropertiesDialogEdits, ANameOfAnotherBlockOnThePageIsRefused) {
  CMarkupBlock& block = AddBlock();
  AddBlock();  // Block_1, on the page but not selected
  selection_->RemoveBlock(page_->GetBlock(1));
  Run([&](Dialog& d) {
    UserActions person(d);
    person.SetText(pd::kNameValue, "Block_1");
    person.Press(pd::kOK);
    EXPECT_FALSE(d.HasEnded());
    EXPECT_EQ(NewAlerts(), std::vector<std::string>{"Another block on this page already has this name."});
    person.Press(pd::kCancel);
  });
  EXPECT_EQ(block.BlockName(), "Block_0");
}

TEST_F(PropertiesDialogEdits, LeavingARefusedRowIsNotPossible) {
  AddBlock();
  Run([&](Dialog& d) {
    UserActions person(d);
    person.SetText(seen::Field(d, "linewidth")->ID(), "-1");
    EXPECT_THROW(person.Focus(seen::Field(d, "rotate")->ID()), viewer::dm::UserActionError);
    EXPECT_TRUE(seen::Field(d, "linewidth")->IsActive());
    EXPECT_EQ(NewAlerts(), std::vector<std::string>{"The value of \"linewidth\" is not valid."});
    person.Press(pd::kTextTab);
    EXPECT_FALSE(d.FindItem(pd::kTextTab)->GetBooleanValue()) << "no tab change past a refused row";
    EXPECT_EQ(NewAlerts().size(), 1u);
    person.SetText(seen::Field(d, "linewidth")->ID(), "2");
    person.Focus(seen::Field(d, "rotate")->ID());
    person.Press(pd::kCancel);
  });
}

TEST_F(PropertiesDialogEdits, TheOwnNameIsAcceptedAgain) {
  CMarkupBlock& block = AddBlock();
  const std::string own = block.BlockName();
  Run([&](Dialog& d) {
    UserActions person(d);
    person.SetText(pd::kNameValue, "Other");
    person.Focus(pd::kDescriptionValue);
    person.SetText(pd::kNameValue, own);
    person.Press(pd::kOK);
  });
  EXPECT_EQ(block.BlockName(), own);
}

TEST_F(PropertiesDialogEdits, SeveralBlocksGetEveryShownValueOfTheSelectedBlock) {
  CMarkupBlock& first = AddBlock();
  CMarkupBlock& second = AddBlock();
  CMarkupBlock& third = AddBlock();
  CMarkupBlock& locked = AddBlock();
  second.PropertyList()->GetProperty("fontsize")->TagValue("20");
  third.PropertyList()->GetProperty("Status")->TagValue("ignore");
  locked.Lock(true);
  const std::string secondName = second.BlockName();
  EXPECT_EQ(Run([](Dialog& d) {
              UserActions person(d);
              person.SetText(seen::Field(d, "linewidth")->ID(), "3");
              person.Press(pd::kOK);
            }),
            1);
  for (CMarkupBlock* block : {&first, &second, &third}) {
    EXPECT_EQ(Value(*block, "linewidth"), "3") << block->BlockID();
    EXPECT_EQ(Value(*block, "fontsize"), "12") << "the selected block's value, changed or not";
  }
  EXPECT_EQ(Value(third, "Status"), "ignore") << "not group-editable: left alone";
  EXPECT_EQ(second.BlockName(), secondName);
  EXPECT_EQ(Value(locked, "linewidth"), "1") << "a locked block is skipped";
  page_->RestoreLastBackup();
  for (CMarkupBlock* block : {&first, &second, &third})
    EXPECT_EQ(Value(*page_->GetBlock(block->BlockID()), "linewidth"), "1") << "one undo step for all";
  EXPECT_EQ(Value(*page_->GetBlock(second.BlockID()), "fontsize"), "20");
}

TEST_F(PropertiesDialogEdits, ResetAllKeepsIdentityTabsAndCustomValues) {
  CMarkupBlock& block = AddBlock();
  CMarkupBlockProperties& list = *block.PropertyList();
  list.GetProperty("fontsize")->TagValue("20");
  list.GetProperty("linewidth")->TagValue("5");
  list.GetProperty("Description")->TagValue("kept");
  list.AddNewProperty("mine", "custom value", "", PropCustom, 0);
  const std::string name = block.BlockName();
  Run([](Dialog& d) {
    UserActions person(d);
    person.Press(pd::kTextTab);
    person.SetText(seen::Field(d, "fontsize")->ID(), "30");
    person.Press(pd::kResetAll);
    EXPECT_EQ(d.GetText(), "General");
    EXPECT_FALSE(d.FindItem(pd::kAdd)->IsVisible());
    EXPECT_EQ(seen::Field(d, "linewidth")->GetText(), "1");
    person.Press(pd::kOK);
  });
  EXPECT_EQ(Value(block, "fontsize"), "12");
  EXPECT_EQ(Value(block, "linewidth"), "1");
  EXPECT_EQ(Value(block, "Description"), "kept");
  EXPECT_EQ(Value(block, "Rect"), "100 500 300 600");
  EXPECT_EQ(Value(block, "mine"), "custom value");
  EXPECT_EQ(block.BlockName(), name);
}

TEST_F(PropertiesDialogEdits, CustomRowsAreRenamedCheckedAndDeleted) {
  CMarkupBlock& block = AddBlock();
  block.PropertyList()->AddNewProperty("first", "one", "", PropCustom, 0);
  block.PropertyList()->AddNewProperty("second", "two", "", PropCustom, 0);
  Run([&](Dialog& d) {
    UserActions person(d);
    person.Press(pd::kCustomTab);
    EXPECT_EQ(seen::Rows(d), (std::vector<std::string>{"first", "second"}));
    EXPECT_TRUE(d.FindItem(pd::kAdd)->IsVisible());
    EXPECT_FALSE(d.FindItem(pd::kAdd)->IsEnabled()) << "no new-property dialog yet";
    const int firstKey = seen::Field(d, "first")->ID() - kRowValueOffset + kRowKeyOffset;
    const int firstValue = seen::Field(d, "first")->ID();
    struct Refusal {
      const char* key;
      const char* value;
      const char* message;
    };
    for (const Refusal& r : {Refusal{"second", "one", "The block already has a property of this name."},
                             Refusal{"a]b", "one", "A name must not contain \"[\", \"]\" or \"/\"."},
                             Refusal{"", "one", "The value of \"first\" is not valid."},
                             Refusal{"first", "", "The value of \"first\" is not valid."}}) {
      person.SetText(firstKey, r.key);
      person.SetText(firstValue, r.value);
      person.Press(pd::kOK);
      EXPECT_FALSE(d.HasEnded()) << r.key << "=" << r.value;
      EXPECT_EQ(NewAlerts(), std::vector<std::string>{r.message}) << r.key << "=" << r.value;
    }
    person.SetText(firstKey, "renamed");
    person.SetText(firstValue, "uno");
    const int secondValue = seen::Field(d, "second")->ID();
    person.Focus(secondValue);
    EXPECT_TRUE(d.FindItem(pd::kDelete)->IsEnabled());
    person.Press(pd::kDelete);
    EXPECT_EQ(seen::Rows(d), std::vector<std::string>{"renamed"});
    person.Press(pd::kOK);
  });
  EXPECT_EQ(Value(block, "renamed"), "uno");
  EXPECT_EQ(Value(block, "first"), "(none)");
  EXPECT_EQ(Value(block, "second"), "(none)") << "deleted in the dialog, gone from the block";
}

TEST_F(PropertiesDialogEdits, EditorButtonsAreDisabledUntilTheirEditorsExist) {
  AddBlock();
  Run([](Dialog& d) {
    for (const char* name : {"backgroundcolor", "bordercolor", "position"}) {
      const viewer::dm::Item& button = *d.FindItem(seen::Field(d, name)->ID() - kRowValueOffset + kRowButtonOffset);
      EXPECT_EQ(button.GetText(), "...");
      EXPECT_FALSE(button.IsEnabled()) << name;
    }
    EXPECT_TRUE(seen::Field(d, "position")->Kind() == viewer::dm::ItemKind::TextEdit) << "bounded count: editable";
    EXPECT_TRUE(seen::Field(d, "bordercolor")->Kind() == viewer::dm::ItemKind::TextEditReadOnly);
    UserActions(d).Press(pd::kCancel);
  });
}

TEST_F(PropertiesDialogEdits, ScriptedDialogBlocksEditEachKindOfBlock) {
  struct Case {
    PropertyClass kind;
    int tab;
    const char* property;
    const char* refused;
    const char* accepted;
  };
  const Case cases[] = {
      {PropText, pd::kTextTab, "fontsize", "0", "9"},
      {PropImage, pd::kImageTab, "dpi", "-1", "300"},
      {PropPDF, pd::kPDFTab, "defaultpdfpage", "0", "3"},
  };
  for (const Case& c : cases) {
    AddBlock(c.kind).Selected(false);
  }
  for (const Case& c : cases) {
    CMarkupBlock& block = *page_->GetNthBlock(static_cast<int>(&c - cases));
    selection_->ClearAll();
    selection_->AddBlock(page_->GetBlockRef(block.BlockID()));
    block.Selected(true);
    viewer::script::ScriptDialogBlock answer{1, pd::kName, {}};
    const auto line = [&](const char* verb, int item, std::string argument) {
      answer.lines.push_back({static_cast<int>(answer.lines.size()) + 2, verb, std::to_string(item), std::move(argument)});
    };
    line("press", c.tab, "");
    line("set", seen::FieldID(c.property), c.refused);
    line("press", pd::kOK, "");
    line("set", seen::FieldID(c.property), c.accepted);
    line("set", pd::kDescriptionValue, std::string("edited ") + c.property);
    line("press", pd::kOK, "");
    host_.Script().QueueDialog(answer);
    EXPECT_EQ(StartMarkupPropertiesDialog(*selection_), 1) << c.property;
    EXPECT_FALSE(host_.Script().ScriptError().has_value()) << host_.Script().ScriptError()->reason;
    EXPECT_EQ(NewAlerts(), std::vector<std::string>{"The value of \"" + std::string(c.property) + "\" is not valid."});
  }
  CMarkupPageCollection& reopened = SaveAndReopen();
  for (const Case& c : cases) {
    const CMarkupBlock& stored = *reopened.GetNthBlock(static_cast<int>(&c - cases));
    EXPECT_EQ(CService::TrimRight(Value(stored, c.property)), c.accepted) << "arrays read back end in a blank";
    EXPECT_EQ(Value(stored, "Description"), std::string("edited ") + c.property);
  }
}

}  // namespace
}  // namespace korvid::testing

namespace korvid::testing {
namespace {

namespace pd = property_dialog;
using viewer::dm::Dialog;
using viewer::dm::UserActions;

using PropertiesDialogRows = PropertiesDialogTest;

TEST_F(PropertiesDialogRows, ATypedRectMovesTheBlock) {
  CMarkupBlock& block = AddBlock();
  Run([](Dialog& d) {
    UserActions person(d);
    person.SetText(seen::Field(d, "Rect")->ID(), "110 182 320 292");
    person.Press(pd::kOK);
  });
  EXPECT_EQ(Value(block, "Rect"), "110 500 320 610");
  EXPECT_EQ(block.BlockRectFx(), (host::ASFixedRect{host::FloatToFixed(110), host::FloatToFixed(610),
                                                    host::FloatToFixed(320), host::FloatToFixed(500)}));
}

TEST_F(PropertiesDialogRows, DeletedTabRowsLeaveTheOthersNumberedInPositionOrder) {
  CMarkupBlock& block = AddBlock();
  CMarkupBlockProperties& list = *block.PropertyList();
  list.UpdateBoolProperty("textflow", true);
  list.GetProperty("hortabmethod")->TagValue("ruler");
  list.GetProperty("ruler")->TagValue("144 36 72");
  list.GetProperty("tabalignment")->TagValue("left right center");
  list.ParseTexFlowRuler();
  Run([](Dialog& d) {
    UserActions person(d);
    person.Press(pd::kRulerTabsTab);
    EXPECT_EQ(seen::Rows(d), (std::vector<std::string>{"Tab_2", "Tab_3", "Tab_1"})) << "sorted by position";
    EXPECT_FALSE(d.FindItem(pd::kAdd)->IsEnabled()) << "no ruler tab dialog yet";
    person.Press(seen::Field(d, "Tab_3")->ID() - kRowValueOffset + kRowLabelOffset);
    person.Press(pd::kDelete);
    EXPECT_EQ(seen::Rows(d), (std::vector<std::string>{"Tab_2", "Tab_1"}));
    person.Press(pd::kOK);
  });
  EXPECT_EQ(Value(block, "Tab_3"), "(none)");
  EXPECT_EQ(list.GetProperty("Tab_2")->TagDescription(), "Tab stop 1 [position and kind]");
  EXPECT_EQ(list.GetProperty("Tab_1")->TagDescription(), "Tab stop 2 [position and kind]");
  EXPECT_EQ(list.GetTextflowRulerSize(), 2);
}

TEST_F(PropertiesDialogRows, TextLimitsCountUTF8Bytes) {
  AddBlock();
  Run([](Dialog& d) {
    UserActions person(d);
    std::string accents;
    for (int i = 0; i < 70; ++i) accents += "\xC3\xA9";  // 140 bytes of "é"
    person.SetText(pd::kNameValue, accents);
    EXPECT_EQ(d.FindItem(pd::kNameValue)->GetText(), accents.substr(0, 124)) << "125 bytes, cut between characters";
    person.Press(pd::kCancel);
  });
}

TEST(PropertiesDialogLanguage, GermanUsersGetTheGermanLayout) {
  TempDir folder;
  korvid::test::WriteOnePagePdf(folder.File("de.pdf"));
  DialogHost host({.language = "DEU"});
  host.AttachLinkedPlugin(&PIMain, &PIResources);
  viewer::Document& doc = host.Host().Documents().Open(folder.File("de.pdf"), true);
  CMarkupPageCollection& page = *Service.GetDocMarkupPageCollection(&doc);
  auto block = std::make_shared<CMarkupBlock>(&page, kDefaultPrefixName, page.NewBlockID());
  block->Selected(true);
  page.AddBlock(block);
  page.SelectedGroup().AddBlock(block);
  host.Driver().OnModal(pd::kName, [](Dialog& d) {
    EXPECT_EQ(d.ResourceID(), 1128);
    EXPECT_EQ(d.GetText(), "Allgemein");
    UserActions person(d);
    person.Press(pd::kTextTab);
    EXPECT_EQ(d.GetText(), "Text");
    person.Press(pd::kCustomTab);
    EXPECT_EQ(d.GetText(), "Benutzerdefiniert");
    person.Press(pd::kCancel);
  });
  EXPECT_EQ(StartMarkupPropertiesDialog(page.SelectedGroup()), 2);
}

}  // namespace
}  // namespace korvid::testing
