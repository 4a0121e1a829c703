// Lets the user pick one of the other open documents, as the destination of
// an export.
#pragma once

#include <memory>
#include <vector>

#include "blocktool/host/MarkupContentNotification.h"
#include "dialogframework/CAcroADMDialog.h"

class CActiveDocumentsDlg;

class CActiveDocumentsListCtrl : public BaseADMItem {
 public:
  CActiveDocumentsListCtrl(host::ADMItem* item, CActiveDocumentsDlg& dialog);
  void Notify(host::ADMNotifier* notifier) override;
  // Appends an entry titled with the document's title.
  void AddDocument(const ActiveDocument& document);
  // The document of the selected entry; an empty record when none is.
  ActiveDocument GetSelectedDocument() const;

 private:
  CActiveDocumentsDlg& dialog_;
  std::vector<ActiveDocument> documents_;
};

class CActiveDocumentsDlg : public CAcroADMDialog {
 public:
  static constexpr const char* kName = "Zolt:ActiveDocuments";
  static constexpr int kResourceID = 132;

  // result receives the chosen document when the dialog ends with OK.
  explicit CActiveDocumentsDlg(ActiveDocument& result) : result_(result) {}
  ~CActiveDocumentsDlg() override;
  void SetDocuments(std::vector<ActiveDocument> documents) { documents_ = std::move(documents); }
  void SetSelectedDocument(const ActiveDocument& document);

  void InitSelf() override;
  bool Validate() override;
  void DestroySelf() override;

 private:
  ActiveDocument& result_;
  std::vector<ActiveDocument> documents_;
  std::unique_ptr<CActiveDocumentsListCtrl> list_;
};
