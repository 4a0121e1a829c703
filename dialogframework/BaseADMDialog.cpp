#include "dialogframework/BaseADMDialog.h"

#include "dialogframework/ADMAcroSDK.h"

namespace {

void DrawProc(host::ADMDialog* dialog, host::ADMDrawer* drawer) {
  if (BaseADMDialog* object = BaseADMDialog::FromDialog(dialog)) object->Draw(drawer);
  else dialog->DefaultDraw(drawer);
}

bool TrackProc(host::ADMDialog* dialog, host::ADMTracker* tracker) {
  if (BaseADMDialog* object = BaseADMDialog::FromDialog(dialog)) return object->Track(tracker);
  return dialog->DefaultTrack(tracker);
}

void NotifyProc(host::ADMDialog* dialog, host::ADMNotifier* notifier) {
  if (BaseADMDialog* object = BaseADMDialog::FromDialog(dialog)) object->Notify(notifier);
  else dialog->DefaultNotify(notifier);
}

void DestroyProc(host::ADMDialog* dialog) {
  if (BaseADMDialog* object = BaseADMDialog::FromDialog(dialog)) object->Destroy();
}

}  // namespace

BaseADMDialog* BaseADMDialog::FromDialog(host::ADMDialog* dialog) {
  return dialog ? static_cast<BaseADMDialog*>(dialog->GetUserData()) : nullptr;
}

int BaseADMDialog::InitProc(host::ADMDialog* dialog) {
  BaseADMDialog* object = FromDialog(dialog);
  if (!object) return host::adm::kNoObjectError;
  object->dialog_ = dialog;
  return object->Init();
}

int BaseADMDialog::Init() {
  dialog_->SetDrawProc(&DrawProc);
  dialog_->SetTrackProc(&TrackProc);
  dialog_->SetNotifyProc(&NotifyProc);
  dialog_->SetDestroyProc(&DestroyProc);
  return 0;
}

void BaseADMDialog::Draw(host::ADMDrawer* drawer) { dialog_->DefaultDraw(drawer); }
bool BaseADMDialog::Track(host::ADMTracker* tracker) { return dialog_->DefaultTrack(tracker); }
void BaseADMDialog::Notify(host::ADMNotifier* notifier) { dialog_->DefaultNotify(notifier); }

void BaseADMDialog::Destroy() {
  host::ADMDialog* dialog = dialog_;
  dialog_ = nullptr;
  if (modal_ || !dialog) return;
  // The dialog goes away with the object: forget the object first, so that
  // nothing reaches it while it is being deleted.
  dialog->SetUserData(nullptr);
  if (deletedDuringCreate_) *deletedDuringCreate_ = true;
  delete this;
}

BaseADMDialog::~BaseADMDialog() {
  if (!dialog_ || modal_) return;
  RemoveProcedures();
  host::ADMDialog* dialog = dialog_;
  dialog_ = nullptr;
  dialog->Destroy();
}

void BaseADMDialog::RemoveProcedures() {
  dialog_->SetDrawProc(nullptr);
  dialog_->SetTrackProc(nullptr);
  dialog_->SetNotifyProc(nullptr);
  dialog_->SetDestroyProc(nullptr);
  dialog_->SetUserData(nullptr);
}

host::ADMDialog* BaseADMDialog::Create(host::ExtensionID plugin, std::string_view name, int resourceID, int style,
                                       int options) {
  resource_ = Resource{plugin, std::string(name), resourceID, style, options};
  host::ADMDialogSuite* suite = ADMUtils::DialogSuite();
  if (dialog_) return nullptr;  // already shown: the object stays with that dialog
  bool deleted = false;
  host::ADMDialog* dialog = nullptr;
  if (suite) {
    modal_ = false;
    deletedDuringCreate_ = &deleted;
    dialog = suite->Create(plugin, name, resourceID, style, &InitProc, this, options);
    if (deleted) return nullptr;
    deletedDuringCreate_ = nullptr;
  }
  if (!dialog) {
    dialog_ = nullptr;
    delete this;
  }
  return dialog;
}

int BaseADMDialog::Modal(host::ExtensionID plugin, std::string_view name, int resourceID, int style, int options) {
  resource_ = Resource{plugin, std::string(name), resourceID, style, options};
  host::ADMDialogSuite* suite = ADMUtils::DialogSuite();
  if (!suite || dialog_) return -1;
  modal_ = true;
  const int ended = suite->Modal(plugin, name, resourceID, style, &InitProc, this, options);
  modal_ = false;
  dialog_ = nullptr;
  return ended;
}

int BaseADMDialog::DisplayAsModal() {
  if (resource_.name.empty() || dialog_) return -1;
  const Resource resource = resource_;
  return Modal(resource.plugin, resource.name, resource.id, resource.style, resource.options);
}
