// One PDF object of a document, seen through the seam: a qpdf object handle
// plus the document it belongs to.
#pragma once

#include <qpdf/QPDFObjectHandle.hh>

#include "host/Cos.h"
#include "viewer/pdf/DocumentCore.h"

namespace viewer::pdf {

class QpdfCosObj final : public host::CosObjImpl {
 public:
  QpdfCosObj(DocumentCoreRef core, QPDFObjectHandle handle);

  const QPDFObjectHandle& Handle() const { return handle_; }
  const DocumentCoreRef& Core() const { return core_; }

  host::CosType Type() const override;
  bool IsIndirect() const override;
  bool SameObject(const host::CosObjImpl& other) const override;
  host::CosDoc Doc() const override;

  std::int64_t IntegerValue() const override;
  double RealValue() const override;
  bool BooleanValue() const override;
  std::string NameValue() const override;
  std::string StringValue() const override;

  int ArrayLength() const override;
  host::CosObj ArrayGet(int index) const override;
  void ArrayPut(int index, const host::CosObj& value) override;
  void ArrayInsert(int index, const host::CosObj& value) override;
  void ArrayRemove(int index) override;

  bool DictKnown(std::string_view key) const override;
  host::CosObj DictGet(std::string_view key) const override;
  void DictPut(std::string_view key, const host::CosObj& value) override;
  void DictRemove(std::string_view key) override;
  bool DictEnum(const host::CosDictEnumProc& proc) const override;

  host::CosObj StreamDict() const override;
  std::int64_t StreamLength() const override;
  std::string StreamDecoded(std::size_t maxBytes, bool* truncated) const override;

  void Destroy() override;

 private:
  QPDFObjectHandle& Checked(host::CosType expected) const;
  std::string StoredKey(std::string_view key) const;
  host::CosObj Wrap(QPDFObjectHandle handle) const;
  QPDFObjectHandle Adopt(const host::CosObj& value) const;

  DocumentCoreRef core_;
  mutable QPDFObjectHandle handle_;
};

// A seam handle for a qpdf object; qpdf's null (and uninitialised) objects
// become the seam's null object.
host::CosObj WrapCosObj(const DocumentCoreRef& core, QPDFObjectHandle handle);

// The qpdf object behind a seam handle, checked to be usable in `core`'s
// document: objects of another document may only be direct scalars.
QPDFObjectHandle UnwrapCosObj(const DocumentCore& core, const host::CosObj& value);

// The seam's object kind of a qpdf object (resolving indirect references).
host::CosType CosTypeOf(QPDFObjectHandle handle);

// Name bytes as stored in qpdf ("/" + bytes). qpdf writes a '#' inside a
// name as it is, which every reader takes for the start of an escape; names
// made through the seam therefore keep '#' escaped ("#23") in their stored
// form. NUL cannot be written in a PDF name and raises kErrBadParameter.
std::string QpdfName(std::string_view bytes);
// The form qpdf gives a name read from a file ('#' unescaped).
std::string QpdfNameAsRead(std::string_view bytes);
// The bytes of a stored name (without "/", '#' unescaped).
std::string SeamName(const std::string& qpdfName);

}  // namespace viewer::pdf
