// A dialog of the dialog manager, built from a layout resource. Plug-ins see
// it as host::ADMDialog; front ends read its state, draw it, hear about its
// changes through FrontEnd::DialogChanged (with Revision() telling which
// items changed) and act on it only through UserActions.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "host/ADM.h"
#include "viewer/core/dm/DialogContext.h"

namespace viewer {
struct DialogLayout;
class DrawSurface;
}  // namespace viewer

namespace viewer::dm {

class Item;

class Dialog final : public host::ADMDialog {
 public:
  Dialog(DialogContext& context, host::ExtensionID plugin, const DialogLayout& layout, int style);
  ~Dialog() override;
  Dialog(const Dialog&) = delete;
  Dialog& operator=(const Dialog&) = delete;

  // host::ADMDialog.
  std::string Name() const override { return name_; }
  int ResourceID() const override { return resourceID_; }
  host::ExtensionID Plugin() const override { return plugin_; }
  void SetUserData(void* data) override { userData_ = data; }
  void* GetUserData() const override { return userData_; }
  void SetDrawProc(host::ADMDialogDrawProc proc) override { drawProc_ = proc; }
  void SetTrackProc(host::ADMDialogTrackProc proc) override { trackProc_ = proc; }
  void SetNotifyProc(host::ADMDialogNotifyProc proc) override { notifyProc_ = proc; }
  void SetDestroyProc(host::ADMDialogDestroyProc proc) override { destroyProc_ = proc; }
  void DefaultDraw(host::ADMDrawer* drawer) override;
  bool DefaultTrack(host::ADMTracker* tracker) override;
  void DefaultNotify(host::ADMNotifier* notifier) override;
  host::ADMItem* GetItem(int itemID) override;
  host::ADMItem* CreateItem(int itemID, std::string_view typeName, const host::ADMRect& bounds) override;
  void DestroyItem(host::ADMItem* item) override;
  int NumItems() const override { return static_cast<int>(items_.size()); }
  host::ADMItem* GetItemByIndex(int index) override;
  int Style() const override { return style_; }
  bool IsModal() const override { return modal_; }
  // The dialog itself (as dm::Dialog*), so that the host's window wrapper
  // can reach it.
  void* PlatformWindow() override { return this; }
  void Show(bool show) override;
  // Visible once the front end shows it, unless hidden by Show(false).
  bool IsVisible() const override { return presented_ && visible_; }
  host::ADMRect GetBoundsRect() const override { return bounds_; }
  void SetBoundsRect(const host::ADMRect& rect) override;
  host::ADMRect GetLocalRect() const override;
  void Move(int left, int top) override;
  void Size(int width, int height) override;
  void Update() override { Changed(); }
  void ProcessEvents() override;
  void SetText(const std::string& utf8) override;
  std::string GetText() const override { return title_; }
  void SetTextW(const std::u16string& text) override;
  void SetDefaultItemID(int itemID) override;
  int GetDefaultItemID() const override { return defaultItem_; }
  void SetCancelItemID(int itemID) override;
  int GetCancelItemID() const override { return cancelItem_; }
  void EndModal(int itemID) override;
  void Destroy() override;

  // For front ends.
  Item* FindItem(int itemID) const;
  Item& ItemAt(int index) const { return *items_.at(static_cast<std::size_t>(index)); }
  Item* FocusedItem() const { return focused_; }
  bool IsResizable() const;  // styles 4, 5 and 10
  bool IsFloating() const;   // styles 2 to 7
  bool HasCloseBox() const;  // all but style 7
  bool HasEnded() const { return ended_; }
  int EndedItem() const { return endedItem_; }
  bool IsDestroyed() const { return destroyed_; }
  // Paints the dialog's own drawing (its draw procedure) on a surface in
  // dialog coordinates.
  void Draw(DrawSurface& surface);
  // Grows with every change; each item remembers the revision of its last
  // change, so a front end updates only what changed since it last looked.
  std::uint64_t Revision() const { return revision_; }
  // Grows when items are created or destroyed.
  std::uint64_t StructureRevision() const { return structureRevision_; }
  // Tick of the last ProcessEvents call; 0 before the first.
  std::uint32_t LastEventPassTicks() const { return lastEventPass_; }

  // Keeps the dialog alive while the dialog manager works on it; a person's
  // action also batches the change reports into one at its end.
  class Busy {
   public:
    enum Mode { kKeepAlive, kBatchChanges };
    Busy(Dialog& dialog, Mode mode);
    ~Busy();
    Busy(const Busy&) = delete;
    Busy& operator=(const Busy&) = delete;

   private:
    Dialog& dialog_;
    Mode mode_;
  };

  // Used by the dialog manager and its items.
  bool IsBusy() const { return busy_ > 0; }
  void MarkModal() { modal_ = true; }
  // The front end shows the dialog from now on (the caller hands it over
  // next): changes are reported from now on.
  void Present();
  // Runs the destroy procedures (dialog first, then the remaining items),
  // tells the front end and retires the dialog. Does nothing the second time.
  void DestroyNow();
  // Reports the changes a person's action left unreported.
  void ReportChanges();
  // Records a change; the item (if any) takes the new revision.
  void Changed(Item* item = nullptr);
  void StructureChanged();
  // A click on the dialog itself (not on an item): its track procedure or
  // the default.
  bool Track(host::ADMTracker& tracker);
  // Delivers a notification to the dialog's notify procedure (or its default).
  void NotifyDialog(std::string_view typeName);
  // Passes an item's notification on to the dialog's notify procedure.
  void ForwardToDialog(host::ADMNotifier* notifier);
  // Delivers a notification to an item's notify procedure (or its default).
  void NotifyItem(Item& item, std::string_view typeName);
  // Programmatic focus change (no notifications).
  void SetFocus(Item* item);
  void SkipNextClipboardOperation(bool skip) { skipNextClipboard_ = skip; }
  bool TakeSkipNextClipboardOperation();
  // Turns the other radio buttons of the group (or the other tab buttons) off.
  void ClearOthersInGroup(Item& item);
  FrontEnd& Front();

 private:
  void BuildItems(const DialogLayout& layout);
  void EndRun(int itemID);
  void ReleaseItem(std::unique_ptr<Item> item);

  DialogContext& context_;
  host::ExtensionID plugin_;
  std::string name_;
  int resourceID_;
  int style_;
  std::string title_;
  host::ADMRect bounds_;
  int defaultItem_ = 1;
  int cancelItem_ = 2;
  std::vector<std::unique_ptr<Item>> items_;
  std::vector<std::unique_ptr<Item>> retiredItems_;
  Item* focused_ = nullptr;

  void* userData_ = nullptr;
  host::ADMDialogDrawProc drawProc_ = nullptr;
  host::ADMDialogTrackProc trackProc_ = nullptr;
  host::ADMDialogNotifyProc notifyProc_ = nullptr;
  host::ADMDialogDestroyProc destroyProc_ = nullptr;

  bool modal_ = false;
  bool visible_ = true;
  bool presented_ = false;
  bool ended_ = false;
  int endedItem_ = 0;
  bool destroyed_ = false;
  bool skipNextClipboard_ = false;
  int busy_ = 0;
  int batching_ = 0;
  bool changesPending_ = false;
  std::uint64_t revision_ = 1;
  std::uint64_t structureRevision_ = 1;
  std::uint32_t lastEventPass_ = 0;
};

}  // namespace viewer::dm
