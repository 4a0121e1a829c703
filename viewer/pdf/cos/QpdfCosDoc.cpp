#include "viewer/pdf/cos/QpdfCosDoc.h"

#include <cmath>

#include "viewer/pdf/QpdfErrors.h"
#include "viewer/pdf/cos/FixedReal.h"
#include "viewer/pdf/cos/QpdfCosObj.h"

namespace viewer::pdf {
host::CosObj QpdfCosDoc::Finish(bool indirect, QPDFObjectHandle handle) {
  QPDF& qpdf = core_->Qpdf();
  if (indirect) {
    handle = GuardFileAccess([&] { return qpdf.makeIndirectObject(handle); });
    core_->MarkChanged();
  }
  return WrapCosObj(core_, std::move(handle));
}

host::CosObj QpdfCosDoc::NewInteger(bool indirect, std::int64_t value) {
  return Finish(indirect, QPDFObjectHandle::newInteger(value));
}

host::CosObj QpdfCosDoc::NewFixed(bool indirect, host::ASFixed value) {
  return Finish(indirect, QPDFObjectHandle::newReal(host::FixedToFloat(value), FewestDecimalsFor(value), false));
}

host::CosObj QpdfCosDoc::NewReal(bool indirect, double value, int decimals) {
  // "inf" or "nan" in a file is not a number any reader accepts.
  if (!std::isfinite(value)) host::RaiseHostError(host::kErrBadParameter, "a real must be finite");
  if (decimals < 1) decimals = 1;
  return Finish(indirect, QPDFObjectHandle::newReal(value, decimals, false));
}

host::CosObj QpdfCosDoc::NewBoolean(bool indirect, bool value) {
  return Finish(indirect, QPDFObjectHandle::newBool(value));
}

host::CosObj QpdfCosDoc::NewName(bool indirect, std::string_view bytes) {
  return Finish(indirect, QPDFObjectHandle::newName(QpdfName(bytes)));
}

host::CosObj QpdfCosDoc::NewString(bool indirect, std::string_view bytes) {
  return Finish(indirect, QPDFObjectHandle::newString(std::string(bytes)));
}

host::CosObj QpdfCosDoc::NewArray(bool indirect, int /*capacity*/) {
  return Finish(indirect, QPDFObjectHandle::newArray());
}

host::CosObj QpdfCosDoc::NewDict(bool indirect, int /*capacity*/) {
  return Finish(indirect, QPDFObjectHandle::newDictionary());
}

host::CosObj QpdfCosDoc::NewStream(bool /*indirect*/, std::string_view data, const host::CosObj& dict) {
  QPDF& qpdf = core_->Qpdf();
  QPDFObjectHandle entries = UnwrapCosObj(*core_, dict);
  if (!entries.isNull() && !entries.isDictionary()) host::RaiseHostError(host::kErrBadObjectType, "stream dictionary");
  // Streams are always indirect objects in PDF. The data is stored as given:
  // a Filter in the dictionary says how it is encoded.
  QPDFObjectHandle stream = GuardFileAccess([&] {
    QPDFObjectHandle s = QPDFObjectHandle::newStream(&qpdf);
    QPDFObjectHandle filter = QPDFObjectHandle::newNull();
    QPDFObjectHandle parms = QPDFObjectHandle::newNull();
    if (entries.isDictionary()) {
      for (const auto& [key, value] : entries.getDictAsMap()) {
        if (key == "/Filter") filter = value;
        else if (key == "/DecodeParms") parms = value;
        else if (key != "/Length") s.getDict().replaceKey(key, value);
      }
    }
    s.replaceStreamData(std::string(data), filter, parms);
    return s;
  });
  core_->MarkChanged();
  return WrapCosObj(core_, stream);
}

host::CosObj QpdfCosDoc::NewNull() { return host::CosObj(); }

host::CosObj QpdfCosDoc::Root() {
  QPDF& qpdf = core_->Qpdf();
  return GuardFileAccess([&] { return WrapCosObj(core_, qpdf.getRoot()); });
}

host::CosObj QpdfCosDoc::Trailer() {
  QPDF& qpdf = core_->Qpdf();
  return GuardFileAccess([&] { return WrapCosObj(core_, qpdf.getTrailer()); });
}

bool QpdfCosDoc::SameDoc(const host::CosDocImpl& other) const {
  const auto* o = dynamic_cast<const QpdfCosDoc*>(&other);
  return o != nullptr && o->core_ == core_;
}

}  // namespace viewer::pdf
