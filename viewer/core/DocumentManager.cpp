#include "viewer/core/DocumentManager.h"

#include <algorithm>

#include "host/HostError.h"
#include "viewer/core/ErrorTexts.h"
#include "viewer/core/Host.h"
#include "viewer/core/ViewerServices.h"

namespace viewer {

namespace {

host::AVNotificationArgs DocArgs(Document* doc) {
  host::AVNotificationArgs args;
  args.avDoc = doc;
  args.pdDoc = doc ? doc->GetPDDoc() : nullptr;
  args.view = doc ? &doc->View() : nullptr;
  return args;
}

host::AVNotificationArgs PDDocArgs(host::PDDoc* doc) {
  host::AVNotificationArgs args;
  args.pdDoc = doc;
  return args;
}

}  // namespace

DocumentManager::~DocumentManager() = default;

Document& DocumentManager::Open(const std::string& path, bool visible) {
  std::unique_ptr<pdf::PdfDocument> pdf = pdf::PdfDocument::Open(path, Events(), Atoms());
  host_.Notify(host::AVNotification::PDDocDidOpen, PDDocArgs(pdf.get()));
  return Adopt(std::move(pdf), {}, visible);
}

Document& DocumentManager::OpenWindow(host::PDDoc& doc, const std::string& title, bool visible) {
  if (Document* existing = Find(&doc)) return *existing;
  const auto it = std::find_if(windowless_.begin(), windowless_.end(),
                               [&](const auto& owned) { return owned.get() == &doc; });
  if (it == windowless_.end()) host::RaiseHostError(host::kErrBadParameter, "not an open document");
  std::unique_ptr<pdf::PdfDocument> pdf = std::move(*it);
  windowless_.erase(it);
  return Adopt(std::move(pdf), title, visible);
}

pdf::PdfDocument& DocumentManager::OpenWithoutWindow(const std::string& path) {
  windowless_.push_back(pdf::PdfDocument::Open(path, Events(), Atoms()));
  pdf::PdfDocument& doc = *windowless_.back();
  host_.Notify(host::AVNotification::PDDocDidOpen, PDDocArgs(&doc));
  return doc;
}

pdf::PdfDocument& DocumentManager::CreateWithoutWindow() {
  windowless_.push_back(pdf::PdfDocument::Create(Events(), Atoms()));
  return *windowless_.back();
}

Document& DocumentManager::Adopt(std::unique_ptr<pdf::PdfDocument> pdf, const std::string& title, bool visible) {
  docs_.push_back(std::make_unique<Document>(host_, std::move(pdf), title, visible));
  Document& doc = *docs_.back();
  host_.Front().DocumentOpened(doc);
  host_.Notify(host::AVNotification::AVDocDidOpen, DocArgs(&doc));
  if (visible) BringToFront(doc);
  return doc;
}

Document* DocumentManager::Find(const host::PDDoc* doc) const {
  for (const auto& owned : docs_) {
    if (owned->GetPDDoc() == doc) return owned.get();
  }
  return nullptr;
}

host::PDDoc* DocumentManager::FindByCosDoc(const host::CosDoc& cosDoc) const {
  if (cosDoc.IsNull()) return nullptr;
  for (const auto& owned : docs_) {
    if (owned->Pdf().GetCosDoc() == cosDoc) return &owned->Pdf();
  }
  for (const auto& owned : windowless_) {
    if (owned->GetCosDoc() == cosDoc) return owned.get();
  }
  return nullptr;
}

void DocumentManager::BringToFront(Document& doc) {
  if (!doc.IsVisible() || Front() == &doc) return;
  std::erase(zOrder_, &doc);
  zOrder_.insert(zOrder_.begin(), &doc);
  FrontChanged();
}

void DocumentManager::SetVisible(Document& doc, bool visible) {
  if (doc.IsVisible() == visible) return;
  doc.SetVisible(visible);
  host_.Front().ViewChanged(doc.View());
  if (visible) {
    BringToFront(doc);
    return;
  }
  const bool wasFront = Front() == &doc;
  std::erase(zOrder_, &doc);
  if (wasFront) FrontChanged();
}

void DocumentManager::FrontChanged() {
  // Handlers hear of it after a paint or menu update, never inside one.
  host_.Ui().RunOrDefer([this] {
    host_.Notify(host::AVNotification::AVAppFrontDocDidChange, DocArgs(Front()));
    host_.Front().FrontDocumentChanged(Front());
  });
}

bool DocumentManager::Close(Document& doc, bool noSave) {
  pdf::PdfDocument& pdf = doc.Pdf();
  if (!noSave && (pdf.Flags() & host::kPDDocNeedsSave) &&
      host_.Viewer().AlertConfirm("Save the changes to \"" + doc.Title() + "\" before closing?")) {
    host::ASPathName path = pdf.Path();
    if (path.IsNull()) {
      host::AVFileDialogParams params;
      params.title = "Save As";
      params.filters = {{"PDF files", {"pdf"}}};
      params.defaultName = doc.Title() + ".pdf";
      const auto chosen = host_.Viewer().ChooseFileToSave(params);
      if (!chosen) return false;
      path = *chosen;
    }
    try {
      pdf.Save(path, host::kPDSaveFull);
    } catch (const host::HostError& e) {
      host_.Viewer().AlertNote("\"" + doc.Title() + "\" could not be saved. " + HostErrorText(e.Code()));
      return false;
    }
  }
  // From here on the close is certain.
  host_.Notify(host::AVNotification::AVDocWillClose, DocArgs(&doc));
  host_.Notify(host::AVNotification::PDDocWillClose, PDDocArgs(&pdf));
  const bool wasFront = Front() == &doc;
  std::erase(zOrder_, &doc);
  host_.Front().DocumentClosed(doc);
  const auto it = std::find_if(docs_.begin(), docs_.end(), [&](const auto& owned) { return owned.get() == &doc; });
  std::unique_ptr<Document> closing = std::move(*it);
  docs_.erase(it);
  closing.reset();
  if (wasFront) FrontChanged();
  return true;
}

void DocumentManager::CloseAll() {
  while (!docs_.empty()) Close(*docs_.back(), true);
  while (!windowless_.empty()) CloseWithoutWindow(*windowless_.back());
}

void DocumentManager::CloseWithoutWindow(pdf::PdfDocument& doc) {
  host_.Notify(host::AVNotification::PDDocWillClose, PDDocArgs(&doc));
  std::erase_if(windowless_, [&](const auto& owned) { return owned.get() == &doc; });
}

void DocumentManager::WillSave(pdf::PdfDocument& doc, int saveFlags) {
  if (Document* window = Find(&doc)) BringToFront(*window);
  host_.Notify(host::AVNotification::PDDocWillSave, PDDocArgs(&doc));
  host::AVNotificationArgs args = PDDocArgs(&doc);
  args.flags = saveFlags;
  host_.Notify(host::AVNotification::PDDocWillSaveEx, args);
}

void DocumentManager::DidSave(pdf::PdfDocument& doc, int error) {
  host::AVNotificationArgs args = PDDocArgs(&doc);
  args.error = error;
  host_.Notify(host::AVNotification::PDDocDidSave, args);
  if (Document* window = Find(&doc)) host_.Front().ViewChanged(window->View());
}

void DocumentManager::PageContentsDidChange(pdf::PdfDocument& doc, int pageIndex) {
  Document* window = Find(&doc);
  if (!window) return;
  window->View().ForgetPageBoxes();
  if (window->View().GetPageNum() == pageIndex) window->View().Invalidate(nullptr);
}

void DocumentManager::CloseRequested(pdf::PdfDocument& doc) {
  if (Document* window = Find(&doc)) {
    Close(*window, true);
  } else {
    CloseWithoutWindow(doc);
  }
}

host::ASAtom DocumentManager::Atom(std::string_view text) { return host_.Atoms().Intern(text); }

std::string DocumentManager::Text(host::ASAtom atom) { return host_.Atoms().Text(atom); }

}  // namespace viewer
