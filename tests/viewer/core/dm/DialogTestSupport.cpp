#include "DialogTestSupport.h"

#include <algorithm>

#include "viewer/core/dm/Dialog.h"
#include "viewer/core/dm/UserActions.h"
#include "viewer/core/resources/TestBlob.h"

namespace viewer::testing {

namespace adm = host::adm;

namespace {

PluginProbe& ProbeOf(host::ADMDialog* dialog) { return *static_cast<PluginProbe*>(dialog->GetUserData()); }

void DialogNotify(host::ADMDialog* dialog, host::ADMNotifier* notifier) {
  PluginProbe& probe = ProbeOf(dialog);
  if (notifier->Item()) ++probe.forwarded;
  else probe.log.push_back("dialog " + PluginProbe::Short(notifier->TypeName()));
  if (notifier->IsNotifierType(adm::kWindowShowNotifier) && dialog->NumItems() > 0)
    dialog->GetItemByIndex(0)->Invalidate();  // a change the front end must not hear about before it shows the dialog
  dialog->DefaultNotify(notifier);
}

void DialogDestroy(host::ADMDialog* dialog) { ProbeOf(dialog).destroyed.push_back("dialog"); }

void LogItem(host::ADMItem* item, host::ADMNotifier* notifier) {
  PluginProbe& probe = ProbeOf(item->Dialog());
  probe.log.push_back(std::to_string(item->ID()) + " " + PluginProbe::Short(notifier->TypeName()));
  if (probe.onItemNotify) probe.onItemNotify(*item, *notifier);
}

void ItemNotify(host::ADMItem* item, host::ADMNotifier* notifier) {
  LogItem(item, notifier);
  item->DefaultNotify(notifier);
}

void OkNotify(host::ADMItem* item, host::ADMNotifier* notifier) {
  LogItem(item, notifier);
  if (!notifier->IsNotifierType(adm::kUserChangedNotifier)) return item->DefaultNotify(notifier);
  host::ADMDialog& dialog = *item->Dialog();
  PluginProbe& probe = ProbeOf(&dialog);
  if (probe.hostSuite) probe.hostSuite->CommitPendingEdit(&dialog);
  if (!probe.validate(dialog)) {
    probe.log.push_back("refused");
    return;
  }
  for (int i = 0; i < dialog.NumItems(); ++i) {
    host::ADMItem* each = dialog.GetItemByIndex(i);
    probe.saved[each->ID()] = each->GetText();
  }
  item->DefaultNotify(notifier);
}

void ItemDestroy(host::ADMItem* item) {
  ProbeOf(item->Dialog()).destroyed.push_back("item " + std::to_string(item->ID()));
}

const char kEveryLayout[] = R"(dialog "Test:Every" 200
style 10
size 400 300
position 100 50
title "Every item"
item 1 button 300 260 80 24 "OK"
item 2 button 210 260 80 24 "Cancel"
item 3 static 10 10 100 20 "Label"
item 4 edit 120 10 200 20 "start" maxlength=5
item 5 readonly 10 40 100 20 "fixed"
item 6 editpopup 120 40 200 20 value=1
  entry "one"
  entry "two"
item 7 popup 10 70 100 20 value=0
  entry "A" id=10
  separator
  entry "B" id=11
  entry "C" disabled
item 8 listbox 120 70 200 60
  entry "x"
  entry "y"
item 9 scrollbar 330 10 16 100 min=0 max=20 value=5 small=1 large=5
item 10 slider 10 140 200 20 min=0 max=100 value=50 small=50
item 11 progress 10 170 200 10
item 12 frame 5 5 390 250
item 13 tree 220 140 170 100
item 14 checkbox 10 190 100 20 "Check" checked
item 15 radio 10 210 100 20 "R1" checked
item 16 radio 10 230 100 20 "R2"
item 17 picture 330 140 32 32 picture=128 icons="Test:Logo"
item 18 tab 120 190 60 20 "Tab A" checked
item 19 tab 190 190 60 20 "Tab B"
item 20 user 260 190 40 40
item 21 edit 120 220 80 20 "" disabled
item 22 edit 120 250 80 20 "" hidden
item 23 edit 200 220 80 20 "second"
)";

const char kTreeLayout[] = R"(dialog "Test:Tree" 201
size 300 300
item 1 button 200 260 80 24 "OK"
item 2 button 110 260 80 24 "Cancel"
item 3 edit 10 10 280 20
item 4 tree 10 40 280 200
)";

const char kProgressLayout[] = R"(dialog "Test:Progress" 202
style 7
size 300 100
item 1 button 200 60 80 24 "Stop"
item 2 static 10 10 280 16
item 3 frame 10 30 280 10
item 4 static 10 44 280 16
)";

const char kFloatingLayout[] = R"(dialog "Test:Floating" 203
style 2
size 200 100
item 1 button 100 60 80 24 "Apply"
)";

}  // namespace

const host::ExtensionID kTestModule = FakeModule(7);

std::string TestModuleBlob() {
  return MakeBlob({{"dialogs/200.dlg", kEveryLayout},
                   {"dialogs/201.dlg", kTreeLayout},
                   {"dialogs/202.dlg", kProgressLayout},
                   {"dialogs/203.dlg", kFloatingLayout},
                   {"strings/129.txt", "@base 1000\n1003\tRequires version %i\n"}});
}

int TestFrontEnd::RunModalDialog(dm::Dialog& dialog) {
  events.push_back("run " + dialog.Name());
  shown.push_back(&dialog);
  if (onRun) onRun(dialog);
  if (dialog.HasEnded()) return dialog.EndedItem();
  if (blocks.empty()) {
    dm::UserActions(dialog).PressEscape();
  } else {
    const script::ScriptDialogBlock block = blocks.front();
    blocks.pop_front();
    std::string error;
    if (!script::PlayDialogBlock(dialog, block, &error)) {
      playErrors.push_back(error);
      if (!dialog.HasEnded()) dialog.EndModal(dialog.GetCancelItemID());
    }
  }
  return dialog.EndedItem();
}

void TestFrontEnd::ShowModelessDialog(dm::Dialog& dialog) {
  events.push_back("show " + dialog.Name());
  shown.push_back(&dialog);
}

void TestFrontEnd::DialogChanged(dm::Dialog& dialog) {
  ++changeReports;
  if (std::find(shown.begin(), shown.end(), &dialog) == shown.end()) events.push_back("changed unshown");
}
void TestFrontEnd::DialogDestroyed(dm::Dialog& dialog) { events.push_back("destroyed " + dialog.Name()); }

void TestFrontEnd::ProcessDialogEvents(dm::Dialog& dialog) {
  events.push_back("events " + dialog.Name());
  auto& queue = waiting[dialog.Name()];
  while (!queue.empty()) {
    auto action = std::move(queue.front());
    queue.pop_front();
    action(dialog);
    if (dialog.IsDestroyed()) break;
  }
}

std::optional<host::RGBColor16> TestFrontEnd::PickColor(const host::RGBColor16& initial) {
  events.push_back("pick " + std::to_string(initial.red));
  return pickAnswer;
}

void TestFrontEnd::SetWaitCursor(bool on) { events.push_back(on ? "wait on" : "wait off"); }

script::ScriptDialogBlock Block(const std::string& dialogName, const std::vector<std::string>& lines, int firstLine) {
  script::ScriptDialogBlock block;
  block.lineNumber = firstLine;
  block.dialogName = dialogName;
  for (const std::string& text : lines) {
    script::ScriptDialogLine line;
    line.lineNumber = ++firstLine;
    const std::size_t first = text.find(' ');
    const std::size_t second = text.find(' ', first + 1);
    line.verb = text.substr(0, first);
    line.item = text.substr(first + 1, second == std::string::npos ? std::string::npos : second - first - 1);
    if (second != std::string::npos) line.argument = text.substr(second + 1);
    block.lines.push_back(line);
  }
  return block;
}

int PluginProbe::Init(host::ADMDialog* dialog) {
  PluginProbe& probe = ProbeOf(dialog);
  dialog->SetNotifyProc(DialogNotify);
  dialog->SetDestroyProc(DialogDestroy);
  for (int i = 0; i < dialog->NumItems(); ++i) {
    host::ADMItem* item = dialog->GetItemByIndex(i);
    item->SetNotifyProc(item->ID() == 1 ? OkNotify : ItemNotify);
    item->SetDestroyProc(ItemDestroy);
  }
  if (probe.onInit) probe.onInit(*dialog);
  return probe.initAnswer;
}

std::string PluginProbe::Short(const std::string& type) {
  static const std::map<std::string, std::string> names = {
      {adm::kUserChangedNotifier, "UC"},
      {adm::kIntermediateChangedNotifier, "IC"},
      {adm::kTextSelectionChangeNotifier, "TSC"},
      {adm::kWindowMovedByDragNotifier, "moved"},
      {adm::kBoundsChangedNotifier, "bounds"},
      {adm::kWindowShowNotifier, "show"},
      {adm::kWindowHideNotifier, "hide"},
      {adm::kPreClipboardPasteNotifier, "pre-paste"},
      {adm::kPostClipboardPasteNotifier, "post-paste"},
  };
  const auto it = names.find(type);
  return it == names.end() ? type : it->second;
}

DialogTest::DialogTest() : manager(front, resources, [this] { return ticks; }) {
  resources.AddModule(kTestModule, TestModuleBlob());
  dialogs = Acquire<host::ADMDialogSuite>(adm::kDialogSuite, 7);
  probe.hostSuite = Acquire<host::ADMHostSuite>(adm::kHostSuite, 6);
}

DialogTest::~DialogTest() = default;

int DialogTest::RunModal(const std::string& name, int id, int style) {
  return dialogs->Modal(kTestModule, name, id, style, PluginProbe::Init, &probe, 0);
}

}  // namespace viewer::testing
