// The block tool attached to an in-process viewer with a one-page document
// open, blocks on its page, and helpers to see the properties dialog as a person sees it: which
// tabs and rows show, and where a property's field is.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "blocktool/collections/MarkupPageCollection.h"
#include "blocktool/dialogs/MarkupMainPropertyDlg.h"
#include "dialogframework/support/DialogDriver.h"
#include "support/TempDir.h"
#include "viewer/core/Document.h"
#include "viewer/core/dm/Dialog.h"

namespace korvid::testing {

class PropertiesDialogTest : public ::testing::Test {
 protected:
  PropertiesDialogTest();
  ~PropertiesDialogTest() override;

  // A block on the page at 100 500 300 600 (page space), selected; the
  // first one added carries the Selected mark (the reference).
  CMarkupBlock& AddBlock(PropertyClass kind = PropText);
  // The document saved to its file and opened again; the blocks of its page.
  CMarkupPageCollection& SaveAndReopen();
  int NeedsSave() const { return doc_->GetPDDoc()->Flags() & host::kPDDocNeedsSave; }
  std::string Value(const CMarkupBlock& block, const std::string& name) const;
  // Alerts shown since the last call (the test fails on alerts nobody took).
  std::vector<std::string> NewAlerts();
  // Runs the dialog; the action answers it.
  int Run(DialogDriver::Action action);

  TempDir folder_;
  std::string path_;
  DialogHost host_;
  viewer::Document* doc_ = nullptr;
  CMarkupPageCollection* page_ = nullptr;
  CMarkupSelectionGroup* selection_ = nullptr;

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
