#include "blocktool/dialogs/ActiveDocumentsDlg.h"

#include "blocktool/model/Service.h"

namespace {
constexpr int kListItem = 3;
constexpr int kTitleItem = 4;
}  // namespace

CActiveDocumentsListCtrl::CActiveDocumentsListCtrl(host::ADMItem* item, CActiveDocumentsDlg& dialog)
    : BaseADMItem(item, &dialog), dialog_(dialog) {}

void CActiveDocumentsListCtrl::Notify(host::ADMNotifier* notifier) {
  BaseADMItem::Notify(notifier);
  dialog_.SetSelectedDocument(GetSelectedDocument());
}

void CActiveDocumentsListCtrl::AddDocument(const ActiveDocument& document) {
  host::ADMList* list = GetItem() ? GetItem()->GetList() : nullptr;
  if (!list) return;
  try {
    const int index = static_cast<int>(documents_.size());
    host::ADMEntry* entry = list->InsertEntry(index);
    entry->SetID(index);
    entry->SetText(document.title);
    entry->SetUserData(document.doc);
    documents_.push_back(document);
  } catch (...) {
    Service.ExceptionAlert("ActiveDocument ListControl add Document");
  }
}

ActiveDocument CActiveDocumentsListCtrl::GetSelectedDocument() const {
  host::ADMList* list = GetItem() ? GetItem()->GetList() : nullptr;
  host::ADMEntry* entry = list ? list->GetActiveEntry() : nullptr;
  if (!entry) return {};
  return {static_cast<host::AVDoc*>(entry->GetUserData()), entry->GetText()};
}

CActiveDocumentsDlg::~CActiveDocumentsDlg() = default;

void CActiveDocumentsDlg::SetSelectedDocument(const ActiveDocument& document) {
  if (host::ADMItem* title = GetDialog() ? GetDialog()->GetItem(kTitleItem) : nullptr) title->SetText(document.title);
}

void CActiveDocumentsDlg::InitSelf() {
  try {
    host::ADMDialog* dialog = GetDialog();
    dialog->SetDefaultItemID(1);
    dialog->SetCancelItemID(2);
    list_ = std::make_unique<CActiveDocumentsListCtrl>(dialog->GetItem(kListItem), *this);
    for (const ActiveDocument& document : documents_) list_->AddDocument(document);
  } catch (...) {
    Service.ExceptionAlert("Active Documents Dialog init");
  }
}

bool CActiveDocumentsDlg::Validate() {
  result_ = list_ ? list_->GetSelectedDocument() : ActiveDocument{};
  return true;
}

void CActiveDocumentsDlg::DestroySelf() { list_.reset(); }
