// The default path dialog: how it opens for each form of a path, Browse,
// switching between the forms, and its place in the properties dialog.
#include <filesystem>

#include "PropagationFixture.h"
#include "blocktool/dialogs/MainPropertyDlgDynamicCtrl.h"
#include "blocktool/dialogs/MarkupDefaultPathDlg.h"
#include "blocktool/dialogs/MarkupMainPropertyDlg.h"
#include "host/PluginEntry.h"
#include "viewer/core/dm/Dialog.h"
#include "viewer/core/dm/Item.h"
#include "viewer/core/dm/UserActions.h"

namespace korvid::testing {
namespace {

namespace dp = default_path_dialog;
namespace fs = std::filesystem;
using viewer::dm::Dialog;
using viewer::dm::UserActions;

struct RadioState {
  bool absoluteOn, absoluteEnabled, relativeOn, relativeEnabled, fileOnlyOn;
  friend bool operator==(const RadioState&, const RadioState&) = default;
};

RadioState RadiosOf(Dialog& dialog) {
  auto* a = dialog.FindItem(dp::kAbsolute);
  auto* r = dialog.FindItem(dp::kRelative);
  return {a->GetBooleanValue(), a->IsEnabled(), r->GetBooleanValue(), r->IsEnabled(),
          dialog.FindItem(dp::kFileOnly)->GetBooleanValue()};
}

std::ostream& operator<<(std::ostream& out, const RadioState& s) {
  return out << "abs " << s.absoluteOn << "/" << s.absoluteEnabled << " rel " << s.relativeOn << "/"
             << s.relativeEnabled << " name " << s.fileOnlyOn;
}

class DefaultPathDialogTest : public PropagationTest {
 protected:
  DefaultPathDialogTest() {
    fs::create_directories(folder_.Path() / "jobs");
    fs::create_directories(folder_.Path() / "images");
    doc_ = &Open(WritePdf("jobs/doc.pdf", 1));
    block_ = &AddBlock(*doc_, 0, "Logo", {100, 500, 300, 600}, /*selected=*/true);
    block_->PropertyList()->PropertyListClass(PropImage);
  }

  // Runs the dialog on a copy of defaultimage holding value; the value OK
  // leaves in the copy, or "(cancelled)".
  std::string Edit(const std::string& value, DialogDriver::Action action) {
    std::unique_ptr<CMarkupProperties> copy = block_->PropertyList()->GetProperty("defaultimage")->Clone();
    copy->TagValue(value);
    host_.Driver().OnModal(dp::kName, std::move(action));
    PropertyEditorRequest request{*copy};
    return EditDefaultPath(request) ? copy->TagValue() : "(cancelled)";
  }

  std::string Logo() const { return folder_.File("images/logo.tif"); }

  viewer::Document* doc_ = nullptr;
  CMarkupBlock* block_ = nullptr;
};

TEST_F(DefaultPathDialogTest, OpensWithTheButtonsOfTheValuesForm) {
  struct Case {
    std::string value;
    RadioState expected;
  };
  const std::vector<Case> cases = {
      {"logo.tif", {false, false, false, true, true}},
      {"./logo.tif", {false, false, true, true, false}},
      {"../images/logo.tif", {false, true, true, true, false}},
      {"/proc/logo.tif", {true, true, false, false, false}},
      {"", {true, true, false, true, false}},
  };
  for (const Case& c : cases) {
    Edit(c.value, [&](Dialog& dialog) {
      EXPECT_EQ(RadiosOf(dialog), c.expected) << "value \"" << c.value << "\"";
      EXPECT_EQ(dialog.FindItem(dp::kPath)->GetText(), c.value);
      UserActions(dialog).Press(2);
    });
  }
  Edit(Logo(), [&](Dialog& dialog) {
    EXPECT_EQ(RadiosOf(dialog), (RadioState{true, true, false, true, false})) << "an absolute path on this volume";
    UserActions(dialog).Press(2);
  });
}

TEST_F(DefaultPathDialogTest, BrowseFillsTheFieldInTheChosenForm) {
  host_.Script().QueueFiles({Logo()});
  EXPECT_EQ(Edit("../images/old.tif",
                 [](Dialog& dialog) {
                   UserActions person(dialog);
                   person.Press(dp::kBrowse);
                   EXPECT_EQ(dialog.FindItem(dp::kPath)->GetText(), "../images/logo.tif");
                   person.Press(1);
                 }),
            "../images/logo.tif");

  host_.Script().QueueFiles({Logo()});
  EXPECT_EQ(Edit("old.tif",
                 [&](Dialog& dialog) {
                   UserActions person(dialog);
                   person.Press(dp::kBrowse);
                   EXPECT_EQ(dialog.FindItem(dp::kPath)->GetText(), "logo.tif");
                   // The full path is remembered behind the bare name.
                   person.Check(dp::kRelative, true);
                   EXPECT_EQ(dialog.FindItem(dp::kPath)->GetText(), "../images/logo.tif");
                   person.Check(dp::kAbsolute, true);
                   EXPECT_EQ(dialog.FindItem(dp::kPath)->GetText(), Logo());
                   person.Press(1);
                 }),
            Logo());

  // A file on another file system cannot be made relative.
  host_.Script().QueueFiles({"/proc/version"});
  Edit("../images/old.tif", [](Dialog& dialog) {
    UserActions(dialog).Press(dp::kBrowse);
    EXPECT_EQ(RadiosOf(dialog), (RadioState{true, true, false, false, false}));
    EXPECT_EQ(dialog.FindItem(dp::kPath)->GetText(), "/proc/version");
    UserActions(dialog).Press(2);
  });
}

TEST_F(DefaultPathDialogTest, SwitchingFormsKeepsTheFullPath) {
  EXPECT_EQ(Edit(Logo(),
                 [&](Dialog& dialog) {
                   UserActions person(dialog);
                   person.Check(dp::kFileOnly, true);
                   EXPECT_EQ(dialog.FindItem(dp::kPath)->GetText(), "logo.tif");
                   person.Check(dp::kRelative, true);
                   EXPECT_EQ(dialog.FindItem(dp::kPath)->GetText(), "../images/logo.tif");
                   person.Check(dp::kFileOnly, true);
                   person.Press(1);
                 }),
            "logo.tif")
      << "the value is what the field shows";
  // An empty field changes nothing.
  EXPECT_EQ(Edit("", [](Dialog& dialog) {
              UserActions person(dialog);
              person.Check(dp::kRelative, true);
              EXPECT_EQ(dialog.FindItem(dp::kPath)->GetText(), "");
              person.Press(1);
            }),
            "");
}

TEST_F(DefaultPathDialogTest, OpensFromTheRowOfThePropertiesDialog) {
  block_->PropertyList()->UpdateProperty("defaultimage", "logo.tif");
  host_.Driver().OnModal(property_dialog::kName, [](Dialog& dialog) {
    UserActions person(dialog);
    person.Press(property_dialog::kImageTab);
    const viewer::dm::Item* field = nullptr;
    for (int i = 0; i < dialog.NumItems() && !field; ++i)
      if (dialog.ItemAt(i).Tip() == "defaultimage" && dialog.ItemAt(i).IsVisible()) field = &dialog.ItemAt(i);
    ASSERT_NE(field, nullptr);
    const int button = field->ID() - kRowValueOffset + kRowButtonOffset;
    ASSERT_TRUE(dialog.FindItem(button)->IsEnabled());
    person.Press(button);
    EXPECT_EQ(dialog.FindItem(field->ID())->GetText(), "./logo.tif");
    person.Press(1);
  });
  host_.Driver().OnModal(dp::kName, [](Dialog& dialog) {
    UserActions person(dialog);
    EXPECT_TRUE(dialog.FindItem(dp::kFileOnly)->GetBooleanValue());
    person.Check(dp::kRelative, true);
    person.Press(1);
  });
  EXPECT_EQ(StartMarkupPropertiesDialog(Page(*doc_, 0).SelectedGroup()), 1);
  EXPECT_EQ(Value(*block_, "defaultimage"), "./logo.tif");
}

}  // namespace
}  // namespace korvid::testing
