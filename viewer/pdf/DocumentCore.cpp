#include "viewer/pdf/DocumentCore.h"

namespace viewer::pdf {

DocumentCore::DocumentCore(std::unique_ptr<QPDF> qpdf, AtomResolver& atoms, DocumentEvents& events)
    : qpdf_(std::move(qpdf)), atoms_(&atoms), events_(&events) {}

QPDF& DocumentCore::Qpdf() const {
  if (!qpdf_) host::RaiseHostError(host::kErrDocumentClosed, "the document was closed");
  return *qpdf_;
}

void DocumentCore::Detach() {
  owner_ = nullptr;
  qpdf_.reset();
}

}  // namespace viewer::pdf
