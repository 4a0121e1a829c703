#include "BlockToolFixture.h"

#include <algorithm>

#include "blocktool/dialogs/MarkupMainPropertyDlg.h"
#include "blocktool/host/MarkupContentInit.h"
#include "blocktool/model/Service.h"
#include "host/PluginEntry.h"
#include "viewer/core/Document.h"
#include "viewer/core/DocumentManager.h"
#include "viewer/core/PageView.h"
#include "viewer/pdf/PdfTestSupport.h"
#include "viewer/script/ScriptDialogBlock.h"

namespace korvid::testing {

namespace {

CMarkupPageCollection& PageOf(viewer::Document& doc) {
  CMarkupPageCollection* page = Service.GetDocMarkupPageCollection(&doc);
  if (!page) throw std::runtime_error("the document's page has no blocks collection");
  return *page;
}

std::vector<std::string> NamesOf(const CMarkupBlocksGroup& group) {
  std::vector<std::string> names;
  for (const auto& [id, block] : group.Entries()) {
    if (block) names.push_back(block->BlockName());
  }
  return names;
}

}  // namespace

BlockToolTest::BlockToolTest() : path_(folder_.File("blocks.pdf")) {
  korvid::test::WriteOnePagePdf(path_);
  harness_ = std::make_unique<HostHarness>();
  EXPECT_TRUE(harness_->AttachLinkedPlugin(&PIMain, &PIResources));
  doc_ = &harness_->Open(path_);
  Host().SetActiveTool(Host().Tools().ByTypeName(kMarkupToolType), true);
  harness_->Settle();
}

BlockToolTest::~BlockToolTest() = default;

CMarkupPageCollection& BlockToolTest::Page() { return PageOf(*doc_); }

viewer::PageView& BlockToolTest::View() { return doc_->View(); }

CMarkupBlock& BlockToolTest::AddBlock(const std::string& name, const host::AVRect& rect, PropertyClass kind,
                                      bool locked) {
  CMarkupPageCollection& page = Page();
  auto block = std::make_shared<CMarkupBlock>(&page, kDefaultPrefixName, page.NewBlockID());
  block->PropertyList()->PropertyListClass(kind);
  block->PropertyList()->UpdateProperty("Name", std::string_view(name));
  block->BlockRectFx(View().DeviceRectToPage(rect));
  block->UpdateBlockCoordiantesProperty();
  block->Lock(locked);
  page.AddBlock(block);
  return *block;
}

void BlockToolTest::Select(const std::vector<CMarkupBlock*>& blocks) {
  CMarkupSelectionGroup& selection = Selection();
  selection.ClearAll();
  for (CMarkupBlock* block : blocks) {
    block->Selected(selection.GetSize() == 0);
    selection.AddBlock(Page().GetBlockRef(block->BlockID()));
  }
}

std::vector<std::string> BlockToolTest::SelectedNames() { return NamesOf(Selection()); }

std::string BlockToolTest::SelectedBlockName() {
  const CMarkupBlock* selected = Selection().GetSelectedBlock();
  return selected ? selected->BlockName() : std::string();
}

std::vector<std::string> BlockToolTest::Names() { return NamesOf(Page()); }

CMarkupBlock* BlockToolTest::Named(const std::string& name) {
  const int id = Page().IsBlockNameKnown(std::string_view(name));
  return id < 0 ? nullptr : Page().GetBlock(id);
}

host::AVRect BlockToolTest::RectOf(const std::string& name) {
  CMarkupBlock* block = Named(name);
  if (!block) throw std::runtime_error("no block " + name);
  return block->BlockRect();
}

void BlockToolTest::RightClick(int x, int y) {
  Host().RightClick(View(), x, y, 0, 1);
  harness_->Settle();
}

bool BlockToolTest::Key(int code, int modifiers) {
  const bool handled = Host().Key(code, modifiers);
  harness_->Settle();
  return handled;
}

void BlockToolTest::ConfirmNextPropertiesDialog() {
  viewer::script::ScriptDialogBlock block;
  block.dialogName = property_dialog::kName;
  block.lines.push_back({0, "press", std::to_string(property_dialog::kOK), ""});
  Front().QueueDialog(block);
}

int BlockToolTest::Printed(const std::string& line) {
  const auto& lines = Front().Lines();
  return static_cast<int>(std::count(lines.begin(), lines.end(), line));
}

std::map<std::string, SavedBlock> BlockToolTest::SaveAndReopen() {
  doc_->GetPDDoc()->Save(host::ASPathName(path_), host::kPDSaveFull);
  EXPECT_TRUE(korvid::test::QpdfCheckPasses(path_));
  harness_->UnloadAll();

  std::map<std::string, SavedBlock> saved;
  HostHarness fresh;
  EXPECT_TRUE(fresh.AttachLinkedPlugin(&PIMain, &PIResources));
  viewer::Document& reopened = fresh.Open(path_);
  for (const auto& [id, block] : PageOf(reopened).Entries()) {
    if (block) saved[block->BlockName()] = {block->BlockRect(), block->Lock()};
  }
  fresh.UnloadAll();
  return saved;
}

}  // namespace korvid::testing
