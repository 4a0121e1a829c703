// The block tool in an in-process viewer with the scripted front end: a
// one-page document (612 x 792 points, shown at 100 %, so a device pixel is
// a point and device y is 792 minus page y), the tool active, and helpers to
// act as a person would and to read the saved file back in a fresh viewer.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "blocktool/collections/MarkupPageCollection.h"
#include "support/HostHarness.h"
#include "support/TempDir.h"

namespace korvid::testing {

// A block of a saved file as a fresh viewer reads it.
struct SavedBlock {
  host::AVRect rect;  // device rectangle at 100 %
  bool locked = false;
};

class BlockToolTest : public ::testing::Test {
 public:
  BlockToolTest();
  ~BlockToolTest() override;

  CMarkupPageCollection& Page();
  CMarkupSelectionGroup& Selection() { return Page().SelectedGroup(); }
  viewer::PageView& View();
  viewer::script::ScriptFrontEnd& Front() { return harness_->FrontEnd(); }
  viewer::Host& Host() { return harness_->Host(); }

  // A block placed on the page directly, at a device rectangle.
  CMarkupBlock& AddBlock(const std::string& name, const host::AVRect& rect, PropertyClass kind = PropText,
                         bool locked = false);
  // The selection as the blocks given; the first carries the Selected mark.
  void Select(const std::vector<CMarkupBlock*>& blocks);
  // Names of the selection's members, and of the selected block ("" none).
  std::vector<std::string> SelectedNames();
  std::string SelectedBlockName();
  std::vector<std::string> Names();
  CMarkupBlock* Named(const std::string& name);
  host::AVRect RectOf(const std::string& name);

  // The next drag the tool asks for ends at rect with the modifiers.
  void DragTo(const host::AVRect& rect, int modifiers = 0) { Front().QueueDrag(rect, modifiers); }
  void Click(int x, int y, int modifiers = 0, int count = 1) { harness_->Click(x, y, modifiers, count); }
  void RightClick(int x, int y);
  bool Key(int code, int modifiers = 0);
  // The next properties dialog is confirmed (OK) as it stands.
  void ConfirmNextPropertiesDialog();
  // How often a printed line occurs.
  int Printed(const std::string& line);

  // Saves the document, checks the file with qpdf, and reads its page in a
  // fresh viewer: the blocks by name. The viewer of the test is unloaded
  // first, so this ends the test's work with it.
  std::map<std::string, SavedBlock> SaveAndReopen();

  TempDir folder_;
  std::string path_;
  std::unique_ptr<HostHarness> harness_;
  viewer::Document* doc_ = nullptr;
};

}  // namespace korvid::testing
