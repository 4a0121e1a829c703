#include "dialogframework/CAcroADMDialog.h"

#include "dialogframework/ADMAcroSDK.h"
#include "host/HostError.h"
#include "host/PluginEntry.h"

namespace {

namespace adm = host::adm;

constexpr int kOKItem = 1;
constexpr int kModalLayer = 3;
// Ticks (1/60 s) between two event passes of a long task.
constexpr std::uint32_t kEventPassTicks = 6;
constexpr int kHostSuiteVersion = 6;

int AlternativeStyle(int style) {
  if (style == adm::kModalStyle && gAcroViewHFT && gAcroViewHFT->UseAlternativeModalStyle())
    return adm::kAlertStyle;
  return style;
}

host::AVRect ToAVRect(const host::ADMRect& r) { return host::AVRect{r.left, r.top, r.right, r.bottom}; }

}  // namespace

CAcroADMDialogOKButtonItem::CAcroADMDialogOKButtonItem(host::ADMItem* item, CAcroADMDialog* dialog)
    : BaseADMItem(item, dialog), dialog_(dialog) {}

void CAcroADMDialogOKButtonItem::Notify(host::ADMNotifier* notifier) {
  if (notifier->IsNotifierType(adm::kUserChangedNotifier) && !dialog_->NotifyOK()) return;
  BaseADMItem::Notify(notifier);
}

CAcroADMDialog::CAcroADMDialog() {
  if (gAcroViewHFT) {
    gAcroViewHFT->ShowWaitCursor(true);
    waitCursorShown_ = true;
  }
  suitesHeld_ = ADMUtils::InitializeADM();
}

CAcroADMDialog::~CAcroADMDialog() {
  EndWaitCursor();
  // A modeless dialog deleted by its owner: the subclass and its item
  // objects are gone already, the window and its bracket go now, the dialog
  // itself with the base.
  if (GetDialog() && !IsModal()) {
    DestroyHostWindow();
    okButton_.reset();
  }
  if (suitesHeld_) ADMUtils::ReleaseADM();
}

void CAcroADMDialog::EndWaitCursor() {
  if (!waitCursorShown_) return;
  waitCursorShown_ = false;
  gAcroViewHFT->ShowWaitCursor(false);
}

host::ADMDialog* CAcroADMDialog::Create(host::ExtensionID plugin, std::string_view name, int resourceID, int style,
                                        int options) {
  return BaseADMDialog::Create(plugin, name, resourceID, AlternativeStyle(style), options);
}

int CAcroADMDialog::Modal(host::ExtensionID plugin, std::string_view name, int resourceID, int style, int options) {
  return BaseADMDialog::Modal(plugin, name, resourceID, AlternativeStyle(style), options);
}

int CAcroADMDialog::Init() {
  BaseADMDialog::Init();
  int result = 0;
  try {
    MakeHostWindow();
    if (host::ADMItem* ok = dialog_->GetItem(kOKItem))
      okButton_ = std::make_unique<CAcroADMDialogOKButtonItem>(ok, this);
    PlaceDialog();
    InitSelf();
  } catch (...) {
    result = host::CurrentErrorCode();
  }
  EndWaitCursor();
  return result;
}

void CAcroADMDialog::MakeHostWindow() {
  layer_ = DetermineAVWindowLayer();
  window_ = gAcroViewHFT->NewWindowFromPlatformWindow(layer_, DetermineAVWindowFlags(), dialog_->PlatformWindow(),
                                                      gExtensionID);
  if (!window_) return;
  window_->SetFrame(ToAVRect(dialog_->GetBoundsRect()));
  if (layer_ == kModalLayer) gAcroViewHFT->BeginModal(window_);
}

void CAcroADMDialog::PlaceDialog() {
  const host::ADMRect bounds = GetPrefBounds();
  if (bounds == host::ADMRect{}) {
    if (!window_) return;
    // The host window wraps the dialog's window: where it goes, the dialog goes.
    window_->Center();
    const host::AVRect frame = window_->Frame();
    dialog_->Move(frame.left, frame.top);
  } else if (bounds.top < bounds.bottom && bounds.left < bounds.right) {
    dialog_->SetBoundsRect(bounds);
  } else {
    dialog_->Move(bounds.left, bounds.top);
  }
}

void CAcroADMDialog::Notify(host::ADMNotifier* notifier) {
  BaseADMDialog::Notify(notifier);
  if (!window_ || !dialog_) return;
  if (!notifier->IsNotifierType(adm::kWindowMovedByDragNotifier) && !notifier->IsNotifierType(adm::kBoundsChangedNotifier))
    return;
  const host::ADMRect bounds = dialog_->GetBoundsRect();
  if (bounds.Width() > 0 && bounds.Height() > 0) window_->SetFrame(ToAVRect(bounds));
}

void CAcroADMDialog::Destroy() {
  Hide();
  DestroySelf();
  DestroyHostWindow();
  okButton_.reset();
  BaseADMDialog::Destroy();  // may delete this (modeless): nothing may follow
}

void CAcroADMDialog::DestroyHostWindow() {
  if (!window_) return;
  try {
    if (layer_ == kModalLayer) gAcroViewHFT->EndModal();
    window_->Destroy();
  } catch (...) {
    // The window goes with the dialog whatever the host answers.
  }
  window_ = nullptr;
}

void CAcroADMDialog::Show(bool show) {
  if (!show) return Hide();
  if (window_) window_->Show();
  if (dialog_) dialog_->Show(true);
}

void CAcroADMDialog::Hide() {
  if (window_) window_->Hide();
  if (dialog_) dialog_->Show(false);
}

bool CAcroADMDialog::ValidateAndSave() {
  if (!Validate()) return false;
  Save();
  return true;
}

bool CAcroADMDialog::Validate() { return false; }
void CAcroADMDialog::Save() {}

host::ADMRect CAcroADMDialog::GetPrefBounds() { return host::ADMRect{}; }
void CAcroADMDialog::SetPrefBounds(const host::ADMRect&) {}

void CAcroADMDialog::ProcessEvent() {
  if (!dialog_) return;
  const std::uint32_t now = gMacintoshHFT->TickCount();
  if (!lastEventPass_) lastEventPass_ = now;
  if (now - *lastEventPass_ < kEventPassTicks) return;
  lastEventPass_ = now;
  dialog_->ProcessEvents();  // a Stop button may destroy the dialog: nothing may follow
}

void CAcroADMDialog::ProcessEventOrCancelKeystroke(bool&) { ProcessEvent(); }

int CAcroADMDialog::DetermineAVWindowLayer() {
  switch (dialog_->Style()) {
    case adm::kModalStyle:
    case adm::kResizingModalStyle:
      return 3;
    case adm::kFloatingStyle:
    case adm::kTabbedFloatingStyle:
    case adm::kResizingFloatingStyle:
    case adm::kTabbedResizingFloatingStyle:
    case adm::kNoCloseFloatingStyle:
      return 2;
    default:
      return 3;
  }
}

std::uint32_t CAcroADMDialog::DetermineAVWindowFlags() {
  switch (dialog_->Style()) {
    case adm::kModalStyle:
    case adm::kResizingModalStyle:
      return 0x8A000000;
    case adm::kFloatingStyle:
    case adm::kTabbedFloatingStyle:
      return 0x5A000000;
    case adm::kResizingFloatingStyle:
    case adm::kTabbedResizingFloatingStyle:
      return 0xDA000000;
    case adm::kNoCloseFloatingStyle:
      return 0x1A000000;
    default:
      return 0x08000000;
  }
}

bool CAcroADMDialog::NotifyOK() {
  if (gAcroViewSweetPeaHFT && dialog_) {
    if (auto* hostSuite =
            static_cast<host::ADMHostSuite*>(gAcroViewSweetPeaHFT->AcquireSuite(adm::kHostSuite, kHostSuiteVersion))) {
      hostSuite->CommitPendingEdit(dialog_);
      gAcroViewSweetPeaHFT->ReleaseSuite(hostSuite);
    }
  }
  return ValidateAndSave();
}

void CAcroADMDialog::ReplaceOKButtonItem(std::unique_ptr<CAcroADMDialogOKButtonItem> item) {
  if (okButton_) okButton_->Detach();
  okButton_ = std::move(item);
}
