#include <gtest/gtest.h>

#include "viewer/pdf/PageContentFixture.h"

namespace {

using korvid::test::NewStream;
using korvid::test::Outline;
using korvid::test::PageContentFixture;

void AddFont(QPDF&, QPDFObjectHandle page) {
  page.replaceKey("/Resources", QPDFObjectHandle::parse(
                                    "<< /Font << /F1 << /Type /Font /Subtype /Type1 /BaseFont /Helvetica >> >> >>"));
}

std::string Replaced(std::string text, const std::string& span, const std::string& by) {
  const size_t at = text.find(span);
  EXPECT_NE(at, std::string::npos) << span;
  return at == std::string::npos ? text : text.replace(at, span.size(), by);
}

TEST(ContentRemoval, OnlyTheRemovedSpanChangesAndTheFileStaysValid) {
  const std::string page =
      "q 1 0 0 rg 10 20 100 50 re f Q\n0 0 1 RG 2 w 200 200 m 300 250 l S\nBT /F1 12 Tf 100 700 Td (Hi) Tj ET\n";
  PageContentFixture fixture(page, AddFont);
  host::PDEContentRef content = fixture.Acquire();
  ASSERT_EQ(Outline(*content), "Path Path Text");
  fixture.Doc().ClearFlags(host::kPDDocNeedsSave);

  content->RemoveElem(1);
  EXPECT_EQ(Outline(*content), "Path Text");
  EXPECT_EQ(fixture.PageBytes(), page);  // nothing changes before the write-back
  fixture.WriteBack(content);
  fixture.Release();

  EXPECT_EQ(fixture.PageBytes(), Replaced(page, "200 200 m 300 250 l S", " "));
  EXPECT_TRUE(fixture.Doc().Flags() & host::kPDDocNeedsSave);
  fixture.Doc().Save(fixture.Doc().Path(), host::kPDSaveFull);
  EXPECT_TRUE(korvid::test::QpdfCheckPasses(fixture.Folder() / "page.pdf"));
  korvid::test::OpenDoc reopened(fixture.Folder() / "page.pdf");
  auto table = viewer::pdf::MakePageContentTable(reopened.atoms);
  EXPECT_EQ(Outline(*table->AcquirePageContent(reopened->AcquirePage(0), PageContentFixture::Owner())), "Path Text");
}

TEST(ContentRemoval, WhatTheRestOfThePageDependsOnStays) {
  struct Case {
    std::string what;
    std::string page;
    int remove;
    std::string span;
    std::string replacement;
  };
  const Case cases[] = {
      {"colour set inside a container", "/A BMC 1 0 0 rg q 0 0 1 RG 5 5 m 9 9 l S Q 0 0 5 5 re f EMC 0 0 9 9 re f", 0,
       "/A BMC 1 0 0 rg q 0 0 1 RG 5 5 m 9 9 l S Q 0 0 5 5 re f EMC", " 1 0 0 rg "},
      {"text state outlives its text object", "BT /F1 12 Tf 5 Tc 0 0 Td (x) Tj ET BT (y) Tj ET", 0,
       "BT /F1 12 Tf 5 Tc 0 0 Td (x) Tj ET", " /F1 12 Tf 5 Tc "},
      {"a clipping path keeps clipping", "q 0 0 50 50 re W n 0 0 9 9 re f Q", 0, "0 0 50 50 re W n",
       " 0 0 50 50 re W n "},
      {"a q left open stays open", "/A BMC q 1 0 0 1 5 5 cm EMC 0 0 9 9 re f Q", 0,
       "/A BMC q 1 0 0 1 5 5 cm EMC", " q 1 0 0 1 5 5 cm "},
      {"an inline image", "q 9 0 0 9 0 0 cm BI /W 1 /H 1 /BPC 8 /CS /G ID x EI Q", 0,
       "BI /W 1 /H 1 /BPC 8 /CS /G ID x EI", " "},
      {"unreadable bytes around", "0 0 10 10 re f ) ] garbage 5 5 1 1 re S (unterminated", 0, "0 0 10 10 re f", " "},
  };
  for (const auto& c : cases) {
    PageContentFixture fixture(c.page, AddFont);
    host::PDEContentRef content = fixture.Acquire();
    ASSERT_GT(content->NumElems(), c.remove) << c.what;
    content->RemoveElem(c.remove);
    fixture.WriteBack(content);
    fixture.Release();
    EXPECT_EQ(fixture.PageBytes(), Replaced(c.page, c.span, c.replacement)) << c.what;
  }
}

TEST(ContentRemoval, SeveralContentStreamsAreJoinedIntoOne) {
  PageContentFixture fixture("", [](QPDF& qpdf, QPDFObjectHandle page) {
    page.replaceKey("/Contents", QPDFObjectHandle::newArray({QPDFObjectHandle::newStream(&qpdf, "0 0 5 5 re f"),
                                                             QPDFObjectHandle::newStream(&qpdf, "1 1 5 5 re f\n")}));
  });
  host::PDEContentRef content = fixture.Acquire();
  ASSERT_EQ(Outline(*content), "Path Path");
  content->RemoveElem(0);
  fixture.WriteBack(content);
  fixture.Release();
  EXPECT_EQ(fixture.PageBytes(), " \n1 1 5 5 re f\n");
}

// Removes every container tagged `tag` with what it holds, searching inside
// other containers, from the last element to the first.
int ClearContainers(host::PDEContent& content, host::ASAtom tag) {
  int removed = 0;
  for (int i = content.NumElems() - 1; i >= 0; --i) {
    host::PDEElementRef element = content.GetElem(i);
    if (element->Type() != host::PDEType::Container) continue;
    if (element->ContainerTag() == tag) {
      auto inner = element->Content();
      while (inner->NumElems() > 0) inner->RemoveElem(inner->NumElems() - 1);
      content.RemoveElem(i);
      ++removed;
    } else {
      removed += ClearContainers(*element->Content(), tag);
    }
  }
  return removed;
}

TEST(ContentRemoval, ContainersAndWhatTheyHoldAreRemovedAtAnyDepth) {
  const std::string first = "/Zolt.block BMC 1 1 2 2 re f BT /F1 9 Tf (b) Tj ET EMC";
  const std::string second = "/Zolt.block BMC 3 3 1 1 re S EMC";
  const std::string page = "0 0 1 1 re f " + first + " /Other BMC " + second + " EMC 9 9 1 1 re f";
  PageContentFixture fixture(page, AddFont);
  host::PDEContentRef content = fixture.Acquire();
  EXPECT_EQ(ClearContainers(*content, fixture.Atoms().Atom("Zolt.block")), 2);
  EXPECT_EQ(Outline(*content), "Path Container{} Path");
  fixture.WriteBack(content);
  fixture.Release();
  EXPECT_EQ(fixture.PageBytes(), Replaced(Replaced(page, first, " /F1 9 Tf "), second, " "));
}

TEST(ContentRemoval, RemovingInsideAFormRewritesTheFormsOwnStream) {
  QPDFObjectHandle form;
  PageContentFixture fixture("/Fm1 Do 5 5 1 1 re f", [&](QPDF& qpdf, QPDFObjectHandle page) {
    form = NewStream(qpdf, "<< /Type /XObject /Subtype /Form /BBox [0 0 10 10] >>", "0 0 1 1 re f 2 2 1 1 re S");
    QPDFObjectHandle resources = QPDFObjectHandle::parse("<< /XObject << >> >>");
    resources.getKey("/XObject").replaceKey("/Fm1", form);
    page.replaceKey("/Resources", resources);
  });
  const std::string pageBytes = fixture.PageBytes();
  host::CosObj pageContents = fixture.Page()->GetCosObj().DictGet("Contents");
  host::PDEContentRef content = fixture.Acquire();
  ASSERT_EQ(Outline(*content), "Form{Path Path} Path");
  content->GetElem(0)->Content()->RemoveElem(1);
  fixture.WriteBack(content);
  fixture.Release();

  host::CosObj formStream =
      fixture.Page()->GetCosObj().DictGet("Resources").DictGet("XObject").DictGet("Fm1");
  EXPECT_EQ(formStream.StreamDecoded(1000), "0 0 1 1 re f  ");
  EXPECT_EQ(fixture.PageBytes(), pageBytes);
  EXPECT_TRUE(fixture.Page()->GetCosObj().DictGet("Contents") == pageContents);
  EXPECT_EQ(Outline(*fixture.Acquire()), "Form{Path} Path");
  fixture.Release();
}

TEST(ContentRemoval, WritingBackAgainAppliesEveryRemovalToTheOriginalOnce) {
  const std::string page = "0 0 1 1 re f 1 1 1 1 re f 2 2 1 1 re f";
  PageContentFixture fixture(page);
  host::PDEContentRef content = fixture.Acquire();
  content->RemoveElem(2);
  fixture.WriteBack(content);
  content->RemoveElem(0);
  fixture.WriteBack(content);
  fixture.WriteBack(content);
  fixture.Release();
  EXPECT_EQ(fixture.PageBytes(), "  1 1 1 1 re f  ");
}

TEST(ContentRemoval, OnlyTheAcquiredContentOfThePageIsWrittenBack) {
  PageContentFixture fixture("0 0 1 1 re f");
  host::PDEContentRef content = fixture.Acquire();
  PageContentFixture other("0 0 1 1 re f");
  host::PDEContentRef foreign = other.Acquire();
  EXPECT_EQ(korvid::test::ErrorOf([&] { fixture.WriteBack(foreign); }), host::kErrBadParameter);
  fixture.Release();
  EXPECT_EQ(korvid::test::ErrorOf([&] { fixture.WriteBack(content); }), host::kErrBadParameter);
  other.Release();
}

}  // namespace
