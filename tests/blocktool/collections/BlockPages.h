// Test support: the block tool attached to an in-process viewer, documents
// opened from real files built with qpdf, blocks made on their pages the way
// the tool makes them, saves through the viewer's notifications, and the
// stored block trees read back from the saved files with qpdf.
#pragma once

#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFObjectHandle.hh>

#include "blocktool/collections/MarkupCollection.h"
#include "blocktool/collections/MarkupPageCollection.h"
#include "blocktool/host/MarkupContentInit.h"
#include "support/HostHarness.h"
#include "support/TempDir.h"
#include "viewer/core/Document.h"

namespace korvid::testing {

// A file of `pages` empty 612 x 792 pages; page(qpdf, dict, index) may add
// to each (a stored tree, content).
void WriteBlankPdf(const std::string& path, int pages,
                   const std::function<void(QPDF&, QPDFObjectHandle&, int)>& page = {});
// A page's PieceInfo holding a stored block tree given in PDF syntax:
// Private is the text of the Private dictionary.
QPDFObjectHandle StoredTree(QPDF& qpdf, const std::string& privateDict);

// Whether "qpdf --check" accepts the file without errors or warnings.
bool QpdfCheckPasses(const std::string& path);

// What a saved file holds on a page: the stored tree read with qpdf.
class SavedFile {
 public:
  explicit SavedFile(const std::string& path);
  QPDFObjectHandle Page(int index);
  QPDFObjectHandle Korvid(int index);
  QPDFObjectHandle Blocks(int index);
  QPDFObjectHandle Block(int index, const std::string& name);

 private:
  QPDF qpdf_;
};

class BlockPages {
 public:
  explicit BlockPages(char decimalSeparator = '.');
  ~BlockPages();
  BlockPages(const BlockPages&) = delete;
  BlockPages& operator=(const BlockPages&) = delete;

  HostHarness& Harness() { return harness_; }
  const TempDir& Folder() const { return folder_; }
  std::string File(const std::string& name) const { return folder_.File(name); }

  viewer::Document& Open(const std::string& path, bool visible = true);
  // Shows the page as the user would and answers its collection (null for
  // a page whose blocks cannot be edited).
  CMarkupPageCollection* Page(viewer::Document& doc, int page);
  CMarkupDocCollection* DocCollection(viewer::Document& doc);
  // A new block of that kind drawn at a device rectangle, as the tool adds one.
  BlockRef NewBlock(CMarkupPageCollection& page, const host::AVRect& rect, PropertyClass kind = PropText);
  void Save(viewer::Document& doc, const std::string& path);
  void Close(viewer::Document& doc);
  // Alerts shown since the last ClearAlerts.
  std::vector<std::string> Alerts();
  void ClearAlerts();

 private:
  TempDir folder_;
  HostHarness harness_;
  std::size_t alertsSeen_ = 0;
};

// The block's value of a property ("" when it has none).
std::string Value(const CMarkupBlock& block, const std::string& property);
void SetValue(CMarkupBlock& block, const std::string& property, const std::string& value);
// The blocks of a page by name.
std::map<std::string, CMarkupBlock*> BlocksByName(const CMarkupPageCollection& page);

}  // namespace korvid::testing
