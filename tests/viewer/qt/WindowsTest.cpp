// Document windows: menus built from the core's menus and kept in step,
// enable and marked states evaluated when a menu opens, shortcuts, the tool
// bar with the host's tools and the buttons plug-ins add, titles, closing
// and quitting.
#include <QAbstractButton>
#include <QApplication>
#include <QInputDialog>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QTest>
#include <QToolBar>

#include <gtest/gtest.h>

#include "viewer/core/MenuModel.h"
#include "viewer/core/PageView.h"
#include "viewer/qt/MainWindow.h"
#include "viewer/qt/QtTestSupport.h"

namespace korvid::qttest {
namespace {

QMenu* TopMenu(viewer::qt::MainWindow& window, const QString& name) {
  for (QAction* action : window.menuBar()->actions())
    if (action->menu() && action->menu()->objectName() == name) return action->menu();
  return nullptr;
}

QAction* ActionTitled(QMenu& menu, const QString& title) {
  for (QAction* action : menu.actions())
    if (action->text() == title) return action;
  return nullptr;
}

struct Switch {
  bool enabled = false;
  bool marked = false;
  int runs = 0;
};

class Windows : public ::testing::Test {
 protected:
  QtRig rig;
  viewer::Document& doc = rig.Open(ExamplePdf());
  viewer::qt::MainWindow& window = *rig.Front().WindowOf(&doc);
  Switch state;

  // A plug-in's item in the Edit menu, with enable and marked procedures.
  void AddPluginItem() {
    viewer::MenuItem* item = rig.Host().Menus().NewItem({"Plug-in & Co", "Test:Item", nullptr, 'k', 3, nullptr});
    item->SetExecuteProc([](void* s) { ++static_cast<Switch*>(s)->runs; }, &state);
    item->SetComputeEnabledProc([](void* s) { return static_cast<Switch*>(s)->enabled; }, &state);
    item->SetComputeMarkedProc([](void* s) { return static_cast<Switch*>(s)->marked; }, &state);
    rig.Host().Menus().FindMenu("Edit")->AddItem(item, host::kMenuAppend);
    item->Release();
  }
};

TEST_F(Windows, TheWindowIsTitledAfterTheFileAndShowsTheHostsMenus) {
  EXPECT_EQ(window.windowTitle(), "example.pdf - Korvid");
  QStringList menus;
  for (QAction* action : window.menuBar()->actions()) menus << action->text();
  EXPECT_EQ(menus, (QStringList{"File", "Edit", "View", "Help"}));
  QMenu* file = TopMenu(window, "File");
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(ActionTitled(*file, "Quit")->shortcut(), QKeySequence("Ctrl+Q"));
  QMenu* edit = TopMenu(window, "Edit");
  EXPECT_EQ(ActionTitled(*edit, "Redo")->shortcut(), QKeySequence("Ctrl+Shift+Z"));
}

TEST_F(Windows, AnItemAddedByAPlugInAppearsAndItsStatesAreAskedForWhenTheMenuOpens) {
  AddPluginItem();
  Settle();
  QMenu* edit = TopMenu(window, "Edit");
  QAction* item = ActionTitled(*edit, "Plug-in && Co");
  ASSERT_NE(item, nullptr);
  EXPECT_EQ(item->shortcut(), QKeySequence("Ctrl+Shift+K"));
  for (const bool on : {false, true}) {
    state.enabled = on;
    state.marked = on;
    emit edit->aboutToShow();
    EXPECT_EQ(item->isEnabled(), on);
    EXPECT_EQ(item->isChecked(), on);
    emit edit->aboutToHide();
  }
  // Closed, the menu leaves the decision to the command: a disabled one does not run.
  state.enabled = false;
  QTest::keyClick(&window, Qt::Key_K, Qt::ControlModifier | Qt::ShiftModifier);
  Settle();
  EXPECT_EQ(state.runs, 0);
  state.enabled = true;
  QTest::keyClick(&window, Qt::Key_K, Qt::ControlModifier | Qt::ShiftModifier);
  Settle();
  EXPECT_EQ(state.runs, 1);

  rig.Host().Menus().FindItem("Test:Item")->Remove();
  Settle();
  EXPECT_EQ(ActionTitled(*TopMenu(window, "Edit"), "Plug-in && Co"), nullptr);
}

TEST_F(Windows, ViewCommandsZoomAndTurnPages) {
  QMenu* view = TopMenu(window, "View");
  emit view->aboutToShow();
  ActionTitled(*view, "Zoom In")->trigger();
  EXPECT_DOUBLE_EQ(doc.View().ZoomFactor(), 2.0);
  ActionTitled(*view, "Next Page")->trigger();
  EXPECT_EQ(doc.View().GetPageNum(), 1);
  ActionTitled(*view, "Fit Width")->trigger();
  const int viewportWidth = rig.PageView(doc).viewport()->width() - 2 * viewer::qt::PageCanvas::kGap;
  EXPECT_NEAR(doc.View().ZoomFactor() * 792, viewportWidth, 1);  // page 2 lies on its side
  ActionTitled(*view, "Continuous")->trigger();
  emit view->aboutToShow();
  EXPECT_TRUE(ActionTitled(*view, "Continuous")->isChecked());
  EXPECT_FALSE(ActionTitled(*view, "Single Page")->isChecked());
  emit view->aboutToHide();
}

TEST_F(Windows, GoToPageAsksForTheNumber) {
  Person person;
  person.Then([] { return qobject_cast<QInputDialog*>(QApplication::activeModalWidget()) != nullptr; }, [] {
    auto* ask = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
    ask->setIntValue(3);
    ask->accept();
  });
  ActionTitled(*TopMenu(window, "View"), "Go to Page...")->trigger();
  EXPECT_TRUE(person.Done());
  EXPECT_EQ(doc.View().GetPageNum(), 2);
}

TEST_F(Windows, TheToolBarHasTheHostsToolsThenThePlugInsButtonsAndMarksTheActiveTool) {
  host::AVToolBar& bar = rig.Host().GetToolBar();
  host::AVToolButton* button = bar.NewButton("Test:Button", nullptr, 0, false, false);
  bar.AddButton(button, bar.GetButtonByName("Link"), false);
  Settle();
  QStringList names;
  for (QAction* action : window.Tools()->actions()) names << action->text();
  EXPECT_EQ(names, (QStringList{"Hand", "Select", "Link", "Test:Button"}));
  window.Tools()->actions()[1]->trigger();  // Select
  Settle();
  window.RefreshToolBarStates();
  EXPECT_TRUE(window.Tools()->actions()[1]->isChecked());
  EXPECT_FALSE(window.Tools()->actions()[0]->isChecked());
  EXPECT_EQ(rig.Host().Tools().TypeName(rig.Host().Tools().Active()), "Select");
}

TEST_F(Windows, ClosingTheLastDocumentLeavesTheWindowWithoutADocument) {
  window.close();
  Settle();
  EXPECT_EQ(rig.Host().Documents().Count(), 0);
  viewer::qt::MainWindow* start = rig.Front().WindowOf(nullptr);
  ASSERT_NE(start, nullptr);
  EXPECT_TRUE(start->isVisible());
  EXPECT_EQ(start->windowTitle(), "Korvid");
}

TEST_F(Windows, ClosingAModifiedDocumentAsksAndNoKeepsTheFileAsItWas) {
  doc.Pdf().SetFlags(host::kPDDocNeedsSave);
  Person person;
  person.Then([] { return ActiveMessageBox() != nullptr; },
              [] { ActiveMessageBox()->button(QMessageBox::No)->click(); });
  window.close();
  ASSERT_TRUE(WaitUntil([&] { return person.Done(); }));
  Settle();
  EXPECT_EQ(rig.Host().Documents().Count(), 0);
}

TEST_F(Windows, QuitClosesTheDocumentsAndEndsTheApplication) {
  QMenu* file = TopMenu(window, "File");
  ActionTitled(*file, "Quit")->trigger();
  EXPECT_EQ(rig.Host().Documents().Count(), 0);
  EXPECT_TRUE(rig.Front().QuitWasRequested());
}

}  // namespace
}  // namespace korvid::qttest
