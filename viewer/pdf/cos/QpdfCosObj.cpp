#include "viewer/pdf/cos/QpdfCosObj.h"

#include <cmath>
#include <limits>
#include <unordered_set>
#include <vector>

#include "viewer/pdf/QpdfErrors.h"
#include "viewer/pdf/cos/CappedPipeline.h"
#include "viewer/pdf/cos/QpdfCosDoc.h"

namespace viewer::pdf {
namespace {

using host::CosType;

// A put far past an array's end would fill memory with nulls.
constexpr int kMaxArrayGrowth = 1 << 20;


bool IsComposite(QPDFObjectHandle& h) { return h.isArray() || h.isDictionary() || h.isStream(); }

// True when `needle` is `haystack` or lies inside it through direct links
// only (indirect references end a path: they cannot form a direct cycle).
bool ContainsDirectly(QPDFObjectHandle haystack, QPDFObjectHandle& needle) {
  if (haystack.isSameObjectAs(needle)) return true;
  // Scalars and references hold nothing directly; most values put are one.
  if (haystack.isIndirect() || !IsComposite(haystack)) return false;
  std::vector<QPDFObjectHandle> pending{haystack};
  std::unordered_set<const void*> seen;
  while (!pending.empty()) {
    QPDFObjectHandle h = pending.back();
    pending.pop_back();
    if (h.isSameObjectAs(needle)) return true;
    if (h.isIndirect() || !seen.insert(h.getObjectPtr()).second) continue;
    if (h.isArray()) {
      for (auto& item : h.aitems()) pending.push_back(item);
    } else if (h.isDictionary()) {
      for (auto& [key, item] : h.ditems()) pending.push_back(item);
    }
  }
  return false;
}

std::int64_t SaturatedInt(double v) {
  if (std::isnan(v)) return 0;
  constexpr double kMax = 9.2233720368547748e18;
  if (v >= kMax) return std::numeric_limits<std::int64_t>::max();
  if (v <= -kMax) return std::numeric_limits<std::int64_t>::min();
  return static_cast<std::int64_t>(std::trunc(v));
}

}  // namespace

CosType CosTypeOf(QPDFObjectHandle handle) {
  switch (handle.getTypeCode()) {
    case ::ot_integer: return CosType::Integer;
    case ::ot_real: return CosType::Real;
    case ::ot_boolean: return CosType::Boolean;
    case ::ot_name: return CosType::Name;
    case ::ot_string: return CosType::String;
    case ::ot_array: return CosType::Array;
    case ::ot_dictionary: return CosType::Dict;
    case ::ot_stream: return CosType::Stream;
    default: return CosType::Null;
  }
}

std::string QpdfNameAsRead(std::string_view bytes) {
  if (bytes.find('\0') != std::string_view::npos) host::RaiseHostError(host::kErrBadParameter, "NUL in a name");
  std::string name = "/";
  name.append(bytes);
  return name;
}

std::string QpdfName(std::string_view bytes) {
  std::string name = QpdfNameAsRead(bytes);
  for (size_t at = name.find('#'); at != std::string::npos; at = name.find('#', at + 3)) name.replace(at, 1, "#23");
  return name;
}

std::string SeamName(const std::string& qpdfName) {
  std::string name = qpdfName.substr(1);
  for (size_t at = name.find("#23"); at != std::string::npos; at = name.find("#23", at + 1)) name.replace(at, 3, "#");
  return name;
}

host::CosObj WrapCosObj(const DocumentCoreRef& core, QPDFObjectHandle handle) {
  if (!handle.isInitialized() || handle.isNull()) return host::CosObj();
  return host::CosObj(std::make_shared<QpdfCosObj>(core, std::move(handle)));
}

QPDFObjectHandle UnwrapCosObj(const DocumentCore& core, const host::CosObj& value) {
  if (value.RawImpl() == nullptr) return QPDFObjectHandle::newNull();
  const auto* impl = dynamic_cast<const QpdfCosObj*>(value.RawImpl());
  if (impl == nullptr) host::RaiseHostError(host::kErrBadParameter, "an object of another host");
  QPDFObjectHandle h = impl->Handle();
  if (impl->Core().get() != &core && (h.isIndirect() || IsComposite(h))) {
    host::RaiseHostError(host::kErrBadParameter, "an object of another document");
  }
  return h;
}

QpdfCosObj::QpdfCosObj(DocumentCoreRef core, QPDFObjectHandle handle)
    : core_(std::move(core)), handle_(std::move(handle)) {}

host::CosObj QpdfCosObj::Wrap(QPDFObjectHandle handle) const { return WrapCosObj(core_, std::move(handle)); }

QPDFObjectHandle QpdfCosObj::Adopt(const host::CosObj& value) const { return UnwrapCosObj(*core_, value); }

QPDFObjectHandle& QpdfCosObj::Checked(CosType expected) const {
  core_->Qpdf();
  if (GuardFileAccess([&] { return CosTypeOf(handle_); }) != expected) {
    host::RaiseHostError(host::kErrBadObjectType, std::string("object of type ") + handle_.getTypeName());
  }
  return handle_;
}

CosType QpdfCosObj::Type() const {
  core_->Qpdf();
  return GuardFileAccess([&] { return CosTypeOf(handle_); });
}

bool QpdfCosObj::IsIndirect() const { return handle_.isIndirect(); }

bool QpdfCosObj::SameObject(const host::CosObjImpl& other) const {
  const auto* o = dynamic_cast<const QpdfCosObj*>(&other);
  if (o == nullptr || o->core_ != core_) return false;
  if (handle_.isIndirect() || o->handle_.isIndirect()) {
    return handle_.isIndirect() && o->handle_.isIndirect() && handle_.getObjGen() == o->handle_.getObjGen();
  }
  return handle_.isSameObjectAs(o->handle_);
}

host::CosDoc QpdfCosObj::Doc() const { return host::CosDoc(std::make_shared<QpdfCosDoc>(core_)); }

std::int64_t QpdfCosObj::IntegerValue() const {
  core_->Qpdf();
  return GuardFileAccess([&]() -> std::int64_t {
    switch (CosTypeOf(handle_)) {
      case CosType::Integer: return handle_.getIntValue();
      case CosType::Real: return SaturatedInt(handle_.getNumericValue());
      default: host::RaiseHostError(host::kErrBadObjectType, "not a number");
    }
  });
}

double QpdfCosObj::RealValue() const {
  core_->Qpdf();
  return GuardFileAccess([&]() -> double {
    const CosType type = CosTypeOf(handle_);
    if (type != CosType::Integer && type != CosType::Real) host::RaiseHostError(host::kErrBadObjectType, "not a number");
    return handle_.getNumericValue();
  });
}

bool QpdfCosObj::BooleanValue() const { return Checked(CosType::Boolean).getBoolValue(); }

std::string QpdfCosObj::NameValue() const { return SeamName(Checked(CosType::Name).getName()); }

std::string QpdfCosObj::StringValue() const { return Checked(CosType::String).getStringValue(); }

int QpdfCosObj::ArrayLength() const { return Checked(CosType::Array).getArrayNItems(); }

host::CosObj QpdfCosObj::ArrayGet(int index) const {
  auto& array = Checked(CosType::Array);
  return GuardFileAccess([&] {
    if (index < 0 || index >= array.getArrayNItems()) return host::CosObj();
    return Wrap(array.getArrayItem(index));
  });
}

void QpdfCosObj::ArrayPut(int index, const host::CosObj& value) {
  auto& array = Checked(CosType::Array);
  if (index < 0) host::RaiseHostError(host::kErrBadParameter, "negative array index");
  QPDFObjectHandle item = Adopt(value);
  GuardFileAccess([&] {
    const int length = array.getArrayNItems();
    if (index - length > kMaxArrayGrowth) host::RaiseHostError(host::kErrBadParameter, "array index far past the end");
    if (ContainsDirectly(item, array)) host::RaiseHostError(host::kErrBadParameter, "an array cannot contain itself");
    if (index < length) {
      array.setArrayItem(index, item);
    } else {
      for (int i = length; i < index; ++i) array.appendItem(QPDFObjectHandle::newNull());
      array.appendItem(item);
    }
  });
  core_->MarkChanged();
}

void QpdfCosObj::ArrayInsert(int index, const host::CosObj& value) {
  auto& array = Checked(CosType::Array);
  if (index < 0) host::RaiseHostError(host::kErrBadParameter, "negative array index");
  if (index >= ArrayLength()) return ArrayPut(index, value);
  QPDFObjectHandle item = Adopt(value);
  GuardFileAccess([&] {
    if (ContainsDirectly(item, array)) host::RaiseHostError(host::kErrBadParameter, "an array cannot contain itself");
    array.insertItem(index, item);
  });
  core_->MarkChanged();
}

void QpdfCosObj::ArrayRemove(int index) {
  auto& array = Checked(CosType::Array);
  GuardFileAccess([&] {
    if (index < 0 || index >= array.getArrayNItems()) host::RaiseHostError(host::kErrBadParameter, "array index out of range");
    array.eraseItem(index);
  });
  core_->MarkChanged();
}

// The stored key of `key` in a dictionary: as made through the seam, or as
// read from a file (they differ only for keys with '#').
std::string QpdfCosObj::StoredKey(std::string_view key) const {
  std::string name = QpdfName(key);
  if (key.find('#') != std::string_view::npos && !handle_.hasKey(name)) name = QpdfNameAsRead(key);
  return name;
}

bool QpdfCosObj::DictKnown(std::string_view key) const {
  auto& dict = Checked(CosType::Dict);
  return GuardFileAccess([&] {
    const std::string name = StoredKey(key);
    return dict.hasKey(name) && !dict.getKey(name).isNull();
  });
}

host::CosObj QpdfCosObj::DictGet(std::string_view key) const {
  auto& dict = Checked(CosType::Dict);
  return GuardFileAccess([&] { return Wrap(dict.getKey(StoredKey(key))); });
}

void QpdfCosObj::DictPut(std::string_view key, const host::CosObj& value) {
  auto& dict = Checked(CosType::Dict);
  const std::string name = QpdfName(key);
  QPDFObjectHandle item = Adopt(value);
  GuardFileAccess([&] {
    if (ContainsDirectly(item, dict)) host::RaiseHostError(host::kErrBadParameter, "a dictionary cannot contain itself");
    if (key.find('#') != std::string_view::npos) dict.removeKey(QpdfNameAsRead(key));
    dict.replaceKey(name, item);
  });
  core_->MarkChanged();
}

void QpdfCosObj::DictRemove(std::string_view key) {
  auto& dict = Checked(CosType::Dict);
  GuardFileAccess([&] {
    dict.removeKey(QpdfName(key));
    if (key.find('#') != std::string_view::npos) dict.removeKey(QpdfNameAsRead(key));
  });
  core_->MarkChanged();
}

bool QpdfCosObj::DictEnum(const host::CosDictEnumProc& proc) const {
  auto& dict = Checked(CosType::Dict);
  // A copy of the entries: the callback may change the dictionary.
  const auto items = GuardFileAccess([&] { return dict.getDictAsMap(); });
  for (const auto& entry : items) {
    host::CosObj item = GuardFileAccess([&] { return Wrap(entry.second); });
    if (item.IsNull()) continue;
    if (!proc(SeamName(entry.first), item)) return false;
  }
  return true;
}

host::CosObj QpdfCosObj::StreamDict() const {
  auto& stream = Checked(CosType::Stream);
  return GuardFileAccess([&] { return Wrap(stream.getDict()); });
}

std::int64_t QpdfCosObj::StreamLength() const {
  auto& stream = Checked(CosType::Stream);
  return GuardFileAccess([&]() -> std::int64_t {
    QPDFObjectHandle length = stream.getDict().getKey("/Length");
    if (length.isInteger()) return length.getIntValue();
    return static_cast<std::int64_t>(stream.getRawStreamData()->getSize());
  });
}

std::string QpdfCosObj::StreamDecoded(std::size_t maxBytes, bool* truncated) const {
  auto& stream = Checked(CosType::Stream);
  return GuardFileAccess([&] {
    CappedPipeline sink(maxBytes);
    bool filtered = false;
    const bool ok = stream.pipeStreamData(&sink, &filtered, 0, qpdf_dl_specialized, true, false);
    if (!sink.ReachedCap()) {
      if (!filtered) host::RaiseHostError(host::kErrUnsupported, "stream filters that cannot be decoded");
      if (!ok) host::RaiseHostError(host::kErrBadFile, "damaged stream data");
    }
    if (truncated != nullptr) *truncated = sink.ReachedCap();
    return sink.Take();
  });
}

void QpdfCosObj::Destroy() {
  QPDF& qpdf = core_->Qpdf();
  GuardFileAccess([&] {
    if (handle_.isIndirect()) {
      qpdf.replaceObject(handle_.getObjGen(), QPDFObjectHandle::newNull());
    } else if (handle_.isArray()) {
      handle_.setArrayFromVector({});
    } else if (handle_.isDictionary()) {
      for (const auto& key : handle_.getKeys()) handle_.removeKey(key);
    }
  });
  core_->MarkChanged();
}

}  // namespace viewer::pdf
