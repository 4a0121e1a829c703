#include <gtest/gtest.h>

#include "viewer/pdf/PageContentFixture.h"

namespace {

using host::FloatToFixed;
using host::PDEType;
using korvid::test::NewStream;
using korvid::test::Outline;
using korvid::test::PageContentFixture;

void ExpectBox(const host::ASFixedRect& actual, double left, double bottom, double right, double top) {
  const double tolerance = 0.01;
  EXPECT_NEAR(host::FixedToFloat(actual.left), left, tolerance);
  EXPECT_NEAR(host::FixedToFloat(actual.bottom), bottom, tolerance);
  EXPECT_NEAR(host::FixedToFloat(actual.right), right, tolerance);
  EXPECT_NEAR(host::FixedToFloat(actual.top), top, tolerance);
}

// Helvetica without widths (the standard font's metrics apply), a font with
// its own widths, a composite font, an image, a form and a spot colour.
void AddResources(QPDF& qpdf, QPDFObjectHandle page) {
  QPDFObjectHandle resources = QPDFObjectHandle::parse(R"(<<
    /Font << /F1 << /Type /Font /Subtype /Type1 /BaseFont /Helvetica /Encoding /WinAnsiEncoding >>
             /F2 << /Type /Font /Subtype /Type1 /BaseFont /ABCDEF+Custom /FirstChar 65 /Widths [600 400]
                    /FontDescriptor << /Type /FontDescriptor /Flags 32 /Ascent 700 /Descent -300 >> >>
             /F3 << /Type /Font /Subtype /Type0 /BaseFont /Wide /Encoding /Identity-H
                    /DescendantFonts [<< /Type /Font /Subtype /CIDFontType2 /DW 1000 /W [1 [500 700]] >>] >> >>
    /ColorSpace << /CS1 [/Separation /Spot /DeviceCMYK
                          << /FunctionType 2 /Domain [0 1] /C0 [0 0 0 0] /C1 [1 0 0 0] /N 1 >>] >>
  >>)");
  QPDFObjectHandle xobjects = QPDFObjectHandle::newDictionary();
  xobjects.replaceKey("/Im1", NewStream(qpdf, "<< /Type /XObject /Subtype /Image /Width 1 /Height 1 "
                                              "/BitsPerComponent 8 /ColorSpace /DeviceGray >>", "x"));
  xobjects.replaceKey("/Fm1", NewStream(qpdf, "<< /Type /XObject /Subtype /Form /BBox [0 0 30 30] "
                                              "/Matrix [1 0 0 1 50 60] >>", "0 0 10 10 re f"));
  resources.replaceKey("/XObject", xobjects);
  page.replaceKey("/Resources", resources);
}

const char* kPage =
    "q 1 0 0 rg 10 20 100 50 re f Q\n"
    "0 0 1 RG 2 w 200 200 m 300 250 l S\n"
    "BT /F1 12 Tf 2 Tc 100 700 Td (Hello) Tj ET\n"
    "q 50 0 0 40 300 400 cm /Im1 Do Q\n"
    "q 20 0 0 10 400 500 cm BI /W 1 /H 1 /BPC 8 /CS /G ID x EI Q\n"
    "/Fm1 Do\n"
    "/A BMC /B <</MCID 0>> BDC 0 0 5 5 re S EMC EMC\n"
    "/CS1 cs 0.5 scn 500 500 10 10 re f\n"
    "0.1 0.2 0.3 0.4 k 520 520 5 5 re f\n";

TEST(PageContent, ElementsOfAHandWrittenPageWithTheirBoxes) {
  PageContentFixture fixture(kPage, AddResources);
  host::PDEContentRef content = fixture.Acquire();
  ASSERT_EQ(Outline(*content), "Path Path Text Image Image Form{Path} Container{Container{Path}} Path Path");

  ExpectBox(content->GetElem(0)->BBox(), 10, 20, 110, 70);
  ExpectBox(content->GetElem(1)->BBox(), 200, 200, 300, 250);
  ExpectBox(content->GetElem(3)->BBox(), 300, 400, 350, 440);
  ExpectBox(content->GetElem(4)->BBox(), 400, 500, 420, 510);
  ExpectBox(content->GetElem(5)->BBox(), 50, 60, 80, 90);
  ExpectBox(content->GetElem(5)->Content()->GetElem(0)->BBox(), 50, 60, 60, 70);  // under the form's matrix
  ExpectBox(content->GetElem(6)->BBox(), 0, 0, 5, 5);

  // Helvetica: H e l l o = 722 + 556 + 222 + 222 + 556, at 12 points, plus 2 per glyph.
  // Vertically from the bottom of "p" (-218) to the top of "d" (729).
  host::PDEElementRef text = content->GetElem(2);
  ASSERT_EQ(text->NumRuns(), 1);
  ExpectBox(text->RunBBox(0), 100, 700 - 2.616, 100 + 27.336 + 10, 700 + 8.748);
  EXPECT_EQ(text->BBox(), text->RunBBox(0));
  EXPECT_EQ(text->RunText(0), "Hello");
  EXPECT_EQ(text->RunMatrix(0), (host::ASFixedMatrix{12 * host::fixedOne, 0, 0, 12 * host::fixedOne,
                                                     100 * host::fixedOne, 700 * host::fixedOne}));
  const host::PDETextState state = text->RunTextState(0);
  EXPECT_EQ(state.setFlags, host::kPDETextCharSpacing | host::kPDETextFontSize);
  EXPECT_EQ(state.charSpacing, 2 * host::fixedOne);
  EXPECT_EQ(state.fontSize, 12 * host::fixedOne);
  EXPECT_EQ(state.hScale, 100 * host::fixedOne);
  const host::PDEFontAttrs font = text->RunFont(0);
  EXPECT_EQ(font.name, fixture.Atoms().Atom("Helvetica"));
  EXPECT_EQ(font.type, fixture.Atoms().Atom("Type1"));
  EXPECT_EQ(font.encoding, fixture.Atoms().Atom("WinAnsiEncoding"));
  fixture.Release();
}

TEST(PageContent, PathsCarryPaintOperationDataAndColours) {
  PageContentFixture fixture(kPage, AddResources);
  host::PDEContentRef content = fixture.Acquire();

  host::PDEElementRef fill = content->GetElem(0);
  EXPECT_EQ(fill->PaintOp(), host::kPDEFill);
  EXPECT_EQ(fill->PathData(), (std::vector<std::int32_t>{host::kPDERect, 10 * host::fixedOne, 20 * host::fixedOne,
                                                         100 * host::fixedOne, 50 * host::fixedOne}));
  host::PDEGraphicState fillState = fill->GState();
  EXPECT_EQ(fillState.fill.space.family, fixture.Atoms().Atom("DeviceRGB"));
  EXPECT_EQ(fillState.fill.space.numComponents, 3);
  EXPECT_EQ(fillState.fill.value[0], host::fixedOne);

  host::PDEElementRef stroke = content->GetElem(1);
  EXPECT_EQ(stroke->PaintOp(), host::kPDEStroke);
  EXPECT_EQ(stroke->PathData(), (std::vector<std::int32_t>{host::kPDEMoveTo, 200 * host::fixedOne, 200 * host::fixedOne,
                                                           host::kPDELineTo, 300 * host::fixedOne, 250 * host::fixedOne}));
  EXPECT_EQ(stroke->GState().stroke.value[2], host::fixedOne);
  EXPECT_EQ(stroke->GState().lineWidth, 2 * host::fixedOne);
  EXPECT_EQ(content->GetElem(6)->Content()->GetElem(0)->Content()->GetElem(0)->PaintOp(), host::kPDEStroke);

  host::PDEGraphicState spot = content->GetElem(7)->GState();
  EXPECT_EQ(spot.fill.space.family, fixture.Atoms().Atom("Separation"));
  EXPECT_EQ(spot.fill.space.cosObj.ArrayGet(1).NameValue(), "Spot");
  EXPECT_EQ(spot.fill.value[0], host::fixedOne / 2);

  host::PDEGraphicState cmyk = content->GetElem(8)->GState();
  EXPECT_EQ(cmyk.fill.space.family, fixture.Atoms().Atom("DeviceCMYK"));
  EXPECT_EQ(cmyk.fill.space.numComponents, 4);
  EXPECT_EQ(cmyk.fill.value[3], FloatToFixed(0.4));
  fixture.Release();
}

TEST(PageContent, ElementsOfAnotherKindRefuseTheirAccessors) {
  PageContentFixture fixture(kPage, AddResources);
  host::PDEContentRef content = fixture.Acquire();
  EXPECT_EQ(korvid::test::ErrorOf([&] { content->GetElem(0)->NumRuns(); }), host::kErrBadObjectType);
  EXPECT_EQ(korvid::test::ErrorOf([&] { content->GetElem(2)->PaintOp(); }), host::kErrBadObjectType);
  EXPECT_EQ(korvid::test::ErrorOf([&] { content->GetElem(2)->Content(); }), host::kErrBadObjectType);
  EXPECT_EQ(korvid::test::ErrorOf([&] { content->GetElem(2)->RunBBox(1); }), host::kErrBadParameter);
  EXPECT_EQ(korvid::test::ErrorOf([&] { content->GetElem(99); }), host::kErrBadParameter);
  EXPECT_EQ(content->GetElem(6)->ContainerTag(), fixture.Atoms().Atom("A"));
  EXPECT_EQ(content->GetElem(6)->Content()->GetElem(0)->ContainerTag(), fixture.Atoms().Atom("B"));
  fixture.Release();
}

TEST(PageContent, RunWidthsComeFromTheFontsWidthsAndAdjustments) {
  struct Case {
    std::string show;
    double width;
    double bottom;
    double top;
  };
  const Case cases[] = {
      {"/F2 10 Tf (AB) Tj", 10, -3, 7},             // Widths from FirstChar 65, extent from the descriptor
      {"/F2 10 Tf [(A) -1000 (B)] TJ", 20, -3, 7},  // a negative adjustment moves right
      {"/F2 10 Tf 50 Tz (AB) Tj", 5, -3, 7},        // horizontal scaling
      {"/F2 10 Tf 2 Ts (AB) Tj", 10, -1, 9},        // rise
      {"/F2 10 Tf 3 Tw (A B) Tj", 6 + 3 + 4, -3, 7},  // word spacing on the space (missing width 0)
      {"/F3 10 Tf <000100020003> Tj", 22, -2, 8},  // two-byte codes: W, then DW
  };
  for (const auto& c : cases) {
    PageContentFixture fixture("BT 100 100 Td " + c.show + " ET", AddResources);
    host::PDEContentRef content = fixture.Acquire();
    ASSERT_EQ(Outline(*content), "Text") << c.show;
    ExpectBox(content->GetElem(0)->RunBBox(0), 100, 100 + c.bottom, 100 + c.width, 100 + c.top);
    fixture.Release();
  }
}

TEST(PageContent, RunMatrixCarriesTheFontSizeThroughTurnsAndMirrors) {
  const std::pair<std::string, host::ASFixedMatrix> cases[] = {
      {"1 0 0 1 50 60", {10, 0, 0, 10, 50, 60}},
      {"0 1 -1 0 50 60", {0, 10, -10, 0, 50, 60}},
      {"0 -1 1 0 50 60", {0, -10, 10, 0, 50, 60}},
      {"-1 0 0 1 50 60", {-10, 0, 0, 10, 50, 60}},
      {"-1 0 0 -1 50 60", {-10, 0, 0, -10, 50, 60}},
  };
  for (const auto& [tm, expected] : cases) {
    PageContentFixture fixture("BT /F1 10 Tf " + tm + " Tm (A) Tj ET", AddResources);
    host::PDEContentRef content = fixture.Acquire();
    const host::ASFixedMatrix m = content->GetElem(0)->RunMatrix(0);
    const host::ASFixedMatrix scaled{expected.a * host::fixedOne, expected.b * host::fixedOne,
                                     expected.c * host::fixedOne, expected.d * host::fixedOne,
                                     expected.h * host::fixedOne, expected.v * host::fixedOne};
    EXPECT_EQ(m, scaled) << tm;
    fixture.Release();
  }
}

TEST(PageContent, OneTextElementPerTextObjectWithOneRunPerShow) {
  PageContentFixture fixture(
      "BT /F1 10 Tf 0 0 Td (a) Tj 12 TL T* (b) Tj 1 2 (c) \" [(d) 5 (e)] TJ ET BT /F2 8 Tf (A) Tj ET", AddResources);
  host::PDEContentRef content = fixture.Acquire();
  ASSERT_EQ(Outline(*content), "Text Text");
  host::PDEElementRef first = content->GetElem(0);
  ASSERT_EQ(first->NumRuns(), 4);
  EXPECT_EQ(first->RunText(2), "c");
  EXPECT_EQ(first->RunText(3), "de");
  EXPECT_EQ(host::FixedToFloat(first->RunMatrix(1).v), -12);
  EXPECT_EQ(host::FixedToFloat(first->RunMatrix(2).v), -24);
  EXPECT_EQ(first->RunTextState(2).setFlags & (host::kPDETextWordSpacing | host::kPDETextCharSpacing),
            host::kPDETextWordSpacing | host::kPDETextCharSpacing);
  EXPECT_EQ(first->RunTextState(0).setFlags & host::kPDETextWordSpacing, 0);
  EXPECT_EQ(content->GetElem(1)->RunFont(0).name, fixture.Atoms().Atom("ABCDEF+Custom"));
  fixture.Release();
}

// Forms that draw each other, a form that draws itself, and forms that draw
// the next one twice over forty levels.
void AddCyclicForms(QPDF& qpdf, QPDFObjectHandle page) {
  const std::string form = "<< /Type /XObject /Subtype /Form /BBox [0 0 10 10] >>";
  QPDFObjectHandle one = NewStream(qpdf, form, "/Two Do 0 0 1 1 re f");
  QPDFObjectHandle two = NewStream(qpdf, form, "/One Do");
  QPDFObjectHandle self = NewStream(qpdf, form, "/Self Do /Self Do");
  std::vector<QPDFObjectHandle> chain;
  for (int i = 0; i < 40; ++i) chain.push_back(NewStream(qpdf, form, "/Next Do /Next Do 0 0 1 1 re f"));
  QPDFObjectHandle xobjects = QPDFObjectHandle::newDictionary();
  xobjects.replaceKey("/One", one);
  xobjects.replaceKey("/Two", two);
  xobjects.replaceKey("/Self", self);
  xobjects.replaceKey("/Chain", chain.front());
  QPDFObjectHandle resources = QPDFObjectHandle::newDictionary();
  resources.replaceKey("/XObject", xobjects);
  for (auto* f : {&one, &two, &self}) f->getDict().replaceKey("/Resources", resources);
  for (size_t i = 0; i + 1 < chain.size(); ++i) {
    chain[i].getDict().replaceKey("/Resources", QPDFObjectHandle::parse("<< /XObject << >> >>"));
    chain[i].getDict().getKey("/Resources").getKey("/XObject").replaceKey("/Next", chain[i + 1]);
  }
  page.replaceKey("/Resources", resources);
}

int MaxDepth(const host::PDEContent& content) {
  int depth = 0;
  for (int i = 0; i < content.NumElems(); ++i) {
    host::PDEElementRef e = content.GetElem(i);
    if (e->Type() == PDEType::Form || e->Type() == PDEType::Container) depth = std::max(depth, 1 + MaxDepth(*e->Content()));
  }
  return depth;
}

TEST(PageContent, FormCyclesSelfDrawingFormsAndRepeatedNestingEnd) {
  PageContentFixture fixture("/One Do /Self Do /Chain Do", AddCyclicForms);
  host::PDEContentRef content = fixture.Acquire();
  ASSERT_EQ(content->NumElems(), 3);
  // One draws Two, which draws One again: the inner One is not entered.
  EXPECT_EQ(Outline(*content->GetElem(0)->Content()), "Form{Form{}} Path");
  EXPECT_EQ(Outline(*content->GetElem(1)->Content()), "Form{} Form{}");
  EXPECT_LE(MaxDepth(*content), 64);
  fixture.Release();
}

TEST(PageContent, DeepMarkedContentStopsNestingAtTheDepthLimit) {
  std::string page;
  for (int i = 0; i < 5000; ++i) page += "/T BMC ";
  page += "0 0 1 1 re f ";
  for (int i = 0; i < 5000; ++i) page += "EMC ";
  page += "5 5 1 1 re f";
  PageContentFixture fixture(page);
  host::PDEContentRef content = fixture.Acquire();
  EXPECT_EQ(MaxDepth(*content), 64);
  ASSERT_EQ(content->NumElems(), 2);  // the brackets past the limit still close in order
  EXPECT_EQ(content->GetElem(1)->Type(), PDEType::Path);
  fixture.Release();
}

TEST(PageContent, MalformedContentKeepsWhatCanBeRead) {
  const char* pages[] = {
      "0 0 10 10 re f ) ] >> } garbage 1 0 0 rg (unterminated",
      "BT /F1 12 Tf (no end",
      "/A BMC 0 0 10 10 re f",
      "EMC ET Q Q Q 0 0 10 10 re f",
      "BI /W 1 ID abc",
      "q q q q 1 2 3 cm /Nothing Do /F9 12 Tf BT (x) Tj ET 0 0 m 10 10 l S",
      "",
  };
  for (const char* page : pages) {
    PageContentFixture fixture(page, AddResources);
    host::PDEContentRef content = fixture.Acquire();
    for (int i = 0; i < content->NumElems(); ++i) content->GetElem(i)->BBox();
    fixture.Release();
  }
  PageContentFixture fixture("/A BMC 0 0 10 10 re f", AddResources);
  EXPECT_EQ(Outline(*fixture.Acquire()), "Container{Path}");
  fixture.Release();
}

TEST(PageContent, AcquiringAgainGivesTheSameContentUntilReleased) {
  PageContentFixture fixture("0 0 10 10 re f");
  host::PDEContentRef first = fixture.Acquire();
  EXPECT_EQ(fixture.Acquire(), first);
  fixture.Release();
  EXPECT_EQ(fixture.Acquire(), first);
  fixture.Release();
  fixture.Release();
  EXPECT_NE(fixture.Acquire(), first);
  fixture.Release();
}

}  // namespace
