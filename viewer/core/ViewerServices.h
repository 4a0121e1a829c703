// "AcroView": the viewer application as plug-ins see it. Alerts wait while
// a page view paints or a menu updates; cursors are standard numbers or
// plug-in resources; choosers filter by extension, ignoring case.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "host/AV.h"
#include "viewer/core/ServedTable.h"

namespace viewer {

class Host;

struct CursorInfo {
  bool standard = true;
  int number = 0;  // standard cursor number, or resource ID
  host::ExtensionID owner = nullptr;
  std::string data;  // resource data of a plug-in cursor
};

// Whether a chosen file passes the chooser's filters (extensions compared
// without case; a filter without extensions passes everything).
bool MatchesFileFilters(const std::string& path, const std::vector<host::AVFileFilter>& filters);

class ViewerServices final : public ServedTable<host::AcroViewTable> {
 public:
  ViewerServices(Host& host, host::TableVersion version);
  ~ViewerServices() override;

  int MajorVersion() const override;
  int MinorVersion() const override;
  std::string LanguageCode() const override;
  host::ASScript UIScript() const override { return host::kScriptRoman; }
  int PageUnits() const override { return 0; }
  bool DialogManagerAvailable() const override;
  bool UseAlternativeModalStyle() const override { return false; }

  host::AVDoc* GetActiveDoc() override;
  int NumDocs() const override;
  host::AVDoc* GetNthDoc(int index) override;
  void EnumDocs(bool (*proc)(host::AVDoc* doc, void* clientData), void* clientData) override;
  host::AVDoc* OpenDoc(const host::ASPathName& path, bool visible) override;
  host::AVDoc* OpenDocFromPDDoc(host::PDDoc* doc, const std::string& title, bool visible) override;
  host::AVDoc* AVDocFromPDDoc(const host::PDDoc* doc) override;

  host::AVMenubar* GetMenubar() override;
  host::AVMenu* NewMenu(const std::string& title, const std::string& name) override;
  host::AVMenuItem* NewMenuItem(const std::string& title, const std::string& name, host::AVMenu* submenu,
                                bool longMenusOnly, char shortcut, int shortcutModifiers, int icon,
                                host::ExtensionID owner) override;
  host::AVToolBar* GetToolBar() override;

  void RegisterTool(host::AVToolRec* tool) override;
  host::AVToolRec* GetToolByName(host::ASAtom type) override;
  host::AVToolRec* GetActiveTool() override;
  host::AVToolRec* GetLastActiveTool() override;
  host::AVToolRec* GetDefaultTool() override;
  void SetActiveTool(host::AVToolRec* tool, bool persistent) override;

  void RegisterNotification(host::AVNotification which, host::ExtensionID owner, host::AVNotificationProc proc,
                            void* clientData) override;
  void UnregisterNotification(host::AVNotification which, host::ExtensionID owner, host::AVNotificationProc proc,
                              void* clientData) override;
  void RegisterForPageViewDrawing(host::AVPageViewDrawProc proc, void* clientData) override;
  void UnregisterForPageViewDrawing(host::AVPageViewDrawProc proc) override;

  void AlertNote(const std::string& text) override;
  bool AlertConfirm(const std::string& text) override;
  int AlertWithText(const host::ASText& text, int iconType) override;

  host::AVCursor GetStdCursor(int number) override;
  host::AVCursor LoadCursorResource(host::ExtensionID owner, int resourceID) override;
  void SetCursor(host::AVCursor cursor) override;
  void ShowWaitCursor(bool on) override;
  const CursorInfo* Cursor(host::AVCursor cursor) const;
  int WaitCursorDepth() const { return waitDepth_; }

  std::vector<host::ASPathName> ChooseFilesToOpen(const host::AVFileDialogParams& params) override;
  std::optional<host::ASPathName> ChooseFileToSave(const host::AVFileDialogParams& params) override;
  std::optional<host::ASPathName> ChooseFolder(const host::AVFileDialogParams& params) override;

  host::AVWindow* NewWindowFromPlatformWindow(int layer, std::uint32_t flags, void* platformWindow,
                                              host::ExtensionID owner) override;
  void BeginModal(host::AVWindow* window) override { modalWindows_.push_back(window); }
  void EndModal() override;
  int ModalDepth() const { return static_cast<int>(modalWindows_.size()); }

  void OpenHelpFile(const host::ASPathName& path) override;
  host::AVFormsSelectionServer* GetFormsSelectionServer(host::ASAtom type) override;

 private:
  class DialogWindow;
  friend class DialogWindow;
  void DestroyWindow(DialogWindow& window);

  Host& host_;
  std::vector<CursorInfo> cursors_;  // handle = index + 1
  int waitDepth_ = 0;
  std::vector<std::unique_ptr<DialogWindow>> windows_;
  std::vector<host::AVWindow*> modalWindows_;
};

}  // namespace viewer
