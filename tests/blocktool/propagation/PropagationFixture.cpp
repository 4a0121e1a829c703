#include "PropagationFixture.h"

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>

#include "blocktool/collections/MarkupBlocksExport.h"
#include "blocktool/host/MarkupContentInit.h"
#include "host/PluginEntry.h"
#include "viewer/core/DocumentManager.h"
#include "viewer/core/Host.h"
#include "viewer/pdf/PdfTestSupport.h"

namespace korvid::testing {

PropagationSession::PropagationSession() { host_.AttachLinkedPlugin(&PIMain, &PIResources); }

PropagationSession::~PropagationSession() {
  EXPECT_TRUE(host_.Driver().Failures().empty()) << host_.Driver().Failures().front();
  EXPECT_TRUE(host_.Driver().UnusedActions().empty()) << host_.Driver().UnusedActions().front();
  for (const std::string& alert : NewAlerts()) ADD_FAILURE() << "unexpected alert: " << alert;
}

std::string PropagationSession::WritePdf(const std::string& name, int pages, std::vector<Box> boxes) {
  const std::string path = folder_.File(name);
  korvid::test::WritePdf(path, [&](QPDF& qpdf) {
    for (int i = 0; i < pages; ++i) {
      const Box& box = boxes[std::min<std::size_t>(i, boxes.size() - 1)];
      korvid::test::AddPage(qpdf, {.content = "", .resources = {}, .mediaBox = {box.left, box.bottom, box.right, box.top}});
    }
  });
  return path;
}

viewer::Document& PropagationSession::Open(const std::string& path, bool visible) {
  return host_.Host().Documents().Open(path, visible);
}

CMarkupPageCollection& PropagationSession::Page(viewer::Document& doc, int page) {
  CMarkupPageCollection* collection = LoadedPageCollection(&doc, page);
  if (!collection) throw std::runtime_error("page " + std::to_string(page) + " has no blocks collection");
  return *collection;
}

CMarkupBlock& PropagationSession::AddBlock(viewer::Document& doc, int page, const std::string& name, Box rect,
                                        bool selected, bool locked) {
  CMarkupPageCollection& collection = Page(doc, page);
  host::AVPageView* view = doc.GetPageView();
  const int shown = view->GetPageNum();
  view->SetPageNum(page);
  auto block = std::make_shared<CMarkupBlock>(&collection, kDefaultPrefixName, collection.NewBlockID());
  block->PropertyList()->UpdateProperty("Name", std::string_view(name));
  block->BlockRectFx({host::FloatToFixed(rect.left), host::FloatToFixed(rect.top), host::FloatToFixed(rect.right),
                      host::FloatToFixed(rect.bottom)});
  block->UpdateBlockCoordiantesProperty();
  block->Lock(locked);
  collection.AddBlock(block);
  if (selected) {
    block->Selected(collection.SelectedGroup().GetSize() == 0);
    collection.SelectedGroup().AddBlock(block);
  }
  view->SetPageNum(shown);
  return *block;
}

std::vector<std::string> PropagationSession::Names(viewer::Document& doc, int page) {
  std::vector<std::string> names;
  for (const auto& [id, block] : Page(doc, page).Entries()) {
    if (block) names.push_back(block->BlockName());
  }
  return names;
}

std::vector<std::string> PropagationSession::NewAlerts() {
  const std::vector<std::string> all = host_.Script().AlertTexts();
  std::vector<std::string> fresh(all.begin() + static_cast<std::ptrdiff_t>(alertsSeen_), all.end());
  alertsSeen_ = all.size();
  return fresh;
}

std::string PropagationSession::Value(const CMarkupBlock& block, const std::string& name) {
  const CMarkupProperties* property = block.PropertyList()->GetProperty(name);
  return property ? property->TagValue() : "(none)";
}

std::vector<std::vector<std::string>> StoredBlockNames(const std::string& path) {
  QPDF qpdf;
  qpdf.processFile(path.c_str());
  std::vector<std::vector<std::string>> pages;
  for (QPDFPageObjectHelper& page : QPDFPageDocumentHelper(qpdf).getAllPages()) {
    std::vector<std::string> names;
    QPDFObjectHandle blocks = page.getObjectHandle().getKey("/PieceInfo").getKey("/Korvid").getKey("/Private").getKey(
        "/Blocks");
    if (blocks.isDictionary()) {
      for (const std::string& key : blocks.getKeys()) names.push_back(key.substr(1));
    }
    pages.push_back(names);
  }
  return pages;
}

std::vector<Box> MediaBoxes(const std::string& path) {
  QPDF qpdf;
  qpdf.processFile(path.c_str());
  std::vector<Box> boxes;
  for (QPDFPageObjectHelper& page : QPDFPageDocumentHelper(qpdf).getAllPages()) {
    QPDFObjectHandle box = page.getAttribute("/MediaBox", false);
    boxes.push_back({box.getArrayItem(0).getNumericValue(), box.getArrayItem(1).getNumericValue(),
                     box.getArrayItem(2).getNumericValue(), box.getArrayItem(3).getNumericValue()});
  }
  return boxes;
}

}  // namespace korvid::testing
