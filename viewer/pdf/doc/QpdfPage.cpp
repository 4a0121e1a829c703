#include "viewer/pdf/doc/QpdfPage.h"

#include "viewer/pdf/PdfDocument.h"
#include "viewer/pdf/QpdfErrors.h"
#include "viewer/pdf/cos/QpdfCosObj.h"
#include "viewer/pdf/doc/PageBoxes.h"
#include "viewer/pdf/doc/QpdfAnnot.h"

namespace viewer::pdf {
host::PDDoc* QpdfPage::Doc() const { return core_->Owner(); }

int QpdfPage::Number() const {
  PdfDocument* doc = core_->Owner();
  return doc == nullptr ? -1 : doc->PageIndexOf(GetCosObj());
}

host::CosObj QpdfPage::GetCosObj() const { return WrapCosObj(core_, page_); }

host::ASFixedRect QpdfPage::CropBox() const {
  core_->Qpdf();
  return GuardFileAccess([&] { return ToFixedRect(CropBoxOf(page_)); });
}

host::ASFixedRect QpdfPage::MediaBox() const {
  core_->Qpdf();
  return GuardFileAccess([&] { return ToFixedRect(MediaBoxOf(page_)); });
}

int QpdfPage::Rotate() const {
  core_->Qpdf();
  return GuardFileAccess([&] { return RotationOf(page_); });
}

host::ASFixedMatrix QpdfPage::FlippedMatrix() const {
  core_->Qpdf();
  return GuardFileAccess([&] { return viewer::pdf::FlippedMatrix(CropBoxOf(page_), RotationOf(page_)); });
}

QPDFObjectHandle QpdfPage::Annots() const {
  core_->Qpdf();
  return GuardFileAccess([&] { return page_.getKey("/Annots"); });
}

int QpdfPage::NumAnnots() const {
  QPDFObjectHandle annots = Annots();
  return GuardFileAccess([&] { return annots.isArray() ? annots.getArrayNItems() : 0; });
}

host::PDAnnot QpdfPage::GetAnnot(int index) const {
  QPDFObjectHandle annots = Annots();
  return GuardFileAccess([&] {
    if (!annots.isArray() || index < 0 || index >= annots.getArrayNItems()) {
      host::RaiseHostError(host::kErrBadParameter, "annotation index out of range");
    }
    return host::PDAnnot(std::make_shared<QpdfAnnot>(core_, annots.getArrayItem(index)));
  });
}

int QpdfPage::GetAnnotIndex(const host::PDAnnot& annot) const {
  QPDFObjectHandle wanted = UnwrapCosObj(*core_, annot.GetCosObj());
  QPDFObjectHandle annots = Annots();
  return GuardFileAccess([&] {
    if (wanted.isNull() || !annots.isArray()) return -1;
    const int count = annots.getArrayNItems();
    for (int i = 0; i < count; ++i) {
      if (SameAnnotation(annots.getArrayItem(i), wanted)) return i;
    }
    return -1;
  });
}

host::PDAnnot QpdfPage::AnnotFromCosObj(const host::CosObj& dict) const {
  return host::PDAnnot(std::make_shared<QpdfAnnot>(core_, UnwrapCosObj(*core_, dict)));
}

void QpdfPage::RemoveAnnot(int index) {
  QPDFObjectHandle annots = Annots();
  GuardFileAccess([&] {
    if (!annots.isArray() || index < 0 || index >= annots.getArrayNItems()) {
      host::RaiseHostError(host::kErrBadParameter, "annotation index out of range");
    }
    annots.eraseItem(index);
  });
  core_->MarkChanged();
}

void QpdfPage::NotifyContentsDidChange() {
  PdfDocument* doc = core_->Owner();
  if (doc != nullptr) core_->Events().PageContentsDidChange(*doc, Number());
}

}  // namespace viewer::pdf
