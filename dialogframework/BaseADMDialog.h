// One object per dialog of the dialog manager: the dialog's procedures call
// the object's virtual functions (the object is the dialog's user data).
//
// A modal dialog belongs to the code that called Modal; when the dialog
// manager destroys it only the handle is cleared. A modeless dialog belongs
// to itself: Create takes the object over (make it with new), and it deletes
// itself when the dialog manager destroys the dialog; deleting it destroys
// the dialog.
#pragma once

#include <string>
#include <string_view>

#include "host/ADM.h"

class BaseADMDialog {
 public:
  BaseADMDialog() = default;
  BaseADMDialog(const BaseADMDialog&) = delete;
  BaseADMDialog& operator=(const BaseADMDialog&) = delete;

  // Called once the dialog manager has built the dialog: installs the
  // procedures. 0, or an error code that keeps the dialog from showing.
  virtual int Init();
  virtual void Draw(host::ADMDrawer* drawer);
  virtual bool Track(host::ADMTracker* tracker);
  virtual void Notify(host::ADMNotifier* notifier);
  // The dialog manager is destroying the dialog.
  virtual void Destroy();
  virtual ~BaseADMDialog();

  // A modeless dialog from a layout resource with this object as user data.
  // The object belongs to the dialog from now on: when no dialog could be
  // made (null), it has been deleted already.
  virtual host::ADMDialog* Create(host::ExtensionID plugin, std::string_view name, int resourceID, int style,
                                  int options = 0);
  // Runs the dialog modally; the ID of the item that ended it (1 OK, 2
  // cancel by convention), -1 when it could not be built or shown.
  virtual int Modal(host::ExtensionID plugin, std::string_view name, int resourceID, int style, int options = 0);
  // Runs the layout last given to Create or Modal modally (-1 while a dialog
  // of this object exists, or when none was given).
  virtual int DisplayAsModal();

  host::ADMDialog* GetDialog() const { return dialog_; }
  bool IsModal() const { return modal_; }

  // The dialog manager's procedures: each fetches the object from the
  // dialog's user data.
  static int InitProc(host::ADMDialog* dialog);
  static BaseADMDialog* FromDialog(host::ADMDialog* dialog);

 protected:
  host::ADMDialog* dialog_ = nullptr;

 private:
  struct Resource {
    host::ExtensionID plugin = nullptr;
    std::string name;
    int id = 0;
    int style = 0;
    int options = 0;
  };

  void RemoveProcedures();

  bool modal_ = false;
  Resource resource_;
  // Set while Create waits for the dialog manager: tells it that the object
  // was deleted meanwhile (its init failed and the dialog was destroyed).
  bool* deletedDuringCreate_ = nullptr;
};
