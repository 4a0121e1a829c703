#include "viewer/core/Document.h"

#include "viewer/core/Host.h"

namespace viewer {

std::string DocumentWindow::Title() const { return doc_.Title(); }
void DocumentWindow::Show() { doc_.GetHost().Documents().SetVisible(doc_, true); }
void DocumentWindow::Hide() { doc_.GetHost().Documents().SetVisible(doc_, false); }

Document::Document(Host& host, std::unique_ptr<pdf::PdfDocument> pdf, std::string title, bool visible)
    : host_(host),
      pdf_(std::move(pdf)),
      view_(std::make_unique<PageView>(host, *this)),
      window_(std::make_unique<DocumentWindow>(*this)),
      title_(std::move(title)),
      visible_(visible) {}

Document::~Document() = default;

std::string Document::Title() const {
  if (!title_.empty()) return title_;
  const std::string path = pdf_->Path().Str();
  if (path.empty()) return "Untitled";
  return path.substr(path.rfind('/') + 1);
}

void Document::BringToFront() { host_.Documents().BringToFront(*this); }

bool Document::Close(bool noSave) { return host_.Documents().Close(*this, noSave); }

}  // namespace viewer
