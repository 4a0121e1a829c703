// The block tool in the desktop viewer, as a person uses it on a copy of the
// example at 150 %: the module is loaded from a plug-ins folder by the
// host's loader and the tool is chosen by its button; blocks are drawn,
// nudged, edited in the properties dialog (which grows with its window),
// undone and locked from the context menu with the mouse and keys. What is
// on screen is checked at known places and written to the build folder
// (screenshots/) for a person to look at; the blocks are read back from the
// saved files with qpdf.
#include <filesystem>
#include <string>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QToolBar>

#include <gtest/gtest.h>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>

#include "support/TempDir.h"
#include "viewer/core/PageView.h"
#include "viewer/core/dm/Dialog.h"
#include "viewer/core/dm/Item.h"
#include "viewer/pdf/PdfTestSupport.h"
#include "viewer/qt/MainWindow.h"
#include "viewer/qt/QtTestSupport.h"
#include "viewer/qt/dialogs/DialogWidget.h"

namespace korvid::qttest {
namespace {

using korvid::testing::TempDir;

constexpr const char* kProperties = "Zolt:Properties";
constexpr const char* kToolButton = "Zolt:MarkUp_Content";
constexpr double kZoom = 1.5;
constexpr double kPageHeight = 792;  // the example's pages, in points

struct PageRect {
  double left, bottom, right, top;
};

// A folder with the block tool's module alone, so that no other plug-in speaks.
std::string PlugInsFolder(const TempDir& folder) {
  const std::filesystem::path plugins = folder.Path() / "plugins";
  std::filesystem::create_directory(plugins);
  std::filesystem::copy_file(KORVID_BLOCKTOOL_MODULE, plugins / "blocktool.so");
  return plugins.string();
}

std::string CopyOfExample(const TempDir& folder) {
  const std::string path = folder.File("example.pdf");
  std::filesystem::copy_file(ExamplePdf(), path);
  return path;
}

void SaveScreenshot(const QImage& image, const QString& name) {
  const QString folder = KORVID_BINARY_DIR "/screenshots";
  QDir().mkpath(folder);
  const QString path = folder + "/" + name;
  EXPECT_TRUE(image.save(path)) << path.toStdString();
  std::printf("screenshot: %s\n", qPrintable(path));
}

class BlockToolOnScreen : public ::testing::Test {
 protected:
  TempDir folder;
  QtRig rig{PlugInsFolder(folder)};
  viewer::Document& doc = rig.Open(CopyOfExample(folder));
  viewer::qt::MainWindow& window = *rig.Front().WindowOf(&doc);
  viewer::qt::PageViewWidget& view = rig.PageView(doc);
  Person person;

  void SetUp() override {
    doc.View().SetZoomFactor(kZoom);
    Settle();
  }

  QAction* Button(const QString& name) {
    for (QAction* action : window.Tools()->actions())
      if (action->property("korvidButton").toString() == name) return action;
    return nullptr;
  }

  void ChooseTheBlockTool() {
    QAction* button = Button(kToolButton);
    ASSERT_TRUE(button);
    button->trigger();
    ASSERT_TRUE(WaitUntil([&] { return button->isChecked(); }));
  }

  // Presses at from, drags to to and releases; the properties dialog the
  // new block opens is ended by the button of that item.
  void Draw(QPoint from, QPoint to, int endingItem) {
    person.Then([&] { return rig.Front().ActiveDrag() != nullptr; },
                [&, from, to] {
                  QTest::mouseMove(view.viewport(), (from + to) / 2);
                  QTest::mouseMove(view.viewport(), to);
                  QTest::mouseRelease(view.viewport(), Qt::LeftButton, Qt::NoModifier, to);
                });
    person.Then([] { return ShownDialog(kProperties) != nullptr; },
                [endingItem] { QTest::mouseClick(ShownDialog(kProperties)->ItemWidget(endingItem), Qt::LeftButton); });
    QTest::mousePress(view.viewport(), Qt::LeftButton, Qt::NoModifier, from);
    ASSERT_TRUE(person.Done());
    Settle();
  }

  // A click on the page at a device point (a click on a block starts a
  // drag, which the release ends where it began).
  void Click(QPoint device) {
    const QPoint at = view.DeviceToViewport(device);
    person.Then([&] { return rig.Front().ActiveDrag() != nullptr; },
                [&, at] { QTest::mouseRelease(view.viewport(), Qt::LeftButton, Qt::NoModifier, at); });
    QTest::mousePress(view.viewport(), Qt::LeftButton, Qt::NoModifier, at);
    ASSERT_TRUE(person.Done());
    Settle();
  }

  bool NeedsSave() const { return doc.GetPDDoc()->Flags() & host::kPDDocNeedsSave; }

  // The page rectangle a device rectangle of the view stands for.
  static PageRect OnPage(const QRect& device) {
    return {device.left() / kZoom, kPageHeight - (device.bottom() + 1) / kZoom, (device.right() + 1) / kZoom,
            kPageHeight - device.top() / kZoom};
  }

  // Saves the document as name (checked with qpdf), reads it into qpdf and
  // answers the stored blocks of its first page.
  QPDFObjectHandle SaveAndRead(const std::string& name, QPDF& qpdf) {
    const std::string path = folder.File(name);
    doc.GetPDDoc()->Save(host::ASPathName(path), host::kPDSaveFull);
    EXPECT_TRUE(korvid::test::QpdfCheckPasses(path));
    qpdf.processFile(path.c_str());
    return StoredBlocks(qpdf, 0);
  }

  static QPDFObjectHandle StoredBlocks(QPDF& qpdf, int page) {
    return QPDFPageDocumentHelper(qpdf).getAllPages().at(static_cast<std::size_t>(page)).getObjectHandle()
        .getKey("/PieceInfo").getKey("/Korvid").getKey("/Private").getKey("/Blocks");
  }

  // Saves the document as name; the rectangles of the blocks of its first page, by name.
  std::map<std::string, PageRect> SaveAs(const std::string& name) {
    QPDF qpdf;
    QPDFObjectHandle blocks = SaveAndRead(name, qpdf);
    std::map<std::string, PageRect> rects;
    if (!blocks.isDictionary()) return rects;
    for (auto [key, block] : blocks.ditems()) {
      QPDFObjectHandle r = block.getKey("/Rect");
      if (r.isArray() && r.getArrayNItems() == 4)
        rects[key.substr(1)] = {r.getArrayItem(0).getNumericValue(), r.getArrayItem(1).getNumericValue(),
                                r.getArrayItem(2).getNumericValue(), r.getArrayItem(3).getNumericValue()};
    }
    return rects;
  }
};

void ExpectNear(const PageRect& got, const PageRect& want) {
  constexpr double kTolerance = 0.01;
  EXPECT_NEAR(got.left, want.left, kTolerance);
  EXPECT_NEAR(got.bottom, want.bottom, kTolerance);
  EXPECT_NEAR(got.right, want.right, kTolerance);
  EXPECT_NEAR(got.top, want.top, kTolerance);
}

TEST_F(BlockToolOnScreen, ABlockDrawnWithTheMouseIsStoredWhereItWasDrawnAndMovesWithTheArrowKeys) {
  const QList<QAction*> buttons = window.Tools()->actions();
  const qsizetype tool = buttons.indexOf(Button(kToolButton));
  ASSERT_GT(tool, 0);
  EXPECT_EQ(buttons[tool - 1]->property("korvidButton").toString(), "Link") << "the tool's button follows Link";
  ChooseTheBlockTool();

  const QPoint from = view.DeviceToViewport(QPoint(150, 300));
  const QPoint to = from + QPoint(240, 120);
  Draw(from, to, 1);
  const QRect drawn(view.ViewportToDevice(from), view.ViewportToDevice(to) - QPoint(1, 1));
  std::map<std::string, PageRect> saved = SaveAs("drawn.pdf");
  ASSERT_EQ(saved.size(), 3u) << "the example's two blocks and the new one";
  const PageRect title = saved["Title"];
  ExpectNear(title, {72, 690, 540, 730});
  saved.erase("Title");
  saved.erase("Signature");
  ASSERT_EQ(saved.size(), 1u);
  const std::string name = saved.begin()->first;
  ExpectNear(saved[name], OnPage(drawn));

  const QImage shot = rig.Grab(doc);
  SaveScreenshot(shot, "block-tool-drawn.png");
  const QRect r(from, to - QPoint(1, 1));  // the block on screen
  const QRgb selected = qRgb(255, 0, 255), banner = qRgb(255, 128, 128);
  EXPECT_EQ(shot.pixel(r.left(), r.center().y() + 20), selected) << "frame";
  EXPECT_EQ(shot.pixel(r.center().x() + 40, r.bottom()), selected) << "frame";
  for (const QPoint handle : {r.topLeft(), r.topRight() + QPoint(-5, 0), r.bottomRight() - QPoint(5, 5),
                              r.bottomLeft() + QPoint(0, -5), QPoint(r.center().x(), r.bottom() - 5)})
    EXPECT_EQ(shot.pixel(handle + QPoint(1, 1)), selected) << "handle at " << handle.x() << "," << handle.y();
  EXPECT_NE(shot.pixel(r.left() + 1, r.top() + 20), selected) << "between two handles only the frame";
  EXPECT_EQ(shot.pixel(r.left() + 7, r.top() + 3), banner) << "banner";
  int white = 0;
  for (int x = r.left() + 5; x < r.left() + 60; ++x)
    for (int y = r.top() + 4; y < r.top() + 14; ++y) white += shot.pixel(x, y) == qRgb(255, 255, 255);
  EXPECT_GT(white, 10) << "the name in white on the banner";

  view.setFocus();
  for (Qt::Key key : {Qt::Key_Right, Qt::Key_Right, Qt::Key_Right, Qt::Key_Down, Qt::Key_Down})
    QTest::keyClick(&view, key);
  saved = SaveAs("moved.pdf");
  ASSERT_EQ(saved.size(), 3u);
  ExpectNear(saved[name], OnPage(drawn.translated(3, 2)));
  ExpectNear(saved["Title"], title);  // only the selection moves
  const QImage moved = rig.Grab(doc);
  EXPECT_EQ(moved.pixel(r.left() + 3, r.center().y() + 20), selected) << "the frame moved with the block";
  EXPECT_NE(moved.pixel(r.left(), r.center().y() + 20), selected);
}

// Device points of the example's blocks on the first page at 150 %.
const QPoint kOnTitle(450, 123);      // page (300, 710)
const QPoint kOnSignature(675, 600);  // page (450, 392)

constexpr int kOK = 1, kCancel = 2, kNameField = 12, kListArea = 23;
// The value field of the first row of the list, and the tab buttons with
// the names their screenshots get.
constexpr int kFirstRowField = 1002, kRowStep = 10;
const std::pair<int, const char*> kTabs[] = {{3, "general"}, {4, "text"},  {20, "text-flow"}, {21, "ruler-tabs"},
                                             {5, "image"},   {6, "pdf"},   {7, "custom"}};

// The rows whose value fields are on screen.
int ShownRows(viewer::qt::DialogWidget& dialog) {
  int shown = 0;
  for (int id = kFirstRowField; QWidget* field = dialog.ItemWidget(id); id += kRowStep) shown += field->isVisible();
  return shown;
}

QWidget* FirstShownField(viewer::qt::DialogWidget& dialog) {
  for (int id = kFirstRowField; QWidget* field = dialog.ItemWidget(id); id += kRowStep)
    if (field->isVisible()) return field;
  return nullptr;
}

// The value field of a property's row (its tip is the property's name).
QWidget* Field(viewer::qt::DialogWidget& dialog, const QString& property) {
  for (int id = kFirstRowField; QWidget* field = dialog.ItemWidget(id); id += kRowStep)
    if (field->toolTip() == property) return field;
  return nullptr;
}

// Steps through a choice list with the arrow keys, as a person does, until
// it shows the entry.
void Choose(QWidget* field, const QString& entry) {
  auto* choice = qobject_cast<QComboBox*>(field);
  ASSERT_TRUE(choice);
  const int wanted = choice->findText(entry);
  ASSERT_GE(wanted, 0) << entry.toStdString();
  choice->setFocus();
  while (choice->currentIndex() != wanted)
    QTest::keyClick(choice, choice->currentIndex() < wanted ? Qt::Key_Down : Qt::Key_Up);
  Settle();
}

void Rename(viewer::qt::DialogWidget& dialog, const QString& name) {
  auto* field = qobject_cast<QLineEdit*>(dialog.ItemWidget(kNameField));
  ASSERT_TRUE(field);
  QTest::mouseClick(field, Qt::LeftButton);
  field->selectAll();
  TypeText(field, name);
}

TEST_F(BlockToolOnScreen, ThePropertiesDialogOpensOnADoubleClickGrowsItsListWithTheWindowAndShowsEachTab) {
  ChooseTheBlockTool();
  Click(kOnTitle);
  QStringList shotsTaken;
  person.Then([] { return ShownDialog(kProperties) != nullptr; }, [&] {
    viewer::qt::DialogWidget& dialog = *ShownDialog(kProperties);
    viewer::dm::Dialog& model = *dialog.Model();
    const QPoint offCentre = dialog.geometry().center() - dialog.screen()->availableGeometry().center();
    EXPECT_LE(offCentre.manhattanLength(), 2) << "first opened in the middle of the screen it is on";
    QTest::mouseClick(dialog.ItemWidget(4), Qt::LeftButton);  // the text tab has more rows than fit
    Settle();
    const host::ADMRect area = model.GetItem(kListArea)->GetBoundsRect();
    QWidget* field = FirstShownField(dialog);
    ASSERT_TRUE(field);
    const int fieldWidth = field->width();
    const int rows = ShownRows(dialog);
    dialog.resize(dialog.size() + QSize(100, 120));
    EXPECT_TRUE(WaitUntil([&] { return model.GetItem(kListArea)->GetBoundsRect() != area; }));
    Settle();
    EXPECT_EQ(model.GetItem(kListArea)->GetBoundsRect(),
              (host::ADMRect{area.top, area.left, area.bottom + 120, area.right + 100}));
    EXPECT_GT(field->width(), fieldWidth) << "rows widen with the list";
    EXPECT_EQ(ShownRows(dialog), rows + 5) << "five more rows of 24 pixels fit";

    // Text flow and its ruler show their tabs once the controlling rows ask for them.
    EXPECT_FALSE(dialog.ItemWidget(20)->isVisible());
    Choose(Field(dialog, "textflow"), "true");
    ASSERT_TRUE(dialog.ItemWidget(20)->isVisible());
    QTest::mouseClick(dialog.ItemWidget(20), Qt::LeftButton);
    Settle();
    EXPECT_FALSE(dialog.ItemWidget(21)->isVisible());
    Choose(Field(dialog, "hortabmethod"), "ruler");
    EXPECT_TRUE(dialog.ItemWidget(21)->isVisible());

    QImage previous;
    for (const auto& [tab, name] : kTabs) {
      QWidget* button = dialog.ItemWidget(tab);
      if (!button || !button->isVisible()) continue;
      QTest::mouseClick(button, Qt::LeftButton);
      Settle();
      EXPECT_TRUE(qobject_cast<QPushButton*>(button)->isChecked()) << name;
      const QImage shot = dialog.grab().toImage();
      EXPECT_NE(shot, previous) << name << " shows rows of its own";
      previous = shot;
      const QString file = QString("properties-%1.png").arg(name);
      SaveScreenshot(shot, file);
      shotsTaken << name;
    }
    QTest::mouseClick(dialog.ItemWidget(3), Qt::LeftButton);
    Rename(dialog, "Heading");
    QTest::mouseClick(dialog.ItemWidget(kOK), Qt::LeftButton);
  });
  QTest::mouseDClick(view.viewport(), Qt::LeftButton, Qt::NoModifier, view.DeviceToViewport(kOnTitle));
  ASSERT_TRUE(person.Done());
  // The button was let go while the dialog had the pointer.
  EXPECT_FALSE(rig.Front().IsMouseButtonDown());
  EXPECT_EQ(shotsTaken, (QStringList{"general", "text", "text-flow", "ruler-tabs", "custom"}));
  EXPECT_TRUE(NeedsSave());
  const std::map<std::string, PageRect> saved = SaveAs("renamed.pdf");
  ASSERT_TRUE(saved.count("Heading")) << "OK wrote the new name";
  EXPECT_FALSE(saved.count("Title"));
  ExpectNear(saved.at("Heading"), {72, 690, 540, 730});
  QPDF qpdf;
  EXPECT_EQ(SaveAndRead("flowing.pdf", qpdf).getKey("/Heading").getKey("/textflow").unparse(), "true");
}

TEST_F(BlockToolOnScreen, CancelInThePropertiesDialogLeavesBlockAndDocumentAsTheyWere) {
  ChooseTheBlockTool();
  // The image block of the first page and the PDF block of the second
  // (turned by 90 degrees), each with the tab of its kind.
  const struct {
    int page;
    QPoint at;  // device point on the block
    int tab;
    const char* shot;
    const char* name;
  } blocks[] = {{0, kOnSignature, 5, "properties-image.png", "Signature"},
                {1, QPoint(675, 225), 6, "properties-pdf.png", "Artwork"}};
  for (const auto& block : blocks) {
    doc.View().GoToPage(block.page);
    Settle();
    Click(block.at);
    person.Then([] { return ShownDialog(kProperties) != nullptr; }, [&] {
      viewer::qt::DialogWidget& dialog = *ShownDialog(kProperties);
      EXPECT_FALSE(dialog.ItemWidget(4)->isVisible()) << block.name << " has no text tab";
      QTest::mouseClick(dialog.ItemWidget(block.tab), Qt::LeftButton);
      Settle();
      SaveScreenshot(dialog.grab().toImage(), block.shot);
      Rename(dialog, "Stamp");
      QTest::mouseClick(dialog.ItemWidget(kCancel), Qt::LeftButton);
    });
    QTest::keyClick(&view, Qt::Key_Return);
    ASSERT_TRUE(person.Done()) << block.name;
    EXPECT_EQ(ShownDialog(kProperties), nullptr);
  }
  EXPECT_FALSE(NeedsSave());
  QPDF qpdf;
  SaveAndRead("cancelled.pdf", qpdf);
  for (const auto& block : blocks) {
    QPDFObjectHandle stored = StoredBlocks(qpdf, block.page);
    EXPECT_TRUE(stored.hasKey(std::string("/") + block.name));
    EXPECT_FALSE(stored.hasKey("/Stamp"));
  }
}

TEST_F(BlockToolOnScreen, UndoingAPropertiesChangeFlashesTheBlockThreeTimesThenItsFrameIsAsBefore) {
  ChooseTheBlockTool();
  Click(kOnTitle);
  person.Then([] { return ShownDialog(kProperties) != nullptr; }, [&] {
    Rename(*ShownDialog(kProperties), "Heading");
    QTest::mouseClick(ShownDialog(kProperties)->ItemWidget(kOK), Qt::LeftButton);
  });
  QTest::keyClick(&view, Qt::Key_Return);
  ASSERT_TRUE(person.Done());
  Settle();

  const QPoint onFrame = view.DeviceToViewport(QPoint(108, 93 + 30));  // the title's left edge
  const auto frame = [&] { return rig.Grab(doc).pixel(onFrame); };
  const QRgb purple = qRgb(128, 0, 128), selected = qRgb(255, 0, 255);
  ASSERT_EQ(frame(), selected);
  const int before = view.Passes();
  window.activateWindow();  // the person comes back to the document's window
  ASSERT_TRUE(WaitUntil([&] { return window.isActiveWindow(); }));
  QTest::keyClick(&window, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_TRUE(WaitUntil([&] { return frame() == purple; }, 1000)) << "the restored block flashes";
  // The view is drawn again and again while the block flashes, then stops.
  int seen = view.Passes();
  EXPECT_TRUE(WaitUntil([&] {
    QTest::qWait(200);
    return std::exchange(seen, view.Passes()) == view.Passes();
  }, 15000));
  EXPECT_NEAR(view.Passes() - before, 300, 2) << "three flashes of 100 passes each";
  EXPECT_EQ(frame(), selected);
  QPDF qpdf;
  EXPECT_TRUE(SaveAndRead("undone.pdf", qpdf).hasKey("/Title")) << "the undo restored the name";
}

QAction* Titled(QMenu& menu, const QString& title) {
  for (QAction* action : menu.actions())
    if (action->text() == title) return action;
  return nullptr;
}

TEST_F(BlockToolOnScreen, TheContextMenuListsTheBlocksUnderThePointerAndLocksTheSelection) {
  ChooseTheBlockTool();
  QMenu* top = nullptr;
  person.Then([] { return ActivePopup() != nullptr; }, [&] {
    top = ActivePopup();
    QAction* here = Titled(*top, "Blocks Here");
    ASSERT_TRUE(here && here->menu());
    ASSERT_EQ(here->menu()->actions().size(), 1);
    EXPECT_EQ(here->menu()->actions()[0]->text(), "Title");
    top->setActiveAction(Titled(*top, "Lock"));
    QTest::keyClick(top, Qt::Key_Right);
  });
  person.Then([&] { return ActivePopup() && ActivePopup() != top; }, [&] {
    QMenu* lock = ActivePopup();
    QAction* item = Titled(*lock, "Lock");
    ASSERT_TRUE(item);
    EXPECT_TRUE(item->isEnabled());
    lock->setActiveAction(item);
    QTest::keyClick(lock, Qt::Key_Return);
  });
  QTest::mouseClick(view.viewport(), Qt::RightButton, Qt::NoModifier, view.DeviceToViewport(kOnTitle));
  ASSERT_TRUE(person.Done());
  EXPECT_FALSE(ActivePopup());
  QPDF qpdf;
  EXPECT_EQ(SaveAndRead("locked.pdf", qpdf).getKey("/Title").getKey("/Locked").unparse(), "true");
}

}  // namespace
}  // namespace korvid::qttest
