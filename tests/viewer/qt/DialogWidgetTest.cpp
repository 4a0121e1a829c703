// Dialogs of the dialog manager on screen: a modal dialog with an item of
// every kind, built from its layout, filled in by a person and confirmed;
// Cancel and Escape end it with item 2; validation that refuses keeps it
// open; a modeless dialog that a person moves and resizes, whose events are
// handled in the middle of long work while the rest of the viewer waits.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSlider>
#include <QProgressBar>
#include <QPointer>
#include <QTest>
#include <algorithm>
#include <map>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include "host/ADM.h"
#include "viewer/core/dm/Dialog.h"
#include "viewer/core/dm/DialogManager.h"
#include "viewer/core/resources/TestBlob.h"
#include "viewer/qt/QtTestSupport.h"
#include "viewer/qt/dialogs/DialogWidget.h"

namespace korvid::qttest {
namespace {

namespace adm = host::adm;

const char kEveryLayout[] = R"(dialog "Test:Every" 300
size 420 300
title "Every item"
item 1 button 330 265 80 24 "OK"
item 2 button 240 265 80 24 "Cancel"
item 3 static 10 10 100 20 "Name"
item 4 edit 120 10 200 22 "" maxlength=8
item 5 readonly 10 40 100 22 "fixed"
item 6 editpopup 120 40 200 22 value=0
  entry "one"
  entry "two"
item 7 popup 10 70 100 22 value=0
  entry "A" id=10
  separator
  entry "B" id=11
  entry "C" disabled
item 8 listbox 120 70 200 60
  entry "x"
  entry "y"
item 9 scrollbar 330 10 16 100 min=0 max=20 value=5 small=1 large=5
item 10 slider 10 140 200 20 min=0 max=100 value=50 small=10 large=25
item 11 progress 10 170 200 10
item 12 frame 5 5 410 255
item 13 tree 220 140 170 100
item 14 checkbox 10 190 100 20 "Check" checked
item 15 radio 10 210 100 20 "R1" checked
item 16 radio 10 230 100 20 "R2"
item 17 picture 360 10 16 16 picture=5 icons="Test:Icons"
item 18 tab 120 190 60 20 "Tab A" checked
item 19 tab 190 190 60 20 "Tab B"
item 20 user 260 190 40 40
item 21 edit 120 215 80 22 "" disabled
)";

const char kFloatingLayout[] = R"(dialog "Test:Floating" 301
style 4
size 240 120
position 300 200
title "Floating"
item 1 button 150 85 80 24 "Stop"
item 3 edit 10 10 200 22 "moving"
)";

const char kIcon[] = R"(/* XPM */
static const char *icon[] = {
"4 4 2 1",
". c None",
"# c #FF0000",
"####",
"#..#",
"#..#",
"####"
};
)";

const host::ExtensionID kModule = viewer::testing::FakeModule(9);

// What a plug-in keeps of a dialog: its notifications, its item values when
// it went, and the OK item's validation.
struct Caller {
  host::ADMDialog* dialog = nullptr;
  bool accept = true;
  std::vector<std::string> log;
  std::map<int, std::string> values;
  std::vector<host::ADMPoint> userClicks;

  static Caller& Of(host::ADMDialog* dialog) { return *static_cast<Caller*>(dialog->GetUserData()); }

  static int Init(host::ADMDialog* dialog) {
    Caller& self = Of(dialog);
    self.dialog = dialog;
    for (int i = 0; i < dialog->NumItems(); ++i) {
      host::ADMItem* item = dialog->GetItemByIndex(i);
      item->SetNotifyProc(&Notify);
    }
    dialog->SetDestroyProc(&Destroyed);
    if (dialog->GetItem(13)) FillEvery(*dialog);
    dialog->SetNotifyProc([](host::ADMDialog* d, host::ADMNotifier* n) {
      if (!n->Item()) Of(d).log.push_back("dialog " + n->TypeName());
      d->DefaultNotify(n);
    });
    return 0;
  }

  static void FillEvery(host::ADMDialog& dialog) {
    dialog.GetItem(11)->SetIntValue(40);
    host::ADMHierarchyList* tree = dialog.GetItem(13)->GetHierarchyList();
    for (const char* top : {"Reds", "Blues"}) {
      host::ADMListEntry* entry = tree->InsertEntry(tree->NumberOfEntries());
      entry->SetText(top);
      host::ADMHierarchyList* children = entry->CreateChildList();
      for (const char* child : {"light", "dark"}) children->InsertEntry(children->NumberOfEntries())->SetText(child);
    }
    dialog.GetItem(20)->SetTrackProc([](host::ADMItem* item, host::ADMTracker* tracker) {
      Of(item->Dialog()).userClicks.push_back(tracker->Point());
      return item->DefaultTrack(tracker);
    });
  }

  static void Notify(host::ADMItem* item, host::ADMNotifier* notifier) {
    Caller& self = Of(item->Dialog());
    self.log.push_back(std::to_string(item->ID()) + " " + notifier->TypeName());
    if (item->ID() == 1 && notifier->IsNotifierType(adm::kUserChangedNotifier) && !self.accept) return;
    item->DefaultNotify(notifier);
  }

  static void Destroyed(host::ADMDialog* dialog) {
    Caller& self = Of(dialog);
    self.dialog = nullptr;
    if (!dialog->GetItem(13)) return;
    for (int id : {4, 6, 7, 8, 9, 10, 14, 15, 16, 18, 19}) {
      host::ADMItem* item = dialog->GetItem(id);
      const bool numeric = id >= 7 && id != 14 && id != 15 && id != 16 && id != 18 && id != 19;
      self.values[id] = numeric ? std::to_string(item->GetIntValue())
                                : (id >= 14 ? std::to_string(item->GetBooleanValue()) : item->GetText());
    }
    host::ADMListEntry* leaf = dialog->GetItem(13)->GetHierarchyList()->GetActiveLeafEntry();
    self.values[13] = leaf ? leaf->GetText() : "";
    self.dialog = nullptr;
  }
};

class Dialogs : public ::testing::Test {
 protected:
  Dialogs() {
    rig.Host().Resources().AddModule(
        kModule, viewer::testing::MakeBlob({{"dialogs/300.dlg", kEveryLayout},
                                            {"dialogs/301.dlg", kFloatingLayout},
                                            {"icons/Test:Icons/5.xpm", kIcon}}));
    suite = static_cast<host::ADMDialogSuite*>(
        rig.Host().Dialogs()->SweetPeaTable().AcquireSuite(adm::kDialogSuite, 7));
  }
  ~Dialogs() override { rig.Host().Dialogs()->SweetPeaTable().ReleaseSuite(suite); }

  int RunEvery() { return suite->Modal(kModule, "Test:Every", 300, adm::kModalStyle, &Caller::Init, &caller, 0); }

  viewer::qt::DialogWidget* Shown() {
    if (!caller.dialog) return nullptr;
    viewer::qt::DialogWidget* widget =
        rig.Front().DialogWidgetOf(*static_cast<viewer::dm::Dialog*>(caller.dialog));
    return widget && widget->isVisible() ? widget : nullptr;
  }
  template <typename W>
  W* Item(int id) {
    return qobject_cast<W*>(Shown()->ItemWidget(id));
  }

  QtRig rig;
  host::ADMDialogSuite* suite = nullptr;
  Caller caller;
  Person person;
};

TEST_F(Dialogs, APersonFillsEveryItemAndConfirms) {
  person.Then([&] { return Shown() != nullptr; }, [&] {
    auto* name = Item<QLineEdit>(4);
    QTest::mouseClick(name, Qt::LeftButton);
    TypeText(name, "Zoë Müller");  // more than 8 bytes: the field keeps what fits
    QTest::keyClick(name, Qt::Key_Tab);
    auto* choice = Item<QComboBox>(6);
    QTest::mouseClick(choice->lineEdit(), Qt::LeftButton);
    choice->lineEdit()->selectAll();
    QTest::keyClicks(choice->lineEdit(), "three");
    QTest::keyClick(choice->lineEdit(), Qt::Key_Tab);
    QTest::keyClick(Item<QComboBox>(7), Qt::Key_Down);  // over the separator to "B"
    auto* list = Item<QListWidget>(8);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(1)).center());
    Item<QScrollBar>(9)->triggerAction(QAbstractSlider::SliderPageStepAdd);
    auto* slider = Item<QSlider>(10);
    slider->setFocus();
    QTest::keyClick(slider, Qt::Key_End);
    auto* tree = Item<QTreeWidget>(13);
    tree->expandItem(tree->topLevelItem(1));
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(tree->topLevelItem(1)->child(1)).center());
    QTest::mouseClick(Item<QCheckBox>(14), Qt::LeftButton, {}, QPoint(8, 10));
    QTest::mouseClick(Item<QRadioButton>(16), Qt::LeftButton, {}, QPoint(8, 10));  // on its mark
    QTest::mouseClick(Item<QPushButton>(19), Qt::LeftButton);
    QTest::mouseClick(Shown()->ItemWidget(20), Qt::LeftButton, {}, QPoint(5, 7));
    QTest::mouseClick(Shown()->ItemWidget(17), Qt::LeftButton);
    EXPECT_FALSE(Shown()->ItemWidget(21)->isEnabled());
    EXPECT_EQ(Item<QProgressBar>(11)->value(), 40);
    EXPECT_EQ(Item<QLineEdit>(5)->text(), "fixed");
    EXPECT_FALSE(Item<QRadioButton>(15)->isChecked());  // the other of the group went off
    QTest::mouseClick(Item<QPushButton>(1), Qt::LeftButton);
  });
  EXPECT_EQ(RunEvery(), 1);
  ASSERT_TRUE(person.Done());
  const std::map<int, std::string> expected = {
      {4, "Zoë Mü"}, {6, "three"}, {7, "2"},  {8, "1"},  {9, "10"}, {10, "100"}, {13, "dark"},
      {14, "0"},     {15, "0"},    {16, "1"}, {18, "0"}, {19, "1"}};
  EXPECT_EQ(caller.values, expected);
  ASSERT_EQ(caller.userClicks.size(), 1u);
  EXPECT_EQ(caller.userClicks[0].h, 5);
  EXPECT_EQ(caller.userClicks[0].v, 7);
  // The field a person typed into heard of it as a person's edit does.
  const auto logged = [&](const std::string& line) {
    return std::count(caller.log.begin(), caller.log.end(), line);
  };
  EXPECT_GE(logged("4 " + std::string(adm::kTextSelectionChangeNotifier)), 2);
  EXPECT_EQ(logged("4 " + std::string(adm::kUserChangedNotifier)), 1);
  EXPECT_EQ(logged("17 " + std::string(adm::kUserChangedNotifier)), 1);
}

TEST_F(Dialogs, CancelAndEscapeEndTheDialogWithItemTwo) {
  person.Then([&] { return Shown() != nullptr; }, [&] { QTest::mouseClick(Item<QPushButton>(2), Qt::LeftButton); });
  EXPECT_EQ(RunEvery(), 2);
  person.Then([&] { return Shown() != nullptr; }, [&] {
    QTest::mouseClick(Item<QLineEdit>(4), Qt::LeftButton);
    QTest::keyClick(Item<QLineEdit>(4), Qt::Key_Escape);
  });
  EXPECT_EQ(RunEvery(), 2);
  ASSERT_TRUE(person.Done());
}

TEST_F(Dialogs, ReturnConfirmsOnlyWhenTheDialogAccepts) {
  caller.accept = false;
  person.Then([&] { return Shown() != nullptr; }, [&] {
    QTest::mouseClick(Item<QLineEdit>(4), Qt::LeftButton);
    QTest::keyClicks(Item<QLineEdit>(4), "abc");
    QTest::keyClick(Item<QLineEdit>(4), Qt::Key_Return);
  });
  person.Then([&] { return Shown() != nullptr; }, [&] {  // still open
    caller.accept = true;
    QTest::keyClick(Item<QLineEdit>(4), Qt::Key_Enter, Qt::KeypadModifier);
  });
  EXPECT_EQ(RunEvery(), 1);
  ASSERT_TRUE(person.Done());
  EXPECT_EQ(caller.values[4], "abc");
}

TEST_F(Dialogs, AModelessDialogFollowsAPersonsMovesAndResizesAndGoesWhenDestroyed) {
  host::ADMDialog* dialog = suite->Create(kModule, "Test:Floating", 301, adm::kResizingFloatingStyle,
                                          &Caller::Init, &caller, 0);
  ASSERT_NE(dialog, nullptr);
  Settle();
  // The window may be deleted once the dialog is destroyed.
  const QPointer<viewer::qt::DialogWidget> widget = Shown();
  ASSERT_NE(widget, nullptr);
  EXPECT_EQ(widget->geometry(), QRect(300, 200, 240, 120));
  EXPECT_EQ(widget->windowTitle(), "Floating");

  // A person drags the window and pulls its corner.
  widget->move(widget->pos() + QPoint(20, 10));
  widget->resize(300, 150);
  EXPECT_TRUE(WaitUntil([&] { return dialog->GetBoundsRect() == host::ADMRect{210, 320, 360, 620}; }))
      << dialog->GetBoundsRect().left << " " << dialog->GetBoundsRect().top;
  const auto logged = [&](const char* type) {
    return std::count(caller.log.begin(), caller.log.end(), "dialog " + std::string(type));
  };
  EXPECT_GE(logged(adm::kWindowMovedByDragNotifier), 1);
  EXPECT_GE(logged(adm::kBoundsChangedNotifier), 1);

  dialog->Show(false);
  EXPECT_FALSE(widget->isVisible());
  dialog->Show(true);
  EXPECT_TRUE(widget->isVisible());
  dialog->Destroy();
  Settle();
  EXPECT_EQ(caller.dialog, nullptr);
  EXPECT_TRUE(!widget || !widget->isVisible());
}

TEST_F(Dialogs, DuringLongWorkOnlyTheWorksDialogHearsAPerson) {
  viewer::Document& doc = rig.Open(ExamplePdf());
  RecordingTool tool(rig.Host(), "Recorder");
  host::ADMDialog* dialog =
      suite->Create(kModule, "Test:Floating", 301, adm::kNoCloseFloatingStyle, &Caller::Init, &caller, 0);
  ASSERT_NE(dialog, nullptr);
  const std::string stop = "1 " + std::string(adm::kUserChangedNotifier);
  person.Then([&] { return Shown() != nullptr; }, [&] {
    QTest::mouseClick(rig.PageView(doc).viewport(), Qt::LeftButton, {}, QPoint(100, 100));
    QTest::mouseClick(Item<QPushButton>(1), Qt::LeftButton);
  });
  bool stopped = false;
  for (int pass = 0; pass < 1000 && !stopped; ++pass) {
    dialog->ProcessEvents();  // what the work does between its steps
    stopped = std::count(caller.log.begin(), caller.log.end(), stop) > 0;
    QTest::qSleep(2);
  }
  EXPECT_TRUE(stopped);
  EXPECT_TRUE(tool.events.empty());
  dialog->Destroy();
}

}  // namespace
}  // namespace korvid::qttest
