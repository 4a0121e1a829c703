// The list growing with the dialog, scrolling, and the size, place and tab
// the dialog reopens with.
#include <gtest/gtest.h>

#include "PropertiesDialogFixture.h"
#include "viewer/core/dm/Item.h"
#include "viewer/core/dm/UserActions.h"

namespace korvid::testing {
namespace {

namespace pd = property_dialog;
using viewer::dm::Dialog;
using viewer::dm::Item;
using viewer::dm::UserActions;

int ShownRowCount(Dialog& d) {
  int shown = 0;
  for (int i = 0; i < d.NumItems(); ++i) {
    const Item& item = d.ItemAt(i);
    if (item.ID() >= kFirstRowItemID && item.ID() % kRowItemIDStep == kRowValueOffset && item.IsVisible()) ++shown;
  }
  return shown;
}

using PropertiesDialogLayout = PropertiesDialogTest;

TEST_F(PropertiesDialogLayout, TheListGrowsWithTheDialog) {
  AddBlock();
  Run([](Dialog& d) {
    UserActions person(d);
    person.Press(pd::kTextTab);  // 24 rows
    const host::ADMRect area = d.FindItem(pd::kListArea)->GetBoundsRect();
    EXPECT_EQ(ShownRowCount(d), 11);
    const int fieldWidth = seen::Field(d, "textflow")->GetBoundsRect().Width();
    const int scrollRange = d.FindItem(kScrollBarItemID)->GetMaxIntValue();
    EXPECT_EQ(scrollRange, 24 - 11);

    person.ResizeTo(700, 620);
    EXPECT_EQ(d.FindItem(pd::kListArea)->GetBoundsRect(),
              (host::ADMRect{area.top, area.left, area.bottom + 120, area.right + 100}));
    EXPECT_EQ(ShownRowCount(d), 16);
    EXPECT_GT(seen::Field(d, "textflow")->GetBoundsRect().Width(), fieldWidth) << "rows widen";
    EXPECT_EQ(d.FindItem(kScrollBarItemID)->GetMaxIntValue(), 24 - 16);
    EXPECT_EQ(d.FindItem(pd::kOK)->GetBoundsRect().left, 600) << "OK keeps to the bottom right";

    person.SetValue(kScrollBarItemID, 8);
    EXPECT_TRUE(seen::Field(d, "stamp")->IsVisible()) << "the last row shows at the end of the list";
    EXPECT_FALSE(seen::Field(d, "textflow")->IsVisible());
    person.ResizeTo(700, 820);
    EXPECT_TRUE(seen::Field(d, "textflow")->IsVisible()) << "a taller list pulls the rows back";
    EXPECT_FALSE(d.FindItem(kScrollBarItemID)->IsEnabled()) << "all 24 rows fit";

    person.ResizeTo(400, 300);
    EXPECT_EQ(d.FindItem(pd::kListArea)->GetBoundsRect(), area) << "never smaller than laid out";
    person.Press(pd::kCancel);
  });
}

TEST_F(PropertiesDialogLayout, ScrollingPastARefusedRowIsRefused) {
  AddBlock();
  Run([&](Dialog& d) {
    UserActions person(d);
    person.Press(pd::kTextTab);
    person.SetText(seen::Field(d, "fontsize")->ID(), "0");
    person.SetValue(kScrollBarItemID, 5);
    EXPECT_EQ(d.FindItem(kScrollBarItemID)->GetIntValue(), 0) << "the scroll bar goes back";
    EXPECT_TRUE(seen::Field(d, "textflow")->IsVisible());
    EXPECT_EQ(NewAlerts().size(), 1u);
    person.SetText(seen::Field(d, "fontsize")->ID(), "11");
    person.SetValue(kScrollBarItemID, 5);
    EXPECT_FALSE(seen::Field(d, "textflow")->IsVisible());
    person.Press(pd::kCancel);
  });
}

TEST_F(PropertiesDialogLayout, ClickingALabelSelectsItsRowAndShowsItsDescription) {
  AddBlock();
  Run([](Dialog& d) {
    UserActions person(d);
    const Item& rotate = *seen::Field(d, "rotate");
    person.Press(rotate.ID() - kRowValueOffset + kRowLabelOffset);
    EXPECT_TRUE(rotate.IsActive());
    const std::string description = d.FindItem(pd::kDescriptionText)->GetText();
    EXPECT_EQ(description.substr(0, 2), "  ");
    EXPECT_GT(description.size(), 2u);
    person.Press(pd::kCancel);
  });
}

TEST_F(PropertiesDialogLayout, TheDialogReopensWithItsSizePlaceAndTab) {
  AddBlock();
  host::ADMRect closedAt;
  Run([&](Dialog& d) {
    UserActions person(d);
    person.MoveTo(150, 90);
    person.ResizeTo(720, 640);
    person.Press(pd::kTextTab);
    closedAt = d.GetBoundsRect();
    person.Press(pd::kCancel);
  });
  Run([&](Dialog& d) {
    EXPECT_EQ(d.GetBoundsRect(), closedAt);
    EXPECT_EQ(d.GetText(), "Text");
    EXPECT_TRUE(d.FindItem(pd::kTextTab)->GetBooleanValue());
    EXPECT_EQ(ShownRowCount(d), 17) << "the list has the size it was closed with";
    UserActions(d).Press(pd::kCancel);
  });
  // A kind without that tab falls back to its own tab.
  selection_->GetSelectedBlock()->PropertyList()->PropertyListClass(PropImage);
  Run([&](Dialog& d) {
    EXPECT_EQ(d.GetText(), "Image");
    UserActions(d).Press(pd::kCancel);
  });
}

}  // namespace
}  // namespace korvid::testing
