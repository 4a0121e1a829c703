// What a document and every handle into it share: the qpdf object store, the
// document's flags and the host services it reports to. Handles hold it by
// shared pointer, so a handle that outlives its document raises
// kErrDocumentClosed instead of dangling.
#pragma once

#include <cstdint>
#include <memory>

#include <qpdf/QPDF.hh>

#include "host/HostError.h"
#include "host/PD.h"

namespace viewer::pdf {

class AtomResolver;
class DocumentEvents;
class PdfDocument;

class DocumentCore {
 public:
  DocumentCore(std::unique_ptr<QPDF> qpdf, AtomResolver& atoms, DocumentEvents& events);

  // The object store; raises kErrDocumentClosed once the document is gone.
  QPDF& Qpdf() const;
  bool IsOpen() const { return qpdf_ != nullptr; }

  int Flags() const { return flags_; }
  void SetFlags(int flags) { flags_ |= flags; }
  void ClearFlags(int flags) { flags_ &= ~flags; }
  // Every change through the seam leaves the document needing a save.
  void MarkChanged() {
    flags_ |= host::kPDDocNeedsSave;
    ++revision_;
  }
  std::uint64_t Revision() const { return revision_; }

  AtomResolver& Atoms() const { return *atoms_; }
  DocumentEvents& Events() const { return *events_; }

  PdfDocument* Owner() const { return owner_; }
  void SetOwner(PdfDocument* owner) { owner_ = owner; }
  // The document is gone: the file is released and every handle reads as closed.
  void Detach();

 private:
  std::unique_ptr<QPDF> qpdf_;
  AtomResolver* atoms_;
  DocumentEvents* events_;
  PdfDocument* owner_ = nullptr;
  int flags_ = 0;
  std::uint64_t revision_ = 0;
};

using DocumentCoreRef = std::shared_ptr<DocumentCore>;

}  // namespace viewer::pdf
