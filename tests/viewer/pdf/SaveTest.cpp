#include <gtest/gtest.h>

#include <sys/stat.h>

#include "viewer/pdf/PdfTestSupport.h"

namespace {

using host::CosObj;
using korvid::test::AddPage;
using korvid::test::ErrorOf;
using korvid::test::OpenDoc;
using korvid::test::ScratchFolder;

constexpr int kPages = 40;

// Pages that each carry an indirect dictionary and their own content, so
// that objects are still unread long after the document was opened.
void WriteManyPages(const std::filesystem::path& path) {
  korvid::test::WritePdf(path, [](QPDF& qpdf) {
    for (int i = 0; i < kPages; ++i) {
      QPDFObjectHandle page = AddPage(qpdf, {"0 0 " + std::to_string(i + 1) + " 10 re f", QPDFObjectHandle::newNull()});
      QPDFObjectHandle info = QPDFObjectHandle::newDictionary();
      info.replaceKey("/Number", QPDFObjectHandle::newInteger(i));
      page.replaceKey("/Info", qpdf.makeIndirectObject(info));
    }
  });
}

void ExpectPageReadable(viewer::pdf::PdfDocument& doc, int i) {
  CosObj page = doc.AcquirePage(i)->GetCosObj();
  EXPECT_EQ(page.DictGet("Info").DictGet("Number").IntegerValue(), i);
  EXPECT_EQ(page.DictGet("Contents").StreamDecoded(1000), "0 0 " + std::to_string(i + 1) + " 10 re f");
}

TEST(Save, NotifiesAroundTheWriteKeepsHandlerChangesAndTakesTheNewPath) {
  ScratchFolder folder;
  korvid::test::WriteOnePagePdf(folder / "in.pdf");
  OpenDoc open(folder / "in.pdf");
  open.events.onWillSave = [](viewer::pdf::PdfDocument& doc) {
    doc.Catalog().DictPut("Written", doc.GetCosDoc()->NewBoolean(false, true));
  };
  open->SetFlags(host::kPDDocNeedsSave);
  open->Save(host::ASPathName((folder / "out.pdf").string()), host::kPDSaveFull | host::kPDSaveCollectGarbage);

  EXPECT_EQ(open.events.log, (std::vector<std::string>{"will-save 33", "did-save 0"}));
  EXPECT_EQ(open->Path().Str(), (folder / "out.pdf").string());
  EXPECT_FALSE(open->Flags() & host::kPDDocNeedsSave);
  EXPECT_TRUE(korvid::test::QpdfCheckPasses(folder / "out.pdf"));
  EXPECT_TRUE(OpenDoc(folder / "out.pdf")->Catalog().DictGet("Written").BooleanValue());
}

TEST(Save, AFailedWriteLeavesTheOriginalUntouchedAndNoTemporaryFile) {
  for (std::int64_t failAfter : {0, 1, 200, 2000}) {
    ScratchFolder folder;
    WriteManyPages(folder / "doc.pdf");
    const std::string original = korvid::test::ReadFile(folder / "doc.pdf");
    OpenDoc open(folder / "doc.pdf");
    open->Catalog().DictPut("Changed", open->GetCosDoc()->NewInteger(false, 1));
    open->FailWritesAfterBytesForTesting(failAfter);

    EXPECT_EQ(ErrorOf([&] { open->Save(open->Path(), host::kPDSaveFull); }), host::kErrFileWrite) << failAfter;
    EXPECT_EQ(korvid::test::ReadFile(folder / "doc.pdf"), original) << failAfter;
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"doc.pdf"}) << failAfter;
    EXPECT_EQ(open.events.log.back(), "did-save " + std::to_string(host::kErrFileWrite));
    EXPECT_TRUE(open->Flags() & host::kPDDocNeedsSave);

    open->FailWritesAfterBytesForTesting(-1);  // the document is still whole: a retry succeeds
    open->Save(open->Path(), host::kPDSaveFull);
    EXPECT_TRUE(korvid::test::QpdfCheckPasses(folder / "doc.pdf"));
  }
}

TEST(Save, ATargetFolderThatVanishedIsAnErrorAndLeavesTheSourceAlone) {
  ScratchFolder folder;
  korvid::test::WriteOnePagePdf(folder / "doc.pdf");
  const std::string original = korvid::test::ReadFile(folder / "doc.pdf");
  std::filesystem::create_directory(folder / "gone");
  OpenDoc open(folder / "doc.pdf");
  std::filesystem::remove(folder / "gone");

  EXPECT_EQ(ErrorOf([&] { open->Save(host::ASPathName((folder / "gone" / "out.pdf").string()), 0); }),
            host::kErrFileWrite);
  EXPECT_EQ(korvid::test::ReadFile(folder / "doc.pdf"), original);
  EXPECT_EQ(folder.Names(), std::vector<std::string>{"doc.pdf"});
  EXPECT_EQ(open->Path().Str(), (folder / "doc.pdf").string());
}

TEST(Save, LazilyReadObjectsStayReadableAfterSavingOverTheFileAndElsewhere) {
  ScratchFolder folder;
  WriteManyPages(folder / "doc.pdf");
  const std::string original = korvid::test::ReadFile(folder / "doc.pdf");
  OpenDoc open(folder / "doc.pdf");
  ExpectPageReadable(*open.doc, 0);
  host::CosObj catalog = open->Catalog();

  catalog.DictPut("Saved", open->GetCosDoc()->NewInteger(false, 1));
  open->Save(open->Path(), host::kPDSaveFull);
  EXPECT_NE(korvid::test::ReadFile(folder / "doc.pdf"), original);
  for (int i = kPages - 1; i > kPages / 2; --i) ExpectPageReadable(*open.doc, i);

  open->Save(host::ASPathName((folder / "copy.pdf").string()), host::kPDSaveFull);
  for (int i = 1; i <= kPages / 2; ++i) ExpectPageReadable(*open.doc, i);
  EXPECT_EQ(catalog.DictGet("Saved").IntegerValue(), 1);  // the same open document, same objects

  open->Save(host::ASPathName((folder / "doc.pdf").string()), host::kPDSaveFull);
  for (const char* name : {"doc.pdf", "copy.pdf"}) {
    EXPECT_TRUE(korvid::test::QpdfCheckPasses(folder / name)) << name;
    OpenDoc saved(folder / name);
    ASSERT_EQ(saved->NumPages(), kPages);
    for (int i = 0; i < kPages; ++i) ExpectPageReadable(*saved.doc, i);
  }
}

TEST(Save, ASavedFileKeepsThePermissionsOfTheFileItReplaces) {
  ScratchFolder folder;
  korvid::test::WriteOnePagePdf(folder / "doc.pdf");
  ::chmod((folder / "doc.pdf").c_str(), 0640);
  OpenDoc open(folder / "doc.pdf");
  open->Save(open->Path(), 0);
  struct stat st {};
  ASSERT_EQ(::stat((folder / "doc.pdf").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
}

}  // namespace
