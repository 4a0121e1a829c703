#include "viewer/core/ViewerServices.h"

#include <algorithm>
#include <cctype>

#include "host/HostError.h"
#include "viewer/core/Host.h"

namespace viewer {

namespace {

std::string Lowercase(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

}  // namespace

bool MatchesFileFilters(const std::string& path, const std::vector<host::AVFileFilter>& filters) {
  if (filters.empty()) return true;
  const std::string name = path.substr(path.rfind('/') + 1);
  const auto dot = name.rfind('.');
  const std::string extension = dot == std::string::npos ? std::string() : Lowercase(name.substr(dot + 1));
  for (const host::AVFileFilter& filter : filters) {
    if (filter.extensions.empty()) return true;
    for (const std::string& wanted : filter.extensions) {
      if (wanted.empty() || wanted == "*" || Lowercase(wanted) == extension) return true;
    }
  }
  return false;
}

// A host window around a dialog of the dialog manager: the dialog's own
// window is the front end's, so this one keeps only its frame.
class ViewerServices::DialogWindow final : public host::AVWindow {
 public:
  explicit DialogWindow(ViewerServices& owner) : owner_(owner) {}
  std::string Title() const override { return {}; }
  void Show() override {}
  void Hide() override {}
  void Center() override {
    const host::AVRect screen = owner_.host_.Front().ScreenArea();
    const int width = frame_.right - frame_.left, height = frame_.bottom - frame_.top;
    const int left = screen.left + (screen.right - screen.left - width) / 2;
    const int top = screen.top + (screen.bottom - screen.top - height) / 2;
    frame_ = {left, top, left + width, top + height};
  }
  host::AVRect Frame() const override { return frame_; }
  void SetFrame(const host::AVRect& frame) override { frame_ = frame; }
  void Destroy() override { owner_.DestroyWindow(*this); }

 private:
  ViewerServices& owner_;
  host::AVRect frame_{0, 0, 400, 300};
};

ViewerServices::ViewerServices(Host& host, host::TableVersion version)
    : ServedTable("AcroView", version), host_(host) {}

ViewerServices::~ViewerServices() = default;

int ViewerServices::MajorVersion() const { return host_.MajorVersion(); }
int ViewerServices::MinorVersion() const { return host_.MinorVersion(); }
std::string ViewerServices::LanguageCode() const { return host_.LanguageCode(); }
bool ViewerServices::DialogManagerAvailable() const { return host_.Dialogs() != nullptr; }

// ---- Documents ----------------------------------------------------------------

host::AVDoc* ViewerServices::GetActiveDoc() { return host_.Documents().Front(); }
int ViewerServices::NumDocs() const { return host_.Documents().Count(); }

host::AVDoc* ViewerServices::GetNthDoc(int index) {
  if (index < 0 || index >= NumDocs()) return nullptr;
  return &host_.Documents().At(index);
}

void ViewerServices::EnumDocs(bool (*proc)(host::AVDoc* doc, void* clientData), void* clientData) {
  std::vector<host::AVDoc*> docs;
  for (int i = 0; i < NumDocs(); ++i) docs.push_back(&host_.Documents().At(i));
  for (host::AVDoc* doc : docs) {
    if (!proc(doc, clientData)) break;
  }
}

host::AVDoc* ViewerServices::OpenDoc(const host::ASPathName& path, bool visible) {
  return &host_.Documents().Open(path.Str(), visible);
}

host::AVDoc* ViewerServices::OpenDocFromPDDoc(host::PDDoc* doc, const std::string& title, bool visible) {
  if (!doc) host::RaiseHostError(host::kErrBadParameter, "no document");
  return &host_.Documents().OpenWindow(*doc, title, visible);
}

host::AVDoc* ViewerServices::AVDocFromPDDoc(const host::PDDoc* doc) { return host_.Documents().Find(doc); }

// ---- Menus, tool bar, tools ------------------------------------------------------

host::AVMenubar* ViewerServices::GetMenubar() { return &host_.Menus(); }

host::AVMenu* ViewerServices::NewMenu(const std::string& title, const std::string& name) {
  return host_.Menus().NewMenu(title, name);
}

host::AVMenuItem* ViewerServices::NewMenuItem(const std::string& title, const std::string& name,
                                              host::AVMenu* submenu, bool /*longMenusOnly*/, char shortcut,
                                              int shortcutModifiers, int /*icon*/, host::ExtensionID owner) {
  Menu* sub = nullptr;
  if (submenu) {
    sub = dynamic_cast<Menu*>(submenu);
    if (!sub) host::RaiseHostError(host::kErrBadParameter, "submenu");
  }
  return host_.Menus().NewItem({title, name, sub, shortcut, shortcutModifiers, owner});
}

host::AVToolBar* ViewerServices::GetToolBar() { return &host_.GetToolBar(); }

void ViewerServices::RegisterTool(host::AVToolRec* tool) { host_.Tools().Register(tool); }
host::AVToolRec* ViewerServices::GetToolByName(host::ASAtom type) { return host_.Tools().ByType(type); }
host::AVToolRec* ViewerServices::GetActiveTool() { return host_.Tools().Active(); }
host::AVToolRec* ViewerServices::GetLastActiveTool() { return host_.Tools().LastActive(); }
host::AVToolRec* ViewerServices::GetDefaultTool() { return host_.Tools().Default(); }
void ViewerServices::SetActiveTool(host::AVToolRec* tool, bool persistent) { host_.SetActiveTool(tool, persistent); }

// ---- Notifications and drawing ----------------------------------------------------

void ViewerServices::RegisterNotification(host::AVNotification which, host::ExtensionID owner,
                                          host::AVNotificationProc proc, void* clientData) {
  host_.Notifications().Register(which, owner, proc, clientData);
}

void ViewerServices::UnregisterNotification(host::AVNotification which, host::ExtensionID owner,
                                            host::AVNotificationProc proc, void* clientData) {
  host_.Notifications().Unregister(which, owner, proc, clientData);
}

void ViewerServices::RegisterForPageViewDrawing(host::AVPageViewDrawProc proc, void* clientData) {
  host_.DrawProcs().Register(proc, clientData);
}

void ViewerServices::UnregisterForPageViewDrawing(host::AVPageViewDrawProc proc) {
  host_.DrawProcs().Unregister(proc);
}

// ---- Alerts -----------------------------------------------------------------------

void ViewerServices::AlertNote(const std::string& text) {
  host_.Ui().RunOrDefer([this, text] { host_.Front().ShowNote(text); });
}

bool ViewerServices::AlertConfirm(const std::string& text) {
  if (host_.Ui().Busy()) {
    // Shown after the paint or menu update; until then the answer is the
    // safe one.
    host_.Ui().RunOrDefer([this, text] { host_.Front().AskConfirm(text); });
    return false;
  }
  return host_.Front().AskConfirm(text);
}

int ViewerServices::AlertWithText(const host::ASText& text, int iconType) {
  if (host_.Ui().Busy()) {
    host_.Ui().RunOrDefer([this, text, iconType] { host_.Front().ShowTextAlert(text.UTF8(), iconType); });
    return 1;
  }
  return host_.Front().ShowTextAlert(text.UTF8(), iconType);
}

// ---- Cursors ----------------------------------------------------------------------

host::AVCursor ViewerServices::GetStdCursor(int number) {
  for (std::size_t i = 0; i < cursors_.size(); ++i) {
    if (cursors_[i].standard && cursors_[i].number == number) return static_cast<host::AVCursor>(i + 1);
  }
  cursors_.push_back({true, number, nullptr, {}});
  return static_cast<host::AVCursor>(cursors_.size());
}

host::AVCursor ViewerServices::LoadCursorResource(host::ExtensionID owner, int resourceID) {
  for (std::size_t i = 0; i < cursors_.size(); ++i) {
    if (!cursors_[i].standard && cursors_[i].owner == owner && cursors_[i].number == resourceID)
      return static_cast<host::AVCursor>(i + 1);
  }
  auto data = host_.Resources().Data(owner, "cursor", resourceID);
  if (!data) host::RaiseHostError(host::kErrNoSuchItem, "cursor " + std::to_string(resourceID));
  cursors_.push_back({false, resourceID, owner, std::move(*data)});
  return static_cast<host::AVCursor>(cursors_.size());
}

const CursorInfo* ViewerServices::Cursor(host::AVCursor cursor) const {
  if (cursor < 1 || static_cast<std::size_t>(cursor) > cursors_.size()) return nullptr;
  return &cursors_[cursor - 1];
}

void ViewerServices::SetCursor(host::AVCursor cursor) { host_.Front().SetCursor(cursor); }

void ViewerServices::ShowWaitCursor(bool on) {
  if (on) {
    if (waitDepth_++ == 0) host_.Front().SetWaitCursor(true);
  } else if (waitDepth_ > 0 && --waitDepth_ == 0) {
    host_.Front().SetWaitCursor(false);
  }
}

// ---- Choosers ---------------------------------------------------------------------

std::vector<host::ASPathName> ViewerServices::ChooseFilesToOpen(const host::AVFileDialogParams& params) {
  std::vector<host::ASPathName> chosen;
  if (host_.Ui().Busy()) return chosen;
  const auto kind = params.allowMultiple ? ChooserKind::OpenMultiple : ChooserKind::Open;
  for (const std::string& path : host_.Front().Choose(kind, params)) {
    if (MatchesFileFilters(path, params.filters)) chosen.emplace_back(path);
  }
  if (!params.allowMultiple && chosen.size() > 1) chosen.resize(1);
  return chosen;
}

std::optional<host::ASPathName> ViewerServices::ChooseFileToSave(const host::AVFileDialogParams& params) {
  if (host_.Ui().Busy()) return std::nullopt;
  const auto paths = host_.Front().Choose(ChooserKind::Save, params);
  if (paths.empty()) return std::nullopt;
  return host::ASPathName(paths.front());
}

std::optional<host::ASPathName> ViewerServices::ChooseFolder(const host::AVFileDialogParams& params) {
  if (host_.Ui().Busy()) return std::nullopt;
  const auto paths = host_.Front().Choose(ChooserKind::Folder, params);
  if (paths.empty()) return std::nullopt;
  return host::ASPathName(paths.front());
}

// ---- Windows, help, forms ------------------------------------------------------------

host::AVWindow* ViewerServices::NewWindowFromPlatformWindow(int /*layer*/, std::uint32_t /*flags*/,
                                                            void* /*platformWindow*/, host::ExtensionID /*owner*/) {
  windows_.push_back(std::make_unique<DialogWindow>(*this));
  return windows_.back().get();
}

void ViewerServices::DestroyWindow(DialogWindow& window) {
  std::erase(modalWindows_, &window);
  std::erase_if(windows_, [&](const auto& owned) { return owned.get() == &window; });
}

void ViewerServices::EndModal() {
  if (!modalWindows_.empty()) modalWindows_.pop_back();
}

void ViewerServices::OpenHelpFile(const host::ASPathName& path) { host_.Front().OpenHelp(path.Str()); }

host::AVFormsSelectionServer* ViewerServices::GetFormsSelectionServer(host::ASAtom /*type*/) {
  // The viewer has no form-authoring tool yet, so no selection server.
  return nullptr;
}

}  // namespace viewer
