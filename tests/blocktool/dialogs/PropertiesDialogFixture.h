// The block tool attached to an in-process viewer, a page of blocks of its
// own, and helpers to see the properties dialog as a person sees it: which
// tabs and rows show, and where a property's field is.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "blocktool/collections/MarkupBlocksGroup.h"
#include "blocktool/dialogs/MarkupMainPropertyDlg.h"
#include "dialogframework/support/DialogDriver.h"
#include "viewer/core/dm/Dialog.h"

namespace korvid::testing {

// A page that records what the dialog asks of it.
class RecordingPage final : public CMarkupBlockOwner {
 public:
  host::AVPageView* GetPageView() const override { return nullptr; }
  void Validate(bool flag) override {
    if (!flag) ++changes;
  }
  std::string MakeUniqueBlockName(const CMarkupBlock&, std::string_view name, std::string_view) override {
    return std::string(name);
  }
  void ActivateBackupGroup() override { ++stepsOpened; }
  void AddBlockForBackup(CMarkupBlock& block, int action) override {
    backups.push_back(std::to_string(block.BlockID()) + ":" + std::to_string(action));
  }
  void SetUndoBackupGroup() override { ++stepsClosed; }

  int changes = 0;
  int stepsOpened = 0;
  int stepsClosed = 0;
  std::vector<std::string> backups;
};

class PropertiesDialogTest : public ::testing::Test {
 protected:
  PropertiesDialogTest();
  ~PropertiesDialogTest() override;

  // A block of the page, selected; the first one added carries the
  // Selected mark (the reference).
  CMarkupBlock& AddBlock(int id, PropertyClass kind = PropText);
  std::string Value(const CMarkupBlock& block, const std::string& name) const;
  // Alerts shown since the last call (the test fails on alerts nobody took).
  std::vector<std::string> NewAlerts();
  // Runs the dialog; the action answers it.
  int Run(DialogDriver::Action action);

  DialogHost host_;
  RecordingPage page_;
  CMarkupBlocksGroup selection_;
  std::vector<BlockRef> blocks_;

 private:
  std::size_t alertsSeen_ = 0;
};

// What a person sees of a running properties dialog.
namespace seen {
// The tab buttons shown, in item order.
std::vector<int> Tabs(viewer::dm::Dialog& dialog);
// The names of the properties whose rows the active tab shows, scrolling
// through the whole list (scrolling applies the selected row, as it would
// for a person).
std::vector<std::string> Rows(viewer::dm::Dialog& dialog);
// The value field of a property's row (its tool tip is the property name);
// null when it has none.
viewer::dm::Item* Field(viewer::dm::Dialog& dialog, const std::string& name);
// The ID of a property's value field as the dialog makes them: rows in the
// order of the standard list, ten IDs apart from 1000.
int FieldID(const std::string& name);
// Scrolls the list until the property's row shows; its field.
viewer::dm::Item& ScrollTo(viewer::dm::Dialog& dialog, const std::string& name);
// Entry index of a choice list entry by its text (-1 when none).
int EntryIndex(viewer::dm::Item& choice, const std::string& text);
}  // namespace seen

}  // namespace korvid::testing
