// Page images of one document, rendered with Qt PDF from the document's
// current state: straight from its file until something changes the
// document, then from the bytes a save would write now (documents with form
// fields always from those bytes, written for display). Each page keeps its
// last image while it is wanted; the images of pages out of view are let go
// beyond a small reserve, so memory stays flat however far a view scrolls.
#pragma once

#include <cstdint>
#include <list>
#include <memory>

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QPdfDocument>
#include <QSize>

namespace viewer::pdf {
class PdfDocument;
}

namespace viewer::qt {

struct PageRequest {
  int page = 0;
  QSize size;         // the whole page as displayed, device pixels
  int rotation = 0;   // the view's rotation (the page's own is applied by the renderer)
  qreal pixelRatio = 1.0;
};

class PageRenderer {
 public:
  // Pages larger than this (pixels) are rendered at a lower resolution and
  // shown enlarged: a page at a high zoom must not take gigabytes.
  static constexpr qint64 kPixelLimit = 4096LL * 4096LL;
  // Images of pages out of view kept for scrolling back.
  static constexpr int kReserve = 4;

  explicit PageRenderer(pdf::PdfDocument& pdf);
  ~PageRenderer();
  PageRenderer(const PageRenderer&) = delete;
  PageRenderer& operator=(const PageRenderer&) = delete;

  // The page's image (white behind its content; its pixel ratio makes it
  // the requested size), rendered when the cached one has another size or
  // rotation or the document changed since. A null image when Qt PDF cannot
  // render the page.
  const QImage& Image(const PageRequest& request);
  // Pages still wanted keep their images; others go beyond the reserve.
  void Keep(const std::vector<int>& pages);

  // Page renders so far and images held (for measurements).
  int RenderCount() const { return renders_; }
  int ImagesHeld() const { return static_cast<int>(cache_.size()); }
  qint64 PixelsHeld() const;

 private:
  struct Entry {
    int page;
    QSize size;
    int rotation;
    qreal pixelRatio;
    std::uint64_t revision;
    QImage image;
  };
  void LoadCurrentState();
  // Qt PDF draws no form fields: documents with them are shown from a copy
  // whose fields are plain annotations.
  bool HasFormFields() const;
  QImage Render(const PageRequest& request);

  pdf::PdfDocument& pdf_;
  QPdfDocument qtPdf_;
  QByteArray bytes_;
  QBuffer buffer_;
  std::uint64_t loadedRevision_ = 0;
  bool loaded_ = false;
  std::list<Entry> cache_;  // most recently used first
  int renders_ = 0;
};

}  // namespace viewer::qt
