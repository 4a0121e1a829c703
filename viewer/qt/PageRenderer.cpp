#include "viewer/qt/PageRenderer.h"

#include <algorithm>
#include <cmath>

#include <QPainter>

#include "host/HostError.h"
#include "viewer/pdf/PdfDocument.h"
#include "viewer/qt/Conversions.h"

namespace viewer::qt {

namespace {

QPdfDocumentRenderOptions::Rotation QtRotation(int degrees) {
  switch (((degrees % 360) + 360) % 360) {
    case 90:
      return QPdfDocumentRenderOptions::Rotation::Clockwise90;
    case 180:
      return QPdfDocumentRenderOptions::Rotation::Clockwise180;
    case 270:
      return QPdfDocumentRenderOptions::Rotation::Clockwise270;
    default:
      return QPdfDocumentRenderOptions::Rotation::None;
  }
}

const QImage kNoImage;

}  // namespace

PageRenderer::PageRenderer(pdf::PdfDocument& pdf) : pdf_(pdf) {}

PageRenderer::~PageRenderer() {
  qtPdf_.close();
  buffer_.close();
}

bool PageRenderer::HasFormFields() const {
  try {
    return pdf_.Catalog().DictKnown("AcroForm");
  } catch (const host::HostError&) {
    return true;
  }
}

void PageRenderer::LoadCurrentState() {
  if (loaded_ && loadedRevision_ == pdf_.Revision()) return;
  const std::uint64_t revision = pdf_.Revision();
  qtPdf_.close();
  buffer_.close();
  const std::string path = pdf_.Path().Str();
  if (revision == 0 && !path.empty() && !HasFormFields()) {
    // Nothing has changed since the file was read: render the file itself.
    bytes_.clear();
    qtPdf_.load(FromUtf8(path));
  } else {
    try {
      const std::string bytes = pdf_.WriteToMemory(pdf::PdfDocument::MemoryCopy::ForDisplay);
      bytes_ = QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()));
    } catch (const host::HostError&) {
      bytes_.clear();  // a document that cannot be written shows blank pages
    }
    buffer_.setData(bytes_);
    buffer_.open(QIODevice::ReadOnly);
    qtPdf_.load(&buffer_);
  }
  loaded_ = true;
  loadedRevision_ = revision;
}

const QImage& PageRenderer::Image(const PageRequest& request) {
  LoadCurrentState();
  for (auto it = cache_.begin(); it != cache_.end(); ++it) {
    if (it->page != request.page) continue;
    const bool fits = it->size == request.size && it->rotation == request.rotation &&
                      it->pixelRatio == request.pixelRatio && it->revision == loadedRevision_;
    if (fits) {
      cache_.splice(cache_.begin(), cache_, it);
      return cache_.front().image;
    }
    cache_.erase(it);
    break;
  }
  if (qtPdf_.status() != QPdfDocument::Status::Ready || request.page < 0 || request.page >= qtPdf_.pageCount() ||
      request.size.isEmpty())
    return kNoImage;
  cache_.push_front(
      {request.page, request.size, request.rotation, request.pixelRatio, loadedRevision_, Render(request)});
  return cache_.front().image;
}

QImage PageRenderer::Render(const PageRequest& request) {
  ++renders_;
  qreal ratio = request.pixelRatio;
  const double pixels = static_cast<double>(request.size.width()) * request.size.height() * ratio * ratio;
  if (pixels > static_cast<double>(kPixelLimit)) ratio *= std::sqrt(static_cast<double>(kPixelLimit) / pixels);
  const QSize scaled(std::max(1, static_cast<int>(request.size.width() * ratio)),
                     std::max(1, static_cast<int>(request.size.height() * ratio)));
  QPdfDocumentRenderOptions options;
  options.setRotation(QtRotation(request.rotation));
  options.setRenderFlags(QPdfDocumentRenderOptions::RenderFlag::Annotations);
  const QImage content = qtPdf_.render(request.page, scaled, options);
  // Qt PDF leaves the paper transparent: the page is white underneath.
  QImage page(scaled, QImage::Format_RGB32);
  page.fill(Qt::white);
  {
    QPainter painter(&page);
    painter.drawImage(0, 0, content);
  }
  page.setDevicePixelRatio(static_cast<qreal>(scaled.width()) / request.size.width());
  return page;
}

qint64 PageRenderer::PixelsHeld() const {
  qint64 pixels = 0;
  for (const Entry& entry : cache_) pixels += static_cast<qint64>(entry.image.width()) * entry.image.height();
  return pixels;
}

void PageRenderer::Keep(const std::vector<int>& pages) {
  int others = 0;
  for (auto it = cache_.begin(); it != cache_.end();) {
    const bool wanted = std::find(pages.begin(), pages.end(), it->page) != pages.end();
    if (!wanted && ++others > kReserve) {
      it = cache_.erase(it);
    } else {
      ++it;
    }
  }
}

}  // namespace viewer::qt
