// The viewer layer: the application, documents in windows, page views,
// menus, the tool bar, tools, notifications, alerts, cursors and choosers.
// Objects returned as pointers belong to the host; menus, menu items and
// tool-bar buttons are reference counted through Acquire/Release.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "host/ASText.h"
#include "host/Core.h"
#include "host/Cos.h"
#include "host/HostTypes.h"
#include "host/PD.h"

namespace host {

class AVDoc;
class AVPageView;
class AVMenu;
class AVMenuItem;
class AVWindow;

using AVCursor = std::intptr_t;  // host cursor handle; 0 is none

// Standard host cursors by number.
inline constexpr int kCursorArrow = 0;
inline constexpr int kCursorResizeHorizontal = 33;
inline constexpr int kCursorResizeVertical = 35;
inline constexpr int kCursorCrosshair = 1000;
inline constexpr int kCursorResizeNWSE = 1204;
inline constexpr int kCursorResizeNESW = 1205;

// Page-view change flags.
inline constexpr int kPageViewPageChanged = 0x2;
inline constexpr int kPageViewZoomChanged = 0x8;

// Rectangle drag kinds.
enum AVDragType : int {
  kDragMove = 0,
  kDragTopLeft = 1,
  kDragTopRight = 2,
  kDragBottomRight = 3,
  kDragBottomLeft = 4,
  kDragTop = 5,
  kDragRight = 6,
  kDragBottom = 7,
  kDragLeft = 8,
};

inline constexpr int kMenuAppend = 9999;  // menu position: at the end

// Menu item procedures.
using AVExecuteProc = void (*)(void* clientData);
using AVComputeEnabledProc = bool (*)(void* clientData);
using AVComputeMarkedProc = bool (*)(void* clientData);

class KORVID_HOST_API AVMenuItem {
 public:
  virtual ~AVMenuItem();
  virtual void Acquire() = 0;
  virtual void Release() = 0;

  virtual std::string Name() const = 0;
  virtual std::string Title() const = 0;
  virtual void SetTitle(const std::string& title) = 0;
  virtual bool IsSeparator() const = 0;
  virtual char Shortcut() const = 0;      // 0 when none
  virtual int ShortcutModifiers() const = 0;  // 2 command, 3 command + Shift

  virtual void SetExecuteProc(AVExecuteProc proc, void* clientData) = 0;
  virtual void SetComputeEnabledProc(AVComputeEnabledProc proc, void* clientData) = 0;
  virtual void SetComputeMarkedProc(AVComputeMarkedProc proc, void* clientData) = 0;
  virtual void* ExecuteClientData() const = 0;

  // Runs the execute procedure when the item is enabled.
  virtual void Execute() = 0;
  virtual bool IsEnabled() = 0;  // runs the enable procedure (true without one)
  virtual bool IsMarked() = 0;   // runs the marked procedure (false without one)

  virtual AVMenu* GetParentMenu() const = 0;  // null when in no menu
  virtual AVMenu* GetSubmenu() const = 0;
  virtual int GetIndex() const = 0;           // -1 when in no menu
  // Takes the item out of its menu; it lives on while acquired.
  virtual void Remove() = 0;
};

class KORVID_HOST_API AVMenu {
 public:
  virtual ~AVMenu();
  virtual void Acquire() = 0;
  virtual void Release() = 0;

  virtual std::string Name() const = 0;
  virtual std::string Title() const = 0;
  virtual int NumItems() const = 0;
  virtual AVMenuItem* AcquireItemByIndex(int index) = 0;  // null when out of range
  virtual int GetItemIndex(const AVMenuItem* item) const = 0;  // -1 when absent
  // Inserts at index (kMenuAppend or past the end: appended). The menu
  // acquires the item.
  virtual void AddItem(AVMenuItem* item, int index) = 0;
  virtual AVMenuItem* GetParentItem() const = 0;
};

class KORVID_HOST_API AVMenubar {
 public:
  virtual ~AVMenubar();
  virtual AVMenu* AcquireMenuByName(std::string_view name) = 0;        // null when absent
  // Searches every menu and submenu in order; the first item of that name.
  virtual AVMenuItem* AcquireMenuItemByName(std::string_view name) = 0;
  virtual void AddMenu(AVMenu* menu, int index) = 0;
  virtual int NumMenus() const = 0;
  virtual AVMenu* AcquireMenuByIndex(int index) = 0;
};

class KORVID_HOST_API AVToolButton {
 public:
  virtual ~AVToolButton();
  virtual std::string Name() const = 0;
  virtual void SetExecuteProc(AVExecuteProc proc, void* clientData) = 0;
  virtual void SetComputeEnabledProc(AVComputeEnabledProc proc, void* clientData) = 0;
  virtual void SetComputeMarkedProc(AVComputeMarkedProc proc, void* clientData) = 0;
  virtual void SetHelpText(const std::string& text) = 0;
  virtual std::string HelpText() const = 0;
  virtual bool IsEnabled() = 0;
  virtual bool IsMarked() = 0;
  virtual void Execute() = 0;
  // Removes the button from the tool bar and destroys it.
  virtual void Destroy() = 0;
};

class KORVID_HOST_API AVToolBar {
 public:
  virtual ~AVToolBar();
  virtual AVToolButton* GetButtonByName(std::string_view name) = 0;  // null when absent
  // Creates a button from the plug-in's icon resource (0: none).
  virtual AVToolButton* NewButton(std::string_view name, ExtensionID owner, int iconResource,
                                  bool isSeparator, bool longOnly) = 0;
  // Inserts after (or before) the given button; null: at the end.
  virtual void AddButton(AVToolButton* button, AVToolButton* relative, bool before) = 0;
  virtual int NumButtons() const = 0;
  virtual AVToolButton* GetButtonByIndex(int index) = 0;
};

// A tool: a record of callbacks handed to the host. Callbacks left null are
// not called.
struct AVToolRec {
  std::int32_t size = 84;
  void (*Activate)(AVToolRec* tool, bool persistent) = nullptr;
  void (*Deactivate)(AVToolRec* tool) = nullptr;
  bool (*DoClick)(AVToolRec* tool, AVPageView* view, AVDevCoord x, AVDevCoord y, int modifiers, int clickCount) = nullptr;
  bool (*AdjustCursor)(AVToolRec* tool, AVPageView* view, AVDevCoord x, AVDevCoord y) = nullptr;
  bool (*DoKeyDown)(AVToolRec* tool, int key, int modifiers) = nullptr;
  ASAtom (*GetType)(AVToolRec* tool) = nullptr;
  bool (*IsPersistent)(AVToolRec* tool) = nullptr;
  bool (*DoRightClick)(AVToolRec* tool, AVPageView* view, AVDevCoord x, AVDevCoord y, int modifiers, int clickCount) = nullptr;
  void (*DoLeave)(AVToolRec* tool, AVPageView* view) = nullptr;
  void* clientData = nullptr;
};

// Page-view drawing procedure: called after the page is drawn.
using AVPageViewDrawProc = void (*)(AVPageView* view, const AVRect* updateRect, void* clientData);

// Notifications. Each selector fills the arguments it names.
enum class AVNotification : int {
  PageViewDidChange,        // view, flags
  PageViewWillDraw,         // view
  PageViewDidDraw,          // view
  AVDocDidOpen,             // avDoc, error
  AVDocWillClose,           // avDoc
  AVAppFrontDocDidChange,   // avDoc (null when none)
  PDDocWillReplacePages,    // pdDoc, first, last
  PDDocDidReplacePages,     // pdDoc, first, last, error
  PDDocDidChangePages,      // pdDoc, first, last
  PDDocWillSaveEx,          // pdDoc, flags
  PDDocWillSave,            // pdDoc
  PDDocDidSave,             // pdDoc, error
  PDPageDidAddAnnot,        // page, annot, error
  PDPageWillRemoveAnnot,    // page, annot
  PDDocDidOpen,             // pdDoc
  PDDocWillClose,           // pdDoc
};

struct AVNotificationArgs {
  AVPageView* view = nullptr;
  AVDoc* avDoc = nullptr;
  PDDoc* pdDoc = nullptr;
  PDPage page;
  PDAnnot annot;
  int flags = 0;
  int first = 0;
  int last = 0;
  int error = 0;
};

using AVNotificationProc = void (*)(const AVNotificationArgs& args, void* clientData);

class KORVID_HOST_API AVWindow {
 public:
  virtual ~AVWindow();
  virtual std::string Title() const = 0;
  virtual void Show() = 0;
  virtual void Hide() = 0;
  virtual void Center() = 0;
  virtual AVRect Frame() const = 0;
  virtual void SetFrame(const AVRect& frame) = 0;
  virtual void Destroy() = 0;  // only for windows made by NewWindowFromPlatformWindow
};

// An open document in a window (visible or not).
class KORVID_HOST_API AVDoc {
 public:
  virtual ~AVDoc();
  virtual PDDoc* GetPDDoc() const = 0;
  virtual AVPageView* GetPageView() const = 0;
  virtual AVWindow* GetWindow() const = 0;
  virtual std::string Title() const = 0;
  virtual bool IsVisible() const = 0;
  virtual void BringToFront() = 0;
  // Closes without asking. Answers false when the close was refused.
  virtual bool Close(bool noSave) = 0;
};

// Where a page view shows its page: zoom, scroll, rotation.
class KORVID_HOST_API AVPageView {
 public:
  virtual ~AVPageView();
  virtual AVDoc* GetAVDoc() const = 0;
  virtual PDPage AcquirePage() const = 0;  // the current page
  virtual int GetPageNum() const = 0;      // 0-based, -1 without a page
  // Makes the page current without drawing and without notifications.
  virtual void SetPageNum(int page) = 0;
  // Goes to the page as the user would (notifies page-view-did-change 2).
  virtual void GoToPage(int page) = 0;

  virtual ASFixed Zoom() const = 0;  // 1.0 = 100 %
  virtual void ZoomTo(ASFixed zoom) = 0;  // notifies page-view-did-change 8
  virtual int Rotation() const = 0;   // view rotation in degrees, added to the page's
  virtual void SetRotation(int degrees) = 0;
  virtual void ScrollTo(AVDevCoord x, AVDevCoord y) = 0;

  // Page space (16.16 user space) to device pixels and back. Raise
  // kErrZoomLimit when a coordinate leaves +/-2^30.
  virtual AVRect RectToDevice(const ASFixedRect& rect) const = 0;
  virtual ASFixedRect DeviceRectToPage(const AVRect& rect) const = 0;
  virtual AVPoint PointToDevice(const ASFixedPoint& p) const = 0;
  virtual ASFixedPoint DevicePointToPage(AVDevCoord x, AVDevCoord y) const = 0;
  // The page area ("gray rect") and the visible aperture, device space.
  virtual AVRect GetGrayRect() const = 0;
  virtual AVRect GetAperture() const = 0;

  virtual void BeginOperation() = 0;
  virtual void EndOperation() = 0;
  virtual void Invalidate(const AVRect* rect) = 0;  // null: the whole view
  virtual void DrawNow() = 0;

  // The platform drawing port of the view, for the dialog manager's drawer.
  virtual void* AcquirePlatformPort() = 0;
  virtual void ReleasePlatformPort(void* port) = 0;

  virtual void DrawRectOutlineWithHandles(const AVRect& rect, bool midpoints, bool thin) = 0;

  // Mouse tracking (modal until the button is released).
  virtual bool IsMouseStillDown() = 0;
  virtual AVPoint LastMousePosition() const = 0;
  // A rectangle dragged by the user from (x, y); the start rectangle's drag
  // kind edge follows the pointer.
  virtual AVRect DragRect(AVDevCoord x, AVDevCoord y, const AVRect& start, AVDragType kind) = 0;
  // A rectangle move or resize with snapping; answers the final rectangle
  // and the modifiers at release.
  virtual AVRect SnapDragRect(AVDevCoord x, AVDevCoord y, const AVRect& start, AVDragType kind,
                              const AVRect* limit, AVCursor moveCursor, AVCursor copyCursor,
                              int* modifiersAtRelease) = 0;

  // Shows menu at (x, y); runs and answers the chosen item (null: none).
  virtual AVMenuItem* DoPopupMenu(AVMenu* menu, AVDevCoord x, AVDevCoord y, bool rightButton) = 0;

  // The topmost annotation of that subtype under the device point.
  virtual PDAnnot AnnotAtPoint(AVDevCoord x, AVDevCoord y, ASAtom subtype) = 0;
  virtual void InvalidateAnnot(const PDAnnot& annot) = 0;
};

// Holds a page view's drawing back for the lifetime of the scope.
class AVPageViewOperation {
 public:
  explicit AVPageViewOperation(AVPageView& view) : view_(view) { view_.BeginOperation(); }
  ~AVPageViewOperation() { view_.EndOperation(); }
  AVPageViewOperation(const AVPageViewOperation&) = delete;
  AVPageViewOperation& operator=(const AVPageViewOperation&) = delete;

 private:
  AVPageView& view_;
};

struct AVFileFilter {
  std::string description;
  std::vector<std::string> extensions;  // without the dot; matched case-insensitively
};

struct AVFileDialogParams {
  std::string title;
  std::vector<AVFileFilter> filters;
  std::string initialPath;  // folder or file
  std::string defaultName;  // save dialogs
  bool allowMultiple = false;
};

// The forms layer's selection server.
struct AVFormsSelectionServer;

// "AcroView": the viewer application.
class AcroViewTable : public HostTable {
 public:
  virtual int MajorVersion() const = 0;
  virtual int MinorVersion() const = 0;
  virtual std::string LanguageCode() const = 0;  // "ENU", "DEU", "FRA", ...
  virtual ASScript UIScript() const = 0;
  virtual int PageUnits() const = 0;  // 0 points, 1 inches, 2 mm, 3 cm, 4 picas
  virtual bool DialogManagerAvailable() const = 0;
  virtual bool UseAlternativeModalStyle() const = 0;

  // Documents.
  virtual AVDoc* GetActiveDoc() = 0;  // front document, null when none
  virtual int NumDocs() const = 0;
  virtual AVDoc* GetNthDoc(int index) = 0;
  // Calls proc for each open document until it answers false.
  virtual void EnumDocs(bool (*proc)(AVDoc* doc, void* clientData), void* clientData) = 0;
  virtual AVDoc* OpenDoc(const ASPathName& path, bool visible) = 0;  // raises on failure
  virtual AVDoc* OpenDocFromPDDoc(PDDoc* doc, const std::string& title, bool visible) = 0;
  virtual AVDoc* AVDocFromPDDoc(const PDDoc* doc) = 0;

  // Menus, tool bar.
  virtual AVMenubar* GetMenubar() = 0;
  virtual AVMenu* NewMenu(const std::string& title, const std::string& name) = 0;  // acquired
  virtual AVMenuItem* NewMenuItem(const std::string& title, const std::string& name, AVMenu* submenu,
                                  bool longMenusOnly, char shortcut, int shortcutModifiers, int icon,
                                  ExtensionID owner) = 0;  // acquired
  virtual AVToolBar* GetToolBar() = 0;

  // Tools.
  virtual void RegisterTool(AVToolRec* tool) = 0;
  virtual AVToolRec* GetToolByName(ASAtom type) = 0;
  virtual AVToolRec* GetActiveTool() = 0;
  virtual AVToolRec* GetLastActiveTool() = 0;
  virtual AVToolRec* GetDefaultTool() = 0;
  virtual void SetActiveTool(AVToolRec* tool, bool persistent) = 0;

  // Notifications and drawing procedures.
  virtual void RegisterNotification(AVNotification which, ExtensionID owner, AVNotificationProc proc,
                                    void* clientData) = 0;
  virtual void UnregisterNotification(AVNotification which, ExtensionID owner, AVNotificationProc proc,
                                      void* clientData) = 0;
  virtual void RegisterForPageViewDrawing(AVPageViewDrawProc proc, void* clientData) = 0;
  virtual void UnregisterForPageViewDrawing(AVPageViewDrawProc proc) = 0;

  // Alerts. An alert requested while a page view paints or a menu updates
  // is shown after that, and answers its default.
  virtual void AlertNote(const std::string& text) = 0;
  virtual bool AlertConfirm(const std::string& text) = 0;  // true for yes
  // iconType 2 = note; answers the button pressed (1 = default).
  virtual int AlertWithText(const ASText& text, int iconType) = 0;

  // Cursors.
  virtual AVCursor GetStdCursor(int number) = 0;
  virtual AVCursor LoadCursorResource(ExtensionID owner, int resourceID) = 0;
  virtual void SetCursor(AVCursor cursor) = 0;
  virtual void ShowWaitCursor(bool on) = 0;

  // Choosers: answer the chosen paths, empty when cancelled.
  virtual std::vector<ASPathName> ChooseFilesToOpen(const AVFileDialogParams& params) = 0;
  virtual std::optional<ASPathName> ChooseFileToSave(const AVFileDialogParams& params) = 0;
  virtual std::optional<ASPathName> ChooseFolder(const AVFileDialogParams& params) = 0;

  // Windows around dialogs; layer 3 windows take the modal bracket.
  virtual AVWindow* NewWindowFromPlatformWindow(int layer, std::uint32_t flags, void* platformWindow,
                                                ExtensionID owner) = 0;
  virtual void BeginModal(AVWindow* window) = 0;
  virtual void EndModal() = 0;

  // Help.
  virtual void OpenHelpFile(const ASPathName& path) = 0;

  // Forms selection server by type ("Authoring"); null when none.
  virtual AVFormsSelectionServer* GetFormsSelectionServer(ASAtom type) = 0;
};

// The nine procedures of the forms selection server. A plug-in may replace
// them; it calls the saved ones itself.
struct AVFormsSelectionServer {
  bool (*GettingSelection)(AVDoc* doc, PDAnnot annot, void* data) = nullptr;
  void (*AddedToSelection)(AVDoc* doc, PDAnnot annot, void* data) = nullptr;
  void (*LosingSelection)(AVDoc* doc, PDAnnot annot, void* data) = nullptr;
  void (*RemovedFromSelection)(AVDoc* doc, PDAnnot annot, void* data) = nullptr;
  bool (*SelectAll)(AVDoc* doc, void* data) = nullptr;
  void (*Delete)(AVDoc* doc, void* data) = nullptr;
  void (*Cut)(AVDoc* doc, void* data) = nullptr;
  void (*Copy)(AVDoc* doc, void* data) = nullptr;
  void (*Paste)(AVDoc* doc, void* data) = nullptr;
  void* data = nullptr;
};

}  // namespace host
