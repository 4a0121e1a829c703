// A dialog the viewer treats as its own: a host window wraps the dialog's
// window (modal bracket, position), OK validates and saves, a long task can
// keep the dialog responsive, and the dialog manager's suites are held for
// the object's lifetime. Subclasses fill the items in InitSelf, accept in
// Validate, store in Save and delete their item objects in DestroySelf.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>

#include "dialogframework/BaseADMDialog.h"
#include "dialogframework/BaseADMItem.h"
#include "host/AV.h"

class CAcroADMDialog;

// The object of item 1: pressing OK asks the dialog first.
class CAcroADMDialogOKButtonItem : public BaseADMItem {
 public:
  CAcroADMDialogOKButtonItem(host::ADMItem* item, CAcroADMDialog* dialog);
  void Notify(host::ADMNotifier* notifier) override;

 protected:
  CAcroADMDialog* OwnerDialog() const { return dialog_; }

 private:
  CAcroADMDialog* dialog_;
};

class CAcroADMDialog : public BaseADMDialog {
 public:
  CAcroADMDialog();
  ~CAcroADMDialog() override;

  int Init() override;
  void Notify(host::ADMNotifier* notifier) override;
  void Destroy() override;
  // Style 0 becomes the host's alternative modal style when it asks for it.
  host::ADMDialog* Create(host::ExtensionID plugin, std::string_view name, int resourceID, int style,
                          int options = 0) override;
  int Modal(host::ExtensionID plugin, std::string_view name, int resourceID, int style, int options = 0) override;

  virtual void Show(bool show);
  virtual void Hide();
  virtual void InitSelf() = 0;
  virtual bool ValidateAndSave();
  virtual bool Validate();
  virtual void Save();
  virtual void DestroySelf() = 0;
  // Where the dialog opens: all zero centres it; a proper rectangle is its
  // bounds; anything else only gives the top left corner.
  virtual host::ADMRect GetPrefBounds();
  virtual void SetPrefBounds(const host::ADMRect& bounds);
  // Lets the dialog handle its waiting events, at most every 6 ticks.
  virtual void ProcessEvent();
  virtual void ProcessEventOrCancelKeystroke(bool& cancelled);
  virtual int DetermineAVWindowLayer();
  virtual std::uint32_t DetermineAVWindowFlags();
  // OK was pressed: commits the field being edited, then ValidateAndSave.
  virtual bool NotifyOK();

  host::AVWindow* GetAVWindow() const { return window_; }
  int GetAVWindowLayer() const { return layer_; }

 protected:
  // Puts another object on item 1 (one that still asks NotifyOK); the
  // earlier one is dropped without destroying the item.
  void ReplaceOKButtonItem(std::unique_ptr<CAcroADMDialogOKButtonItem> item);

 private:
  void MakeHostWindow();
  void PlaceDialog();
  void DestroyHostWindow();
  void EndWaitCursor();

  host::AVWindow* window_ = nullptr;
  int layer_ = 0;
  std::optional<std::uint32_t> lastEventPass_;
  std::unique_ptr<CAcroADMDialogOKButtonItem> okButton_;
  bool suitesHeld_ = false;
  bool waitCursorShown_ = false;
};
