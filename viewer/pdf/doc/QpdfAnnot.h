// An annotation of a page: its dictionary in the document.
#pragma once

#include <qpdf/QPDFObjectHandle.hh>

#include "host/PD.h"
#include "viewer/pdf/DocumentCore.h"

namespace viewer::pdf {

class QpdfAnnot final : public host::PDAnnotImpl {
 public:
  QpdfAnnot(DocumentCoreRef core, QPDFObjectHandle dict) : core_(std::move(core)), dict_(std::move(dict)) {}

  bool IsValid() const override;
  host::ASAtom Subtype() const override;
  host::CosObj GetCosObj() const override;
  int Flags() const override;
  void SetFlags(int flags) override;
  host::ASFixedRect Rect() const override;
  host::CosObj Page() const override;

 private:
  QPDFObjectHandle& Dict() const;

  DocumentCoreRef core_;
  mutable QPDFObjectHandle dict_;
};

// The same annotation: the same indirect object, or the same direct dictionary.
bool SameAnnotation(QPDFObjectHandle a, QPDFObjectHandle b);

}  // namespace viewer::pdf
