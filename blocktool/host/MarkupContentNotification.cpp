#include "blocktool/host/MarkupContentNotification.h"

#include <utility>

#include "blocktool/collections/MarkupCollection.h"
#include "blocktool/host/MarkupBlockDraw.h"
#include "blocktool/host/MarkupContentInit.h"
#include "blocktool/model/Service.h"
#include "host/PluginEntry.h"

using host::AVNotification;
using host::AVNotificationArgs;

namespace {

bool IsOurs(void* clientData) { return clientData == MarkupToolClientData(); }

// Sets a flag for the duration of a handler.
class FlagScope {
 public:
  explicit FlagScope(host::ASBool& flag) : flag_(flag) { flag_ = 1; }
  ~FlagScope() { flag_ = 0; }
  FlagScope(const FlagScope&) = delete;
  FlagScope& operator=(const FlagScope&) = delete;

 private:
  host::ASBool& flag_;
};

CMarkupDocCollection* CollectionOf(host::AVDoc* doc) {
  return pMrkupCollectionMap && doc ? pMrkupCollectionMap->FindDocument(doc) : nullptr;
}

// The collection of the document a notification names (saves and page
// replacement concern that document, whichever is in front).
CMarkupDocCollection* CollectionOf(host::PDDoc* doc) {
  return doc && gAcroViewHFT ? CollectionOf(gAcroViewHFT->AVDocFromPDDoc(doc)) : nullptr;
}

// Whether the plain will-save switched the block tool off for the save in
// progress: only then does did-save switch it on again, so a user who put the
// tool down before saving keeps the tool they chose.
bool toolOffForSave = false;

bool IsMarkupTool(host::AVToolRec* tool) {
  return tool && tool->GetType && atMarkupTool != host::ASAtomNull && tool->GetType(tool) == atMarkupTool;
}

void RecreateCollection(host::AVDoc* doc) {
  if (!pMrkupCollectionMap) return;
  pMrkupCollectionMap->RemoveDocument(doc);
  pMrkupCollectionMap->NewDocument(doc);
}

void PageChanged(host::AVDoc* doc, int page, CMarkupPageCollection* collection) {
  FlagScope repaging(bRepagingInProgress);
  bUpdateView = 1;
  bSaveAsInProgress = 0;
  bSupportedBlockSpecVersion = 1;
  if (collection) {
    bSupportedBlockSpecVersion = collection->IsSupportedBlockSpecVersion() ? 1 : 0;
  } else if (CMarkupDocCollection* docCollection = CollectionOf(doc)) {
    docCollection->AcquirePages(page, page);
  }
}

// Answers false when the view cannot serve its zoom.
bool ZoomChanged(host::AVPageView& view, CMarkupPageCollection* collection) {
  try {
    view.GetGrayRect();
    view.GetAperture();
    if (collection && bSupportedBlockSpecVersion) collection->FitToZoom();
    bMaxZoomLimitationActive = 0;
    return true;
  } catch (...) {
    bMaxZoomLimitationActive = 1;
    InformZoomLimit(collection && collection->HasValidBlocks());
    return false;
  }
}

}  // namespace

void Markup_NotifAVPageViewDidChange(const AVNotificationArgs& args, void* clientData) {
  if (!IsOurs(clientData) || bPageChangeNotificationInProgress || !args.view) return;
  FlagScope inProgress(bPageChangeNotificationInProgress);
  host::AVPageView& view = *args.view;
  host::AVDoc* doc = view.GetAVDoc();
  const int page = view.GetPageNum();
  if (page < 0) return;
  CMarkupDocCollection* docCollection = CollectionOf(doc);
  CMarkupPageCollection* collection = docCollection ? docCollection->PageCollection(page) : nullptr;
  if (args.flags & host::kPageViewPageChanged) {
    PageChanged(doc, page, collection);
    if (!collection && docCollection) collection = docCollection->PageCollection(page);
  }
  if ((args.flags & host::kPageViewZoomChanged) && !ZoomChanged(view, collection)) return;
  view.Invalidate(nullptr);
}

void Markup_NotifAVPageViewWillDraw(const AVNotificationArgs&, void* clientData) {
  if (IsOurs(clientData)) bRedrawViewInProgress = 1;
}

void Markup_NotifAVPageViewDidDraw(const AVNotificationArgs&, void* clientData) {
  if (IsOurs(clientData)) bRedrawViewInProgress = 0;
}

void Markup_NotifAVDocDidOpen(const AVNotificationArgs& args, void* clientData) {
  if (!IsOurs(clientData) || !args.avDoc) return;
  bUpdateView = 1;
  bSupportedBlockSpecVersion = 1;
  if (pMrkupCollectionMap) pMrkupCollectionMap->NewDocument(args.avDoc);
}

void Markup_NotifAVDocWillClose(const AVNotificationArgs& args, void* clientData) {
  if (!IsOurs(clientData)) return;
  bUpdateView = 1;
  if (pMrkupCollectionMap) pMrkupCollectionMap->RemoveDocument(args.avDoc);
}

void Markup_NotifAVAppFrontDocDidChange(const AVNotificationArgs& args, void* clientData) {
  if (!IsOurs(clientData) || !args.avDoc || bSynchronizeGetContent || bRedrawViewInProgress) return;
  if (!pMrkupCollectionMap) return;
  host::AVDoc* doc = args.avDoc;
  bUpdateView = 1;
  // Saved under another name: the collection follows the new file.
  if (doc == pMrkupCollectionMap->ActiveDoc() && bSaveAsInProgress) RecreateCollection(doc);
  try {
    if (CMarkupDocCollection* collection = pMrkupCollectionMap->FindDocument(doc)) {
      bSupportedBlockSpecVersion = collection->IsSupportedBlockSpecVersion() ? 1 : 0;
      collection->ShowBoundAnnotation(!IsMarkupToolActive());
    }
  } catch (...) {
    bUpdateView = 1;
    RecreateCollection(doc);
    return;
  }
  bSaveAsInProgress = 0;
}

void Markup_NotifPDDocWillReplacePages(const AVNotificationArgs& args, void* clientData) {
  if (!IsOurs(clientData) || !args.pdDoc) return;
  if (CMarkupDocCollection* collection = CollectionOf(args.pdDoc)) {
    collection->RecordPagesToReplace(args.first, args.last);
  }
}

void Markup_NotifPDDocDidReplacePages(const AVNotificationArgs& args, void* clientData) {
  if (!IsOurs(clientData) || !args.pdDoc) return;
  bUpdateView = 1;
  if (CMarkupDocCollection* collection = CollectionOf(args.pdDoc)) collection->PagesReplaced(args.first, args.last);
}

void Markup_NotifPDDocDidChangePages(const AVNotificationArgs& args, void* clientData) {
  if (IsOurs(clientData) && args.pdDoc) bUpdateView = 1;
}

// Either will-save may come first: whichever does writes the blocks of the
// document being saved.
void Markup_NotifPDDocWillSaveEx(const AVNotificationArgs& args, void* clientData) {
  if (!IsOurs(clientData) || bSynchronizeGetContent || bRedrawViewInProgress || bSaveAsInProgress) return;
  bUpdateView = 1;
  if (CMarkupDocCollection* collection = CollectionOf(args.pdDoc)) {
    collection->ShowBoundAnnotation(!IsMarkupToolActive());
    if (!collection->WrittenForSave()) collection->UpdateFamilies();
  }
  bSaveAsInProgress = 1;
}

void Markup_NotifPDDocWillSave(const AVNotificationArgs& args, void* clientData) {
  if (!IsOurs(clientData) || bSynchronizeGetContent || bRedrawViewInProgress) return;
  bUpdateView = 1;
  if (CMarkupDocCollection* collection = CollectionOf(args.pdDoc)) collection->UpdateFamilies();
  if (bSaveAsInProgress || !gAcroViewHFT) return;
  // The tool is off while the file is written; did-save turns it on again.
  if (IsMarkupToolActive()) {
    toolOffForSave = true;
    gAcroViewHFT->SetActiveTool(gAcroViewHFT->GetLastActiveTool(), false);
  }
}

void Markup_NotifPDDocDidSave(const AVNotificationArgs& args, void* clientData) {
  if (!IsOurs(clientData)) return;
  if (CMarkupDocCollection* collection = CollectionOf(args.pdDoc)) collection->SaveEnded();
  if (gAcroViewHFT && std::exchange(toolOffForSave, false)) {
    if (host::AVToolRec* last = gAcroViewHFT->GetLastActiveTool(); IsMarkupTool(last)) {
      gAcroViewHFT->SetActiveTool(last, false);
    }
  }
  bSaveAsInProgress = 0;
}

namespace {

struct Registration {
  AVNotification which;
  host::AVNotificationProc proc;
};

// In the order start-up registers them.
constexpr Registration kRegistrations[] = {
    {AVNotification::PageViewDidChange, Markup_NotifAVPageViewDidChange},
    {AVNotification::PageViewWillDraw, Markup_NotifAVPageViewWillDraw},
    {AVNotification::PageViewDidDraw, Markup_NotifAVPageViewDidDraw},
    {AVNotification::AVDocDidOpen, Markup_NotifAVDocDidOpen},
    {AVNotification::AVDocWillClose, Markup_NotifAVDocWillClose},
    {AVNotification::AVAppFrontDocDidChange, Markup_NotifAVAppFrontDocDidChange},
    {AVNotification::PDDocWillReplacePages, Markup_NotifPDDocWillReplacePages},
    {AVNotification::PDDocDidReplacePages, Markup_NotifPDDocDidReplacePages},
    {AVNotification::PDDocDidChangePages, Markup_NotifPDDocDidChangePages},
    {AVNotification::PDDocWillSaveEx, Markup_NotifPDDocWillSaveEx},
    {AVNotification::PDDocWillSave, Markup_NotifPDDocWillSave},
    {AVNotification::PDDocDidSave, Markup_NotifPDDocDidSave},
};

}  // namespace

void RegisterMarkupNotifications() {
  for (const Registration& registration : kRegistrations) {
    gAcroViewHFT->RegisterNotification(registration.which, gExtensionID, registration.proc, MarkupToolClientData());
  }
}

void UnregisterMarkupNotifications() {
  if (!gAcroViewHFT) return;
  for (const Registration& registration : kRegistrations) {
    gAcroViewHFT->UnregisterNotification(registration.which, gExtensionID, registration.proc,
                                         MarkupToolClientData());
  }
}

bool MrkupActiveAVDocEnum(host::AVDoc* doc, void* list) {
  auto& documents = *static_cast<std::vector<ActiveDocument>*>(list);
  if (!doc || doc == gAcroViewHFT->GetActiveDoc()) return true;
  const host::AVWindow* window = doc->GetWindow();
  documents.push_back({doc, window ? window->Title() : doc->Title()});
  return true;
}

std::vector<ActiveDocument> OtherOpenDocuments() {
  std::vector<ActiveDocument> documents;
  if (gAcroViewHFT) gAcroViewHFT->EnumDocs(&MrkupActiveAVDocEnum, &documents);
  return documents;
}
