#include "viewer/pdf/doc/QpdfAnnot.h"

#include "viewer/pdf/PdfDocument.h"
#include "viewer/pdf/QpdfErrors.h"
#include "viewer/pdf/cos/QpdfCosObj.h"
#include "viewer/pdf/doc/PageBoxes.h"

namespace viewer::pdf {
bool SameAnnotation(QPDFObjectHandle a, QPDFObjectHandle b) {
  if (a.isIndirect() || b.isIndirect()) return a.isIndirect() && b.isIndirect() && a.getObjGen() == b.getObjGen();
  return a.isSameObjectAs(b);
}

QPDFObjectHandle& QpdfAnnot::Dict() const {
  core_->Qpdf();
  if (!GuardFileAccess([&] { return dict_.isDictionary(); })) host::RaiseHostError(host::kErrBadObjectType, "not an annotation");
  return dict_;
}

bool QpdfAnnot::IsValid() const {
  if (!core_->IsOpen()) return false;
  try {
    return dict_.isDictionary();
  } catch (const std::exception&) {
    return false;
  }
}

host::ASAtom QpdfAnnot::Subtype() const {
  auto& dict = Dict();
  const std::string subtype = GuardFileAccess([&] {
    QPDFObjectHandle name = dict.getKey("/Subtype");
    return name.isName() ? name.getName().substr(1) : std::string();
  });
  return subtype.empty() ? host::ASAtomNull : core_->Atoms().Atom(subtype);
}

host::CosObj QpdfAnnot::GetCosObj() const { return WrapCosObj(core_, dict_); }

int QpdfAnnot::Flags() const {
  auto& dict = Dict();
  return GuardFileAccess([&] {
    QPDFObjectHandle flags = dict.getKey("/F");
    return flags.isInteger() ? flags.getIntValueAsInt() : 0;
  });
}

void QpdfAnnot::SetFlags(int flags) {
  auto& dict = Dict();
  GuardFileAccess([&] { dict.replaceKey("/F", QPDFObjectHandle::newInteger(flags)); });
  core_->MarkChanged();
}

host::ASFixedRect QpdfAnnot::Rect() const {
  auto& dict = Dict();
  return GuardFileAccess([&] { return ToFixedRect(ReadRect(dict.getKey("/Rect")).value_or(PdfRect())); });
}

host::CosObj QpdfAnnot::Page() const {
  auto& dict = Dict();
  QPDF& qpdf = core_->Qpdf();
  return GuardFileAccess([&] {
    QPDFObjectHandle page = dict.getKey("/P");
    if (page.isDictionary()) return WrapCosObj(core_, page);
    for (QPDFObjectHandle candidate : qpdf.getAllPages()) {
      QPDFObjectHandle annots = candidate.getKey("/Annots");
      if (!annots.isArray()) continue;
      for (QPDFObjectHandle item : annots.aitems()) {
        if (SameAnnotation(item, dict)) return WrapCosObj(core_, candidate);
      }
    }
    return host::CosObj();
  });
}

}  // namespace viewer::pdf
