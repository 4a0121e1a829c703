// A document's object store seen through the seam.
#pragma once

#include "host/Cos.h"
#include "viewer/pdf/DocumentCore.h"

namespace viewer::pdf {

class QpdfCosDoc final : public host::CosDocImpl {
 public:
  explicit QpdfCosDoc(DocumentCoreRef core) : core_(std::move(core)) {}

  host::CosObj NewInteger(bool indirect, std::int64_t value) override;
  host::CosObj NewFixed(bool indirect, host::ASFixed value) override;
  host::CosObj NewReal(bool indirect, double value, int decimals) override;
  host::CosObj NewBoolean(bool indirect, bool value) override;
  host::CosObj NewName(bool indirect, std::string_view bytes) override;
  host::CosObj NewString(bool indirect, std::string_view bytes) override;
  host::CosObj NewArray(bool indirect, int capacity) override;
  host::CosObj NewDict(bool indirect, int capacity) override;
  host::CosObj NewStream(bool indirect, std::string_view data, const host::CosObj& dict) override;
  host::CosObj NewNull() override;
  host::CosObj Root() override;
  host::CosObj Trailer() override;
  bool SameDoc(const host::CosDocImpl& other) const override;

 private:
  host::CosObj Finish(bool indirect, QPDFObjectHandle handle);

  DocumentCoreRef core_;
};

}  // namespace viewer::pdf
