// Which tabs and rows the properties dialog shows for a selection, and how
// controller rows change them.
#include <gtest/gtest.h>

#include "PropertiesDialogFixture.h"
#include "viewer/core/dm/Item.h"
#include "viewer/core/dm/UserActions.h"

namespace korvid::testing {
namespace {

namespace pd = property_dialog;
using viewer::dm::Dialog;
using viewer::dm::UserActions;
using Names = std::vector<std::string>;

const Names kGeneralRows = {"Rect",     "Status",    "backgroundcolor", "bordercolor", "linewidth",
                            "fitmethod", "orientate", "position",        "rotate"};
const Names kTextRows = {"textflow",     "defaulttext",       "fontname",        "fontsize",  "fontstyle",
                         "fillcolor",    "strokecolor",       "charspacing",     "horizscaling", "wordspacing",
                         "textrendering", "textrise",         "kerning",         "margin",    "overline",
                         "strikeout",    "underline",         "monospace",       "italicangle", "underlineposition",
                         "underlinewidth", "escapesequence", "alignchar",       "stamp"};
const Names kTextflowRows = {"alignment",  "verticalalign", "fixedleading",   "hortabsize",   "hortabmethod",
                             "lastalignment", "leading",    "parindent",      "rightindent",  "leftindent",
                             "adjustmethod", "maxspacing",  "minspacing",     "spreadlimit",  "nofitlimit",
                             "shrinklimit", "linespreadlimit", "maxlines",    "firstlinedist", "lastlinedist",
                             "tabalignchar"};
const Names kImageRows = {"defaultimage", "dpi", "scale"};
const Names kPDFRows = {"defaultpdf", "defaultpdfpage", "scale", "pdiusebox"};

Names Without(Names names, const Names& dropped) {
  std::erase_if(names, [&](const std::string& n) { return std::find(dropped.begin(), dropped.end(), n) != dropped.end(); });
  return names;
}

using PropertiesDialogTabs = PropertiesDialogTest;

TEST_F(PropertiesDialogTabs, EachKindOfBlockShowsTheRowsOfItsClassOnItsTabs) {
  struct Case {
    PropertyClass kind;
    std::vector<int> tabs;
    int kindTab;
    Names kindRows;
  };
  const Case cases[] = {
      {PropText, {pd::kGeneralTab, pd::kTextTab, pd::kCustomTab}, pd::kTextTab, kTextRows},
      {PropImage, {pd::kGeneralTab, pd::kImageTab, pd::kCustomTab}, pd::kImageTab, kImageRows},
      {PropPDF, {pd::kGeneralTab, pd::kPDFTab, pd::kCustomTab}, pd::kPDFTab, kPDFRows},
  };
  for (const Case& c : cases) {
    selection_->ClearAll();
    AddBlock(c.kind);
    Run([&](Dialog& d) {
      EXPECT_EQ(seen::Tabs(d), c.tabs) << c.kind;
      UserActions person(d);
      person.Press(pd::kGeneralTab);  // the dialog reopens on the tab it was closed on
      EXPECT_EQ(d.GetText(), "General");
      EXPECT_EQ(seen::Rows(d), kGeneralRows) << c.kind;
      person.Press(c.kindTab);
      EXPECT_EQ(seen::Rows(d), c.kindRows) << c.kind;
      person.Press(pd::kCustomTab);
      EXPECT_EQ(d.GetText(), "Custom");
      EXPECT_TRUE(seen::Rows(d).empty());
      person.Press(pd::kCancel);
    });
  }
}

TEST_F(PropertiesDialogTabs, TextflowShowsItsTabAtOnceAndWithdrawsRowsAndChoices) {
  AddBlock();
  Run([&](Dialog& d) {
    UserActions person(d);
    auto& fit = *seen::Field(d, "fitmethod");
    for (const char* withdrawn : {"nofit", "entire", "slice"})
      EXPECT_TRUE(fit.GetList()->GetEntry(seen::EntryIndex(fit, withdrawn))->IsEnabled()) << withdrawn;

    person.Press(pd::kTextTab);
    EXPECT_EQ(d.GetText(), "Text");
    auto& textflow = *seen::Field(d, "textflow");
    person.Select(textflow.ID(), seen::EntryIndex(textflow, "true"));
    EXPECT_EQ(seen::Tabs(d), (std::vector<int>{pd::kGeneralTab, pd::kTextTab, pd::kCustomTab, pd::kTextflowTab}));
    for (const char* withdrawn : {"nofit", "entire", "slice"})
      EXPECT_FALSE(fit.GetList()->GetEntry(seen::EntryIndex(fit, withdrawn))->IsEnabled()) << withdrawn;

    person.Press(pd::kGeneralTab);
    EXPECT_EQ(seen::Rows(d), Without(kGeneralRows, {"position"}));
    person.Press(pd::kTextflowTab);
    EXPECT_EQ(seen::Rows(d), kTextflowRows);
    auto& method = seen::ScrollTo(d, "hortabmethod");
    person.Select(method.ID(), seen::EntryIndex(method, "ruler"));
    EXPECT_EQ(seen::Tabs(d).back(), pd::kRulerTabsTab) << "the ruler tab shows for the ruler method";
    person.Press(pd::kCancel);
  });
}

TEST_F(PropertiesDialogTabs, SeveralBlocksShowOnlyGroupEditableRows) {
  AddBlock();
  AddBlock();
  Run([&](Dialog& d) {
    EXPECT_TRUE(d.FindItem(pd::kGroupIndicator)->IsVisible());
    EXPECT_TRUE(d.FindItem(pd::kGroupIndicator)->IsEnabled());
    for (int top : {pd::kNameValue, pd::kSubtypeValue, pd::kDescriptionValue, pd::kNameLabel}) {
      EXPECT_FALSE(d.FindItem(top)->IsEnabled()) << top;
      EXPECT_EQ(d.FindItem(top)->GetText(), top == pd::kNameLabel ? "Name" : "") << top;
    }
    EXPECT_EQ(seen::Tabs(d), (std::vector<int>{pd::kGeneralTab, pd::kTextTab})) << "no custom tab";
    EXPECT_EQ(seen::Rows(d), Without(kGeneralRows, {"Rect", "Status"}));
    UserActions(d).Press(pd::kCancel);
  });
}

TEST_F(PropertiesDialogTabs, MixedKindsHideTheKindTabsButNotTextFlow) {
  CMarkupBlock& text = AddBlock(PropText);
  text.PropertyList()->UpdateBoolProperty("textflow", true);
  AddBlock(PropImage);
  Run([&](Dialog& d) {
    EXPECT_EQ(seen::Tabs(d), (std::vector<int>{pd::kGeneralTab, pd::kTextflowTab}));
    UserActions(d).Press(pd::kCancel);
  });
}

TEST_F(PropertiesDialogTabs, ChangingTheKindSwitchesToItsTabAtOnce) {
  AddBlock(PropText);
  Run([&](Dialog& d) {
    UserActions person(d);
    auto& kind = *d.FindItem(pd::kSubtypeValue);
    person.Select(pd::kSubtypeValue, seen::EntryIndex(kind, "Image"));
    EXPECT_EQ(d.GetText(), "Image");
    EXPECT_TRUE(d.FindItem(pd::kImageTab)->GetBooleanValue());
    EXPECT_EQ(seen::Tabs(d), (std::vector<int>{pd::kGeneralTab, pd::kImageTab, pd::kCustomTab}));
    EXPECT_EQ(seen::Rows(d), kImageRows);
    person.Press(pd::kCancel);
  });
}

}  // namespace
}  // namespace korvid::testing
