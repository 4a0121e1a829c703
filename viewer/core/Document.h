// An open document in a window (visible, or hidden for work the user does
// not see): its PDF, its page view and its window.
#pragma once

#include <memory>
#include <string>

#include "host/AV.h"
#include "viewer/core/PageView.h"
#include "viewer/pdf/PdfDocument.h"

namespace viewer {

class Host;
class Document;

class DocumentWindow final : public host::AVWindow {
 public:
  explicit DocumentWindow(Document& doc) : doc_(doc) {}
  std::string Title() const override;
  void Show() override;
  void Hide() override;
  void Center() override {}
  host::AVRect Frame() const override { return frame_; }
  void SetFrame(const host::AVRect& frame) override { frame_ = frame; }
  void Destroy() override {}  // documents close through their AVDoc

 private:
  Document& doc_;
  host::AVRect frame_{0, 0, 800, 1000};
};

class Document final : public host::AVDoc {
 public:
  // title: empty for the file name of the document's path.
  Document(Host& host, std::unique_ptr<pdf::PdfDocument> pdf, std::string title, bool visible);
  ~Document() override;

  host::PDDoc* GetPDDoc() const override { return pdf_.get(); }
  host::AVPageView* GetPageView() const override { return view_.get(); }
  host::AVWindow* GetWindow() const override { return window_.get(); }
  std::string Title() const override;
  bool IsVisible() const override { return visible_; }
  void BringToFront() override;
  bool Close(bool noSave) override;

  pdf::PdfDocument& Pdf() const { return *pdf_; }
  PageView& View() const { return *view_; }
  Host& GetHost() const { return host_; }
  void SetVisible(bool visible) { visible_ = visible; }

 private:
  Host& host_;
  std::unique_ptr<pdf::PdfDocument> pdf_;
  std::unique_ptr<PageView> view_;
  std::unique_ptr<DocumentWindow> window_;
  std::string title_;
  bool visible_;
};

}  // namespace viewer
