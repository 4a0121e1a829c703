// The block tool in an in-process viewer with real PDF files in a scratch
// folder: documents of any number of pages, blocks put on their pages, the
// names of the blocks a page holds, and what a saved file stores.
#pragma once

#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "blocktool/collections/MarkupPageCollection.h"
#include "dialogframework/support/DialogDriver.h"
#include "support/TempDir.h"
#include "viewer/core/Document.h"

namespace korvid::testing {

struct Box {
  double left = 0, bottom = 0, right = 612, top = 792;
};

// One viewer with the block tool and a scratch folder for its files.
class PropagationSession {
 public:
  PropagationSession();
  // Fails the test on dialog actions left over and on alerts nobody took.
  virtual ~PropagationSession();
  PropagationSession(const PropagationSession&) = delete;
  PropagationSession& operator=(const PropagationSession&) = delete;

  // A PDF of that many pages (all of the first box, or one box per page).
  std::string WritePdf(const std::string& name, int pages, std::vector<Box> boxes = {{}});
  viewer::Document& Open(const std::string& path, bool visible = true);
  CMarkupPageCollection& Page(viewer::Document& doc, int page);
  // A block named name on the page at the page rectangle.
  CMarkupBlock& AddBlock(viewer::Document& doc, int page, const std::string& name, Box rect = {100, 500, 300, 600},
                         bool selected = false, bool locked = false);
  // Names of the page's blocks, by ascending ID.
  std::vector<std::string> Names(viewer::Document& doc, int page);
  // Alerts shown since the last call (the test fails on alerts nobody took).
  std::vector<std::string> NewAlerts();
  static std::string Value(const CMarkupBlock& block, const std::string& name);

  TempDir folder_;
  DialogHost host_;

 private:
  std::size_t alertsSeen_ = 0;
};

class PropagationTest : public ::testing::Test, public PropagationSession {};

// Block names stored in each page of a PDF file, read with qpdf.
std::vector<std::vector<std::string>> StoredBlockNames(const std::string& path);
// The media boxes of a file's pages, read with qpdf.
std::vector<Box> MediaBoxes(const std::string& path);

}  // namespace korvid::testing
