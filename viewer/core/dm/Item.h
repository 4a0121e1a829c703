// An item of a dialog: its kind, text, value, state, bounds, procedures and,
// for list items, its list of entries or its hierarchy list.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "host/ADM.h"
#include "viewer/core/dm/ItemKind.h"

namespace viewer {
struct ItemLayout;
class DrawSurface;
}  // namespace viewer

namespace viewer::dm {

class Dialog;
class List;
class HierarchyList;

class Item final : public host::ADMItem {
 public:
  Item(dm::Dialog& dialog, int id, ItemKind kind, const host::ADMRect& bounds);
  ~Item() override;
  Item(const Item&) = delete;
  Item& operator=(const Item&) = delete;

  // Takes text, value, state and entries from a layout.
  void ApplyLayout(const ItemLayout& layout);

  // host::ADMItem.
  int ID() const override { return id_; }
  host::ADMDialog* Dialog() const override;
  std::string TypeName() const override { return TypeNameOfKind(kind_); }
  void SetUserData(void* data) override { userData_ = data; }
  void* GetUserData() const override { return userData_; }
  void SetDrawProc(host::ADMItemDrawProc proc) override { drawProc_ = proc; }
  void SetTrackProc(host::ADMItemTrackProc proc) override { trackProc_ = proc; }
  void SetNotifyProc(host::ADMItemNotifyProc proc) override { notifyProc_ = proc; }
  host::ADMItemNotifyProc GetNotifyProc() const override { return notifyProc_; }
  void SetDestroyProc(host::ADMItemDestroyProc proc) override { destroyProc_ = proc; }
  void SetTextToFloatProc(host::ADMItemTextToFloatProc proc) override { textToFloatProc_ = proc; }
  void SetFloatToTextProc(host::ADMItemFloatToTextProc proc) override { floatToTextProc_ = proc; }
  void DefaultDraw(host::ADMDrawer* drawer) override;
  bool DefaultTrack(host::ADMTracker* tracker) override;
  void DefaultNotify(host::ADMNotifier* notifier) override;
  bool DefaultTextToFloat(float* value) override;
  bool DefaultFloatToText(float value, std::string* text) override;
  host::ADMRect GetBoundsRect() const override { return bounds_; }
  void SetBoundsRect(const host::ADMRect& rect) override;
  void Move(int left, int top) override;
  void Enable(bool enable) override;
  bool IsEnabled() const override { return enabled_; }
  void Show(bool show) override;
  bool IsVisible() const override { return visible_; }
  void Activate(bool active) override;
  bool IsActive() const override;
  void SetBooleanValue(bool value) override;
  bool GetBooleanValue() const override { return checked_; }
  void SetIntValue(int value) override;
  int GetIntValue() const override;
  void SetMinIntValue(int value) override;
  void SetMaxIntValue(int value) override;
  int GetMinIntValue() const override { return min_; }
  int GetMaxIntValue() const override { return max_; }
  void SetFloatValue(float value) override;
  float GetFloatValue() const override;
  void SetSmallIncrement(int value) override;
  void SetLargeIncrement(int value) override;
  int GetSmallIncrement() const override { return smallIncrement_; }
  int GetLargeIncrement() const override { return largeIncrement_; }
  void SetText(const std::string& utf8) override;
  std::string GetText() const override;
  void SetTextW(const std::u16string& text) override;
  std::u16string GetTextW() const override;
  void SetMaxTextLength(int length) override;
  int GetMaxTextLength() const override { return maxTextLength_; }
  void SetPictureID(int iconResource, std::string_view iconName) override;
  int GetPictureID() const override { return picture_; }
  void SetTipString(const std::string& utf8) override;
  void Invalidate() override;
  void Update() override;
  host::ADMList* GetList() override;
  host::ADMHierarchyList* GetHierarchyList() override;

  // For front ends and the dialog manager.
  ItemKind Kind() const { return kind_; }
  dm::Dialog& OwnerDialog() const { return dialog_; }
  List* EntryList() const { return list_.get(); }
  HierarchyList* Tree() const { return tree_.get(); }
  const std::string& PictureFamily() const { return pictureFamily_; }
  const std::string& Tip() const { return tip_; }
  int RadioGroup() const { return radioGroup_; }  // 0: none
  bool HasDrawProc() const { return drawProc_ != nullptr; }
  // Revision of the dialog at this item's last change.
  std::uint64_t Revision() const { return revision_; }
  // Paints the item's own drawing (its draw procedure) on a surface in item
  // coordinates.
  void Draw(DrawSurface& surface);

  // Used by the dialog manager.
  bool Track(host::ADMTracker& tracker);  // the track procedure or the default
  void Notify(host::ADMNotifier& notifier);  // the notify procedure or the default
  void RunDestroyProc();
  void MarkChanged(std::uint64_t revision) { revision_ = revision; }
  // The text a person typed (byte limit applied); the edit stays pending
  // until the person leaves the field.
  void TypeText(const std::string& utf8);
  bool HasPendingEdit() const { return pendingEdit_; }
  void ClearPendingEdit() { pendingEdit_ = false; }
  void SetCheckedQuietly(bool checked) { checked_ = checked; }
  // Follows the active entry of the list (scrolling pop-up edit fields show it).
  void ActiveEntryChanged();

 private:
  bool TextToFloat(float* value) const;
  void SetNumber(int value);
  void Changed();

  dm::Dialog& dialog_;
  int id_;
  ItemKind kind_;
  host::ADMRect bounds_;
  std::string text_;
  bool enabled_ = true;
  bool visible_ = true;
  bool checked_ = false;
  int value_ = 0;
  int min_ = 0;
  int max_ = 100;
  int smallIncrement_ = 1;
  int largeIncrement_ = 10;
  int maxTextLength_ = -1;
  int picture_ = 0;
  std::string pictureFamily_;
  std::string tip_;
  int radioGroup_ = 0;
  bool pendingEdit_ = false;
  std::uint64_t revision_ = 0;
  std::unique_ptr<List> list_;
  std::unique_ptr<HierarchyList> tree_;

  void* userData_ = nullptr;
  host::ADMItemDrawProc drawProc_ = nullptr;
  host::ADMItemTrackProc trackProc_ = nullptr;
  host::ADMItemNotifyProc notifyProc_ = nullptr;
  host::ADMItemDestroyProc destroyProc_ = nullptr;
  host::ADMItemTextToFloatProc textToFloatProc_ = nullptr;
  host::ADMItemFloatToTextProc floatToTextProc_ = nullptr;
};

}  // namespace viewer::dm
