#include "blocktool/collections/BlockPages.h"

#include <cstdlib>

#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFWriter.hh>

#include "blocktool/model/Service.h"

namespace korvid::testing {

void WriteBlankPdf(const std::string& path, int pages,
                   const std::function<void(QPDF&, QPDFObjectHandle&, int)>& page) {
  QPDF qpdf;
  qpdf.emptyPDF();
  for (int i = 0; i < pages; ++i) {
    QPDFObjectHandle dict = QPDFObjectHandle::parse("<< /Type /Page /MediaBox [0 0 612 792] /Resources << >> >>");
    dict.replaceKey("/Contents", QPDFObjectHandle::newStream(&qpdf, ""));
    if (page) page(qpdf, dict, i);
    qpdf.addPage(qpdf.makeIndirectObject(dict), false);
  }
  QPDFWriter writer(qpdf, path.c_str());
  writer.setStaticID(true);
  writer.write();
}

QPDFObjectHandle StoredTree(QPDF& qpdf, const std::string& privateDict) {
  QPDFObjectHandle korvid = QPDFObjectHandle::parse("<< /LastModified (D:20040101120000) /Private " + privateDict + " >>");
  QPDFObjectHandle pieceInfo = QPDFObjectHandle::newDictionary();
  pieceInfo.replaceKey("/Korvid", qpdf.makeIndirectObject(korvid));
  return pieceInfo;
}

bool QpdfCheckPasses(const std::string& path) {
  const std::string command = "qpdf --check '" + path + "' > /dev/null 2>&1";
  return std::system(command.c_str()) == 0;
}

SavedFile::SavedFile(const std::string& path) { qpdf_.processFile(path.c_str()); }

QPDFObjectHandle SavedFile::Page(int index) {
  return QPDFPageDocumentHelper(qpdf_).getAllPages().at(static_cast<std::size_t>(index)).getObjectHandle();
}

QPDFObjectHandle SavedFile::Korvid(int index) { return Page(index).getKey("/PieceInfo").getKey("/Korvid"); }

QPDFObjectHandle SavedFile::Blocks(int index) { return Korvid(index).getKey("/Private").getKey("/Blocks"); }

QPDFObjectHandle SavedFile::Block(int index, const std::string& name) { return Blocks(index).getKey("/" + name); }

BlockPages::BlockPages(char decimalSeparator) {
  harness_.AttachLinkedPlugin(&PIMain, &PIResources);
  cDecimalSeparator = decimalSeparator;
}

BlockPages::~BlockPages() { cDecimalSeparator = '.'; }

viewer::Document& BlockPages::Open(const std::string& path, bool visible) { return harness_.Open(path, visible); }

CMarkupPageCollection* BlockPages::Page(viewer::Document& doc, int page) {
  if (doc.View().GetPageNum() != page) doc.View().GoToPage(page);
  harness_.Settle();
  return Service.GetDocMarkupPageCollection(&doc);
}

CMarkupDocCollection* BlockPages::DocCollection(viewer::Document& doc) {
  return pMrkupCollectionMap ? pMrkupCollectionMap->FindDocument(&doc) : nullptr;
}

BlockRef BlockPages::NewBlock(CMarkupPageCollection& page, const host::AVRect& rect, PropertyClass kind) {
  const int id = page.NewBlockID();
  auto block = std::make_shared<CMarkupBlock>(&page, kDefaultPrefixName, id);
  if (kind != PropText) block->PropertyList()->PropertyListClass(kind);
  block->CreateNewBlock(rect, false);
  page.AddBlock(block);
  return block;
}

void BlockPages::Save(viewer::Document& doc, const std::string& path) {
  doc.GetPDDoc()->Save(host::ASPathName(path), host::kPDSaveFull);
  harness_.Settle();
}

void BlockPages::Close(viewer::Document& doc) {
  harness_.Host().Documents().Close(doc, true);
  harness_.Settle();
}

std::vector<std::string> BlockPages::Alerts() {
  const std::vector<std::string> all = harness_.FrontEnd().AlertTexts();
  return {all.begin() + static_cast<std::ptrdiff_t>(std::min(alertsSeen_, all.size())), all.end()};
}

void BlockPages::ClearAlerts() { alertsSeen_ = harness_.FrontEnd().AlertTexts().size(); }

std::string Value(const CMarkupBlock& block, const std::string& property) {
  const CMarkupProperties* found = block.PropertyList()->GetProperty(property);
  return found ? found->TagValue() : std::string();
}

void SetValue(CMarkupBlock& block, const std::string& property, const std::string& value) {
  block.PropertyList()->GetProperty(property)->TagValue(value);
}

std::map<std::string, CMarkupBlock*> BlocksByName(const CMarkupPageCollection& page) {
  std::map<std::string, CMarkupBlock*> blocks;
  for (const auto& [id, block] : page.Entries()) {
    if (block) blocks[block->BlockName()] = block.get();
  }
  return blocks;
}

}  // namespace korvid::testing
