// A page of a document, acquired through the seam.
#pragma once

#include <qpdf/QPDFObjectHandle.hh>

#include "host/PD.h"
#include "viewer/pdf/DocumentCore.h"

namespace viewer::pdf {

class QpdfPage final : public host::PDPageImpl {
 public:
  QpdfPage(DocumentCoreRef core, QPDFObjectHandle page)
      : core_(std::move(core)), page_(std::move(page)), id_(page_.getObjGen()) {}

  const DocumentCoreRef& Core() const { return core_; }
  const QPDFObjectHandle& PageDict() const { return page_; }
  // The page's object number, known also after the document closed.
  QPDFObjGen Id() const { return id_; }

  host::PDDoc* Doc() const override;
  int Number() const override;
  host::CosObj GetCosObj() const override;
  host::ASFixedRect CropBox() const override;
  host::ASFixedRect MediaBox() const override;
  int Rotate() const override;
  host::ASFixedMatrix FlippedMatrix() const override;
  int NumAnnots() const override;
  host::PDAnnot GetAnnot(int index) const override;
  int GetAnnotIndex(const host::PDAnnot& annot) const override;
  host::PDAnnot AnnotFromCosObj(const host::CosObj& dict) const override;
  void RemoveAnnot(int index) override;
  void NotifyContentsDidChange() override;

 private:
  QPDFObjectHandle Annots() const;

  DocumentCoreRef core_;
  mutable QPDFObjectHandle page_;
  QPDFObjGen id_;
};

}  // namespace viewer::pdf
