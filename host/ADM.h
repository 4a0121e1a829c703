// The dialog manager: dialogs built from layout resources, their items,
// lists, hierarchy lists, notifiers and the drawer. Its services come in
// suites, acquired by name and version from the "AcroViewSweetPea" table.
// Dialogs, items and entries belong to the dialog manager.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "host/Core.h"
#include "host/HostTypes.h"
#include "host/Tables.h"

namespace host {

class ADMDialog;
class ADMItem;
class ADMList;
class ADMEntry;
class ADMHierarchyList;
class ADMListEntry;
class ADMNotifier;
class ADMDrawer;
class ADMTracker;

// Dialog-manager rectangles: pixels, y downwards.
struct ADMRect {
  int top = 0;
  int left = 0;
  int bottom = 0;
  int right = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  friend bool operator==(const ADMRect&, const ADMRect&) = default;
};

struct ADMPoint {
  int h = 0;
  int v = 0;
};

namespace adm {
// Suite names and versions.
inline constexpr const char* kBasicSuite = "ADM Basic Suite";
inline constexpr const char* kDialogSuite = "ADM Dialog Suite";
inline constexpr const char* kItemSuite = "ADM Item Suite";
inline constexpr const char* kListSuite = "ADM List Suite";
inline constexpr const char* kEntrySuite = "ADM Entry Suite";
inline constexpr const char* kImageSuite = "ADM Image Suite";
inline constexpr const char* kIconSuite = "ADM Icon Suite";
inline constexpr const char* kDialogGroupSuite = "ADM Dialog Group Suite";
inline constexpr const char* kDrawerSuite = "ADM Drawer Suite";
inline constexpr const char* kNotifierSuite = "ADM Notifier Suite";
inline constexpr const char* kTrackerSuite = "ADM Tracker Suite";
inline constexpr const char* kHierarchyListSuite = "ADM Hierarchy List Suite";
inline constexpr const char* kListEntrySuite = "ADM List Entry Suite";
inline constexpr const char* kHostSuite = "ADM Host Suite";

// Item types.
inline constexpr const char* kProgressBarType = "ADM Progress Bar Type";
inline constexpr const char* kTextStaticType = "ADM Text Static Type";
inline constexpr const char* kTextEditType = "ADM Text Edit Type";
inline constexpr const char* kTextEditReadOnlyType = "ADM Text Edit Read-only Type";
inline constexpr const char* kTextEditPopupType = "ADM Text Edit Scrolling Popup Type";
inline constexpr const char* kTextPushButtonType = "ADM Text Push Button Type";
inline constexpr const char* kPopupListType = "ADM Scrolling Popup List Type";
inline constexpr const char* kListBoxType = "ADM List Box Type";
inline constexpr const char* kScrollbarType = "ADM Scrollbar Type";
inline constexpr const char* kFrameType = "ADM Frame Type";
inline constexpr const char* kHierarchyListBoxType = "ADM Hierarchy List Box Type";
inline constexpr const char* kTextCheckBoxType = "ADM Text Check Box Type";
inline constexpr const char* kTextRadioButtonType = "ADM Text Radio Button Type";
inline constexpr const char* kPictureStaticType = "ADM Picture Static Type";
inline constexpr const char* kTabGroupType = "ADM Tab Group Type";  // tab buttons
inline constexpr const char* kSliderType = "ADM Slider Type";
inline constexpr const char* kUserType = "ADM User Type";

// Notifier types.
inline constexpr const char* kUserChangedNotifier = "ADM User Changed Notifier";
inline constexpr const char* kIntermediateChangedNotifier = "ADM Intermediate Changed Notifier";
inline constexpr const char* kWindowMovedByDragNotifier = "ADM Window Moved By Drag";
inline constexpr const char* kBoundsChangedNotifier = "ADM Bounds Changed Notifier";
inline constexpr const char* kTextSelectionChangeNotifier = "ADM Text Selection Change Notification";
inline constexpr const char* kContextMenuChangedNotifier = "ADM Context Menu Changed Notifier";
inline constexpr const char* kPreClipboardPasteNotifier = "ADM Pre Clipboard Paste Notifier";
inline constexpr const char* kPostClipboardPasteNotifier = "ADM Post Clipboard Paste Notifier";
inline constexpr const char* kWindowShowNotifier = "ADM Window Show Notifier";
inline constexpr const char* kWindowHideNotifier = "ADM Window Hide Notifier";

// Dialog styles.
inline constexpr int kModalStyle = 0;
inline constexpr int kAlertStyle = 1;  // the alternative modal style
inline constexpr int kFloatingStyle = 2;
inline constexpr int kTabbedFloatingStyle = 3;
inline constexpr int kResizingFloatingStyle = 4;
inline constexpr int kTabbedResizingFloatingStyle = 5;
inline constexpr int kNoCloseFloatingStyle = 7;
inline constexpr int kResizingModalStyle = 10;

// Answer of an init procedure that found no object to initialise.
inline constexpr int kNoObjectError = 0x5041524D;
}  // namespace adm

using ADMDialogInitProc = int (*)(ADMDialog* dialog);  // 0 = success
using ADMDialogDrawProc = void (*)(ADMDialog* dialog, ADMDrawer* drawer);
using ADMDialogTrackProc = bool (*)(ADMDialog* dialog, ADMTracker* tracker);
using ADMDialogNotifyProc = void (*)(ADMDialog* dialog, ADMNotifier* notifier);
using ADMDialogDestroyProc = void (*)(ADMDialog* dialog);

using ADMItemDrawProc = void (*)(ADMItem* item, ADMDrawer* drawer);
using ADMItemTrackProc = bool (*)(ADMItem* item, ADMTracker* tracker);
using ADMItemNotifyProc = void (*)(ADMItem* item, ADMNotifier* notifier);
using ADMItemDestroyProc = void (*)(ADMItem* item);
using ADMItemTextToFloatProc = bool (*)(ADMItem* item, float* value);
using ADMItemFloatToTextProc = bool (*)(ADMItem* item, float value, std::string* text);

using ADMListEntryTrackProc = bool (*)(ADMListEntry* entry, ADMTracker* tracker);

class KORVID_HOST_API ADMDialog {
 public:
  virtual ~ADMDialog();
  virtual std::string Name() const = 0;
  virtual int ResourceID() const = 0;
  virtual ExtensionID Plugin() const = 0;

  virtual void SetUserData(void* data) = 0;
  virtual void* GetUserData() const = 0;
  virtual void SetDrawProc(ADMDialogDrawProc proc) = 0;
  virtual void SetTrackProc(ADMDialogTrackProc proc) = 0;
  virtual void SetNotifyProc(ADMDialogNotifyProc proc) = 0;
  virtual void SetDestroyProc(ADMDialogDestroyProc proc) = 0;
  virtual void DefaultDraw(ADMDrawer* drawer) = 0;
  virtual bool DefaultTrack(ADMTracker* tracker) = 0;
  virtual void DefaultNotify(ADMNotifier* notifier) = 0;

  virtual ADMItem* GetItem(int itemID) = 0;  // null when the dialog has none
  virtual ADMItem* CreateItem(int itemID, std::string_view typeName, const ADMRect& bounds) = 0;
  virtual void DestroyItem(ADMItem* item) = 0;
  virtual int NumItems() const = 0;
  virtual ADMItem* GetItemByIndex(int index) = 0;

  virtual int Style() const = 0;
  virtual bool IsModal() const = 0;
  virtual void* PlatformWindow() = 0;
  virtual void Show(bool show) = 0;
  virtual bool IsVisible() const = 0;
  virtual ADMRect GetBoundsRect() const = 0;  // screen coordinates
  virtual void SetBoundsRect(const ADMRect& rect) = 0;
  virtual ADMRect GetLocalRect() const = 0;   // (0, 0, height, width)
  virtual void Move(int left, int top) = 0;
  virtual void Size(int width, int height) = 0;
  virtual void Update() = 0;
  // Handles the events waiting for this dialog's window (user actions the
  // front end queued), then returns.
  virtual void ProcessEvents() = 0;

  virtual void SetText(const std::string& utf8) = 0;  // window title
  virtual std::string GetText() const = 0;
  virtual void SetTextW(const std::u16string& text) = 0;

  virtual void SetDefaultItemID(int itemID) = 0;
  virtual int GetDefaultItemID() const = 0;
  virtual void SetCancelItemID(int itemID) = 0;
  virtual int GetCancelItemID() const = 0;
  // Ends a modal run with the item; for a modeless dialog, destroys it.
  virtual void EndModal(int itemID) = 0;
  virtual void Destroy() = 0;
};

class KORVID_HOST_API ADMItem {
 public:
  virtual ~ADMItem();
  virtual int ID() const = 0;
  virtual ADMDialog* Dialog() const = 0;
  virtual std::string TypeName() const = 0;

  virtual void SetUserData(void* data) = 0;
  virtual void* GetUserData() const = 0;
  virtual void SetDrawProc(ADMItemDrawProc proc) = 0;
  virtual void SetTrackProc(ADMItemTrackProc proc) = 0;
  virtual void SetNotifyProc(ADMItemNotifyProc proc) = 0;
  virtual ADMItemNotifyProc GetNotifyProc() const = 0;
  virtual void SetDestroyProc(ADMItemDestroyProc proc) = 0;
  virtual void SetTextToFloatProc(ADMItemTextToFloatProc proc) = 0;
  virtual void SetFloatToTextProc(ADMItemFloatToTextProc proc) = 0;
  virtual void DefaultDraw(ADMDrawer* drawer) = 0;
  virtual bool DefaultTrack(ADMTracker* tracker) = 0;
  virtual void DefaultNotify(ADMNotifier* notifier) = 0;
  virtual bool DefaultTextToFloat(float* value) = 0;
  virtual bool DefaultFloatToText(float value, std::string* text) = 0;

  virtual ADMRect GetBoundsRect() const = 0;  // in the dialog
  virtual void SetBoundsRect(const ADMRect& rect) = 0;
  virtual void Move(int left, int top) = 0;

  virtual void Enable(bool enable) = 0;
  virtual bool IsEnabled() const = 0;
  virtual void Show(bool show) = 0;
  virtual bool IsVisible() const = 0;
  virtual void Activate(bool active) = 0;  // keyboard focus
  virtual bool IsActive() const = 0;

  virtual void SetBooleanValue(bool value) = 0;
  virtual bool GetBooleanValue() const = 0;
  virtual void SetIntValue(int value) = 0;
  virtual int GetIntValue() const = 0;
  virtual void SetMinIntValue(int value) = 0;
  virtual void SetMaxIntValue(int value) = 0;
  virtual int GetMinIntValue() const = 0;
  virtual int GetMaxIntValue() const = 0;
  virtual void SetFloatValue(float value) = 0;
  virtual float GetFloatValue() const = 0;
  virtual void SetSmallIncrement(int value) = 0;
  virtual void SetLargeIncrement(int value) = 0;
  virtual int GetSmallIncrement() const = 0;
  virtual int GetLargeIncrement() const = 0;

  virtual void SetText(const std::string& utf8) = 0;
  virtual std::string GetText() const = 0;
  virtual void SetTextW(const std::u16string& text) = 0;
  virtual std::u16string GetTextW() const = 0;
  virtual void SetMaxTextLength(int length) = 0;  // bytes of UTF-8
  virtual int GetMaxTextLength() const = 0;
  virtual void SetPictureID(int iconResource, std::string_view iconName) = 0;
  virtual int GetPictureID() const = 0;
  virtual void SetTipString(const std::string& utf8) = 0;

  virtual void Invalidate() = 0;
  virtual void Update() = 0;

  virtual ADMList* GetList() = 0;                    // list items; null otherwise
  virtual ADMHierarchyList* GetHierarchyList() = 0;  // hierarchy list boxes; null otherwise
};

class KORVID_HOST_API ADMEntry {
 public:
  virtual ~ADMEntry();
  virtual ADMList* List() const = 0;
  virtual int Index() const = 0;
  virtual void SetID(int id) = 0;
  virtual int ID() const = 0;
  virtual void SetText(const std::string& utf8) = 0;
  virtual std::string GetText() const = 0;
  virtual void SetTextW(const std::u16string& text) = 0;
  virtual std::u16string GetTextW() const = 0;
  virtual void Select(bool select) = 0;
  virtual bool IsSelected() const = 0;
  virtual void Activate(bool active) = 0;
  virtual bool IsActive() const = 0;
  virtual void MakeSeparator(bool separator) = 0;
  virtual bool IsSeparator() const = 0;
  virtual void Enable(bool enable) = 0;
  virtual bool IsEnabled() const = 0;
  virtual void SetUserData(void* data) = 0;
  virtual void* GetUserData() const = 0;
  virtual void SetPictureID(int iconResource, std::string_view iconName) = 0;
  virtual int GetPictureID() const = 0;
};

class KORVID_HOST_API ADMList {
 public:
  virtual ~ADMList();
  virtual ADMItem* Item() const = 0;
  virtual int NumberOfEntries() const = 0;
  virtual ADMEntry* GetEntry(int index) = 0;  // null when out of range
  virtual ADMEntry* InsertEntry(int index) = 0;  // index past the end appends
  virtual void RemoveEntry(int index) = 0;
  virtual ADMEntry* FindEntry(std::string_view utf8) = 0;
  virtual ADMEntry* GetActiveEntry() = 0;  // null when none
  virtual void SetUserData(void* data) = 0;
  virtual void* GetUserData() const = 0;
};

class KORVID_HOST_API ADMListEntry {
 public:
  virtual ~ADMListEntry();
  virtual ADMHierarchyList* List() const = 0;
  virtual int Index() const = 0;
  virtual void SetID(int id) = 0;
  virtual int ID() const = 0;
  virtual void SetText(const std::string& utf8) = 0;
  virtual std::string GetText() const = 0;
  virtual void SetTextW(const std::u16string& text) = 0;
  virtual std::u16string GetTextW() const = 0;
  virtual void Select(bool select) = 0;
  virtual bool IsSelected() const = 0;
  virtual void Activate(bool active) = 0;
  virtual bool IsActive() const = 0;
  virtual void Expand(bool expand) = 0;
  virtual bool IsExpanded() const = 0;
  virtual ADMHierarchyList* GetChildList() = 0;  // null when none
  virtual ADMHierarchyList* CreateChildList() = 0;
  virtual void DeleteChildList() = 0;
  virtual void SetUserData(void* data) = 0;
  virtual void* GetUserData() const = 0;
  virtual bool DefaultTrack(ADMTracker* tracker) = 0;
  virtual void Invalidate() = 0;
  virtual void Update() = 0;
};

class KORVID_HOST_API ADMHierarchyList {
 public:
  virtual ~ADMHierarchyList();
  virtual ADMItem* Item() const = 0;
  virtual ADMListEntry* ParentEntry() const = 0;  // null for the root list
  virtual int NumberOfEntries() const = 0;
  virtual ADMListEntry* GetEntry(int index) = 0;
  virtual ADMListEntry* InsertEntry(int index) = 0;
  virtual void RemoveEntry(int index) = 0;
  virtual ADMListEntry* GetActiveLeafEntry() = 0;  // searched through every level
  virtual void SetEntryWidth(int width) = 0;
  virtual int GetEntryWidth() const = 0;
  virtual void SetEntryTextRect(const ADMRect& rect) = 0;
  virtual ADMRect GetEntryTextRect() const = 0;
  virtual void SetTrackProc(ADMListEntryTrackProc proc) = 0;  // for this list's entries
  virtual void SetUserData(void* data) = 0;
  virtual void* GetUserData() const = 0;
};

class KORVID_HOST_API ADMNotifier {
 public:
  virtual ~ADMNotifier();
  virtual ADMItem* Item() const = 0;  // null for dialog notifications
  virtual ADMDialog* Dialog() const = 0;
  virtual bool IsNotifierType(std::string_view typeName) const = 0;
  virtual std::string TypeName() const = 0;
  virtual void SkipNextClipboardOperation(bool skip) = 0;
};

class KORVID_HOST_API ADMTracker {
 public:
  virtual ~ADMTracker();
  virtual ADMPoint Point() const = 0;
  virtual int Action() const = 0;  // 1 mouse down, 2 mouse up, 3 double click
  virtual int Modifiers() const = 0;
};

// Drawing on a page view's port or in an item.
class KORVID_HOST_API ADMDrawer {
 public:
  virtual ~ADMDrawer();
  virtual void SetOrigin(const ADMPoint& origin) = 0;
  virtual void SetRGBColor(const RGBColor16& color) = 0;
  virtual void FrameRect(const ADMRect& rect) = 0;
  virtual void FillRect(const ADMRect& rect) = 0;
  virtual int GetFontHeight() = 0;  // ascent + descent
  virtual int GetTextWidthW(const std::u16string& text) = 0;
  virtual void DrawTextInBoxW(const ADMRect& rect, const std::u16string& text) = 0;
};

// Every suite is a table of the dialog manager.
class ADMSuite : public HostTable {};

class ADMBasicSuite : public ADMSuite {
 public:
  // Entry index of string list listID of the plug-in; "" when it has none.
  virtual std::string GetIndexString(ExtensionID plugin, int listID, int index) = 0;
  // The colour picker: true and the chosen colour when confirmed.
  virtual bool ChooseColor(const ADMPoint& where, const RGBColor16& in, RGBColor16* out) = 0;
  virtual void SetWaitCursor(bool on) = 0;
  virtual void Beep() = 0;
};

class ADMDialogSuite : public ADMSuite {
 public:
  // Runs the dialog of that layout modally; answers the ID of the item that
  // ended it (or -1 when the dialog could not be built or its init failed).
  virtual int Modal(ExtensionID plugin, std::string_view name, int dialogID, int style,
                    ADMDialogInitProc initProc, void* userData, int options) = 0;
  // Builds and shows a modeless dialog; null on failure.
  virtual ADMDialog* Create(ExtensionID plugin, std::string_view name, int dialogID, int style,
                            ADMDialogInitProc initProc, void* userData, int options) = 0;
  virtual void Destroy(ADMDialog* dialog) = 0;
};

class ADMDrawerSuite : public ADMSuite {
 public:
  // A drawer on a page view's port; font 5 is the small dialog font.
  virtual ADMDrawer* Create(void* port, const ADMRect& bounds, int font) = 0;
  virtual void Destroy(ADMDrawer* drawer) = 0;
};

class ADMHostSuite : public ADMSuite {
 public:
  // Commits the text of the edit item that has the focus, as leaving it
  // would, so that OK validates what the user sees.
  virtual void CommitPendingEdit(ADMDialog* dialog) = 0;
};

// "AcroViewSweetPea": hands out the dialog manager's suites.
class AcroViewSweetPeaTable : public HostTable {
 public:
  virtual ADMSuite* AcquireSuite(std::string_view name, int version) = 0;  // null when missing
  virtual void ReleaseSuite(ADMSuite* suite) = 0;
};

}  // namespace host
