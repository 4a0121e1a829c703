#include "viewer/script/ScriptFrontEnd.h"

#include <algorithm>
#include <cmath>
#include <functional>

#include "viewer/core/Document.h"
#include "viewer/core/Host.h"
#include "viewer/core/MenuModel.h"
#include "viewer/core/PageView.h"
#include "viewer/script/ScriptParser.h"

#include "viewer/core/dm/Dialog.h"

namespace viewer::script {

namespace {

// A view that invalidates itself on every pass stops being painted here.
constexpr int kMaxPassesPerSettle = 2000;

std::string OneLine(std::string text) {
  std::string out;
  for (char c : text) {
    if (c == '\n') {
      out += "\\n";
    } else if (c == '\r') {
      out += "\\r";
    } else {
      out += c;
    }
  }
  return out;
}

std::string Percent(double zoom) { return std::to_string(std::llround(zoom * 100)) + "%"; }

host::AVMenuItem* FindInMenu(host::AVMenu& menu, const std::string& name) {
  for (int i = 0; i < menu.NumItems(); ++i) {
    host::AVMenuItem* item = menu.AcquireItemByIndex(i);
    item->Release();  // the menu still holds it
    if (item->Name() == name) return item;
    if (host::AVMenu* sub = item->GetSubmenu()) {
      if (host::AVMenuItem* found = FindInMenu(*sub, name)) return found;
    }
  }
  return nullptr;
}

}  // namespace

// Records what a drawing procedure draws; text is measured with fixed
// metrics so that scripted runs come out the same everywhere.
class ScriptFrontEnd::RecordingSurface final : public DrawSurface {
 public:
  explicit RecordingSurface(std::vector<DrawOp>& ops) : ops_(ops) {}
  void SetColor(const host::RGBColor16& color) override { ops_.push_back({DrawOp::Kind::Color, {}, color, {}}); }
  void FrameRect(const host::AVRect& rect) override { ops_.push_back({DrawOp::Kind::Frame, rect, {}, {}}); }
  void FillRect(const host::AVRect& rect) override { ops_.push_back({DrawOp::Kind::Fill, rect, {}, {}}); }
  int FontHeight() override { return 12; }
  int TextWidth(const std::u16string& text) override { return 6 * static_cast<int>(text.size()); }
  void DrawText(const host::AVRect& box, const std::u16string& text) override {
    ops_.push_back({DrawOp::Kind::Text, box, {}, text});
  }

 private:
  std::vector<DrawOp>& ops_;
};

ScriptFrontEnd::ScriptFrontEnd(std::ostream* out) : out_(out) {}
ScriptFrontEnd::~ScriptFrontEnd() = default;

void ScriptFrontEnd::Attach(Host& host) {
  host_ = &host;
  shownItems_.clear();
  shownButtons_.clear();
  // What the host itself shows is no news.
  std::function<void(const Menu&)> remember = [&](const Menu& menu) {
    for (const MenuItem* item : menu.Items()) {
      if (!item->IsSeparator()) shownItems_[item->Serial()] = item->Name();
      if (item->Submenu()) remember(*item->Submenu());
    }
  };
  for (const Menu* menu : host.Menus().Menus()) remember(*menu);
  for (const ToolButton* button : host.GetToolBar().Buttons()) shownButtons_.insert(button->Name());
  activeTool_ = host.Tools().TypeName(host.Tools().Active());
}

void ScriptFrontEnd::Print(const std::string& line) {
  lines_.push_back(OneLine(line));
  if (out_) *out_ << lines_.back() << '\n' << std::flush;
}

void ScriptFrontEnd::FailScript(int line, const std::string& reason) {
  if (!scriptError_) scriptError_ = ScriptFailure{line, reason};
}

std::vector<std::string> ScriptFrontEnd::UnusedAnswers() const {
  std::vector<std::string> unused;
  for (std::size_t i = 0; i < alertAnswers_.size(); ++i) unused.push_back("answer-alert");
  for (std::size_t i = 0; i < drags_.size(); ++i) unused.push_back("drag-to");
  for (const std::string& name : popups_) unused.push_back("popup " + name);
  for (std::size_t i = 0; i < files_.size(); ++i) unused.push_back("choose-file");
  for (std::size_t i = 0; i < folders_.size(); ++i) unused.push_back("choose-folder");
  for (std::size_t i = 0; i < colors_.size(); ++i) unused.push_back("pick-color");
  for (const ScriptDialogBlock& block : dialogs_) unused.push_back("dialog " + block.dialogName);
  return unused;
}

std::vector<std::string> ScriptFrontEnd::AlertTexts() const {
  std::vector<std::string> texts;
  for (const RecordedAlert& alert : alerts_) texts.push_back(alert.text);
  return texts;
}

// ---- Input and painting ------------------------------------------------------------

void ScriptFrontEnd::Click(Host& host, int x, int y, int modifiers, int count) {
  Document* doc = host.Documents().Front();
  if (!doc) return;
  buttonDown_ = !drags_.empty();
  host.Click(doc->View(), x, y, modifiers, count);
  buttonDown_ = false;
}

void ScriptFrontEnd::InvalidateView(PageView& view, const host::AVRect*) {
  if (std::find(dirtyViews_.begin(), dirtyViews_.end(), &view) == dirtyViews_.end()) dirtyViews_.push_back(&view);
}

void ScriptFrontEnd::PaintNow(PageView& view) {
  std::erase(dirtyViews_, &view);
  Paint(view);
}

void ScriptFrontEnd::Settle() {
  for (int passes = 0; !dirtyViews_.empty() && passes < kMaxPassesPerSettle;) {
    const std::vector<PageView*> views = std::exchange(dirtyViews_, {});
    for (PageView* view : views) {
      Paint(*view);
      ++passes;
    }
  }
}

void ScriptFrontEnd::Paint(PageView& view) {
  if (!view.Doc().IsVisible() || view.GetPageNum() < 0) return;
  host::AVRect area;
  try {
    area = view.GetAperture();
  } catch (const host::HostError&) {
    // Beyond the zoom the host serves: the page area is empty.
  }
  std::vector<DrawOp>& ops = lastPass_[&view];
  ops.clear();
  RecordingSurface surface(ops);
  view.RunDrawPass(surface, area);
  ++passes_;
}

const std::vector<DrawOp>& ScriptFrontEnd::LastPass(const PageView& view) const {
  static const std::vector<DrawOp> kNone;
  const auto it = lastPass_.find(&view);
  return it == lastPass_.end() ? kNone : it->second;
}

// ---- Documents and views --------------------------------------------------------------

void ScriptFrontEnd::DocumentOpened(Document& doc) {
  PageView& view = doc.View();
  viewStates_[&view] = {view.GetPageNum(), view.ZoomFactor(), view.Rotation()};
  if (doc.IsVisible()) Print("open: " + doc.Title() + " (" + std::to_string(doc.Pdf().NumPages()) + " pages)");
}

void ScriptFrontEnd::DocumentClosed(Document& doc) {
  PageView& view = doc.View();
  std::erase(dirtyViews_, &view);
  lastPass_.erase(&view);
  viewStates_.erase(&view);
  if (doc.IsVisible()) Print("close: " + doc.Title());
}

void ScriptFrontEnd::FrontDocumentChanged(Document* doc) { Print("front: " + (doc ? doc->Title() : "none")); }

void ScriptFrontEnd::ViewChanged(PageView& view) {
  ViewState& state = viewStates_[&view];
  const ViewState now{view.GetPageNum(), view.ZoomFactor(), view.Rotation()};
  if (view.Doc().IsVisible()) {
    if (now.page != state.page)
      Print("page: " + std::to_string(now.page + 1) + " of " + std::to_string(view.Doc().Pdf().NumPages()));
    if (now.zoom != state.zoom) Print("zoom: " + Percent(now.zoom));
    if (now.rotation != state.rotation) Print("rotation: " + std::to_string(now.rotation));
  }
  state = now;
}

// ---- Menus and tool bar ------------------------------------------------------------------

void ScriptFrontEnd::MenusChanged() {
  if (host_) DiffMenus();
}

void ScriptFrontEnd::DiffMenus() {
  struct Shown {
    std::uint64_t serial;
    std::string name;
    bool separator;
  };
  std::vector<Shown> shown;
  std::function<void(const Menu&)> collect = [&](const Menu& menu) {
    for (const MenuItem* item : menu.Items()) {
      shown.push_back({item->Serial(), item->Name(), item->IsSeparator()});
      if (item->Submenu()) collect(*item->Submenu());
    }
  };
  for (const Menu* menu : host_->Menus().Menus()) collect(*menu);
  std::map<std::uint64_t, std::string> now;
  for (const Shown& item : shown) {
    if (!item.separator) now[item.serial] = item.name;
  }
  for (const auto& [serial, name] : shownItems_) {
    if (!now.count(serial)) Print("menu-removed: " + name);
  }
  for (const Shown& item : shown) {
    if (!item.separator && !shownItems_.count(item.serial)) Print("menu-added: " + item.name);
  }
  shownItems_ = std::move(now);
}

void ScriptFrontEnd::ToolBarChanged() {
  if (host_) DiffToolBar();
}

void ScriptFrontEnd::DiffToolBar() {
  std::set<std::string> now;
  for (const ToolButton* button : host_->GetToolBar().Buttons()) now.insert(button->Name());
  for (const std::string& name : shownButtons_) {
    if (!now.count(name)) Print("button-removed: " + name);
  }
  for (const ToolButton* button : host_->GetToolBar().Buttons()) {
    if (!shownButtons_.count(button->Name()) && !button->IsSeparator()) Print("button-added: " + button->Name());
  }
  shownButtons_ = std::move(now);
  const std::string tool = host_->Tools().TypeName(host_->Tools().Active());
  if (tool != activeTool_) {
    activeTool_ = tool;
    Print("tool: " + tool);
  }
}

// ---- Modal interactions -------------------------------------------------------------------

DragResult ScriptFrontEnd::TrackRectDrag(const DragRequest& request) {
  buttonDown_ = false;
  if (drags_.empty()) {
    Print("unanswered: drag");
    return {request.start, 0};
  }
  const DragResult result = drags_.front();
  drags_.pop_front();
  return result;
}

host::AVMenuItem* ScriptFrontEnd::PopupMenu(PageView&, host::AVMenu* menu, host::AVDevCoord, host::AVDevCoord) {
  Print("popup: " + menu->Name());
  if (popups_.empty()) {
    Print("unanswered: popup");
    return nullptr;
  }
  const std::string name = popups_.front();
  popups_.pop_front();
  host::AVMenuItem* item = FindInMenu(*menu, name);
  if (!item) {
    FailScript(0, "the pop-up menu " + menu->Name() + " has no item " + name);
    return nullptr;
  }
  if (!item->IsEnabled()) {
    Print("disabled: " + name);
    return nullptr;
  }
  return item;
}

int ScriptFrontEnd::TakeAlertAnswer(int fallback, bool* answered) {
  *answered = !alertAnswers_.empty();
  if (!*answered) return fallback;
  const int answer = alertAnswers_.front();
  alertAnswers_.pop_front();
  return answer;
}

void ScriptFrontEnd::ShowNote(const std::string& text) {
  bool answered = false;
  TakeAlertAnswer(1, &answered);
  alerts_.push_back({RecordedAlert::Kind::Note, text, 1});
  Print("alert: " + text);
}

bool ScriptFrontEnd::AskConfirm(const std::string& text) {
  bool answered = false;
  const int answer = TakeAlertAnswer(2, &answered);
  alerts_.push_back({RecordedAlert::Kind::Confirm, text, answer});
  Print("confirm: " + text + (answer == 1 ? " -> yes" : " -> no") + (answered ? "" : " (unanswered)"));
  return answer == 1;
}

int ScriptFrontEnd::ShowTextAlert(const std::string& text, int) {
  bool answered = false;
  const int answer = TakeAlertAnswer(1, &answered);
  alerts_.push_back({RecordedAlert::Kind::Text, text, answer});
  Print("alert: " + text);
  return answer;
}

std::vector<std::string> ScriptFrontEnd::Choose(ChooserKind kind, const host::AVFileDialogParams& params) {
  Print("chooser: " + params.title);
  if (kind == ChooserKind::Folder) {
    if (folders_.empty()) {
      Print("unanswered: chooser");
      return {};
    }
    std::string folder = folders_.front();
    folders_.pop_front();
    Print("chosen: " + folder);
    return {folder};
  }
  if (files_.empty()) {
    Print("unanswered: chooser");
    return {};
  }
  std::vector<std::string> paths = files_.front();
  files_.pop_front();
  if (kind != ChooserKind::OpenMultiple && paths.size() > 1) paths.resize(1);
  for (const std::string& path : paths) Print("chosen: " + path);
  return paths;
}

std::optional<host::RGBColor16> ScriptFrontEnd::PickColor(const host::RGBColor16&) {
  Print("color-picker");
  if (colors_.empty()) {
    Print("unanswered: color-picker");
    return std::nullopt;
  }
  const host::RGBColor16 color = colors_.front();
  colors_.pop_front();
  return color;
}

void ScriptFrontEnd::OpenHelp(const std::string& path) {
  helpFiles_.push_back(path);
  Print("help: " + path);
}

// ---- Dialogs ---------------------------------------------------------------------------------

int ScriptFrontEnd::RunModalDialog(dm::Dialog& dialog) {
  const std::string name = dialog.Name();
  Print("dialog: " + name);
  const auto block = std::find_if(dialogs_.begin(), dialogs_.end(),
                                  [&](const ScriptDialogBlock& b) { return b.dialogName == name; });
  if (block == dialogs_.end()) {
    Print("cancelled: " + name);
    dialog.EndModal(2);
    return 2;
  }
  const ScriptDialogBlock answer = *block;
  dialogs_.erase(block);
  std::string error;
  if (!PlayDialogBlock(dialog, answer, &error)) {
    // The player names the line: "line N: reason".
    int line = answer.lineNumber;
    std::string reason = error;
    if (error.rfind("line ", 0) == 0) {
      const auto colon = error.find(": ");
      ParseScriptInt(error.substr(5, colon - 5), &line);
      if (colon != std::string::npos) reason = error.substr(colon + 2);
    }
    FailScript(line, reason);
    if (!dialog.HasEnded()) dialog.EndModal(2);
    return 2;
  }
  return dialog.EndedItem();
}

void ScriptFrontEnd::ShowModelessDialog(dm::Dialog& dialog) { Print("dialog: " + dialog.Name()); }

void ScriptFrontEnd::ProcessDialogEvents(dm::Dialog& dialog) {
  const auto block = std::find_if(dialogs_.begin(), dialogs_.end(),
                                  [&](const ScriptDialogBlock& b) { return b.dialogName == dialog.Name(); });
  if (block == dialogs_.end()) return;
  const ScriptDialogBlock answer = *block;
  dialogs_.erase(block);
  std::string error;
  PlayDialogBlock(dialog, answer, &error);  // a modeless dialog may stay open
}

void ScriptFrontEnd::DialogChanged(dm::Dialog&) {}
void ScriptFrontEnd::DialogDestroyed(dm::Dialog&) {}

}  // namespace viewer::script
