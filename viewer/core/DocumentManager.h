// The open documents: those in windows (visible or hidden) in front-to-back
// order, and those open without a window. Sends the notifications a
// document's life brings: did-open for every window opened, front-document
// changes, will-close only once a close is certain, and around a save, in
// this order: the document comes to the front, will-save, will-save
// (extended), the file is written, did-save.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "host/AV.h"
#include "viewer/core/Document.h"
#include "viewer/pdf/PdfDocument.h"

namespace viewer {

class Host;

class DocumentManager final : private pdf::DocumentEvents, private pdf::AtomResolver {
 public:
  explicit DocumentManager(Host& host) : host_(host) {}
  ~DocumentManager() override;

  // Raises kErrFileNotFound or kErrBadFile.
  Document& Open(const std::string& path, bool visible);
  // A window on a document open without one (the window takes it over).
  Document& OpenWindow(host::PDDoc& doc, const std::string& title, bool visible);
  pdf::PdfDocument& OpenWithoutWindow(const std::string& path);
  pdf::PdfDocument& CreateWithoutWindow();

  // The front document: the visible document on top, null when none.
  Document* Front() const { return zOrder_.empty() ? nullptr : zOrder_.front(); }
  // Documents in windows, in the order they were opened.
  int Count() const { return static_cast<int>(docs_.size()); }
  Document& At(int index) const { return *docs_.at(index); }
  Document* Find(const host::PDDoc* doc) const;
  host::PDDoc* FindByCosDoc(const host::CosDoc& cosDoc) const;

  // Hidden documents never come to the front.
  void BringToFront(Document& doc);
  void SetVisible(Document& doc, bool visible);
  // Without noSave a modified document asks whether to save first. False
  // when the document stays open (its save failed).
  bool Close(Document& doc, bool noSave);
  void CloseAll();

  pdf::DocumentEvents& Events() { return *this; }
  pdf::AtomResolver& Atoms() { return *this; }

 private:
  // pdf::DocumentEvents
  void WillSave(pdf::PdfDocument& doc, int saveFlags) override;
  void DidSave(pdf::PdfDocument& doc, int error) override;
  void PageContentsDidChange(pdf::PdfDocument& doc, int pageIndex) override;
  host::AVDoc* AVDocOf(const pdf::PdfDocument& doc) override { return Find(&doc); }
  void CloseRequested(pdf::PdfDocument& doc) override;
  // pdf::AtomResolver
  host::ASAtom Atom(std::string_view text) override;
  std::string Text(host::ASAtom atom) override;

  Document& Adopt(std::unique_ptr<pdf::PdfDocument> pdf, const std::string& title, bool visible);
  void FrontChanged();
  void CloseWithoutWindow(pdf::PdfDocument& doc);

  Host& host_;
  std::vector<std::unique_ptr<Document>> docs_;
  std::vector<Document*> zOrder_;  // visible documents, front first
  std::vector<std::unique_ptr<pdf::PdfDocument>> windowless_;
};

}  // namespace viewer
