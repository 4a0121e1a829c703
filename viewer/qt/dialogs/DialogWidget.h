// A dialog of the dialog manager on screen, built from the dialog's items:
// a window of the dialog's style (modal, floating, floating without a close
// box, resizable or not) that shows the dialog's state whenever the dialog
// manager reports a change and passes every action of a person on as a
// user action. Return presses the default item and Escape the cancel item;
// a person's moves and resizes reach the dialog as they happen.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <QDialog>
#include <QEventLoop>
#include <QIcon>

#include "host/ADM.h"

namespace viewer {
class ResourceStore;
}

namespace viewer::dm {
class Dialog;
class UserActions;
}  // namespace viewer::dm

namespace viewer::qt {

class ItemView;

class DialogWidget final : public QDialog {
  Q_OBJECT

 public:
  DialogWidget(dm::Dialog& dialog, const ResourceStore& resources, QWidget* parent);
  ~DialogWidget() override;

  // Null once the dialog is gone.
  dm::Dialog* Model() const { return dialog_; }
  // The dialog manager reports changes: show what changed since last time.
  void ModelChanged();
  // The dialog has been destroyed: the window hides and goes.
  void Retire();
  // Shows the dialog modally until it ends; answers the item that ended it.
  int RunModal();
  // Shows a modeless dialog.
  void ShowModeless();

  // A person's action; refused actions change nothing. The window shows
  // the dialog's state afterwards.
  void Act(const std::function<void(dm::UserActions&)>& action);
  QIcon Icon(int picture, const std::string& family) const;
  // The widget of an item (tests drive dialogs through it); null when none.
  QWidget* ItemWidget(int itemID) const;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void reject() override;
  void closeEvent(QCloseEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  void SyncAll();
  void SyncStructure();
  void SyncWindow();
  void SyncFocus();
  ItemView* ViewOf(const void* item) const;

  dm::Dialog* dialog_;
  const ResourceStore& resources_;
  std::vector<std::unique_ptr<ItemView>> views_;
  std::uint64_t structureSeen_ = 0;
  std::uint64_t revisionSeen_ = 0;
  QEventLoop* modalLoop_ = nullptr;
  bool syncing_ = false;
  bool running_ = false;  // shown by a modal run or as a modeless dialog
  std::optional<host::ADMRect> appliedBounds_;
};

}  // namespace viewer::qt
