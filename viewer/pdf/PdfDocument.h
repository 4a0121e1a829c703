// A PDF document over qpdf: the document layer of the seam (PDDoc, pages,
// annotations, Cos objects) without any window. The viewer core owns the
// documents and is told about saves and changes through DocumentEvents.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "host/Cos.h"
#include "host/PD.h"
#include "host/PDE.h"

namespace viewer::pdf {

class PdfDocument;

// Atoms come from the host's atom table.
class AtomResolver {
 public:
  virtual ~AtomResolver() = default;
  virtual host::ASAtom Atom(std::string_view text) = 0;
  virtual std::string Text(host::ASAtom atom) = 0;
};

// What the viewer core hears from a document.
class DocumentEvents {
 public:
  virtual ~DocumentEvents() = default;
  // Before the file is written (the handlers may still change objects).
  virtual void WillSave(PdfDocument& doc, int saveFlags) = 0;
  // After the write; error is 0 on success, else the host error code.
  virtual void DidSave(PdfDocument& doc, int error) = 0;
  virtual void PageContentsDidChange(PdfDocument& doc, int pageIndex) = 0;
  virtual host::AVDoc* AVDocOf(const PdfDocument& doc) = 0;
  // Close() of a document without a window.
  virtual void CloseRequested(PdfDocument& doc) = 0;
};

class PdfDocument : public host::PDDoc {
 public:
  // Raises HostError kErrFileNotFound or kErrBadFile.
  static std::unique_ptr<PdfDocument> Open(const std::string& path, DocumentEvents& events, AtomResolver& atoms);
  // A new empty document (no pages) without a path.
  static std::unique_ptr<PdfDocument> Create(DocumentEvents& events, AtomResolver& atoms);

  // Writes the file without notifications: temporary file in the target
  // folder, renamed over the target when complete. Raises kErrFileWrite and
  // leaves the target untouched on failure. PDDoc::Save = WillSave, this,
  // DidSave.
  virtual void WriteTo(const std::string& path) = 0;

  // The document as a save would write it now, in memory, without
  // notifications: what a view renders after the objects changed. A copy
  // for display has its form fields' widgets written as plain annotations,
  // so that a renderer without a form layer shows them as they look (with
  // their appearances and flags); the document itself is left as it was.
  enum class MemoryCopy { Exact, ForDisplay };
  virtual std::string WriteToMemory(MemoryCopy kind = MemoryCopy::Exact) = 0;
  // Grows with every change made through the seam.
  virtual std::uint64_t Revision() const = 0;

  // Test hook: the next writes fail after this many bytes (negative: never).
  virtual void FailWritesAfterBytesForTesting(std::int64_t bytes) = 0;

  // The page index of a page dictionary, or -1.
  virtual int PageIndexOf(const host::CosObj& pageDict) const = 0;
};

// The object-store side of the seam's tables that are served by the PDF
// layer: "PagePDEContent" (page content acquisition and write-back).
std::unique_ptr<host::PagePDEContentTable> MakePageContentTable(AtomResolver& atoms);

}  // namespace viewer::pdf
