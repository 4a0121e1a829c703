// One suite, two front ends: the same host calls must give the same results
// whether a script answers (viewer/script) or a person does on screen
// (viewer/qt, offscreen). Each front end has a driver that gives the
// answers its own way: queued for the script, acted out with the mouse and
// keyboard for the windows.
#include <fstream>

#include <QAbstractSlider>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include "host/ADM.h"
#include "support/TempDir.h"
#include "viewer/core/MenuModel.h"
#include "viewer/core/PageView.h"
#include "viewer/core/ViewerServices.h"
#include "viewer/core/dm/Dialog.h"
#include "viewer/core/dm/DialogManager.h"
#include "viewer/core/resources/TestBlob.h"
#include "viewer/qt/MainWindow.h"
#include "viewer/qt/QtTestSupport.h"
#include "viewer/qt/dialogs/DialogWidget.h"
#include "viewer/script/ScriptFrontEnd.h"

namespace korvid::qttest {
namespace {

namespace adm = host::adm;
using korvid::testing::TempDir;

struct ShownItem {
  std::string title;  // "-" for a separator
  bool enabled = false;
  bool marked = false;
  bool operator==(const ShownItem&) const = default;
};

struct DialogStep {
  enum Kind { Set, Check, Select, Press } kind;
  int item;
  std::string argument;
};

// How a test meets a front end.
class Driver {
 public:
  virtual ~Driver() = default;
  virtual viewer::FrontEnd& Front() = 0;
  virtual void Attach(viewer::Host& host) = 0;
  virtual void Detach() = 0;
  // Answers for the next interaction of each kind.
  virtual void AnswerAlert(int button) = 0;  // 1 OK / yes, 2 no
  virtual void AnswerDrag(const host::AVRect& rect, int modifiers) = 0;
  virtual void AnswerPopup(const std::string& itemTitle) = 0;
  virtual void AnswerDialog(const std::string& name, std::vector<DialogStep> steps) = 0;
  virtual void AnswerFile(const std::string& path) = 0;
  virtual void AnswerColor(const host::RGBColor16& color) = 0;
  // A press of the mouse button on the front document's page view.
  virtual void Click(int x, int y) = 0;
  virtual void RightClick(int x, int y) = 0;
  // A menu of the menu bar as a person sees it open.
  virtual std::vector<ShownItem> OpenMenu(const std::string& name) = 0;
  // A person chooses the item of that title (nothing happens when it is disabled).
  virtual void Choose(const std::string& menu, const std::string& title) = 0;
  virtual std::vector<std::string> AlertTexts() = 0;
  // Every queued answer was used.
  virtual bool AllAnswered() = 0;
};

// ---- The script's driver -----------------------------------------------------------------

class ScriptDriver final : public Driver {
 public:
  viewer::FrontEnd& Front() override { return front_; }
  void Attach(viewer::Host& host) override {
    host_ = &host;
    front_.Attach(host);
  }
  void Detach() override { front_.Detach(); }
  void AnswerAlert(int button) override { front_.QueueAlertAnswer(button); }
  void AnswerDrag(const host::AVRect& rect, int modifiers) override { front_.QueueDrag(rect, modifiers); }
  void AnswerPopup(const std::string& title) override { popupTitles_.push_back(title); }
  void AnswerDialog(const std::string& name, std::vector<DialogStep> steps) override {
    viewer::script::ScriptDialogBlock block;
    block.dialogName = name;
    const char* verbs[] = {"set", "check", "select", "press"};
    for (const DialogStep& step : steps)
      block.lines.push_back({0, verbs[step.kind], std::to_string(step.item), step.argument});
    front_.QueueDialog(block);
  }
  void AnswerFile(const std::string& path) override { front_.QueueFiles({path}); }
  void AnswerColor(const host::RGBColor16& color) override { front_.QueueColor(color); }
  void Click(int x, int y) override { front_.Click(*host_, x, y, 0, 1); }
  void RightClick(int x, int y) override {
    // A script names pop-up items by name; the test by title.
    for (const std::string& title : popupTitles_) front_.QueuePopupChoice(NameOf(title));
    popupTitles_.clear();
    host_->RightClick(host_->Documents().Front()->View(), x, y, 0, 1);
  }
  std::vector<ShownItem> OpenMenu(const std::string& name) override {
    std::vector<ShownItem> shown;
    for (viewer::MenuItem* item : host_->Menus().FindMenu(name)->Items())
      shown.push_back({item->IsSeparator() ? "-" : item->Title(), item->IsEnabled(), item->IsMarked()});
    return shown;
  }
  void Choose(const std::string& menu, const std::string& title) override {
    for (viewer::MenuItem* item : host_->Menus().FindMenu(menu)->Items())
      if (item->Title() == title) host_->ChooseMenuItem(*item);
  }
  std::vector<std::string> AlertTexts() override { return front_.AlertTexts(); }
  bool AllAnswered() override { return front_.UnusedAnswers().empty() && popupTitles_.empty(); }

 private:
  std::string NameOf(const std::string& title) const {
    if (popupItems_)
      for (const viewer::MenuItem* item : popupItems_->Items())
        if (item->Title() == title) return item->Name();
    return title;
  }

 public:
  const viewer::Menu* popupItems_ = nullptr;

 private:
  viewer::script::ScriptFrontEnd front_;
  viewer::Host* host_ = nullptr;
  std::vector<std::string> popupTitles_;
};

// ---- The windows' driver -------------------------------------------------------------------

QString Unescaped(QString text) { return text.replace("&&", "&"); }

class QtDriver final : public Driver {
 public:
  viewer::FrontEnd& Front() override { return front_; }
  void Attach(viewer::Host& host) override {
    host_ = &host;
    front_.Attach(host);
    front_.RebuildNow();
    front_.ShowStartWindowIfAlone();
  }
  void Detach() override { front_.Detach(); }

  void AnswerAlert(int button) override {
    person_.Then([] { return ActiveMessageBox() != nullptr; }, [button] {
      QMessageBox* box = ActiveMessageBox();
      QAbstractButton* pressed = box->button(QMessageBox::Ok);
      if (!pressed) pressed = box->button(button == 1 ? QMessageBox::Yes : QMessageBox::No);
      QTest::mouseClick(pressed, Qt::LeftButton);
    });
  }

  void AnswerDrag(const host::AVRect& rect, int modifiers) override {
    person_.Then([this] { return front_.ActiveDrag() != nullptr; }, [this, rect, modifiers] {
      const viewer::DragRequest& drag = *front_.ActiveDrag();
      // The pointer goes as far as the edges that follow it must.
      const bool moveRight = drag.kind == host::kDragBottomRight || drag.kind == host::kDragMove;
      const int dx = moveRight ? rect.right - drag.start.right : rect.left - drag.start.left;
      const int dy = moveRight ? rect.bottom - drag.start.bottom : rect.top - drag.start.top;
      viewer::qt::PageViewWidget& view = *front_.PageViewOf(*drag.view);
      const QPoint end = view.DeviceToViewport(QPoint(drag.x + dx, drag.y + dy));
      Qt::KeyboardModifiers held;
      if (modifiers & 0x01) held |= Qt::ShiftModifier;
      if (modifiers & 0x08) held |= Qt::AltModifier;
      QTest::mouseMove(view.viewport(), end);
      QTest::mouseRelease(view.viewport(), Qt::LeftButton, held, end);
    });
  }

  void AnswerPopup(const std::string& title) override {
    person_.Then([] { return ActivePopup() != nullptr; }, [title] {
      QMenu* popup = ActivePopup();
      for (QAction* action : popup->actions()) {
        if (Unescaped(action->text()).toStdString() != title) continue;
        popup->setActiveAction(action);
        QTest::keyClick(popup, Qt::Key_Return);  // a disabled item does nothing...
        break;
      }
      if (ActivePopup() == popup) popup->close();  // ...and the person gives up
    });
  }

  void AnswerDialog(const std::string& name, std::vector<DialogStep> steps) override {
    person_.Then([this, name] { return ShownDialog(name) != nullptr; }, [this, name, steps] {
      viewer::qt::DialogWidget* dialog = ShownDialog(name);
      for (const DialogStep& step : steps) Act(*dialog, step);
    });
  }

  void AnswerFile(const std::string& path) override {
    person_.Then([] { return qobject_cast<QFileDialog*>(QApplication::activeModalWidget()) != nullptr; }, [path] {
      auto* chooser = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
      chooser->selectFile(QString::fromStdString(path));
      static_cast<QDialog*>(chooser)->accept();
    });
  }

  void AnswerColor(const host::RGBColor16& color) override {
    person_.Then([] { return qobject_cast<QColorDialog*>(QApplication::activeModalWidget()) != nullptr; }, [color] {
      auto* picker = qobject_cast<QColorDialog*>(QApplication::activeModalWidget());
      picker->setCurrentColor(QColor(color.red / 257, color.green / 257, color.blue / 257));
      picker->accept();
    });
  }

  void Click(int x, int y) override {
    viewer::qt::PageViewWidget& view = *front_.PageViewOf(host_->Documents().Front()->View());
    const QPoint at = view.DeviceToViewport(QPoint(x, y));
    QTest::mousePress(view.viewport(), Qt::LeftButton, {}, at);
    if (front_.IsMouseButtonDown()) QTest::mouseRelease(view.viewport(), Qt::LeftButton, {}, at);
  }

  void RightClick(int x, int y) override {
    viewer::qt::PageViewWidget& view = *front_.PageViewOf(host_->Documents().Front()->View());
    QTest::mouseClick(view.viewport(), Qt::RightButton, {}, view.DeviceToViewport(QPoint(x, y)));
  }

  std::vector<ShownItem> OpenMenu(const std::string& name) override {
    std::vector<ShownItem> shown;
    QMenu* menu = MenuNamed(name);
    emit menu->aboutToShow();
    for (QAction* action : menu->actions())
      shown.push_back({action->isSeparator() ? "-" : Unescaped(action->text()).toStdString(), action->isEnabled(),
                       action->isChecked()});
    emit menu->aboutToHide();
    return shown;
  }

  void Choose(const std::string& menuName, const std::string& title) override {
    QMenu* menu = MenuNamed(menuName);
    emit menu->aboutToShow();
    for (QAction* action : menu->actions())
      if (Unescaped(action->text()).toStdString() == title) action->trigger();
    emit menu->aboutToHide();
  }

  std::vector<std::string> AlertTexts() override { return front_.AlertTexts(); }
  bool AllAnswered() override { return person_.Done(); }

 private:
  QMenu* MenuNamed(const std::string& name) {
    front_.RebuildNow();
    viewer::qt::MainWindow* window = front_.WindowOf(host_->Documents().Front());
    for (QAction* action : window->menuBar()->actions())
      if (action->menu() && action->menu()->objectName().toStdString() == name) return action->menu();
    return nullptr;
  }

  viewer::qt::DialogWidget* ShownDialog(const std::string& name) {
    for (int i = 0; i < host_->Dialogs()->NumDialogs(); ++i) {
      viewer::dm::Dialog* dialog = host_->Dialogs()->GetDialog(i);
      viewer::qt::DialogWidget* widget = dialog ? front_.DialogWidgetOf(*dialog) : nullptr;
      if (dialog->Name() == name && widget && widget->isVisible()) return widget;
    }
    return nullptr;
  }

  static void Act(viewer::qt::DialogWidget& dialog, const DialogStep& step) {
    QWidget* widget = dialog.ItemWidget(step.item);
    switch (step.kind) {
      case DialogStep::Set:
        if (auto* slider = qobject_cast<QAbstractSlider*>(widget)) {
          slider->setValue(std::stoi(step.argument));
        } else if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
          QTest::mouseClick(edit, Qt::LeftButton);
          edit->selectAll();
          QTest::keyClicks(edit, QString::fromStdString(step.argument));
          QTest::keyClick(edit, Qt::Key_Tab);
        }
        break;
      case DialogStep::Check:
        if (auto* button = qobject_cast<QAbstractButton*>(widget); button->isChecked() != (step.argument == "1"))
          QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));  // on the mark
        break;
      case DialogStep::Select:
        if (auto* combo = qobject_cast<QComboBox*>(widget)) {
          const int wanted = std::stoi(step.argument);
          for (int guard = 0; combo->currentIndex() != wanted && guard < combo->count(); ++guard)
            QTest::keyClick(combo, combo->currentIndex() < wanted ? Qt::Key_Down : Qt::Key_Up);
        } else if (auto* list = qobject_cast<QListWidget*>(widget)) {
          QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                            list->visualItemRect(list->item(std::stoi(step.argument))).center());
        }
        break;
      case DialogStep::Press:
        QTest::mouseClick(widget, Qt::LeftButton);
        break;
    }
  }

  viewer::qt::QtFrontEnd front_;
  viewer::Host* host_ = nullptr;
  Person person_;
};

// ---- The suite ------------------------------------------------------------------------------

const char kLayout[] = R"(dialog "Test:Form" 400
size 300 200
title "Form"
item 1 button 210 165 80 24 "OK"
item 2 button 120 165 80 24 "Cancel"
item 4 edit 10 10 200 22 "start"
item 5 checkbox 10 40 200 20 "Subscribe" checked
item 6 popup 10 70 120 22 value=0
  entry "Small"
  separator
  entry "Large"
item 7 slider 10 100 200 20 min=0 max=100 value=50
item 8 listbox 220 10 70 60
  entry "x"
  entry "y"
)";

const host::ExtensionID kModule = viewer::testing::FakeModule(11);

struct FormValues {
  std::string text;
  bool checked = false;
  int size = -1;
  int level = -1;
  int row = -1;
  bool operator==(const FormValues&) const = default;
};

int InitForm(host::ADMDialog* dialog) {
  dialog->SetDestroyProc([](host::ADMDialog* d) {
    *static_cast<FormValues*>(d->GetUserData()) = {d->GetItem(4)->GetText(), d->GetItem(5)->GetBooleanValue(),
                                                   d->GetItem(6)->GetIntValue(), d->GetItem(7)->GetIntValue(),
                                                   d->GetItem(8)->GetIntValue()};
  });
  return 0;
}

struct Counter {
  bool enabled = true;
  bool marked = false;
  int runs = 0;
};

class FrontEndConformance : public ::testing::TestWithParam<std::string> {
 protected:
  FrontEndConformance() {
    if (GetParam() == "qt") driver = std::make_unique<QtDriver>();
    else driver = std::make_unique<ScriptDriver>();
    viewer::HostOptions options;
    options.language = "ENU";
    options.pluginDir = "/nonexistent";
    host = std::make_unique<viewer::Host>(driver->Front(), options);
    driver->Attach(*host);
  }
  ~FrontEndConformance() override {
    driver->Detach();
    host.reset();
    Settle();
  }

  viewer::Document& Open() {
    viewer::Document& doc = host->Documents().Open(ExamplePdf(), true);
    Settle();
    return doc;
  }

  viewer::MenuItem* AddItem(viewer::Menu& menu, const std::string& title, Counter& counter) {
    viewer::MenuItem* item = host->Menus().NewItem({title, "Test:" + title, nullptr, 0, 0, nullptr});
    item->SetExecuteProc([](void* c) { ++static_cast<Counter*>(c)->runs; }, &counter);
    item->SetComputeEnabledProc([](void* c) { return static_cast<Counter*>(c)->enabled; }, &counter);
    item->SetComputeMarkedProc([](void* c) { return static_cast<Counter*>(c)->marked; }, &counter);
    menu.AddItem(item, host::kMenuAppend);
    item->Release();
    return item;
  }

  int RunForm(FormValues* values) {
    host->Resources().AddModule(kModule, viewer::testing::MakeBlob({{"dialogs/400.dlg", kLayout}}));
    auto* suite = static_cast<host::ADMDialogSuite*>(host->Dialogs()->SweetPeaTable().AcquireSuite(adm::kDialogSuite, 7));
    const int ended = suite->Modal(kModule, "Test:Form", 400, adm::kModalStyle, &InitForm, values, 0);
    host->Dialogs()->SweetPeaTable().ReleaseSuite(suite);
    return ended;
  }

  std::unique_ptr<Driver> driver;
  std::unique_ptr<viewer::Host> host;
};

TEST_P(FrontEndConformance, MenusShowTheirItemsWithTheStatesTheirProceduresAnswer) {
  Counter counter;
  viewer::Menu& edit = *host->Menus().FindMenu("Edit");
  AddItem(edit, "Lock && Key", counter);
  Settle();
  counter.enabled = false;
  counter.marked = true;
  std::vector<ShownItem> shown = driver->OpenMenu("Edit");
  ASSERT_EQ(shown.size(), 10u);
  EXPECT_EQ(shown.front(), (ShownItem{"Undo", false, false}));  // nothing to undo in the viewer itself
  EXPECT_EQ(shown.back(), (ShownItem{"Lock && Key", false, true}));
  counter.enabled = true;
  counter.marked = false;
  EXPECT_EQ(driver->OpenMenu("Edit").back(), (ShownItem{"Lock && Key", true, false}));
  const std::vector<ShownItem> file = driver->OpenMenu("File");
  EXPECT_EQ(file[file.size() - 2].title, "-");
  EXPECT_EQ(file.back().title, "Quit");
}

TEST_P(FrontEndConformance, AChosenItemRunsOnlyWhenEnabled) {
  Counter counter;
  AddItem(*host->Menus().FindMenu("Edit"), "Act", counter);
  Settle();
  counter.enabled = false;
  driver->Choose("Edit", "Act");
  EXPECT_EQ(counter.runs, 0);
  counter.enabled = true;
  driver->Choose("Edit", "Act");
  EXPECT_EQ(counter.runs, 1);
}

TEST_P(FrontEndConformance, AlertsAnswerWhatThePersonAnswered) {
  Open();
  driver->AnswerAlert(1);
  driver->AnswerAlert(2);
  driver->AnswerAlert(1);
  driver->AnswerAlert(1);
  EXPECT_TRUE(host->Viewer().AlertConfirm("Proceed?"));
  EXPECT_FALSE(host->Viewer().AlertConfirm("Really?"));
  host->Viewer().AlertNote("Noted.");
  EXPECT_EQ(host->Viewer().AlertWithText(host::ASText::FromUTF8("Über"), 2), 1);
  EXPECT_TRUE(driver->AllAnswered());
  EXPECT_EQ(driver->AlertTexts(), (std::vector<std::string>{"Proceed?", "Really?", "Noted.", "Über"}));
}

TEST_P(FrontEndConformance, ADragAnswersTheRectangleAndTheModifiersAtRelease) {
  Open();
  RecordingTool tool(*host, "Recorder");
  tool.dragWhenDown = true;
  tool.snapped = true;
  driver->AnswerDrag({100, 120, 180, 160}, 0x08);
  driver->Click(100, 120);
  ASSERT_EQ(tool.drags.size(), 1u);
  EXPECT_EQ(tool.drags[0].rect, (host::AVRect{100, 120, 180, 160}));
  EXPECT_EQ(tool.drags[0].modifiers, 0x08);
  EXPECT_TRUE(driver->AllAnswered());
}

// A tool whose right click pops up a menu of two items, one disabled.
struct PopupTool {
  static bool RightClick(host::AVToolRec* rec, host::AVPageView* view, host::AVDevCoord x, host::AVDevCoord y, int,
                         int) {
    auto& self = *static_cast<PopupTool*>(rec->clientData);
    host::AVMenuItem* chosen = view->DoPopupMenu(self.menu, x, y, true);
    self.chosen.push_back(chosen ? chosen->Name() : "none");
    return true;
  }
  host::AVMenu* menu = nullptr;
  std::vector<std::string> chosen;
};

TEST_P(FrontEndConformance, APopUpMenuRunsTheChosenItemButNeverADisabledOne) {
  Open();
  viewer::Menu* menu = host->Menus().NewMenu("Context", "Test:Context");
  Counter first, second;
  second.enabled = false;
  AddItem(*menu, "First", first);
  AddItem(*menu, "Second", second);
  PopupTool popup;
  popup.menu = menu;
  host::AVToolRec rec;
  rec.clientData = &popup;
  rec.DoRightClick = &PopupTool::RightClick;
  const host::ASAtom type = host->Atoms().Intern("Popper");
  static host::ASAtom typeOf;
  typeOf = type;
  rec.GetType = [](host::AVToolRec*) { return typeOf; };
  host->Tools().Register(&rec);
  host->SetActiveTool(&rec, true);
  if (auto* script = dynamic_cast<ScriptDriver*>(driver.get())) script->popupItems_ = menu;

  driver->AnswerPopup("First");
  driver->RightClick(200, 200);
  driver->AnswerPopup("Second");
  driver->RightClick(200, 200);
  EXPECT_EQ(popup.chosen, (std::vector<std::string>{"Test:First", "none"}));
  EXPECT_EQ(first.runs, 1);
  EXPECT_EQ(second.runs, 0);
  host->SetActiveTool(host->Tools().Default(), true);
  menu->Release();
}

TEST_P(FrontEndConformance, AModalDialogEndsWithTheItemPressedAndKeepsWhatWasFilledIn) {
  driver->AnswerDialog("Test:Form", {{DialogStep::Set, 4, "Hello"},
                                     {DialogStep::Check, 5, "0"},
                                     {DialogStep::Select, 6, "2"},
                                     {DialogStep::Set, 7, "30"},
                                     {DialogStep::Select, 8, "1"},
                                     {DialogStep::Press, 1, ""}});
  FormValues values;
  EXPECT_EQ(RunForm(&values), 1);
  EXPECT_EQ(values, (FormValues{"Hello", false, 2, 30, 1}));

  driver->AnswerDialog("Test:Form", {{DialogStep::Set, 4, "Gone"}, {DialogStep::Press, 2, ""}});
  EXPECT_EQ(RunForm(&values), 2);
  EXPECT_EQ(values.text, "Gone");  // the dialog's items keep it; the caller takes nothing on Cancel
  EXPECT_TRUE(driver->AllAnswered());
}

TEST_P(FrontEndConformance, ChoosersAnswerFilesThatPassTheFiltersAndColoursIn16Bits) {
  TempDir dir;
  const std::string pdf = dir.File("one.PDF"), text = dir.File("notes.txt");
  for (const std::string& path : {pdf, text}) std::ofstream(path) << "x";
  host::AVFileDialogParams params;
  params.title = "Pick";
  params.filters = {{"PDF files", {"pdf"}}};
  driver->AnswerFile(pdf);
  driver->AnswerFile(text);
  const std::vector<host::ASPathName> first = host->Viewer().ChooseFilesToOpen(params);
  ASSERT_EQ(first.size(), 1u);
  EXPECT_EQ(first[0].Str(), pdf);
  EXPECT_TRUE(host->Viewer().ChooseFilesToOpen(params).empty());

  const host::RGBColor16 teal{257 * 10, 257 * 128, 257 * 128};
  driver->AnswerColor(teal);
  auto* basic = static_cast<host::ADMBasicSuite*>(host->Dialogs()->SweetPeaTable().AcquireSuite(adm::kBasicSuite, 7));
  host::RGBColor16 chosen;
  EXPECT_TRUE(basic->ChooseColor({0, 0}, {65535, 0, 0}, &chosen));
  host->Dialogs()->SweetPeaTable().ReleaseSuite(basic);
  EXPECT_EQ(chosen, teal);
  EXPECT_TRUE(driver->AllAnswered());
}

INSTANTIATE_TEST_SUITE_P(BothFrontEnds, FrontEndConformance, ::testing::Values("script", "qt"),
                         [](const auto& info) { return info.param; });

}  // namespace
}  // namespace korvid::qttest
