// The PDF object layer. CosObj and CosDoc are small value handles: copying is
// cheap, the host owns what they stand for. A default CosObj is the null
// object. Calls on an object of the wrong kind raise kErrBadObjectType.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "host/HostError.h"
#include "host/HostTypes.h"
#include "host/Tables.h"

namespace host {

enum class CosType { Null = 0, Integer, Real, Boolean, Name, String, Array, Dict, Stream };

class CosDoc;
class CosObj;

// Dictionary enumeration: key bytes and value; answer false to stop.
using CosDictEnumProc = std::function<bool(std::string_view key, const CosObj& value)>;

// What the host implements for one object.
class KORVID_HOST_API CosObjImpl {
 public:
  virtual ~CosObjImpl();
  virtual CosType Type() const = 0;
  virtual bool IsIndirect() const = 0;
  virtual bool SameObject(const CosObjImpl& other) const = 0;
  virtual CosDoc Doc() const = 0;

  virtual std::int64_t IntegerValue() const = 0;  // integers; reals truncated
  virtual double RealValue() const = 0;           // integers and reals
  virtual bool BooleanValue() const = 0;
  virtual std::string NameValue() const = 0;      // bytes of the name, no "/"
  virtual std::string StringValue() const = 0;    // bytes of the string

  virtual int ArrayLength() const = 0;
  virtual CosObj ArrayGet(int index) const = 0;   // null object past the end
  virtual void ArrayPut(int index, const CosObj& value) = 0;  // extends with nulls
  virtual void ArrayInsert(int index, const CosObj& value) = 0;
  virtual void ArrayRemove(int index) = 0;

  virtual bool DictKnown(std::string_view key) const = 0;
  virtual CosObj DictGet(std::string_view key) const = 0;  // null object when absent
  virtual void DictPut(std::string_view key, const CosObj& value) = 0;
  virtual void DictRemove(std::string_view key) = 0;
  // Keys in the dictionary's own order (byte order of the keys).
  virtual bool DictEnum(const CosDictEnumProc& proc) const = 0;

  // Streams: the dictionary, the stored Length, and the decoded data. When
  // the decoded data is longer than maxBytes, truncated is set and at most
  // maxBytes are answered.
  virtual CosObj StreamDict() const = 0;
  virtual std::int64_t StreamLength() const = 0;
  virtual std::string StreamDecoded(std::size_t maxBytes, bool* truncated) const = 0;

  // Removes an indirect object from its document (references to it then
  // read as null).
  virtual void Destroy() = 0;
};

class KORVID_HOST_API CosObj {
 public:
  CosObj() = default;
  explicit CosObj(std::shared_ptr<CosObjImpl> impl) : impl_(std::move(impl)) {}

  CosType Type() const { return impl_ ? impl_->Type() : CosType::Null; }
  bool IsNull() const { return Type() == CosType::Null; }
  bool IsDict() const { return Type() == CosType::Dict; }
  bool IsArray() const { return Type() == CosType::Array; }
  bool IsIndirect() const { return impl_ && impl_->IsIndirect(); }
  CosDoc Doc() const;
  // The same PDF object (for indirect objects: the same object number; for
  // direct ones: the same place in the document).
  friend bool operator==(const CosObj& a, const CosObj& b);

  std::int64_t IntegerValue() const { return Impl().IntegerValue(); }
  double RealValue() const { return Impl().RealValue(); }
  ASFixed FixedValue() const { return FloatToFixed(Impl().RealValue()); }
  bool BooleanValue() const { return Impl().BooleanValue(); }
  std::string NameValue() const { return Impl().NameValue(); }
  std::string StringValue() const { return Impl().StringValue(); }

  int ArrayLength() const { return Impl().ArrayLength(); }
  CosObj ArrayGet(int index) const;
  void ArrayPut(int index, const CosObj& value) { Impl().ArrayPut(index, value); }
  void ArrayInsert(int index, const CosObj& value) { Impl().ArrayInsert(index, value); }
  void ArrayRemove(int index) { Impl().ArrayRemove(index); }

  bool DictKnown(std::string_view key) const { return Impl().DictKnown(key); }
  CosObj DictGet(std::string_view key) const;
  void DictPut(std::string_view key, const CosObj& value) { Impl().DictPut(key, value); }
  void DictRemove(std::string_view key) { Impl().DictRemove(key); }
  bool DictEnum(const CosDictEnumProc& proc) const { return Impl().DictEnum(proc); }

  CosObj StreamDict() const;
  std::int64_t StreamLength() const { return Impl().StreamLength(); }
  std::string StreamDecoded(std::size_t maxBytes, bool* truncated = nullptr) const {
    return Impl().StreamDecoded(maxBytes, truncated);
  }

  void Destroy() { Impl().Destroy(); }

  CosObjImpl* RawImpl() const { return impl_.get(); }

 private:
  CosObjImpl& Impl() const {
    if (!impl_) RaiseHostError(kErrBadObjectType, "null object");
    return *impl_;
  }
  std::shared_ptr<CosObjImpl> impl_;
};

// What the host implements for one document's object store.
class KORVID_HOST_API CosDocImpl {
 public:
  virtual ~CosDocImpl();
  virtual CosObj NewInteger(bool indirect, std::int64_t value) = 0;
  // A real from its 16.16 value, written with the decimals that keep that
  // value (7.0 stays "7.0").
  virtual CosObj NewFixed(bool indirect, ASFixed value) = 0;
  virtual CosObj NewReal(bool indirect, double value, int decimals) = 0;
  virtual CosObj NewBoolean(bool indirect, bool value) = 0;
  virtual CosObj NewName(bool indirect, std::string_view bytes) = 0;
  virtual CosObj NewString(bool indirect, std::string_view bytes) = 0;
  virtual CosObj NewArray(bool indirect, int capacity) = 0;
  virtual CosObj NewDict(bool indirect, int capacity) = 0;
  virtual CosObj NewStream(bool indirect, std::string_view data, const CosObj& dict) = 0;
  virtual CosObj NewNull() = 0;
  virtual CosObj Root() = 0;  // the document catalogue
  virtual CosObj Trailer() = 0;
  virtual bool SameDoc(const CosDocImpl& other) const = 0;
};

class KORVID_HOST_API CosDoc {
 public:
  CosDoc() = default;
  explicit CosDoc(std::shared_ptr<CosDocImpl> impl) : impl_(std::move(impl)) {}
  bool IsNull() const { return !impl_; }
  CosDocImpl* operator->() const {
    if (!impl_) RaiseHostError(kErrBadParameter, "no document");
    return impl_.get();
  }
  friend bool operator==(const CosDoc& a, const CosDoc& b) {
    if (!a.impl_ || !b.impl_) return a.impl_ == b.impl_;
    return a.impl_->SameDoc(*b.impl_);
  }

 private:
  std::shared_ptr<CosDocImpl> impl_;
};

// The "Cos" table itself only marks that the object layer is served; the
// operations live on the handles above.
class CosTable : public HostTable {};

}  // namespace host
