#include "blocktool/collections/MarkupPageCollection.h"

#include <climits>
#include <cstdlib>
#include <cstdint>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "blocktool/collections/MarkupCollection.h"
#include "blocktool/collections/UniqueBlockName.h"
#include "blocktool/host/MarkupContentInit.h"
#include "blocktool/model/NumberText.h"
#include "blocktool/model/Service.h"
#include "blocktool/model/StoredBlockTree.h"
#include "host/PluginEntry.h"

namespace {

constexpr int kUnsupportedFormatMessage = 1202;
constexpr int kNamesRepairedMessage = 1071;
constexpr int kBlockNotWrittenMessage = 1203;
// Marked content nests no deeper than this in pages the loader cleans.
constexpr int kMaxContainerDepth = 64;
// The largest stored ID taken as it is; larger ones are renumbered, so that
// the next ID always exists.
constexpr std::int64_t kMaxStoredID = INT_MAX - 1;

// Copies keep the font properties of their source: no detection meanwhile.
class DetectionOff {
 public:
  DetectionOff() : saved_(bDetectUnderFonts) { bDetectUnderFonts = 0; }
  ~DetectionOff() { bDetectUnderFonts = saved_; }
  DetectionOff(const DetectionOff&) = delete;
  DetectionOff& operator=(const DetectionOff&) = delete;

 private:
  host::ASBool saved_;
};

// Page content acquired for the block tool, released on every path.
class AcquiredContent {
 public:
  explicit AcquiredContent(const host::PDPage& page) : page_(page) {
    content_ = gPagePDEContentHFT->AcquirePageContent(page_, gExtensionID);
  }
  ~AcquiredContent() {
    try {
      gPagePDEContentHFT->ReleasePageContent(page_, gExtensionID);
    } catch (...) {
      // Releasing cannot be refused in any way that matters here.
    }
  }
  AcquiredContent(const AcquiredContent&) = delete;
  AcquiredContent& operator=(const AcquiredContent&) = delete;
  const host::PDEContentRef& Content() const { return content_; }

 private:
  host::PDPage page_;
  host::PDEContentRef content_;
};

void Note(const std::string& text) {
  if (gAcroViewHFT) gAcroViewHFT->AlertNote(text);
}

}  // namespace

bool PrivateBlocksCosObjEnum(std::string_view key, const host::CosObj& value, CMarkupPageCollection& page) {
  try {
    // Only dictionaries are blocks; anything else under Blocks is no block.
    if (value.IsDict()) page.AcquirePrivateBlock(key, value);
    return true;
  } catch (...) {
    Service.ExceptionAlert("PrivateBlocksCosObjEnum");
    return false;
  }
}

CMarkupPageCollection::CMarkupPageCollection(CMarkupDocCollection* parent)
    : parent_(parent),
      selection_(this),
      copyGroup_(this),
      history_(std::make_unique<CMarkupBackupCollection>()) {}

CMarkupPageCollection::~CMarkupPageCollection() { FreePageCollection(); }

void CMarkupPageCollection::FreePageCollection() {
  openStep_.reset();
  history_.reset();
  selection_.Clear();
  copyGroup_.Clear();
  stackGroup_.Clear();
  FreeGroup();
}

// --- Loading --------------------------------------------------------------------------

int CMarkupPageCollection::AcquirePageCollection(host::AVPageView* view) {
  pageView_ = view;
  if (!view) return -1;
  try {
    pageNumber_ = view->GetPageNum();
    if (pageNumber_ < 0) {
      pageNumber_ = 0;
      return -1;
    }
    const host::PDPage page = view->AcquirePage();
    pageObject_ = page->GetCosObj();
    version_ = GetBlockSpecVersion();
    if (!IsSupportedBlockSpecVersion()) {
      MirrorSupportedFlag(false);
      Note(Service.GetStringByID(kUnsupportedFormatMessage));
      return -1;
    }
    MirrorSupportedFlag(true);
    const int removed = RemoveOldMarkedContent(page);
    const int read = AcquirePrivateCollection();
    // A tree read only in part would lose the rest at the next write.
    if (read != 0) storedTreeUnreadable_ = true;
    MakeLoadedNamesUnique();
    Validate(removed == 0 && read == 0 && !idRepairMode_ && !idsRenumbered_ && !nameRepaired_);
    if (nameRepaired_) {
      Note(Service.GetStringByID(kNamesRepairedMessage));
      nameRepaired_ = false;
    }
    return read;
  } catch (...) {
    Service.ExceptionAlert("AcquirePageCollection");
    return -1;
  }
}

void CMarkupPageCollection::MirrorSupportedFlag(bool supported) const {
  // The flag tells about the front document only.
  if (parent_ && gAcroViewHFT && parent_->avDoc() == gAcroViewHFT->GetActiveDoc()) {
    bSupportedBlockSpecVersion = supported ? 1 : 0;
  }
}

// The old marked content is cleaned when the page content can be read; the
// stored blocks do not depend on it and load either way.
int CMarkupPageCollection::RemoveOldMarkedContent(const host::PDPage& page) {
  if (!gPagePDEContentHFT) return 0;
  std::unique_ptr<AcquiredContent> acquired;
  try {
    acquired = std::make_unique<AcquiredContent>(page);
  } catch (...) {
    return 0;
  }
  if (!acquired->Content()) return 0;
  const int removed = ClearContentCollection(acquired->Content());
  if (removed <= 0) return 0;
  try {
    gPagePDEContentHFT->SetPageContent(page, gExtensionID, acquired->Content());
    page->NotifyContentsDidChange();
    if (parent_ && parent_->pdDoc()) {
      parent_->pdDoc()->SetFlags(host::kPDDocNeedsSave);
      parent_->AcceptFlagChanges();
    }
  } catch (...) {
    Service.ExceptionAlert("AcquirePageCollection");
  }
  return removed;
}

int CMarkupPageCollection::ClearContentCollection(const host::PDEContentRef& content) {
  if (!content) return 0;
  try {
    return ClearContainers(*content, 0);
  } catch (...) {
    Service.ExceptionAlert("ClearContentCollection");
    return -1;
  }
}

int CMarkupPageCollection::ClearContainers(host::PDEContent& content, int depth) {
  if (depth >= kMaxContainerDepth) return 0;
  int count = 0;
  for (int i = content.NumElems() - 1; i >= 0; --i) {
    const host::PDEElementRef element = content.GetElem(i);
    if (!element || element->Type() != host::PDEType::Container) continue;
    const std::shared_ptr<host::PDEContent> inner = element->Content();
    if (element->ContainerTag() == atDefaultPrefixName) {
      if (inner) {
        for (int j = inner->NumElems() - 1; j >= 0; --j) inner->RemoveElem(j);
      }
      content.RemoveElem(i);
      ++count;
    } else if (inner) {
      count += ClearContainers(*inner, depth + 1);
    }
  }
  return count;
}

double CMarkupPageCollection::GetBlockSpecVersion() {
  try {
    return CStoredBlockTree::ReadVersion(pageObject_);
  } catch (...) {
    Service.ExceptionAlert("GetBlockSpecVersion");
    return -1;
  }
}

bool CMarkupPageCollection::IsSupportedBlockSpecVersion() const {
  return CStoredBlockTree::IsSupportedVersion(version_) && !storedTreeUnreadable_;
}

int CMarkupPageCollection::AcquirePrivateCollection() {
  try {
    const host::CosObj blocks = CStoredBlockTree::FindBlocks(pageObject_);
    if (!blocks.IsDict()) return 0;
    const bool whole = blocks.DictEnum(
        [this](std::string_view key, const host::CosObj& value) { return PrivateBlocksCosObjEnum(key, value, *this); });
    return whole ? 0 : -1;
  } catch (...) {
    Service.ExceptionAlert("AcquirePrivateCollection");
    return -1;
  }
}

int CMarkupPageCollection::AcquirePrivateBlock(std::string_view key) {
  auto block = std::make_shared<CMarkupBlock>(this, kDefaultPrefixName, -1);
  block->ReadStoredPropertyList(key);
  TakeStoredBlock(block);
  return 0;
}

int CMarkupPageCollection::AcquirePrivateBlock(std::string_view, const host::CosObj& blockDict) {
  if (!storedTreeLabelled_) {
    // Reading a page's blocks labels its tree as this format.
    CStoredBlockTree::Relabel(pageObject_.Doc(), pageObject_);
    storedTreeLabelled_ = true;
  }
  auto block = std::make_shared<CMarkupBlock>(this, kDefaultPrefixName, -1);
  block->ReadStoredPropertyList(blockDict);
  TakeStoredBlock(block);
  return 0;
}

void CMarkupPageCollection::TakeStoredBlock(const BlockRef& block) {
  CMarkupBlockProperties& list = *block->PropertyList();
  if (list.CheckKeyName()) nameRepaired_ = true;
  TakeStoredID(*block);
  std::vector<float> rect;
  if (const CMarkupProperties* stored = list.GetProperty("Rect");
      stored && stored->ParseFloatSequence(rect, false) == 4 && host::FitsFixed(rect[0]) &&
      host::FitsFixed(rect[1]) && host::FitsFixed(rect[2]) && host::FitsFixed(rect[3])) {
    // Stored as left, bottom, right, top.
    block->BlockRectFx({host::FloatToFixed(rect[0]), host::FloatToFixed(rect[3]), host::FloatToFixed(rect[2]),
                        host::FloatToFixed(rect[1])});
  }
  Service.ReNormalizePathProperty(list.GetProperty("defaultimage"));
  Service.ReNormalizePathProperty(list.GetProperty("defaultpdf"));
  AddBlock(block);
  block->Validate(!idRepairMode_ && !nameRepaired_);
  if (IsMarkupToolActive()) ShowBound(*block, false);
}

// Stored IDs are taken as they are until one is negative or too large; from
// then on every block loaded is numbered above the highest ID seen. A block
// whose ID another block already has is numbered that way too, never left
// out.
int CMarkupPageCollection::TakeStoredID(CMarkupBlock& block) {
  bool renumber = idRepairMode_;
  const CMarkupProperties* stored = block.PropertyList()->GetProperty("ID");
  if (stored && !idRepairMode_) {
    const std::optional<std::int64_t> id = korvid::numbers::LeadingInteger64(stored->TagValue());
    if (!id || *id < 0 || *id > kMaxStoredID) {
      idRepairMode_ = true;
      renumber = true;
    } else if (IsBlockInGroup(static_cast<int>(*id))) {
      idsRenumbered_ = true;
      renumber = true;
    } else {
      block.BlockID(static_cast<int>(*id));
      lastBlockID_ = std::max(lastBlockID_, static_cast<int>(*id));
    }
  }
  if (renumber) block.BlockID(NewBlockID());
  return block.BlockID();
}

void CMarkupPageCollection::MakeLoadedNamesUnique() {
  std::unordered_set<std::string> stored;
  for (const auto& [id, block] : Entries()) {
    if (block) stored.insert(block->BlockName());
  }
  std::unordered_set<std::string> taken;
  std::unordered_map<std::string, int> counters;
  for (const auto& [id, block] : Entries()) {
    if (!block) continue;
    const std::string name = block->BlockName();
    if (taken.insert(name).second) continue;
    const UniqueBlockName unique = ::MakeUniqueBlockName(
        name, ".",
        [&](std::string_view candidate) {
          const std::string text(candidate);
          return taken.contains(text) || stored.contains(text);
        },
        counters[name]);
    block->PropertyList()->UpdateProperty("Name", std::string_view(unique.name));
    block->Validate(false);
    taken.insert(unique.name);
    nameRepaired_ = true;
  }
}

int CMarkupPageCollection::NewBlockID() {
  if (lastBlockID_ < kMaxStoredID) return ++lastBlockID_;
  // Every ID above the last one is used up: the lowest ID never used.
  int candidate = 0;
  for (const auto& [id, block] : Entries()) {
    if (id > candidate) break;
    if (id == candidate) ++candidate;
  }
  return candidate;
}

// --- Writing back -------------------------------------------------------------------

int CMarkupPageCollection::UpdateFamilies() {
  if (!pageObject_.IsDict() || !IsSupportedBlockSpecVersion()) return -1;
  try {
    host::CosDoc doc = pageObject_.Doc();
    // The new tree grows under a stand-in for the page, so that the page's
    // own tree stays as it is until every block is written.
    const host::CosObj stage = doc->NewDict(false, 1);
    const host::CosObj blocks = CStoredBlockTree::MakeTree(doc, stage);
    const CMarkupBlock* failed = nullptr;
    bool written = false;
    for (const auto& [id, block] : Entries()) {
      if (!block) continue;
      if (block->UpdateBlocksProperties(blocks) != 0 && !failed) failed = block.get();
      written = true;
    }
    for (const auto& [id, block] : Entries()) {
      if (block) ShowBound(*block, true);
    }
    if (failed) {
      ReportWriteFailure(*failed);
      return -1;
    }
    // A page without blocks holds no tree.
    const bool empty = !written || blocks.DictEnum([](std::string_view, const host::CosObj&) { return false; });
    CStoredBlockTree::Install(doc, pageObject_, empty ? host::CosObj() : CStoredBlockTree::FindKorvid(stage));
    for (const auto& [id, block] : Entries()) {
      if (block) block->Validate(true);
    }
    validated_ = true;
    return 0;
  } catch (...) {
    Service.ExceptionAlert("UpdateFamilies");
    return -1;
  }
}

void CMarkupPageCollection::ReportWriteFailure(const CMarkupBlock& block) {
  Note(korvid::numbers::FormatString(Service.GetStringByID(kBlockNotWrittenMessage), block.BlockName()));
}

// --- Blocks ------------------------------------------------------------------------------

void CMarkupPageCollection::AddBlock(const BlockRef& block) { CMarkupBlocksGroup::AddBlock(block); }

void CMarkupPageCollection::ShowBound(CMarkupBlock& block, bool show) {
  try {
    block.ShowBoundAnnotation(show);
  } catch (...) {
    Service.ExceptionAlert("ShowBoundAnnotation");
  }
}

void CMarkupPageCollection::DeleteBlock(CMarkupBlock* block) {
  if (!block) return;
  // The page may hold the last reference; the block lives on for the
  // undo steps that hold it, and until this is done.
  const BlockRef keep = block->weak_from_this().lock();
  ShowBound(*block, true);
  // A block off the page is nobody's member any more.
  selection_.RemoveBlock(block);
  copyGroup_.RemoveBlock(block);
  stackGroup_.RemoveBlock(block);
  RemoveAndKeepBlock(block);
  block->DeleteBlock(true);
  block->Deleted(true);
}

void CMarkupPageCollection::RestoreDeletedBlock(const BlockRef& block) {
  if (!block) return;
  {
    // The block comes back as it was: no detection of the text under it,
    // and its stored rectangle exactly, whatever the zoom.
    DetectionOff detection;
    const host::ASFixedRect pageRect = block->BlockRectFx();
    block->CreateNewBlock(block->BlockRect(), true);
    block->BlockRectFx(pageRect);
  }
  block->Selected(false);
  block->SelectedGroup(false);
  block->EnsureUniqBlockName(".");
  const int id = block->BlockID();
  if (!IsBlockInGroup(id)) {
    AddBlock(block);
  } else if (!GetBlock(id)) {
    InsertBlock(block, 0);
  } else {
    block->BlockID(NewBlockID());
    AddBlock(block);
  }
  block->Deleted(false);
  if (IsMarkupToolActive()) ShowBound(*block, false);
}

void CMarkupPageCollection::DeleteSelectedGroup() {
  ActivateBackupGroup();
  std::vector<BlockRef> members;
  for (const auto& [id, block] : selection_.Entries()) {
    if (block) members.push_back(block);
  }
  for (const BlockRef& block : members) {
    if (block->Lock()) {
      block->Selected(false);
      block->SelectedGroup(false);
      continue;
    }
    AddBlockForBackup(*block, kBackupExistence);
    DeleteBlock(block.get());
  }
  selection_.Clear();
  SetUndoBackupGroup();
}

int CMarkupPageCollection::IsBlockNameKnown(const host::ASText& name) const {
  for (const auto& [id, block] : Entries()) {
    if (!block) continue;
    const CMarkupProperties* property = block->PropertyList()->GetProperty("Name");
    if (property && property->ASTextValue() == name) return id;
  }
  return -1;
}

int CMarkupPageCollection::IsBlockNameKnown(std::string_view name) const {
  for (const auto& [id, block] : Entries()) {
    if (block && block->BlockName() == name) return id;
  }
  return -1;
}

CMarkupBlock* CMarkupPageCollection::GetClickedBlock(host::AVDevCoord x, host::AVDevCoord y) {
  stackGroup_.Clear();
  const CMarkupBlock* selected = GetSelectedBlock();
  int chosen = 0;
  bool found = false;
  for (auto entry = Entries().rbegin(); entry != Entries().rend(); ++entry) {
    const BlockRef& block = entry->second;
    if (!block || block->GetSelectedCursorPos(x, y) < 0) continue;
    stackGroup_.AddBlock(block);
    if (!found || block.get() == selected) chosen = entry->first;
    found = true;
  }
  return found ? stackGroup_.GetBlock(chosen) : nullptr;
}

void CMarkupPageCollection::SelectAll() {
  for (const auto& [id, block] : Entries()) {
    if (block) selection_.AddBlock(block);
  }
}

void CMarkupPageCollection::ShiftSelection(int step) {
  if (step == 0 || GetSize() <= 1) return;
  CMarkupBlock* selected = GetSelectedBlock();
  if (!selected) return;
  const CMarkupBlock* next = GetNextValidBlock(selected->BlockID(), step);
  if (!next) return;
  const BlockRef nextRef = GetBlockRef(next->BlockID());
  selected->Selected(false);
  if (!selection_.IsBlockInGroup(nextRef->BlockID())) selection_.ClearAll();
  nextRef->Selected(true);
  selection_.AddBlock(nextRef);
}

bool CMarkupPageCollection::CopySelectedGroup(const CMarkupBlocksGroup& group) {
  copyGroup_.Clear();
  copyGroup_.CopyGroup(group);
  return copyGroup_.GetSize() > 0;
}

void CMarkupPageCollection::PasteSelectedGroup(std::int64_t dx, std::int64_t dy) {
  ActivateBackupGroup();
  selection_.ClearAll();
  DetectionOff detection;
  std::vector<BlockRef> sources;
  for (const auto& [id, block] : copyGroup_.Entries()) {
    if (block && !block->Deleted()) sources.push_back(block);
  }
  bool first = true;
  for (const BlockRef& source : sources) {
    source->Selected(false);
    host::AVRect rect = source->BlockRect();
    if (dx == 0 && dy == 0) {
      // The whole group moves by the first block's width and half its
      // height, so that it keeps its arrangement.
      dx = std::abs(std::int64_t{rect.right} - rect.left);
      dy = std::abs(std::int64_t{rect.bottom} - rect.top) / 2;
    }
    CService::OffsetRect(rect, dx, dy);
    const int id = NewBlockID();
    auto copy = std::make_shared<CMarkupBlock>(this, id, *source);
    copy->CreateNewBlock(rect, false);
    std::string name;
    Service.CreateSafeUniqBlockName(*this, source->BlockName(), name, id, ".", true);
    copy->PropertyList()->UpdateProperty("Name", std::string_view(name));
    if (first) copy->Selected(true);
    first = false;
    AddBlock(copy);
    AddBlockForBackup(*copy, kBackupExistence);
    selection_.AddBlock(copy);
  }
  SetUndoBackupGroup();
}

void CMarkupPageCollection::DuplicateSelectedGroup(std::int64_t dx, std::int64_t dy) {
  CopySelectedGroup(selection_);
  PasteSelectedGroup(dx, dy);
  ClearCopyGroup();
}

void CMarkupPageCollection::ClearCopyGroup() { copyGroup_.Clear(); }

// --- Undo --------------------------------------------------------------------------------

void CMarkupPageCollection::ActivateBackupGroup() { openStep_ = std::make_unique<CMarkupBackupGroup>(*this); }

void CMarkupPageCollection::AddBlockForBackup(CMarkupBlock& block, int action) {
  if (!openStep_) return;
  BlockRef shared = block.weak_from_this().lock();
  if (!shared) return;
  openStep_->AddBlock(shared, action);
}

void CMarkupPageCollection::SetUndoBackupGroup() {
  if (!openStep_ || !history_) return;
  history_->AddUndoGroup(std::move(openStep_));
}

void CMarkupPageCollection::SetUndoBackupGroup(CMarkupBlock& block, int action) {
  if (!openStep_) ActivateBackupGroup();
  AddBlockForBackup(block, action);
  SetUndoBackupGroup();
}

int CMarkupPageCollection::RestoreLastBackup() {
  if (history_ && history_->EnableUndo()) history_->Undo();
  return 0;
}

int CMarkupPageCollection::RedoLastBackup() {
  if (history_ && history_->EnableRedo()) history_->Redo();
  return 0;
}

// --- State ------------------------------------------------------------------------------

void CMarkupPageCollection::Validate(bool flag) {
  validated_ = flag;
  if (!flag && parent_ && parent_->pdDoc()) parent_->pdDoc()->SetFlags(host::kPDDocNeedsSave);
}

void CMarkupPageCollection::UpdatePageCoseObj(const host::PDPage& page) {
  if (page.IsNull()) return;
  pageObject_ = page->GetCosObj();
  validated_ = false;
}

void CMarkupPageCollection::ShowBoundAnnotation(bool show) {
  for (const auto& [id, block] : Entries()) {
    if (block) ShowBound(*block, show);
  }
  if (pageView_) pageView_->Invalidate(nullptr);
}

int CMarkupPageCollection::BlockIDFromAnnotation(const host::PDAnnot& annot) const {
  if (!annot.IsValid()) return -1;
  const host::CosObj dict = annot.GetCosObj();
  for (const auto& [id, block] : Entries()) {
    if (!block) continue;
    const CMarkupProperties* acroForm = block->PropertyList()->GetProperty("AcroForm");
    if (acroForm && !acroForm->TagCosObj().IsNull() && acroForm->TagCosObj() == dict) return id;
  }
  return -1;
}

void CMarkupPageCollection::FitToZoom() {
  for (const auto& [id, block] : Entries()) {
    if (block) block->FitToZoom();
  }
}

std::string CMarkupPageCollection::MakeUniqueBlockName(const CMarkupBlock& block, std::string_view name,
                                                       std::string_view separator) {
  std::string unique;
  Service.CreateSafeUniqBlockName(*this, std::string(name), unique, block.BlockID(), separator, false);
  return unique;
}
