#include "viewer/pdf/doc/QpdfDocument.h"

#include <algorithm>
#include <filesystem>
#include <optional>
#include <vector>

#include <qpdf/QPDFWriter.hh>

#include "viewer/pdf/QpdfErrors.h"
#include "viewer/pdf/cos/FixedReal.h"
#include "viewer/pdf/cos/QpdfCosDoc.h"
#include "viewer/pdf/cos/QpdfCosObj.h"
#include "viewer/pdf/doc/AtomicFileWriter.h"
#include "viewer/pdf/doc/CachedFileInputSource.h"
#include "viewer/pdf/doc/QpdfPage.h"

namespace viewer::pdf {
namespace {


std::unique_ptr<QPDF> NewQpdf() {
  auto qpdf = std::make_unique<QPDF>();
  // Damage that qpdf repairs is no concern of the user's; it must not
  // reach the terminal either.
  qpdf->setSuppressWarnings(true);
  return qpdf;
}

QPDFObjectHandle FixedNumber(host::ASFixed value) {
  if (value % host::fixedOne == 0) return QPDFObjectHandle::newInteger(value / host::fixedOne);
  return QPDFObjectHandle::newReal(host::FixedToFloat(value), FewestDecimalsFor(value), false);
}

QPDFObjectHandle RectArray(const host::ASFixedRect& r) {
  return QPDFObjectHandle::newArray({FixedNumber(std::min(r.left, r.right)), FixedNumber(std::min(r.bottom, r.top)),
                                     FixedNumber(std::max(r.left, r.right)), FixedNumber(std::max(r.bottom, r.top))});
}

}  // namespace

std::unique_ptr<PdfDocument> PdfDocument::Open(const std::string& path, DocumentEvents& events, AtomResolver& atoms) {
  namespace fs = std::filesystem;
  std::error_code ec;
  const fs::file_status status = fs::status(path, ec);
  if (!fs::exists(status)) host::RaiseHostError(host::kErrFileNotFound, path);
  if (fs::is_directory(status)) host::RaiseHostError(host::kErrBadFile, path + " is a folder");
  auto qpdf = NewQpdf();
  TranslateQpdfErrors(host::kErrBadFile, [&] {
    qpdf->processInputSource(std::make_shared<CachedFileInputSource>(path));
    qpdf->getAllPages();  // a page tree that cannot be walked makes the file unusable
  });
  auto core = std::make_shared<DocumentCore>(std::move(qpdf), atoms, events);
  return std::make_unique<QpdfDocument>(std::move(core), path);
}

std::unique_ptr<PdfDocument> PdfDocument::Create(DocumentEvents& events, AtomResolver& atoms) {
  auto qpdf = NewQpdf();
  TranslateQpdfErrors(host::kErrGeneral, [&] { qpdf->emptyPDF(); });
  auto core = std::make_shared<DocumentCore>(std::move(qpdf), atoms, events);
  return std::make_unique<QpdfDocument>(std::move(core), std::string());
}

QpdfDocument::QpdfDocument(DocumentCoreRef core, std::string path) : core_(std::move(core)), path_(std::move(path)) {
  core_->SetOwner(this);
}

QpdfDocument::~QpdfDocument() { core_->Detach(); }

int QpdfDocument::NumPages() const {
  QPDF& qpdf = core_->Qpdf();
  return GuardFileAccess([&] { return static_cast<int>(qpdf.getAllPages().size()); });
}

host::PDPage QpdfDocument::AcquirePage(int index) {
  QPDF& qpdf = core_->Qpdf();
  return GuardFileAccess([&] {
    const auto& pages = qpdf.getAllPages();
    if (index < 0 || index >= static_cast<int>(pages.size())) host::RaiseHostError(host::kErrPageRange);
    return host::PDPage(std::make_shared<QpdfPage>(core_, pages[static_cast<size_t>(index)]));
  });
}

host::CosDoc QpdfDocument::GetCosDoc() { return host::CosDoc(std::make_shared<QpdfCosDoc>(core_)); }

host::CosObj QpdfDocument::Catalog() {
  QPDF& qpdf = core_->Qpdf();
  return GuardFileAccess([&] { return WrapCosObj(core_, qpdf.getRoot()); });
}

std::int32_t QpdfDocument::Permissions() const {
  QPDF& qpdf = core_->Qpdf();
  return GuardFileAccess([&]() -> std::int32_t {
    if (!qpdf.isEncrypted()) return host::kPDPermAll;
    QPDFObjectHandle p = qpdf.getTrailer().getKey("/Encrypt").getKey("/P");
    if (!p.isInteger()) return host::kPDPermAll;
    // Stored either signed or as its unsigned 32-bit pattern.
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(p.getIntValue()));
  });
}

host::AVDoc* QpdfDocument::GetAVDoc() const { return core_->Events().AVDocOf(*this); }

void QpdfDocument::Save(const host::ASPathName& path, int saveFlags) {
  if (path.IsNull()) host::RaiseHostError(host::kErrBadParameter, "no path to save to");
  core_->Events().WillSave(*this, saveFlags);
  try {
    WriteTo(path.Str());
  } catch (...) {
    core_->Events().DidSave(*this, host::CurrentErrorCode());
    throw;
  }
  path_ = path.Str();
  core_->ClearFlags(host::kPDDocNeedsSave);
  core_->Events().DidSave(*this, host::kErrNone);
}

void QpdfDocument::WriteTo(const std::string& path) {
  QPDF& qpdf = core_->Qpdf();
  // qpdf writes only what the trailer reaches, so every save also drops
  // unused objects.
  AtomicFileWriter(failWritesAfter_).Replace(path, [&](Pipeline& out) {
    QPDFWriter writer(qpdf);
    writer.setOutputPipeline(&out);
    writer.write();
  });
}

namespace {

// Widget annotations written as stamps for the time of one write: renderers
// draw a stamp's appearance (chosen by /AS) and honour its flags like a
// widget's, but leave widgets to a form layer.
class WidgetsAsStamps {
 public:
  explicit WidgetsAsStamps(QPDF& qpdf) {
    const QPDFObjectHandle stamp = QPDFObjectHandle::newName("/Stamp");
    for (QPDFObjectHandle page : qpdf.getAllPages()) {
      QPDFObjectHandle annots = page.getKey("/Annots");
      if (!annots.isArray()) continue;
      for (QPDFObjectHandle annot : annots.aitems()) {
        if (!annot.isDictionary() || !annot.getKey("/Subtype").isNameAndEquals("/Widget")) continue;
        annot.replaceKey("/Subtype", stamp);
        retyped_.push_back(annot);
      }
    }
  }
  ~WidgetsAsStamps() {
    for (QPDFObjectHandle& annot : retyped_) annot.replaceKey("/Subtype", QPDFObjectHandle::newName("/Widget"));
  }
  WidgetsAsStamps(const WidgetsAsStamps&) = delete;
  WidgetsAsStamps& operator=(const WidgetsAsStamps&) = delete;

 private:
  std::vector<QPDFObjectHandle> retyped_;
};

}  // namespace

std::string QpdfDocument::WriteToMemory(MemoryCopy kind) {
  QPDF& qpdf = core_->Qpdf();
  return TranslateQpdfErrors(host::kErrGeneral, [&] {
    std::optional<WidgetsAsStamps> stamps;
    if (kind == MemoryCopy::ForDisplay) stamps.emplace(qpdf);
    QPDFWriter writer(qpdf);
    writer.setOutputMemory();
    writer.write();
    const std::unique_ptr<Buffer> buffer(writer.getBuffer());
    return std::string(reinterpret_cast<const char*>(buffer->getBuffer()), buffer->getSize());
  });
}

host::PDPage QpdfDocument::CreatePage(int afterIndex, const host::ASFixedRect& mediaBox) {
  QPDF& qpdf = core_->Qpdf();
  GuardFileAccess([&] {
    const auto pages = qpdf.getAllPages();
    if (afterIndex < -1 || afterIndex >= static_cast<int>(pages.size())) host::RaiseHostError(host::kErrPageRange);
    QPDFObjectHandle page = QPDFObjectHandle::newDictionary();
    page.replaceKey("/Type", QPDFObjectHandle::newName("/Page"));
    page.replaceKey("/MediaBox", RectArray(mediaBox));
    page.replaceKey("/Resources", QPDFObjectHandle::newDictionary());
    page.replaceKey("/Contents", QPDFObjectHandle::newStream(&qpdf, ""));
    page = qpdf.makeIndirectObject(page);
    if (afterIndex >= 0) {
      qpdf.addPageAt(page, false, pages[static_cast<size_t>(afterIndex)]);
    } else if (pages.empty()) {
      qpdf.addPage(page, true);
    } else {
      qpdf.addPageAt(page, true, pages.front());
    }
  });
  core_->MarkChanged();
  return AcquirePage(afterIndex + 1);
}

void QpdfDocument::Close() { core_->Events().CloseRequested(*this); }

int QpdfDocument::PageIndexOf(const host::CosObj& pageDict) const {
  const auto* impl = dynamic_cast<const QpdfCosObj*>(pageDict.RawImpl());
  if (impl == nullptr || impl->Core() != core_ || !impl->Handle().isIndirect()) return -1;
  QPDF& qpdf = core_->Qpdf();
  try {
    return qpdf.findPage(impl->Handle().getObjGen());
  } catch (const std::exception&) {
    return -1;
  }
}

}  // namespace viewer::pdf
