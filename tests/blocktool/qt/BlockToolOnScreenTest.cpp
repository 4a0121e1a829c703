// The block tool in the desktop viewer, as a person uses it: the module is
// loaded from a plug-ins folder by the host's loader, the tool is chosen by
// its button, a block is drawn with the mouse on the example page at 150 %,
// confirmed in the properties dialog and nudged with the arrow keys. What is
// on screen is checked at known places and written to the build folder; the
// blocks are read back from the saved files with qpdf.
#include <filesystem>
#include <string>

#include <QAction>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolBar>

#include <gtest/gtest.h>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>

#include "support/TempDir.h"
#include "viewer/core/PageView.h"
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

QString ScreenshotPath(const QString& name) {
  const QString folder = KORVID_BINARY_DIR "/screenshots";
  QDir().mkpath(folder);
  return folder + "/" + name;
}

void SaveScreenshot(const QImage& image, const QString& name) {
  const QString path = ScreenshotPath(name);
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

  // The page rectangle a device rectangle of the view stands for.
  static PageRect OnPage(const QRect& device) {
    return {device.left() / kZoom, kPageHeight - (device.bottom() + 1) / kZoom, (device.right() + 1) / kZoom,
            kPageHeight - device.top() / kZoom};
  }

  // Saves the document as name; the rectangles of the blocks of its first page, by name.
  std::map<std::string, PageRect> SaveAs(const std::string& name) {
    const std::string path = folder.File(name);
    doc.GetPDDoc()->Save(host::ASPathName(path), host::kPDSaveFull);
    EXPECT_TRUE(korvid::test::QpdfCheckPasses(path));
    QPDF qpdf;
    qpdf.processFile(path.c_str());
    QPDFObjectHandle blocks = QPDFPageDocumentHelper(qpdf).getAllPages().at(0).getObjectHandle()
                                  .getKey("/PieceInfo").getKey("/Korvid").getKey("/Private").getKey("/Blocks");
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

}  // namespace
}  // namespace korvid::qttest
