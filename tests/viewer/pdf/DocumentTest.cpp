#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "viewer/pdf/PdfTestSupport.h"

namespace {

using host::CosObj;
using korvid::test::AddPage;
using korvid::test::ErrorOf;
using korvid::test::OpenDoc;
using korvid::test::ScratchFolder;

QPDFObjectHandle Numbers(std::initializer_list<double> values) {
  QPDFObjectHandle array = QPDFObjectHandle::newArray();
  for (double v : values) array.appendItem(QPDFObjectHandle::newReal(v, 2, true));
  return array;
}

TEST(PdfDocument, OpenReportsMissingAndUnreadableFilesAndRepairsDamagedOnes) {
  ScratchFolder folder;
  korvid::test::TestAtoms atoms;
  korvid::test::RecordingEvents events;
  const auto open = [&](const std::filesystem::path& path) { viewer::pdf::PdfDocument::Open(path, events, atoms); };

  EXPECT_EQ(ErrorOf([&] { open(folder / "missing.pdf"); }), host::kErrFileNotFound);
  EXPECT_EQ(ErrorOf([&] { open(folder.Path()); }), host::kErrBadFile);
  std::ofstream(folder / "text.pdf") << "not a PDF at all\n";
  EXPECT_EQ(ErrorOf([&] { open(folder / "text.pdf"); }), host::kErrBadFile);

  // A wrong cross-reference offset: qpdf rebuilds the table.
  korvid::test::WriteOnePagePdf(folder / "damaged.pdf");
  std::string bytes = korvid::test::ReadFile(folder / "damaged.pdf");
  const size_t at = bytes.rfind("startxref\n") + 10;
  bytes.replace(at, bytes.find('\n', at) - at, "12");
  std::ofstream(folder / "damaged.pdf", std::ios::binary) << bytes;
  OpenDoc damaged(folder / "damaged.pdf");
  EXPECT_EQ(damaged->NumPages(), 1);
  EXPECT_EQ(damaged->Path().Str(), (folder / "damaged.pdf").string());
}

TEST(PdfDocument, PageBoxesInheritAndDefaultAndRotationIsNormalised) {
  ScratchFolder folder;
  korvid::test::WritePdf(folder / "boxes.pdf", [](QPDF& qpdf) {
    AddPage(qpdf, {});                                   // crop box: the media box
    AddPage(qpdf, {}).replaceKey("/CropBox", Numbers({700, 800, 10, 20}));  // corners in any order, clipped
    AddPage(qpdf, {}).replaceKey("/Rotate", QPDFObjectHandle::newInteger(-90));
    AddPage(qpdf, {}).replaceKey("/Rotate", QPDFObjectHandle::newInteger(450));
    QPDFObjectHandle pages = qpdf.getRoot().getKey("/Pages");
    pages.replaceKey("/Rotate", QPDFObjectHandle::newInteger(180));  // inherited by the first two
    pages.replaceKey("/CropBox", Numbers({1, 2, 300, 400}));
  });
  OpenDoc open(folder / "boxes.pdf");
  const auto fixed = [](double l, double t, double r, double b) {
    return host::ASFixedRect{host::FloatToFixed(l), host::FloatToFixed(t), host::FloatToFixed(r), host::FloatToFixed(b)};
  };
  struct Case {
    int page;
    host::ASFixedRect crop;
    int rotation;
  };
  const Case cases[] = {
      {0, fixed(1, 400, 300, 2), 180},
      {1, fixed(10, 792, 612, 20), 180},
      {2, fixed(1, 400, 300, 2), 270},
      {3, fixed(1, 400, 300, 2), 90},
  };
  for (const auto& c : cases) {
    host::PDPage page = open->AcquirePage(c.page);
    EXPECT_EQ(page->CropBox(), c.crop) << c.page;
    EXPECT_EQ(page->MediaBox(), fixed(0, 792, 612, 0)) << c.page;
    EXPECT_EQ(page->Rotate(), c.rotation) << c.page;
    EXPECT_EQ(page->Number(), c.page);
    EXPECT_EQ(open->PageIndexOf(page->GetCosObj()), c.page);
  }
  EXPECT_EQ(ErrorOf([&] { open->AcquirePage(4); }), host::kErrPageRange);
  EXPECT_EQ(open->PageIndexOf(open->Catalog()), -1);
}

TEST(PdfDocument, FlippedMatrixPutsTheOriginAtTheTopLeftOfTheDisplayedCropBox) {
  ScratchFolder folder;
  const int rotations[] = {0, 90, 180, 270};
  korvid::test::WritePdf(folder / "rotated.pdf", [&](QPDF& qpdf) {
    for (int rotation : rotations) {
      QPDFObjectHandle page = AddPage(qpdf, {});
      page.replaceKey("/CropBox", Numbers({10, 20, 210, 320}));
      page.replaceKey("/Rotate", QPDFObjectHandle::newInteger(rotation));
    }
  });
  OpenDoc open(folder / "rotated.pdf");
  // The point (50, 70) of a crop box L 10, B 20, R 210, T 320 on the displayed page.
  const std::pair<double, double> expected[] = {{40, 250}, {50, 40}, {160, 50}, {250, 160}};
  for (int i = 0; i < 4; ++i) {
    const host::ASFixedMatrix m = open->AcquirePage(i)->FlippedMatrix();
    const double x = 50, y = 70;
    const double dx = host::FixedToFloat(m.a) * x + host::FixedToFloat(m.c) * y + host::FixedToFloat(m.h);
    const double dy = host::FixedToFloat(m.b) * x + host::FixedToFloat(m.d) * y + host::FixedToFloat(m.v);
    EXPECT_DOUBLE_EQ(dx, expected[i].first) << rotations[i];
    EXPECT_DOUBLE_EQ(dy, expected[i].second) << rotations[i];
  }
}

TEST(PdfDocument, PermissionsComeFromTheEncryptionDictionary) {
  ScratchFolder folder;
  korvid::test::WriteOnePagePdf(folder / "plain.pdf");
  const std::string command = "qpdf --encrypt '' owner 256 --print=none --modify=none -- '" +
                              (folder / "plain.pdf").string() + "' '" + (folder / "locked.pdf").string() + "'";
  ASSERT_EQ(std::system(command.c_str()), 0);

  QPDF reference;
  reference.processFile((folder / "locked.pdf").c_str());
  const auto p = static_cast<std::int32_t>(reference.getTrailer().getKey("/Encrypt").getKey("/P").getIntValue());

  OpenDoc locked(folder / "locked.pdf");
  EXPECT_EQ(locked->Permissions(), p);
  EXPECT_EQ(locked->Permissions() & 0x4, 0);  // printing not permitted
  EXPECT_EQ(OpenDoc(folder / "plain.pdf")->Permissions(), host::kPDPermAll);

  // A save keeps the encryption and its restrictions.
  locked->Catalog().DictPut("Saved", locked->GetCosDoc()->NewBoolean(false, true));
  locked->Save(host::ASPathName((folder / "saved.pdf").string()), host::kPDSaveFull);
  EXPECT_TRUE(korvid::test::QpdfCheckPasses(folder / "saved.pdf"));
  OpenDoc saved(folder / "saved.pdf");
  EXPECT_EQ(saved->Permissions(), p);
  EXPECT_TRUE(saved->Catalog().DictGet("Saved").BooleanValue());
}

TEST(PdfDocument, AnnotationsOfAPage) {
  ScratchFolder folder;
  korvid::test::WritePdf(folder / "annots.pdf", [](QPDF& qpdf) {
    QPDFObjectHandle page = AddPage(qpdf, {});
    AddPage(qpdf, {});
    QPDFObjectHandle widget = qpdf.makeIndirectObject(QPDFObjectHandle::parse(
        "<< /Type /Annot /Subtype /Widget /Rect [200 300 100 250] /F 4 /T (field) >>"));
    widget.replaceKey("/P", page);
    QPDFObjectHandle note = QPDFObjectHandle::parse("<< /Type /Annot /Subtype /Text /Rect [0 0 10 10] >>");
    page.replaceKey("/Annots", QPDFObjectHandle::newArray({widget, note}));
  });
  OpenDoc open(folder / "annots.pdf");
  host::PDPage page = open->AcquirePage(0);
  ASSERT_EQ(page->NumAnnots(), 2);
  host::PDAnnot widget = page->GetAnnot(0);
  EXPECT_TRUE(widget.IsValid());
  EXPECT_EQ(widget.Subtype(), open.atoms.Atom("Widget"));
  EXPECT_EQ(widget.Flags(), host::kPDAnnotPrint);
  EXPECT_EQ(widget.Rect(), (host::ASFixedRect{100 * host::fixedOne, 300 * host::fixedOne, 200 * host::fixedOne,
                                              250 * host::fixedOne}));
  EXPECT_TRUE(widget.Page() == page->GetCosObj());
  EXPECT_TRUE(page->GetAnnot(1).Page() == page->GetCosObj());  // found without a P entry
  EXPECT_EQ(page->GetAnnotIndex(page->AnnotFromCosObj(widget.GetCosObj())), 0);
  EXPECT_EQ(page->GetAnnotIndex(page->GetAnnot(1)), 1);
  EXPECT_EQ(open->AcquirePage(1)->GetAnnotIndex(widget), -1);

  open->ClearFlags(host::kPDDocNeedsSave);
  widget.SetFlags(host::kPDAnnotPrint | host::kPDAnnotHidden);
  EXPECT_EQ(widget.Flags(), host::kPDAnnotPrint | host::kPDAnnotHidden);
  EXPECT_TRUE(open->Flags() & host::kPDDocNeedsSave);

  page->RemoveAnnot(0);
  EXPECT_EQ(page->NumAnnots(), 1);
  EXPECT_EQ(page->GetAnnotIndex(widget), -1);
  EXPECT_EQ(ErrorOf([&] { page->RemoveAnnot(5); }), host::kErrBadParameter);
  EXPECT_EQ(ErrorOf([&] { page->GetAnnot(-1); }), host::kErrBadParameter);
}

TEST(PdfDocument, AMemoryCopyForDisplayShowsWidgetsAsStampsAndLeavesTheDocumentAlone) {
  ScratchFolder folder;
  korvid::test::WritePdf(folder / "form.pdf", [](QPDF& qpdf) {
    QPDFObjectHandle page = AddPage(qpdf, {});
    QPDFObjectHandle widget = qpdf.makeIndirectObject(
        QPDFObjectHandle::parse("<< /Type /Annot /Subtype /Widget /Rect [0 0 10 10] /F 4 /T (field) >>"));
    page.replaceKey("/Annots", QPDFObjectHandle::newArray({widget}));
  });
  OpenDoc open(folder / "form.pdf");
  EXPECT_EQ(open->Revision(), 0u);
  const auto subtypeIn = [](const std::string& bytes) {
    QPDF copy;
    copy.processMemoryFile("copy", bytes.data(), bytes.size());
    QPDFObjectHandle page = copy.getAllPages().front();
    return page.getKey("/Annots").getArrayItem(0).getKey("/Subtype").getName();
  };
  EXPECT_EQ(subtypeIn(open->WriteToMemory()), "/Widget");
  EXPECT_EQ(subtypeIn(open->WriteToMemory(viewer::pdf::PdfDocument::MemoryCopy::ForDisplay)), "/Stamp");
  host::PDAnnot widget = open->AcquirePage(0)->GetAnnot(0);
  EXPECT_EQ(widget.Subtype(), open.atoms.Atom("Widget"));
  EXPECT_EQ(open->Revision(), 0u);  // writing a copy changes nothing
  EXPECT_FALSE(open->Flags() & host::kPDDocNeedsSave);
  widget.SetFlags(host::kPDAnnotHidden);
  EXPECT_EQ(open->Revision(), 1u);
}

TEST(PdfDocument, NewDocumentGetsRealPagesWhereAsked) {
  ScratchFolder folder;
  OpenDoc open;
  EXPECT_TRUE(open->Path().IsNull());
  const auto box = [](int width) { return host::ASFixedRect{0, 200 * host::fixedOne, width * host::fixedOne, 0}; };
  open->CreatePage(-1, box(100));  // [100]
  open->CreatePage(0, box(300));   // [100 300]
  open->CreatePage(-1, box(50));   // [50 100 300]
  open->CreatePage(1, box(75));    // [50 100 75 300]
  EXPECT_EQ(ErrorOf([&] { open->CreatePage(4, box(1)); }), host::kErrPageRange);
  open->Save(host::ASPathName((folder / "new.pdf").string()), host::kPDSaveFull);
  ASSERT_TRUE(korvid::test::QpdfCheckPasses(folder / "new.pdf"));

  OpenDoc reopened(folder / "new.pdf");
  ASSERT_EQ(reopened->NumPages(), 4);
  const int widths[] = {50, 100, 75, 300};
  for (int i = 0; i < 4; ++i) {
    host::PDPage page = reopened->AcquirePage(i);
    EXPECT_EQ(page->MediaBox().right, widths[i] * host::fixedOne);
    EXPECT_TRUE(page->GetCosObj().DictGet("Contents").Type() == host::CosType::Stream);
    EXPECT_TRUE(page->GetCosObj().DictGet("Resources").IsDict());
  }
}

TEST(PdfDocument, CloseAndContentChangesAreToldToTheViewer) {
  OpenDoc open;
  host::PDPage page = open->CreatePage(-1, {0, 10 * host::fixedOne, 10 * host::fixedOne, 0});
  page->NotifyContentsDidChange();
  open->Close();
  EXPECT_EQ(open.events.log, (std::vector<std::string>{"contents-changed 0", "close"}));
  EXPECT_TRUE(page->Doc() == open.doc.get());
}

}  // namespace
