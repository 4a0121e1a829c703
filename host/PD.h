// The document layer: documents, pages and annotations.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "host/Core.h"
#include "host/Cos.h"
#include "host/HostTypes.h"

namespace host {

class AVDoc;
class PDDoc;

// Document flags.
inline constexpr int kPDDocNeedsSave = 0x0001;

// Save flags.
inline constexpr int kPDSaveFull = 0x0001;
inline constexpr int kPDSaveCollectGarbage = 0x0020;  // remove unused objects

// Annotation flags.
inline constexpr int kPDAnnotHidden = 0x0002;
inline constexpr int kPDAnnotPrint = 0x0004;
inline constexpr int kPDAnnotNoView = 0x0020;

// Permission word of an unencrypted document: everything permitted.
inline constexpr std::int32_t kPDPermAll = -4;

class KORVID_HOST_API PDAnnotImpl {
 public:
  virtual ~PDAnnotImpl();
  virtual bool IsValid() const = 0;
  virtual ASAtom Subtype() const = 0;
  virtual CosObj GetCosObj() const = 0;
  virtual int Flags() const = 0;
  virtual void SetFlags(int flags) = 0;  // sets the document's needs-save flag
  virtual ASFixedRect Rect() const = 0;
  virtual CosObj Page() const = 0;       // page dictionary (P entry or lookup), null when unknown
};

// An annotation: equal when it is the same annotation dictionary.
class KORVID_HOST_API PDAnnot {
 public:
  PDAnnot() = default;
  explicit PDAnnot(std::shared_ptr<PDAnnotImpl> impl) : impl_(std::move(impl)) {}
  bool IsValid() const { return impl_ && impl_->IsValid(); }
  ASAtom Subtype() const { return Impl().Subtype(); }
  CosObj GetCosObj() const { return impl_ ? impl_->GetCosObj() : CosObj(); }
  int Flags() const { return Impl().Flags(); }
  void SetFlags(int flags) { Impl().SetFlags(flags); }
  ASFixedRect Rect() const { return Impl().Rect(); }
  CosObj Page() const { return Impl().Page(); }
  friend bool operator==(const PDAnnot& a, const PDAnnot& b) { return a.GetCosObj() == b.GetCosObj(); }

 private:
  PDAnnotImpl& Impl() const {
    if (!impl_) RaiseHostError(kErrBadParameter, "no annotation");
    return *impl_;
  }
  std::shared_ptr<PDAnnotImpl> impl_;
};

class KORVID_HOST_API PDPageImpl {
 public:
  virtual ~PDPageImpl();
  virtual PDDoc* Doc() const = 0;
  virtual int Number() const = 0;        // 0-based
  virtual CosObj GetCosObj() const = 0;  // the page dictionary
  virtual ASFixedRect CropBox() const = 0;
  virtual ASFixedRect MediaBox() const = 0;
  virtual int Rotate() const = 0;        // 0, 90, 180 or 270
  // User space to the page's top-left-origin, y-down space after rotation
  // (origin at the top left of the crop box as displayed).
  virtual ASFixedMatrix FlippedMatrix() const = 0;
  virtual int NumAnnots() const = 0;
  virtual PDAnnot GetAnnot(int index) const = 0;
  virtual int GetAnnotIndex(const PDAnnot& annot) const = 0;  // -1 when absent
  virtual PDAnnot AnnotFromCosObj(const CosObj& dict) const = 0;
  virtual void RemoveAnnot(int index) = 0;
  // Tells the viewer that the page's content streams were rewritten.
  virtual void NotifyContentsDidChange() = 0;
};

// A page acquired from a document; the handle keeps it, dropping the last
// copy releases it.
class KORVID_HOST_API PDPage {
 public:
  PDPage() = default;
  explicit PDPage(std::shared_ptr<PDPageImpl> impl) : impl_(std::move(impl)) {}
  bool IsNull() const { return !impl_; }
  PDPageImpl* operator->() const {
    if (!impl_) RaiseHostError(kErrBadParameter, "no page");
    return impl_.get();
  }
  friend bool operator==(const PDPage& a, const PDPage& b) {
    if (!a.impl_ || !b.impl_) return a.impl_ == b.impl_;
    return a.impl_->GetCosObj() == b.impl_->GetCosObj();
  }

 private:
  std::shared_ptr<PDPageImpl> impl_;
};

// An open document. The host owns it: the pointer stays valid until the
// document is closed.
class KORVID_HOST_API PDDoc {
 public:
  virtual ~PDDoc();
  virtual int NumPages() const = 0;
  virtual PDPage AcquirePage(int index) = 0;  // raises kErrPageRange
  virtual CosDoc GetCosDoc() = 0;
  virtual CosObj Catalog() = 0;

  virtual int Flags() const = 0;
  virtual void SetFlags(int flags) = 0;    // sets the given bits
  virtual void ClearFlags(int flags) = 0;  // clears the given bits
  virtual std::int32_t Permissions() const = 0;  // P of the encryption dictionary, kPDPermAll if none

  virtual ASPathName Path() const = 0;  // null for a document never saved
  virtual AVDoc* GetAVDoc() const = 0;  // null when it has no window

  // Full save, with the will-save and did-save notifications around it. The
  // file is written to a temporary file in the target folder and renamed
  // over the target only when complete. Raises kErrFileWrite on failure,
  // leaving any existing target untouched.
  virtual void Save(const ASPathName& path, int saveFlags) = 0;

  // Inserts a new page after afterIndex (-1: first) with the given media box.
  virtual PDPage CreatePage(int afterIndex, const ASFixedRect& mediaBox) = 0;

  // Closes a document that was opened or created without a window.
  virtual void Close() = 0;
};

class PDModelTable : public HostTable {
 public:
  // Opens a document without a window. Raises kErrFileNotFound/kErrBadFile.
  virtual PDDoc* OpenDoc(const ASPathName& path) = 0;
  virtual PDDoc* CreateDoc() = 0;
  // The document whose object store holds this page dictionary, if open.
  virtual PDDoc* DocOfCosDoc(const CosDoc& doc) = 0;
};

}  // namespace host
